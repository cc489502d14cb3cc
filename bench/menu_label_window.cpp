// A second yardstick for Quorvel's start-up: a main window with a menu bar
// and one label, so the font configuration and the menu bar's icon loading
// that any such window pays are in the comparison too.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Menu and label"));
    window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("&Quit"));
    window.setCentralWidget(new QLabel(QStringLiteral("Enter the details to get your reading.")));
    window.resize(497, 440);
    window.show();
    return application.exec();
}
