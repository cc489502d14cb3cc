// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/MoonCalendar.h"
#include "core/NakshatraChange.h"
#include "ephemeris/modEphemeris.h"

#include <QTest>

#include <cstdlib>
#include <map>

namespace {

// What a reading gives for a birth at `minute` on the clock of the zone
// then in force: the local date and time with that offset, as a user would
// type them. Independent of the calendar's own reading at UT minutes.
int readingOnClock(const ZoneClock &clock, qint64 minute)
{
    const ZoneTime time = clock.at(minute);
    const int size = std::abs(time.offsetSeconds) / 60;
    EphemerisInput birth;
    birth.year = std::int16_t(time.local.date().year());
    birth.month = std::int16_t(time.local.date().month());
    birth.day = std::int16_t(time.local.date().day());
    birth.hour = std::int16_t(time.local.time().hour());
    birth.minute = std::int16_t(time.local.time().minute());
    birth.zoneHours = std::int16_t(size / 60);
    birth.zoneMinutes = std::int16_t(size % 60);
    birth.zoneDirection = time.offsetSeconds < 0 ? ZoneDirection::Behind : ZoneDirection::Ahead;
    EphemerisResult result;
    return computeMoonNakshatra(birth, result) ? result.nakshatraIndex : -1;
}

} // namespace

class TestMoonCalendar : public QObject {
    Q_OBJECT
private slots:
    void clockChanges_data();
    void clockChanges();
    void wholeRange_data();
    void wholeRange();
};

// Nakshatra changes next to a change of the clocks, with the local start
// the series gives.
void TestMoonCalendar::clockChanges_data()
{
    QTest::addColumn<QString>("zone");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("nakshatra");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("abbreviation");
    QTest::newRow("Berlin, first of the repeated hour")
        << "Europe/Berlin" << QDate(2023, 10, 29) << "Bharani" << "2023-10-29T02:26+02:00" << "CEST";
    QTest::newRow("Berlin, second of the repeated hour")
        << "Europe/Berlin" << QDate(2018, 10, 28) << "Mrigasira" << "2018-10-28T02:54+01:00" << "CET";
    QTest::newRow("New York, after the skipped hour")
        << "America/New_York" << QDate(2007, 3, 11) << "Jyeshtha" << "2007-03-11T03:32-04:00" << "EDT";
    QTest::newRow("New York, before the clocks go forward")
        << "America/New_York" << QDate(2012, 3, 11) << "Swati" << "2012-03-11T01:34-05:00" << "EST";
}

void TestMoonCalendar::clockChanges()
{
    QFETCH(QString, zone);
    QFETCH(QDate, date);
    QFETCH(QString, nakshatra);
    QFETCH(QString, start);
    QFETCH(QString, abbreviation);
    const QTimeZone timeZone(zone.toUtf8());
    const std::optional<std::vector<MoonPeriod>> periods = moonPeriods(date, date, timeZone);
    QVERIFY(periods);
    const ZoneClock clock(timeZone, periods->front().startMinute, periods->back().endMinute);
    QStringList found;
    for (const MoonPeriod &period : *periods) {
        const ZoneTime time = clock.at(period.startMinute);
        found << periodNakshatraName(period) + QLatin1Char(' ') + localIsoText(time) + QLatin1Char(' ')
                + time.abbreviation;
    }
    QVERIFY2(found.contains(nakshatra + QLatin1Char(' ') + start + QLatin1Char(' ') + abbreviation),
             qPrintable(found.join(QStringLiteral(", "))));
}

void TestMoonCalendar::wholeRange_data()
{
    QTest::addColumn<QString>("zone");
    QTest::newRow("Universal Time") << "UTC";
    QTest::newRow("a zone with daylight saving") << "America/New_York";
}

// Every change of 1901-2050: the periods follow one another, one nakshatra
// on each time, 360-363 a year and each 19-28 hours long; each is found in a
// few evaluations of the series; at sampled starts the clock's offset is
// the zone database's and readings on that clock agree.
void TestMoonCalendar::wholeRange()
{
    QFETCH(QString, zone);
    const QTimeZone timeZone(zone.toUtf8());
    const QDate first(1901, 1, 1);
    const QDate last(2050, 12, 31);
    const quint64 evaluationsBefore = nakshatraSeriesEvaluations();
    const std::optional<std::vector<MoonPeriod>> periods = moonPeriods(first, last, timeZone);
    QVERIFY(periods);
    const double perChange = double(nakshatraSeriesEvaluations() - evaluationsBefore) / double(periods->size());
    QVERIFY2(perChange <= 8, qPrintable(QString::number(perChange)));

    const MinuteSpan span = daySpan(first, last, timeZone);
    QVERIFY(periods->front().startMinute <= span.from && span.from < periods->front().endMinute);
    QVERIFY(periods->back().startMinute < span.to && span.to <= periods->back().endMinute);

    const ZoneClock clock(timeZone, span.from, span.to);
    std::map<int, int> changesInYear;
    for (std::size_t i = 0; i < periods->size(); ++i) {
        const MoonPeriod &period = (*periods)[i];
        const qint64 length = period.endMinute - period.startMinute;
        QVERIFY2(length >= 19 * 60 && length <= 28 * 60, qPrintable(utcIsoText(period.startMinute)));
        if (i == 0)
            continue;
        const MoonPeriod &before = (*periods)[i - 1];
        QCOMPARE(period.startMinute, before.endMinute);
        QCOMPARE(period.nakshatraIndex, (before.nakshatraIndex + 1) % nakshatraCount);
        ++changesInYear[clock.at(period.startMinute).local.date().year()];
        if (i % 97 == 0) {
            QCOMPARE(clock.at(period.startMinute).offsetSeconds, timeZone.offsetFromUtc(utcOfMinute(period.startMinute)));
            QCOMPARE(readingOnClock(clock, period.startMinute), period.nakshatraIndex);
            QCOMPARE(readingOnClock(clock, period.startMinute - 1), before.nakshatraIndex);
        }
    }
    QCOMPARE(int(changesInYear.size()), last.year() - first.year() + 1);
    for (const auto &[year, changes] : changesInYear)
        QVERIFY2(changes >= 360 && changes <= 363, qPrintable(QStringLiteral("%1: %2").arg(year).arg(changes)));
}

QTEST_GUILESS_MAIN(TestMoonCalendar)
#include "test_mooncalendar.moc"
