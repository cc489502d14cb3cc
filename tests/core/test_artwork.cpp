// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mansions/modChineseLunarMansionInformation.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTest>
#include <QXmlStreamReader>

#include <cstdlib>

// The look of the built-in artwork: the 28 mansion pictures and the program's icon.
// Sizes and formats are checked with the rest of the content; here we check that each
// picture shows its own character whole and centred, and that the icon renders as a
// round badge that matches its scalable source.

namespace {

const QString iconPngPath = QStringLiteral(":/content/icon/quorvel-32.png");
const QString iconSvgPath = QStringLiteral(":/content/icon/quorvel.svg");

constexpr QRgb white = 0xffffffff;

QImage loadPicture(int entry)
{
    return QImage(picturePath(entry), "GIF").convertToFormat(QImage::Format_ARGB32);
}

// Darker than mid-grey counts as a stroke of the character.
bool isInk(QRgb pixel)
{
    return qGray(pixel) < 128;
}

// The smallest rectangle holding every ink pixel; null when there is none.
QRect inkBounds(const QImage &image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (isInk(image.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

} // namespace

class TestArtwork : public QObject {
    Q_OBJECT

private slots:
    void picture_data();
    void picture();
    void picturesAreAllDifferent();
    void iconIsARoundBadge();
    void iconSvgIsWellFormedAndSquare();
    void iconPngMatchesItsSvg();
};

void TestArtwork::picture_data()
{
    QTest::addColumn<int>("entry");
    for (int entry = 1; entry <= mansionCount; ++entry)
        QTest::addRow("%s", mansionRow(entry - 1).pictureEntry) << entry;
}

// Each picture is an opaque, colourless image whose character keeps clear of every
// edge (nothing clipped), sits in the middle and is large enough to read.
void TestArtwork::picture()
{
    QFETCH(int, entry);
    const QImage image = loadPicture(entry);
    QVERIFY(!image.isNull());
    const int right = image.width() - 1;
    const int bottom = image.height() - 1;

    for (int y = 0; y <= bottom; ++y) {
        for (int x = 0; x <= right; ++x) {
            const QRgb pixel = image.pixel(x, y);
            const QByteArray where = QByteArray::number(x) + ',' + QByteArray::number(y);
            QVERIFY2(qAlpha(pixel) == 255, where.constData());
            QVERIFY2(qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel), where.constData());
            if (x == 0 || y == 0 || x == right || y == bottom)
                QVERIFY2(pixel == white, where.constData());
        }
    }

    const QRect ink = inkBounds(image);
    QVERIFY(!ink.isNull());
    const int leftMargin = ink.left();
    const int rightMargin = right - ink.right();
    const int topMargin = ink.top();
    const int bottomMargin = bottom - ink.bottom();
    QVERIFY2(std::abs(leftMargin - rightMargin) <= 1,
             qPrintable(QStringLiteral("left %1, right %2").arg(leftMargin).arg(rightMargin)));
    QVERIFY2(std::abs(topMargin - bottomMargin) <= 1,
             qPrintable(QStringLiteral("top %1, bottom %2").arg(topMargin).arg(bottomMargin)));
    QVERIFY2(ink.height() * 3 >= image.height() * 2, qPrintable(QString::number(ink.height())));
}

// No two rows share a picture, including the rows whose names are alike
// (the three "Wei" rows and the two "Bì" rows).
void TestArtwork::picturesAreAllDifferent()
{
    QList<QImage> pictures;
    for (int entry = 1; entry <= mansionCount; ++entry) {
        pictures.append(loadPicture(entry));
        QVERIFY(!pictures.last().isNull());
    }
    for (int a = 0; a < pictures.size(); ++a) {
        for (int b = a + 1; b < pictures.size(); ++b) {
            QVERIFY2(pictures[a] != pictures[b],
                     qPrintable(QStringLiteral("%1 and %2").arg(mansionRow(a).pictureEntry, mansionRow(b).pictureEntry)));
        }
    }
}

// The 32 x 32 icon is a disc: transparent corners, an opaque middle, and a
// drawing rather than one flat colour.
void TestArtwork::iconIsARoundBadge()
{
    const QImage icon = QImage(iconPngPath, "PNG").convertToFormat(QImage::Format_ARGB32);
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.size(), QSize(32, 32));

    for (const QPoint corner : {QPoint(0, 0), QPoint(31, 0), QPoint(0, 31), QPoint(31, 31)})
        QCOMPARE(qAlpha(icon.pixel(corner)), 0);
    for (const QPoint inside : {QPoint(16, 16), QPoint(16, 3), QPoint(3, 16), QPoint(28, 16), QPoint(16, 28)})
        QCOMPARE(qAlpha(icon.pixel(inside)), 255);

    QSet<QRgb> colours;
    for (int y = 0; y < icon.height(); ++y) {
        for (int x = 0; x < icon.width(); ++x)
            colours.insert(icon.pixel(x, y));
    }
    QVERIFY2(colours.size() > 16, qPrintable(QString::number(colours.size())));
}

// The scalable icon is installed for the desktop; it must parse and be square.
void TestArtwork::iconSvgIsWellFormedAndSquare()
{
    QFile file(iconSvgPath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QVERIFY(xml.readNextStartElement());
    QCOMPARE(xml.name(), QStringLiteral("svg"));
    const QStringList viewBox = xml.attributes().value(QStringLiteral("viewBox")).toString().split(u' ');
    QCOMPARE(viewBox.size(), 4);
    QVERIFY(viewBox[2].toDouble() > 0);
    QCOMPARE(viewBox[2], viewBox[3]);
    while (!xml.atEnd())
        xml.readNext();
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
}

// The 32 x 32 rendering is kept in step with the scalable source: an edit to one
// without the other shows up here. Different renderers smooth edges a little
// differently, so the images are compared on average, not pixel for pixel.
void TestArtwork::iconPngMatchesItsSvg()
{
    if (!QImageReader::supportedImageFormats().contains("svg"))
        QSKIP("Qt's SVG image plugin is not installed");

    QImageReader reader(iconSvgPath, "svg");
    reader.setScaledSize(QSize(32, 32));
    const QImage fromSvg = reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QVERIFY2(!fromSvg.isNull(), qPrintable(reader.errorString()));
    const QImage png = QImage(iconPngPath, "PNG").convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QCOMPARE(png.size(), fromSvg.size());

    long long difference = 0;
    int worst = 0;
    for (int y = 0; y < png.height(); ++y) {
        for (int x = 0; x < png.width(); ++x) {
            const QRgb a = png.pixel(x, y);
            const QRgb b = fromSvg.pixel(x, y);
            const int channels[] = {qRed(a) - qRed(b), qGreen(a) - qGreen(b), qBlue(a) - qBlue(b),
                                    qAlpha(a) - qAlpha(b)};
            for (int d : channels) {
                difference += std::abs(d);
                worst = std::max(worst, std::abs(d));
            }
        }
    }
    const double meanDifference = double(difference) / (png.width() * png.height() * 4);
    // The same source through librsvg and through Qt differs by about 0.9 on 255;
    // moving one star by a few units, or recolouring the rim, gives 3 to 5.
    QVERIFY2(meanDifference < 2.0, qPrintable(QStringLiteral("mean %1, worst %2").arg(meanDifference).arg(worst)));
}

QTEST_MAIN(TestArtwork)
#include "test_artwork.moc"
