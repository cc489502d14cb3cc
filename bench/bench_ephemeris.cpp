// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Throughput of the whole ephemeris over the 2,000 reference birth moments,
// and the Moon's calendar of one year.
#include "core/MoonCalendar.h"
#include "core/NakshatraChange.h"
#include "ephemeris/modEphemeris.h"

#include <benchmark/benchmark.h>

#include "tests/support/ReferenceVectors.h"

#include <vector>

namespace {

void computeMoonNakshatraOverVectors(benchmark::State &state)
{
    std::vector<EphemerisInput> births;
    for (const BirthData &b : loadReferenceBirths())
        births.push_back(b);
    if (births.size() != 2000) {
        state.SkipWithError("reference vectors not found");
        return;
    }
    EphemerisResult result;
    for (auto _ : state) {
        for (const EphemerisInput &b : births) {
            computeMoonNakshatra(b, result);
            benchmark::DoNotOptimize(result.nakshatraIndex);
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(births.size()));
}
BENCHMARK(computeMoonNakshatraOverVectors)->Unit(benchmark::kMillisecond);

// Every nakshatra change of 2023 on Berlin's clock (about 362), and how
// many evaluations of the series each took (stepping minute by minute
// would take about 1,300).
void moonCalendarOfAYear(benchmark::State &state)
{
    const QTimeZone berlin("Europe/Berlin");
    std::size_t changes = 0;
    const quint64 evaluationsBefore = nakshatraSeriesEvaluations();
    for (auto _ : state) {
        const auto periods = moonPeriods(QDate(2023, 1, 1), QDate(2023, 12, 31), berlin);
        if (!periods) {
            state.SkipWithError("the calendar failed");
            return;
        }
        changes += periods->size();
    }
    state.counters["changes"] = double(changes) / double(state.iterations());
    state.counters["evaluations_per_change"] =
        double(nakshatraSeriesEvaluations() - evaluationsBefore) / double(changes);
}
BENCHMARK(moonCalendarOfAYear)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
