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

// How much of a file is read when opening it: a reading is one short line
// and its birth a few more, so a bigger file is never read whole.
constexpr qsizetype readLimit = 64 * 1024;

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

// Up to readLimit + 1 bytes from the start of a regular file (the extra
// byte tells a file that goes on). Anything else (a folder, a FIFO, a
// device) is refused before a byte is read: the file is opened without
// blocking, so a FIFO with no writer can't hang the program.
std::optional<QByteArray> readPrefix(const QString &path, ReadingFileProblem &problem)
{
    const QByteArray nativePath = nativeFileName(path);
    problem = ReadingFileProblem::Missing;
    if (nativePath.isEmpty())
        return std::nullopt;
    const FileDescriptor fd(::open(nativePath.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat status {};
    if (fd.get() < 0) {
        problem = ::stat(nativePath.constData(), &status) != 0   ? ReadingFileProblem::Missing
                  : S_ISDIR(status.st_mode)                       ? ReadingFileProblem::Folder
                                                                  : ReadingFileProblem::Unreadable;
        return std::nullopt;
    }
    if (::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        problem = S_ISDIR(status.st_mode) ? ReadingFileProblem::Folder : ReadingFileProblem::NotPlainFile;
        return std::nullopt;
    }

    problem = ReadingFileProblem::Unreadable;
    QByteArray bytes(readLimit + 1, Qt::Uninitialized);
    qsizetype filled = 0;
    while (filled < bytes.size()) {
        const ssize_t count = ::read(fd.get(), bytes.data() + filled, std::size_t(bytes.size() - filled));
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

std::optional<ReadingFileContent> readReadingFileContent(const QString &path, ReadingFileProblem *problem)
{
    ReadingFileProblem why = ReadingFileProblem::NotAReading;
    const std::optional<QByteArray> prefix = readPrefix(path, why);
    const auto refused = [&] {
        if (problem)
            *problem = why;
        return std::nullopt;
    };
    if (!prefix)
        return refused();
    // A file the read could not take whole is too large to be one of ours.
    why = prefix->size() > readLimit ? ReadingFileProblem::TooLarge : ReadingFileProblem::NotAReading;

    // The first line ends at CR (the file's own CR LF) or at a bare LF, as a
    // file passed through a Unix editor would have it.
    qsizetype lineLength = 0;
    while (lineLength < prefix->size() && prefix->at(lineLength) != '\r' && prefix->at(lineLength) != '\n')
        ++lineLength;
    if (lineLength == 0 || lineLength > longestNameLength())
        return refused();

    ReadingFileContent content;
    content.nakshatraName = unscrambleText(fromSingleByte(prefix->left(lineLength)));
    if (!findMansionRow(content.nakshatraName))
        return refused();
    const qsizetype lineEndLength = prefix->mid(lineLength, 2) == "\r\n" ? 2 : 1;
    content.laterLines = prefix->mid(lineLength + lineEndLength).left(readLimit);
    content.laterLinesWhole = prefix->size() <= readLimit;
    return content;
}

std::optional<QString> readReadingFile(const QString &path)
{
    const std::optional<ReadingFileContent> content = readReadingFileContent(path);
    return content ? std::optional<QString>(content->nakshatraName) : std::nullopt;
}
