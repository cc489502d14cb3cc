// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "birth/ZoneOffset.h"

#include <cstdlib>

namespace {

QChar aheadSign(ZoneSigns signs)
{
    return signs == ZoneSigns::Iso ? u'+' : u'-';
}

QChar behindSign(ZoneSigns signs)
{
    return signs == ZoneSigns::Iso ? u'-' : u'+';
}

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

QString zoneSign(ZoneDirection direction, ZoneSigns signs)
{
    switch (direction) {
    case ZoneDirection::Ahead:
        return QString(aheadSign(signs));
    case ZoneDirection::Behind:
        return QString(behindSign(signs));
    case ZoneDirection::FromLongitude:
        break;
    }
    return {};
}

ZoneDirection zoneDirectionOfSign(QChar sign, ZoneSigns signs)
{
    if (sign == aheadSign(signs))
        return ZoneDirection::Ahead;
    if (sign == behindSign(signs))
        return ZoneDirection::Behind;
    return ZoneDirection::FromLongitude;
}

ZoneOffset ZoneOffset::fromMinutesEast(int minutesEast, const Angle &longitude)
{
    const int size = std::abs(minutesEast);
    ZoneOffset zone{qint16(size / 60), qint16(size % 60), ZoneDirection::FromLongitude};
    if (size != 0 && (minutesEast > 0) != longitude.isEastOfGreenwich())
        zone.direction = minutesEast > 0 ? ZoneDirection::Ahead : ZoneDirection::Behind;
    return zone;
}

QString utcOffsetText(int seconds, OffsetStyle style)
{
    const int size = std::abs(seconds);
    const int hours = size / 3600;
    const int minutes = size / 60 % 60;
    switch (style) {
    case OffsetStyle::Printed:
        return QStringLiteral("UTC%1%2:%3").arg(QChar(seconds < 0 ? u'\u2212' : u'+')).arg(hours).arg(twoDigits(minutes));
    case OffsetStyle::Iso:
        return QStringLiteral("UTC%1%2:%3").arg(QChar(seconds < 0 ? u'-' : u'+')).arg(twoDigits(hours), twoDigits(minutes));
    case OffsetStyle::Atlas:
        break;
    }
    QString text = QStringLiteral("%1%2:%3").arg(QChar(seconds < 0 ? u'-' : u'+')).arg(hours).arg(twoDigits(minutes));
    if (size % 60 != 0)
        text += u':' + twoDigits(size % 60);
    return text;
}
