#include "ui/Screen.h"

#include <QApplication>
#include <QCloseEvent>

namespace {
bool ending = false;
}

Screen::Screen(QWidget *parent) : QMainWindow(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

void Screen::closeByProgram()
{
    closingByProgram = true;
    close();
}

void Screen::closeEvent(QCloseEvent *event)
{
    QMainWindow::closeEvent(event);
    if (!closingByProgram && !ending)
        EndProgram();
}

void EndProgram()
{
    if (ending)
        return;
    ending = true;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *screen = qobject_cast<Screen *>(window))
            screen->closeByProgram();
        else if (window->isVisible())
            window->close();
    }
    ending = false;
    QCoreApplication::exit(0);
}
