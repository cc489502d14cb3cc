// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/ZoneFollow.h"

void ZoneFollow::follow(const QString &zoneId, double longitude, const QStringList &coordinates)
{
    m_zoneId = zoneId;
    m_longitude = longitude;
    m_coordinates = coordinates;
}

std::optional<PlaceClock> ZoneFollow::clockAt(const QStringList &coordinates, const QDate &date,
                                              const QTime &time) const
{
    if (!applies(coordinates))
        return std::nullopt;
    return placeClock(m_zoneId, date, time, m_longitude);
}

QString ZoneFollow::skippedMoment(const QStringList &coordinates, const QDate &date, const QTime &time) const
{
    if (!date.isValid() || !time.isValid())
        return {};
    const std::optional<PlaceClock> clock = clockAt(coordinates, date, time);
    // A known zone states every moment that existed.
    return clock && clock->known && !clock->zone ? clock->notes.join(u' ') : QString();
}
