// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The Moon calendar window opened on a month, from the menu's click to the
// window shown and painted: the month's periods found, their clock read and
// the list filled.
#include "core/Reading.h"
#include "ui/Session.h"
#include "ui/frmMoonCalendar.h"

#include <benchmark/benchmark.h>

#include <QTest>

namespace {

void openMoonCalendar(benchmark::State &state)
{
    auto session = std::make_shared<Session>();
    session->setReading(readingOfRow(7));
    for (auto _ : state) {
        frmMoonCalendar window(session);
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) {
            state.SkipWithError("the window did not show");
            return;
        }
        QCoreApplication::processEvents();
    }
}
BENCHMARK(openMoonCalendar)->Unit(benchmark::kMillisecond);

} // namespace
