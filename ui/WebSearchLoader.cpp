// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/WebSearchLoader.h"

#include "app/websearch/WebSearchInterface.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonObject>
#include <QPluginLoader>

#include <exception>

#include <sys/stat.h>
#include <unistd.h>

namespace {

std::optional<struct stat> statusOf(const QString &path)
{
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return status;
}

// Owned by this user or root: nobody else can have put it there or changed it.
bool ownedByUserOrRoot(const struct stat &status)
{
    return status.st_uid == ::geteuid() || status.st_uid == 0;
}

bool writableByOthers(const struct stat &status)
{
    return (status.st_mode & (S_IWGRP | S_IWOTH)) != 0;
}

// Whether no one but this user and root can change what `realFolder`
// holds: it and every folder above it are theirs and writable by no one
// else, but for a sticky folder above it (like /tmp), where others can't
// rename what isn't theirs.
bool isTrustedFolder(const QString &realFolder)
{
    QString folder = realFolder;
    for (bool first = true;; first = false) {
        const std::optional<struct stat> status = statusOf(folder);
        if (!status || !S_ISDIR(status->st_mode) || !ownedByUserOrRoot(*status) ||
            (writableByOthers(*status) && (first || !(status->st_mode & S_ISVTX))))
            return false;
        if (folder == QLatin1String("/"))
            return true;
        folder = QFileInfo(folder).path();
    }
}

// The plugin in `folder`, when the folder (symlinks resolved) and the file
// itself (no symlink) are trusted; empty otherwise, as when it is missing.
QString trustedPlugin(const QString &folder)
{
    if (!folder.startsWith(u'/'))
        return {};
    const QString realFolder = QFileInfo(folder).canonicalFilePath();
    if (realFolder.isEmpty() || !isTrustedFolder(realFolder))
        return {};
    const QString file = realFolder + QStringLiteral("/" QUORVEL_WEBSEARCH_FILE);
    const std::optional<struct stat> status = statusOf(file);
    const bool trusted = status && S_ISREG(status->st_mode) && ownedByUserOrRoot(*status) && !writableByOthers(*status);
    return trusted ? file : QString();
}

} // namespace

QStringList webSearchPluginFolders()
{
    QStringList folders;
    const auto add = [&folders](const QString &folder) {
        const QString clean = QDir::cleanPath(folder);
        if (!clean.isEmpty() && !folders.contains(clean))
            folders.append(clean);
    };
    add(QStringLiteral(QUORVEL_PLUGIN_BUILD_DIR));
    if (QCoreApplication::instance())
        add(QCoreApplication::applicationDirPath() + QStringLiteral("/" QUORVEL_PLUGIN_RELATIVE_DIR));
    add(QStringLiteral(QUORVEL_PLUGIN_INSTALL_DIR));
    return folders;
}

std::optional<QVariant> runWebSearchPlugin(const QString &query, const QString &site, const QVariantMap &birth,
                                           const QStringList &folders)
{
    for (const QString &folder : folders) {
        const QString file = trustedPlugin(folder);
        if (file.isEmpty())
            continue;
        // The metadata is read from the file without loading it, so a
        // library of another kind never runs any code here.
        QPluginLoader loader(file);
        if (loader.metaData().value(QStringLiteral("IID")).toString() != QStringLiteral(QUORVEL_WEBSEARCH_IID))
            continue;
        auto *search = qobject_cast<WebSearchInterface *>(loader.instance());
        if (!search) {
            loader.unload();
            continue;
        }
        std::optional<QVariant> result;
        try {
            result = search->Search(query, site, birth);
        } catch (const std::exception &) {
            result.reset();
        } catch (...) {
            result.reset();
        }
        // Releasing the plugin deletes its instance: the next search gets a fresh one.
        loader.unload();
        return result;
    }
    return std::nullopt;
}
