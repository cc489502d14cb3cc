// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mansions/ReadingFile.h"

#include "mansions/FileSizeSignal.h"
#include "mansions/NativeFileName.h"
#include "mansions/modChineseLunarMansionInformation.h"
#include "mansions/modRTB.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// How much of a file is read when opening it: a reading is one short line,
// so a bigger file is never read whole.
constexpr qsizetype readLimit = 4096;

// The longest nakshatra name in bytes; a longer first line is no reading.
qsizetype longestNameLength()
{
    qsizetype longest = 0;
    for (int row = 0; row < nakshatraRowCount; ++row)
        longest = std::max<qsizetype>(longest, qsizetype(std::strlen(mansionRow(row).nakshatra)));
    return longest;
}

// Closes a POSIX descriptor on every way out.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

// Up to readLimit bytes from the start of a regular file. Anything else (a
// folder, a FIFO, a device) is refused before a byte is read: the file is
// opened without blocking, so a FIFO with no writer can't hang the program.
std::optional<QByteArray> readPrefix(const QString &path)
{
    const QByteArray nativePath = nativeFileName(path);
    if (nativePath.isEmpty())
        return std::nullopt;
    const FileDescriptor fd(::open(nativePath.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0)
        return std::nullopt;
    struct stat status {};
    if (::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;

    QByteArray bytes(readLimit, Qt::Uninitialized);
    qsizetype filled = 0;
    while (filled < readLimit) {
        const ssize_t count = ::read(fd.get(), bytes.data() + filled, std::size_t(readLimit - filled));
        if (count < 0) {
            if (errno == EINTR)
                continue;
            return std::nullopt;
        }
        if (count == 0)
            break;
        filled += count;
    }
    bytes.truncate(filled);
    return bytes;
}

// Writes the reading at `path` through QSaveFile.
bool saveReadingFile(const QString &path, const QString &nakshatraName, ReadingFileFailure *failure)
{
    // QSaveFile writes a temporary beside the target and renames it over the
    // target only once everything is on disk; on any failure the temporary is
    // discarded and an existing file keeps its old content.
    const FileSizeSignalIgnored overLimitIsAnError;
    QSaveFile file(path);
    auto failed = [&] {
        if (failure)
            *failure = {file.error(), file.errorString()};
        return false;
    };
    if (!file.open(QIODevice::WriteOnly))
        return failed();
    const QByteArray content = toSingleByte(scrambleText(nakshatraName)) + QByteArrayLiteral("\r\n");
    // Flush before committing and check it: a short write (disk full, file
    // size limit) shows up only here, and commit() alone would still rename
    // the truncated temporary over the old file and report success.
    if (file.write(content) != content.size() || !file.flush()) {
        failed();  // before cancelling, which puts its own error in place
        file.cancelWriting();
        return false;
    }
    return file.commit() || failed();
}

} // namespace

bool hasReadingExtension(const QString &path)
{
    return path.endsWith(QLatin1String("qvr"), Qt::CaseSensitive);
}

bool writeReadingFile(const QString &path, const QString &nakshatraName, ReadingFileFailure *failure)
{
    // A name Qt can't write (bytes that are not UTF-8) is written under a
    // fresh name Qt can, in the same folder, which is then renamed to it.
    const QByteArray native = nativeFileName(path);
    if (native == QFile::encodeName(path))
        return saveReadingFile(path, nakshatraName, failure);
    const qsizetype slash = native.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : native.left(slash);
    const FileDescriptor folderFd(::open(folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (folderFd.get() < 0) {
        if (failure)
            *failure = {QFileDevice::OpenError, QString::fromLocal8Bit(std::strerror(errno))};
        return false;
    }
    // The folder by its descriptor, whatever bytes its own name holds.
    const QByteArray standIn = ".quorvel-" + QByteArray::number(QRandomGenerator::global()->generate64(), 36) + ".qvr";
    const QString standInPath = QStringLiteral("/proc/self/fd/%1/").arg(folderFd.get()) + QLatin1String(standIn);
    if (!saveReadingFile(standInPath, nakshatraName, failure))
        return false;
    if (::renameat(folderFd.get(), standIn.constData(), folderFd.get(), native.mid(slash + 1).constData()) == 0)
        return true;
    if (failure)
        *failure = {QFileDevice::RenameError, QString::fromLocal8Bit(std::strerror(errno))};
    ::unlinkat(folderFd.get(), standIn.constData(), 0);
    return false;
}

std::optional<QString> readReadingFile(const QString &path)
{
    const std::optional<QByteArray> prefix = readPrefix(path);
    if (!prefix || prefix->isEmpty())
        return std::nullopt;

    // The first line ends at CR (the file's own CR LF) or at a bare LF, as a
    // file passed through a Unix editor would have it.
    qsizetype lineLength = 0;
    while (lineLength < prefix->size() && prefix->at(lineLength) != '\r' && prefix->at(lineLength) != '\n')
        ++lineLength;
    if (lineLength > longestNameLength())
        return std::nullopt;

    const QString name = unscrambleText(fromSingleByte(prefix->left(lineLength)));
    if (!findMansionRow(name))
        return std::nullopt;
    return name;
}
