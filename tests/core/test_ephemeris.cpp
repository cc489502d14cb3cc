// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ephemeris/modEphemeris.h"
#include "mansions/modChineseLunarMansionInformation.h"

#include <QTest>

#include "ReferenceVectors.h"

#include <cmath>

namespace {

EphemerisResult compute(const BirthData &b)
{
    EphemerisResult result;
    if (!computeMoonNakshatra(b, result))
        qFatal("calculation failed");
    return result;
}

bool near(double actual, double expected, double tolerance)
{
    return std::abs(actual - expected) <= tolerance;
}

} // namespace

class TestEphemeris : public QObject {
    Q_OBJECT
private slots:
    void dayNumbers()
    {
        QCOMPARE(julianDayNumber(1, 1, 2000), 2451545.0);
        QCOMPARE(julianDayNumber(1, 1, 1900), 2415021.0);
        // The calendar switch: 15 October 1582 is read as Julian, the 16th as Gregorian.
        QCOMPARE(julianDayNumber(10, 15, 1582), 2299171.0);
        QCOMPARE(julianDayNumber(10, 16, 1582), 2299162.0);
        // Leap days of the offered range, including the century year 2000.
        QCOMPARE(julianDayNumber(3, 1, 2000) - julianDayNumber(2, 28, 2000), 2.0);
        QCOMPARE(julianDayNumber(3, 1, 1901) - julianDayNumber(2, 28, 1901), 1.0);
    }

    void timeConversion()
    {
        // J2000 itself: noon UT on 1 January 2000 gives T = 0 exactly.
        EphemerisResult r = compute(birth(1, 1, 2000, 12, 0, 0, 0, 0, 0, false, false));
        QCOMPARE(r.julianDay, 2451545.0);
        QCOMPARE(r.universalTime, 12.0);
        QCOMPARE(r.centuries, 0.0);

        // 01:00 at 5 h 30 min East: UT -4.5, the date itself unchanged.
        const EphemerisResult early = compute(birth(6, 10, 1990, 1, 0, 5, 30, 77, 0, true, false));
        const EphemerisResult midnight = compute(birth(6, 10, 1990, 0, 0, 0, 0, 0, 0, false, false));
        QCOMPARE(early.universalTime, -4.5);
        QCOMPARE(early.julianDay, midnight.julianDay);
        QVERIFY(near(early.centuries, midnight.centuries - 4.5 / 24 / 36525, 1e-15));

        // 23:00 at 5 West: UT 28, not wrapped.
        QCOMPARE(compute(birth(6, 10, 1990, 23, 0, 5, 0, 75, 0, false, false)).universalTime, 28.0);

        // East and West differ by twice the zone.
        const double east = compute(birth(6, 10, 1990, 10, 0, 3, 0, 40, 0, true, false)).universalTime;
        const double west = compute(birth(6, 10, 1990, 10, 0, 3, 0, 40, 0, false, false)).universalTime;
        QCOMPARE(west - east, 6.0);

        // Zone minutes join the hours before the direction: 3 h 30 min West is clock + 3.5.
        QCOMPARE(compute(birth(6, 10, 1990, 10, 0, 3, 30, 50, 0, false, false)).universalTime, 13.5);
    }

    void daylightSavingAndHemisphere()
    {
        // DST with zone 5 West: 4 hours behind UT.
        QCOMPARE(compute(birth(6, 10, 1990, 10, 0, 5, 0, 75, 0, false, true)).universalTime, 14.0);
        // DST with zone 1 East: 2 hours ahead.
        QCOMPARE(compute(birth(6, 10, 1990, 10, 0, 1, 0, 10, 0, true, true)).universalTime, 8.0);
        // Longitude 0 0 counts as western whichever button is selected.
        const EphemerisResult eastZero = compute(birth(6, 10, 1990, 10, 0, 2, 0, 0, 0, true, true));
        const EphemerisResult westZero = compute(birth(6, 10, 1990, 10, 0, 2, 0, 0, 0, false, true));
        QCOMPARE(eastZero.universalTime, 11.0);
        QCOMPARE(eastZero.universalTime, westZero.universalTime);
        QCOMPARE(eastZero.nakshatraIndex, westZero.nakshatraIndex);
        // Zone 0 with DST: UT = clock - 1.
        QCOMPARE(compute(birth(6, 10, 1990, 10, 0, 0, 0, 0, 0, false, true)).universalTime, 9.0);
    }

    void workedExamples()
    {
        // T = 0: the mean elements and the series.
        QVERIFY(near(moonLongitudeUnreduced(0) - 218.3164591, 4.999644, 5e-7));
        QVERIFY(near(moonTropicalLongitude(0), 223.316103, 5e-7));
        QVERIFY(near(siderealOffset(0), -23.853726, 5e-7));
        EphemerisResult r = compute(birth(1, 1, 2000, 12, 0, 0, 0, 0, 0, false, false));
        QVERIFY(near(r.siderealLongitude, 199.462377, 5e-7));
        QCOMPARE(r.nakshatraIndex, 14);
        QCOMPARE(nakshatraName(r.nakshatraIndex), QStringLiteral("Swati"));

        // Independence night, New Delhi.
        r = compute(birth(8, 15, 1947, 0, 0, 5, 30, 77, 13, true, false));
        QCOMPARE(r.universalTime, -5.5);
        QVERIFY(near(r.centuries, -0.5238256, 5e-8));
        QVERIFY(near(r.tropicalLongitude, 117.109656, 5e-7));
        QVERIFY(near(r.siderealOffset, -23.121833, 5e-7));
        QVERIFY(near(r.siderealLongitude, 93.987823, 5e-7));
        QCOMPARE(r.nakshatraIndex, 7);
        QCOMPARE(nakshatraName(r.nakshatraIndex), QStringLiteral("Pushya"));

        // E at T = -1.
        QVERIFY(near(1 - 0.002516 * -1.0 - 0.0000074, 1.0025086, 1e-12));
    }

    void reduction()
    {
        QCOMPARE(reduceLongitude(360.0), 360.0);
        QCOMPARE(reduceLongitude(720.0), 360.0);
        QCOMPARE(reduceLongitude(-360.0 * 1000), 0.0);
        QVERIFY(!std::signbit(reduceLongitude(-720.0)));
        QCOMPARE(reduceLongitude(0.0), 0.0);
        QCOMPARE(reduceLongitude(-0.5), 359.5);
        QCOMPARE(reduceLongitude(360.5), 0.5);
        // The constant-time reduction matches the step-by-step loops bit for bit.
        const double samples[] = {-476000.123456789, -1e-300, -3e-14, -359.99999999999994, 1e5 + 1e-9,
                                  241000.987654321, 360.00000000000006, 223.316103};
        for (double lambda : samples) {
            double looped = lambda;
            while (looped < 0)
                looped += 360;
            while (looped > 360)
                looped -= 360;
            QCOMPARE(reduceLongitude(lambda), looped);
        }
    }

    void nakshatraBoundaries()
    {
        QCOMPARE(nakshatraName(10), QStringLiteral("Poorva Phalguni"));
        QCOMPARE(nakshatraName(19), QStringLiteral("Purva Ashadha"));
        QCOMPARE(nakshatraName(24), QStringLiteral("Poorva Bhadrapada"));
        // A longitude on a boundary belongs to the nakshatra that begins there.
        QCOMPARE(int(std::floor((60 * 40.0) / 800)), 3);
        QCOMPARE(int(std::floor((60 * 359.99) / 800)), 26);
    }

    // Every case of the independently computed reference file: doubles
    // within 1e-9, index and name exact.
    void referenceVectors()
    {
        const std::vector<ReferenceCase> cases = loadReferenceCases();
        QCOMPARE(cases.size(), std::size_t(2000));
        for (const ReferenceCase &c : cases) {
            const EphemerisResult r = compute(c.birth);
            const double actual[] = {r.julianDay,         r.universalTime,  r.centuries,
                                     r.tropicalLongitude, r.siderealOffset, r.siderealLongitude};
            for (std::size_t i = 0; i < 6; ++i) {
                if (!near(actual[i], c.expected[i], 1e-9))
                    QFAIL(qPrintable(QStringLiteral("%1: field %2 is %3, expected %4")
                                         .arg(c.inputs.join(u' ')).arg(i).arg(actual[i], 0, 'g', 17)
                                         .arg(c.expected[i], 0, 'g', 17)));
            }
            QCOMPARE(r.nakshatraIndex, c.nakshatraIndex);
            QCOMPARE(nakshatraName(r.nakshatraIndex), c.nakshatraName);
        }
    }
};

QTEST_APPLESS_MAIN(TestEphemeris)
#include "test_ephemeris.moc"
