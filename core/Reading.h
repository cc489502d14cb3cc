// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "birth/BirthData.h"
#include "core/BirthTimeSpan.h"
#include "ephemeris/modEphemeris.h"
#include "mansions/modChineseLunarMansionInformation.h"
#include "mansions/ReadingCaptions.h"

#include <QString>

#include <array>
#include <optional>

// One reading: everything the result screen, the paper and the command-line
// companion show of it, and the nakshatra that Save writes. A calculated
// reading carries its birth, the calculation's figures and, when asked for,
// the birth-time span; a reading opened from a file has none of them.
struct Reading {
    std::optional<BirthData> birth;
    std::optional<EphemerisResult> ephemeris;
    std::optional<BirthTimeSpan> span;  // also none when it could not be found
    int row = 0;                        // the catalogue row, 0 .. nakshatraRowCount - 1
    MansionRecord mansion{};            // that row, in the catalogue's own spelling
    Quadrant quadrant{};
    QString nakshatraName;
    // In the order of ReadingCaptions::values, as shown: the mansion name and
    // the translation in upper case.
    std::array<QString, readingValueCount> values;
    std::array<QString, readingTraitsCount> traits;  // positive, negative
    int pictureEntry = 0;                            // picture entry 1..mansionCount
    QString sourcePath;  // the saved reading file it was opened from; empty for a calculated one
};

enum class SpanWanted { No, Yes };

// The reading of the nakshatra of catalogue row 0 .. nakshatraRowCount - 1.
Reading readingOfRow(int row);

// The reading a saved file's nakshatra name gives; nothing when the name is
// not one of the catalogue's, spelt exactly.
std::optional<Reading> readingOfNakshatra(const QString &nakshatraName);

// The reading of a birth, with its span when wanted. Nothing when the
// calculation fails, which validated birth data never makes it do.
std::optional<Reading> calculateReading(const BirthData &birth, SpanWanted span = SpanWanted::Yes);
