// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mansions/modChineseLunarMansionInformation.h"

#include <QFile>
#include <QImage>
#include <QTest>

#include <array>

namespace {

// What every traits paragraph must look like: its exact opening words, its
// length in characters (met within lengthTolerance) and its exact number of
// sentences.
struct TraitsExpectation {
    int row;
    const char *positiveOpening;
    int positiveLength;
    int positiveSentences;
    const char *negativeOpening;
    int negativeLength;
    int negativeSentences;
};

constexpr int lengthTolerance = 5;

constexpr std::array<TraitsExpectation, nakshatraRowCount> traitsTable{{
    {0, "People born under the influence of this lunar mansion are generally bright", 534, 5, "Persons born under this sign are fearful in nature.", 591, 7},
    {1, "Independent and self reliant in nature, they always strive for more.", 693, 7, "However, people born under this mansion have a tendency to be restless", 401, 3},
    {2, "An interesting aspect about people born under this mansion", 811, 6, "The single minded pursuit of success also has its negative effect", 620, 5},
    {3, "They can be entrusted with any type of project", 721, 6, "People born under this sign often have a strangely defeatist attitude", 377, 3},
    {4, "Intelligent in speech and gentle in nature", 714, 8, "People born under this lunar mansion are often addicted to", 622, 6},
    {5, "They are soft at heart and help others in need", 801, 9, "Conversely, however, people born under this lunar mansion can also be harmful", 539, 5},
    {6, "The most striking feature which can be observed", 964, 8, "Given their good qualities, there is also a dark side", 705, 7},
    {7, "These people are usually popular, admired by all", 735, 8, "On the flip side, these people are workaholics", 728, 6},
    {8, "Deeply religious at heart, they enjoy listening to the scriptures", 246, 3, "On the other hand, these people have a tendency to overspend", 487, 4},
    {9, "These people are generally kind hearted, and love to help others.", 480, 6, "On the flip side, persons born under the influence of this star are born sexually weak", 630, 7},
    {10, "People born under this lunar mansion are highly religious and God fearing people.", 733, 8, "People born under this lunar mansion are usually quite selfish", 816, 8},
    {11, "They are also born intelligent and gain expertise", 936, 11, "Persons under the influence of this star tend to use harsh words", 482, 5},
    {12, "People born under this mansion are happy in their own self", 790, 8, "Some of the people born under this lunar mansion, may suffer", 539, 4},
    {13, "Independent and often fiercely ambitious", 641, 7, "Persons influenced by this mansion are short tempered and stubborn", 813, 7},
    {14, "People influenced by this lunar mansion are traditionally expected", 655, 5, "Ruled by the horse, people born under this lunar mansion", 747, 6},
    {15, "People influenced by this lunar mansion are stable, knowledgeable and truthful", 937, 9, "On the other side, they are not able to withstand", 796, 6},
    {16, "People born under this lunar mansion are highly popular with members of the opposite sex.", 996, 8, "On the other hand, they have a tendency to pressurize others", 593, 6},
    {17, "They are lightly built and soft-spoken", 690, 6, "Conversely speaking, they make poor leaders of men", 857, 9},
    {18, "They have the ability to quickly grasp any new idea", 689, 8, "On the flip side, at times, their over enthusiastic nature", 531, 5},
    {19, "Being vigorous in nature, they love the outdoors", 536, 5, "Surprisingly however, these same persons can be insensitive at times", 735, 7},
    {20, "Simple people, they are honest and always tend to speak the truth.", 700, 8, "People born under this constellation have very few negative qualities.", 275, 4},
    {21, "Those born under this sign enjoy wealth and prosperity to the fullest.", 1031, 10, "However, these people should be cautious", 470, 5},
    {22, "People born under this star are said to be remarkably flexible", 812, 8, "Since this mansion is governed by the serpent symbol", 641, 6},
    {23, "They are knowledgeable people and are bestowed with all material comforts.", 830, 8, "At times, however, such people may be cruel", 432, 5},
    {24, "They are very determined people and execute a given project smoothly", 737, 7, "On the flip side, it is recommended that they should tend to plan", 515, 4},
    {25, "People born under this constellation are scientifically minded", 844, 9, "Sometimes, people governed by this mansion tend to be vain and arrogant.", 454, 4},
    {26, "It is very difficult not to be attracted towards such individuals", 605, 7, "People born under this constellation at times; tend to be quarrelsome", 542, 5},
}};

// The two paragraphs stored as two pieces, and the words their second piece
// begins with.
struct TwoPieceParagraph {
    int row;
    const char *secondPieceOpening;
};

constexpr std::array<TwoPieceParagraph, 2> twoPieceTable{{
    {16, "They are generally highly admired and trusted at their workplaces"},
    {21, "They have deep-rooted political convictions too"},
}};

// Picture entry number, entry name and pixel size.
struct PictureExpectation {
    int entry;
    const char *name;
    int width;
    int height;
};

constexpr std::array<PictureExpectation, mansionCount> pictureTable{{
    {1, "0_jiao.jpg", 31, 24},
    {2, "1_kang.jpg", 35, 24},
    {3, "2_di.jpg", 32, 24},
    {4, "3_fang.jpg", 30, 24},
    {5, "4_xin.jpg", 37, 24},
    {6, "5_wei_1.jpg", 32, 24},
    {7, "6_ji.jpg", 34, 24},
    {8, "7_dou.jpg", 43, 28},
    {9, "8_niu.jpg", 39, 28},
    {10, "9_nu.jpg", 39, 25},
    {11, "10_xu.jpg", 39, 26},
    {12, "11_wei_2.jpg", 38, 25},
    {13, "12_shi.jpg", 40, 26},
    {14, "13_bi_1.jpg", 34, 28},
    {15, "14_kui.jpg", 34, 24},
    {16, "15_lou.jpg", 35, 24},
    {17, "16_wei_3.jpg", 31, 24},
    {18, "17_mao.jpg", 35, 24},
    {19, "18_bi_2.jpg", 34, 24},
    {20, "19_zi.jpg", 29, 24},
    {21, "20_shen.jpg", 32, 24},
    {22, "21_jing.jpg", 37, 24},
    {23, "22_gui.jpg", 33, 24},
    {24, "23_liu.jpg", 35, 24},
    {25, "24_xing.jpg", 30, 24},
    {26, "25_zhang.jpg", 33, 24},
    {27, "26_yi.jpg", 31, 24},
    {28, "27_zhen.jpg", 37, 24},
}};

// A sentence ends with ".", "!" or "?" followed by a blank or the end of the
// text; so "3.5" ends none and "Why? Yes!" ends two.
int countSentences(const QString &text)
{
    int count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'.' && c != u'!' && c != u'?')
            continue;
        if (i + 1 == text.size() || text.at(i + 1) == u' ')
            ++count;
    }
    return count;
}

QString traitsResource(int row, const QString &kind)
{
    return QStringLiteral(":/content/traits/%1_%2.txt").arg(row, 2, 10, QLatin1Char('0')).arg(kind);
}

// The pieces of a paragraph file: its lines, less the final line end.
QStringList piecesOf(const QByteArray &raw)
{
    QString text = QString::fromUtf8(raw);
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text.split(u'\n');
}

// Dark enough to be ink rather than paper.
bool isInk(QRgb pixel)
{
    return qAlpha(pixel) == 255 && qGray(pixel) < 96;
}

bool isPaper(QRgb pixel)
{
    return qAlpha(pixel) == 255 && qGray(pixel) > 240;
}

} // namespace

class TestContent : public QObject {
    Q_OBJECT
private slots:
    void resourcesAreLinkedIn();
    void sentenceCounter_data();
    void sentenceCounter();
    void paragraphs_data();
    void paragraphs();
    void paragraphFiles_data();
    void paragraphFiles();
    void twoPieceParagraphs_data();
    void twoPieceParagraphs();
    void typographicApostrophes();
    void rowsWithoutTraits();
    void pictures_data();
    void pictures();
    void picturePathOutsideTheList();
};

// The resources live in a static library; if they were not linked into the
// executable every text would silently be empty.
void TestContent::resourcesAreLinkedIn()
{
    QVERIFY(QFile::exists(QStringLiteral(":/content/traits/00_positive.txt")));
    QVERIFY(QFile::exists(QStringLiteral(":/content/pictures/0_jiao.jpg")));
    QVERIFY(QFile::exists(QStringLiteral(":/content/icon/quorvel.svg")));
    QVERIFY(QFile::exists(QStringLiteral(":/content/icon/quorvel-32.png")));
    // Pictures are addressed by their entry name only.
    QVERIFY(!QFile::exists(QStringLiteral(":/content/pictures/0_jiao.gif")));
}

void TestContent::sentenceCounter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("sentences");
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("one") << QStringLiteral("They are kind.") << 1;
    QTest::newRow("no final stop") << QStringLiteral("They are kind. And brave") << 1;
    QTest::newRow("marks") << QStringLiteral("Why? Yes! Indeed.") << 3;
    QTest::newRow("decimal") << QStringLiteral("About 3.5 of them.") << 1;
    QTest::newRow("stop before quote") << QStringLiteral("A \u2018rainy day\u2019. Next.") << 2;
}

void TestContent::sentenceCounter()
{
    QFETCH(QString, text);
    QFETCH(int, sentences);
    QCOMPARE(countSentences(text), sentences);
}

void TestContent::paragraphs_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("positive");
    QTest::addColumn<QString>("opening");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("sentences");
    for (const TraitsExpectation &e : traitsTable) {
        QTest::addRow("%02d positive", e.row) << e.row << true << QString::fromUtf8(e.positiveOpening)
                                              << e.positiveLength << e.positiveSentences;
        QTest::addRow("%02d negative", e.row) << e.row << false << QString::fromUtf8(e.negativeOpening)
                                              << e.negativeLength << e.negativeSentences;
    }
}

void TestContent::paragraphs()
{
    QFETCH(int, row);
    QFETCH(bool, positive);
    QFETCH(QString, opening);
    QFETCH(int, length);
    QFETCH(int, sentences);

    const QString text = positive ? positiveTraits(row) : negativeTraits(row);
    QVERIFY2(!text.isEmpty(), "paragraph missing");
    QVERIFY2(text.startsWith(opening), qPrintable(text.left(opening.size() + 20)));
    QCOMPARE(countSentences(text), sentences);
    QVERIFY2(qAbs(text.size() - length) <= lengthTolerance,
             qPrintable(QStringLiteral("%1 characters, expected %2 \u00b1 %3")
                            .arg(text.size()).arg(length).arg(lengthTolerance)));
    QVERIFY(!text.contains(u'\n'));
    QVERIFY(!text.contains(u'\r'));
    // Tidy prose: no stray blanks, no straight apostrophes.
    QCOMPARE(text.trimmed(), text);
    QVERIFY(!text.contains(QStringLiteral("  ")));
    QVERIFY(!text.contains(u'\''));
    QVERIFY(!text.contains(QChar::ReplacementCharacter));
}

// Each file holds one piece per line; only the two-piece paragraphs have two.
void TestContent::paragraphFiles_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("pieces");
    for (int row = 0; row < nakshatraRowCount; ++row) {
        const bool twoPieces = row == 16 || row == 21;
        QTest::addRow("%02d positive", row) << traitsResource(row, QStringLiteral("positive")) << (twoPieces ? 2 : 1);
        QTest::addRow("%02d negative", row) << traitsResource(row, QStringLiteral("negative")) << 1;
    }
}

void TestContent::paragraphFiles()
{
    QFETCH(QString, path);
    QFETCH(int, pieces);
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
    const QByteArray raw = file.readAll();
    QVERIFY(!raw.contains('\r'));
    const QStringList found = piecesOf(raw);
    QCOMPARE(found.size(), pieces);
    for (const QString &piece : found)
        QVERIFY(!piece.isEmpty());
}

void TestContent::twoPieceParagraphs_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("secondOpening");
    for (const TwoPieceParagraph &p : twoPieceTable)
        QTest::addRow("%02d", p.row) << p.row << QString::fromUtf8(p.secondPieceOpening);
}

// The pieces join with nothing between them, so the first must end in a
// blank for the paragraph to read on.
void TestContent::twoPieceParagraphs()
{
    QFETCH(int, row);
    QFETCH(QString, secondOpening);
    QFile file(traitsResource(row, QStringLiteral("positive")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList pieces = piecesOf(file.readAll());
    QCOMPARE(pieces.size(), 2);
    QVERIFY(pieces.at(0).endsWith(u' '));
    QVERIFY(!pieces.at(0).endsWith(QStringLiteral("  ")));
    QVERIFY2(pieces.at(1).startsWith(secondOpening), qPrintable(pieces.at(1).left(80)));
    QCOMPARE(positiveTraits(row), pieces.at(0) + pieces.at(1));
}

void TestContent::typographicApostrophes()
{
    QString all;
    for (int row = 0; row < nakshatraRowCount; ++row)
        all += positiveTraits(row) + negativeTraits(row);
    QVERIFY(all.contains(QChar(0x2019)));
}

// Row 27 has no texts, and rows outside the catalogue give nothing rather
// than another row's text.
void TestContent::rowsWithoutTraits()
{
    for (int row : {27, 28, -1, 1000, -1000}) {
        QVERIFY2(positiveTraits(row).isEmpty(), qPrintable(QString::number(row)));
        QVERIFY2(negativeTraits(row).isEmpty(), qPrintable(QString::number(row)));
    }
    QVERIFY(!positiveTraits(26).isEmpty());
    QVERIFY(!negativeTraits(0).isEmpty());
}

void TestContent::pictures_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    for (const PictureExpectation &p : pictureTable)
        QTest::addRow("%s", p.name) << p.entry << QString::fromUtf8(p.name) << QSize(p.width, p.height);
}

// Every picture decodes as GIF at its exact size and is black on white:
// white corners and some ink.
void TestContent::pictures()
{
    QFETCH(int, entry);
    QFETCH(QString, name);
    QFETCH(QSize, size);

    const QString path = picturePath(entry);
    QCOMPARE(path, QStringLiteral(":/content/pictures/") + name);

    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
    QVERIFY(file.read(4) == "GIF8");

    const QImage image(path, "GIF");
    QVERIFY2(!image.isNull(), qPrintable(path));
    QCOMPARE(image.size(), size);

    const QImage rgb = image.convertToFormat(QImage::Format_ARGB32);
    const int right = rgb.width() - 1;
    const int bottom = rgb.height() - 1;
    QVERIFY(isPaper(rgb.pixel(0, 0)));
    QVERIFY(isPaper(rgb.pixel(right, 0)));
    QVERIFY(isPaper(rgb.pixel(0, bottom)));
    QVERIFY(isPaper(rgb.pixel(right, bottom)));

    int ink = 0;
    for (int y = 0; y < rgb.height(); ++y) {
        for (int x = 0; x < rgb.width(); ++x) {
            if (isInk(rgb.pixel(x, y)))
                ++ink;
        }
    }
    // A character's strokes cover far more than a few pixels, and far less
    // than the whole ground.
    QVERIFY2(ink >= 20, qPrintable(QString::number(ink)));
    QVERIFY2(ink < rgb.width() * rgb.height() / 2, qPrintable(QString::number(ink)));
}

void TestContent::picturePathOutsideTheList()
{
    for (int entry : {0, 29, -1, 1000})
        QVERIFY2(picturePath(entry).isEmpty(), qPrintable(QString::number(entry)));
}

QTEST_MAIN(TestContent)
#include "test_content.moc"
