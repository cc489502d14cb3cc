// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Throughput of quorvel-cli --batch: in process through the batch engine, and
// as the program itself reading a file of births on one core. The births are
// the 2,000 reference moments, repeated.
#include "cli/Batch.h"
#include "cli/BirthFields.h"

#include "tests/support/ReferenceVectors.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Whether a reference case's zone and longitude are ones the batch takes:
// a few cases try the calculation beyond them (a zone of 30:00, 180:32W, a
// zone east of Greenwich that DST takes past 14:00 ahead).
bool withinBatchLimits(const QStringList &in)
{
    const auto minutes = [](const QString &hours, const QString &minutes) {
        return minutes.toInt() < 60 ? hours.toInt() * 60 + minutes.toInt() : -1;
    };
    const int zone = minutes(in[5], in[6]);
    const int longitude = minutes(in[7], in[8]);
    const int dstAhead = in[9] == u"1" && in[10] == u"1" ? 60 : 0;
    return zone >= 0 && zone + dstAhead <= 14 * 60 && longitude >= 0 && longitude <= 180 * 60;
}

// The reference births the batch takes, as CSV rows without the header.
std::string referenceRows()
{
    std::string rows;
    int count = 0;
    for (const ReferenceCase &c : loadReferenceCases()) {
        const QStringList &in = c.inputs;
        if (!withinBatchLimits(in))
            continue;
        auto two = [](const QString &n) { return n.rightJustified(2, u'0'); };
        const QString row = QStringLiteral("Person %1,%2-%3-%4,%5:%6,%7:%8,%9:%10%11,51:28N,%12\n")
                                .arg(count++)
                                .arg(in[2], two(in[0]), two(in[1]), two(in[3]), two(in[4]), in[5], two(in[6]), in[7])
                                .arg(two(in[8]), in[9] == u"1" ? QStringLiteral("E") : QStringLiteral("W"),
                                     in[10] == u"1" ? QStringLiteral("yes") : QStringLiteral("no"));
        rows += row.toStdString();
    }
    return count > 1900 ? rows : std::string();
}

std::string batchInput(int repeats)
{
    const std::string rows = referenceRows();
    if (rows.empty())
        return {};
    std::string csv = "name,date,time,zone,lon,lat,dst\n";
    csv.reserve(csv.size() + rows.size() * std::size_t(repeats));
    for (int i = 0; i < repeats; ++i)
        csv += rows;
    return csv;
}

void runBatchInProcess(benchmark::State &state, bool span)
{
    const std::string csv = batchInput(span ? 5 : 50);
    if (csv.empty()) {
        state.SkipWithError("reference vectors not found");
        return;
    }
    std::size_t written = 0;
    qint64 births = 0;
    for (auto _ : state) {
        ByteSink out([&](std::string_view piece) {
            written += piece.size();
            return true;
        });
        ByteSink err([](std::string_view) { return true; });
        BatchOptions options;
        options.span = span;
        const BatchSummary summary = runBatch(csv, options, out, err);
        if (summary.badRows != 0) {
            state.SkipWithError("the batch reported bad rows");
            return;
        }
        births += summary.births;
    }
    benchmark::DoNotOptimize(written);
    state.SetItemsProcessed(births);
}

void batchInProcess(benchmark::State &state)
{
    runBatchInProcess(state, false);
}
BENCHMARK(batchInProcess)->Unit(benchmark::kMillisecond);

void batchWithSpanInProcess(benchmark::State &state)
{
    runBatchInProcess(state, true);
}
BENCHMARK(batchWithSpanInProcess)->Unit(benchmark::kMillisecond);

// The program itself: about 500,000 births from a file, results to /dev/null, the
// process held to one core. Start-up is included in the time.
void batchProgramOnOneCore(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("births.csv"));
    qint64 births = 0;
    {
        const std::string csv = batchInput(250);
        births = qint64(std::count(csv.begin(), csv.end(), '\n')) - 1;
        QFile file(path);
        if (csv.empty() || !file.open(QIODevice::WriteOnly)
            || file.write(csv.data(), qint64(csv.size())) != qint64(csv.size())) {
            state.SkipWithError("could not write the input file");
            return;
        }
    }
    for (auto _ : state) {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setChildProcessModifier([] {
            cpu_set_t one;
            CPU_ZERO(&one);
            CPU_SET(sched_getcpu() < 0 ? 0 : sched_getcpu(), &one);
            sched_setaffinity(0, sizeof one, &one);
        });
        QElapsedTimer timer;
        timer.start();
        process.start(QStringLiteral(QUORVEL_CLI), {QStringLiteral("--batch"), path});
        if (!process.waitForFinished(600000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
            state.SkipWithError("quorvel-cli --batch failed");
            return;
        }
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
    }
    state.SetItemsProcessed(state.iterations() * births);
}
BENCHMARK(batchProgramOnOneCore)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// ---- births by place against the same births by coordinates -------------

// Places of every size, as a file of births would name them.
const std::vector<std::string> birthplaces{
    "Pune, Maharashtra, India", "Singapore",          "Hallstatt, Austria",   "Oberammergau, Germany",
    "München, Germany",         "Salt Lake City",     "Mexico City",          "Paris",
    "London",                   "Cuauhtémoc, Chihuahua, Mexico", "Enstone, United Kingdom", "Turmi, Ethiopia",
    "Urunga, NSW, Australia",   "Compañia, Peru",     "Narendranagar, India", "New York, NY"};

// The reference births, each at one of the places: by the place column,
// and by the zone, lon, lat and dst that place gives.
std::pair<std::string, std::string> placedAndCoordinateRows(int repeats)
{
    std::string byPlace = "name,date,time,place\n";
    std::string byCoordinates = "name,date,time,zone,lon,lat,dst\n";
    PlaceLookup lookup(Atlas::installed());
    int count = 0;
    for (const ReferenceCase &c : loadReferenceCases()) {
        const QStringList &in = c.inputs;
        auto two = [](const QString &n) { return n.rightJustified(2, u'0'); };
        const std::string date = QStringLiteral("%1-%2-%3").arg(in[2], two(in[0]), two(in[1])).toStdString();
        const std::string time = QStringLiteral("%1:%2").arg(two(in[3]), two(in[4])).toStdString();
        const std::string &place = birthplaces[std::size_t(count) % birthplaces.size()];
        const std::optional<FoundPlace> found =
            lookup.find(place, QDate(in[2].toInt(), in[0].toInt(), in[1].toInt()), QTime(in[3].toInt(), in[4].toInt()))
                .value;
        if (!found || !found->chosen.zone)
            continue; // a skipped or doubled hour there: not a birth both can give
        const std::string name = "Person " + std::to_string(count++);
        byPlace += name + "," + date + "," + time + ",\"" + place + "\"\n";
        byCoordinates += name + "," + date + "," + time;
        for (const BirthField field : {BirthField::Zone, BirthField::Lon, BirthField::Lat, BirthField::Dst})
            byCoordinates += "," + placeFieldText(field, found->chosen);
        byCoordinates += "\n";
    }
    std::string places = byPlace.substr(byPlace.find('\n') + 1);
    std::string coordinates = byCoordinates.substr(byCoordinates.find('\n') + 1);
    for (int i = 1; i < repeats; ++i) {
        byPlace += places;
        byCoordinates += coordinates;
    }
    return {byPlace, byCoordinates};
}

void runBatchOf(benchmark::State &state, bool byPlace)
{
    const auto [places, coordinates] = placedAndCoordinateRows(10);
    const std::string &csv = byPlace ? places : coordinates;
    qint64 births = 0;
    for (auto _ : state) {
        ByteSink out([](std::string_view) { return true; });
        ByteSink err([](std::string_view) { return true; });
        const BatchSummary summary = runBatch(csv, BatchOptions{}, out, err);
        if (summary.badRows != 0) {
            state.SkipWithError("the batch reported bad rows");
            return;
        }
        births += summary.births;
    }
    state.SetItemsProcessed(births);
}

void batchByCoordinates(benchmark::State &state)
{
    runBatchOf(state, false);
}
BENCHMARK(batchByCoordinates)->Unit(benchmark::kMillisecond);

void batchByPlace(benchmark::State &state)
{
    runBatchOf(state, true);
}
BENCHMARK(batchByPlace)->Unit(benchmark::kMillisecond);

// ---- births at misspelt places ---------------------------------------------

// A name slipped as fingers slip: two letters swapped, one dropped, doubled
// or wrong.
QString misspelt(const QString &name, QRandomGenerator &random)
{
    QString slipped = name;
    const qsizetype at = random.bounded(qsizetype(1), name.size() - 1);
    switch (random.bounded(4)) {
    case 0:
        std::swap(slipped[at], slipped[at + 1]);
        break;
    case 1:
        slipped.remove(at, 1);
        break;
    case 2:
        slipped.insert(at, name.at(at));
        break;
    default:
        slipped[at] = QChar(u'a' + random.bounded(26));
    }
    return slipped;
}

// Distinct place texts none of which the atlas holds: places' names with a
// slip, half of them with the country after, or the costliest shape to
// read: 50 random letters and 40 one-letter words.
std::vector<std::string> misspeltPlaces(int count, bool costliest)
{
    QRandomGenerator random(27);
    const Atlas &atlas = Atlas::installed();
    const auto letters = [&random](int n) {
        QString text;
        for (int i = 0; i < n; ++i)
            text += QChar(u'a' + random.bounded(26));
        return text;
    };
    QSet<QString> seen;
    std::vector<std::string> places;
    while (int(places.size()) < count) {
        QString text;
        if (costliest) {
            text = letters(50);
            for (int i = 0; i < 40; ++i)
                text += u' ' + letters(1);
        } else {
            const QList<AtlasMatch> found = atlas.search(letters(3), 50);
            if (found.isEmpty())
                continue;
            const AtlasPlace &place = found.at(random.bounded(found.size())).place;
            if (place.name.size() < 5)
                continue;
            text = misspelt(place.name, random);
            if (random.bounded(2) == 1)
                text += QStringLiteral(", ") + place.country;
            const QList<AtlasMatch> named = atlas.search(text);
            if (std::any_of(named.cbegin(), named.cend(),
                            [](const AtlasMatch &match) { return match.name == NameMatch::Whole; }))
                continue; // the slip is another place's name
        }
        if (!seen.contains(text)) {
            seen.insert(text);
            places.push_back(text.toStdString());
        }
    }
    return places;
}

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A batch of 10,000 births at as many misspelt places: each place's text is
// looked up and its near spellings sought. The growth of the peak memory
// over the runs after the first is the counter growth_MB.
void runMisspeltBatch(benchmark::State &state, bool costliest)
{
    std::string csv = "name,date,time,place\n";
    for (const std::string &place : misspeltPlaces(10000, costliest))
        csv += "Ann,1990-05-05,20:00,\"" + place + "\"\n";
    const auto batch = [&csv] {
        ByteSink out([](std::string_view) { return true; });
        ByteSink err([](std::string_view) { return true; });
        return runBatch(csv, BatchOptions{}, out, err);
    };
    batch();
    const long before = peakKilobytes();
    qint64 rows = 0;
    for (auto _ : state) {
        const BatchSummary summary = batch();
        if (summary.badRows != summary.births) {
            state.SkipWithError("a misspelt place was found");
            return;
        }
        rows += summary.births;
    }
    state.SetItemsProcessed(rows);
    state.counters["growth_MB"] = double(peakKilobytes() - before) / 1024.0;
}

void batchOfMisspeltPlaces(benchmark::State &state)
{
    runMisspeltBatch(state, false);
}
BENCHMARK(batchOfMisspeltPlaces)->Unit(benchmark::kMillisecond);

void batchOfCostliestPlaceTexts(benchmark::State &state)
{
    runMisspeltBatch(state, true);
}
BENCHMARK(batchOfCostliestPlaceTexts)->Unit(benchmark::kMillisecond);

// One quorvel-cli process, its output to /dev/null: its wall time, its peak
// resident memory (in MB, as the counter rss_MB) and the processor time it
// used (cpu_ms, which a busy machine doesn't inflate as it does wall time).
void runProcess(benchmark::State &state, std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), QUORVEL_CLI);
    std::vector<char *> argv;
    for (std::string &argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    long peakKilobytes = 0;
    double cpuMilliseconds = 0;
    for (auto _ : state) {
        // fork, not vfork: a child sharing this process's memory until it
        // runs the program would report this process's peak as its own.
        const pid_t child = fork();
        if (child == 0) {
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
            execv(argv[0], argv.data());
            _exit(127);
        }
        int status = 0;
        rusage usage{};
        if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("quorvel-cli failed");
            break;
        }
        peakKilobytes = std::max(peakKilobytes, usage.ru_maxrss);
        const auto milliseconds = [](const timeval &t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
        cpuMilliseconds += milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime);
    }
    state.counters["rss_MB"] = double(peakKilobytes) / 1024.0;
    state.counters["cpu_ms"] = cpuMilliseconds / double(std::max<benchmark::IterationCount>(state.iterations(), 1));
}

void runOneBirth(benchmark::State &state, const std::vector<std::string> &where)
{
    std::vector<std::string> arguments{"--name", "Ann", "--date", "1947-08-15", "--time", "10:30"};
    arguments.insert(arguments.end(), where.begin(), where.end());
    runProcess(state, arguments);
}

void oneBirthByCoordinates(benchmark::State &state)
{
    runOneBirth(state, {"--zone", "1:00", "--lon", "11:35E", "--lat", "48:08N"});
}
BENCHMARK(oneBirthByCoordinates)->Unit(benchmark::kMillisecond)->UseRealTime();

void oneBirthByPlace(benchmark::State &state)
{
    runOneBirth(state, {"--place", "München, Germany"});
}
BENCHMARK(oneBirthByPlace)->Unit(benchmark::kMillisecond)->UseRealTime();

// The Moon's calendar of 1901-2050 (about 54,800 periods) as JSON, on a
// clock with daylight saving.
void calendarOfTheWholeRangeAsJson(benchmark::State &state)
{
    runProcess(state, {"--calendar", "1901-01-01", "2050-12-31", "--tz", "Europe/Berlin", "--json"});
}
BENCHMARK(calendarOfTheWholeRangeAsJson)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

BENCHMARK_MAIN();
