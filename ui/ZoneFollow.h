// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "atlas/PlaceClock.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>

#include <optional>

// Whether the zone boxes still belong to the place chosen last, so that a
// new birth moment works them out again from that place's clock: while the
// coordinate boxes hold the place's and the user hasn't set a zone. The
// main input screen keeps one, alike before a first calculation, after
// Change Birth Data and for a reading opened with its birth: each starts it
// from the place's zone id.
class ZoneFollow {
public:
    // The zone `zoneId` (IANA) of the place at `longitude` (degrees, east
    // positive) applies from now on, to the coordinate boxes as `coordinates`.
    void follow(const QString &zoneId, double longitude, const QStringList &coordinates);
    // The user set the zone, or another place was chosen: nothing follows.
    void stop() { m_zoneId.clear(); }

    bool following() const { return !m_zoneId.isEmpty(); }
    // True while following and the coordinate boxes, as `coordinates`, are
    // still the place's.
    bool applies(const QStringList &coordinates) const { return following() && coordinates == m_coordinates; }
    // The place's zone id while it applies; empty otherwise.
    QString zoneId(const QStringList &coordinates) const { return applies(coordinates) ? m_zoneId : QString(); }

    // The place's clock at local `date` `time`; nothing unless it applies.
    std::optional<PlaceClock> clockAt(const QStringList &coordinates, const QDate &date, const QTime &time) const;
    // While it applies, the sentence that says the place's clocks skipped
    // `date` `time` (they went forward) and the nearest times that existed;
    // empty for a moment that existed, or one that isn't a moment at all.
    QString skippedMoment(const QStringList &coordinates, const QDate &date, const QTime &time) const;

private:
    QString m_zoneId;
    double m_longitude = 0;
    QStringList m_coordinates;
};
