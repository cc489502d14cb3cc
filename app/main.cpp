#include "app/modStartup.h"
#include "ui/Look.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    // The font system sets itself up on a second core meanwhile.
    Look::FontSetUpAhead fontSetUp;
    QApplication application(argc, argv);
    fontSetUp.applicationReady();
    // Lets the desktop match the windows to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.quorvel.Quorvel"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/content/icon/quorvel-32.png")));
    const int status = StartProgram() ? application.exec() : 0;
    fontSetUp.finish();
    return status;
}
