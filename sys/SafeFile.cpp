// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sys/SafeFile.h"

#include "sys/FileDescriptor.h"
#include "sys/FileSizeSignal.h"
#include "sys/NativeFileName.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Writes the bytes at `path` through QSaveFile.
FileWrite saveFile(const QString &path, const QByteArray &bytes)
{
    // QSaveFile writes a temporary beside the target and renames it over the
    // target only once everything is on disk; on any failure the temporary is
    // discarded and an existing file keeps its old content.
    const FileSizeSignalIgnored overLimitIsAnError;
    QSaveFile file(path);
    auto failed = [&] { return FileWrite::failed({file.error(), file.errorString()}); };
    if (!file.open(QIODevice::WriteOnly))
        return failed();
    // Flush before committing and check it: a short write (disk full, file
    // size limit) shows up only here, and commit() alone would still rename
    // the truncated temporary over the old file and report success.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const FileWrite failure = failed();  // before cancelling, which puts its own error in place
        file.cancelWriting();
        return failure;
    }
    return file.commit() ? FileWrite::ok() : failed();
}

} // namespace

FileWrite writeFileSafely(const QString &path, const QByteArray &bytes)
{
    // A name Qt can't write (bytes that are not UTF-8) is written under a
    // fresh name Qt can, in the same folder, which is then renamed to it.
    const QByteArray native = nativeFileName(path);
    if (native == QFile::encodeName(path))
        return saveFile(path, bytes);
    const qsizetype slash = native.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : native.left(slash);
    const FileDescriptor folderFd(::open(folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    const auto systemFailure = [](QFileDevice::FileError error) {
        return FileWrite::failed({error, QString::fromLocal8Bit(std::strerror(errno))});
    };
    if (folderFd.get() < 0)
        return systemFailure(QFileDevice::OpenError);
    // The folder by its descriptor, whatever bytes its own name holds.
    const QByteArray standIn = ".quorvel-" + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
    const QString standInPath = QStringLiteral("/proc/self/fd/%1/").arg(folderFd.get()) + QLatin1String(standIn);
    if (FileWrite saved = saveFile(standInPath, bytes); !saved)
        return saved;
    if (::renameat(folderFd.get(), standIn.constData(), folderFd.get(), native.mid(slash + 1).constData()) == 0)
        return FileWrite::ok();
    const FileWrite failure = systemFailure(QFileDevice::RenameError);
    ::unlinkat(folderFd.get(), standIn.constData(), 0);
    return failure;
}
