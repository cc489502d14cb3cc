// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QUrl>

// What the atlas window shows of a place's zone beside the birth's own clock,
// and where its web button searches.

// A time zone as the lookup describes it over one calendar year.
struct ZoneSummary {
    bool valid = false;
    int standardOffsetSeconds = 0;       // the smallest offset from UTC in the year
    bool observesDaylightSaving = false; // the clocks move during the year
};
ZoneSummary summarizeZone(const QString &ianaId, int year);

// "Asia/Kolkata (UTC+5:30, no daylight saving)".
QString describeZone(const QString &ianaId, const ZoneSummary &zone);

// Whether the place's clock is on the other side of UTC from what its
// longitude says, so its zone needs a sign.
bool zoneAgainstLongitude(const ZoneSummary &zone, double longitude);

// The browser's search results page for the whole query, percent-encoded.
QUrl webSearchUrl(const QString &query);
