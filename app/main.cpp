// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/FontDatabaseAhead.h"
#include "app/modStartup.h"
#include "sys/NativeFileName.h"
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
    // From argv, which QApplication has rid of its own options: Qt's
    // arguments() would lose the bytes of a file name that is not UTF-8.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(fileNameFromNative(argv[i]));
    return StartProgram(arguments) ? application.exec() : 0;
}
