// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "birth/Angle.h"
#include "birth/ZoneOffset.h"

#include <QDate>
#include <QString>
#include <QTime>

#include <optional>

// A birthplace asked for: the place as typed (any part may be empty), and
// the birth moment whose clock the places are described at (invalid when
// there is none).
struct PlaceQuery {
    QString city;
    QString state;
    QString country;
    QDate date;
    QTime time;

    friend bool operator==(const PlaceQuery &, const PlaceQuery &) = default;
};

// A place taken from the atlas, as it fills a birth.
struct ChosenPlace {
    QString city;
    QString state;    // may be empty
    QString country;
    Angle latitude;
    Angle longitude;
    QString zoneId;   // IANA name, "Asia/Kolkata"
    // The zone and DST tick that state the clock at the moment; none where
    // the clock skipped the moment, or no moment was given.
    std::optional<ZoneOffset> zone;
    bool dst = false;
    QString zoneNote; // a few words for beside the zone, when it needs them
};
