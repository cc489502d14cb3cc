#include "ui/Screen.h"

#include <QApplication>
#include <QCloseEvent>

namespace {
bool ending = false;
}

Screen::Screen(QWidget *parent) : QMainWindow(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    // The menu bar stays in the window on every desktop, as the screens are
    // designed; set before the first menu bar exists.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
}

void Screen::closeByProgram()
{
    m_closingByProgram = true;
    // Input the window system had already queued for this screen (the second
    // click of a double click on Back, Open or Calculate) must not run its
    // command again once the program has switched to the other screen.
    setEnabled(false);
    close();
}

bool Screen::modalWindowOpen()
{
    return QApplication::activeModalWidget() != nullptr;
}

void Screen::closeEvent(QCloseEvent *event)
{
    QMainWindow::closeEvent(event);
    if (!m_closingByProgram && !ending)
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
