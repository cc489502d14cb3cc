// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>

// What a birthplace's clock did at a birth moment, and what Quorvel's main
// input screen can take of it. The screen takes a zone as a size (hours,
// minutes) whose direction follows the longitude's hemisphere, and a DST tick
// that adds one hour.
struct PlaceClock {
    bool known = false;      // the IANA zone is in the system's database
    QString zoneId;          // "Asia/Kolkata"
    int offsetSeconds = 0;   // UTC offset in force at the moment (its first occurrence when repeated)
    int standardSeconds = 0; // the zone's standard offset then
    bool daylight = false;   // daylight (or war/summer) time in force
    QString offsetName;      // as the database names it: "IST", "BDST", "+0630"...
    QString offsetText;      // "UTC+5:30", "UTC+1:19:32"
    bool fillsZone = false;  // the zone boxes and DST tick can state it truthfully
    int zoneHours = 0;       // the size of the standard offset, rounded to the minute
    int zoneMinutes = 0;
    bool dst = false;  // tick DST
    QStringList notes; // sentences for the user: skipped hour, repeated hour, seconds rounded, why not fillable
};

// The clock at local `date` `time` in `zoneId` for a place at `longitude`
// (degrees, east positive; 0 counts as west, as on the screen).
PlaceClock placeClock(const QString &zoneId, const QDate &date, const QTime &time, double longitude);

// "IST, UTC+5:30" — the offset and its name, one line for the atlas window.
QString describeClock(const PlaceClock &clock);
