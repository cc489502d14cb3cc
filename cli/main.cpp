// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// quorvel-cli: Quorvel's readings from the command line, one at a time, from
// a saved reading file, or a CSV file of births at a time.
#include "cli/Batch.h"
#include "cli/BirthFields.h"
#include "cli/CliTexts.h"
#include "cli/CommandLine.h"
#include "cli/ReadingReport.h"
#include "core/CalendarReport.h"
#include "core/SavedReading.h"
#include "mansions/ReadingFile.h"
#include "places/PlaceLookup.h"
#include "sys/NativeFileName.h"
#include "sys/QuotedText.h"
#include "sys/SafeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QTimeZone>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Exit statuses.
constexpr int exitSuccess = 0;
constexpr int exitBadInput = 1;  // also a file that can't be read or written
constexpr int exitUsage = 2;

bool writeTo(std::FILE *stream, std::string_view bytes)
{
    return std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
}

void print(const QString &text)
{
    writeTo(stdout, text.toStdString());
}

void complain(const QString &message)
{
    writeTo(stderr, QStringLiteral("%1: %2\n").arg(QLatin1String(CliTexts::programName), message).toStdString());
}

// Standard output is buffered: a failed write (a full disk, a closed pipe)
// shows up only when it is flushed, and must not end as a success.
int finish(int status)
{
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        complain(QStringLiteral("could not write the output: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
        return status == exitSuccess ? exitBadInput : status;
    }
    return status;
}

int usageError(const QString &message)
{
    complain(message);
    writeTo(stderr, CliTexts::usage);
    writeTo(stderr, "Try 'quorvel-cli --help' for more.\n");
    return exitUsage;
}

// The path a reading is saved to: a name without an extension gets ".qvr",
// as the program's save dialog adds it. Empty when the name can't be opened
// by the program, which takes only names ending in "qvr".
QString savePathFor(const QString &given)
{
    const QFileInfo info(given);
    if (info.fileName().isEmpty())
        return {};
    const QString path = info.fileName().contains(u'.') ? given : given + QStringLiteral(".qvr");
    return hasReadingExtension(path) ? path : QString();
}

// Says why the file an option named could not be written.
void complainNotWritten(const char *option, const QString &path, const FileWriteFailure &failure)
{
    const QString file = quotedPath(path);
    if (failure.error == QFileDevice::OpenError)
        complain(QStringLiteral("%1: could not write %2; check that its folder exists and may be written to")
                     .arg(QLatin1String(option), file));
    else if (failure.error == QFileDevice::ResourceError)  // what a full disk gives
        complain(QStringLiteral("%1: could not write %2: the disk is full").arg(QLatin1String(option), file));
    else
        complain(QStringLiteral("%1: could not write %2: %3").arg(QLatin1String(option), file, failure.reason));
}

bool saveReadingTo(const QString &path, const Reading &reading, const BirthPlace &place)
{
    const FileWrite saved = saveReading(path, reading, place);
    if (saved)
        return true;
    complainNotWritten("--save", path, saved.why);
    return false;
}

int runSingle(const CommandLine &line)
{
    // The texts stay alive as UTF-8 while the parser reads them.
    std::array<std::string, birthFieldCount> utf8;
    BirthTexts texts;
    for (int f = 0; f < birthFieldCount; ++f) {
        if (line.fields[std::size_t(f)])
            utf8[std::size_t(f)] = line.fields[std::size_t(f)]->toStdString();
        texts[std::size_t(f)] = utf8[std::size_t(f)];
    }
    texts[std::size_t(BirthField::Dst)] = line.dst ? "yes" : "no";

    // A place gives the zone, the coordinates and the DST tick.
    std::optional<PlaceLookup> places;
    if (line.place)
        places.emplace(Atlas::installed());
    const std::string placeText = line.place ? line.place->toStdString() : std::string();
    const PlacedBirth read = readPlacedBirth(texts, places ? &*places : nullptr, placeText);
    const std::optional<FoundPlace> &found = read.found;

    bool good = read.good();
    for (const FieldError &error : read.errors)
        complain(QStringLiteral("--%1: %2").arg(QLatin1String(birthFieldName(error.field)), error.message));
    if (!read.placeError.isEmpty())
        complain(QStringLiteral("--place: %1").arg(read.placeError));
    QString savePath;
    if (!line.savePath.isNull()) {
        savePath = savePathFor(line.savePath);
        if (savePath.isEmpty()) {
            complain(QStringLiteral("--save: %1: Quorvel opens only files whose names end in qvr, "
                                    "such as reading.qvr")
                         .arg(quotedPath(line.savePath)));
            good = false;
        }
    }
    if (!good)
        return exitBadInput;
    if (!read.zoneNote.isEmpty())
        complain(QStringLiteral("--zone: %1").arg(read.zoneNote));

    const std::optional<Reading> reading = calculateReading(read.birth);
    if (!reading) {
        complain(QStringLiteral("the calculation failed for this birth"));
        return exitBadInput;
    }
    // What the place's clock did that the fields can't show: a repeated
    // hour, an offset rounded from seconds.
    if (found) {
        for (const QString &note : found->clock.notes)
            complain(QStringLiteral("--place: %1").arg(note));
    }
    if (line.json) {
        QJsonObject report = birthReportJson(*reading);
        if (found)
            report.insert(QStringLiteral("place"), foundPlaceJson(*found));
        print(QString::fromUtf8(QJsonDocument(report).toJson(QJsonDocument::Indented)));
    } else {
        print(birthReportText(*reading, found ? placeLabel(found->place) : QString()));
    }
    const BirthPlace savedPlace =
        found ? BirthPlace{found->place.name, found->place.state, found->place.country, found->place.timeZone}
              : BirthPlace{};
    if (!savePath.isEmpty() && !saveReadingTo(savePath, *reading, savedPlace))
        return exitBadInput;
    return exitSuccess;
}

// The reading saved at `path` as --open and --pair take it: nothing, after
// saying why under `option`, for a path that holds none; a birth left out
// of it is noted.
std::optional<OpenedReading> openSaved(const QString &option, const QString &path)
{
    ReadingFileProblem problem = ReadingFileProblem::NotAReading;
    const std::optional<OpenedReading> opened = openReading(path, &problem);
    if (!opened)
        complain(QStringLiteral("%1: %2").arg(option, unreadableReason(path, problem)));
    else if (!opened->birthNote.isEmpty())
        complain(QStringLiteral("%1: %2: %3; the first line's reading is shown without it")
                     .arg(option, quotedPath(path), opened->birthNote));
    return opened;
}

int runOpen(const CommandLine &line)
{
    const std::optional<OpenedReading> opened = openSaved(QStringLiteral("--open"), line.openPath);
    if (!opened)
        return exitBadInput;
    if (line.json)
        print(QString::fromUtf8(QJsonDocument(savedReadingJson(line.openPath, opened->reading, opened->place))
                                    .toJson(QJsonDocument::Indented)));
    else
        print(savedReadingText(line.openPath, opened->reading));
    return exitSuccess;
}

// Two saved readings compared, each refused as --open refuses it.
int runPair(const CommandLine &line)
{
    std::array<Reading, 2> readings;
    for (std::size_t i = 0; i < readings.size(); ++i) {
        const std::optional<OpenedReading> opened = openSaved(QStringLiteral("--pair"), line.pairPaths.at(qsizetype(i)));
        if (!opened)
            return exitBadInput;
        readings[i] = opened->reading;
    }
    ReadingPair pair = readingPair(readings[0], readings[1]);
    if (line.json) {
        print(QString::fromUtf8(QJsonDocument(readingPairJson(pair)).toJson(QJsonDocument::Indented)));
        return exitSuccess;
    }
    // The names come from the files, which must not steer the terminal.
    pair.nameA = barePath(pair.nameA);
    pair.nameB = barePath(pair.nameB);
    print(readingPairText(pair));
    return exitSuccess;
}

// The clock the calendar is shown on and the id it goes by: the place's
// zone, the zone named, else the system's (TZ, then the machine's own). An id
// the zone database doesn't know is refused, never taken for UTC.
std::optional<std::pair<QTimeZone, QString>> calendarZone(const CommandLine &line)
{
    QString id = line.timeZone.value_or(QString::fromUtf8(QTimeZone::systemTimeZoneId()));
    if (line.place) {
        PlaceLookup lookup(Atlas::installed());
        const Result<FoundPlace> found = lookup.find(line.place->toStdString(), QDate(), QTime());
        if (!found) {
            complain(QStringLiteral("--place: %1").arg(found.why));
            return std::nullopt;
        }
        id = found.value->place.timeZone;
    }
    const QTimeZone zone(id.toUtf8());
    if (!zone.isValid()) {
        const QString source = line.place ? QStringLiteral("--place") : line.timeZone ? QStringLiteral("--tz")
                                                                                      : QStringLiteral("TZ");
        complain(QStringLiteral("%1: %2 is not a time zone the system knows, such as Europe/Berlin or UTC")
                     .arg(source, quotedValue(id)));
        return std::nullopt;
    }
    return std::pair{zone, id};
}

bool writeCalendarFile(const QString &path, const QByteArray &bytes)
{
    const FileWrite written = writeFileSafely(path, bytes);
    if (written)
        return true;
    complainNotWritten("--ics", path, written.why);
    return false;
}

// The Moon's days from FROM to TO: text or JSON written as each period is
// found, or an iCalendar file.
int runCalendar(const CommandLine &line)
{
    std::array<QDate, 2> dates;
    for (std::size_t i = 0; i < dates.size(); ++i) {
        QString error;
        const std::optional<QDate> date = readDateField(line.calendarDates.at(qsizetype(i)).toStdString(), error);
        if (!date) {
            complain(QStringLiteral("--calendar: %1").arg(error));
            return exitBadInput;
        }
        dates[i] = *date;
    }
    const auto [from, to] = dates;
    if (from > to) {
        complain(QStringLiteral("--calendar: %1 comes after %2; give the earlier date first")
                     .arg(from.toString(Qt::ISODate), to.toString(Qt::ISODate)));
        return exitBadInput;
    }
    const auto zone = calendarZone(line);
    if (!zone)
        return exitBadInput;
    std::optional<int> forIndex;
    if (line.forPath) {
        const std::optional<QString> name = readReadingFile(*line.forPath);
        const std::optional<Reading> reading = name ? readingOfNakshatra(*name) : std::nullopt;
        if (!reading) {
            complain(QStringLiteral("--for: %1").arg(unreadableReason(*line.forPath)));
            return exitBadInput;
        }
        forIndex = reading->row;  // row k carries nakshatra k
    }

    // The first period begins before the first day, the last ends after the
    // last: the clock's history reaches two days beyond them.
    const MinuteSpan span = daySpan(from, to, zone->first);
    constexpr qint64 twoDays = 2 * 24 * 60;
    const ZoneClock clock(zone->first, span.from - twoDays, span.to + twoDays);
    const auto rowOf = [&](const MoonPeriod &period) {
        CalendarRow row{period, clock.at(period.startMinute), clock.at(period.endMinute), std::nullopt};
        if (forIndex)
            row.tara = taraStep(*forIndex, period.nakshatraIndex);
        return row;
    };

    std::vector<CalendarRow> rows;  // kept for the iCalendar file only
    bool first = true;
    if (line.json)
        writeTo(stdout, calendarJsonHead(zone->second, from, to).toStdString());
    const bool found = forEachMoonPeriod(span, [&](const MoonPeriod &period) {
        const CalendarRow row = rowOf(period);
        if (line.icsPath) {
            rows.push_back(row);
            return true;
        }
        if (!line.json)
            return writeTo(stdout, calendarRowText(row).toStdString());
        const QByteArray object = calendarRowJson(row);
        const bool written = (first || writeTo(stdout, ",\n"))
            && writeTo(stdout, std::string_view(object.constData(), std::size_t(object.size())));
        first = false;
        return written;
    });
    if (!found) {
        complain(QStringLiteral("the calculation failed for these dates"));
        return exitBadInput;
    }
    if (line.json)
        writeTo(stdout, calendarJsonTail);
    if (line.icsPath && !writeCalendarFile(*line.icsPath, icsCalendar(rows, QDateTime::currentDateTimeUtc(), forIndex)))
        return exitBadInput;
    return exitSuccess;
}

// Opens the batch input: standard input for "-", else the file; -1 with a
// message when it can't be opened.
int openBatchInput(const QString &path)
{
    if (path == QLatin1String("-"))
        return STDIN_FILENO;
    if (const std::optional<QString> reason = notAFileReason(path)) {
        complain(QStringLiteral("--batch: %1 %2").arg(quotedPath(path), *reason));
        return -1;
    }
    const int fd = ::open(nativeFileName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        complain(QStringLiteral("--batch: can't read %1: %2")
                     .arg(quotedPath(path), QString::fromLocal8Bit(std::strerror(errno))));
    return fd;
}

// The batch reads its input a buffer at a time rather than whole or mapped:
// memory stays bounded, a file that shrinks while it is read just ends
// sooner, and a read error ends the batch with a message, never a crash.
int runBatchMode(const CommandLine &line)
{
    const int fd = openBatchInput(line.batchPath);
    if (fd < 0)
        return exitBadInput;
    int readError = 0;
    const ByteSource input = [fd, &readError](char *buffer, std::size_t size) -> qint64 {
        for (;;) {
            const ssize_t count = ::read(fd, buffer, size);
            if (count >= 0)
                return count;
            if (errno != EINTR) {
                readError = errno;
                return -1;
            }
        }
    };

    ByteSink out([](std::string_view piece) { return writeTo(stdout, piece); });
    ByteSink err([](std::string_view piece) { return writeTo(stderr, piece); });
    BatchOptions options;
    options.span = line.span;
    const BatchSummary summary = runBatch(input, options, out, err);
    out.flush();
    err.flush();
    if (fd != STDIN_FILENO)
        ::close(fd);
    if (summary.readFailed) {
        const QString source = line.batchPath == QLatin1String("-") ? QStringLiteral("standard input")
                                                                      : quotedPath(line.batchPath);
        complain(QStringLiteral("--batch: can't read %1: %2")
                     .arg(source, QString::fromLocal8Bit(std::strerror(readError))));
        return exitBadInput;
    }
    if (!summary.headerRead || summary.badRows > 0)
        return exitBadInput;
    return exitSuccess;
}

} // namespace

int main(int argc, char *argv[])
{
    // Every byte kept, so that a file name that is not UTF-8 names its file.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << fileNameFromNative(argv[i]);

    QString error;
    const std::optional<CommandLine> line = parseCommandLine(arguments, error);
    if (!line)
        return finish(usageError(error));

    switch (line->mode) {
    case CliMode::Help:
        writeTo(stdout, CliTexts::usage);
        writeTo(stdout, CliTexts::help);
        return finish(exitSuccess);
    case CliMode::Version:
        writeTo(stdout, CliTexts::version);
        writeTo(stdout, "\n");
        return finish(exitSuccess);
    case CliMode::Single:
        return finish(runSingle(*line));
    case CliMode::Open:
        return finish(runOpen(*line));
    case CliMode::Batch:
        return finish(runBatchMode(*line));
    case CliMode::Pair:
        return finish(runPair(*line));
    case CliMode::Calendar:
        return finish(runCalendar(*line));
    }
    return exitUsage;
}
