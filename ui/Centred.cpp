#include "ui/Centred.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

void showCentred(QWidget *window)
{
    window->adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        window->move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window->size(), area).topLeft());
    }
    window->show();
}
