// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Reading.h"

static_assert(nakshatraRowCount == nakshatraCount, "each nakshatra has its catalogue row");

Reading readingOfRow(int row)
{
    Reading reading;
    reading.row = row;
    reading.mansion = mansionRow(row);
    reading.quadrant = quadrantOf(row);
    reading.nakshatraName = nakshatraName(row);
    const auto text = [](const char *utf8) { return QString::fromUtf8(utf8); };
    // toUpper() maps accented capitals too: "Kàng" shows as "KÀNG".
    reading.values = {text(reading.mansion.name).toUpper(),
                      text(reading.quadrant.direction),
                      text(reading.mansion.westernConstellation),
                      text(reading.quadrant.animal),
                      text(reading.mansion.literalTranslation).toUpper(),
                      text(reading.quadrant.season),
                      reading.nakshatraName};
    reading.traits = {positiveTraits(row), negativeTraits(row)};
    reading.pictureEntry = row + 1;
    return reading;
}

std::optional<Reading> readingOfNakshatra(const QString &nakshatraName)
{
    const std::optional<int> row = findMansionRow(nakshatraName);
    if (!row)
        return std::nullopt;
    return readingOfRow(*row);
}

std::optional<Reading> calculateReading(const BirthData &birth, SpanWanted span)
{
    EphemerisResult ephemeris;
    if (!computeMoonNakshatra(birth, ephemeris))
        return std::nullopt;
    Reading reading = readingOfRow(ephemeris.nakshatraIndex);
    reading.birth = birth;
    reading.ephemeris = ephemeris;
    if (span == SpanWanted::Yes)
        reading.span = computeBirthTimeSpan(birth);
    return reading;
}
