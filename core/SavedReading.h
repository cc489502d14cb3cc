// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/Reading.h"
#include "core/SavedBirth.h"
#include "mansions/ReadingFile.h"

#include <QString>

#include <optional>

// A reading opened from a file: the first line's reading, which is the whole
// reading where the file keeps the person's birth too.
struct OpenedReading {
    Reading reading; // its sourcePath the file's
    BirthPlace place;
    QString birthNote; // why a birth after the first line was not taken; empty when none was there or it was
};

// The reading saved at `path`; nothing, with why in `problem`, where the
// path holds none. A birth that is damaged, cut off or gives another
// nakshatra than the first line (an edited file) is left out, with a note.
std::optional<OpenedReading> openReading(const QString &path, ReadingFileProblem *problem = nullptr);

// Why a path, by its bytes, names no file to read: "does not exist", "is a
// folder", "is a symbolic link loop", or a folder on the way that can't be
// searched. Nothing when it names something else.
std::optional<QString> notAFileReason(const QString &path);

// "'/tmp/a.qvr' is a folder": why the path holds no saved reading, where
// openReading gave `problem` for it.
QString unreadableReason(const QString &path, ReadingFileProblem problem = ReadingFileProblem::NotAReading);

// Saves `reading` at `path`: its nakshatra, and the birth with `place` when
// it has one. Done, or why not.
FileWrite saveReading(const QString &path, const Reading &reading, const BirthPlace &place);
