// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTimeZone>
#include <QtGlobal>

#include <functional>
#include <optional>
#include <vector>

// The Moon's days: the moments at which the Moon of the lunar series enters
// a new nakshatra, over a span of days on a zone's clock.
//
// A period starts at the first whole minute of Universal Time at which a
// reading gives its nakshatra: a birth at that minute gives it, and a birth
// one minute earlier the one before, so the calendar and a reading never
// disagree. Each change is found by the search of the birth-time span
// (core/NakshatraChange.h): a few evaluations of the series, never minute
// by minute.
//
// Instants are whole minutes of Universal Time counted from 1970-01-01 00:00
// UTC ("UT minutes"); utcOfMinute and ZoneClock turn them into clock times.

// One stretch during which the Moon stays in one nakshatra.
struct MoonPeriod {
    int nakshatraIndex = 0;  // 0 (Ashwini) .. 26 (Revati); also its mansion's catalogue row
    qint64 startMinute = 0;  // the first UT minute a reading gives this nakshatra
    qint64 endMinute = 0;    // the next period's startMinute
};

// Whether a calendar may cover the date: the years of a birth, 1901 to 2050.
bool isCalendarDate(const QDate &date);

// The nakshatra a reading gives for a birth at a UT minute (a clock on
// Universal Time); -1 when the calculation fails.
int nakshatraAtMinute(qint64 minute);

// A period's nakshatra and mansion as the catalogue spells them: "Bharani",
// "Kàng".
QString periodNakshatraName(const MoonPeriod &period);
QString periodMansionName(const MoonPeriod &period);

// The UT minute as a date and time in UTC, and back (seconds dropped).
QDateTime utcOfMinute(qint64 minute);
qint64 minuteOfDateTime(const QDateTime &moment);

// One instant on a zone's clock.
struct ZoneTime {
    QDateTime local;        // the clock's date and time, with the offset in force (Qt::OffsetFromUTC)
    int offsetSeconds = 0;  // ahead of Universal Time
    QString abbreviation;   // "CEST", "EST"; what the zone database names the offset
};

// A zone's clock over a span of instants: the zone's changes of offset are
// read once, so each instant is a binary search rather than a question to the
// zone database (which reckons a zone's rule afresh at each question after
// 2037). Instants outside the span get the nearest end's offset.
class ZoneClock {
public:
    ZoneClock(const QTimeZone &zone, qint64 fromMinute, qint64 toMinute);
    ZoneTime at(qint64 minute) const;
    const QTimeZone &zone() const { return m_zone; }

private:
    struct Offset {
        qint64 fromSecond;  // Unix seconds from which it holds
        int seconds;
        QString abbreviation;
    };
    QTimeZone m_zone;
    std::vector<Offset> m_offsets;  // in time order; the first holds from before the span
};

// "2023-10-29T02:26+02:00": ISO 8601 with the offset in force, so that a
// repeated hour is never ambiguous. An offset of whole minutes and seconds
// (local mean time before 1940 in some zones) gives both with seconds.
QString localIsoText(const ZoneTime &time);
// "2023-10-29T00:26Z".
QString utcIsoText(qint64 minute);

// The UT minutes from `from`'s 00:00 on the zone's clock to the 00:00 after
// `to` (where a midnight was skipped, the first minute after it).
struct MinuteSpan {
    qint64 from = 0;
    qint64 to = 0;  // excluded
};
MinuteSpan daySpan(const QDate &from, const QDate &to, const QTimeZone &zone);

// Calls `visit` with each period that runs during [span.from, span.to), in
// time order, as each is found: the first is the one running at span.from,
// the last the one running at the span's last minute. Stops early when
// `visit` returns false. Returns false when the calculation fails.
bool forEachMoonPeriod(const MinuteSpan &span, const std::function<bool(const MoonPeriod &)> &visit);

// The periods of the days `from` to `to` on the zone's clock, the first
// running at `from`'s 00:00 and the last at the end of `to`. Nothing when a
// date is outside isCalendarDate, `from` is after `to`, the zone is not
// valid or the calculation fails.
std::optional<std::vector<MoonPeriod>> moonPeriods(const QDate &from, const QDate &to, const QTimeZone &zone);
