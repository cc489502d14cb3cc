// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/ReadingPair.h"
#include "core/Tara.h"
#include "mansions/modChineseLunarMansionInformation.h"

#include <QTest>

class TestTara : public QObject {
    Q_OBJECT
private slots:
    void fixedPairs_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("aToB");  // count, tara name, favourable
        QTest::addColumn<QString>("bToA");
        QTest::addColumn<QString>("score");
        QTest::newRow("Revati, Anuradha") << "Revati" << "Anuradha" << "18 Parama Mitra Yes" << "11 Sampat Yes"
                                          << "3 / 3";
        QTest::newRow("same nakshatra") << "Pushya" << "Pushya" << "1 Janma Yes" << "1 Janma Yes" << "3 / 3";
        QTest::newRow("Ashwini, Krittika") << "Ashwini" << "Krittika" << "3 Vipat No" << "26 Mitra Yes" << "1.5 / 3";
        QTest::newRow("Trijanma, Anujanma") << "Ashwini" << "Moola" << "19 Janma (Trijanma) Yes"
                                            << "10 Janma (Anujanma) Yes" << "3 / 3";
    }
    void fixedPairs()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        const ReadingPair pair = readingPair(*readingOfNakshatra(a), *readingOfNakshatra(b));
        const auto text = [](const TaraStep &s) {
            return QStringLiteral("%1 %2 %3").arg(s.count).arg(taraName(s), favourableText(s));
        };
        QTEST(text(pair.match.aToB), "aToB");
        QTEST(text(pair.match.bToA), "bToA");
        QTEST(taraScoreText(pair.match.score), "score");
        // The text names both readings by their nakshatras, as no one is named.
        QVERIFY(readingPairText(pair).contains(QStringLiteral("%1 to %2\nCount: ").arg(a, b)));
    }

    // Over all 729 ordered pairs: 243 score 3, 486 score 1.5, none 0; the
    // reverse of tara T is ((10 - T) mod 9) + 1; each tara gets 81 pairs.
    void allPairs()
    {
        int full = 0, half = 0, none = 0;
        QList<int> perTara(taraCount + 1, 0);
        for (int a = 0; a < nakshatraRowCount; ++a) {
            for (int b = 0; b < nakshatraRowCount; ++b) {
                const TaraMatch match = taraMatch(a, b);
                (match.score == 3 ? full : match.score == 1.5 ? half : none) += 1;
                QCOMPARE(match.bToA.tara, (10 - match.aToB.tara) % 9 + 1);
                QCOMPARE(taraMatch(b, a).score, match.score);
                QCOMPARE(match.aToB.favourable, match.aToB.tara != 3 && match.aToB.tara != 5 && match.aToB.tara != 7);
                ++perTara[match.aToB.tara];
            }
        }
        QCOMPARE(full, 243);
        QCOMPARE(half, 486);
        QCOMPARE(none, 0);
        QCOMPARE(perTara.count(81), taraCount);
    }
};

QTEST_GUILESS_MAIN(TestTara)
#include "test_tara.moc"
