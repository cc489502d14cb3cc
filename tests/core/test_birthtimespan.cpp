// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/BirthTimeSpan.h"
#include "ephemeris/modEphemeris.h"

#include <QDateTime>
#include <QFile>
#include <QTest>

#include "ReferenceVectors.h"

#include <vector>

namespace {

// The clock time `minutes` away from the birth, worked out independently of
// the code under test: a plain date-time with no zone of its own.
QDateTime clockAt(const BirthData &b, qint64 minutes)
{
    const QDateTime born(QDate(b.year, b.month, b.day), QTime(b.hour, b.minute), Qt::UTC);
    return born.addSecs(minutes * 60);
}

// The nakshatra the calculation gives for the same birth `minutes` later on the clock.
int nakshatraAt(const BirthData &b, qint64 minutes)
{
    const QDateTime at = clockAt(b, minutes);
    BirthData moved = b;
    moved.year = qint16(at.date().year());
    moved.month = qint16(at.date().month());
    moved.day = qint16(at.date().day());
    moved.hour = qint16(at.time().hour());
    moved.minute = qint16(at.time().minute());
    EphemerisResult result;
    if (!computeMoonNakshatra(moved, result))
        return -1;
    return result.nakshatraIndex;
}

bool sameMinute(const ClockMinute &minute, const QDateTime &expected)
{
    return minute.date == expected.date() && minute.hour == expected.time().hour()
        && minute.minute == expected.time().minute();
}

// Checks a span against the calculation at its four edge minutes and
// against the independent clock arithmetic; empty when all is well.
QString spanProblem(const BirthData &b, const BirthTimeSpan &span)
{
    const int index = nakshatraAt(b, 0);
    if (span.nakshatraIndex != index)
        return QStringLiteral("nakshatra %1, the birth gives %2").arg(span.nakshatraIndex).arg(index);
    if (span.firstOffset > 0 || span.lastOffset < 0)
        return QStringLiteral("the birth lies outside %1..%2").arg(span.firstOffset).arg(span.lastOffset);
    if (nakshatraAt(b, span.firstOffset) != index || nakshatraAt(b, span.lastOffset) != index)
        return QStringLiteral("an edge minute inside the span gives another nakshatra");
    if (nakshatraAt(b, span.firstOffset - 1) != (index + 26) % 27 || span.previousIndex != (index + 26) % 27)
        return QStringLiteral("the minute before the span doesn't give the previous nakshatra");
    if (nakshatraAt(b, span.lastOffset + 1) != (index + 1) % 27 || span.nextIndex != (index + 1) % 27)
        return QStringLiteral("the minute after the span doesn't give the next nakshatra");
    if (!sameMinute(span.first, clockAt(b, span.firstOffset)) || !sameMinute(span.last, clockAt(b, span.lastOffset)))
        return QStringLiteral("the clock minutes don't match the offsets");
    // The Moon of this series crosses 13 degrees 20 minutes in 20 to 30 hours.
    const qint64 length = span.lastOffset - span.firstOffset + 1;
    if (length < 20 * 60 || length > 30 * 60)
        return QStringLiteral("a span of %1 minutes").arg(length);
    return {};
}

// The span found the slow way: minute by minute out from the birth.
struct ScannedSpan {
    qint64 first = 0;
    qint64 last = 0;
};

ScannedSpan scan(const BirthData &b)
{
    const int index = nakshatraAt(b, 0);
    ScannedSpan span;
    while (nakshatraAt(b, span.first - 1) == index)
        --span.first;
    while (nakshatraAt(b, span.last + 1) == index)
        ++span.last;
    return span;
}

} // namespace

class TestBirthTimeSpan : public QObject {
    Q_OBJECT
private slots:
    void spansOfAllReferenceBirthsAgreeWithTheCalculation()
    {
        const std::vector<BirthData> births = loadReferenceBirths();
        QCOMPARE(births.size(), std::size_t(2000));
        for (const BirthData &b : births) {
            const std::optional<BirthTimeSpan> span = computeBirthTimeSpan(b);
            const QString where = QStringLiteral("%1-%2-%3 %4:%5 zone %6:%7 lon %8:%9 east %10 dst %11")
                                      .arg(b.year).arg(b.month).arg(b.day).arg(b.hour).arg(b.minute)
                                      .arg(b.zoneHours).arg(b.zoneMinutes).arg(b.lonDegrees).arg(b.lonMinutes)
                                      .arg(b.isEast).arg(b.dst);
            if (!span)
                QFAIL(qPrintable(where + QStringLiteral(": no span")));
            const QString problem = spanProblem(b, *span);
            if (!problem.isEmpty())
                QFAIL(qPrintable(where + QStringLiteral(": ") + problem));
        }
    }

    void spansMatchAMinuteByMinuteScan()
    {
        const std::vector<BirthData> births = loadReferenceBirths();
        QCOMPARE(births.size(), std::size_t(2000));
        for (std::size_t i = 0; i < births.size(); i += 40) {
            const std::optional<BirthTimeSpan> span = computeBirthTimeSpan(births[i]);
            QVERIFY(span);
            const ScannedSpan scanned = scan(births[i]);
            QCOMPARE(span->firstOffset, scanned.first);
            QCOMPARE(span->lastOffset, scanned.last);
        }
    }

    void workedExampleReadsExactly()
    {
        // 15 August 1947, midnight, Indian time at 77:13 East: Pushya.
        const BirthData b = birth(8, 15, 1947, 0, 0, 5, 30, 77, 13, true, false);
        const ScannedSpan scanned = scan(b);
        QCOMPARE(scanned.first, qint64(-62));  // 14 August, 22:58
        QCOMPARE(scanned.last, qint64(20 * 60 + 7));  // 15 August, 20:07
        QCOMPARE(birthTimeSpanText(*computeBirthTimeSpan(b)),
                 QStringLiteral("The Moon stays in Pushya from 14 August 1947, 22:58 to 15 August 1947, 20:07 "
                                "(your clock time): a birth 1 hour 3 minutes earlier would give Punarvasu, "
                                "20 hours 8 minutes later Ashlesha."));
    }

    void spansReachPastTheOfferedYears()
    {
        // The last minute offered, and the first: the span runs into 2051 and 1900.
        for (const BirthData &b : {birth(12, 31, 2050, 23, 59, 12, 0, 179, 59, true, true),
                                   birth(1, 1, 1901, 0, 0, 0, 0, 0, 0, false, false)}) {
            const std::optional<BirthTimeSpan> span = computeBirthTimeSpan(b);
            QVERIFY(span);
            QCOMPARE(spanProblem(b, *span), QString());
            const ScannedSpan scanned = scan(b);
            QCOMPARE(span->firstOffset, scanned.first);
            QCOMPARE(span->lastOffset, scanned.last);
        }
        const std::optional<BirthTimeSpan> late = computeBirthTimeSpan(birth(12, 31, 2050, 23, 59, 12, 0, 179, 59, true, true));
        QCOMPARE(late->last.date.year(), 2051);
        const std::optional<BirthTimeSpan> early = computeBirthTimeSpan(birth(1, 1, 1901, 0, 0, 0, 0, 0, 0, false, false));
        QCOMPARE(early->first.date.year(), 1900);
    }

    void spanFollowsTheClockOfTheZone()
    {
        // One instant, 12:00 UT on 10 June 1990, written on three clocks: the
        // stretch around it is the same, each edge read on its own clock.
        const BirthData greenwich = birth(6, 10, 1990, 12, 0, 0, 0, 0, 0, false, false);
        const BirthData india = birth(6, 10, 1990, 17, 30, 5, 30, 77, 13, true, false);
        const BirthData indiaSummer = birth(6, 10, 1990, 17, 30, 4, 30, 77, 13, true, true);
        const BirthData newYork = birth(6, 10, 1990, 8, 0, 5, 0, 74, 0, false, true);  // EDT: 4 hours behind
        const std::optional<BirthTimeSpan> reference = computeBirthTimeSpan(greenwich);
        QVERIFY(reference);
        for (const BirthData &b : {india, indiaSummer, newYork}) {
            const std::optional<BirthTimeSpan> span = computeBirthTimeSpan(b);
            QVERIFY(span);
            QCOMPARE(span->nakshatraIndex, reference->nakshatraIndex);
            QCOMPARE(span->firstOffset, reference->firstOffset);
            QCOMPARE(span->lastOffset, reference->lastOffset);
            QCOMPARE(spanProblem(b, *span), QString());
        }
        const std::optional<BirthTimeSpan> inIndia = computeBirthTimeSpan(india);
        const QDateTime greenwichFirst(reference->first.date, QTime(reference->first.hour, reference->first.minute), Qt::UTC);
        QVERIFY(sameMinute(inIndia->first, greenwichFirst.addSecs(330 * 60)));
    }

    void durationsUseSingularAndPlural()
    {
        QCOMPARE(durationText(1), QStringLiteral("1 minute"));
        QCOMPARE(durationText(2), QStringLiteral("2 minutes"));
        QCOMPARE(durationText(60), QStringLiteral("1 hour"));
        QCOMPARE(durationText(61), QStringLiteral("1 hour 1 minute"));
        QCOMPARE(durationText(144), QStringLiteral("2 hours 24 minutes"));
        QCOMPARE(durationText(25 * 60), QStringLiteral("25 hours"));
    }

    void birthOnTheFirstMinuteIsOneMinuteFromTheEdge()
    {
        // Moving the birth to the span's first minute leaves the span where it
        // is; one minute earlier already gives the previous nakshatra.
        const BirthData b = birth(3, 15, 1975, 14, 30, 5, 30, 77, 12, true, false);
        const std::optional<BirthTimeSpan> span = computeBirthTimeSpan(b);
        QVERIFY(span);
        const BirthData atFirst = birthAtClockOffset(b, span->firstOffset);
        const std::optional<BirthTimeSpan> again = computeBirthTimeSpan(atFirst);
        QVERIFY(again);
        QCOMPARE(again->minutesEarlier(), qint64(1));
        QCOMPARE(clockMinuteText(again->first), clockMinuteText(span->first));
        QCOMPARE(clockMinuteText(again->last), clockMinuteText(span->last));
        QVERIFY(birthTimeSpanText(*again).contains(QStringLiteral("a birth 1 minute earlier would give")));
        const BirthData hourLater = birthAtClockOffset(atFirst, 60);
        QVERIFY(birthTimeSpanText(*computeBirthTimeSpan(hourLater)).contains(QStringLiteral("a birth 1 hour 1 minute earlier")));
    }

    void clockOffsetsCarryTheDate()
    {
        const BirthData b = birth(2, 28, 2000, 23, 30, 3, 0, 40, 0, true, true);
        const BirthData leapDay = birthAtClockOffset(b, 60);
        QCOMPARE(QDate(leapDay.year, leapDay.month, leapDay.day), QDate(2000, 2, 29));
        QCOMPARE(leapDay.hour, qint16(0));
        QCOMPARE(leapDay.minute, qint16(30));
        // Everything but the clock stays as it was.
        QCOMPARE(leapDay.zoneHours, b.zoneHours);
        QCOMPARE(leapDay.lonDegrees, b.lonDegrees);
        QCOMPARE(leapDay.isEast, b.isEast);
        QCOMPARE(leapDay.dst, b.dst);

        const BirthData newYear = birthAtClockOffset(birth(12, 31, 2050, 23, 59, 0, 0, 0, 0, false, false), 1);
        QCOMPARE(QDate(newYear.year, newYear.month, newYear.day), QDate(2051, 1, 1));
        const BirthData eve = birthAtClockOffset(birth(1, 1, 1901, 0, 0, 0, 0, 0, 0, false, false), -1);
        QCOMPARE(QDate(eve.year, eve.month, eve.day), QDate(1900, 12, 31));
        QCOMPARE(eve.hour, qint16(23));
        QCOMPARE(eve.minute, qint16(59));
        const BirthData twoDaysBack = birthAtClockOffset(birth(3, 1, 1990, 0, 10, 0, 0, 0, 0, false, false), -2 * 1440 - 11);
        QCOMPARE(QDate(twoDaysBack.year, twoDaysBack.month, twoDaysBack.day), QDate(1990, 2, 26));
        QCOMPARE(twoDaysBack.hour, qint16(23));
        QCOMPARE(twoDaysBack.minute, qint16(59));
    }

    void noSpanWithoutARealBirth()
    {
        // The record before any calculation, and values no screen can give.
        QVERIFY(!computeBirthTimeSpan(BirthData{}));
        QVERIFY(!computeBirthTimeSpan(birth(2, 30, 2000, 12, 0, 0, 0, 0, 0, false, false)));
        QVERIFY(!computeBirthTimeSpan(birth(1, 1, 2000, 24, 0, 0, 0, 0, 0, false, false)));
        QVERIFY(!computeBirthTimeSpan(birth(1, 1, 2000, 12, 60, 0, 0, 0, 0, false, false)));
    }
};

QTEST_APPLESS_MAIN(TestBirthTimeSpan)
#include "test_birthtimespan.moc"
