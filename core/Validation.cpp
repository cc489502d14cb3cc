// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Validation.h"

namespace {

// Every fourth year is a leap year; within 1901..2050 that is exact.
int lastDayOf(int month, int year)
{
    if (month == 2)
        return year % 4 == 0 ? 29 : 28;
    const bool thirtyDays = month == 4 || month == 6 || month == 9 || month == 11;
    return thirtyDays ? 30 : 31;
}

} // namespace

BirthEntry birthEntry(const ScreenInput &screen)
{
    BirthEntry entry;
    entry.name = screen.name;
    entry.year = boxInteger(screen.yearText).value_or(0);
    entry.month = screen.monthPosition + 1;
    entry.day = screen.dayPosition + 1;
    entry.zoneHours = boxMagnitude(screen.zoneHourText);
    entry.zoneMinutes = boxMagnitude(screen.zoneMinuteText);
    entry.lonDegrees = boxInteger(screen.lonDegreesText);
    entry.lonMinutes = boxInteger(screen.lonMinutesText);
    entry.latDegrees = boxInteger(screen.latDegreesText);
    entry.latMinutes = boxInteger(screen.latMinutesText);
    return entry;
}

std::vector<ValidationFailure> validateBirth(const BirthEntry &entry)
{
    using namespace Messages;
    std::vector<ValidationFailure> failures;
    auto require = [&failures](bool good, const char *message, InputBox focus) {
        if (!good)
            failures.push_back({message, MessageIcon::Error, focus});
    };
    require(!trimBlanks(entry.name).isEmpty(), enterName, InputBox::Name);
    require(entry.zoneHours && entry.zoneMinutes, enterTimeZone, InputBox::ZoneHour);
    require(entry.lonDegrees.has_value(), enterLongitudeDegree, InputBox::LonDegrees);
    require(entry.lonMinutes.has_value(), enterLongitudeMinute, InputBox::LonMinutes);
    require(entry.latDegrees.has_value(), enterLatitudeDegree, InputBox::LatDegrees);
    require(entry.latMinutes.has_value(), enterLatitudeMinute, InputBox::LatMinutes);
    if (entry.day > lastDayOf(entry.month, entry.year)) {
        const char *message = entry.month == 2 ? wrongFebruaryDate : wrongThirtyDayDate;
        failures.push_back({message, MessageIcon::Information, InputBox::None});
    }
    return failures;
}

bool isAcceptedNumberKey(char16_t character)
{
    return (character >= u'0' && character <= u'9') || character == 8;
}
