// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RecordingDesktop.h"
#include "ReferenceVectors.h"
#include "TestFiles.h"
#include "TestWindows.h"

#include "mansions/modChineseLunarMansionInformation.h"
#include "ui/ReadingFlow.h"
#include "ui/ReadingPrint.h"
#include "ui/frmChineseLunarMansionResult.h"
#include "ui/frmComparison.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// What a PDF holds, read back well enough to check a reading: its pages, its
// images' filters and the text each BT ... ET text object shows. Fits what
// Qt's PDF writer produces: plain object headers, Flate content streams and
// Type0 fonts with two-byte codes, each with a ToUnicode map of bfranges.
struct PdfContents {
    bool wellFormed = false; // header, trailer and end-of-file marker
    int pages = 0;
    QStringList imageFilters;
    QStringList texts;

    QString allText() const { return texts.join(QLatin1Char('\n')); }
};

PdfContents readPdf(const QByteArray &pdf)
{
    PdfContents contents;
    contents.wellFormed = pdf.startsWith("%PDF-1.") && pdf.contains("trailer") && pdf.trimmed().endsWith("%%EOF");
    const QString file = QString::fromLatin1(pdf); // one character per byte
    contents.pages = file.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![a-z])")));
    static const QRegularExpression filter(QStringLiteral("/Subtype /Image[^>]*/Filter /(\\w+)"));
    for (const QRegularExpressionMatch &match : filter.globalMatch(file))
        contents.imageFilters.append(match.captured(1));

    // Every object with its dictionary and stream, Flate streams inflated
    // (qUncompress reads zlib data behind a four-byte size hint).
    QHash<int, QString> dictionaries;
    QHash<int, QString> streams;
    static const QRegularExpression object(QStringLiteral("(?:^|\\n)(\\d+) 0 obj(.*?)endobj"),
                                           QRegularExpression::DotMatchesEverythingOption);
    for (const QRegularExpressionMatch &match : object.globalMatch(file)) {
        const QString body = match.captured(2);
        const qsizetype start = body.indexOf(QLatin1String("stream\n"));
        const int number = match.captured(1).toInt();
        dictionaries.insert(number, body.left(start < 0 ? body.size() : start));
        if (start < 0)
            continue;
        QByteArray data = body.mid(start + 7, body.lastIndexOf(QLatin1String("endstream")) - start - 7).toLatin1();
        if (dictionaries.value(number).contains(QLatin1String("/FlateDecode")))
            data = qUncompress(QByteArray("\0\0\0\1", 4) + data);
        streams.insert(number, QString::fromLatin1(data));
    }

    // Font resource name -> code -> text, from each font's ToUnicode bfranges.
    QHash<QString, QHash<int, QString>> fonts;
    static const QRegularExpression fontEntry(QStringLiteral("/(F\\d+) (\\d+) 0 R"));
    static const QRegularExpression toUnicode(QStringLiteral("/ToUnicode (\\d+) 0 R"));
    static const QRegularExpression range(QStringLiteral("<(\\w+)> <(\\w+)> (\\[[^\\]]*\\]|<\\w+>)"));
    static const QRegularExpression hex(QStringLiteral("<(\\w+)>"));
    for (const QRegularExpressionMatch &entry : fontEntry.globalMatch(file)) {
        const QString cmap =
            streams.value(toUnicode.match(dictionaries.value(entry.captured(2).toInt())).captured(1).toInt());
        QHash<int, QString> &codes = fonts[entry.captured(1)];
        for (const QRegularExpressionMatch &match : range.globalMatch(cmap)) {
            const int first = match.captured(1).toInt(nullptr, 16);
            const int last = match.captured(2).toInt(nullptr, 16);
            QStringList targets;
            for (const QRegularExpressionMatch &target : hex.globalMatch(match.captured(3))) {
                QString text;
                for (qsizetype i = 0; i + 4 <= target.capturedLength(1); i += 4)
                    text.append(QChar(target.captured(1).mid(i, 4).toUShort(nullptr, 16)));
                targets.append(text);
            }
            const bool listed = match.captured(3).startsWith(QLatin1Char('['));
            for (int code = first; code <= last && !targets.isEmpty(); ++code) {
                const int offset = code - first;
                if (listed && offset < targets.size())
                    codes.insert(code, targets.at(offset));
                else if (!listed && !targets.at(0).isEmpty()) // one target counting up through the range
                    codes.insert(code, targets.at(0).chopped(1) + QChar(targets.at(0).back().unicode() + offset));
            }
        }
    }

    static const QRegularExpression textOperator(QStringLiteral("/(F\\d+) [\\d.]+ Tf|<(\\w*)> Tj|\\bET\\b"));
    for (const QString &content : std::as_const(streams)) {
        QHash<int, QString> font;
        QString text;
        for (const QRegularExpressionMatch &op : textOperator.globalMatch(content)) {
            if (op.capturedLength(1) > 0) {
                font = fonts.value(op.captured(1));
            } else if (op.captured(0) == QLatin1String("ET")) {
                if (!text.isEmpty())
                    contents.texts.append(text.simplified());
                text.clear();
            } else {
                for (qsizetype i = 0; i + 4 <= op.capturedLength(2); i += 4)
                    text.append(font.value(op.captured(2).mid(i, 4).toInt(nullptr, 16), QStringLiteral("\uFFFD")));
            }
        }
    }
    return contents;
}

// A document information text as Qt writes it: UTF-16 behind a byte order mark.
bool hasInfoText(const QByteArray &pdf, const char *key, const QString &text)
{
    QByteArray encoded("\xFE\xFF");
    for (QChar c : text)
        encoded.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
    return pdf.contains(QByteArray(key) + " (" + encoded + ")");
}

// An A4 sheet rendered at `dpi` with 20 mm margins, white, and the page
// painted inside the margins.
struct Sheet {
    QImage image;
    QRect page;

    // Within the page, give or take a glyph's overhang at the left edge (a
    // pixel or two; text starts at the margin, its ink may start just before).
    bool inside(const QRect &ink) const { return page.adjusted(-2, 0, 0, 0).contains(ink); }
};

Sheet renderSheet(const ReadingPage &reading, int dpi = 100)
{
    const int width = qRound(210 / 25.4 * dpi);
    const int height = qRound(297 / 25.4 * dpi);
    const int margin = qRound(20 / 25.4 * dpi);
    Sheet sheet{QImage(width, height, QImage::Format_RGB32),
                QRect(margin, margin, width - 2 * margin, height - 2 * margin)};
    sheet.image.setDotsPerMeterX(qRound(dpi / 0.0254));
    sheet.image.setDotsPerMeterY(qRound(dpi / 0.0254));
    sheet.image.fill(Qt::white);
    QPainter painter(&sheet.image);
    paintReading(painter, sheet.page, reading);
    return sheet;
}

bool isWhite(QRgb pixel)
{
    return (pixel & 0xFFFFFF) == 0xFFFFFF;
}

// The smallest rectangle holding every pixel of `area` that isn't white.
QRect inkBounds(const QImage &image, const QRect &area)
{
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (!isWhite(image.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

} // namespace

class TestPrinting : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        recorder = std::make_unique<RecordingDesktop>();
        folder = std::make_unique<QTemporaryDir>();
        QVERIFY(folder->isValid());
    }

    void cleanup()
    {
        deleteTopLevelWindows();
        recorder.reset();
    }

    void fileMenuOffersPrintAndExport()
    {
        frmChineseLunarMansionResult screen;
        const QList<QAction *> entries = widget<QMenu>(&screen, "mnuFile")->actions();
        QStringList names;
        for (const QAction *entry : entries)
            names.append(entry->objectName());
        QCOMPARE(names, (QStringList{"mnuBack", "mnuFile1", "mnuSave", "mnuPrint", "mnuExportPdf", "mnuFile2",
                                     "mnuChangeBirthData", "mnuCompare", "mnuMoonCalendar", "mnuFile3", "mnuRecent"}));
        QCOMPARE(entries.at(3)->text(), QStringLiteral("&Print..."));
        QCOMPARE(entries.at(4)->text(), QStringLiteral("E&xport as PDF..."));
        QCOMPARE(entries.at(6)->text() + entries.at(6)->shortcut().toString(), QStringLiteral("Change Birth &DataCtrl+E"));
    }

    void exportWritesOnePageWithTheReading_data()
    {
        QTest::addColumn<QString>("nakshatra");
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("values");
        QTest::newRow("Ashwini") << "Ashwini" << 0
                                 << QStringList{"JIAO", "East", "Spica", "Green Dragon", "HORN", "Spring", "Ashwini"};
        // Accented capitals and a translation with its own commas.
        QTest::newRow("Bharani")
            << "Bharani" << 1
            << QStringList{
                   QString::fromUtf8("K\u00C0NG"), "East", "Virgo", "Green Dragon", "NECK", "Spring", "Bharani"};
        QTest::newRow("Uttara Phalguni")
            << "Uttara Phalguni" << 11
            << QStringList{"WEI",    "South",          "Aquarius/Pegasus", "Red Sparrow", "DANGER , ROOFTOP",
                           "Summer", "Uttara Phalguni"};
    }

    void exportWritesOnePageWithTheReading()
    {
        QFETCH(QString, nakshatra);
        QFETCH(int, row);
        QFETCH(QStringList, values);

        frmChineseLunarMansionResult *screen = showReadingOf(nakshatra);
        QVERIFY(screen);
        const QString path = folder->filePath(nakshatra + QStringLiteral(".pdf"));
        recorder->fileNames.push_back(path);
        widget<QAction>(screen, "mnuExportPdf")->trigger();

        QCOMPARE(recorder->fileRequests.size(), 1);
        const FileDialogRequest &request = recorder->fileRequests.constFirst();
        QCOMPARE(request.mode, FileDialogRequest::Mode::Save);
        QCOMPARE(request.title, QStringLiteral("Quorvel"));
        QCOMPARE(request.filter, QStringLiteral("PDF (*.pdf)"));
        QCOMPARE(request.defaultSuffix, QStringLiteral("pdf"));
        QVERIFY(recorder->messages.isEmpty());

        const QByteArray pdf = fileBytes(path);
        QVERIFY(pdf.startsWith("%PDF-"));
        const PdfContents contents = readPdf(pdf);
        QVERIFY(contents.wellFormed);
        QCOMPARE(contents.pages, 1);
        // The picture is drawn as outlines, sharp at any resolution: no image.
        QVERIFY(contents.imageFilters.isEmpty());

        // The title, every caption and value, both traits paragraphs, each as
        // its own text; a paragraph runs over several lines.
        const QString text = contents.allText();
        QVERIFY2(contents.texts.contains(QStringLiteral("Quorvel Result")), qPrintable(text));
        for (int i = 0; i < values.size(); ++i) {
            QVERIFY2(contents.texts.contains(values.at(i)), qPrintable(values.at(i)));
            QVERIFY(
                contents.texts.contains(widget<QLabel>(screen, "lblCaption", i)->text()));
        }
        QVERIFY(contents.texts.contains(QStringLiteral("Positive Human Traits")));
        QVERIFY(contents.texts.contains(QStringLiteral("Negative Human Traits")));
        // Ligatures ("fi") come back as their letters.
        const QString flowing = contents.texts.join(QLatin1Char(' ')).normalized(QString::NormalizationForm_KC);
        QVERIFY2(flowing.contains(positiveTraits(row).simplified()), qPrintable(text));
        QVERIFY2(flowing.contains(negativeTraits(row).simplified()), qPrintable(text));
        // The mansion's name titles the document too, as viewers show it.
        QVERIFY(hasInfoText(pdf, "/Title", QStringLiteral("Quorvel Result - ") + values.at(0)));
    }

    // A comparison's page names each of its two characters under it.
    void comparisonPageLabelsBothCharacters()
    {
        const QString path = folder->filePath(QStringLiteral("pair.pdf"));
        const std::optional<Reading> pushya = readingOfNakshatra(QStringLiteral("Pushya"));
        QVERIFY(writeReadingPdf(path, comparisonPage(readingPair(*pushya, *readingOfNakshatra(QStringLiteral("Revati"))))));
        const QStringList texts = readPdf(fileBytes(path)).texts;
        for (const QString &label : {QStringLiteral("Pushya: DOU"), QStringLiteral("Revati: Y\u00CC")})
            QVERIFY2(texts.contains(label), qPrintable(texts.join(u'|')));
    }

    // The page says whose reading it is, and the dialogs propose its name.
    void pageAndDialogsSayWhoseReading_data()
    {
        QTest::addColumn<QString>("name"); // empty: a reading opened from a file
        QTest::addColumn<bool>("southWestDst");
        QTest::addColumn<QStringList>("details");
        QTest::addColumn<QString>("stem");
        QTest::newRow("New Delhi") << "Ann" << false
                                   << QStringList{"Born 15 August 1947 at 00:00, time zone UTC+5:30",
                                                  "New Delhi, Delhi, India, 28\u00B0 36\u2032 N, 77\u00B0 13\u2032 E"}
                                   << "Ann - Dou";
        QTest::newRow("a slash, no city")
            << "A/B" << true
            << QStringList{"Born 15 August 1947 at 00:00, time zone UTC\u22125:30, daylight saving time",
                           "Delhi, India, 28\u00B0 36\u2032 S, 77\u00B0 13\u2032 W"}
            << "A_B - Dou";
        QTest::newRow("opened from a file") << "" << false << QStringList{} << "Gui";
    }

    void pageAndDialogsSayWhoseReading()
    {
        QFETCH(QString, name);
        QFETCH(bool, southWestDst);
        QFETCH(QStringList, details);
        QFETCH(QString, stem);
        auto session = std::make_shared<Session>();
        BirthData born = birth(8, 15, 1947, 0, 0, 5, 30, 77, 13, !southWestDst, southWestDst);
        born.name = name;
        std::tie(born.latDegrees, born.latMinutes, born.isNorth) = std::tuple(28, 36, !southWestDst);
        presentReading(name.isEmpty() ? *readingOfNakshatra(QStringLiteral("Dhanistha")) : *calculateReading(born),
                       BirthPlace{southWestDst ? "" : "New Delhi", "Delhi", "India"}, session, nullptr);
        QCOMPARE(readingPage(*session->reading(), session->birthPlace()).birthDetails, details);

        // Save proposes the name in the documents folder; Export then starts
        // where Save wrote, and Save next where Export wrote.
        const QString pdf = folder->filePath(QStringLiteral("other/a.pdf"));
        QVERIFY(QDir().mkpath(QFileInfo(pdf).path()));
        recorder->fileNames = {folder->filePath(QStringLiteral("a.qvr")), pdf};
        for (const char *command : {"mnuSave", "mnuExportPdf", "mnuSave"})
            widget<QAction>(onlyResultScreen(), command)->trigger();
        QCOMPARE(recorder->fileRequests.at(0).fileName + u'|' + recorder->fileRequests.at(1).fileName,
                 stem + QStringLiteral(".qvr|") + stem + QStringLiteral(".pdf"));
        QCOMPARE(recorder->fileRequests.at(1).folder, folder->path());
        QCOMPARE(recorder->fileRequests.at(2).folder, QFileInfo(pdf).path());
        const QStringList texts = readPdf(fileBytes(pdf)).texts;
        QCOMPARE(texts.contains(name), !name.isEmpty());
        for (const QString &line : details)
            QVERIFY2(texts.contains(line), qPrintable(line));
    }

    void cancelledExportWritesNothing()
    {
        frmChineseLunarMansionResult *screen = showReadingOf(QStringLiteral("Ashwini"));
        QVERIFY(screen);
        recorder->fileNames.push_back(std::nullopt);
        recorder->fileNames.push_back(QString());
        QAction *exportPdf = widget<QAction>(screen, "mnuExportPdf");
        exportPdf->trigger();
        exportPdf->trigger();
        QCOMPARE(recorder->fileRequests.size(), 2);
        QVERIFY(recorder->messages.isEmpty());
        QVERIFY(QDir(folder->path()).entryList(QDir::Files).isEmpty());
        QCOMPARE(onlyResultScreen(), screen);
    }

    void failedExportSaysSoAndKeepsWhatWasThere()
    {
        frmChineseLunarMansionResult *screen = showReadingOf(QStringLiteral("Revati"));
        QVERIFY(screen);
        QAction *exportPdf = widget<QAction>(screen, "mnuExportPdf");

        recorder->fileNames.push_back(folder->filePath(QStringLiteral("no such folder/reading.pdf")));
        exportPdf->trigger();
        QCOMPARE(recorder->messages.size(), 1);
        QCOMPARE(recorder->messages.constFirst().text, QStringLiteral("Unable To Save The File."));
        QCOMPARE(recorder->messages.constFirst().icon, MessageIcon::Error);
        QVERIFY(QDir(folder->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());

        // A disk that fills up mid-way leaves the earlier file as it was and
        // no half-written one beside it.
        const QString path = folder->filePath(QStringLiteral("kept.pdf"));
        const QByteArray before("an earlier export");
        QVERIFY(writeBytes(path, before));
        recorder->fileNames.push_back(path);
        {
            FileSizeLimit diskFull(2048);
            QVERIFY(diskFull.active);
            exportPdf->trigger();
        }
        QCOMPARE(recorder->messages.size(), 2);
        QCOMPARE(recorder->messages.at(1).text, QStringLiteral("Unable To Save The File."));
        QCOMPARE(fileBytes(path), before);
        QCOMPARE(QDir(folder->path()).entryList(QDir::Files), QStringList{QStringLiteral("kept.pdf")});

        // With room again the same export replaces it.
        recorder->fileNames.push_back(path);
        exportPdf->trigger();
        QCOMPARE(recorder->messages.size(), 2);
        QCOMPARE(readPdf(fileBytes(path)).pages, 1);
    }

    void printGoesToTheChosenPrinter()
    {
        frmChineseLunarMansionResult *screen = showReadingOf(QStringLiteral("Moola"));
        QVERIFY(screen);
        QAction *print = widget<QAction>(screen, "mnuPrint");

        // Cancelling the print dialog prints nothing and says nothing.
        recorder->printerAnswers.push_back(std::nullopt);
        print->trigger();
        QCOMPARE(recorder->printDialogs, 1);
        QVERIFY(recorder->messages.isEmpty());
        QVERIFY(QDir(folder->path()).entryList(QDir::Files).isEmpty());

        const QString path = folder->filePath(QStringLiteral("printed.pdf"));
        recorder->printerAnswers.push_back(path);
        print->trigger();
        QCOMPARE(recorder->printDialogs, 2);
        QVERIFY(recorder->messages.isEmpty());
        const PdfContents printed = readPdf(fileBytes(path));
        QVERIFY(printed.wellFormed);
        QCOMPARE(printed.pages, 1);
        QVERIFY2(printed.texts.contains(QString::fromUtf8("B\u00CC")), qPrintable(printed.allText()));
        QVERIFY(printed.texts.contains(QStringLiteral("Moola")));
        // Print and export put the same page on paper.
        recorder->fileNames.push_back(folder->filePath(QStringLiteral("exported.pdf")));
        widget<QAction>(screen, "mnuExportPdf")->trigger();
        QCOMPARE(readPdf(fileBytes(folder->filePath(QStringLiteral("exported.pdf")))).texts, printed.texts);

        // A printer that can't be written to is reported, not ignored.
        recorder->printerAnswers.push_back(folder->filePath(QStringLiteral("no such folder/printed.pdf")));
        print->trigger();
        QCOMPARE(recorder->messageTexts(), QStringList{QStringLiteral("Unable To Print The Reading.")});
        QCOMPARE(recorder->messages.constFirst().icon, MessageIcon::Error);
    }

    // Printing to a file that is not a regular one (a FIFO would block the
    // program until someone read it) says so and writes nothing there.
    void printToAFifoSaysSo()
    {
        const QString fifo = folder->filePath(QStringLiteral("printed.pdf"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        // Held open for reading with room for a whole page, so that writing there can't hang the test.
        const int reader = ::open(QFile::encodeName(fifo).constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
        QVERIFY(reader >= 0);
        const auto close = qScopeGuard([reader] { ::close(reader); });
        ::fcntl(reader, F_SETPIPE_SZ, 1 << 20);

        recorder->printerAnswers.push_back(fifo);
        widget<QAction>(showReadingOf(QStringLiteral("Moola")), "mnuPrint")->trigger();
        QCOMPARE(recorder->messageTexts(), QStringList{QStringLiteral("Unable To Print The Reading.")});
        char byte = 0;
        QCOMPARE(::read(reader, &byte, 1), ssize_t(-1)); // nothing was written
    }

    void printerCopiesAreAllPrinted()
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder->filePath(QStringLiteral("copies.pdf")));
        printer.setCopyCount(3);
        QVERIFY(printReadingOn(printer, readingPage(*readingOfNakshatra(QStringLiteral("Swati")))));
        const PdfContents copies = readPdf(fileBytes(printer.outputFileName()));
        QCOMPARE(copies.pages, 3);
        QCOMPARE(copies.texts.count(QString::fromUtf8("KU\u00CD")), 3);
    }

    // Every reading fits inside the margins of an A4 sheet, with its picture enlarged by whole pixels so it stays
    // sharp.
    void everyReadingFitsThePaper()
    {
        for (int row = 0; row < nakshatraRowCount; ++row) {
            const QString nakshatra = QString::fromUtf8(mansionRow(row).nakshatra);
            const ReadingPage reading = readingPage(readingOfRow(row));
            QCOMPARE(reading.values.at(6), nakshatra);
            QVERIFY(!reading.picture.isNull());

            const Sheet sheet = renderSheet(reading);
            const QRect ink = inkBounds(sheet.image, sheet.image.rect());
            QVERIFY2(sheet.inside(ink), qPrintable(nakshatra));
            // The text reaches across the page and well down it.
            QVERIFY(ink.width() > sheet.page.width() * 9 / 10);
            QVERIFY(ink.height() > sheet.page.height() / 3);

            // The picture sits at the top right, above the rule that spans the
            // page, the same character as the built-in picture, 15 mm or more high.
            int ruleY = -1;
            for (int y = sheet.page.top(); y < sheet.page.bottom() && ruleY < 0; ++y) {
                int dark = 0;
                for (int x = sheet.page.left(); x <= sheet.page.right(); ++x)
                    dark += qGray(sheet.image.pixel(x, y)) < 128;
                if (dark > sheet.page.width() * 95 / 100)
                    ruleY = y;
            }
            QVERIFY(ruleY > 0);
            const QRect drawn = inkBounds(sheet.image, QRect(QPoint(sheet.page.center().x(), sheet.page.top()),
                                                             QPoint(sheet.page.right(), ruleY - 1)));
            const QImage source = reading.picture.image.convertToFormat(QImage::Format_RGB32);
            const QRect sourceInk = inkBounds(source, source.rect());
            QVERIFY(!drawn.isEmpty() && !sourceInk.isEmpty());
            const double factor = double(drawn.height()) / sourceInk.height();
            QVERIFY2(source.height() * factor * 25.4 / 100 >= 15, qPrintable(nakshatra));
            QVERIFY2(std::abs(drawn.width() - sourceInk.width() * factor) <= 2 * factor, qPrintable(nakshatra));
        }
    }

    // Above 1x the picture is its character's outline: the built-in
    // picture's shape, with smooth edges one device pixel wide rather than
    // steps the size of the enlargement.
    void picturesAreSharpWhenEnlarged()
    {
        constexpr int scale = 8;
        for (int entry = 1; entry <= mansionCount; ++entry) {
            const MansionPicture picture = mansionPicture(entry);
            QImage sharp(picture.image.size() * scale, QImage::Format_RGB32);
            QPainter painter(&sharp);
            paintPicture(painter, sharp.rect(), picture);
            painter.end();
            // Smooth edges: grey only along them, a device pixel wide.
            int black = 0, grey = 0;
            for (int y = 0; y < sharp.height(); ++y)
                for (int x = 0; x < sharp.width(); ++x) {
                    const int level = qGray(sharp.pixel(x, y));
                    black += level < 128;
                    grey += level > 16 && level < 240;
                }
            // Shrunk back, the built-in picture give or take a pixel (where
            // the font's rasteriser put a stroke): the same character in the
            // same place.
            const QImage shrunk = sharp.scaled(picture.image.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            const QImage builtIn = picture.image.convertToFormat(QImage::Format_RGB32);
            int differing = 0;
            for (int y = 0; y < shrunk.height(); ++y)
                for (int x = 0; x < shrunk.width(); ++x) {
                    bool near = false;
                    for (int d = 0; d < 9 && !near; ++d) {
                        const QPoint at(x + d % 3 - 1, y + d / 3 - 1);
                        near = builtIn.valid(at) &&
                               std::abs(qGray(shrunk.pixel(x, y)) - qGray(builtIn.pixel(at))) <= 160;
                    }
                    differing += !near;
                }
            QVERIFY2(grey > 0 && grey < black / 2 && differing < 8, qPrintable(QString::number(entry)));
        }
    }

    // Text far beyond one page is scaled down to fit rather than running off
    // the paper; words too long for a line break inside the margins.
    void overlongTextStaysOnOnePage()
    {
        ReadingPage reading;
        reading.title = QStringLiteral("Quorvel Result");
        for (int i = 0; i < 7; ++i) {
            reading.captions.append(QStringLiteral("Caption %1").arg(i));
            reading.values.append(QStringLiteral("Value %1").arg(i));
        }
        reading.values[6] = QString(300, QLatin1Char('W'));
        reading.traitsCaptions = {QStringLiteral("Positive Human Traits"), QStringLiteral("Negative Human Traits")};
        const QString paragraph = positiveTraits(0);
        reading.traits = {QStringList(40, paragraph).join(QLatin1Char(' ')), QString(2000, QLatin1Char('M'))};

        const Sheet sheet = renderSheet(reading);
        const QRect ink = inkBounds(sheet.image, sheet.image.rect());
        QVERIFY(sheet.inside(ink));
        // Scaled to the page, not merely cut: the last paragraph reaches its foot.
        QVERIFY(ink.bottom() > sheet.page.bottom() - sheet.page.height() / 20);

        // An empty reading (no picture, no texts) paints only the title and rules.
        ReadingPage empty;
        empty.title = QStringLiteral("Quorvel Result");
        const Sheet blank = renderSheet(empty);
        QVERIFY(blank.inside(inkBounds(blank.image, blank.image.rect())));
    }

private:
    std::unique_ptr<RecordingDesktop> recorder;
    std::unique_ptr<QTemporaryDir> folder; // empty for each test
};

QTEST_MAIN(TestPrinting)
#include "test_printing.moc"
