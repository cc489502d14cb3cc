// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The yardstick for Quorvel's start-up: the least a Qt Widgets program does
// to show one window.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    window.resize(497, 419);  // the size of Quorvel's main input screen
    window.show();
    return application.exec();
}
