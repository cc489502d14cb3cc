// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/modStartup.h"

#include "app/ReadingHandOver.h"
#include "app/modSettings.h"
#include "core/Messages.h"
#include "ui/Centred.h"
#include "ui/Desktop.h"
#include "ui/LinkLabel.h"
#include "ui/Screen.h"
#include "ui/Session.h"
#include "ui/frmMain.h"
#include "ui/modHelp.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>
#include <memory>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// A lock file whose owner can't be read is normally one that a starting
// copy is writing this very moment; one that stays unreadable longer than
// this was left half-written by a copy that died.
constexpr qint64 unreadableLockGraceMs = 5000;

std::unique_ptr<QLockFile> &heldLock()
{
    static std::unique_ptr<QLockFile> lock;
    return lock;
}

bool holdsInstanceLock(const QString &lockPath)
{
    const std::unique_ptr<QLockFile> &held = heldLock();
    return held && held->isLocked() && held->fileName() == lockPath;
}

bool lockOwnerIsUnreadable(const QLockFile &lock)
{
    qint64 pid = 0;
    QString host;
    QString application;
    return !lock.getLockInfo(&pid, &host, &application);
}

qint64 lockAgeMs(const QString &path)
{
    return QFileInfo(path).lastModified().msecsTo(QDateTime::currentDateTime());
}

// A folder no other user can put anything into: an absolute path to a real
// folder (no symlink), owned by this user and writable by neither group nor
// others.
bool isPrivateFolder(const QString &folder)
{
    struct stat status {};
    return folder.startsWith(u'/') && ::lstat(QFile::encodeName(folder).constData(), &status) == 0 &&
           S_ISDIR(status.st_mode) && status.st_uid == ::geteuid() && (status.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// QLockFile opens an existing lock with plain open(): a FIFO there would
// hang it and a symlink to /dev/zero fill memory. In the private folder such
// a thing is the user's own and is removed. False when something other than
// a regular file stays in the lock's place.
bool clearLockPlace(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat status {};
    if (::lstat(native.constData(), &status) != 0 || S_ISREG(status.st_mode))
        return true;  // nothing there, or a lock QLockFile can read; any other error is its own to report
    if (S_ISLNK(status.st_mode) || S_ISFIFO(status.st_mode) || S_ISSOCK(status.st_mode))
        return ::unlink(native.constData()) == 0 || errno == ENOENT;
    return false;
}

} // namespace

QString privateRuntimeFolder()
{
    // The session's runtime folder, or the one Qt makes in the temporary
    // folder where the session has none: either only when it is the user's
    // own, as one planted by another user is not.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (isPrivateFolder(runtime))
        return runtime;
    const QString own = userBaseFolder("XDG_CACHE_HOME", QStringLiteral(".cache")) + u'/' + applicationName();
    QDir().mkpath(QFileInfo(own).path());
    ::mkdir(QFile::encodeName(own).constData(), 0700);
    return isPrivateFolder(own) ? own : QString();
}

QString instanceLockPath()
{
    const QString folder = privateRuntimeFolder();
    return folder.isEmpty() ? QString() : QDir(folder).filePath(applicationName() + QStringLiteral(".lock"));
}

bool IsAnotherCopyRunning()
{
    return IsAnotherCopyRunning(instanceLockPath());
}

bool IsAnotherCopyRunning(const QString &lockPath)
{
    if (holdsInstanceLock(lockPath))
        return false;
    // No private folder, or something in the lock's place that isn't ours to
    // remove: the program runs without the lock rather than not at all.
    if (lockPath.isEmpty() || !clearLockPlace(lockPath))
        return false;

    auto lock = std::make_unique<QLockFile>(lockPath);
    // The lock is held for the whole run, however long: it goes stale only
    // when its owner is no longer running, never by its age.
    lock->setStaleLockTime(0);
    bool locked = lock->tryLock(0);
    if (!locked && lock->error() == QLockFile::LockFailedError && lockOwnerIsUnreadable(*lock) &&
        lockAgeMs(lockPath) > unreadableLockGraceMs) {
        // Removal checks that no running copy still holds the file.
        if (lock->removeStaleLockFile())
            locked = lock->tryLock(0);
    }
    if (locked) {
        heldLock() = std::move(lock);
        return false;
    }
    // Only a lock that another process holds means another copy. A runtime
    // folder that can't take the lock at all must not keep the program from
    // starting.
    return lock->error() == QLockFile::LockFailedError;
}

void releaseInstanceLock()
{
    stopHandOver();
    heldLock().reset();
}

QString readingFileArgument(const QStringList &arguments)
{
    QString file;
    for (const QString &argument : arguments) {
        if (file.isEmpty() && !argument.isEmpty() && !argument.startsWith(u'-')) {
            // Absolute, as a running copy it is handed to has a folder of its own.
            file = QFileInfo(argument).absoluteFilePath();
            continue;
        }
        std::fprintf(stderr, "%s: ignoring '%s'\n", Messages::applicationTitle, argument.toLocal8Bit().constData());
    }
    return file;
}

bool StartProgram(const QStringList &arguments)
{
    return StartProgram(instanceLockPath(), readingFileArgument(arguments));
}

bool StartProgram(const QString &lockPath, const QString &readingFile)
{
    if (IsAnotherCopyRunning(lockPath)) {
        // Started with a reading: the running copy shows it, and this one
        // ends quietly. One that can't take it (an older copy) is as if
        // started without.
        if (readingFile.isEmpty() || !handOverReadingFile(handOverSocketPath(lockPath), readingFile))
            desktop().showMessage(nullptr, MessageIcon::Information, QString::fromUtf8(Messages::alreadyRunning));
        EndProgram();
        return false;
    }
    // Only the copy that holds the lock takes readings from others: any
    // socket left in its place is stale then.
    if (holdsInstanceLock(lockPath))
        listenForHandOver(handOverSocketPath(lockPath));
    seedRandomGenerator();
    UpdateReminder();
    // The session lives as long as a screen holds it: each hands it to the next.
    auto *mainScreen = new frmMain(std::make_shared<Session>());
    showCentred(mainScreen);
    CoBrand_Randomize(mainScreen->lblFullBrand(), mainScreen->lblCobrand());
    if (!readingFile.isEmpty())
        mainScreen->showReadingFile(readingFile);
    return true;
}
