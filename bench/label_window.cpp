// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A second yardstick for Quorvel's start-up: a window that holds one line of
// text and sizes itself to it, the least a program does before it can show
// any text at all (set up the font database, load one font, lay out a line).
#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QLabel window(QStringLiteral("Name"));
    window.setWindowTitle(QStringLiteral("One label"));
    window.show();  // a window without a size of its own is sized to its text first
    return application.exec();
}
