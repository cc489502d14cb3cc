// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "birth/Angle.h"
#include "birth/ZoneOffset.h"
#include "ephemeris/modEphemeris.h"

#include <QString>
#include <QtGlobal>

#include <optional>

// The years a birth may fall in: the range the lunar series is trusted over,
// and the year list of the main input screen.
inline constexpr int firstBirthYear = 1901;
inline constexpr int lastBirthYear = 2050;

// The birth inputs of a calculation that passed validation: the moment and
// longitude the ephemeris takes (with the zone's direction, given or from
// the longitude), plus the name and the latitude, which it doesn't.
struct BirthData : EphemerisInput {
    QString name;
    qint16 latDegrees = 0;
    qint16 latMinutes = 0;
    bool isNorth = false;

    Angle latitude() const { return {latDegrees, latMinutes, isNorth}; }
    Angle longitude() const { return {lonDegrees, lonMinutes, isEast}; }
    ZoneOffset zone() const { return {zoneHours, zoneMinutes, zoneDirection}; }

    friend bool operator==(const BirthData &, const BirthData &) = default;
};

// The text with leading and trailing blanks removed (other white space stays).
QString trimBlanks(const QString &text);

// A box's integer: the trimmed text read as a decimal integer, optionally
// signed, that fits a 16-bit signed integer. Anything else gives nothing.
std::optional<qint16> boxInteger(const QString &text);

// A zone box's value: the size of the box's integer. Its sign, where it
// has one, gives the direction instead (see zoneDirectionOf).
std::optional<qint16> boxMagnitude(const QString &text);

// The direction the zone boxes give by the picker's signs: the hour box's
// sign first, else the minute box's; no sign follows the longitude.
ZoneDirection zoneDirectionOf(const QString &hourText, const QString &minuteText);

// The clock's offset from Universal Time in minutes, positive ahead, as the
// calculation takes the birth: the zone's size in its direction, and with
// `withDst` the daylight saving hour, which always moves the clock ahead.
int clockOffsetMinutes(const EphemerisInput &birth, bool withDst);
