// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// quorvel-cli, run as a separate program the way a user runs it.
#include "core/BirthTimeSpan.h"
#include "ephemeris/modEphemeris.h"
#include "mansions/ReadingFile.h"
#include "mansions/modChineseLunarMansionInformation.h"
#include "mansions/modRTB.h"
#include "sys/NativeFileName.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include "ReferenceVectors.h"
#include "TestFiles.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <vector>

namespace {

struct Run {
    int status = -1;  // the exit code; -1 when the program didn't end normally
    QByteArray out;
    QByteArray err;
};

// Runs its arguments through bash's printf %b ("caf\\xe9.qvr"), so that they
// may hold bytes that are not UTF-8.
const QString printfArguments =
    QStringLiteral("for a do shift; set -- \"$@\" \"$(printf '%b' \"$a\")\"; done; exec \"$0\" \"$@\"");

// `native` passes the arguments through printfArguments.
Run run(const QStringList &arguments, const QByteArray &input = {}, const QString &outputFile = {}, bool native = false)
{
    QProcess process;
    if (!outputFile.isEmpty())
        process.setStandardOutputFile(outputFile);
    if (native)
        process.start(QStringLiteral("bash"),
                      QStringList{QStringLiteral("-c"), printfArguments, QUORVEL_CLI} + arguments);
    else
        process.start(QStringLiteral(QUORVEL_CLI), arguments);
    Run result;
    if (!process.waitForStarted())
        return result;
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    if (process.exitStatus() == QProcess::NormalExit)
        result.status = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

QString utf8(const QByteArray &bytes)
{
    return QString::fromUtf8(bytes);
}

// A small CSV reader of our own, so that the output is checked by something
// other than the code that wrote it.
QList<QStringList> parseCsv(const QByteArray &bytes)
{
    const QString text = utf8(bytes);
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    bool any = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        any = true;
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text.at(i + 1) == u'"') {
                field += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            row << field;
            field.clear();
        } else if (c == u'\n') {
            row << field;
            rows << row;
            row.clear();
            field.clear();
            any = false;
        } else if (c != u'\r') {
            field += c;
        }
    }
    if (any) {
        row << field;
        rows << row;
    }
    return rows;
}

// One line of tests/data/ephemeris.tsv, with the companion's options for it.
struct Vector : ReferenceCase {
    QString date() const { return QStringLiteral("%1-%2-%3").arg(birth.year, 4, 10, QLatin1Char('0')).arg(birth.month, 2, 10, QLatin1Char('0')).arg(birth.day, 2, 10, QLatin1Char('0')); }
    QString time() const { return QStringLiteral("%1:%2").arg(birth.hour, 2, 10, QLatin1Char('0')).arg(birth.minute, 2, 10, QLatin1Char('0')); }
    QString zone() const { return QStringLiteral("%1:%2").arg(birth.zoneHours).arg(birth.zoneMinutes, 2, 10, QLatin1Char('0')); }
    QString lon() const
    {
        return QStringLiteral("%1:%2%3").arg(birth.lonDegrees).arg(birth.lonMinutes, 2, 10, QLatin1Char('0')).arg(QChar(birth.isEast ? u'E' : u'W'));
    }
    QStringList arguments() const
    {
        QStringList args{QStringLiteral("--name"), QStringLiteral("Vector"), QStringLiteral("--date"), date(),
                         QStringLiteral("--time"), time(), QStringLiteral("--zone"), zone(),
                         QStringLiteral("--lon"), lon(), QStringLiteral("--lat"), QStringLiteral("10:00N")};
        if (birth.dst)
            args << QStringLiteral("--dst");
        return args;
    }
};

std::vector<Vector> referenceVectors()
{
    std::vector<Vector> vectors;
    for (const ReferenceCase &c : loadReferenceCases())
        vectors.push_back(Vector{c});
    return vectors;
}

const char *const valueKeys[] = {"julianDay", "universalTime", "centuries", "tropicalLongitude", "siderealOffset",
                                 "siderealLongitude"};
// The reference values carry 17 significant digits; ours come from the same
// double arithmetic, so they may differ only in the last bits.
constexpr double tolerance = 1e-9;

QByteArray birthsCsv(const QStringList &rows)
{
    return (QStringList{QStringLiteral("name,date,time,zone,lon,lat,dst")} + rows).join(u'\n').toUtf8() + '\n';
}

const QStringList pushyaArguments{QStringLiteral("--name"), QStringLiteral("Ann"), QStringLiteral("--date"),
                                  QStringLiteral("1947-08-15"), QStringLiteral("--time"), QStringLiteral("00:00"),
                                  QStringLiteral("--zone"), QStringLiteral("+5:30"), QStringLiteral("--lon"),
                                  QStringLiteral("77:13E"), QStringLiteral("--lat"), QStringLiteral("28:36N")};

BirthData pushyaBirth()
{
    BirthData b = birth(8, 15, 1947, 0, 0, 5, 30, 77, 13, true, false);
    b.name = QStringLiteral("Ann");
    b.latDegrees = 28;
    b.latMinutes = 36;
    return b;
}

QStringList with(QStringList arguments, const QString &option, const QString &value)
{
    const qsizetype at = arguments.indexOf(option);
    if (at >= 0)
        arguments[at + 1] = value;
    return arguments;
}

const QString pushyaReadingLines = QStringLiteral(
    "Chinese Lunar Mansion Name: DOU\n"
    "Associated Direction: South\n"
    "Western Constellation: Sagittarius\n"
    "Associated Animal: Red Sparrow\n"
    "Literal Translation: DIPPER\n"
    "Associated Season: Summer\n"
    "Corresponding Indian Lunar Mansion: Pushya\n");

} // namespace

class TestCli : public QObject {
    Q_OBJECT
private slots:
    void versionAndHelp()
    {
        const Run version = run({QStringLiteral("--version")});
        QCOMPARE(version.status, 0);
        QCOMPARE(version.out, QByteArray("quorvel-cli 1.15\n"));
        QVERIFY(version.err.isEmpty());

        // A value that looks like the help option is a value.
        const Run named = run(with(pushyaArguments, "--name", "-h"));
        QCOMPARE(named.status, 0);
        QVERIFY(named.out.startsWith("Name: -h\n"));

        // Help wins over anything else on the line, even a wrong option.
        for (const QStringList &args : {QStringList{QStringLiteral("--help")},
                                        QStringList{QStringLiteral("--colour"), QStringLiteral("-h")}}) {
            const Run help = run(args);
            QCOMPARE(help.status, 0);
            QVERIFY(help.out.startsWith("Usage: quorvel-cli"));
            QVERIFY(help.out.contains("follows the longitude"));  // the zone's direction is explained
            QVERIFY(help.out.contains("name,date,time,zone,lon,lat,dst"));
            QVERIFY(help.err.isEmpty());
        }
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        const QStringList single = pushyaArguments;
        QTest::newRow("nothing") << QStringList{} << "nothing to do";
        QTest::newRow("unknown option") << (single + QStringList{"--colour"}) << "unknown option '--colour'";
        QTest::newRow("stray argument") << (single + QStringList{"extra"}) << "unexpected argument 'extra'";
        QTest::newRow("value missing at the end") << QStringList{"--lat", "1:00N", "--name"} << "--name needs a value";
        QTest::newRow("value missing before an option") << QStringList{"--name", "--date", "2000-01-01"}
                                                        << "--name needs a value";
        QTest::newRow("option twice") << (single + QStringList{"--time", "01:00"}) << "--time is given more than once";
        QTest::newRow("flag with a value") << (single + QStringList{"--dst=yes"}) << "--dst takes no value";
        QTest::newRow("required option missing") << single.mid(0, 10) << "--lat is missing";
        QTest::newRow("open with birth data") << QStringList{"--open", "a.qvr", "--date", "2000-01-01"}
                                              << "--date can't be used with --open";
        QTest::newRow("batch with birth data") << QStringList{"--batch", "a.csv", "--dst"}
                                               << "--dst can't be used with --batch";
        QTest::newRow("open and batch") << QStringList{"--open", "a.qvr", "--batch", "a.csv"}
                                        << "--open and --batch can't be used together";
        QTest::newRow("batch as JSON") << QStringList{"--batch", "a.csv", "--json"} << "--json can't be used with --batch";
        QTest::newRow("batch saved") << QStringList{"--batch", "a.csv", "--save", "a.qvr"}
                                     << "--save can't be used with --batch";
        QTest::newRow("span without batch") << (single + QStringList{"--span"}) << "--span goes with --batch";
        QTest::newRow("version with more") << QStringList{"--version", "--json"} << "--version goes alone";
        QTest::newRow("unknown option with an escape") << QStringList{"--\x1b[2J"} << "unknown option '--\\x1b[2J'";
        QTest::newRow("version with a mode") << QStringList{"--open", "a.qvr", "--version"} << "--version goes alone";
        // Every option the chosen mode doesn't take is refused, none ignored.
        QTest::newRow("open saved") << QStringList{"--open", "a.qvr", "--save", "b.qvr"}
                                    << "--save can't be used with --open";
        QTest::newRow("open saved as text") << QStringList{"--save=y.txt", "--open", "a.qvr"}
                                            << "--save can't be used with --open";
        QTest::newRow("open with span") << QStringList{"--open", "a.qvr", "--span"} << "--span can't be used with --open";
        QTest::newRow("open with dst") << QStringList{"--dst", "--open", "a.qvr"} << "--dst can't be used with --open";
        QTest::newRow("pair with one file") << QStringList{"--pair", "a.qvr"} << "--pair needs two saved readings";
        QTest::newRow("pair, option for a file") << QStringList{"--pair", "a.qvr", "--json"}
                                                 << "--pair needs two saved readings";
        QTest::newRow("pair and open") << QStringList{"--pair", "a.qvr", "b.qvr", "--open", "c.qvr"}
                                       << "--open and --pair can't be used together";
        QTest::newRow("pair with a third file") << QStringList{"--pair=a.qvr", "b.qvr", "c.qvr"}
                                                << "unexpected argument 'c.qvr'";
        // A place stands for the zone, the coordinates and the DST tick.
        QTest::newRow("place with a latitude") << (single.mid(0, 6) + QStringList{"--place", "Pune", "--lat", "18:31N"})
                                               << "--lat can't be used with --place";
        QTest::newRow("place with dst") << (single.mid(0, 6) + QStringList{"--dst", "--place", "Pune"})
                                        << "--dst can't be used with --place";
        const QStringList calendar{"--calendar", "2023-10-01", "2023-10-31"};
        QTest::newRow("calendar with one date") << QStringList{"--calendar", "2023-10-01", "--json"}
                                                << "--calendar needs two dates, FROM and TO";
        QTest::newRow("calendar at a place and a zone") << calendar + QStringList{"--place", "Pune", "--tz", "UTC"}
                                                        << "--tz can't be used with --place";
        QTest::newRow("calendar as JSON and a file") << calendar + QStringList{"--ics", "a.ics", "--json"}
                                                     << "--ics can't be used with --json";
        QTest::newRow("calendar with a birth time") << calendar + QStringList{"--time", "01:00"}
                                                    << "--time can't be used with --calendar";
        QTest::newRow("zone for a reading") << single + QStringList{"--tz", "UTC"}
                                            << "--tz can't be used with a single reading";
    }

    void usageErrors()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const Run result = run(arguments);
        QCOMPARE(result.status, 2);
        QVERIFY(result.out.isEmpty());
        QVERIFY2(utf8(result.err).startsWith(QStringLiteral("quorvel-cli: ") + message), result.err.constData());
        QVERIFY(result.err.contains("\nUsage: quorvel-cli"));
    }

    void workedExampleAsText()
    {
        const Run result = run(pushyaArguments);
        QCOMPARE(result.status, 0);
        QVERIFY(result.err.isEmpty());
        const QString expected =
            QStringLiteral("Name: Ann\nBorn: 15 August 1947, 00:00 at UTC+05:30, longitude 77:13E, latitude 28:36N\n\n")
            + pushyaReadingLines + QStringLiteral("\nPositive Human Traits:\n") + positiveTraits(7)
            + QStringLiteral("\n\nNegative Human Traits:\n") + negativeTraits(7) + QStringLiteral("\n\n")
            + birthTimeSpanText(*computeBirthTimeSpan(pushyaBirth())) + u'\n';
        QCOMPARE(utf8(result.out), expected);
        QVERIFY(expected.contains(QStringLiteral("The Moon stays in Pushya from 14 August 1947, 22:58")));
    }

    void clockOffsetAsCalculated_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("born");
        QTest::newRow("west with daylight saving")
            << QStringList{"--zone", "5", "--lon", "74:00W", "--dst"} << "at UTC-04:00 (daylight saving)";
        QTest::newRow("east with daylight saving")
            << QStringList{"--zone", "1", "--lon", "13:24E", "--dst"} << "at UTC+02:00 (daylight saving)";
        // 0:00 counts as West whatever the letter: zone 0 with daylight saving is an hour ahead.
        QTest::newRow("greenwich with daylight saving")
            << QStringList{"--zone", "0", "--lon", "0:00E", "--dst"} << "at UTC+01:00 (daylight saving)";
        QTest::newRow("half hour west") << QStringList{"--zone", "3:30", "--lon", "52:43W"} << "at UTC-03:30,";
    }

    void clockOffsetAsCalculated()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, born);
        QStringList args = with(with(pushyaArguments, "--zone", arguments[1]), "--lon", arguments[3]);
        args += arguments.mid(4);
        const Run result = run(args);
        QCOMPARE(result.status, 0);
        QVERIFY2(utf8(result.out).section(u'\n', 1, 1).contains(born), result.out.constData());
    }

    void equivalentSpellingsGiveTheSameReading_data()
    {
        QTest::addColumn<QStringList>("first");
        QTest::addColumn<QStringList>("second");
        const QStringList west = with(with(pushyaArguments, "--lon", "74:00W"), "--zone", "5");
        QTest::newRow("ISO's plus") << pushyaArguments << with(pushyaArguments, "--zone", "5:30");
        QTest::newRow("UTC and the hour in two digits") << pushyaArguments << with(pushyaArguments, "--zone", "UTC+05:30");
        QTest::newRow("minus for the west") << west << with(west, "--zone", "utc-5");
        QTest::newRow("seconds ignored") << pushyaArguments << with(pushyaArguments, "--time", "00:00:59");
        QTest::newRow("lower-case hemisphere") << pushyaArguments << with(with(pushyaArguments, "--lon", "77:13e"), "--lat", "28:36n");
        QTest::newRow("short date") << with(pushyaArguments, "--date", "1947-08-05") << with(pushyaArguments, "--date", "1947-8-5");
        QStringList joined = pushyaArguments;
        joined.removeAt(1);
        joined[0] = QStringLiteral("--name=Ann");
        QTest::newRow("option=value") << pushyaArguments << joined;
        // The atlas's coordinates to the minute and the zone at the birth moment.
        QTest::newRow("Pune by name") << with(with(pushyaArguments, "--lon", "73:51E"), "--lat", "18:31N")
                                      << pushyaArguments.mid(0, 6) + QStringList{"--place", "Pune, Maharashtra, India"};
        const QStringList kathmandu{"--name", "A", "--date", "1980-01-01", "--time", "12:00"};
        QTest::newRow("Kathmandu by name") << kathmandu + QStringList{"--zone", "5:30", "--lon", "85:19E", "--lat", "27:42N"}
                                           << kathmandu + QStringList{"--place", "Kathmandu, Nepal"};
        QTest::newRow("blanks around values") << pushyaArguments << with(with(pushyaArguments, "--date", " 1947-08-15 "), "--lon", "77:13 E");
    }

    void equivalentSpellingsGiveTheSameReading()
    {
        QFETCH(QStringList, first);
        QFETCH(QStringList, second);
        const Run a = run(first);
        const Run b = run(second);
        QCOMPARE(a.status, 0);
        QCOMPARE(b.status, 0);
        // A place named adds the line naming it; the rest reads the same.
        const QRegularExpression placeLine(QStringLiteral("^Place: .*\n"), QRegularExpression::MultilineOption);
        QCOMPARE(utf8(b.out).remove(placeLine), utf8(a.out));
    }

    void jsonMatchesTheReferenceVectors()
    {
        const std::vector<Vector> vectors = referenceVectors();
        QCOMPARE(vectors.size(), std::size_t(2000));
        int checked = 0;
        for (std::size_t i = 0; i < vectors.size(); i += 50) {
            const Vector &v = vectors[i];
            const Run result = run(v.arguments() + QStringList{QStringLiteral("--json")});
            QCOMPARE(result.status, 0);
            QJsonParseError error;
            const QJsonObject json = QJsonDocument::fromJson(result.out, &error).object();
            QCOMPARE(error.error, QJsonParseError::NoError);

            const QJsonObject ephemeris = json.value(QStringLiteral("ephemeris")).toObject();
            for (int k = 0; k < 6; ++k) {
                const double actual = ephemeris.value(QLatin1String(valueKeys[k])).toDouble();
                if (std::abs(actual - v.expected[std::size_t(k)]) > tolerance)
                    QFAIL(qPrintable(QStringLiteral("%1 %2: %3 is %4, expected %5").arg(v.date(), v.time(),
                        QLatin1String(valueKeys[k])).arg(actual, 0, 'g', 17).arg(v.expected[std::size_t(k)], 0, 'g', 17)));
            }
            QCOMPARE(ephemeris.value(QStringLiteral("nakshatraIndex")).toInt(), v.nakshatraIndex);
            QCOMPARE(ephemeris.value(QStringLiteral("nakshatraName")).toString(), v.nakshatraName);

            // The reading is the catalogue row of the same number.
            const QJsonObject reading = json.value(QStringLiteral("reading")).toObject();
            const MansionRecord &row = mansionRow(v.nakshatraIndex);
            QCOMPARE(reading.value(QStringLiteral("mansionRow")).toInt(), v.nakshatraIndex);
            QCOMPARE(reading.value(QStringLiteral("mansionName")).toString(), QString::fromUtf8(row.name));
            QCOMPARE(reading.value(QStringLiteral("literalTranslation")).toString(), QString::fromUtf8(row.literalTranslation));
            QCOMPARE(reading.value(QStringLiteral("westernConstellation")).toString(), QString::fromUtf8(row.westernConstellation));
            QCOMPARE(reading.value(QStringLiteral("animal")).toString(), QString::fromUtf8(quadrantOf(v.nakshatraIndex).animal));
            QCOMPARE(reading.value(QStringLiteral("direction")).toString(), QString::fromUtf8(quadrantOf(v.nakshatraIndex).direction));
            QCOMPARE(reading.value(QStringLiteral("season")).toString(), QString::fromUtf8(quadrantOf(v.nakshatraIndex).season));
            QCOMPARE(reading.value(QStringLiteral("positiveTraits")).toString(), positiveTraits(v.nakshatraIndex));
            QCOMPARE(reading.value(QStringLiteral("negativeTraits")).toString(), negativeTraits(v.nakshatraIndex));
            QCOMPARE(reading.value(QStringLiteral("pictureNumber")).toInt(), v.nakshatraIndex + 1);

            // The birth data as the calculation read it, and its span.
            const QJsonObject birth = json.value(QStringLiteral("birthData")).toObject();
            QCOMPARE(birth.value(QStringLiteral("zoneHours")).toInt(), v.birth.zoneHours);
            QCOMPARE(birth.value(QStringLiteral("lonMinutes")).toInt(), v.birth.lonMinutes);
            QCOMPARE(birth.value(QStringLiteral("isEast")).toBool(), v.birth.isEast);
            QCOMPARE(birth.value(QStringLiteral("dst")).toBool(), v.birth.dst);
            const std::optional<BirthTimeSpan> span = computeBirthTimeSpan(v.birth);
            QVERIFY(span);
            const QJsonObject spanJson = json.value(QStringLiteral("span")).toObject();
            QCOMPARE(spanJson.value(QStringLiteral("text")).toString(), birthTimeSpanText(*span));
            QCOMPARE(spanJson.value(QStringLiteral("minutesEarlier")).toInteger(), span->minutesEarlier());
            QCOMPARE(spanJson.value(QStringLiteral("minutesLater")).toInteger(), span->minutesLater());
            ++checked;
        }
        QCOMPARE(checked, 40);
    }

    void batchMatchesTheReferenceVectors()
    {
        const std::vector<Vector> vectors = referenceVectors();
        QCOMPARE(vectors.size(), std::size_t(2000));
        QStringList rows;
        for (const Vector &v : vectors)
            rows << QStringLiteral("P%1,%2,%3,%4,%5,10:00N,%6").arg(rows.size()).arg(v.date(), v.time(), v.zone(), v.lon(),
                                                                                    v.birth.dst ? QStringLiteral("yes") : QStringLiteral("no"));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("births.csv"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(birthsCsv(rows));
        file.close();

        const Run result = run({QStringLiteral("--batch"), path});
        // Nine vectors lie beyond 180 degrees of longitude (one at 95 degrees
        // 75 minutes with a 30-hour zone), and DST takes 18 more past 14:00
        // ahead: no place has them, and their rows are bad.
        const auto exists = [](const Vector &v) {
            const BirthData &b = v.birth;
            return b.lonMinutes < 60 && b.lonDegrees * 60 + b.lonMinutes <= 180 * 60 && b.zoneMinutes < 60
                && b.zoneHours * 60 + b.zoneMinutes + (b.dst && clockIsAhead(b) ? 60 : 0) <= 14 * 60;
        };
        QCOMPARE(int(std::count_if(vectors.begin(), vectors.end(), exists)), 1973);
        QCOMPARE(result.status, 1);
        QCOMPARE(utf8(result.err).count(QStringLiteral("must be")), 28);  // the zone of 30 hours too
        const QList<QStringList> out = parseCsv(result.out);
        QCOMPARE(out.size(), qsizetype(2001));
        const QStringList header = out[0];
        QCOMPARE(header.join(u','), QStringLiteral(
            "row,name,date,time,zone,lon,lat,dst,julianDay,universalTime,centuries,tropicalLongitude,siderealOffset,"
            "siderealLongitude,nakshatraIndex,nakshatraName,mansionName,literalTranslation,westernConstellation,animal,"
            "direction,season,pictureNumber,error"));
        for (std::size_t i = 0; i < vectors.size(); ++i) {
            const Vector &v = vectors[i];
            const QStringList &row = out[qsizetype(i) + 1];
            QCOMPARE(row.size(), header.size());
            QCOMPARE(row[0].toInt(), int(i) + 2);  // the header is row 1
            QCOMPARE(row[1], QStringLiteral("P%1").arg(i));
            if (!exists(v)) {
                QVERIFY(row.last().contains(QStringLiteral("must be")));
                continue;
            }
            for (int k = 0; k < 6; ++k) {
                const double actual = row[8 + k].toDouble();
                if (std::abs(actual - v.expected[std::size_t(k)]) > tolerance)
                    QFAIL(qPrintable(QStringLiteral("row %1: %2 is %3").arg(i + 2).arg(QLatin1String(valueKeys[k]), row[8 + k])));
            }
            QCOMPARE(row[14].toInt(), v.nakshatraIndex);
            QCOMPARE(row[15], v.nakshatraName);
            QCOMPARE(row[16], QString::fromUtf8(mansionRow(v.nakshatraIndex).name));
            QCOMPARE(row[17], QString::fromUtf8(mansionRow(v.nakshatraIndex).literalTranslation));  // some hold commas
            QCOMPARE(row[18], QString::fromUtf8(mansionRow(v.nakshatraIndex).westernConstellation));
            QCOMPARE(row[19], QString::fromUtf8(quadrantOf(v.nakshatraIndex).animal));
            QCOMPARE(row[22].toInt(), v.nakshatraIndex + 1);
            QCOMPARE(row[23], QString());
        }
    }

    void badInputNamesTheOptionAndExitsWithOne_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("messages");
        const QStringList a = pushyaArguments;
        QTest::newRow("not a leap year") << with(a, "--date", "1901-02-29")
                                         << "--date: there is no 29 February 1901: February 1901 has 28 days";
        QTest::newRow("30 February") << with(a, "--date", "2000-02-30")
                                     << "--date: there is no 30 February 2000: February 2000 has 29 days";
        QTest::newRow("31 April") << with(a, "--date", "1975-04-31")
                                  << "--date: there is no 31 April 1975: April 1975 has 30 days";
        QTest::newRow("after the range") << with(a, "--date", "2051-01-01")
                                         << "--date: '2051-01-01': the year must be from 1901 to 2050";
        QTest::newRow("before the range") << with(a, "--date", "1900-12-31")
                                          << "--date: '1900-12-31': the year must be from 1901 to 2050";
        QTest::newRow("month 13") << with(a, "--date", "1975-13-01") << "--date: '1975-13-01': the month must be from 01 to 12";
        QTest::newRow("another date format") << with(a, "--date", "15/08/1947")
                                             << "--date: '15/08/1947' is not a date: write YYYY-MM-DD, such as 1975-03-15";
        QTest::newRow("hour 24") << with(a, "--time", "24:00") << "--time: '24:00': the hour must be from 00 to 23";
        QTest::newRow("minute 60") << with(a, "--time", "12:60") << "--time: '12:60': minutes and seconds must be from 00 to 59";
        QTest::newRow("time with a point") << with(a, "--time", "12.30")
                                           << "--time: '12.30' is not a time: write HH:MM, such as 14:30";
        QTest::newRow("zone 99:00") << with(a, "--zone", "99:00") << "--zone: '99:00': the zone must be at most 14:00";
        QTest::newRow("zone 14:30") << with(a, "--zone", "+14:30") << "--zone: '+14:30': the zone must be at most 14:00";
        QTest::newRow("UTC without a sign") << with(a, "--zone", "UTC5:30")
                                            << "--zone: 'UTC5:30' is not a zone: write its size as H or H:MM, such as 5:30";
        QTest::newRow("zone 5:75") << with(a, "--zone", "5:75") << "--zone: '5:75': the minutes must be from 00 to 59";
        QTest::newRow("latitude 95") << with(a, "--lat", "95:00N") << "--lat: '95:00N': the latitude must be at most 90:00";
        QTest::newRow("longitude 200") << with(a, "--lon", "200:00W") << "--lon: '200:00W': the longitude must be at most 180:00";
        QTest::newRow("longitude 77:99") << with(a, "--lon", "77:99E") << "--lon: '77:99E': the minutes must be from 00 to 59";
        QTest::newRow("the screen's old 95:75 and 30 hours") << with(with(a, "--lon", "95:75E"), "--zone", "30")
            << "--zone: '30': the zone must be at most 14:00\n--lon: '95:75E': the minutes must be from 00 to 59";
        QTest::newRow("zone in decimal hours") << with(a, "--zone", "5.5")
                                               << "--zone: '5.5' is not a zone: write its size as H or H:MM, such as 5:30";
        QTest::newRow("no hemisphere") << with(a, "--lon", "77:13")
                                       << "--lon: '77:13' is not a longitude: write DEG:MIN and E or W, such as 77:13E";
        QTest::newRow("latitude with E") << with(a, "--lat", "28:36E")
                                         << "--lat: '28:36E' is not a latitude: write DEG:MIN and N or S, such as 28:36N";
        QTest::newRow("beyond 16 bits") << with(a, "--lon", "40000:00E")
                                        << "--lon: '40000:00E': the longitude must be at most 180:00";
        QTest::newRow("zone beyond 16 bits") << with(a, "--zone", "99999:00")
                                             << "--zone: '99999:00': the zone must be at most 14:00";
        QTest::newRow("zone of one-digit minutes") << with(a, "--zone", "5:3")
                                                   << "--zone: '5:3' is not a zone: write its size as H or H:MM, such as 5:30";
        QTest::newRow("zone 14:00 ahead with DST") << with(a, "--zone", "+14:00") + QStringList{"--dst"}
                                                   << "--zone: '+14:00': with DST the zone must be at most 13:00 ahead";
        QTest::newRow("blank name") << with(a, "--name", "   ") << "--name: the name is empty";
        QTest::newRow("control characters shown escaped") << with(a, "--date", "\x1b]0;title\x07")
            << "--date: '\\x1b]0;title\\x07' is not a date: write YYYY-MM-DD, such as 1975-03-15";
        QTest::newRow("long value cut short") << with(a, "--lat", QString(300, u'N'))
            << "--lat: '" + QString(40, u'N') + "'... is not a latitude: write DEG:MIN and N or S, such as 28:36N";
        QTest::newRow("long zone cut short twice") << with(with(a, "--lon", "77:13W"), "--zone", "-" + QString(100, u'5'))
            << "--zone: '-" + QString(39, u'5') + "'...: the zone must be at most 14:00";
        const QStringList placed = a.mid(0, 6);
        QTest::newRow("place in several countries") << placed + QStringList{"--place", "Hyderabad"}
            << "--place: 'Hyderabad' matches places in several countries: Hyderābād, Telangana, India; "
               "Hyderabad, Sindh, Pakistan; add the state or country";
        QTest::newRow("place in another country") << placed + QStringList{"--place", "Hallstatt, Germany"}
            << "--place: 'Hallstatt, Germany': the atlas has no place of this name in that state or country, only: "
               "Hallstatt, Upper Austria, Austria";
        QTest::newRow("place by a code of a state and a country") << placed + QStringList{"--place", "Bella Vista, AR"}
            << "--place: 'Bella Vista, AR' matches places in several countries: Bella Vista, Buenos Aires, Argentina; "
               "Bella Vista, Arkansas, United States; Bella Vista, Tucuman, Argentina; Bella Vista, Corrientes, "
               "Argentina; add the state or country";
        QTest::newRow("places of one state, different clocks") << placed + QStringList{"--place", "Monticello, KY"}
            << "--place: 'Monticello, KY' matches places whose clocks differ: Monticello, Kentucky, United States at "
               "38:00N 84:33W; Monticello, Kentucky, United States at 36:50N 84:51W; give the zone and coordinates "
               "instead";
        QTest::newRow("place misspelt") << placed + QStringList{"--place", "Londn, United Kingdom"}
            << "--place: 'Londn, United Kingdom' is not in the atlas; did you mean: London, England, United Kingdom";
        QTest::newRow("place misspelt at its first letter") << placed + QStringList{"--place", "Nunich"}
            << "--place: 'Nunich' is not in the atlas; did you mean: Munich, Bavaria, Germany";
        QTest::newRow("place begun, before near spellings") << placed + QStringList{"--place", "Hallstat"}
            << "--place: 'Hallstat' is not in the atlas; did you mean: Hallstatt, Upper Austria, Austria; Hallstadt, "
               "Bavaria, Germany; Hållsta, Södermanland, Sweden; Hållsta, Jämtland, Sweden";
        QTest::newRow("place begun by its own name first") << placed + QStringList{"--place", "Munic"}
            << "--place: 'Munic' is not in the atlas; did you mean: Munich, Bavaria, Germany";
        QTest::newRow("place not in the atlas") << placed + QStringList{"--place", "Xqzville"}
            << "--place: 'Xqzville' is not in the atlas: write the city and its state or country, such as "
               "\"Pune, Maharashtra, India\"";
        QTest::newRow("direction controls shown escaped") << placed + QStringList{"--place", "\u202eXqz\u2066"}
            << "--place: '\\u202eXqz\\u2066' is not in the atlas: write the city and its state or country, such as "
               "\"Pune, Maharashtra, India\"";
        QTest::newRow("skipped hour") << with(with(placed, "--date", "2020-03-08"), "--time", "02:30")
                                                + QStringList{"--place", "New York, NY"}
            << "--place: The clock time 02:30 on 8 March 2020 did not exist: the clocks went forward, and the nearest "
               "valid times are 01:59 and 03:00.";
        QTest::newRow("bad date beside a place") << with(placed, "--date", "1901-02-29") + QStringList{"--place", "Pune"}
            << "--date: there is no 29 February 1901: February 1901 has 28 days";
        QTest::newRow("calendar before the range") << QStringList{"--calendar", "1900-12-31", "1901-01-02"}
                                                   << "--calendar: '1900-12-31': the year must be from 1901 to 2050";
        QTest::newRow("calendar on no real day") << QStringList{"--calendar", "2023-02-01", "2023-02-29"}
            << "--calendar: there is no 29 February 2023: February 2023 has 28 days";
        QTest::newRow("calendar backwards") << QStringList{"--calendar", "2023-10-02", "2023-10-01"}
                                            << "--calendar: 2023-10-02 comes after 2023-10-01; give the earlier date first";
        QTest::newRow("calendar in an unknown zone")
            << QStringList{"--calendar", "2023-10-01", "2023-10-02", "--tz", "Mars/Olympus"}
            << "--tz: 'Mars/Olympus' is not a time zone the system knows, such as Europe/Berlin or UTC";
        QTest::newRow("calendar at an unknown place")
            << QStringList{"--calendar", "2023-10-01", "2023-10-02", "--place", "Xqzville"}
            << "--place: 'Xqzville' is not in the atlas: write the city and its state or country, such as "
               "\"Pune, Maharashtra, India\"";
        QTest::newRow("calendar file in no folder")
            << QStringList{"--calendar", "2023-10-01", "2023-10-02", "--ics", "no-such-folder/moon.ics"}
            << "--ics: could not write 'no-such-folder/moon.ics'; check that its folder exists and may be written to";
        QTest::newRow("every bad field at once")
            << with(with(with(a, "--name", ""), "--date", "1901-02-29"), "--lat", "95")
            << "--name: the name is empty\n--date: there is no 29 February 1901: February 1901 has 28 days\n"
               "--lat: '95' is not a latitude: write DEG:MIN and N or S, such as 28:36N";
    }

    // Places as users type them, found in the atlas with GeoNames' own
    // coordinates and zone; a much larger place of the name, or the one
    // whose own name it is, is taken with a note. Then twenty towns of under 5,000 people on five continents.
    void placesOfTheAtlas_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("longitude");
        QTest::addColumn<QString>("zone");
        QTest::addColumn<bool>("noted");
        const auto row = [](const char *typed, const char *name, double latitude, double longitude, const char *zone,
                            bool noted = false) {
            QTest::newRow(typed) << QString::fromUtf8(typed) << QString::fromUtf8(name) << latitude << longitude
                                 << QString::fromLatin1(zone) << noted;
        };
        row("Singapore", "Singapore", 1.28967, 103.85007, "Asia/Singapore");
        row("Vatican City", "Vatican City", 41.90268, 12.45414, "Europe/Vatican");
        row("Hallstatt, Austria", "Hallstatt", 47.56231, 13.64912, "Europe/Vienna");
        row("Oberammergau, Germany", "Oberammergau", 47.59812, 11.06692, "Europe/Berlin");
        row("Longyearbyen", "Longyearbyen", 78.22334, 15.64689, "Arctic/Longyearbyen");
        row("München, Germany", "Munich", 48.13743, 11.57549, "Europe/Berlin");
        row("Frankfurt, Germany", "Frankfurt am Main", 50.11552, 8.68417, "Europe/Berlin", true);
        row("Salt Lake City", "Salt Lake City", 40.76078, -111.89105, "America/Denver");
        row("Mexico City", "Mexico City", 19.42847, -99.12766, "America/Mexico_City");
        row("Paris", "Paris", 48.85341, 2.3488, "Europe/Paris", true);
        row("London", "London", 51.50853, -0.12574, "Europe/London", true);
        row("New Delhi", "Delhi", 28.65195, 77.23149, "Asia/Kolkata", true); // one of Delhi's names
        row("Saint-Étienne, France", "Saint-Étienne", 45.43389, 4.39, "Europe/Paris", true); // its own name, not a suburb's other one
        row("Wilson, Pennsylvania", "Wilson", 40.68399, -75.24184, "America/New_York", true); // and one at 40:19N 79:53W
        row("Cuauhtémoc, Chihuahua, Mexico", "Cuauhtémoc", 28.40884, -106.86319, "America/Chihuahua");
        row("San Buenaventura, Coahuila, Mexico", "San Buenaventura", 27.06193, -101.54891, "America/Monterrey");
        row("Milano", "Milan", 45.46427, 9.18951, "Europe/Rome"); // another language's name, a letter longer
        // A code both a state's and a country's counts for both; a country typed rules out the others.
        row("London, CA", "London", 42.98339, -81.23304, "America/Toronto", true); // not London, California
        row("London, CA, Canada", "London", 42.98339, -81.23304, "America/Toronto");
        row("Salem, IN", "Salem", 11.65376, 78.15538, "Asia/Kolkata", true); // not Salem, Indiana
        row("George Town, KY", "George Town", 19.2866, -81.37436, "America/Cayman", true);
        // Divisions as the places' codes meant them in 2023, by names old and new.
        row("Ho Chi Minh City, Ho Chi Minh, Vietnam", "Ho Chi Minh City", 10.82302, 106.62965, "Asia/Ho_Chi_Minh");
        row("Drammen, Buskerud, Norway", "Drammen", 59.74389, 10.20449, "Europe/Oslo");
        row("Enstone, United Kingdom", "Enstone", 51.91537, -1.45371, "Europe/London");
        row("Lint, BE", "Lint", 51.12707, 4.49669, "Europe/Brussels");
        row("Koberovy, Czechia", "Koberovy", 50.62466, 15.22822, "Europe/Prague");
        row("Santa Eugenia de Berga, Spain", "Santa Eugènia de Berga", 41.9, 2.28333, "Europe/Madrid");
        row("Teutopolis, IL", "Teutopolis", 39.1331, -88.47199, "America/Chicago");
        row("Plainwell, Michigan, USA", "Plainwell", 42.44004, -85.6489, "America/Detroit");
        row("El Sibal, MX", "El Sibal", 16.98, -91.49111, "America/Mexico_City");
        row("Compañia, Peru", "Compañia", -13.06911, -74.25473, "America/Lima");
        row("Turmi, Ethiopia", "Turmi", 4.96667, 36.48333, "Africa/Addis_Ababa");
        row("Makali, Sierra Leone", "Makali", 8.62964, -11.66168, "Africa/Freetown");
        row("Stanford, South Africa", "Stanford", -34.4394, 19.45615, "Africa/Johannesburg");
        row("Bou Attouche, TN", "Bou Attouche", 33.89927, 9.78496, "Africa/Tunis");
        row("Narendranagar, India", "Narendranagar", 30.16173, 78.28712, "Asia/Kolkata");
        row("Peleduy, Russia", "Peleduy", 59.62889, 112.74056, "Asia/Yakutsk");
        row("Darpas, Armenia", "Darpas", 40.83674, 44.42494, "Asia/Yerevan");
        row("Nordiyya, Israel", "Nordiyya", 32.3147, 34.89617, "Asia/Jerusalem");
        row("Urunga, NSW, Australia", "Urunga", -30.49701, 153.01422, "Australia/Sydney");
        row("Kingston South East, AU", "Kingston South East", -36.83073, 139.8522, "Australia/Adelaide");
        row("Fairlie, New Zealand", "Fairlie", -44.1, 170.83333, "Pacific/Auckland");
        row("Ruakaka, NZ", "Ruakaka", -35.90818, 174.45019, "Pacific/Auckland");
    }

    void placesOfTheAtlas()
    {
        QFETCH(QString, typed);
        QFETCH(QString, name);
        QFETCH(double, latitude);
        QFETCH(double, longitude);
        QFETCH(QString, zone);
        QFETCH(bool, noted);
        const Run result = run(pushyaArguments.mid(0, 6) + QStringList{"--place", typed, "--json"});
        QCOMPARE(result.status, 0);
        const QJsonObject place = QJsonDocument::fromJson(result.out).object().value(QStringLiteral("place")).toObject();
        QCOMPARE(place.value(QStringLiteral("name")).toString(), name);
        QCOMPARE(place.value(QStringLiteral("latitude")).toDouble(), latitude);
        QCOMPARE(place.value(QStringLiteral("longitude")).toDouble(), longitude);
        QCOMPARE(place.value(QStringLiteral("zoneId")).toString(), zone);
        QCOMPARE(utf8(result.err).contains(QStringLiteral(" is taken as ")), noted);
        // The text names the place found on the line after the birth.
        const Run text = run(pushyaArguments.mid(0, 6) + QStringList{"--place", typed});
        const QString placeLine = utf8(text.out).section(u'\n', 2, 2);
        QVERIFY(placeLine.startsWith("Place: " + name + ", ") && placeLine.endsWith(place.value("country").toString()));
    }

    void badInputNamesTheOptionAndExitsWithOne()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, messages);
        QString expected;
        for (const QString &message : messages.split(u'\n'))
            expected += QStringLiteral("quorvel-cli: ") + message + u'\n';
        const Run result = run(arguments);
        QCOMPARE(result.status, 1);
        QCOMPARE(utf8(result.err), expected);
        QVERIFY(result.out.isEmpty());
    }

    // A zone's sign gives the clock's direction as ISO 8601 does, with a
    // note where the clock is far from the solar time; a place gives the
    // offset the time zone database gives (these agree with Python's zoneinfo).
    void universalTimeOfTheBirth_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<double>("universalTime");
        QTest::addColumn<QString>("note");
        const QStringList a = with(with(pushyaArguments, "--date", "1990-07-01"), "--time", "12:00");
        QTest::newRow("ahead in Delhi") << a << 6.5 << "";
        QTest::newRow("UTC+5:30") << with(a, "--zone", "UTC+5:30") << 6.5 << "";
        QTest::newRow("CET at Madrid's longitude") << with(with(a, "--zone", "+1:00"), "--lon", "3:42W") + QStringList{"--dst"} << 10.0 << "";
        QTest::newRow("behind in Buenos Aires") << with(with(a, "--zone", "-3:00"), "--lon", "58:22W") << 15.0 << "";
        QTest::newRow("Chatham 12:45, west of 180") << with(with(a, "--zone", "+12:45"), "--lon", "176:33W") << -0.75 << "";
        QTest::newRow("slipped sign") << with(a, "--zone", "-5:30") << 17.5
            << "--zone: '-5:30' puts the clock 10 h 39 min from the solar time at 77:13E; did you mean '+5:30'?";
        QTest::newRow("behind at an East longitude") << with(with(a, "--zone", "UTC-10:00"), "--lon", "150:00E") << 22.0
            << "--zone: 'UTC-10:00' puts the clock 4 h 0 min from the solar time at 150:00E; did you mean 'UTC+10:00'?";
        QTest::newRow("far without a sign") << with(with(a, "--zone", "5"), "--lon", "3:42W") + QStringList{"--dst"} << 16.0
            << "--zone: '5' with DST puts the clock 3 h 45 min from the solar time at 3:42W";
        const QStringList placed = a.mid(0, 6);
        const auto place = [&placed](const char *date, const char *time, const char *name) {
            return with(with(placed, "--date", date), "--time", time) + QStringList{"--place", name};
        };
        QTest::newRow("Madrid, winter") << place("1990-01-01", "12:00", "Madrid, Spain") << 11.0 << "";
        QTest::newRow("Madrid, summer") << place("1990-07-01", "12:00", "Madrid, Spain") << 10.0 << "";
        QTest::newRow("London, double summer time") << place("1941-07-01", "12:00", "London, UK") << 10.0 << "";
        QTest::newRow("Nantes") << place("2001-08-15", "09:30", "Nantes, France") << 7.5 << "";
        QTest::newRow("Casablanca") << place("2019-03-01", "12:00", "Casablanca, Morocco") << 11.0 << "";
        QTest::newRow("Samoa, west of the date line") << place("2015-01-01", "12:00", "Apia, Samoa") << -2.0 << "";
        QTest::newRow("Pune 1901, rounded to the minute") << place("1901-01-01", "12:00", "Pune, India") << 6.65 << "";
    }

    void universalTimeOfTheBirth()
    {
        QFETCH(QStringList, arguments);
        QFETCH(double, universalTime);
        QFETCH(QString, note);
        const Run result = run(arguments + QStringList{QStringLiteral("--json")});
        QCOMPARE(result.status, 0);
        const QStringList notes = utf8(result.err).split(u'\n').filter(QStringLiteral("quorvel-cli: --zone: "));
        QCOMPARE(notes.join(u'\n'), note.isEmpty() ? note : QStringLiteral("quorvel-cli: ") + note);
        const QJsonObject ephemeris = QJsonDocument::fromJson(result.out).object().value(QStringLiteral("ephemeris")).toObject();
        QCOMPARE(ephemeris.value(QStringLiteral("universalTime")).toDouble(), universalTime);
    }

    void batchReportsBadRowsAndGoesOn()
    {
        const QByteArray csv = birthsCsv({
            QStringLiteral("Ann,1947-08-15,00:00,UTC+05:30,77:13E,28:36N,no"),
            QStringLiteral("Bob,1901-02-29,25:00,5,74:00W,40:42N,maybe"),
            QStringLiteral("Cy,1975-03-15"),
            QStringLiteral(",2000-01-01,12:00,0,0:00W,51:28N,"),
            QStringLiteral("Dee,2000-01-01,12:00,0,0:00W,51:28N,yes"),
            QStringLiteral("Eve,1947-08-15,00:00,5:30,200:00E,28:36N,0"),
            // Untrusted text: an escape sequence, a long value, cells a spreadsheet would run.
            QStringLiteral("=1+2,\x1b[31m1947-08-15,%1,-5:30,77:13E,28:36N,-1").arg(QString(100, u'1')),
            QStringLiteral("Fay,%1,00:00,5:30,77:13E,28:36N,no").arg(QString(5000, u'9')),
        });
        // A row past the row limit ends the batch: where it ends can't be told.
        const QByteArray endless = "Gus,\"" + QByteArray(70000, '\0');
        const Run result = run({QStringLiteral("--batch"), QStringLiteral("-")}, csv + endless + "\nHal\n");
        QCOMPARE(result.status, 1);
        QCOMPARE(utf8(result.err), QStringLiteral(
            "row 3: field date: there is no 29 February 1901: February 1901 has 28 days\n"
            "row 3: field time: '25:00': the hour must be from 00 to 23\n"
            "row 3: field dst: 'maybe': write yes or no\n"
            "row 4: the row has 2 fields where the header has 7\n"
            "row 5: field name: the name is empty\n"
            "row 7: field lon: '200:00E': the longitude must be at most 180:00\n"
            "row 8: field date: '\\x1b[31m1947-08-15' is not a date: write YYYY-MM-DD, such as 1975-03-15\n"
            "row 8: field time: '1111111111111111111111111111111111111111'... is not a time: write HH:MM, such as 14:30\n"
            "row 8: field dst: '-1': write yes or no\n"
            "row 9: a field is longer than 4096 bytes\n"
            "row 10: the row is longer than 65536 bytes; the rest of the file is not read\n"));

        // One output row per input row, in order; bad rows carry their message.
        const QList<QStringList> out = parseCsv(result.out);
        QCOMPARE(out.size(), qsizetype(10));
        QStringList rowNumbers;
        for (const QStringList &row : out.mid(1))
            rowNumbers << row[0];
        QCOMPARE(rowNumbers, QStringList({"2", "3", "4", "5", "6", "7", "8", "9", "10"}));
        QCOMPARE(out[1][15], QStringLiteral("Pushya"));
        QCOMPARE(out[1].last(), QString());
        QCOMPARE(out[2][1], QStringLiteral("Bob"));
        QCOMPARE(out[2][15], QString());
        QCOMPARE(out[2].last(), QStringLiteral("field date: there is no 29 February 1901: February 1901 has 28 days; "
                                               "field time: '25:00': the hour must be from 00 to 23; "
                                               "field dst: 'maybe': write yes or no"));
        QCOMPARE(out[3].last(), QStringLiteral("the row has 2 fields where the header has 7"));
        // The good row after the bad ones is calculated: 12:00 with daylight saving on the meridian is 11:00 UT.
        QCOMPARE(out[5][1], QStringLiteral("Dee"));
        QCOMPARE(out[5][9].toDouble(), 11.0);
        QCOMPARE(out[5][15], QStringLiteral("Swati"));
        QCOMPARE(out[5].last(), QString());
        // Text a spreadsheet would run as a formula is shown as text; a number stays one.
        QCOMPARE(out[7].mid(1, 7), QStringList({"'=1+2", "\x1b[31m1947-08-15", QString(100, u'1'), "'-5:30", "77:13E",
                                                 "28:36N", "-1"}));
        QVERIFY(out[7].last().startsWith(QStringLiteral("field date: '\\x1b[31m1947-08-15' is not a date")));
        for (const QStringList &row : out)
            QCOMPARE(row.size(), out[0].size());
    }

    void batchReadsQuotingLineEndsAndColumnOrder()
    {
        // A byte order mark, CR LF, blank lines (also of blanks only), columns in another order and
        // in capitals, and quoted fields holding commas, quotes and a line break.
        const QByteArray csv = "\xEF\xBB\xBF" "DST, Lat ,lon,zone,time,date,Name\r\n"
                               "no,28:36N,77:13E,5:30,00:00,1947-08-15,\"Smith, Ann\"\r\n"
                               "\r\n"
                               " \t \r\n"
                               "1,51:28N,0:00W,0,12:00,2000-01-01,\"Dee \"\"D\"\"\r\nJones\"\r\n"
                               "no,28:36N,77:13E,5:30,00:00,1947-08-15,Ann\n"
                               "no,28:36N,77:13E,-5:30,00:00,1947-08-15,Flo";  // no line end at the very end
        const Run result = run({QStringLiteral("--batch"), QStringLiteral("-")}, csv);
        QCOMPARE(result.status, 0);  // a zone far from the solar time is taken, with a note
        QCOMPARE(utf8(result.err), "row 7: field zone: '-5:30' puts the clock 10 h 39 min from the solar time at 77:13E; did you mean '+5:30'?\n");
        const QList<QStringList> out = parseCsv(result.out);
        QCOMPARE(out.size(), qsizetype(5));
        QCOMPARE(out[1][0], QStringLiteral("2"));
        QCOMPARE(out[1][1], QStringLiteral("Smith, Ann"));
        QCOMPARE(out[1][15], QStringLiteral("Pushya"));
        QCOMPARE(out[2][0], QStringLiteral("5"));  // the blank lines are rows 3 and 4
        QCOMPARE(out[2][1], QStringLiteral("Dee \"D\"\r\nJones"));
        QCOMPARE(out[2][7], QStringLiteral("1"));
        QCOMPARE(out[2][15], QStringLiteral("Swati"));
        QCOMPARE(out[3][0], QStringLiteral("6"));
        QCOMPARE(out[3][15], QStringLiteral("Pushya"));

        // A place column, its commas quoted, stands for zone, lon, lat and dst; the output shows what it gave.
        const Run placed = run({QStringLiteral("--batch"), QStringLiteral("-")},
                               "Place,name,date,time\n\"Pune, Maharashtra, India\",Ann,1947-08-15,00:00\n"
                               "Hyderabad,Bob,1975-07-01,12:00\n\"New York, NY\",Cy,2020-11-01,01:30\n"
                               "\"Amsterdam, Netherlands\",Di,1920-06-01,12:00\n"
                               "\"Madrid, Spain\",Dan,1990-01-01,12:00\n");
        QCOMPARE(placed.status, 1);
        const QString london = QStringLiteral("field place: 'Hyderabad' matches places in several countries: "
                                              "Hyderābād, Telangana, India; Hyderabad, Sindh, Pakistan; add the state "
                                              "or country");
        // What the clock did that the fields can't show is said with the row, as --place says it.
        QCOMPARE(utf8(placed.err),
                 QStringLiteral("row 3: ") + london +
                     QStringLiteral("\nrow 4: field place: The clock time 01:30 on 1 November 2020 happened twice, as "
                                    "the clocks went back: the first (EDT, UTC-4:00) is taken; untick DST for the "
                                    "second (EST, UTC-5:00).\nrow 5: field place: The zone's offset UTC+0:19:32 has "
                                    "seconds, which the zone boxes can't hold: they take it rounded to the minute.\n"));
        const QList<QStringList> byPlace = parseCsv(placed.out);
        QCOMPARE(byPlace.size(), qsizetype(6));
        QCOMPARE(byPlace[1].mid(4, 4), QStringList({"5:30", "73:51E", "18:31N", "no"}));
        QCOMPARE(byPlace[1][15], QStringLiteral("Pushya"));
        QCOMPARE(byPlace[2].mid(4, 4), QStringList({"", "", "", ""}));
        QCOMPARE(byPlace[2].last(), london);
        // The hour repeated when the clocks went back is taken at its first occurrence, daylight time.
        QCOMPARE(byPlace[3].mid(4, 4), QStringList({"5:00", "74:00W", "40:43N", "yes"}));
        QCOMPARE(byPlace[3][9].toDouble(), 5.5);
        // A clock ahead of UT west of Greenwich: the zone carries its sign.
        QCOMPARE(byPlace[5].mid(4, 4), QStringList({"'+1:00", "3:42W", "40:25N", "no"}));
        QCOMPARE(byPlace[5][9].toDouble(), 11.0);
    }

    void batchHeaderProblems_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("messages");
        QTest::newRow("missing column") << QByteArray("name,date,time,zone,lon,lat\nAnn,1947-08-15,00:00,5:30,77:13E,28:36N\n")
                                        << "row 1: missing column 'dst'\n";
        QTest::newRow("unknown column") << QByteArray("name,date,time,zone,lon,lat,dst,city\n")
                                        << "row 1: unknown column 'city': the columns are name,date,time,zone,lon,lat,dst, "
                                           "or place instead of zone,lon,lat,dst\n";
        QTest::newRow("place and a zone") << QByteArray("name,date,time,place,zone\n")
            << "row 1: the column 'place' stands instead of zone, lon, lat and dst: give either the place or those four\n";
        QTest::newRow("column twice") << QByteArray("name,date,time,zone,lon,lat,dst,Date\n")
                                      << "row 1: column 'date' appears twice\n";
        QTest::newRow("header after blank lines") << QByteArray("\n\nname,date\n") 
            << "row 3: missing column 'time'\nrow 3: missing column 'zone'\nrow 3: missing column 'lon'\n"
               "row 3: missing column 'lat'\nrow 3: missing column 'dst'\n";
        QTest::newRow("blank lines only") << QByteArray("\n \t\r\n\n")
            << "quorvel-cli: the file is empty: the first row must name the columns name,date,time,zone,lon,lat,dst\n";
        QTest::newRow("empty file") << QByteArray()
            << "quorvel-cli: the file is empty: the first row must name the columns name,date,time,zone,lon,lat,dst\n";
        QTest::newRow("unclosed quote in the header") << QByteArray("\"name,date\n")
                                                      << "row 1: a quoted field is not closed\n";
        QTest::newRow("header past the row limit") << QByteArray(70000, '\0')
            << "row 1: the row is longer than 65536 bytes; the rest of the file is not read\n";
    }

    void batchHeaderProblems()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QString, messages);
        const Run result = run({QStringLiteral("--batch"), QStringLiteral("-")}, csv);
        QCOMPARE(result.status, 1);
        QCOMPARE(utf8(result.err), messages);
        QVERIFY(result.out.isEmpty());
    }

    void batchFileThatCannotBeRead()
    {
        QTemporaryDir dir;
        const Run missing = run({QStringLiteral("--batch"), dir.filePath(QStringLiteral("none.csv"))});
        QCOMPARE(missing.status, 1);
        QCOMPARE(utf8(missing.err), QStringLiteral("quorvel-cli: --batch: '%1' does not exist\n").arg(dir.filePath(QStringLiteral("none.csv"))));
        const Run folder = run({QStringLiteral("--batch"), dir.path()});
        QCOMPARE(folder.status, 1);
        QCOMPARE(utf8(folder.err), QStringLiteral("quorvel-cli: --batch: '%1' is a folder\n").arg(dir.path()));
        QVERIFY(missing.out.isEmpty() && folder.out.isEmpty());

        // Standard input that is a folder can't be read: said so, not taken for an empty file.
        QProcess process;
        process.setStandardInputFile(dir.path());
        process.start(QStringLiteral(QUORVEL_CLI), {QStringLiteral("--batch"), QStringLiteral("-")});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 1);
        QCOMPARE(utf8(process.readAllStandardError()),
                 QStringLiteral("quorvel-cli: --batch: can't read standard input: Is a directory\n"));
    }

    void batchFileShrinkingWhileRead()
    {
        // The file is cut short while the program works through it: the rows
        // still there are done, none is cut in half, and nothing crashes.
        QStringList rows;
        for (int i = 0; i < 20000; ++i)
            rows << QStringLiteral("P%1,1947-08-15,00:00,5:30,77:13E,28:36N,no").arg(i, 5, 10, QLatin1Char('0'));
        const QByteArray csv = birthsCsv(rows);
        const qsizetype kept = 5000;  // rows left, far beyond what a first read takes in
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("births.csv"));
        QVERIFY(writeBytes(path, csv));

        QProcess process;
        process.start(QStringLiteral(QUORVEL_CLI), {QStringLiteral("--batch"), path});
        QVERIFY(process.waitForReadyRead(60000));  // the input is open and being read
        QVERIFY(QFile::resize(path, csv.indexOf("\nP05000,") + 1));
        QVERIFY(process.waitForFinished(120000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(process.readAllStandardError(), QByteArray());
        const QList<QStringList> out = parseCsv(process.readAllStandardOutput());
        QCOMPARE(out.size(), kept + 1);
        QCOMPARE(out.last()[1], QStringLiteral("P04999"));
        for (const QStringList &row : out)
            QCOMPARE(row.size(), out[0].size());
    }

    void batchSpanColumns()
    {
        const std::vector<Vector> vectors = referenceVectors();
        QCOMPARE(vectors.size(), std::size_t(2000));
        QStringList rows;
        std::vector<Vector> chosen;
        for (std::size_t i = 0; i < vectors.size(); i += 100) {
            const Vector &v = vectors[i];
            chosen.push_back(v);
            rows << QStringLiteral("V,%1,%2,%3,%4,10:00N,%5").arg(v.date(), v.time(), v.zone(), v.lon(), v.birth.dst ? QStringLiteral("1") : QStringLiteral("0"));
        }
        const Run result = run({QStringLiteral("--batch"), QStringLiteral("-"), QStringLiteral("--span")}, birthsCsv(rows));
        QCOMPARE(result.status, 0);
        const QList<QStringList> out = parseCsv(result.out);
        QCOMPARE(out.size(), qsizetype(chosen.size()) + 1);
        const QStringList header = out[0];
        QCOMPARE(header.mid(23), QStringList({"spanFirst", "spanLast", "minutesEarlier", "minutesLater",
                                              "previousNakshatra", "nextNakshatra", "error"}));
        for (std::size_t i = 0; i < chosen.size(); ++i) {
            const QStringList &row = out[qsizetype(i) + 1];
            const std::optional<BirthTimeSpan> span = computeBirthTimeSpan(chosen[i].birth);
            QVERIFY(span);
            auto iso = [](const ClockMinute &m) {
                return QStringLiteral("%1 %2:%3").arg(m.date.toString(Qt::ISODate)).arg(m.hour, 2, 10, QLatin1Char('0')).arg(m.minute, 2, 10, QLatin1Char('0'));
            };
            QCOMPARE(row[23], iso(span->first));
            QCOMPARE(row[24], iso(span->last));
            QCOMPARE(row[25].toLongLong(), span->minutesEarlier());
            QCOMPARE(row[26].toLongLong(), span->minutesLater());
            QCOMPARE(row[27], nakshatraName((chosen[i].nakshatraIndex + nakshatraCount - 1) % nakshatraCount));
            QCOMPARE(row[28], nakshatraName((chosen[i].nakshatraIndex + 1) % nakshatraCount));
            QCOMPARE(row[29], QString());
        }
    }

    void savedReadingOpensInQuorvelAndInTheCompanion()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("ann.qvr"));
        const Run saved = run(pushyaArguments + QStringList{QStringLiteral("--save"), path});
        QCOMPARE(saved.status, 0);
        QVERIFY(saved.err.isEmpty());
        QVERIFY(saved.out.contains(pushyaReadingLines.toUtf8()));
        // The program's own reader takes it: line one is the scrambled name
        // and CR LF, the birth follows.
        QCOMPARE(readReadingFile(path).value_or(QString()), QStringLiteral("Pushya"));
        QVERIFY(fileBytes(path).startsWith(toSingleByte(scrambleText(QStringLiteral("Pushya"))) + "\r\nQuorvel-Birth 1\r\nname=Ann\r\n"));

        // Opened, it is the whole reading again, birth and span.
        const Run opened = run({QStringLiteral("--open"), path});
        QCOMPARE(opened.status, 0);
        QCOMPARE(utf8(opened.out), QStringLiteral("Saved reading: %1\n\n").arg(path) + utf8(saved.out));
        const QJsonObject calculated = QJsonDocument::fromJson(run(pushyaArguments + QStringList{"--json"}).out).object();
        const QJsonObject whole = QJsonDocument::fromJson(run({QStringLiteral("--open"), path, QStringLiteral("--json")}).out).object();
        for (const char *key : {"birthData", "span"})
            QCOMPARE(whole.value(QLatin1String(key)), calculated.value(QLatin1String(key)));

        // A file of line one alone, as every reader of the format writes it, prints as it always did.
        const QString bare1 = dir.filePath(QStringLiteral("line1.qvr"));
        QVERIFY(writeReadingFile(bare1, QStringLiteral("Pushya")));
        const Run lineOne = run({QStringLiteral("--open"), bare1});
        QCOMPARE(utf8(lineOne.out), QStringLiteral("Saved reading: %1\n\n").arg(bare1) + pushyaReadingLines
                                        + QStringLiteral("\nPositive Human Traits:\n") + positiveTraits(7)
                                        + QStringLiteral("\n\nNegative Human Traits:\n") + negativeTraits(7) + u'\n');
        const Run json = run({QStringLiteral("--open"), bare1, QStringLiteral("--json")});
        QCOMPARE(json.status, 0);
        const QJsonObject object = QJsonDocument::fromJson(json.out).object();
        QCOMPARE(object.keys(), (QStringList{"file", "nakshatraName", "reading"}));
        QCOMPARE(object.value(QStringLiteral("reading")).toObject().value(QStringLiteral("mansionName")).toString(), QStringLiteral("Dou"));

        // An edited birth that gives another nakshatra: line one's reading, and a note.
        QVERIFY(writeBytes(path, fileBytes(path).replace("date=1947-08-15", "date=1947-08-20")));
        const Run edited = run({QStringLiteral("--open"), path});
        QCOMPARE(edited.status, 0);
        QCOMPARE(utf8(edited.out), utf8(lineOne.out).replace(bare1, path));
        QVERIFY2(edited.err.contains("the birth gives"), edited.err.constData());

        // A name without an extension gets .qvr, as the save dialog gives it.
        const Run bare = run(pushyaArguments + QStringList{QStringLiteral("--save"), dir.filePath(QStringLiteral("bare"))});
        QCOMPARE(bare.status, 0);
        QCOMPARE(readReadingFile(dir.filePath(QStringLiteral("bare.qvr"))).value_or(QString()), QStringLiteral("Pushya"));

        // Saving over an earlier reading replaces it.
        const Run again = run(with(pushyaArguments, "--date", "2000-01-01") + QStringList{QStringLiteral("--save"), path});
        QCOMPARE(again.status, 0);
        QCOMPARE(readReadingFile(path).value_or(QString()), QStringLiteral("Swati"));
    }

    void failedSaveIsReported()
    {
        QTemporaryDir dir;
        // A name Quorvel's open command would refuse: nothing is calculated or written.
        const QString text = dir.filePath(QStringLiteral("ann.txt"));
        const Run wrongName = run(pushyaArguments + QStringList{QStringLiteral("--save"), text});
        QCOMPARE(wrongName.status, 1);
        QVERIFY(wrongName.out.isEmpty());
        QCOMPARE(utf8(wrongName.err), QStringLiteral("quorvel-cli: --save: '%1': Quorvel opens only files whose names "
                                                     "end in qvr, such as reading.qvr\n").arg(text));
        QVERIFY(!QFile::exists(text));
        const Run upperCase = run(pushyaArguments + QStringList{QStringLiteral("--save"), dir.filePath(QStringLiteral("ann.QVR"))});
        QCOMPARE(upperCase.status, 1);

        // A folder that doesn't exist: the reading is shown, the failure is not hidden.
        const QString nowhere = dir.filePath(QStringLiteral("missing/ann.qvr"));
        const Run failed = run(pushyaArguments + QStringList{QStringLiteral("--save"), nowhere});
        QCOMPARE(failed.status, 1);
        QVERIFY(failed.out.contains("Corresponding Indian Lunar Mansion: Pushya"));
        QCOMPARE(utf8(failed.err), QStringLiteral("quorvel-cli: --save: could not write '%1'; check that its folder "
                                                  "exists and may be written to\n").arg(nowhere));
        QVERIFY(!QFile::exists(nowhere));

        // A write that fails (here past the file size limit, as on a full
        // disk) is told by its cause, not taken for a missing folder.
        const QString limited = dir.filePath(QStringLiteral("limited.qvr"));
        Run cut;
        {
            const FileSizeLimit noRoom(0);  // the program inherits it
            QVERIFY(noRoom.active);
            cut = run(pushyaArguments + QStringList{QStringLiteral("--save"), limited});
        }
        QCOMPARE(cut.status, 1);
        QCOMPARE(utf8(cut.err), QStringLiteral("quorvel-cli: --save: could not write '%1': File too large\n").arg(limited));
        QVERIFY(!QFile::exists(limited));
    }

    // Two saved readings compared, as text and as JSON; a file that holds
    // no reading is refused as --open refuses it.
    void pairComparesTwoSavedReadings()
    {
        QTemporaryDir dir;
        const QString revati = dir.filePath(QStringLiteral("rev\x1b[2Jati.qvr"));
        const QString anuradha = dir.filePath(QStringLiteral("anuradha.qvr"));
        QVERIFY(writeReadingFile(revati, QStringLiteral("Revati")) && writeReadingFile(anuradha, QStringLiteral("Anuradha")));

        const Run json = run({QStringLiteral("--pair"), revati, anuradha, QStringLiteral("--json")});
        QCOMPARE(json.status, 0);
        const QJsonObject pair = QJsonDocument::fromJson(json.out).object();
        const auto field = [&](const char *object, const char *key) {
            return pair.value(QLatin1String(object)).toObject().value(QLatin1String(key)).toVariant();
        };
        QCOMPARE(field("a", "mansionName").toString(), QString::fromUtf8("Y\u00EC"));
        QCOMPARE(field("a", "nakshatraIndex").toInt(), 26);
        QCOMPARE(field("b", "nakshatraName").toString(), QStringLiteral("Anuradha"));
        QCOMPARE(field("b", "name").toString(), QStringLiteral("anuradha.qvr"));
        QCOMPARE(field("aToB", "count").toInt(), 18);
        QCOMPARE(field("aToB", "tara").toInt(), 9);
        QCOMPARE(field("bToA", "tara").toInt(), 2);
        QCOMPARE(field("bToA", "favourable").toBool(), true);
        QCOMPARE(pair.value(QStringLiteral("score")).toDouble(), 3.0);

        const Run text = run({QStringLiteral("--pair"), revati, anuradha});
        QCOMPARE(text.status, 0);
        // The file's name written with its control character escaped.
        QVERIFY(text.out.contains("rev\\x1b[2Jati.qvr to anuradha.qvr\nCount: 18\nTara: Parama Mitra\nMeaning: great friend\n"
                                  "Favourable: Yes\n"));
        QVERIFY(text.out.contains("Score: 3 / 3\n"));

        const Run refused = run({QStringLiteral("--pair"), revati, dir.path()});
        QCOMPARE(refused.status, 1);
        QVERIFY(refused.out.isEmpty());
        QCOMPARE(utf8(refused.err), QStringLiteral("quorvel-cli: --pair: '%1' is a folder\n").arg(dir.path()));
    }

    // The Moon's days on a clock that goes back an hour: local times with the
    // offset in force, Universal Time, and the tara as --pair counts it. The
    // system's clock is the tests' TZ, UTC.
    void calendarOnAZonesClock()
    {
        QTemporaryDir dir;
        const QString revati = dir.filePath(QStringLiteral("revati.qvr"));
        const QString bharani = dir.filePath(QStringLiteral("bharani.qvr"));
        QVERIFY(writeReadingFile(revati, QStringLiteral("Revati")) && writeReadingFile(bharani, QStringLiteral("Bharani")));
        const QStringList days{QStringLiteral("--calendar"), QStringLiteral("2023-10-29"), QStringLiteral("2023-10-29")};

        const Run json = run(days + QStringList{QStringLiteral("--place"), QStringLiteral("Berlin, Germany"),
                                                QStringLiteral("--for"), revati, QStringLiteral("--json")});
        QCOMPARE(json.status, 0);
        const QJsonObject calendar = QJsonDocument::fromJson(json.out).object();
        QCOMPARE(calendar.value(QStringLiteral("zone")).toString(), QStringLiteral("Europe/Berlin"));
        const QJsonArray periods = calendar.value(QStringLiteral("periods")).toArray();
        QCOMPARE(periods.size(), 2);  // Ashwini from the day before, Bharani into the next
        const QJsonObject entered = periods.at(1).toObject();
        QCOMPARE(entered.value(QStringLiteral("nakshatraName")).toString(), QStringLiteral("Bharani"));
        QCOMPARE(entered.value(QStringLiteral("start")).toString(), QStringLiteral("2023-10-29T02:26+02:00"));
        QCOMPARE(entered.value(QStringLiteral("startUT")).toString(), QStringLiteral("2023-10-29T00:26Z"));
        QCOMPARE(entered.value(QStringLiteral("end")).toString(), QStringLiteral("2023-10-30T00:14+01:00"));
        QCOMPARE(periods.at(0).toObject().value(QStringLiteral("endUT")), entered.value(QStringLiteral("startUT")));

        const Run pair = run({QStringLiteral("--pair"), revati, bharani, QStringLiteral("--json")});
        const QJsonObject aToB = QJsonDocument::fromJson(pair.out).object().value(QStringLiteral("aToB")).toObject();
        QCOMPARE(entered.value(QStringLiteral("count")), aToB.value(QStringLiteral("count")));
        QCOMPARE(entered.value(QStringLiteral("tara")), aToB.value(QStringLiteral("taraName")));
        QCOMPARE(entered.value(QStringLiteral("favourable")), aToB.value(QStringLiteral("favourable")));

        const Run text = run(days);
        QCOMPARE(text.status, 0);
        QVERIFY2(text.out.contains("2023-10-29 00:26 UTC    Bharani            K\xC3\xA0ng\n"), text.out.constData());
    }

    void openRefusesWhatIsNotAReading_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << "--open" << "none.qvr" << QByteArray() << "does not exist";
        QTest::newRow("missing, with an escape") << "--open" << "none\x1b[2J.qvr" << QByteArray() << "does not exist";
        QTest::newRow("folder") << "--open" << "folder.qvr" << QByteArray() << "is a folder";
        QTest::newRow("empty") << "--open" << "empty.qvr" << QByteArray("") << "is not a saved Quorvel reading";
        QTest::newRow("plain name, unscrambled") << "--open" << "plain.qvr" << QByteArray("Pushya\r\n") << "is not a saved Quorvel reading";
        QTest::newRow("other text") << "--open" << "other.qvr" << QByteArray(5000, 'x') << "is not a saved Quorvel reading";
        // A link to itself, for every option that reads a file.
        QTest::newRow("symbolic link loop") << "--open" << "loop.qvr" << QByteArray() << "is a symbolic link loop";
        QTest::newRow("symbolic link loop, pair") << "--pair" << "loop.qvr" << QByteArray() << "is a symbolic link loop";
        QTest::newRow("symbolic link loop, batch") << "--batch" << "loop.csv" << QByteArray() << "is a symbolic link loop";
    }

    void openRefusesWhatIsNotAReading()
    {
        QFETCH(QString, option);
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        if (name.startsWith(QStringLiteral("folder"))) {
            QVERIFY(QDir(dir.path()).mkdir(name));
        } else if (name.startsWith(QStringLiteral("loop"))) {
            QVERIFY(QFile::link(path, path));
        } else if (!name.startsWith(QStringLiteral("none"))) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        const Run result = run(option == u"--pair" ? QStringList{option, path, path} : QStringList{option, path});
        QCOMPARE(result.status, 1);
        QVERIFY(result.out.isEmpty());
        const QString shownPath = QString(path).replace(QChar(0x1b), QStringLiteral("\\x1b"));
        QCOMPARE(utf8(result.err), QStringLiteral("quorvel-cli: %1: '%2' %3\n").arg(option, shownPath, reason));
    }

    // A name is quoted back with its control characters and the bytes that
    // are not UTF-8 escaped, and those bytes still name the file.
    void namesKeepTheirBytes_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QString>("shown");
        QTest::newRow("open, escape") << "--open" << QByteArray("x\x1b[2J.qvr") << "x\\x1b[2J.qvr";
        QTest::newRow("open, Latin-1") << "--open" << QByteArray("caf\xe9.qvr") << "caf\\xe9.qvr";
        QTest::newRow("open, direction control") << "--open" << QByteArray("x\u202e.qvr") << "x\\u202e.qvr";
        QTest::newRow("batch, Latin-1") << "--batch" << QByteArray("caf\xe9.csv") << "";
        QTest::newRow("save, Latin-1") << "--save" << QByteArray("sav\xe9.qvr") << "";
    }

    void namesKeepTheirBytes()
    {
        QFETCH(QString, option);
        QFETCH(QByteArray, name);
        QFETCH(QString, shown);
        QTemporaryDir dir;
        const QByteArray path = QFile::encodeName(dir.path()) + '/' + name;
        const auto remove = qScopeGuard([&path] { std::remove(path.constData()); }); // Qt can't name it
        if (option != QLatin1String("--save")) {
            const QByteArray content = option == QLatin1String("--batch")
                                           ? birthsCsv({QStringLiteral("Ann,1947-08-15,00:00,5:30,77:13E,28:36N,no")})
                                           : toSingleByte(scrambleText(QStringLiteral("Pushya"))) + "\r\n";
            std::ofstream(path.constData(), std::ios::binary) << content.constData();
        }
        const QString printable = QString::fromLatin1(path.toPercentEncoding("/")).replace(u'%', QStringLiteral("\\x"));
        const QStringList arguments = option == QLatin1String("--save") ? pushyaArguments : QStringList();
        const Run result = run(arguments + QStringList{option, printable}, {}, {}, true);
        QCOMPARE(utf8(result.err), QString());
        QCOMPARE(result.status, 0);
        if (option == QLatin1String("--open"))
            QVERIFY2(utf8(result.out).startsWith(QStringLiteral("Saved reading: %1/%2\n").arg(dir.path(), shown)),
                     result.out);
        else if (option == QLatin1String("--batch"))
            QCOMPARE(parseCsv(result.out).value(1).value(15), QStringLiteral("Pushya"));
        else
            QCOMPARE(readReadingFile(fileNameFromNative(path)).value_or(QString()), QStringLiteral("Pushya"));
    }

    void failedOutputIsNotASuccess()
    {
        // A full disk under standard output: every mode says so and fails.
        const Run single = run(pushyaArguments, {}, QStringLiteral("/dev/full"));
        QCOMPARE(single.status, 1);
        QVERIFY(single.err.startsWith("quorvel-cli: could not write the output"));
        const Run batch = run({QStringLiteral("--batch"), QStringLiteral("-")},
                              birthsCsv({QStringLiteral("Ann,1947-08-15,00:00,5:30,77:13E,28:36N,no")}),
                              QStringLiteral("/dev/full"));
        QCOMPARE(batch.status, 1);
        QVERIFY(batch.err.startsWith("quorvel-cli: could not write the output"));
        const Run version = run({QStringLiteral("--version")}, {}, QStringLiteral("/dev/full"));
        QCOMPARE(version.status, 1);
    }
};

QTEST_APPLESS_MAIN(TestCli)
#include "test_cli.moc"
