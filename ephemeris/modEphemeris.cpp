// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ephemeris/modEphemeris.h"

#include <array>
#include <cmath>

namespace {

constexpr double j2000 = 2451545.0;          // Julian Day of 2000-01-01 12:00 UT
constexpr double daysPerCentury = 36525.0;   // one Julian century
constexpr double arcsecondsOfBaseAyanamsa = 85886.27;  // ayanamsa at J2000, arcsec
constexpr double nakshatraArcMinutes = 800.0;          // 13 degrees 20 minutes

// One periodic term of the lunar longitude: coefficient times
// sin(d*D + m*M + mp*M' + f*F), scaled by E once when `eccentric`.
struct LongitudeTerm {
    double coefficient;
    int d, m, mp, f;
    bool eccentric;
};

// Leading 25 rows of the 60-row truncation of ELP-2000/82 (Meeus,
// "Astronomical Algorithms", chapter 47, table 47.A), in published order.
constexpr std::array<LongitudeTerm, 25> longitudeTerms = {{
    {+6.288774, 0, 0, 1, 0, false},
    {+1.274027, 2, 0, -1, 0, false},
    {+0.658314, 2, 0, 0, 0, false},
    {+0.213618, 0, 0, 2, 0, false},
    {-0.185116, 0, 1, 0, 0, true},
    {-0.114332, 0, 0, 0, 2, false},
    {+0.058793, 2, 0, -2, 0, false},
    {+0.057066, 2, -1, -1, 0, true},
    {+0.053322, 2, 0, 1, 0, false},
    {+0.045758, 2, -1, 0, 0, true},
    {-0.040923, 0, 1, -1, 0, true},
    {-0.034720, 1, 0, 0, 0, false},
    {-0.030383, 0, 1, 1, 0, true},
    {+0.015327, 2, 0, 0, -2, false},
    {-0.012528, 0, 0, 1, 2, false},
    {+0.010980, 0, 0, 1, -2, false},
    {+0.010675, 4, 0, -1, 0, false},
    {+0.010034, 0, 0, 3, 0, false},
    {+0.008548, 4, 0, -2, 0, false},
    {-0.007888, 2, 1, -1, 0, true},
    {-0.006766, 2, 1, 0, 0, true},
    {-0.005163, 1, 0, -1, 0, false},
    {+0.004987, 1, 1, 0, 0, true},
    {+0.004036, 2, -1, 1, 0, true},
    {+0.003994, 2, 0, 2, 0, false},
}};
static_assert(longitudeTerms.size() == 25);

// The argument of one term, summed in the order the terms are written
// (2D - M - M' is (2D - M) - M').
double termArgument(const LongitudeTerm &term, double d, double m, double mp, double f)
{
    double argument = 0;
    bool first = true;
    auto add = [&](int multiple, double angle) {
        if (multiple == 0)
            return;
        const double scaled = multiple == 1 || multiple == -1 ? angle : std::abs(multiple) * angle;
        if (first)
            argument = multiple < 0 ? -scaled : scaled;
        else
            argument = multiple < 0 ? argument - scaled : argument + scaled;
        first = false;
    };
    add(term.d, d);
    add(term.m, m);
    add(term.mp, mp);
    add(term.f, f);
    return argument;
}

} // namespace

double julianDayNumber(int month, int day, int year)
{
    // Months counted from March of year -4800, so leap days fall at the end.
    const long long m = 12LL * (year + 4800) + month - 3;
    auto floorDiv = [](long long a, long long b) {
        return static_cast<long long>(std::floor(static_cast<double>(a) / static_cast<double>(b)));
    };
    long long j = day + floorDiv(365 * m + 2 * (m - 12 * floorDiv(m, 12)) + 7, 12) + floorDiv(m, 48) - 32083;
    if (j > 2299171)  // after 15 October 1582: Gregorian calendar
        j = j + floorDiv(m, 4800) - floorDiv(m, 1200) + 38;
    return static_cast<double>(j);
}

double moonLongitudeUnreduced(double t)
{
    const double meanLongitude = 218.3164591 + 481267.88134236 * t;
    const double d = (297.8502042 + 445267.1115168 * t) * degToRad;
    const double m = (357.5291092 + 35999.0502909 * t) * degToRad;
    const double mp = (134.9634114 + 477198.8676313 * t) * degToRad;
    const double f = (93.2720993 + 483202.0175273 * t) * degToRad;
    const double e = 1 - 0.002516 * t - 0.0000074 * t * t;

    double series = 0;
    for (const LongitudeTerm &term : longitudeTerms) {
        double value = term.coefficient * std::sin(termArgument(term, d, m, mp, f));
        if (term.eccentric)
            value *= e;
        series += value;
    }
    return meanLongitude + series;
}

double reduceLongitude(double lambda)
{
    // Adding or subtracting 360 to a value of this size is exact until the
    // last addition that crosses zero, so fmod reaches the same value the
    // step-by-step loops would, and only that last addition is rounded.
    if (lambda < 0) {
        const double rest = std::fmod(lambda, 360.0);  // exact, in (-360, 0]
        return rest < 0 ? rest + 360.0 : 0.0;
    }
    if (lambda > 360) {
        const double rest = std::fmod(lambda, 360.0);  // exact, in [0, 360)
        return rest == 0 ? 360.0 : rest;
    }
    return lambda;
}

double moonTropicalLongitude(double t)
{
    return reduceLongitude(moonLongitudeUnreduced(t));
}

double siderealOffset(double t)
{
    const double nodeLongitude = 125.044555 - 1934.1361849 * t + 0.0020762 * t * t;
    const double sunMeanLongitude = 280.466449 + 36000.7698231 * t + 0.0003106 * t * t;
    const double shortPeriod = 17.23 * std::sin(nodeLongitude * degToRad) + 1.27 * std::sin(sunMeanLongitude * degToRad);
    const double precession = t * (1.11 * t + 5025.64);
    return ((shortPeriod - precession) - arcsecondsOfBaseAyanamsa) / 3600.0;
}

bool clockIsAhead(const EphemerisInput &birth)
{
    if (birth.zoneDirection != ZoneDirection::FromLongitude)
        return birth.zoneDirection == ZoneDirection::Ahead;
    double signedLongitude = birth.lonDegrees + birth.lonMinutes / 60.0;  // positive west
    if (birth.isEast)
        signedLongitude = -signedLongitude;
    return signedLongitude < 0;  // 0 degrees 0 minutes counts as western
}

bool computeMoonNakshatra(const EphemerisInput &birth, EphemerisResult &result)
{
    const double localTime = birth.hour + birth.minute / 60.0;
    double zoneOffset = birth.zoneHours + birth.zoneMinutes / 60.0;
    const bool ahead = clockIsAhead(birth);
    if (birth.dst)
        zoneOffset += ahead ? 1 : -1;

    result.julianDay = julianDayNumber(birth.month, birth.day, birth.year);
    const double universalTime = ahead ? localTime - zoneOffset : localTime + zoneOffset;
    if (!std::isfinite(universalTime))
        return false;
    result.universalTime = universalTime;

    const double centuries = ((result.julianDay - j2000) + result.universalTime / 24 - 0.5) / daysPerCentury;
    if (!std::isfinite(centuries))
        return false;
    result.centuries = centuries;

    const double tropical = moonTropicalLongitude(centuries);
    if (!std::isfinite(tropical))
        return false;
    result.tropicalLongitude = tropical;

    return computeNakshatra(result);
}

bool computeNakshatra(EphemerisResult &result)
{
    const double offset = siderealOffset(result.centuries);
    if (!std::isfinite(offset))
        return false;
    result.siderealOffset = offset;

    double sidereal = result.tropicalLongitude + result.siderealOffset;
    if (sidereal < 0)
        sidereal += 360;
    if (!std::isfinite(sidereal))
        return false;
    result.siderealLongitude = sidereal;

    const double q = (60 * sidereal) / nakshatraArcMinutes;
    const double index = std::floor(q);
    if (!(index >= 0 && index < nakshatraCount))
        return false;
    result.nakshatraIndex = static_cast<std::int32_t>(index);
    return true;
}
