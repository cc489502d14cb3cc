// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/NakshatraChange.h"

#include <atomic>
#include <cmath>

namespace {

// The Moon's mean motion, degrees a minute: the first guess at a crossing.
constexpr double meanDegreesPerMinute = 481267.88134236 / minutesPerCentury;
// The Moon of this series moves between about 11 and 16 degrees a day, so a
// boundary is never further than about 30 hours from a moment in the
// nakshatra before it; a step beyond this limit means the search went astray.
constexpr double searchLimitMinutes = 4 * 24 * 60;
// The crossing is located to well under a second; whole minutes are then
// settled against the calculation itself.
constexpr double crossingToleranceMinutes = 1e-2;
constexpr int maximumSteps = 20;
// How far the settling may move an estimated minute.
constexpr int maximumEdgeMoves = 3;

std::atomic<quint64> evaluations{0};

void countEvaluation()
{
    evaluations.fetch_add(1, std::memory_order_relaxed);
}

// The fractional minute at which the unwrapped longitude reaches `target`:
// predicted from the mean motion, then secant steps, which converge within
// three or four evaluations on a curve as smooth as the Moon's motion.
std::optional<double> crossingMinute(double centuriesAtZero, double target, double from, double longitudeAtFrom)
{
    auto height = [&](double minute) {
        countEvaluation();
        return unwrappedSiderealLongitude(centuriesAtZero + minute / minutesPerCentury) - target;
    };
    double a = from;
    double fa = longitudeAtFrom - target;
    double b = from - fa / meanDegreesPerMinute;
    double fb = height(b);
    for (int step = 0; step < maximumSteps && std::isfinite(fb); ++step) {
        if (fb == 0)
            return b;
        const double c = b - fb * (b - a) / (fb - fa);
        if (!std::isfinite(c) || std::abs(c - from) > searchLimitMinutes)
            return std::nullopt;
        if (std::abs(c - b) < crossingToleranceMinutes)
            return c;
        a = b;
        fa = fb;
        b = c;
        fb = height(c);
    }
    return std::nullopt;
}

} // namespace

double unwrappedSiderealLongitude(double centuries)
{
    return moonLongitudeUnreduced(centuries) + siderealOffset(centuries);
}

std::optional<NakshatraEntry> findNakshatraEntry(const MinuteClock &clock, int index, double boundary, double from,
                                                 double longitudeAtFrom)
{
    const std::optional<double> crossing = crossingMinute(clock.centuriesAtZero, boundary, from, longitudeAtFrom);
    if (!crossing)
        return std::nullopt;
    auto nakshatraAt = [&](qint64 minute) {
        countEvaluation();
        return clock.nakshatraAt(minute);
    };
    // A longitude exactly on a boundary belongs to the nakshatra that begins
    // there: the estimate is the first whole minute at or after the crossing,
    // moved until it gives `index` and the minute before it doesn't.
    NakshatraEntry entry;
    entry.crossing = *crossing;
    entry.minute = qint64(std::ceil(*crossing));
    for (int moves = 0; moves <= maximumEdgeMoves; ++moves) {
        if (nakshatraAt(entry.minute) != index) {
            ++entry.minute;
            continue;
        }
        entry.previousIndex = nakshatraAt(entry.minute - 1);
        if (entry.previousIndex != index)
            return entry.previousIndex >= 0 ? std::optional(entry) : std::nullopt;
        --entry.minute;
    }
    return std::nullopt;
}

quint64 nakshatraSeriesEvaluations()
{
    return evaluations.load(std::memory_order_relaxed);
}
