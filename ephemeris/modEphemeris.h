#pragma once

#include "core/BirthData.h"

#include <QString>

#include <array>
#include <cstdint>

// Degree/radian factors with the precision of the published tables the lunar
// series was fitted against (15 significant digits, not the full pi/180).
inline constexpr double degToRad = 0.0174532925199433;
inline constexpr double radToDeg = 57.2957795130823;

// Everything one calculation derives from the birth data, in the order it is
// computed.
struct EphemerisResult {
    double julianDay = 0;          // day number of the civil birth date (noon-based)
    double universalTime = 0;      // decimal hours, never wrapped into 0..24
    double centuries = 0;          // Julian centuries from J2000 to the birth instant
    double tropicalLongitude = 0;  // Moon's geocentric longitude of date, 0..360
    double siderealOffset = 0;     // added to a tropical longitude to make it sidereal
    double siderealLongitude = 0;  // 0 to under 360
    std::int32_t nakshatraIndex = 0;
    QString nakshatraName;
};

// 27 names in zodiac order plus an empty 28th slot. The exact spelling is the
// key of the mansion lookup ("Poorva" and "Purva" both occur).
extern const std::array<const char *, 28> nakshatraNames;

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

// Fills `result` from `birth`, step by step. Returns false when a step yields
// a non-finite value; that step and the later fields are then left untouched.
bool computeMoonNakshatra(const BirthData &birth, EphemerisResult &result);
