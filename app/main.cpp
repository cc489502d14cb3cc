// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/FontDatabaseAhead.h"
#include "app/modStartup.h"
#include "ui/Look.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    // Light boxes, lists, buttons and dialogs on a dark desktop too.
    Look::useLightPalette();
    const FontDatabaseAhead fontDatabase;
    // Lets the desktop match the windows to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.quorvel.Quorvel"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/content/icon/quorvel-32.png")));
    return StartProgram(QCoreApplication::arguments().mid(1)) ? application.exec() : 0;
}
