// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>

// Which coordinate an angle is, for its hemisphere letters (N/S, E/W).
enum class AngleAxis { Latitude, Longitude };

// How an angle is written: on the printout "28° 36′ N" (a true prime), in
// the atlas window "28° 36' N", and as the companion's fields and saved
// readings write it, "28:36N".
enum class AngleStyle { Printed, Plain, Field };

// A latitude or longitude as Quorvel takes it: whole degrees, whole minutes
// and the hemisphere.
struct Angle {
    qint16 degrees = 0;
    qint16 minutes = 0;
    bool positive = true;  // north or east

    // From decimal degrees, north and east positive: rounded to the nearest
    // minute (59.6' carries into the next degree). A value that rounds to
    // 0° 0′ is north or east. Nothing finite goes in, 0° 0′ comes out.
    static Angle fromDegrees(double degrees);
    // Decimal degrees, north and east positive.
    double toDegrees() const;

    // Whether a longitude lies east of Greenwich, as an unsigned zone's
    // direction takes it: 0° 0′ counts as west, as in the calculation.
    bool isEastOfGreenwich() const { return positive && (degrees > 0 || minutes > 0); }

    QString text(AngleAxis axis, AngleStyle style) const;

    friend bool operator==(const Angle &, const Angle &) = default;
};
