// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/SavedReading.h"

#include "core/QuotedText.h"

namespace {

// The person's reading when the birth after the first line is whole, sound
// and gives the first line's nakshatra; else the note why it is left out.
std::optional<Reading> readingOfBirth(const ReadingFileContent &content, const Reading &firstLine, OpenedReading &opened)
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
        opened.birthNote = QStringLiteral("the birth gives %1, not the first line's %2")
                               .arg(reading ? reading->nakshatraName : QStringLiteral("no reading"),
                                    firstLine.nakshatraName);
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

QString readingFileProblemText(const QString &path, ReadingFileProblem problem)
{
    const auto said = [&path](const char *what) { return QStringLiteral("%1 %2").arg(quotedPath(path), QLatin1String(what)); };
    switch (problem) {
    case ReadingFileProblem::Missing:
        return said("does not exist");
    case ReadingFileProblem::Folder:
        return said("is a folder");
    case ReadingFileProblem::NotPlainFile:
        return said("is not a plain file");
    case ReadingFileProblem::Unreadable:
        return said("can't be read");
    case ReadingFileProblem::TooLarge:
        return said("is too large to be a saved Quorvel reading");
    case ReadingFileProblem::NotAReading:
        break;
    }
    return said("is not a saved Quorvel reading");
}

bool saveReading(const QString &path, const Reading &reading, const BirthPlace &place, ReadingFileFailure *failure)
{
    // TODO birth lines once the writer takes them
    (void)place;
    return writeReadingFile(path, reading.nakshatraName, failure);
}
