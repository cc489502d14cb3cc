// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "birth/BirthData.h"

#include <cstdlib>
#include <limits>

QString trimBlanks(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == u' ')
        ++first;
    while (last > first && text.at(last - 1) == u' ')
        --last;
    return text.mid(first, last - first);
}

std::optional<qint16> boxInteger(const QString &text)
{
    const QString trimmed = trimBlanks(text);
    qsizetype pos = 0;
    bool negative = false;
    if (pos < trimmed.size() && (trimmed.at(pos) == u'-' || trimmed.at(pos) == u'+')) {
        negative = trimmed.at(pos) == u'-';
        ++pos;
    }
    if (pos == trimmed.size())
        return std::nullopt;
    long value = 0;
    for (; pos < trimmed.size(); ++pos) {
        const char16_t c = trimmed.at(pos).unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > 32768)  // already out of range; stop before it can overflow
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(value);
}

std::optional<qint16> boxMagnitude(const QString &text)
{
    const auto value = boxInteger(text);
    if (!value || *value == std::numeric_limits<qint16>::min())  // -32768 has no 16-bit size
        return std::nullopt;
    return static_cast<qint16>(std::abs(*value));
}

ZoneDirection zoneDirectionOf(const QString &hourText, const QString &minuteText)
{
    for (const QString &text : {hourText, minuteText}) {
        const QString trimmed = trimBlanks(text);
        const auto direction = trimmed.isEmpty() ? ZoneDirection::FromLongitude
                                                 : zoneDirectionOfSign(trimmed.front(), ZoneSigns::Picker);
        if (direction != ZoneDirection::FromLongitude)
            return direction;
    }
    return ZoneDirection::FromLongitude;
}

int clockOffsetMinutes(const EphemerisInput &birth, bool withDst)
{
    const int size = birth.zoneHours * 60 + birth.zoneMinutes;
    return (clockIsAhead(birth) ? size : -size) + (withDst && birth.dst ? 60 : 0);
}

