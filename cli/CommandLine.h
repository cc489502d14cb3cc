// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cli/BirthFields.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

enum class CliMode { Help, Version, Single, Open, Batch, Pair, Calendar };

struct CommandLine {
    CliMode mode = CliMode::Help;
    // The texts of --name, --date, --time, --zone, --lon and --lat, by
    // BirthField; --dst is the flag below.
    std::array<std::optional<QString>, birthFieldCount> fields;
    bool dst = false;
    // --place: the birthplace in words, standing for --zone, --lon, --lat
    // and --dst.
    std::optional<QString> place;
    bool json = false;
    bool span = false;
    QString savePath;   // empty: don't save
    QString openPath;
    QString batchPath;  // "-" is standard input
    QStringList pairPaths;  // --pair: the two saved readings compared
    // --calendar FROM TO: the Moon's days, on the clock of --place (above),
    // of the zone --tz, or else the system's.
    QStringList calendarDates;
    std::optional<QString> timeZone;  // --tz
    std::optional<QString> forPath;  // --for: a saved reading the taras are counted from
    std::optional<QString> icsPath;  // --ics: an iCalendar file written instead of the text
};

// The arguments after the program name. On wrong use of the options returns
// nothing and puts the reason in `error`.
std::optional<CommandLine> parseCommandLine(const QStringList &arguments, QString &error);
