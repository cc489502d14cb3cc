#include "app/modStartup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    if (!StartProgram())
        return 0;
    return application.exec();
}
