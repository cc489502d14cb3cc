#include "app/modStartup.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    // Lets the desktop match the windows to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.quorvel.Quorvel"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/content/icon/quorvel-32.png")));
    if (!StartProgram())
        return 0;
    return application.exec();
}
