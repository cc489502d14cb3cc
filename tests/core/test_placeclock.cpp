// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "atlas/PlaceClock.h"

#include <QTest>

#include <sys/resource.h>

// The case run with no file descriptor left, as under a low "ulimit -n".
constexpr char noFileLeft[] = "no file descriptor left";

// A birthplace's clock through history, against the system's time zone
// database. The expected offsets come from `zdump -v` (tzdata 2025b); the line
// used is quoted with each case.
class TestPlaceClock : public QObject {
    Q_OBJECT

private slots:
    void history_data()
    {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QTime>("time");
        QTest::addColumn<double>("longitude");
        QTest::addColumn<int>("offset");          // seconds east of UT
        QTest::addColumn<QString>("description"); // describeClock()
        QTest::addColumn<bool>("fills");
        QTest::addColumn<int>("zoneHours");
        QTest::addColumn<int>("zoneMinutes");
        QTest::addColumn<bool>("dst");
        QTest::addColumn<QString>("sign");      // as the zone boxes take it
        QTest::addColumn<QStringList>("notes"); // a fragment of each note, in order

        const QTime noon(12, 0);

        // Asia/Kolkata  Mon Aug 31 18:30:00 1942 UT = Tue Sep  1 01:00:00 1942 +0630 isdst=1 gmtoff=23400
        // (standard: ... 1942 IST isdst=0 gmtoff=19800)
        QTest::newRow("Kolkata 1943, war time") << "Asia/Kolkata" << QDate(1943, 6, 1) << noon << 88.363 << 23400
                                                << "UTC+6:30" << true << 5 << 30 << true << "" << QStringList();
        // Europe/London  Sun May  4 01:00:00 1941 UT = Sun May  4 03:00:00 1941 BDST isdst=1 gmtoff=7200
        QTest::newRow("London 1941, double summer time")
            << "Europe/London" << QDate(1941, 7, 1) << noon << -0.126 << 7200 << "BDST, UTC+2:00" << true << 2 << 0
            << false << "-" << QStringList{QStringLiteral("Daylight saving of 2 hours was in force, and the DST tick "
                                                          "adds exactly one hour, so the zone holds the whole offset")};
        // Europe/London  Sun Mar 16 02:00:00 1975 UT = Sun Mar 16 03:00:00 1975 BST isdst=1 gmtoff=3600
        QTest::newRow("London 1975, summer time") << "Europe/London" << QDate(1975, 7, 1) << noon << -0.126 << 3600
                                                  << "BST, UTC+1:00" << true << 0 << 0 << true << "" << QStringList();
        // America/New_York  Mon Feb  9 07:00:00 1942 UT = Mon Feb  9 03:00:00 1942 EWT isdst=1 gmtoff=-14400
        QTest::newRow("New York 1944, war time") << "America/New_York" << QDate(1944, 7, 1) << noon << -74.006 << -14400
                                                 << "EWT, UTC-4:00" << true << 5 << 0 << true << "" << QStringList();
        // Asia/Kathmandu  Tue Dec 31 18:29:59 1985 UT = Tue Dec 31 23:59:59 1985 +0530 isdst=0 gmtoff=19800
        QTest::newRow("Kathmandu 1980, before +5:45")
            << "Asia/Kathmandu" << QDate(1980, 1, 1) << noon << 85.317 << 19800 << "UTC+5:30" << true << 5 << 30
            << false << "" << QStringList();
        // Asia/Singapore  Thu Dec 31 15:59:59 1981 UT = Thu Dec 31 23:29:59 1981 +0730 isdst=0 gmtoff=27000
        QTest::newRow("Singapore 1975") << "Asia/Singapore" << QDate(1975, 1, 1) << noon << 103.851 << 27000
                                        << "UTC+7:30" << true << 7 << 30 << false << "" << QStringList();
        // Europe/Amsterdam  Thu May 15 01:40:28 1930 UT = Thu May 15 03:00:00 1930 NST isdst=1 gmtoff=4772
        // (standard: Europe/Amsterdam  Wed May 15 01:40:27 1929 UT = ... AMT isdst=0 gmtoff=1172)
        QTest::newRow("Amsterdam 1930, seconds")
            << "Europe/Amsterdam" << QDate(1930, 7, 1) << noon << 4.890 << 4772 << "NST, UTC+1:19:32" << true << 0 << 20
            << true << "" << QStringList{QStringLiteral("UTC+0:19:32 has seconds")};
        // America/New_York  Sun Nov  1 05:59:59 2020 UT = Sun Nov  1 01:59:59 2020 EDT isdst=1 gmtoff=-14400
        // America/New_York  Sun Nov  1 06:00:00 2020 UT = Sun Nov  1 01:00:00 2020 EST isdst=0 gmtoff=-18000
        QTest::newRow("New York 2020, repeated hour")
            << "America/New_York" << QDate(2020, 11, 1) << QTime(1, 30) << -74.006 << -14400 << "EDT, UTC-4:00" << true
            << 5 << 0 << true
            << "" << QStringList{QStringLiteral("happened twice, as the clocks went back: the first (EDT, UTC-4:00) is "
                                          "taken; untick DST for the second (EST, UTC-5:00)")};
        // America/New_York  Sun Mar  8 06:59:59 2020 UT = Sun Mar  8 01:59:59 2020 EST isdst=0 gmtoff=-18000
        // America/New_York  Sun Mar  8 07:00:00 2020 UT = Sun Mar  8 03:00:00 2020 EDT isdst=1 gmtoff=-14400
        QTest::newRow("New York 2020, skipped hour")
            << "America/New_York" << QDate(2020, 3, 8) << QTime(2, 30) << -74.006 << -18000 << "EST, UTC-5:00" << false
            << 0 << 0 << false
            << "" << QStringList{QStringLiteral("did not exist: the clocks went forward, and the nearest valid times are "
                                          "01:59 and 03:00")};
        // After 2037 the database reckons the clock from the zone's rule.
        // America/Santiago  Sun Sep  2 03:59:59 2040 UT = Sat Sep  1 23:59:59 2040 -04 isdst=0 gmtoff=-14400
        // America/Santiago  Sun Sep  2 04:00:00 2040 UT = Sun Sep  2 01:00:00 2040 -03 isdst=1 gmtoff=-10800
        QTest::newRow("Santiago 2040, skipped hour")
            << "America/Santiago" << QDate(2040, 9, 2) << QTime(0, 30) << -70.65 << -14400 << "UTC-4:00" << false << 0
            << 0 << false << ""
            << QStringList{QStringLiteral("nearest valid times are 23:59 on 1 September 2040 and 01:00.")};
        // A skipped day, and a skipped quarter hour just after midnight.
        // Pacific/Apia  Fri Dec 30 09:59:59 2011 UT = Thu Dec 29 23:59:59 2011 -10 isdst=1 gmtoff=-36000
        QTest::newRow("Samoa 2011, skipped day")
            << "Pacific/Apia" << QDate(2011, 12, 30) << QTime(0, 0) << -171.767 << -36000 << "UTC-10:00" << false << 0
            << 0 << false << "" << QStringList{QStringLiteral("23:59 on 29 December 2011 and 00:00 on 31 December 2011.")};
        // Asia/Kathmandu  Tue Dec 31 18:30:00 1985 UT = Wed Jan  1 00:15:00 1986 +0545 isdst=0 gmtoff=20700
        QTest::newRow("Kathmandu 1986, skipped quarter hour")
            << "Asia/Kathmandu" << QDate(1986, 1, 1) << QTime(0, 5) << 85.317 << 19800 << "UTC+5:30" << false << 0 << 0
            << false << "" << QStringList{QStringLiteral("are 23:59 on 31 December 1985 and 00:15.")};
        QTest::newRow("unknown zone") << "Mars/Olympus" << QDate(1990, 1, 1) << noon << 0.0 << 0 << "offset unknown"
                                      << false << 0 << 0 << false << ""
                                      << QStringList{QStringLiteral("doesn't hold the zone Mars/Olympus.")};
        QTest::newRow(noFileLeft) << "Europe/Lisbon" << QDate(1990, 1, 1) << noon << -9.139 << 0 << "offset unknown"
                                  << false << 0 << 0 << false << ""
                                  << QStringList{QStringLiteral("for the zone Europe/Lisbon: Too many open files.")};
        // America/Santiago  Sun Apr  8 02:59:59 2040 UT = Sat Apr  7 23:59:59 2040 -03 isdst=1 gmtoff=-10800
        // America/Santiago  Sun Apr  8 03:00:00 2040 UT = Sat Apr  7 23:00:00 2040 -04 isdst=0 gmtoff=-14400
        QTest::newRow("Santiago 2040, repeated hour")
            << "America/Santiago" << QDate(2040, 4, 7) << QTime(23, 30) << -70.65 << -10800 << "UTC-3:00" << true << 4
            << 0 << true << "" << QStringList{QStringLiteral("the first (UTC-3:00) is taken; untick DST")};
        // Long before the years births are given in.
        // Europe/London  Wed Dec  1 00:01:14 1847 UT = Tue Nov 30 23:59:59 1847 LMT isdst=0 gmtoff=-75
        QTest::newRow("London 1847, local mean time")
            << "Europe/London" << QDate(1847, 6, 1) << noon << -0.126 << -75 << "LMT, UTC-0:01:15" << true << 0 << 1
            << false << "" << QStringList{QStringLiteral("UTC-0:01:15 has seconds")};
        // Europe/Madrid  Sun Sep 24 01:00:00 1989 UT = Sun Sep 24 02:00:00 1989 CET isdst=0 gmtoff=3600
        QTest::newRow("Madrid 1990, west of Greenwich and ahead")
            << "Europe/Madrid" << QDate(1990, 1, 1) << noon << -3.704 << 3600 << "CET, UTC+1:00" << true << 1 << 0
            << false << "-" << QStringList();
        // Pacific/Apia  Fri Dec 30 10:00:00 2011 UT = ... +14 isdst=1 gmtoff=50400 (standard +13)
        QTest::newRow("Samoa 2015, across the date line") << "Pacific/Apia" << QDate(2015, 1, 1) << noon << -171.767
                                                          << 50400 << "UTC+14:00" << true << 13 << 0 << true << "-"
                                                          << QStringList();
        // Africa/Casablanca 2019: UT+1 all year but Ramadan, the law's winter clock.
        QTest::newRow("Casablanca 2019") << "Africa/Casablanca" << QDate(2019, 3, 1) << noon << -7.611 << 3600
                                         << "UTC+1:00" << true << 0 << 0 << true << "" << QStringList();
        // Ireland's law calls its winter clock daylight time; summer is read as
        // an hour ahead of it, as at Greenwich.
        // Europe/Dublin  Sun Mar 25 01:00:00 1990 UT = Sun Mar 25 02:00:00 1990 IST isdst=0 gmtoff=3600
        QTest::newRow("Dublin 1990, Irish summer time")
            << "Europe/Dublin" << QDate(1990, 7, 1) << noon << -6.267 << 3600 << "IST, UTC+1:00" << true << 0 << 0
            << true << "" << QStringList();
    }

    void history()
    {
        QFETCH(QString, zone);
        QFETCH(QDate, date);
        QFETCH(QTime, time);
        QFETCH(double, longitude);
        QFETCH(int, offset);
        QFETCH(QString, description);
        QFETCH(bool, fills);
        QFETCH(int, zoneHours);
        QFETCH(int, zoneMinutes);
        QFETCH(bool, dst);
        QFETCH(QString, sign);
        QFETCH(QStringList, notes);

        rlimit files{};
        QCOMPARE(getrlimit(RLIMIT_NOFILE, &files), 0);
        const rlimit none{0, files.rlim_max};
        QCOMPARE(setrlimit(RLIMIT_NOFILE, QTest::currentDataTag() == QLatin1String(noFileLeft) ? &none : &files), 0);
        const PlaceClock clock = placeClock(zone, date, time, longitude);
        QCOMPARE(setrlimit(RLIMIT_NOFILE, &files), 0);
        QCOMPARE(clock.known, description != QLatin1String("offset unknown"));
        QCOMPARE(clock.zoneId, zone);
        QCOMPARE(clock.offsetSeconds, offset);
        QCOMPARE(describeClock(clock), description);
        const ZoneOffset zoneFilled = clock.zone.value_or(ZoneOffset{});
        QCOMPARE(clock.zone.has_value(), fills);
        QCOMPARE(zoneFilled.hours, zoneHours);
        QCOMPARE(zoneFilled.minutes, zoneMinutes);
        QCOMPARE(clock.dst, dst);
        QCOMPARE(zoneSign(zoneFilled.direction, ZoneSigns::Picker), sign);
        QCOMPARE(clock.notes.size(), notes.size());
        for (qsizetype i = 0; i < notes.size(); ++i)
            QVERIFY2(clock.notes.at(i).contains(notes.at(i)), qPrintable(clock.notes.at(i)));
    }
};

QTEST_GUILESS_MAIN(TestPlaceClock)
#include "test_placeclock.moc"
