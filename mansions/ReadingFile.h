// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "sys/SafeFile.h"

#include <QString>

#include <optional>

// The saved reading file: the scrambled nakshatra name and CR LF, which is
// all a reader of the format takes; lines after it may carry more.

// True when the last three characters of the path are exactly "qvr".
bool hasReadingExtension(const QString &path);

// The file's first line: the scrambled name and CR LF.
QByteArray readingFirstLine(const QString &nakshatraName);

// Writes the first line alone as writeFileSafely does: an existing file stays whole until
// the new one is complete. Done, or why not.
FileWrite writeReadingFile(const QString &path, const QString &nakshatraName);

// Why a readable file holds no saved reading.
enum class ReadingFileProblem { NotAReading, TooLarge };

// A saved reading's first line, unscrambled, and the bytes after its line
// end. `laterLines` is cut off (and `laterLinesWhole` false) where the
// file goes on beyond what is read.
struct ReadingFileContent {
    QString nakshatraName;
    QByteArray laterLines;
    bool laterLinesWhole = true;
};

// The saved reading at `path`, or nothing (with why in `problem`) when the
// path is not a regular readable file whose first line unscrambles to one of
// the 27 names. Reads a bounded prefix only.
std::optional<ReadingFileContent> readReadingFileContent(const QString &path, ReadingFileProblem *problem = nullptr);

// The nakshatra name of a saved reading, as readReadingFileContent finds it.
std::optional<QString> readReadingFile(const QString &path);
