// Throughput of the whole ephemeris over the 2,000 reference birth moments.
#include "ephemeris/modEphemeris.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QStringList>

#include <vector>

namespace {

std::vector<BirthData> referenceBirths()
{
    std::vector<BirthData> births;
    QFile file(QStringLiteral(QUORVEL_TEST_DATA "/ephemeris.tsv"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return births;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine());
        if (line.startsWith(u'#'))
            continue;
        const QStringList in = line.section(u'\t', 0, 0).split(u' ');
        if (in.size() != 11)
            continue;
        BirthData b;
        qint16 *fields[] = {&b.month, &b.day, &b.year, &b.hour, &b.minute, &b.zoneHours, &b.zoneMinutes,
                            &b.lonDegrees, &b.lonMinutes};
        for (int i = 0; i < 9; ++i)
            *fields[i] = static_cast<qint16>(in[i].toInt());
        b.isEast = in[9] == u"1";
        b.dst = in[10] == u"1";
        births.push_back(b);
    }
    return births;
}

void computeMoonNakshatraOverVectors(benchmark::State &state)
{
    const std::vector<BirthData> births = referenceBirths();
    if (births.size() != 2000) {
        state.SkipWithError("reference vectors not found");
        return;
    }
    EphemerisResult result;
    for (auto _ : state) {
        for (const BirthData &b : births) {
            computeMoonNakshatra(b, result);
            benchmark::DoNotOptimize(result.nakshatraIndex);
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(births.size()));
}
BENCHMARK(computeMoonNakshatraOverVectors)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
