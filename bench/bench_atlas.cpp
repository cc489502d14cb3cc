// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The atlas as the user meets it: a search for each of a thousand typed
// beginnings of place names (the figure is the 99th percentile of one
// search), and the atlas window opened on a place until it is on screen.
#include "core/Messages.h"
#include "plugins/atlaswindow/AtlasWindow.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <vector>

namespace {

// A thousand beginnings of names, as typed letter by letter: one to all
// the letters of places drawn at random, the large and the small alike.
QStringList typedBeginnings()
{
    const Atlas &atlas = Atlas::installed();
    QRandomGenerator random(20);
    const QStringList starts{"a", "b", "c", "d", "e", "f", "g", "h", "k", "l", "m", "n", "p", "r", "s", "t", "v", "w"};
    QStringList typed;
    while (typed.size() < 1000) {
        // A place whose name begins with a random letter pair, by the search itself.
        const QString seed = starts.at(random.bounded(starts.size())) + QChar(u'a' + random.bounded(26));
        const QList<AtlasMatch> found = atlas.search(seed, 50);
        if (found.isEmpty())
            continue;
        const QString name = found.at(random.bounded(found.size())).place.name;
        for (qsizetype length = 1; length <= name.size() && typed.size() < 1000; length += 1 + random.bounded(3))
            typed.append(name.first(length));
    }
    return typed;
}

void searchTypedBeginnings(benchmark::State &state)
{
    const Atlas &atlas = Atlas::installed();
    const QStringList typed = typedBeginnings();
    std::vector<double> microseconds;
    QElapsedTimer timer;
    for (auto _ : state) {
        for (const QString &text : typed) {
            timer.start();
            benchmark::DoNotOptimize(atlas.search(text));
            microseconds.push_back(double(timer.nsecsElapsed()) / 1e3);
        }
    }
    std::sort(microseconds.begin(), microseconds.end());
    const auto at = [&](double share) { return microseconds[std::size_t(share * double(microseconds.size() - 1))]; };
    state.counters["p50_us"] = at(0.50);
    state.counters["p99_us"] = at(0.99);
    state.counters["max_us"] = microseconds.back();
    state.SetItemsProcessed(state.iterations() * typed.size());
}
BENCHMARK(searchTypedBeginnings)->Unit(benchmark::kMillisecond);

// Misspelt names: each asks for the near spellings after the search.
void searchMisspeltNames(benchmark::State &state)
{
    const Atlas &atlas = Atlas::installed();
    const QStringList typed{"Londn",    "Oberamergau",     "Frankfrut",        "Hallsatt",           "Longyearbien",
                            "Singapur", "Salt Lake Citty", "Muenchn, Germany", "Cuauhtemok, Mexico", "Sprngfield, IL"};
    for (auto _ : state) {
        for (const QString &text : typed) {
            if (atlas.search(text).isEmpty())
                benchmark::DoNotOptimize(atlas.suggestions(text));
        }
    }
    state.SetItemsProcessed(state.iterations() * typed.size());
}
BENCHMARK(searchMisspeltNames)->Unit(benchmark::kMillisecond);

// From the click's arrival in the plugin to the window shown and painted.
void openAtlasWindow(benchmark::State &state)
{
    for (auto _ : state) {
        const PlaceQuery query{QStringLiteral("Pune"), QStringLiteral("Maharashtra"), QStringLiteral("India"),
                               QDate(1980, 1, 1), QTime(12, 0)};
        AtlasWindow window(query, QString::fromUtf8(Messages::windowTitle), Atlas::installed(), 2024);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) {
            state.SkipWithError("the window did not show");
            return;
        }
        QCoreApplication::processEvents();
    }
}
BENCHMARK(openAtlasWindow)->Unit(benchmark::kMillisecond);

} // namespace
