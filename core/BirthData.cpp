// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/BirthData.h"

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

namespace {
void copyInto(qint16 &field, std::optional<qint16> value)
{
    if (value)
        field = *value;
}
} // namespace

void copyScreenIntoBirthData(const ScreenInput &screen, BirthData &birth)
{
    birth.name = trimBlanks(screen.name);
    birth.month = static_cast<qint16>(screen.monthPosition + 1);
    copyInto(birth.day, boxInteger(screen.dayText));
    copyInto(birth.year, boxInteger(screen.yearText));
    copyInto(birth.hour, boxInteger(screen.hourText));
    copyInto(birth.minute, boxInteger(screen.minuteText));
    copyInto(birth.lonDegrees, boxInteger(screen.lonDegreesText));
    copyInto(birth.lonMinutes, boxInteger(screen.lonMinutesText));
    copyInto(birth.latDegrees, boxInteger(screen.latDegreesText));
    copyInto(birth.latMinutes, boxInteger(screen.latMinutesText));
    copyInto(birth.zoneHours, boxMagnitude(screen.zoneHourText));
    copyInto(birth.zoneMinutes, boxMagnitude(screen.zoneMinuteText));
    birth.dst = screen.dst;
    birth.isEast = screen.isEast;
    birth.isNorth = screen.isNorth;
}

EphemerisInput ephemerisInput(const BirthData &birth)
{
    return {.month = birth.month,
            .day = birth.day,
            .year = birth.year,
            .hour = birth.hour,
            .minute = birth.minute,
            .zoneHours = birth.zoneHours,
            .zoneMinutes = birth.zoneMinutes,
            .lonDegrees = birth.lonDegrees,
            .lonMinutes = birth.lonMinutes,
            .isEast = birth.isEast,
            .dst = birth.dst};
}
