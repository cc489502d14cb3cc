// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/AtlasWindowLoader.h"

#include "core/Messages.h"
#include "places/AtlasWindowInterface.h"
#include "sys/BuildTree.h"
#include "ui/Desktop.h"
#include "ui/WebPages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonObject>
#include <QPluginLoader>

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

// The first folder, from `realFolder` up, through which someone other than
// this user and root could change what `realFolder` holds: one of theirs, or
// one others can write to, but for a sticky folder above it (like /tmp),
// where others can't rename what isn't theirs. Empty when there is none.
QString changeableFolder(const QString &realFolder)
{
    QString folder = realFolder;
    for (bool first = true;; first = false) {
        const std::optional<struct stat> status = statusOf(folder);
        if (!status || !S_ISDIR(status->st_mode) || !ownedByUserOrRoot(*status) ||
            (writableByOthers(*status) && (first || !(status->st_mode & S_ISVTX))))
            return folder;
        if (folder == QLatin1String("/"))
            return {};
        folder = QFileInfo(folder).path();
    }
}

// The plugin in `folder`: its file when the folder (symlinks resolved) and
// the file itself (no symlink) are trusted, else the folder or file passed
// over for it; neither when there is no plugin there.
struct PluginPlace {
    QString file;
    QString refused;
};

PluginPlace pluginIn(const QString &folder)
{
    if (!folder.startsWith(u'/'))
        return {};
    const QString realFolder = QFileInfo(folder).canonicalFilePath();
    const QString file = realFolder + QStringLiteral("/" QUORVEL_ATLASWINDOW_FILE);
    const std::optional<struct stat> status = realFolder.isEmpty() ? std::nullopt : statusOf(file);
    if (!status)
        return {};
    if (const QString changeable = changeableFolder(realFolder); !changeable.isEmpty())
        return {{}, changeable};
    const bool trusted = S_ISREG(status->st_mode) && ownedByUserOrRoot(*status) && !writableByOthers(*status);
    return trusted ? PluginPlace{file, {}} : PluginPlace{{}, file};
}

// Runs the atlas window of the plugin at `file`; failed, for the caller to
// word, when the file is no plugin of ours or fails to load.
AtlasWindowRun choosePlaceWith(const QString &file, const PlaceQuery &query)
{
    // The metadata is read from the file without loading it, so a library
    // of another kind never runs any code here.
    QPluginLoader loader(file);
    if (loader.metaData().value(QStringLiteral("IID")).toString() != QStringLiteral(QUORVEL_ATLASWINDOW_IID))
        return AtlasWindowRun::failed({});
    auto *window = qobject_cast<AtlasWindowInterface *>(loader.instance());
    if (!window) {
        loader.unload();
        return AtlasWindowRun::failed({});
    }
    std::optional<ChosenPlace> chosen;
    try {
        chosen = window->choosePlace(query, QString::fromUtf8(Messages::windowTitle),
                                     webPageUrl(WebPage::Home).toString());
    } catch (...) {
        chosen.reset();
    }
    // Releasing the plugin deletes its instance: the next search gets a fresh one.
    loader.unload();
    return AtlasWindowRun::of(chosen);
}

} // namespace

QStringList atlasWindowFolders()
{
    QStringList folders;
    const auto add = [&folders](const QString &folder) {
        const QString clean = QDir::cleanPath(folder);
        if (!clean.isEmpty() && !folders.contains(clean))
            folders.append(clean);
    };
    if (QCoreApplication::instance()) {
        // A program run from its build tree finds the plugin in the build
        // folder's plugins folder.
        const QDir programFolder(QCoreApplication::applicationDirPath());
        if (const QString build = buildFolderAbove(programFolder.path()); !build.isEmpty())
            add(build + QStringLiteral("/plugins"));
        add(programFolder.filePath(QStringLiteral(QUORVEL_PLUGIN_RELATIVE_DIR)));
    }
    add(QStringLiteral(QUORVEL_PLUGIN_INSTALL_DIR));
    return folders;
}

AtlasWindowRun runAtlasWindow(const PlaceQuery &query, const QStringList &folders)
{
    QString refused;
    QString broken;
    for (const QString &folder : folders) {
        const PluginPlace place = pluginIn(folder);
        if (refused.isEmpty())
            refused = place.refused;
        if (place.file.isEmpty())
            continue;
        if (AtlasWindowRun ran = choosePlaceWith(place.file, query))
            return ran;
        if (broken.isEmpty())
            broken = place.file;
    }
    return AtlasWindowRun::failed(!refused.isEmpty()  ? QString::fromUtf8(Messages::searchRefused).arg(refused)
                                  : !broken.isEmpty() ? QString::fromUtf8(Messages::searchBroken).arg(broken)
                                                      : QString::fromUtf8(Messages::searchMissing));
}

std::optional<ChosenPlace> searchPlace(const PlaceQuery &query)
{
    return desktop().choosePlace(query);
}
