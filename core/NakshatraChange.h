// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ephemeris/modEphemeris.h"

#include <QtGlobal>

#include <functional>
#include <optional>

// a / b rounded towards minus infinity, as minutes before 1970 or before a
// day's start need.
constexpr qint64 floorDivide(qint64 a, qint64 b)
{
    const qint64 quotient = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? quotient - 1 : quotient;
}

// Where the Moon of the lunar series enters a nakshatra, to the whole minute
// of some clock. The crossing of the boundary is found on the continuous
// longitude (a prediction, then secant steps), and the whole minute is then
// settled against the reading calculation itself, so that a birth at the
// minute found gives the new nakshatra and a birth one minute earlier the one
// before. The birth-time span and the Moon's calendar both search this way.

inline constexpr double minutesPerCentury = 36525.0 * 24 * 60;  // T advances by 1 over this many minutes
inline constexpr double nakshatraDegrees = 360.0 / nakshatraCount;  // 13 degrees 20 minutes

// The sidereal longitude without any reduction: continuous and increasing
// in T, so each nakshatra boundary is crossed exactly once near a moment.
double unwrappedSiderealLongitude(double centuries);

// A clock counted in whole minutes from a minute 0 of its own: T at that
// minute, and the nakshatra a reading gives for each whole minute (-1 when
// the calculation fails).
struct MinuteClock {
    double centuriesAtZero = 0;
    std::function<int(qint64 minute)> nakshatraAt;
};

// A nakshatra's first minute on a clock.
struct NakshatraEntry {
    qint64 minute = 0;      // the first whole minute that gives the nakshatra
    int previousIndex = 0;  // what the minute before gives
    double crossing = 0;    // the fractional minute the longitude reaches the boundary
};

// The first minute of nakshatra `index`, whose start lies where the unwrapped
// longitude reaches `boundary`: searched from the fractional minute `from`,
// where the longitude is `longitudeAtFrom`, forwards or backwards as the
// boundary lies. Nothing when the calculation fails on the way.
std::optional<NakshatraEntry> findNakshatraEntry(const MinuteClock &clock, int index, double boundary, double from,
                                                 double longitudeAtFrom);

// How many times the searches have evaluated the lunar series in this
// process, the readings at whole minutes included; for the benchmarks.
quint64 nakshatraSeriesEvaluations();
