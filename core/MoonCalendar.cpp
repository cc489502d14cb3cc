// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/MoonCalendar.h"

#include "birth/BirthData.h"
#include "core/NakshatraChange.h"
#include "mansions/modChineseLunarMansionInformation.h"

#include <QTime>

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace {

constexpr qint64 minutesPerDay = 24 * 60;
constexpr qint64 unixEpochJulianDay = 2440588;  // the day number of 1970-01-01
// T at 1970-01-01 00:00 UTC, counted from J2000 (2000-01-01 12:00).
constexpr double centuriesAtUnixEpoch = (2440587.5 - 2451545.0) / 36525.0;

// The birth at a UT minute: the date and time of day on a clock on
// Universal Time.
EphemerisInput birthAtMinute(qint64 minute)
{
    const qint64 days = floorDivide(minute, minutesPerDay);
    const qint64 minuteOfDay = minute - days * minutesPerDay;
    const QDate date = QDate::fromJulianDay(unixEpochJulianDay + days);
    EphemerisInput birth;
    birth.year = std::int16_t(date.year());
    birth.month = std::int16_t(date.month());
    birth.day = std::int16_t(date.day());
    birth.hour = std::int16_t(minuteOfDay / 60);
    birth.minute = std::int16_t(minuteOfDay % 60);
    birth.zoneDirection = ZoneDirection::Ahead;  // by zero hours: the direction changes nothing
    return birth;
}

// "2023-10-29T02:26" (with ":00" seconds when asked) of a count of seconds
// from 1970-01-01 00:00 on some clock; written out directly, as the calendar
// of 150 years writes some 200,000 of them.
QString isoText(qint64 second, bool withSeconds)
{
    constexpr qint64 secondsPerDay = minutesPerDay * 60;
    const qint64 days = floorDivide(second, secondsPerDay);
    const int rest = int(second - days * secondsPerDay);
    int year = 0;
    int month = 0;
    int day = 0;
    QDate::fromJulianDay(unixEpochJulianDay + days).getDate(&year, &month, &day);
    const int hour = rest / 3600;
    const int minute = rest / 60 % 60;
    return withSeconds ? QString::asprintf("%04d-%02d-%02dT%02d:%02d:%02d", year, month, day, hour, minute, rest % 60)
                       : QString::asprintf("%04d-%02d-%02dT%02d:%02d", year, month, day, hour, minute);
}

} // namespace

bool isCalendarDate(const QDate &date)
{
    return date.isValid() && date.year() >= firstBirthYear && date.year() <= lastBirthYear;
}

int nakshatraAtMinute(qint64 minute)
{
    EphemerisResult result;
    if (!computeMoonNakshatra(birthAtMinute(minute), result))
        return -1;
    return result.nakshatraIndex;
}

QString periodNakshatraName(const MoonPeriod &period)
{
    return nakshatraName(period.nakshatraIndex);
}

QString periodMansionName(const MoonPeriod &period)
{
    return QString::fromUtf8(mansionRow(period.nakshatraIndex).name);
}

QDateTime utcOfMinute(qint64 minute)
{
    return QDateTime::fromSecsSinceEpoch(minute * 60, Qt::UTC);
}

qint64 minuteOfDateTime(const QDateTime &moment)
{
    return floorDivide(moment.toSecsSinceEpoch(), 60);
}

ZoneClock::ZoneClock(const QTimeZone &zone, qint64 fromMinute, qint64 toMinute)
    : m_zone(zone)
{
    auto offsetOf = [](const QTimeZone::OffsetData &data) {
        return Offset{data.atUtc.toSecsSinceEpoch(), data.offsetFromUtc, data.abbreviation};
    };
    const QDateTime from = utcOfMinute(fromMinute);
    // Asked directly: a zone without changes (UTC) has no offset data.
    m_offsets.push_back({std::numeric_limits<qint64>::min(), zone.offsetFromUtc(from), zone.abbreviation(from)});
    // Walked one change at a time: Qt's list of transitions ends with the
    // zone file's last one (2037), while each next one is reckoned from the
    // zone's rule beyond it. Asked from a second after each change, since Qt
    // finds none after the file's last one when asked from that very instant.
    const QDateTime to = utcOfMinute(toMinute);
    QDateTime after = from;
    for (QTimeZone::OffsetData change = zone.nextTransition(after);
         change.atUtc.isValid() && change.atUtc > after && change.atUtc <= to;
         change = zone.nextTransition(after.addSecs(1))) {
        m_offsets.push_back(offsetOf(change));
        after = change.atUtc;
    }
}

ZoneTime ZoneClock::at(qint64 minute) const
{
    const qint64 second = minute * 60;
    const auto after = std::upper_bound(m_offsets.begin(), m_offsets.end(), second,
                                        [](qint64 s, const Offset &offset) { return s < offset.fromSecond; });
    const Offset &offset = *std::prev(after);  // the first holds from the earliest second
    ZoneTime time;
    time.offsetSeconds = offset.seconds;
    time.abbreviation = offset.abbreviation;
    time.local = QDateTime::fromSecsSinceEpoch(second, Qt::OffsetFromUTC, offset.seconds);
    return time;
}

QString localIsoText(const ZoneTime &time)
{
    const bool wholeMinutes = time.offsetSeconds % 60 == 0;
    const int size = std::abs(time.offsetSeconds);
    const char sign = time.offsetSeconds < 0 ? '-' : '+';
    const QString offset = wholeMinutes ? QString::asprintf("%c%02d:%02d", sign, size / 3600, size / 60 % 60)
                                        : QString::asprintf("%c%02d:%02d:%02d", sign, size / 3600, size / 60 % 60, size % 60);
    return isoText(time.local.toSecsSinceEpoch() + time.offsetSeconds, !wholeMinutes) + offset;
}

QString utcIsoText(qint64 minute)
{
    return isoText(minute * 60, false) + u'Z';
}

MinuteSpan daySpan(const QDate &from, const QDate &to, const QTimeZone &zone)
{
    auto midnight = [&zone](const QDate &date) {
        // Where the clocks skipped midnight, Qt moves the time forward past the gap.
        return minuteOfDateTime(QDateTime(date, QTime(0, 0), zone));
    };
    return {midnight(from), midnight(to.addDays(1))};
}

bool forEachMoonPeriod(const MinuteSpan &span, const std::function<bool(const MoonPeriod &)> &visit)
{
    const MinuteClock universalTime{centuriesAtUnixEpoch, nakshatraAtMinute};
    EphemerisResult atFrom;
    if (!computeMoonNakshatra(birthAtMinute(span.from), atFrom))
        return false;

    // The nakshatra running at the span's start began where the unwrapped
    // longitude stood that far below its value then.
    const double here = unwrappedSiderealLongitude(centuriesAtUnixEpoch + double(span.from) / minutesPerCentury);
    double boundary = here - (atFrom.siderealLongitude - atFrom.nakshatraIndex * nakshatraDegrees);
    std::optional<NakshatraEntry> entry =
        findNakshatraEntry(universalTime, atFrom.nakshatraIndex, boundary, double(span.from), here);
    if (!entry)
        return false;

    MoonPeriod period{atFrom.nakshatraIndex, entry->minute, 0};
    for (;;) {
        // Each change is searched from the last one, where the longitude
        // stood on the boundary before.
        const int next = (period.nakshatraIndex + 1) % nakshatraCount;
        entry = findNakshatraEntry(universalTime, next, boundary + nakshatraDegrees, entry->crossing, boundary);
        if (!entry)
            return false;
        period.endMinute = entry->minute;
        if (!visit(period) || period.endMinute >= span.to)
            return true;
        period = {next, entry->minute, 0};
        boundary += nakshatraDegrees;
    }
}

std::optional<std::vector<MoonPeriod>> moonPeriods(const QDate &from, const QDate &to, const QTimeZone &zone)
{
    if (!isCalendarDate(from) || !isCalendarDate(to) || from > to || !zone.isValid())
        return std::nullopt;
    std::vector<MoonPeriod> periods;
    const bool found = forEachMoonPeriod(daySpan(from, to, zone), [&periods](const MoonPeriod &period) {
        periods.push_back(period);
        return true;
    });
    if (!found)
        return std::nullopt;
    return periods;
}
