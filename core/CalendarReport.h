// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/MoonCalendar.h"
#include "core/Tara.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

// The Moon's days as quorvel-cli --calendar writes them, and the Moon
// calendar window copies and exports them: text, JSON written as it is
// computed, or an iCalendar file.

// One period with the clock in force at its start and end and, with a
// saved reading, the tara from the reading's nakshatra to the period's.
struct CalendarRow {
    MoonPeriod period;
    ZoneTime start;
    ZoneTime end;
    std::optional<TaraStep> tara;
};

// "2023-10-29 02:26 CEST  Bharani           Wèi     Sampat (count 2), favourable".
QString calendarRowText(const CalendarRow &row);

// The JSON object is written in pieces as the periods are found: its head up
// to the opening of "periods", each period (one line each, commas between),
// and the tail. The keys stand in the order the manual lists them.
QByteArray calendarJsonHead(const QString &zone, const QDate &from, const QDate &to);
QByteArray calendarRowJson(const CalendarRow &row);
inline constexpr char calendarJsonTail[] = "\n]}\n";

// An iCalendar file (RFC 5545) with one event per period, in UTC, stamped
// with `stamp`: CRLF line ends, lines folded at 75 octets, UTF-8. Each UID
// is made of the period's nakshatra and start (and the saved reading's
// nakshatra `forIndex`), so exporting the same period again updates it.
QByteArray icsCalendar(const std::vector<CalendarRow> &rows, const QDateTime &stamp, std::optional<int> forIndex);
