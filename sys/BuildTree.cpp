// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sys/BuildTree.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString programFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).absolutePath();
}

QString buildFolderAbove(const QString &programFolder)
{
    const QDir folder(programFolder);
    if (programFolder.isEmpty() || !folder.exists(QStringLiteral("../CMakeCache.txt")))
        return {};
    return QDir::cleanPath(folder.filePath(QStringLiteral("..")));
}
