// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Reading.h"
#include "mansions/modChineseLunarMansionInformation.h"

#include <QStringList>
#include <QTest>

#include <array>

namespace {

// The reading of a name that must have one.
Reading show(const QString &name)
{
    const std::optional<Reading> reading = readingOfNakshatra(name);
    if (!reading)
        qFatal("no reading for %s", qPrintable(name));
    return *reading;
}

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

class TestMansions : public QObject {
    Q_OBJECT
private slots:
    void catalogueRows()
    {
        for (int i = 0; i < mansionCount; ++i) {
            const MansionRecord &row = mansionRow(i);
            QCOMPARE(row.index, i);
            QVERIFY(text(row.pictureEntry).startsWith(QString::number(i) + '_'));
            QVERIFY(row.pictureWidth >= 29 && row.pictureWidth <= 43);
            QVERIFY(row.pictureHeight >= 24 && row.pictureHeight <= 28);
        }
        // Spot checks of texts that are easy to "tidy" by mistake.
        QCOMPARE(text(mansionRow(0).name), u"Jiao"_qs);
        QCOMPARE(text(mansionRow(1).name), u"K\u00e0ng"_qs);
        QCOMPARE(text(mansionRow(11).literalTranslation), u"Danger , Rooftop"_qs);
        QCOMPARE(text(mansionRow(12).literalTranslation), u"Room , Encampment"_qs);
        QCOMPARE(text(mansionRow(22).literalTranslation), u"Ogre/Demon, Ghost"_qs);
        QCOMPARE(text(mansionRow(24).literalTranslation), u"star"_qs);
        QCOMPARE(text(mansionRow(25).literalTranslation), u"Growth, Extended Net"_qs);
        QCOMPARE(text(mansionRow(13).westernConstellation), u"Algenib Pegasus"_qs);
        QCOMPARE(text(mansionRow(7).pictureEntry), u"7_dou.jpg"_qs);
        QCOMPARE(mansionRow(7).pictureWidth, 43);
        QCOMPARE(mansionRow(7).pictureHeight, 28);
    }

    void lastRowHasNoReading()
    {
        const MansionRecord &zhen = mansionRow(27);
        QCOMPARE(text(zhen.name), u"Zhen"_qs);
        QCOMPARE(text(zhen.literalTranslation), u"Chariot"_qs);
        QCOMPARE(text(zhen.westernConstellation), u"Corvus"_qs);
        QCOMPARE(text(zhen.pictureEntry), u"27_zhen.jpg"_qs);
        QCOMPARE(text(zhen.nakshatra), QString());
        QVERIFY(positiveTraits(27).isEmpty());
        QVERIFY(negativeTraits(27).isEmpty());
    }

    void indexOutsideTheCatalogue()
    {
        for (int bad : {-1, 28, 1000}) {
            QCOMPARE(mansionRow(bad).index, -1);
            QCOMPARE(text(mansionRow(bad).name), QString());
            QCOMPARE(text(quadrantOf(bad).animal), QString());
        }
    }

    void twinNamesAreDifferentRows()
    {
        QCOMPARE(text(mansionRow(5).name), text(mansionRow(11).name));
        QCOMPARE(text(mansionRow(5).literalTranslation), u"Tail"_qs);
        QCOMPARE(text(mansionRow(5).westernConstellation), u"Scorpius"_qs);
        QCOMPARE(text(quadrantOf(5).animal), u"Green Dragon"_qs);
        QCOMPARE(text(mansionRow(11).literalTranslation), u"Danger , Rooftop"_qs);
        QCOMPARE(text(mansionRow(11).westernConstellation), u"Aquarius/Pegasus"_qs);
        QCOMPARE(text(quadrantOf(11).animal), u"Red Sparrow"_qs);
        QVERIFY(qstrcmp(mansionRow(5).pictureEntry, mansionRow(11).pictureEntry) != 0);

        QCOMPARE(text(mansionRow(13).name), u"B\u00ec"_qs);
        QCOMPARE(text(mansionRow(18).name), u"B\u00ec"_qs);
        QCOMPARE(text(mansionRow(13).literalTranslation), u"Wall"_qs);
        QCOMPARE(text(quadrantOf(13).animal), u"Red Sparrow"_qs);
        QCOMPARE(text(mansionRow(18).literalTranslation), u"Net"_qs);
        QCOMPARE(text(mansionRow(18).westernConstellation), u"Taurus"_qs);
        QCOMPARE(text(quadrantOf(18).animal), u"White Tiger"_qs);
    }

    void quadrantBoundaries_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("animal");
        QTest::addColumn<QString>("direction");
        QTest::addColumn<QString>("season");
        QTest::newRow("0") << 0 << "Green Dragon" << "East" << "Spring";
        QTest::newRow("6") << 6 << "Green Dragon" << "East" << "Spring";
        QTest::newRow("7") << 7 << "Red Sparrow" << "South" << "Summer";
        QTest::newRow("13") << 13 << "Red Sparrow" << "South" << "Summer";
        QTest::newRow("14") << 14 << "White Tiger" << "West" << "Autumn";
        QTest::newRow("20") << 20 << "White Tiger" << "West" << "Autumn";
        QTest::newRow("21") << 21 << "Black Tortoise" << "North" << "Winter";
        QTest::newRow("27") << 27 << "Black Tortoise" << "North" << "Winter";
    }

    void quadrantBoundaries()
    {
        QFETCH(int, row);
        QFETCH(QString, animal);
        QFETCH(QString, direction);
        QFETCH(QString, season);
        QCOMPARE(text(quadrantOf(row).animal), animal);
        QCOMPARE(text(quadrantOf(row).direction), direction);
        QCOMPARE(text(quadrantOf(row).season), season);
    }

    void lookup_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("row");  // -1: no row
        for (int k = 0; k < nakshatraRowCount; ++k)
            QTest::addRow("%s", mansionRow(k).nakshatra) << nakshatraName(k) << k;
        QTest::newRow("lower case") << "ashwini" << -1;
        QTest::newRow("trailing blank") << "Ashwini " << -1;
        QTest::newRow("leading blank") << " Ashwini" << -1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("mixed first word") << "Purva Phalguni" << -1;
        QTest::newRow("other mixed first word") << "Poorva Ashadha" << -1;
        QTest::newRow("mansion name") << "Jiao" << -1;
        QTest::newRow("last row's name") << "Zhen" << -1;
        QTest::newRow("prefix") << "Uttara" << -1;
        QTest::newRow("embedded nul") << QString("Ashwini") + QChar(0) << -1;
    }

    void lookup()
    {
        QFETCH(QString, name);
        QFETCH(int, row);
        const std::optional<int> found = findMansionRow(name);
        QCOMPARE(found.value_or(-1), row);
        QCOMPARE(readingOfNakshatra(name).has_value(), row >= 0);
    }

    void fullReadingOfAshwini()
    {
        const Reading reading = show("Ashwini");
        QCOMPARE(QStringList(reading.values.begin(), reading.values.end()),
                 (QStringList{"JIAO", "East", "Spica", "Green Dragon", "HORN", "Spring", "Ashwini"}));
        QCOMPARE(reading.traits[0], positiveTraits(0));
        QCOMPARE(reading.traits[1], negativeTraits(0));
        QCOMPARE(reading.pictureEntry, 1);

        // The catalogue row keeps its own spelling; only the values shown are
        // upper case. A reading from a name has no birth.
        QCOMPARE(text(reading.mansion.name), u"Jiao"_qs);
        QCOMPARE(text(reading.mansion.literalTranslation), u"Horn"_qs);
        QVERIFY(!reading.birth && !reading.ephemeris && !reading.span);
    }

    void readingsTakeEverythingFromOneRow_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("results");
        QTest::addColumn<int>("picture");
        QTest::newRow("Uttara Phalguni is row 11, not row 5")
            << "Uttara Phalguni"
            << QStringList{"WEI", "South", "Aquarius/Pegasus", "Red Sparrow", "DANGER , ROOFTOP", "Summer",
                           "Uttara Phalguni"}
            << 12;
        QTest::newRow("Moola is row 18, not row 13")
            << "Moola" << QStringList{u"B\u00cc"_qs, "West", "Taurus", "White Tiger", "NET", "Autumn", "Moola"} << 19;
        QTest::newRow("Revati is row 26")
            << "Revati"
            << QStringList{u"Y\u00cc"_qs, "North", "Corvus", "Black Tortoise", "WINGS", "Winter", "Revati"} << 27;
        QTest::newRow("Punarvasu ends the first group")
            << "Punarvasu"
            << QStringList{"JI", "East", "Sagittarius", "Green Dragon", "WINNOWING BASKET", "Spring", "Punarvasu"}
            << 7;
        QTest::newRow("lower-case translation")
            << "Poorva Bhadrapada"
            << QStringList{"XING", "North", "Alphard", "Black Tortoise", "STAR", "Winter", "Poorva Bhadrapada"}
            << 25;
    }

    void readingsTakeEverythingFromOneRow()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, results);
        QFETCH(int, picture);
        const Reading reading = show(name);
        QCOMPARE(QStringList(reading.values.begin(), reading.values.end()), results);
        QCOMPARE(reading.traits[0], positiveTraits(picture - 1));
        QCOMPARE(reading.traits[1], negativeTraits(picture - 1));
        QCOMPARE(reading.pictureEntry, picture);
    }

    void accentedNamesInUpperCase_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shown");
        QTest::newRow("Kang") << "Bharani" << u"K\u00c0NG"_qs;
        QTest::newRow("Fang") << "Rohini" << u"F\u00c1NG"_qs;
        QTest::newRow("Niu") << "Ashlesha" << u"NI\u00da"_qs;
        QTest::newRow("Shi") << "Hasta" << u"SH\u00cc"_qs;
        QTest::newRow("Bi") << "Chitra" << u"B\u00cc"_qs;
        QTest::newRow("Kui") << "Swati" << u"KU\u00cd"_qs;
        QTest::newRow("Lou") << "Vishakha" << u"L\u00d3U"_qs;
        QTest::newRow("Wei with grave") << "Anuradha" << u"W\u00c8I"_qs;
        QTest::newRow("Yi") << "Revati" << u"Y\u00cc"_qs;
    }

    void accentedNamesInUpperCase()
    {
        QFETCH(QString, name);
        QFETCH(QString, shown);
        QCOMPARE(show(name).values[0], shown);
    }
};

QTEST_APPLESS_MAIN(TestMansions)
#include "test_mansions.moc"
