// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/SavedReading.h"

#include "sys/QuotedText.h"
#include "sys/NativeFileName.h"

#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// The person's reading when the birth after the first line is whole, sound
// and gives the first line's nakshatra; else the note why it is left out.
std::optional<Reading> readingOfBirth(const ReadingFileContent &content, const Reading &firstLine,
                                      OpenedReading &opened)
{
    if (!content.laterLinesWhole) {
        opened.birthNote = QStringLiteral("the birth after the first line is too long");
        return std::nullopt;
    }
    const std::optional<SavedBirth> saved = parseSavedBirth(content.laterLines, &opened.birthNote);
    if (!saved)
        return std::nullopt;
    std::optional<Reading> reading = calculateReading(saved->birth);
    if (!reading || reading->row != firstLine.row) {
        opened.birthNote =
            QStringLiteral("the birth gives %1, not the first line's %2")
                .arg(reading ? reading->nakshatraName : QStringLiteral("no reading"), firstLine.nakshatraName);
        return std::nullopt;
    }
    opened.place = saved->place;
    return reading;
}

} // namespace

std::optional<OpenedReading> openReading(const QString &path, ReadingFileProblem *problem)
{
    const std::optional<ReadingFileContent> content = readReadingFileContent(path, problem);
    const std::optional<Reading> firstLine = content ? readingOfNakshatra(content->nakshatraName) : std::nullopt;
    if (!firstLine)
        return std::nullopt;
    OpenedReading opened;
    opened.reading = *firstLine;
    // A file of line one only, as every reader of the format writes it, has no birth.
    if (!content->laterLines.isEmpty()) {
        if (std::optional<Reading> whole = readingOfBirth(*content, *firstLine, opened))
            opened.reading = *whole;
    }
    opened.reading.sourcePath = path;
    return opened;
}

std::optional<QString> notAFileReason(const QString &path)
{
    struct stat status {};
    if (::stat(nativeFileName(path).constData(), &status) == 0)
        return S_ISDIR(status.st_mode) ? std::optional(QStringLiteral("is a folder")) : std::nullopt;
    if (errno == ENOENT || errno == ENOTDIR)
        return QStringLiteral("does not exist");
    if (errno == ELOOP)
        return QStringLiteral("is a symbolic link loop");
    return QStringLiteral("can't be read: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
}

QString unreadableReason(const QString &path, ReadingFileProblem problem)
{
    if (const std::optional<QString> reason = notAFileReason(path))
        return QStringLiteral("%1 %2").arg(quotedPath(path), *reason);
    if (::access(nativeFileName(path).constData(), R_OK) != 0)
        return QStringLiteral("%1 can't be read").arg(quotedPath(path));
    if (problem == ReadingFileProblem::TooLarge)
        return QStringLiteral("%1 is too large to be a saved Quorvel reading").arg(quotedPath(path));
    return QStringLiteral("%1 is not a saved Quorvel reading").arg(quotedPath(path));
}

FileWrite saveReading(const QString &path, const Reading &reading, const BirthPlace &place)
{
    QByteArray bytes = readingFirstLine(reading.nakshatraName);
    if (reading.birth)
        bytes += savedBirthLines(SavedBirth{*reading.birth, place});
    return writeFileSafely(path, bytes);
}
