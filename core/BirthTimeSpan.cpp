// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/BirthTimeSpan.h"

#include "core/NakshatraChange.h"
#include "mansions/modChineseLunarMansionInformation.h"

#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

constexpr qint64 minutesPerDay = 24 * 60;

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

// The nakshatra the calculation itself gives for the birth moved by `offset`
// minutes; -1 when the calculation fails.
int nakshatraAtOffset(const BirthData &birth, qint64 offset)
{
    EphemerisResult result;
    if (!computeMoonNakshatra(birthAtClockOffset(birth, offset), result))
        return -1;
    return result.nakshatraIndex;
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

    // The clock of the birth, counted in minutes from the birth.
    const MinuteClock birthClock{atBirth.centuries, [&birth](qint64 offset) { return nakshatraAtOffset(birth, offset); }};
    const int next = (index + 1) % nakshatraCount;
    const std::optional<NakshatraEntry> entered = findNakshatraEntry(birthClock, index, start, 0, here);
    const std::optional<NakshatraEntry> left = findNakshatraEntry(birthClock, next, end, 0, here);
    if (!entered || !left)
        return std::nullopt;

    BirthTimeSpan span;
    span.nakshatraIndex = index;
    span.firstOffset = entered->minute;
    span.previousIndex = entered->previousIndex;
    span.lastOffset = left->minute - 1;
    span.nextIndex = next;
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
