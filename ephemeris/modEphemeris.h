// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

// Degree/radian factors with the precision of the published tables the lunar
// series was fitted against (15 significant digits, not the full pi/180).
inline constexpr double degToRad = 0.0174532925199433;
inline constexpr double radToDeg = 57.2957795130823;

// Which side of Universal Time the birthplace's clock is on: given as such,
// or taken from the longitude's hemisphere (East ahead, West and exactly
// 0 degrees 0 minutes behind).
enum class ZoneDirection : std::uint8_t { FromLongitude, Ahead, Behind };

// The birth moment and place the calculation takes: the civil date, the
// clock time, the size of the zone's offset with its direction, and the
// longitude. Daylight saving moves the clock one hour ahead of the zone's
// own time.
struct EphemerisInput {
    std::int16_t month = 0;
    std::int16_t day = 0;
    std::int16_t year = 0;
    std::int16_t hour = 0;
    std::int16_t minute = 0;
    std::int16_t zoneHours = 0;
    std::int16_t zoneMinutes = 0;
    std::int16_t lonDegrees = 0;
    std::int16_t lonMinutes = 0;
    bool isEast = false;
    bool dst = false;
    ZoneDirection zoneDirection = ZoneDirection::FromLongitude;

    friend bool operator==(const EphemerisInput &, const EphemerisInput &) = default;
};

// Whether the birth's clock is ahead of Universal Time: as its zone's
// direction says, or else when the longitude lies east of Greenwich.
bool clockIsAhead(const EphemerisInput &birth);

// The zodiac's equal divisions, numbered 0..26 from the sidereal zero point.
inline constexpr int nakshatraCount = 27;

// Everything one calculation derives from the birth data, in the order it is
// computed.
struct EphemerisResult {
    double julianDay = 0;          // day number of the civil birth date (noon-based)
    double universalTime = 0;      // decimal hours, never wrapped into 0..24
    double centuries = 0;          // Julian centuries from J2000 to the birth instant
    double tropicalLongitude = 0;  // Moon's geocentric longitude of date, 0..360
    double siderealOffset = 0;     // added to a tropical longitude to make it sidereal
    double siderealLongitude = 0;  // 0 to under 360
    std::int32_t nakshatraIndex = 0;  // 0 .. nakshatraCount - 1
};

// Julian Day Number of a civil date: Julian calendar up to 15 October 1582,
// Gregorian from the day after.
double julianDayNumber(int month, int day, int year);

// The Moon's tropical longitude at T Julian centuries from J2000, reduced to
// the closed range 0..360.
double moonTropicalLongitude(double centuries);

// Mean elements plus the leading 25 periodic terms, unreduced, in degrees.
double moonLongitudeUnreduced(double centuries);

// Reduces a longitude the way repeated addition and subtraction of 360 would,
// in constant time: negatives up into 0..360, then values above 360 down to
// at most 360 (an exact multiple of 360 above zero stays 360).
double reduceLongitude(double lambda);

// The sidereal correction in degrees (the negative of the ayanamsa).
double siderealOffset(double centuries);

// The sidereal steps: from `centuries` and `tropicalLongitude` already in
// `result`, fills the offset, the sidereal longitude and the nakshatra.
// Returns false, leaving those fields untouched, on a non-finite value.
bool computeNakshatra(EphemerisResult &result);

// Fills `result` from `input`, step by step. Returns false when a step yields
// a non-finite value; that step and the later fields are then left untouched.
bool computeMoonNakshatra(const EphemerisInput &input, EphemerisResult &result);
