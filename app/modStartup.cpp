// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/modStartup.h"

#include "app/ReadingHandOver.h"
#include "app/modSettings.h"
#include "core/Messages.h"
#include "sys/QuotedText.h"
#include "sys/FileSizeSignal.h"
#include "ui/Banner.h"
#include "ui/Centred.h"
#include "ui/Desktop.h"
#include "ui/LinkLabel.h"
#include "ui/Screen.h"
#include "ui/RecentReadings.h"
#include "ui/Session.h"
#include "ui/frmMain.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QSysInfo>
#include <QThread>

#include <cerrno>
#include <cstdio>
#include <memory>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A lock file whose owner can't be read is normally one that a starting
// copy is writing this very moment; one that stays unreadable longer than
// this was left half-written by a copy that died.
constexpr qint64 unreadableLockGraceMs = 5000;
// How long a copy started with a reading keeps trying to hand it over while
// another copy holds the lock: one started at the same moment may hold the
// lock but not yet listen.
constexpr int handOverPatienceMs = 2000;
constexpr int handOverRetryMs = 50;

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

// A lock left behind: its owner can't be read and hasn't been for a while
// (a copy that died writing it), or is a process of this machine that is
// gone.
bool lockIsAbandoned(const QLockFile &lock, const QString &path)
{
    qint64 pid = 0;
    QString host;
    QString application;
    if (!lock.getLockInfo(&pid, &host, &application))
        return QFileInfo(path).lastModified().msecsTo(QDateTime::currentDateTime()) > unreadableLockGraceMs;
    return host == QSysInfo::machineHostName() && pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

// Removes an abandoned lock unless a running copy holds it. QLockFile's own
// removal opens the file for writing and so fails on a lock the user may
// read but not write; the hold it checks for is taken just as well through
// a descriptor opened for reading.
bool removeAbandonedLock(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) // one the user can't even read is no running copy's
        return errno == EACCES && ::unlink(native.constData()) == 0;
    struct stat opened {};
    struct stat named {};
    // Still the file that was judged, not one a starting copy has put in its place.
    const bool removed = ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 &&
                         ::lstat(native.constData(), &named) == 0 && opened.st_ino == named.st_ino &&
                         opened.st_dev == named.st_dev && ::unlink(native.constData()) == 0;
    ::close(fd);
    return removed;
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

// Says on standard error why copies started later can't hand their
// readings over to this one.
void noteNoHandOver(const QString &why)
{
    std::fprintf(stderr, "%s: readings can't be handed over between copies: %s\n", Messages::applicationTitle,
                 why.toUtf8().constData());
}

// QLockFile opens an existing lock with plain open(): a FIFO there would
// hang it and a symlink to /dev/zero fill memory. In the private folder such
// a thing is the user's own and is removed, and so is a lock file of
// another user (root's, say), which no copy of the user's can hold and
// which QLockFile can't remove. False when something other than a regular
// file stays in the lock's place.
bool clearLockPlace(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat status {};
    if (::lstat(native.constData(), &status) != 0)
        return true; // nothing there; any other error is QLockFile's to report
    const bool othersFile =
        S_ISREG(status.st_mode) && status.st_uid != ::geteuid() && isPrivateFolder(QFileInfo(path).path());
    if (S_ISREG(status.st_mode) && !othersFile)
        return true; // a lock QLockFile can read
    if (othersFile || S_ISLNK(status.st_mode) || S_ISFIFO(status.st_mode) || S_ISSOCK(status.st_mode))
        return ::unlink(native.constData()) == 0 || errno == ENOENT;
    return false;
}

enum class HandOver { Done, LockTaken, Refused };

// Hands `readingFile` to the copy that holds the lock, trying for a while:
// that copy may have just started and not listen yet. Should it end
// meanwhile, this copy takes the lock instead.
HandOver handOverOrTakeLock(const QString &lockPath, const QString &socketPath, const QString &readingFile)
{
    if (socketPath.isEmpty()) {
        noteNoHandOver(
            QStringLiteral("the path of %1 is too long for a socket").arg(quotedPath(QFileInfo(lockPath).path())));
        return HandOver::Refused;
    }
    const QDeadlineTimer patience(handOverPatienceMs);
    for (;;) {
        if (handOverReadingFile(socketPath, readingFile))
            return HandOver::Done;
        if (!IsAnotherCopyRunning(lockPath))
            return HandOver::LockTaken;
        if (patience.hasExpired())
            return HandOver::Refused;
        QThread::msleep(handOverRetryMs);
    }
}

} // namespace

QString privateCacheFolder()
{
    const QString own = userBaseFolder("XDG_CACHE_HOME", QStringLiteral(".cache")) + u'/' + applicationName();
    QDir().mkpath(QFileInfo(own).path());
    ::mkdir(QFile::encodeName(own).constData(), 0700);
    return isPrivateFolder(own) ? own : QString();
}

QString privateRuntimeFolder()
{
    // The session's runtime folder, or the one Qt makes in the temporary
    // folder where the session has none: either only when it is the user's
    // own, as one planted by another user is not.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return isPrivateFolder(runtime) ? runtime : privateCacheFolder();
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
    // Writing the lock beyond the user's file size limit fails like any
    // other lock that can't be taken, instead of ending the program.
    const FileSizeSignalIgnored overLimitIsAnError;
    bool locked = lock->tryLock(0);
    if (!locked && lock->error() == QLockFile::LockFailedError && lockIsAbandoned(*lock, lockPath) &&
        removeAbandonedLock(lockPath))
        locked = lock->tryLock(0);
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
        std::fprintf(stderr, "%s: ignoring %s\n", Messages::applicationTitle,
                     quotedPath(argument).toUtf8().constData());
    }
    return file;
}

bool StartProgram(const QStringList &arguments)
{
    return StartProgram(instanceLockPath(), readingFileArgument(arguments));
}

bool StartProgram(const QString &lockPath, const QString &readingFile)
{
    // The cache folder is made only when the socket doesn't fit beside the lock.
    QString socketPath = handOverSocketPath(lockPath);
    if (socketPath.isEmpty())
        socketPath = handOverSocketPath(lockPath, privateCacheFolder());
    if (IsAnotherCopyRunning(lockPath)) {
        // Started with a reading: the running copy shows it, and this one
        // ends quietly. One that can't take it (an older copy) is as if
        // started without; one that ends meanwhile leaves the lock to this one.
        const HandOver handOver =
            readingFile.isEmpty() ? HandOver::Refused : handOverOrTakeLock(lockPath, socketPath, readingFile);
        if (handOver != HandOver::LockTaken) {
            if (handOver == HandOver::Refused)
                desktop().showMessage(nullptr, MessageIcon::Information, QString::fromUtf8(Messages::alreadyRunning));
            EndProgram();
            return false;
        }
    }
    // Only the copy that holds the lock takes readings from others: any
    // socket left in its place is stale then.
    if (holdsInstanceLock(lockPath)) {
        QString error;
        if (socketPath.isEmpty())
            noteNoHandOver(
                QStringLiteral("the path of %1 is too long for a socket").arg(quotedPath(QFileInfo(lockPath).path())));
        else if (!listenForHandOver(socketPath, &error))
            noteNoHandOver(QStringLiteral("%1: %2").arg(quotedPath(socketPath), error));
    }
    seedRandomGenerator();
    UpdateReminder();
    keepRecentReadingsInSettings();
    // The session lives as long as a screen holds it: each hands it to the next.
    auto *mainScreen = new frmMain(std::make_shared<Session>());
    showCentred(mainScreen);
    CoBrand_Randomize(mainScreen->lblFullBrand(), mainScreen->lblCobrand());
    if (!readingFile.isEmpty())
        mainScreen->showReadingFile(readingFile);
    return true;
}
