// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Reading.h"
#include "core/Validation.h"

#include <QTest>

#include <cmath>
#include <limits>

namespace {

ScreenInput annScreen()
{
    ScreenInput s;
    s.name = QStringLiteral("Ann");
    s.monthPosition = 2;  // March
    s.dayPosition = 14;
    s.dayText = QStringLiteral("15");
    s.yearText = QStringLiteral("1975");
    s.hourText = QStringLiteral("14");
    s.minuteText = QStringLiteral("30");
    s.zoneHourText = QStringLiteral("-5");
    s.zoneMinuteText = QStringLiteral("-30");
    s.lonDegreesText = QStringLiteral("77");
    s.lonMinutesText = QStringLiteral("12");
    s.latDegreesText = QStringLiteral("28");
    s.latMinutesText = QStringLiteral("36");
    return s;
}

} // namespace

class TestBirthData : public QObject {
    Q_OBJECT
private slots:
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
        ScreenInput screen = annScreen();
        screen.name = QStringLiteral("  Ann  ");
        screen.isEast = true;
        screen.isNorth = true;
        BirthData b;
        copyScreenIntoBirthData(screen, b);
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

        screen.isEast = false;
        screen.isNorth = false;
        copyScreenIntoBirthData(screen, b);
        QVERIFY(!b.isEast && !b.isNorth);
    }

    void unconvertibleTextKeepsTheField()
    {
        BirthData b;
        ScreenInput screen = annScreen();
        screen.lonDegreesText = QStringLiteral("40000");
        copyScreenIntoBirthData(screen, b);
        QCOMPARE(b.lonDegrees, qint16(0));
        QCOMPARE(b.lonMinutes, qint16(12));  // the next copy still ran
        b.lonDegrees = 9;
        copyScreenIntoBirthData(screen, b);
        QCOMPARE(b.lonDegrees, qint16(9));
    }

    void screenToReading()
    {
        ScreenInput screen = annScreen();
        screen.monthPosition = 7;
        screen.dayText = QStringLiteral("15");
        screen.yearText = QStringLiteral("1947");
        screen.hourText = QStringLiteral("0");
        screen.minuteText = QStringLiteral("0");
        screen.lonMinutesText = QStringLiteral("13");
        BirthData birth;
        copyScreenIntoBirthData(screen, birth);
        const std::optional<Reading> reading = calculateReading(birth);
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
