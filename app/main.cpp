#include "core/Messages.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QString::fromUtf8(Messages::windowTitle));
    window.show();
    return application.exec();
}
