// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mansions/ReadingFile.h"

#include "mansions/modChineseLunarMansionInformation.h"
#include "mansions/modRTB.h"
#include "sys/FileDescriptor.h"
#include "sys/NativeFileName.h"

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

// Up to readLimit + 1 bytes from the start of a regular file (the extra
// byte tells a file that goes on). Anything else (a folder, a FIFO, a
// device) is refused before a byte is read: the file is opened without
// blocking, so a FIFO with no writer can't hang the program.
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

} // namespace

bool hasReadingExtension(const QString &path)
{
    return path.endsWith(QLatin1String("qvr"), Qt::CaseSensitive);
}

QByteArray readingFirstLine(const QString &nakshatraName)
{
    return toSingleByte(scrambleText(nakshatraName)) + QByteArrayLiteral("\r\n");
}

FileWrite writeReadingFile(const QString &path, const QString &nakshatraName)
{
    return writeFileSafely(path, readingFirstLine(nakshatraName));
}

std::optional<ReadingFileContent> readReadingFileContent(const QString &path, ReadingFileProblem *problem)
{
    const std::optional<QByteArray> prefix = readPrefix(path);
    // A file the read could not take whole is too large to be one of ours.
    const bool tooLarge = prefix && prefix->size() > readLimit;
    const auto refused = [&] {
        if (problem)
            *problem = tooLarge ? ReadingFileProblem::TooLarge : ReadingFileProblem::NotAReading;
        return std::nullopt;
    };
    if (!prefix)
        return refused();

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
    content.laterLinesWhole = !tooLarge;
    return content;
}

std::optional<QString> readReadingFile(const QString &path)
{
    const std::optional<ReadingFileContent> content = readReadingFileContent(path);
    return content ? std::optional<QString>(content->nakshatraName) : std::nullopt;
}
