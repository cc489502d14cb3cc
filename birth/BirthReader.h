// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "birth/BirthData.h"
#include "sys/Result.h"

#include <QString>

#include <optional>
#include <vector>

// The one reader of a birth: the fields as the main screen or the
// command-line companion parsed them go in, and either the birth data or
// every problem with them comes out. Each side words a problem its own way.

// A birth as entered, before it is judged: each number as a 16-bit integer,
// nothing where its box or field holds anything else.
struct BirthEntry {
    QString name;
    int year = 0;
    int month = 1;  // 1 = January
    int day = 1;
    int hour = 0;
    int minute = 0;
    std::optional<qint16> zoneHours;  // sizes; the direction is apart
    std::optional<qint16> zoneMinutes;
    ZoneDirection zoneDirection = ZoneDirection::FromLongitude;
    bool dst = false;
    std::optional<qint16> lonDegrees;
    std::optional<qint16> lonMinutes;
    bool isEast = true;
    std::optional<qint16> latDegrees;
    std::optional<qint16> latMinutes;
    bool isNorth = true;
};

// Where a problem lies, in the order the main screen reports them.
enum class BirthPart { Name, ZoneHours, ZoneMinutes, LonDegrees, LonMinutes, LatDegrees, LatMinutes, Date };

enum class ProblemKind {
    Missing,     // empty, or not a 16-bit integer (for the zone: either box)
    OutOfRange,  // beyond the limits below, or minutes of 60 or more
    NoSuchDay,   // the month has no such day
    DstBeyond,   // a zone within the limit that DST's hour takes past it
};

struct BirthProblem {
    BirthPart part;
    ProblemKind kind;
};

// The largest values that exist: clocks run at most 14 hours from Universal
// Time (Kiribati's Line Islands), DST included.
inline constexpr int largestZoneHours = 14;
inline constexpr int largestLongitude = 180;
inline constexpr int largestLatitude = 90;

// The birth when nothing is wrong with the entry; otherwise every problem,
// at most one for each part, in BirthPart order.
using BirthOrProblems = Result<BirthData, std::vector<BirthProblem>>;
BirthOrProblems readBirth(const BirthEntry &entry);

// The key filter of the six number boxes: digits and Backspace only.
bool isAcceptedNumberKey(char16_t character);

// What the zone-hour box may hold as typed: digits after at most one
// leading sign ("-" ahead of Universal Time, "+" behind).
bool isZoneHourText(const QString &text);

// The entry's zone, DST and longitude as the calculation would take them:
// nothing while the zone would be refused, or while an unsigned zone has no
// longitude to take its direction from.
std::optional<EphemerisInput> enteredZone(const BirthEntry &entry);
