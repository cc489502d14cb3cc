// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "birth/Angle.h"

#include <cmath>

Angle Angle::fromDegrees(double degrees)
{
    if (!std::isfinite(degrees))
        return {};
    const long long totalMinutes = std::llround(std::fabs(degrees) * 60.0);
    return {qint16(totalMinutes / 60), qint16(totalMinutes % 60), degrees > 0 || totalMinutes == 0};
}

double Angle::toDegrees() const
{
    const double size = degrees + minutes / 60.0;
    return positive ? size : -size;
}

QString Angle::text(AngleAxis axis, AngleStyle style) const
{
    const bool latitude = axis == AngleAxis::Latitude;
    const QChar hemisphere = latitude ? (positive ? u'N' : u'S') : (positive ? u'E' : u'W');
    switch (style) {
    case AngleStyle::Printed:
        return QStringLiteral("%1\u00B0 %2\u2032 %3").arg(degrees).arg(minutes).arg(hemisphere);
    case AngleStyle::Plain:
        return QStringLiteral("%1\u00B0 %2' %3").arg(degrees).arg(minutes).arg(hemisphere);
    case AngleStyle::Field:
        break;
    }
    return QStringLiteral("%1:%2%3").arg(degrees).arg(minutes, 2, 10, QLatin1Char('0')).arg(hemisphere);
}
