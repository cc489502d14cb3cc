// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/Reading.h"
#include "core/Tara.h"

#include <QString>

// Two readings side by side with the tara relation between them: what the
// comparison window, its paper and the command-line companion show.
struct ReadingPair {
    Reading a;
    Reading b;
    QString nameA; // readingName of each
    QString nameB;
    TaraMatch match;
};

// The captions of a comparison, wherever it is shown.
namespace PairCaptions {
inline constexpr char title[] = "Quorvel Comparison";
inline constexpr char count[] = "Count";
inline constexpr char tara[] = "Tara";
inline constexpr char meaning[] = "Meaning";
inline constexpr char favourable[] = "Favourable";
inline constexpr char score[] = "Score";
} // namespace PairCaptions

// What a reading is called: the person's name where it is known, else the
// name of the file it was opened from, else its nakshatra.
QString readingName(const Reading &reading);

ReadingPair readingPair(const Reading &a, const Reading &b);

// The stem of every file name proposed for a reading, without its suffix:
// "Anna Gruber - Jī", the person's name and the mansion as the catalogue
// spells it; the mansion alone for a reading with no person. No folder
// separators or control characters.
QString readingFileStem(const Reading &reading);
// "Carlos Ruiz and Anna Gruber": the two readings' names (a saved file's
// without its extension), as readingFileStem keeps them.
QString pairFileStem(const ReadingPair &pair);

// "Ann to revati.qvr".
QString directionName(const QString &from, const QString &to);
// "Yes" or "No".
QString favourableText(const TaraStep &step);
// A step in one line: "Count 20: Sampat (wealth), favourable".
QString taraStepLine(const TaraStep &step);

// The comparison as plain text, for the clipboard and the command line.
QString readingPairText(const ReadingPair &pair);
