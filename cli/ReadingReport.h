// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "birth/BirthData.h"
#include "core/BirthTimeSpan.h"
#include "core/Reading.h"
#include "core/ReadingPair.h"
#include "core/SavedBirth.h"
#include "places/PlaceLookup.h"

#include <QJsonObject>
#include <QString>

// "1947-08-14 21:37".
QString clockMinuteIso(const ClockMinute &minute);
// "77:13E", "28:36N".
QString longitudeText(const BirthData &birth);
QString latitudeText(const BirthData &birth);
// The clock's offset from Universal Time as the calculation applied it,
// daylight saving included: "UTC+05:30".
QString clockOffsetText(const BirthData &birth, const EphemerisResult &ephemeris);

// Plain text: the captioned values and the two traits paragraphs and, for a
// calculated reading, the birth line before them and the span after them,
// and after the birth line the place it was found at, where one is given.
QString readingText(const Reading &reading);
QString birthReportText(const Reading &reading, const QString &place = QString());
// A reading opened from the file at `path`: as birthReportText where the
// file keeps the birth, else as readingText, after the file's name.
QString savedReadingText(const QString &path, const Reading &reading);

// A calculated reading, and one opened from the file at `path` (with the
// birth, its place and span where the file keeps them).
QJsonObject birthReportJson(const Reading &reading);
QJsonObject savedReadingJson(const QString &path, const Reading &reading, const BirthPlace &place);

// Two saved readings compared: each one's mansion and nakshatra, the tara
// of each direction and the score.
QJsonObject readingPairJson(const ReadingPair &pair);

// The place found and the offset used, for --json.
QJsonObject foundPlaceJson(const FoundPlace &found);
