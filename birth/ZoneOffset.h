// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "birth/Angle.h"
#include "ephemeris/modEphemeris.h"

#include <QString>
#include <QtGlobal>

// The two ways a sign on a zone is read. The main screen's boxes follow the
// time zone picker, which writes a minus for a clock ahead of Universal Time
// (its list and saved settings rely on it); the companion, its batch files
// and saved readings follow ISO 8601, a plus for a clock ahead. Without a
// sign the longitude gives the direction.
enum class ZoneSigns { Picker, Iso };

// The sign `signs` writes for a direction: "-", "+", or empty when the
// longitude gives it.
QString zoneSign(ZoneDirection direction, ZoneSigns signs);
// The direction a sign character gives; FromLongitude for anything else.
ZoneDirection zoneDirectionOfSign(QChar sign, ZoneSigns signs);

// A birthplace's zone as the user gives it: its size, and which side of
// Universal Time it lies on, given or taken from the longitude. Daylight
// saving lies apart, and always moves the clock one hour ahead.
struct ZoneOffset {
    qint16 hours = 0;
    qint16 minutes = 0;
    ZoneDirection direction = ZoneDirection::FromLongitude;

    // The zone that states a clock `minutesEast` ahead of Universal Time
    // (negative: behind) at `longitude`: it carries its direction only where
    // the longitude would give the other one.
    static ZoneOffset fromMinutesEast(int minutesEast, const Angle &longitude);

    friend bool operator==(const ZoneOffset &, const ZoneOffset &) = default;
};

// How an offset from Universal Time is written: on the printout and the
// main screen "UTC+5:30", "UTC−3:00" (a true minus); by the companion as
// ISO 8601 does, "UTC+05:30"; in the atlas "+5:30", with seconds where the
// offset has them, "+1:19:32".
enum class OffsetStyle { Printed, Iso, Atlas };
QString utcOffsetText(int seconds, OffsetStyle style);
