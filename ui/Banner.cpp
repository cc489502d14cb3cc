// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/Banner.h"

#include <QWidget>

#include <chrono>
#include <cmath>
#include <random>

namespace {

// The banner draw's generator: one per process, seeded from the clock at start-up.
std::mt19937 &randomGenerator()
{
    static std::mt19937 generator;
    return generator;
}

} // namespace

void seedRandomGenerator()
{
    const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
    std::seed_seq seed{static_cast<unsigned>(ticks), static_cast<unsigned>(ticks >> 32)};
    randomGenerator().seed(seed);
}

float nextRandomSingle()
{
    // 24 random bits make every value a float holds exactly, never 1.
    constexpr float unit = 1.0f / 16777216.0f;
    return static_cast<float>(randomGenerator()() >> 8) * unit;
}

int coBrandNumber(float r)
{
    // Single precision throughout; nearbyint rounds half to even in the
    // default rounding mode, so 1 and 7 get half the share of 2 to 6.
    const float scaled = r * 6.0f + 1.0f;
    return static_cast<int>(std::nearbyint(scaled));
}

void bringBannerToFront(int number, QWidget *lblFullBrand, QWidget *lblCobrand)
{
    QWidget *front = nullptr;
    if (number == 2 || number == 4 || number == 6)
        front = lblFullBrand;
    else if (number == 1 || number == 3 || number == 5)
        front = lblCobrand;
    if (front)
        front->raise();
}

void CoBrand_Randomize(QWidget *lblFullBrand, QWidget *lblCobrand)
{
    bringBannerToFront(coBrandNumber(nextRandomSingle()), lblFullBrand, lblCobrand);
}
