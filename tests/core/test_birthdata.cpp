// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "birth/BirthReader.h"
#include "core/Reading.h"

#include <QDate>
#include <QTest>
#include <QTime>

#include <cmath>
#include <limits>

namespace {

// Ann's birth at the moment given, the six number boxes as the main screen
// reads them: zone hours, minutes, longitude degrees, minutes, latitude
// degrees, minutes.
BirthEntry annEntry(const QDate &date, const QTime &time, const QStringList &boxes)
{
    BirthEntry entry;
    entry.name = QStringLiteral("Ann");
    entry.year = date.year();
    entry.month = date.month();
    entry.day = date.day();
    entry.hour = time.hour();
    entry.minute = time.minute();
    entry.zoneHours = boxMagnitude(boxes.at(0));
    entry.zoneMinutes = boxMagnitude(boxes.at(1));
    entry.zoneDirection = zoneDirectionOf(boxes.at(0), boxes.at(1));
    entry.lonDegrees = boxInteger(boxes.at(2));
    entry.lonMinutes = boxInteger(boxes.at(3));
    entry.latDegrees = boxInteger(boxes.at(4));
    entry.latMinutes = boxInteger(boxes.at(5));
    return entry;
}

} // namespace

class TestBirthData : public QObject {
    Q_OBJECT
private slots:
    // ---- degrees and minutes as the user types them --------------------------

    void degreesMinutes_data()
    {
        QTest::addColumn<double>("degrees");
        QTest::addColumn<bool>("latitude");
        QTest::addColumn<QString>("text");
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const double inf = std::numeric_limits<double>::infinity();
        QTest::newRow("Pune latitude") << 18.51957 << true << QStringLiteral("18° 31' N");
        QTest::newRow("Pune longitude") << 73.85535 << false << QStringLiteral("73° 51' E");
        QTest::newRow("south") << -23.5475 << true << QStringLiteral("23° 33' S");
        QTest::newRow("west") << -46.63611 << false << QStringLiteral("46° 38' W");
        QTest::newRow("below half a minute rounds down") << 45 + 29.4 / 60 << true << QStringLiteral("45° 29' N");
        QTest::newRow("above half a minute rounds up") << 45 + 29.6 / 60 << false << QStringLiteral("45° 30' E");
        QTest::newRow("60 minutes carry north") << 10.9999 << true << QStringLiteral("11° 0' N");
        QTest::newRow("60 minutes carry west") << -0.99999 << false << QStringLiteral("1° 0' W");
        QTest::newRow("equator") << 0.0 << true << QStringLiteral("0° 0' N");
        QTest::newRow("greenwich") << 0.0 << false << QStringLiteral("0° 0' E");
        QTest::newRow("negative zero") << -0.0 << false << QStringLiteral("0° 0' E");
        QTest::newRow("rounds to zero from the south") << -0.004 << true << QStringLiteral("0° 0' N");
        QTest::newRow("one minute south") << -0.01 << true << QStringLiteral("0° 1' S");
        QTest::newRow("one minute west") << -0.01 << false << QStringLiteral("0° 1' W");
        QTest::newRow("south pole") << -90.0 << true << QStringLiteral("90° 0' S");
        QTest::newRow("date line west") << -180.0 << false << QStringLiteral("180° 0' W");
        QTest::newRow("not a number") << nan << true << QStringLiteral("0° 0' N");
        QTest::newRow("infinite") << -inf << false << QStringLiteral("0° 0' E");
    }

    void degreesMinutes()
    {
        QFETCH(double, degrees);
        QFETCH(bool, latitude);
        QFETCH(QString, text);
        QCOMPARE(Angle::fromDegrees(degrees).text(latitude ? AngleAxis::Latitude : AngleAxis::Longitude, AngleStyle::Plain), text);
    }

    void boxIntegers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");  // -99999 for "not an integer"
        QTest::newRow("plain") << "77" << 77;
        QTest::newRow("leading zeros") << "007" << 7;
        QTest::newRow("blanks around") << "  12 " << 12;
        QTest::newRow("picker minus") << "-30" << -30;
        QTest::newRow("largest") << "32767" << 32767;
        QTest::newRow("smallest") << "-32768" << -32768;
        QTest::newRow("too large") << "40000" << -99999;
        QTest::newRow("far too large") << "99999999999999999999" << -99999;
        QTest::newRow("point") << "12.5" << -99999;
        QTest::newRow("letters") << "abc" << -99999;
        QTest::newRow("sign only") << "-" << -99999;
        QTest::newRow("inner blank") << "1 2" << -99999;
        QTest::newRow("empty") << "" << -99999;
        QTest::newRow("blanks") << "   " << -99999;
        QTest::newRow("arabic-indic digits") << QString::fromUtf8("\u0661\u0662") << -99999;
    }

    void boxIntegers()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        const auto parsed = boxInteger(text);
        QCOMPARE(parsed ? int(*parsed) : -99999, value);
    }

    void zoneMagnitudes()
    {
        QCOMPARE(*boxMagnitude(QStringLiteral("-5")), qint16(5));
        QCOMPARE(*boxMagnitude(QStringLiteral("30")), qint16(30));
        QVERIFY(!boxMagnitude(QStringLiteral("-32768")));  // its size doesn't fit 16 bits
    }

    void copyOfTheAnnExample()
    {
        BirthEntry entry = annEntry(QDate(1975, 3, 15), QTime(14, 30), {"-5", "-30", "77", "12", "28", "36"});
        entry.name = QStringLiteral("  Ann  ");
        entry.isEast = true;
        entry.isNorth = true;
        const std::optional<BirthData> read = readBirth(entry).value;
        QVERIFY(read);
        const BirthData &b = *read;
        QCOMPARE(b.name, QStringLiteral("Ann"));
        QCOMPARE(b.month, qint16(3));
        QCOMPARE(b.day, qint16(15));
        QCOMPARE(b.year, qint16(1975));
        QCOMPARE(b.hour, qint16(14));
        QCOMPARE(b.minute, qint16(30));
        QCOMPARE(b.zoneHours, qint16(5));
        QCOMPARE(b.zoneMinutes, qint16(30));
        QCOMPARE(b.lonDegrees, qint16(77));
        QCOMPARE(b.lonMinutes, qint16(12));
        QCOMPARE(b.latDegrees, qint16(28));
        QCOMPARE(b.latMinutes, qint16(36));
        QVERIFY(b.isEast && b.isNorth && !b.dst);

        entry.isEast = false;
        entry.isNorth = false;
        const BirthData west = *readBirth(entry).value;
        QVERIFY(!west.isEast && !west.isNorth);
    }

    // The zone boxes' sign gives the clock's direction, an unsigned zone
    // follows the longitude, and what can't exist is refused. Clock 12:00
    // on 1 July 1990; `problem` is BirthPart * 10 + ProblemKind, or -1.
    void reader_data()
    {
        QTest::addColumn<QStringList>("boxes"); // zone hours, minutes, lon deg, min, lat deg, min
        QTest::addColumn<bool>("east");
        QTest::addColumn<bool>("dst");
        QTest::addColumn<int>("problem");
        QTest::addColumn<double>("universalTime");
        const auto problem = [](BirthPart part, ProblemKind kind = ProblemKind::OutOfRange) {
            return int(part) * 10 + int(kind);
        };
        QTest::newRow("CET picked at Madrid, DST") << QStringList{"-1", "0", "3", "42", "40", "25"} << false << true << -1 << 10.0;
        QTest::newRow("unsigned follows West") << QStringList{"1", "0", "3", "42", "40", "25"} << false << true << -1 << 12.0;
        QTest::newRow("+10 behind at East") << QStringList{"+10", "0", "150", "0", "0", "0"} << true << false << -1 << 22.0;
        QTest::newRow("IST as picked") << QStringList{"-5", "-30", "77", "12", "28", "36"} << true << false << -1 << 6.5;
        QTest::newRow("minus on minutes alone") << QStringList{"0", "-30", "0", "0", "0", "0"} << true << false << -1 << 11.5;
        QTest::newRow("Kiribati 14:00") << QStringList{"14", "0", "157", "24", "1", "52"} << true << false << -1 << -2.0;
        QTest::newRow("Kiribati 14:00 with DST") << QStringList{"14", "0", "157", "24", "1", "52"} << true << true << problem(BirthPart::ZoneHours, ProblemKind::DstBeyond) << 0.0;
        QTest::newRow("14:00 behind with DST") << QStringList{"14", "0", "157", "24", "1", "52"} << false << true << -1 << 25.0;
        QTest::newRow("Chatham 12:45") << QStringList{"12", "45", "176", "33", "43", "57"} << true << false << -1 << -0.75;
        QTest::newRow("180:00 and 90:00") << QStringList{"0", "0", "180", "0", "90", "0"} << true << false << -1 << 12.0;
        QTest::newRow("zone 99") << QStringList{"99", "0", "0", "0", "0", "0"} << true << false << problem(BirthPart::ZoneHours) << 0.0;
        QTest::newRow("zone 14:30") << QStringList{"-14", "-30", "0", "0", "0", "0"} << true << false << problem(BirthPart::ZoneHours) << 0.0;
        QTest::newRow("zone 5:75") << QStringList{"5", "75", "0", "0", "0", "0"} << true << false << problem(BirthPart::ZoneMinutes) << 0.0;
        QTest::newRow("longitude 200") << QStringList{"0", "0", "200", "0", "0", "0"} << true << false << problem(BirthPart::LonDegrees) << 0.0;
        QTest::newRow("longitude 180:01") << QStringList{"0", "0", "180", "1", "0", "0"} << true << false << problem(BirthPart::LonDegrees) << 0.0;
        QTest::newRow("longitude -5 pasted") << QStringList{"0", "0", "-5", "0", "0", "0"} << true << false << problem(BirthPart::LonDegrees) << 0.0;
        QTest::newRow("longitude 77:99") << QStringList{"0", "0", "77", "99", "0", "0"} << true << false << problem(BirthPart::LonMinutes) << 0.0;
        QTest::newRow("40000 isn't a box integer") << QStringList{"0", "0", "40000", "0", "0", "0"} << true << false << problem(BirthPart::LonDegrees, ProblemKind::Missing) << 0.0;
        QTest::newRow("latitude 95") << QStringList{"0", "0", "0", "0", "95", "0"} << true << false << problem(BirthPart::LatDegrees) << 0.0;
        QTest::newRow("latitude 90:30") << QStringList{"0", "0", "0", "0", "90", "30"} << true << false << problem(BirthPart::LatDegrees) << 0.0;
        QTest::newRow("latitude minutes 60") << QStringList{"0", "0", "0", "0", "45", "60"} << true << false << problem(BirthPart::LatMinutes) << 0.0;
    }

    void reader()
    {
        QFETCH(QStringList, boxes);
        QFETCH(bool, east);
        QFETCH(bool, dst);
        QFETCH(int, problem);
        QFETCH(double, universalTime);
        BirthEntry entry = annEntry(QDate(1990, 7, 1), QTime(12, 0), boxes);
        entry.isEast = east;
        entry.dst = dst;
        const BirthOrProblems read = readBirth(entry);
        if (problem >= 0) {
            QVERIFY(!read.value);
            QCOMPARE(read.why.size(), std::size_t(1));
            QCOMPARE(int(read.why.front().part) * 10 + int(read.why.front().kind), problem);
            return;
        }
        QVERIFY(read.value && read.why.empty());
        const std::optional<Reading> reading = calculateReading(*read.value, SpanWanted::No);
        QVERIFY(reading);
        QCOMPARE(reading->ephemeris->universalTime, universalTime);
    }

    void screenToReading()
    {
        const BirthEntry entry = annEntry(QDate(1947, 8, 15), QTime(0, 0), {"-5", "-30", "77", "13", "28", "36"});
        const std::optional<Reading> reading = calculateReading(*readBirth(entry).value);
        QVERIFY(reading);
        QCOMPARE(reading->nakshatraName, QStringLiteral("Pushya"));
        QCOMPARE(reading->values.back(), QStringLiteral("Pushya"));
    }

    void arithmeticFaultStopsTheEphemeris()
    {
        // No screen input can reach a fault, so start the sidereal steps from
        // a non-finite time argument: they stop and keep the old fields.
        EphemerisResult result;
        result.centuries = std::numeric_limits<double>::quiet_NaN();
        result.tropicalLongitude = 42;
        result.siderealLongitude = 7;
        result.nakshatraIndex = 12;
        QVERIFY(!computeNakshatra(result));
        QCOMPARE(result.siderealLongitude, 7.0);
        QCOMPARE(result.nakshatraIndex, 12);

        // A longitude past the table's slots is a failure, never a default name.
        result.centuries = 0;
        result.tropicalLongitude = 1e6;
        QVERIFY(!computeNakshatra(result));
        QCOMPARE(result.nakshatraIndex, 12);

        // A tropical longitude of exactly 360 stays below 360 once sidereal.
        result.tropicalLongitude = 360;
        QVERIFY(computeNakshatra(result));
        QVERIFY(result.siderealLongitude < 360);
        QCOMPARE(result.nakshatraIndex, 25);  // Uttara Bhadrapada

        // Tropical 10 with the offset near -23.85: 346.15, "Uttara Bhadrapada".
        result.tropicalLongitude = 10;
        QVERIFY(computeNakshatra(result));
        QVERIFY(std::abs(result.siderealLongitude - 346.146274) < 1e-6);
        QCOMPARE(result.nakshatraIndex, 25);
    }
};

QTEST_APPLESS_MAIN(TestBirthData)
#include "test_birthdata.moc"
