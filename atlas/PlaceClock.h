// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "birth/ZoneOffset.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>

#include <optional>

// What a birthplace's clock did at a birth moment, and how Quorvel's main
// input screen takes it: a zone (hours, minutes) and a DST tick that moves
// the clock one hour ahead of it. An unsigned zone's direction follows the
// longitude's hemisphere; a zone on the other side of Universal Time carries
// its sign, as the time zone picker writes it: '-' ahead, '+' behind.
struct PlaceClock {
    bool known = false;      // the IANA zone is in the system's database, and could be read
    QString zoneId;          // "Asia/Kolkata"
    int offsetSeconds = 0;   // UTC offset in force at the moment (its first occurrence when repeated)
    int standardSeconds = 0; // the zone's standard offset then
    bool daylight = false;   // daylight (or war/summer) time in force
    QString offsetName;      // as the database names it: "IST", "BDST", "+0630"...
    QString offsetText;      // "UTC+5:30", "UTC+1:19:32"
    // Where the moment existed, the zone (rounded to the minute, its
    // direction given where the longitude would give the other) and the
    // DST tick that state the clock.
    std::optional<ZoneOffset> zone;
    bool dst = false;
    QString shortNote;       // a few words for beside the zone boxes, when they need them
    QStringList notes;       // sentences for the user: skipped hour, repeated hour, seconds rounded, how entered
};

// The clock at local `date` `time` in `zoneId` for a place at `longitude`
// (degrees, east positive; what rounds to 0 degrees 0 minutes counts as west,
// as on the screen).
PlaceClock placeClock(const QString &zoneId, const QDate &date, const QTime &time, double longitude);

// "IST, UTC+5:30" — the offset and its name, one line for the atlas window.
QString describeClock(const PlaceClock &clock);
