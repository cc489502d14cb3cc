// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Throughput of the whole ephemeris over the 2,000 reference birth moments.
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

} // namespace

BENCHMARK_MAIN();
