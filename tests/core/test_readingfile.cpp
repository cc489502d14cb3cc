// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/SavedReading.h"
#include "mansions/ReadingFile.h"
#include "mansions/modChineseLunarMansionInformation.h"
#include "mansions/modRTB.h"
#include "TestFiles.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>


#include <csignal>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray hexBytes(const char *hex)
{
    return QByteArray::fromHex(hex);
}

// The character of one Windows-1252 code.
QChar pageChar(int code)
{
    const QString one = fromSingleByte(QByteArray(1, char(code)));
    Q_ASSERT(one.size() == 1);
    return one.at(0);
}

QStringList allNames()
{
    QStringList names;
    for (int k = 0; k < nakshatraRowCount; ++k)
        names << nakshatraName(k);
    return names;
}

const QByteArray ashwiniBytes = QByteArray::fromHex("96c8bdccbec3be");

// A birth from its values: "1947-08-15 00:00", zone hours and minutes, "28:36N 77:13E".
BirthData birthOf(const QString &name, const QString &moment, int zoneHours, int zoneMinutes, ZoneDirection direction,
                  bool dst, const QString &position)
{
    const QDateTime at = QDateTime::fromString(moment, QStringLiteral("yyyy-MM-dd HH:mm"));
    const QStringList angles = position.split(u' ');
    BirthData b;
    b.name = name;
    b.year = qint16(at.date().year());
    b.month = qint16(at.date().month());
    b.day = qint16(at.date().day());
    b.hour = qint16(at.time().hour());
    b.minute = qint16(at.time().minute());
    b.zoneHours = qint16(zoneHours);
    b.zoneMinutes = qint16(zoneMinutes);
    b.zoneDirection = direction;
    b.dst = dst;
    b.latDegrees = qint16(angles[0].section(u':', 0, 0).toInt());
    b.latMinutes = qint16(angles[0].section(u':', 1).chopped(1).toInt());
    b.isNorth = angles[0].endsWith(u'N');
    b.lonDegrees = qint16(angles[1].section(u':', 0, 0).toInt());
    b.lonMinutes = qint16(angles[1].section(u':', 1).chopped(1).toInt());
    b.isEast = angles[1].endsWith(u'E');
    return b;
}

} // namespace

Q_DECLARE_METATYPE(SavedBirth)

class TestReadingFile : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void init()
    {
        // A fresh, empty folder for every test.
        QVERIFY(QDir(m_dir.path()).removeRecursively());
        QVERIFY(QDir().mkpath(m_dir.path()));
    }

    // --- the scrambler ---

    void scramblesByTheShift()
    {
        QCOMPARE(toSingleByte(scrambleText("Ashwini")), ashwiniBytes);
        QCOMPARE(unscrambleText(fromSingleByte(ashwiniBytes)), u"Ashwini"_qs);
        QCOMPARE(scrambleText(""), QString());
        QCOMPARE(unscrambleText(""), QString());
        QCOMPARE(unscrambleText("u"), u" "_qs);
        QCOMPARE(unscrambleText("A"), QString());  // code 65 - 85 is negative
        // Order is kept: the first stored code belongs to the first letter.
        QCOMPARE(toSingleByte(scrambleText("AB")), hexBytes("9697"));
        QCOMPARE(toSingleByte(scrambleText("BA")), hexBytes("9796"));
        // Codes lost in the middle don't disturb the neighbours.
        QCOMPARE(unscrambleText(fromSingleByte(hexBytes("964197"))), u"AB"_qs);
    }

    void shiftGoesThroughTheCodePage()
    {
        // '+' (0x2B) becomes 0x80, which the page holds as the euro sign.
        QCOMPARE(scrambleText("+"), QString(QChar(0x20AC)));
        QCOMPARE(unscrambleText(QString(QChar(0x20AC))), u"+"_qs);
        // ',' (0x2C) becomes the undefined 0x81: it still has a character.
        QCOMPARE(scrambleText(","), QString(QChar(0x81)));
        QCOMPARE(unscrambleText(QString(QChar(0x81))), u","_qs);
        // A typographic apostrophe is 0x92 in the page: 0x92 - 85 = 0x3D '='.
        QCOMPARE(unscrambleText(QString(QChar(0x2019))), u"="_qs);
    }

    void longTextsGiveTheEmptyText()
    {
        const QString limit(32767, 'A');
        QCOMPARE(scrambleText(limit).size(), 32767);
        QCOMPARE(unscrambleText(QString(32767, 'z')).size(), 32767);
        QCOMPARE(scrambleText(limit + 'A'), QString());
        QCOMPARE(unscrambleText(QString(32768, 'z')), QString());
        QCOMPARE(scrambleText(QString(100000, 'A')), QString());
    }

    void highCodesAreLost()
    {
        for (int code = 171; code <= 255; ++code)
            QVERIFY2(scrambleText(QString(pageChar(code))).isEmpty(), qPrintable(QString::number(code)));
        for (int code = 0; code < 85; ++code)
            QVERIFY2(unscrambleText(QString(pageChar(code))).isEmpty(), qPrintable(QString::number(code)));
    }

    void roundTripOfLowCodes()
    {
        QString all;
        for (int code = 0; code <= 170; ++code)
            all += pageChar(code);
        const QString scrambled = scrambleText(all);
        QCOMPARE(scrambled.size(), 171);
        QCOMPARE(toSingleByte(scrambled).size(), 171);
        for (int i = 0; i < scrambled.size(); ++i)
            QCOMPARE(quint8(toSingleByte(scrambled.mid(i, 1)).at(0)), quint8(i + 85));
        QCOMPARE(unscrambleText(scrambled), all);
    }

    void charactersOutsideThePageAreLeftOut()
    {
        QCOMPARE(scrambleText(QStringLiteral("A\u4e00B")), scrambleText("AB"));
        // U+0080 is a C1 control the page replaces with the euro sign.
        QCOMPARE(scrambleText(QStringLiteral("A\u0080B")), scrambleText("AB"));
        // A character outside the BMP: both halves of the pair are dropped.
        QCOMPARE(scrambleText(QString::fromUtf8("A\xF0\x9F\x98\x80" "B")), scrambleText("AB"));
        QCOMPARE(toSingleByte(QStringLiteral("a\u4e00\u20ac")), hexBytes("6180"));
    }

    void everyByteHasACharacter()
    {
        QByteArray bytes;
        for (int code = 0; code <= 255; ++code)
            bytes.append(char(code));
        QCOMPARE(toSingleByte(fromSingleByte(bytes)), bytes);
        QCOMPARE(fromSingleByte(bytes).mid(0xA0), QString::fromLatin1(bytes.mid(0xA0)));

        // The block where the page differs from Latin-1, in glyphs; the five
        // codes the page leaves undefined are C1 controls of the same number.
        const QString marks = QString::fromUtf8("€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ");
        QCOMPARE(marks.size(), 32);
        QByteArray codes;
        for (int code = 0x80; code < 0xA0; ++code)
            codes.append(char(code));
        QCOMPARE(toSingleByte(marks), codes);
        QCOMPARE(fromSingleByte(codes), marks);
    }

    // --- the file name ---

    void readingExtension_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("dotted") << "a.qvr" << true;
        QTest::newRow("without dot") << "aqvr" << true;
        QTest::newRow("in a folder") << "/home/u/readings/mine.qvr" << true;
        QTest::newRow("upper case") << "a.QVR" << false;
        QTest::newRow("mixed case") << "a.Qvr" << false;
        QTest::newRow("trailing blank") << "a.qvr " << false;
        QTest::newRow("other extension") << "a.txt" << false;
        QTest::newRow("short") << "vr" << false;
        QTest::newRow("empty") << "" << false;
    }

    void readingExtension()
    {
        QFETCH(QString, path);
        QFETCH(bool, accepted);
        QCOMPARE(hasReadingExtension(path), accepted);
    }

    // --- writing ---

    void writesTheExactBytes()
    {
        QVERIFY(writeReadingFile(path("a.qvr"), "Ashwini"));
        QCOMPARE(fileBytes(path("a.qvr")), hexBytes("96c8bdccbec3be0d0a"));

        QVERIFY(writeReadingFile(path("b.qvr"), "Poorva Phalguni"));
        const QByteArray poorva = fileBytes(path("b.qvr"));
        QCOMPARE(poorva.size(), 17);
        QVERIFY(poorva.endsWith("\r\n"));
        QCOMPARE(poorva.at(6), '\x75');
        QCOMPARE(quint8(poorva.at(0)), quint8('P' + 85));

        QVERIFY(writeReadingFile(path("c.qvr"), ""));
        QCOMPARE(fileBytes(path("c.qvr")), QByteArray("\r\n"));
    }

    void everyNameSurvivesAFile()
    {
        for (const QString &name : allNames()) {
            const QString file = path(name + ".qvr");
            QVERIFY(writeReadingFile(file, name));
            const QByteArray bytes = fileBytes(file);
            QCOMPARE(bytes.size(), name.size() + 2);
            for (int i = 0; i < name.size(); ++i)
                QCOMPARE(quint8(bytes.at(i)), quint8(name.at(i).unicode() + 85));
            QCOMPARE(readReadingFile(file), std::optional<QString>(name));
        }
    }

    void writeReplacesAnExistingFile()
    {
        const QString file = path("x.qvr");
        QVERIFY(writeReadingFile(file, "Poorva Bhadrapada"));
        QVERIFY(writeReadingFile(file, "Hasta"));
        QCOMPARE(fileBytes(file), toSingleByte(scrambleText("Hasta")) + "\r\n");
        // A longer unrelated file leaves no tail behind either.
        QVERIFY(writeBytes(file, QByteArray(5000, 'q')));
        QVERIFY(writeReadingFile(file, "Revati"));
        QCOMPARE(fileBytes(file), toSingleByte(scrambleText("Revati")) + "\r\n");
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{"x.qvr"});
    }

    void failedWritesChangeNothing()
    {
        const QByteArray existing = toSingleByte(scrambleText("Ashwini")) + "\r\n";
        QVERIFY(writeBytes(path("reading.qvr"), existing));
        QVERIFY(QDir(m_dir.path()).mkdir("folder.qvr"));
        const QStringList before =
            QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);

        // A folder that doesn't exist.
        QVERIFY(!writeReadingFile(path("missing/x.qvr"), "Revati"));
        // A "folder" that is the existing reading itself.
        QVERIFY(!writeReadingFile(path("reading.qvr/x.qvr"), "Revati"));
        // A target that is a folder.
        QVERIFY(!writeReadingFile(path("folder.qvr"), "Revati"));
        // No path at all.
        QVERIFY(!writeReadingFile("", "Revati"));

        QCOMPARE(fileBytes(path("reading.qvr")), existing);
        QVERIFY(QFileInfo(path("folder.qvr")).isDir());
        QVERIFY(QDir(path("folder.qvr")).isEmpty());
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before);
    }

    void writeFailingHalfwayKeepsTheOldFile()
    {
        // A file size limit makes the write itself fail, as a full disk would;
        // unlike permissions it holds for root too.
        const QString file = path("x.qvr");
        const QByteArray existing = toSingleByte(scrambleText("Ashwini")) + "\r\n";
        QVERIFY(writeBytes(file, existing));

        rlimit saved{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit tight = saved;
        tight.rlim_cur = 10;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &tight), 0);
        const bool written = bool(writeReadingFile(file, "Poorva Bhadrapada"));
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);

        QVERIFY(!written);
        QCOMPARE(fileBytes(file), existing);
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{"x.qvr"});
    }

    void namesOutsideAsciiInThePath()
    {
        const QString file = path(QStringLiteral("L\u00e9a \u65e5\u672c.qvr"));
        QVERIFY(writeReadingFile(file, "Swati"));
        QCOMPARE(readReadingFile(file), std::optional<QString>("Swati"));
    }

    // --- reading ---

    void readsTheFirstLineOnly_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("name");  // empty: refused
        QTest::newRow("CR LF") << ashwiniBytes + "\r\n" << "Ashwini";
        QTest::newRow("no line end") << ashwiniBytes << "Ashwini";
        QTest::newRow("CR only") << ashwiniBytes + "\r" << "Ashwini";
        QTest::newRow("LF only") << ashwiniBytes + "\n" << "Ashwini";
        QTest::newRow("further lines") << ashwiniBytes + "\r\n" + toSingleByte(scrambleText("Revati")) + "\r\nmore\r\n"
                                       << "Ashwini";
        QTest::newRow("garbage after the line end") << ashwiniBytes + hexBytes("0d0a00ff01") << "Ashwini";
        QTest::newRow("empty") << QByteArray() << "";
        QTest::newRow("empty line") << QByteArray("\r\n") << "";
        QTest::newRow("empty line then a name") << "\r\n" + ashwiniBytes + "\r\n" << "";
        QTest::newRow("plain text name") << QByteArray("Ashwini\r\n") << "";
        QTest::newRow("trailing blank") << ashwiniBytes + "u\r\n" << "";
        QTest::newRow("lower case") << toSingleByte(scrambleText("ashwini")) + "\r\n" << "";
        // Bytes below the shift unscramble to nothing; hidden in a line they
        // would leave a name behind, but such a line is longer than any name.
        QTest::newRow("line longer than any name") << QByteArray(20, '\x01') + ashwiniBytes + "\r\n" << "";
        QTest::newRow("4 KiB+ line")
            << ashwiniBytes + QByteArray(5000, '\x01') + "\r\n" << "";
        QTest::newRow("4 KiB+ line without end") << QByteArray(5000, '\x01') + ashwiniBytes << "";
    }

    void readsTheFirstLineOnly()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, name);
        QVERIFY(writeBytes(path("x.qvr"), content));
        const std::optional<QString> read = readReadingFile(path("x.qvr"));
        if (name.isEmpty())
            QCOMPARE(read, std::nullopt);
        else
            QCOMPARE(read, std::optional<QString>(name));
    }

    // --- the birth after the first line ---

    // Each birth is saved, its file edited where the row says, and opened
    // again: line one's reading always, with the birth only where the file
    // still holds it whole and it gives line one's nakshatra.
    void savedBirthRoundTrip_data()
    {
        QTest::addColumn<SavedBirth>("saved");
        QTest::addColumn<QByteArray>("line");   // a line the file holds, in the text form
        QTest::addColumn<QByteArray>("from");   // the edit of the saved file: this ...
        QTest::addColumn<QByteArray>("to");     // ... becomes this
        QTest::addColumn<bool>("kept");         // the birth comes back
        const SavedBirth delhi{birthOf("Ravi", "1947-08-15 00:00", 5, 30, ZoneDirection::FromLongitude, false, "28:36N 77:13E"),
                               {"New Delhi", "Delhi", "India", "Asia/Kolkata"}};
        const QByteArray none;
        QTest::newRow("east, zone by longitude, atlas zone")
            << delhi << QByteArray("\r\nzone=+05:30\r\nzone-direction=longitude\r\n") << none << none << true;
        QTest::newRow("west, zone given ahead, DST")
            << SavedBirth{birthOf("Carlos Ruiz", "1985-03-12 14:30", 1, 0, ZoneDirection::Ahead, true, "40:25N 3:42W"),
                          {"Madrid", "Madrid", "Spain"}}
            << QByteArray("\r\nzone=+01:00\r\nzone-direction=given\r\ndst=yes\r\nlatitude=40:25N\r\nlongitude=3:42W\r\n")
            << none << none << true;
        QTest::newRow("west, zone given behind")
            << SavedBirth{birthOf("Ann", "2001-12-31 23:59", 3, 30, ZoneDirection::Behind, false, "47:34N 52:43W"),
                          {"St. John's", "Newfoundland", "Canada"}}
            << QByteArray("\r\nzone=-03:30\r\nzone-direction=given\r\n") << none << none << true;
        QTest::newRow("west, zone by longitude, south")
            << SavedBirth{birthOf("Lu", "1901-01-01 00:00", 3, 0, ZoneDirection::FromLongitude, false, "34:36S 58:22W"), {}}
            << QByteArray("\r\nzone=-03:00\r\nzone-direction=longitude\r\n") << none << none << true;
        QTest::newRow("name of other scripts, quotes, CR, backslash")
            << SavedBirth{birthOf(QString::fromUtf8("Анна \"李\" Γ\rx\\n"), "1990-07-01 08:15", 1, 0,
                                  ZoneDirection::FromLongitude, true, "48:12N 16:22E"),
                          {QString::fromUtf8("Wien"), QString(), QString::fromUtf8("Österreich")}}
            << QByteArray("\r\nname=\xd0\x90\xd0\xbd\xd0\xbd\xd0\xb0 \"\xe6\x9d\x8e\" \xce\x93\\rx\\\\n\r\n"
                          "date=1990-07-01\r\n")
            << none << none << true;
        QTest::newRow("place with no state") << delhi << QByteArray("\r\nstate=\r\n") << QByteArray("state=Delhi")
                                             << QByteArray("state=") << true;
        QTest::newRow("damaged value") << delhi << none << QByteArray("time=00:00") << QByteArray("time=0O:00") << false;
        QTest::newRow("impossible day") << delhi << none << QByteArray("1947-08-15") << QByteArray("1947-02-30") << false;
        QTest::newRow("unknown version") << delhi << none << QByteArray("Birth 1") << QByteArray("Birth 2") << false;
        QTest::newRow("line missing") << delhi << none << QByteArray("dst=no\r\n") << none << false;
        QTest::newRow("unknown key") << delhi << none << QByteArray("city=") << QByteArray("town=") << false;
        QTest::newRow("sign against the longitude") << delhi << none << QByteArray("+05:30") << QByteArray("-05:30") << false;
        QTest::newRow("too long") << delhi << none << QByteArray("city=New Delhi")
                                  << "city=" + QByteArray(70000, 'x') << false;
        QTest::newRow("edited: another nakshatra") << delhi << none << QByteArray("1947-08-15") << QByteArray("1947-08-20")
                                                   << false;
        QTest::newRow("today's format: line one alone") << delhi << none << QByteArray("Quorvel-Birth 1\r\n")
                                                        << QByteArray("$") << false;
    }

    void savedBirthRoundTrip()
    {
        QFETCH(SavedBirth, saved);
        QFETCH(QByteArray, line);
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(bool, kept);
        const std::optional<Reading> calculated = calculateReading(saved.birth);
        QVERIFY(calculated);
        const QString file = path("p.qvr");
        QVERIFY(saveReading(file, *calculated, saved.place));
        QByteArray bytes = fileBytes(file);
        // Line one is exactly what every reader of the format takes.
        QVERIFY(bytes.startsWith(readingFirstLine(calculated->nakshatraName)));
        if (to == "$")  // everything after line one cut
            bytes.truncate(bytes.indexOf(from));
        else if (!from.isEmpty())
            bytes.replace(from, to);
        QVERIFY2(bytes.contains(line), bytes.constData());
        QVERIFY(writeBytes(file, bytes));

        const std::optional<OpenedReading> opened = openReading(file);
        QVERIFY(opened);
        QCOMPARE(opened->reading.nakshatraName, calculated->nakshatraName);
        QCOMPARE(opened->reading.sourcePath, file);
        QCOMPARE(opened->reading.birth.has_value(), kept);
        QCOMPARE(opened->birthNote.isEmpty(), kept || to == "$");
        if (kept) {
            QCOMPARE(readingFirstLine(opened->reading.nakshatraName)
                         + savedBirthLines({*opened->reading.birth, opened->place}), bytes);
            QCOMPARE(opened->reading.birth->name, saved.birth.name);
            QVERIFY(opened->reading.span);
            // Saved again, the birth stays.
            QVERIFY(saveReading(path("again.qvr"), opened->reading, opened->place));
            QCOMPARE(fileBytes(path("again.qvr")), bytes);
        }
    }

    void binaryGarbageIsRefused()
    {
        QRandomGenerator random(20250101);
        for (int round = 0; round < 200; ++round) {
            QByteArray bytes(int(random.bounded(1, 300)), Qt::Uninitialized);
            for (char &b : bytes)
                b = char(random.bounded(256));
            QVERIFY(writeBytes(path("x.qvr"), bytes));
            const std::optional<QString> read = readReadingFile(path("x.qvr"));
            // Whatever comes back must be one of the names, never junk.
            if (read)
                QVERIFY(allNames().contains(*read));
        }
    }

    void hugeFileIsNotReadWhole()
    {
        // A sparse 3 GiB file of zeros with no line end.
        const QString file = path("huge.qvr");
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            if (!f.resize(qint64(3) << 30))
                QSKIP("the file system can't hold a sparse 3 GiB file");
        }
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(readReadingFile(file), std::nullopt);
        QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
    }

    void thingsThatAreNotFilesAreRefused()
    {
        QCOMPARE(readReadingFile(path("missing.qvr")), std::nullopt);
        QCOMPARE(readReadingFile(""), std::nullopt);
        QVERIFY(QDir(m_dir.path()).mkdir("x.qvr"));
        QCOMPARE(readReadingFile(path("x.qvr")), std::nullopt);
        QCOMPARE(readReadingFile("/dev/null"), std::nullopt);
    }

    void fifoDoesNotBlock()
    {
        const QString fifo = path("pipe.qvr");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

        FifoReleaser releaser(fifo, ashwiniBytes + "\r\n");
        const std::optional<QString> read = readReadingFile(fifo);
        releaser.finished();
        QCOMPARE(read, std::nullopt);
        QVERIFY(!releaser.released());
    }

    void fifoWithAReadingInItIsRefused()
    {
        // Even with a writer and a reading waiting in it (more than the
        // bounded read takes), a FIFO is no saved reading.
        const QString fifo = path("pipe.qvr");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        const int fd = ::open(QFile::encodeName(fifo).constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
        QVERIFY(fd >= 0);
        const QByteArray line = ashwiniBytes + "\r\n" + QByteArray(8192, 'x');
        QCOMPARE(::write(fd, line.constData(), std::size_t(line.size())), ssize_t(line.size()));
        const std::optional<QString> read = readReadingFile(fifo);
        ::close(fd);
        QCOMPARE(read, std::nullopt);
    }
};

QTEST_APPLESS_MAIN(TestReadingFile)
#include "test_readingfile.moc"
