// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "birth/BirthData.h"

#include <QDate>
#include <QString>
#include <QtGlobal>

#include <optional>

// How sensitive a reading is to the time of birth: the stretch of the user's
// own clock time around the birth during which the Moon stays in the birth's
// nakshatra. Clock time means the birthplace's clock with the birth's zone,
// hemisphere and daylight-saving flag, to the minute, as the input screen
// takes it; the stretch may begin on the previous civil day and end on the next.

// One minute of the user's clock.
struct ClockMinute {
    QDate date;
    int hour = 0;
    int minute = 0;
};

struct BirthTimeSpan {
    int nakshatraIndex = 0;   // the birth's nakshatra
    int previousIndex = 0;    // the nakshatra of the minute before `first`
    int nextIndex = 0;        // the nakshatra of the minute after `last`
    qint64 firstOffset = 0;   // minutes from the birth to `first`, at most 0
    qint64 lastOffset = 0;    // minutes from the birth to `last`, at least 0
    ClockMinute first;        // the earliest minute that still gives the birth's nakshatra
    ClockMinute last;         // the latest minute that still gives it

    // How much earlier a birth gives the previous nakshatra, and how much
    // later the next one; both at least one minute.
    qint64 minutesEarlier() const { return 1 - firstOffset; }
    qint64 minutesLater() const { return lastOffset + 1; }
};

// The same birth moved by a number of minutes on the user's clock: same place,
// zone and daylight-saving flag, the date carried over midnight as needed.
// `birth` must hold a real date and a time of day.
BirthData birthAtClockOffset(const BirthData &birth, qint64 minutes);

// The span around `birth`, found from the boundary crossings of the same lunar
// series and sidereal correction that give the reading, and checked minute by
// minute against the calculation itself. Nothing when the birth holds no real
// date and time or the calculation fails.
std::optional<BirthTimeSpan> computeBirthTimeSpan(const BirthData &birth);

// "14 August 1947, 21:37".
QString clockMinuteText(const ClockMinute &minute);

// "2 hours 24 minutes", "1 hour", "1 minute".
QString durationText(qint64 minutes);

// The plain sentence for the result screen's nakshatra value.
QString birthTimeSpanText(const BirthTimeSpan &span);
