// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/BirthTimeSpan.h"

#include "ephemeris/modEphemeris.h"
#include "mansions/modChineseLunarMansionInformation.h"

#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

constexpr qint64 minutesPerDay = 24 * 60;
constexpr double minutesPerCentury = 36525.0 * minutesPerDay;  // T advances by 1 over this many minutes
constexpr double nakshatraDegrees = 360.0 / nakshatraCount;    // 13 degrees 20 minutes

// Bracketing: step away from the birth this many minutes at a time. The Moon
// of this series moves between about 11 and 16 degrees a day, so a boundary
// is never further than about 30 hours away; the limit is a safety net.
constexpr double searchStepMinutes = 360;
constexpr double searchLimitMinutes = 4 * minutesPerDay;
// The crossing is located to well under a second; whole minutes are then
// settled against the calculation itself.
constexpr double crossingToleranceMinutes = 1e-6;
constexpr int maximumRefinements = 100;
// How far the minute-by-minute check may move an estimated edge.
constexpr int maximumEdgeMoves = 3;

qint64 floorDivide(qint64 a, qint64 b)
{
    const qint64 quotient = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? quotient - 1 : quotient;
}

bool hasClockTime(const BirthData &birth)
{
    return QDate(birth.year, birth.month, birth.day).isValid() && birth.hour >= 0 && birth.hour < 24
        && birth.minute >= 0 && birth.minute < 60;
}

ClockMinute clockMinuteAt(const BirthData &birth, qint64 offset)
{
    const qint64 minuteOfDay = qint64(birth.hour) * 60 + birth.minute + offset;
    const qint64 days = floorDivide(minuteOfDay, minutesPerDay);
    const qint64 rest = minuteOfDay - days * minutesPerDay;
    ClockMinute clock;
    clock.date = QDate(birth.year, birth.month, birth.day).addDays(days);
    clock.hour = int(rest / 60);
    clock.minute = int(rest % 60);
    return clock;
}

// The sidereal longitude without any reduction: continuous and increasing in
// T, so each nakshatra boundary is crossed exactly once near the birth.
double unwrappedSiderealLongitude(double centuries)
{
    return moonLongitudeUnreduced(centuries) + siderealOffset(centuries);
}

// The minute offset from the birth (fractional) at which the unwrapped
// longitude reaches `target`, searched from the birth in `direction` (-1 or
// +1): bracketed by fixed steps, then narrowed by regula falsi with the
// Illinois modification, which keeps the bracket and converges fast.
std::optional<double> crossingOffset(double birthCenturies, double target, int direction)
{
    auto height = [&](double offset) {
        return unwrappedSiderealLongitude(birthCenturies + offset / minutesPerCentury) - target;
    };
    double a = 0;
    double fa = height(a);
    double b = a;
    double fb = fa;
    for (double step = searchStepMinutes;; step += searchStepMinutes) {
        if (step > searchLimitMinutes || !std::isfinite(fa))
            return std::nullopt;
        b = direction * step;
        fb = height(b);
        if (!std::isfinite(fb))
            return std::nullopt;
        if ((fb < 0) != (fa < 0))
            break;
        a = b;
        fa = fb;
    }
    for (int i = 0; i < maximumRefinements && std::abs(b - a) > crossingToleranceMinutes; ++i) {
        const double c = (a * fb - b * fa) / (fb - fa);
        const double fc = height(c);
        if (!std::isfinite(fc))
            return std::nullopt;
        if (fc == 0)
            return c;
        if ((fc < 0) != (fb < 0)) {
            a = b;
            fa = fb;
        } else {
            fa /= 2;  // the end kept twice running: halve its weight so it moves too
        }
        b = c;
        fb = fc;
    }
    return b;
}

// The nakshatra the calculation itself gives for the birth moved by `offset`
// minutes; -1 when the calculation fails.
int nakshatraAtOffset(const BirthData &birth, qint64 offset)
{
    EphemerisResult result;
    if (!computeMoonNakshatra(birthAtClockOffset(birth, offset), result))
        return -1;
    return result.nakshatraIndex;
}

// Moves an estimated first minute until it gives `index` and the minute
// before it doesn't; stores that minute's nakshatra in `outside`.
bool settleFirstMinute(const BirthData &birth, int index, qint64 &first, int &outside)
{
    for (int moves = 0; moves <= maximumEdgeMoves; ++moves) {
        if (nakshatraAtOffset(birth, first) != index) {
            ++first;
            continue;
        }
        outside = nakshatraAtOffset(birth, first - 1);
        if (outside != index)
            return outside >= 0;
        --first;
    }
    return false;
}

// The same for the last minute and the minute after it.
bool settleLastMinute(const BirthData &birth, int index, qint64 &last, int &outside)
{
    for (int moves = 0; moves <= maximumEdgeMoves; ++moves) {
        if (nakshatraAtOffset(birth, last) != index) {
            --last;
            continue;
        }
        outside = nakshatraAtOffset(birth, last + 1);
        if (outside != index)
            return outside >= 0;
        ++last;
    }
    return false;
}

} // namespace

BirthData birthAtClockOffset(const BirthData &birth, qint64 minutes)
{
    const ClockMinute clock = clockMinuteAt(birth, minutes);
    BirthData moved = birth;
    moved.year = qint16(clock.date.year());
    moved.month = qint16(clock.date.month());
    moved.day = qint16(clock.date.day());
    moved.hour = qint16(clock.hour);
    moved.minute = qint16(clock.minute);
    return moved;
}

std::optional<BirthTimeSpan> computeBirthTimeSpan(const BirthData &birth)
{
    if (!hasClockTime(birth))
        return std::nullopt;
    EphemerisResult atBirth;
    if (!computeMoonNakshatra(birth, atBirth))
        return std::nullopt;
    const int index = atBirth.nakshatraIndex;
    if (index < 0 || index >= nakshatraCount)
        return std::nullopt;

    // The boundaries in the unwrapped longitude: the birth's own value less
    // the distance back to the nakshatra's start, plus the distance on to its end.
    const double here = unwrappedSiderealLongitude(atBirth.centuries);
    const double intoNakshatra = atBirth.siderealLongitude - index * nakshatraDegrees;
    const double start = here - intoNakshatra;
    const double end = here + (nakshatraDegrees - intoNakshatra);

    const std::optional<double> startCrossing = crossingOffset(atBirth.centuries, start, -1);
    const std::optional<double> endCrossing = crossingOffset(atBirth.centuries, end, +1);
    if (!startCrossing || !endCrossing)
        return std::nullopt;

    // A longitude exactly on a boundary belongs to the nakshatra that begins
    // there: the first minute is the first whole minute at or after the start
    // crossing, the last one the last whole minute before the end crossing.
    BirthTimeSpan span;
    span.nakshatraIndex = index;
    // The birth minute itself is always inside.
    span.firstOffset = std::min<qint64>(qint64(std::ceil(*startCrossing)), 0);
    span.lastOffset = std::max<qint64>(qint64(std::ceil(*endCrossing)) - 1, 0);
    if (!settleFirstMinute(birth, index, span.firstOffset, span.previousIndex)
        || !settleLastMinute(birth, index, span.lastOffset, span.nextIndex))
        return std::nullopt;
    span.first = clockMinuteAt(birth, span.firstOffset);
    span.last = clockMinuteAt(birth, span.lastOffset);
    return span;
}

QString clockMinuteText(const ClockMinute &minute)
{
    // English month names whatever the user's locale: the program's texts are English.
    return QStringLiteral("%1 %2 %3, %4:%5")
        .arg(minute.date.day())
        .arg(QLocale::c().monthName(minute.date.month(), QLocale::LongFormat))
        .arg(minute.date.year())
        .arg(minute.hour, 2, 10, QLatin1Char('0'))
        .arg(minute.minute, 2, 10, QLatin1Char('0'));
}

QString durationText(qint64 minutes)
{
    const qint64 hours = minutes / 60;
    const qint64 rest = minutes % 60;
    QStringList parts;
    if (hours != 0)
        parts << QStringLiteral("%1 %2").arg(hours).arg(hours == 1 ? QStringLiteral("hour") : QStringLiteral("hours"));
    if (rest != 0 || hours == 0)
        parts << QStringLiteral("%1 %2").arg(rest).arg(rest == 1 ? QStringLiteral("minute") : QStringLiteral("minutes"));
    return parts.join(u' ');
}

QString birthTimeSpanText(const BirthTimeSpan &span)
{
    return QStringLiteral("The Moon stays in %1 from %2 to %3 (your clock time): "
                          "a birth %4 earlier would give %5, %6 later %7.")
        .arg(nakshatraName(span.nakshatraIndex), clockMinuteText(span.first), clockMinuteText(span.last),
             durationText(span.minutesEarlier()), nakshatraName(span.previousIndex),
             durationText(span.minutesLater()), nakshatraName(span.nextIndex));
}
