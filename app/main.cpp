#include "app/modStartup.h"
#include "ui/Look.h"

#include <QAccessible>
#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    // The font system sets itself up on a second core meanwhile.
    Look::FontSetUpAhead fontSetUp;
    QApplication application(argc, argv);
    fontSetUp.applicationReady();
    // Connects the accessibility bridge to the session bus now, while the
    // font system is being set up on another core; the first caption would
    // otherwise wait for it in the middle of building the main input screen.
    QAccessible::isActive();
    // Lets the desktop match the windows to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.quorvel.Quorvel"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/content/icon/quorvel-32.png")));
    const int status = StartProgram() ? application.exec() : 0;
    fontSetUp.finish();
    return status;
}
