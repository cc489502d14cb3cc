// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "plugins/atlaswindow/PlaceZone.h"

#include "birth/Angle.h"
#include "birth/ZoneOffset.h"

#include <QDateTime>
#include <QTimeZone>

#include <algorithm>
#include <cmath>

ZoneSummary summarizeZone(const QString &ianaId, int year)
{
    const QTimeZone zone(ianaId.toUtf8());
    if (ianaId.isEmpty() || !zone.isValid())
        return {};
    const QDateTime start(QDate(year, 1, 1), QTime(0, 0), Qt::UTC);
    const QDateTime end = start.addYears(1);
    int lowest = zone.offsetFromUtc(start);
    int highest = lowest;
    for (const QTimeZone::OffsetData &transition : zone.transitions(start, end)) {
        lowest = std::min(lowest, transition.offsetFromUtc);
        highest = std::max(highest, transition.offsetFromUtc);
    }
    // The smaller offset is the one Quorvel's zone boxes take: its DST box
    // adds the hour. (Zones whose law calls the winter time "daylight",
    // such as Dublin's, come out as the user reads their clocks.)
    ZoneSummary summary;
    summary.valid = true;
    summary.standardOffsetSeconds = lowest;
    summary.observesDaylightSaving = highest > lowest;
    return summary;
}

QString describeZone(const QString &ianaId, const ZoneSummary &zone)
{
    if (!zone.valid)
        return QStringLiteral("%1 (offset unknown)").arg(ianaId);
    return QStringLiteral("%1 (UTC%2, %3)")
        .arg(ianaId, utcOffsetText(zone.standardOffsetSeconds, OffsetStyle::Atlas),
             zone.observesDaylightSaving ? QStringLiteral("daylight saving") : QStringLiteral("no daylight saving"));
}

bool zoneAgainstLongitude(const ZoneSummary &zone, double longitude)
{
    if (!zone.valid || zone.standardOffsetSeconds == 0 || !std::isfinite(longitude))
        return false;
    return (zone.standardOffsetSeconds > 0) != Angle::fromDegrees(longitude).isEastOfGreenwich();
}

QUrl webSearchUrl(const QString &query)
{
    // The search service's results page; everything but the unreserved
    // characters is percent-encoded, so "&", "#", "+" and "=" typed into a
    // place name stay part of the query.
    static constexpr char resultsPage[] = "https://duckduckgo.com/?q=";
    return QUrl::fromEncoded(QByteArray(resultsPage) + QUrl::toPercentEncoding(query), QUrl::StrictMode);
}
