// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Throughput of quorvel-cli --batch: in process through the batch engine, and
// as the program itself reading a file of births on one core. The births are
// the 2,000 reference moments, repeated.
#include "cli/Batch.h"

#include "tests/support/ReferenceVectors.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <sched.h>

#include <string>

namespace {

// The reference births as CSV rows, without the header.
std::string referenceRows()
{
    std::string rows;
    int count = 0;
    for (const ReferenceCase &c : loadReferenceCases()) {
        const QStringList &in = c.inputs;
        auto two = [](const QString &n) { return n.rightJustified(2, u'0'); };
        const QString row = QStringLiteral("Person %1,%2-%3-%4,%5:%6,%7:%8,%9:%10%11,51:28N,%12\n")
                                .arg(count++)
                                .arg(in[2], two(in[0]), two(in[1]), two(in[3]), two(in[4]), in[5], two(in[6]), in[7])
                                .arg(two(in[8]), in[9] == u"1" ? QStringLiteral("E") : QStringLiteral("W"),
                                     in[10] == u"1" ? QStringLiteral("yes") : QStringLiteral("no"));
        rows += row.toStdString();
    }
    return count == 2000 ? rows : std::string();
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

// The program itself: 500,000 births from a file, results to /dev/null, the
// process held to one core. Start-up is included in the time.
void batchProgramOnOneCore(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("births.csv"));
    {
        const std::string csv = batchInput(250);
        QFile file(path);
        if (csv.empty() || !file.open(QIODevice::WriteOnly)
            || file.write(csv.data(), qint64(csv.size())) != qint64(csv.size())) {
            state.SkipWithError("could not write the input file");
            return;
        }
    }
    constexpr qint64 births = 500000;
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

} // namespace

BENCHMARK_MAIN();
