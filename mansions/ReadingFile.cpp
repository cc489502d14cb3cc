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

} // namespace

bool hasReadingExtension(const QString &path)
{
    return path.endsWith(QLatin1String("qvr"), Qt::CaseSensitive);
}

bool writeReadingFile(const QString &path, const QString &nakshatraName, FileWriteFailure *failure)
{
    return writeFileSafely(path, toSingleByte(scrambleText(nakshatraName)) + QByteArrayLiteral("\r\n"), failure);
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
