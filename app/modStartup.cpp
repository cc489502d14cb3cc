#include "app/modStartup.h"

#include "app/modSettings.h"
#include "core/Messages.h"
#include "ui/Centred.h"
#include "ui/Desktop.h"
#include "ui/LinkLabel.h"
#include "ui/Look.h"
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

#include <memory>

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

} // namespace

QString instanceLockPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return QDir(folder).filePath(applicationName() + QStringLiteral(".lock"));
}

bool IsAnotherCopyRunning()
{
    return IsAnotherCopyRunning(instanceLockPath());
}

bool IsAnotherCopyRunning(const QString &lockPath)
{
    std::unique_ptr<QLockFile> &held = heldLock();
    if (held && held->isLocked() && held->fileName() == lockPath)
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
        held = std::move(lock);
        return false;
    }
    // Only a lock that another process holds means another copy. A runtime
    // folder that can't take the lock at all must not keep the program from
    // starting.
    return lock->error() == QLockFile::LockFailedError;
}

void releaseInstanceLock()
{
    heldLock().reset();
}

bool StartProgram()
{
    return StartProgram(instanceLockPath());
}

bool StartProgram(const QString &lockPath)
{
    if (IsAnotherCopyRunning(lockPath)) {
        desktop().showMessage(nullptr, MessageIcon::Information, QString::fromUtf8(Messages::alreadyRunning));
        EndProgram();
        return false;
    }
    seedRandomGenerator();
    Look::installScreenStyle();
    UpdateReminder();
    // The session lives as long as a screen holds it: each hands it to the next.
    auto *mainScreen = new frmMain(std::make_shared<Session>());
    showCentred(mainScreen);
    CoBrand_Randomize(mainScreen->lblFullBrand(), mainScreen->lblCobrand());
    return true;
}
