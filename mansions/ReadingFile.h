// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "sys/SafeFile.h"

#include <QString>

#include <optional>

// The saved reading file: the scrambled nakshatra name and CR LF.

// True when the last three characters of the path are exactly "qvr".
bool hasReadingExtension(const QString &path);

// Writes the file as writeFileSafely does: an existing file stays whole until
// the new one is complete. False on any failure, its cause in `failure` when
// one is given.
bool writeReadingFile(const QString &path, const QString &nakshatraName, FileWriteFailure *failure = nullptr);

// The nakshatra name of a saved reading, or nothing when the path is not a
// regular readable file whose first line unscrambles to one of the 27 names.
// Reads a bounded prefix only.
std::optional<QString> readReadingFile(const QString &path);
