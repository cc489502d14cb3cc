// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "birth/BirthReader.h"

#include <algorithm>

namespace {

// Every fourth year is a leap year; within 1901..2050 that is exact.
int lastDayOf(int month, int year)
{
    if (month == 2)
        return year % 4 == 0 ? 29 : 28;
    const bool thirtyDays = month == 4 || month == 6 || month == 9 || month == 11;
    return thirtyDays ? 30 : 31;
}

// A whole (degrees or hours) and its minutes: the whole at most `largest`,
// the minutes below 60, and nothing beyond `largest` 0'.
struct PairCheck {
    std::optional<qint16> whole;
    std::optional<qint16> minutes;
    int largest;
    BirthPart wholePart;
    BirthPart minutesPart;
};

void checkPair(const PairCheck &pair, std::vector<BirthProblem> &problems)
{
    const bool minutesGood = pair.minutes && *pair.minutes >= 0 && *pair.minutes < 60;
    if (!pair.whole)
        problems.push_back({pair.wholePart, ProblemKind::Missing});
    else if (*pair.whole < 0 || *pair.whole > pair.largest
             || (*pair.whole == pair.largest && minutesGood && *pair.minutes > 0))
        problems.push_back({pair.wholePart, ProblemKind::OutOfRange});
    if (!pair.minutes)
        problems.push_back({pair.minutesPart, ProblemKind::Missing});
    else if (!minutesGood)
        problems.push_back({pair.minutesPart, ProblemKind::OutOfRange});
}

// Whether DST, an hour further ahead, takes the clock past the largest zone
// there is: a zone of 14:00 ahead is at most 13:00 with DST.
bool beyondLargestZone(const BirthData &birth)
{
    return birth.dst && clockIsAhead(birth) && birth.zoneHours * 60 + birth.zoneMinutes + 60 > largestZoneHours * 60;
}

} // namespace

BirthOrProblems readBirth(const BirthEntry &entry)
{
    BirthOrProblems result;
    std::vector<BirthProblem> &problems = result.why;
    if (trimBlanks(entry.name).isEmpty())
        problems.push_back({BirthPart::Name, ProblemKind::Missing});
    // The zone is asked for as one: either box empty is one problem.
    if (!entry.zoneHours || !entry.zoneMinutes)
        problems.push_back({BirthPart::ZoneHours, ProblemKind::Missing});
    else
        checkPair({entry.zoneHours, entry.zoneMinutes, largestZoneHours, BirthPart::ZoneHours, BirthPart::ZoneMinutes},
                  problems);
    checkPair({entry.lonDegrees, entry.lonMinutes, largestLongitude, BirthPart::LonDegrees, BirthPart::LonMinutes},
              problems);
    checkPair({entry.latDegrees, entry.latMinutes, largestLatitude, BirthPart::LatDegrees, BirthPart::LatMinutes},
              problems);
    if (entry.month < 1 || entry.month > 12 || entry.day < 1 || entry.day > lastDayOf(entry.month, entry.year))
        problems.push_back({BirthPart::Date, ProblemKind::NoSuchDay});
    if (!problems.empty())
        return result;

    BirthData &birth = result.value.emplace();
    birth.name = trimBlanks(entry.name);
    birth.year = qint16(entry.year);
    birth.month = qint16(entry.month);
    birth.day = qint16(entry.day);
    birth.hour = qint16(entry.hour);
    birth.minute = qint16(entry.minute);
    birth.zoneHours = *entry.zoneHours;
    birth.zoneMinutes = *entry.zoneMinutes;
    birth.zoneDirection = entry.zoneDirection;
    birth.dst = entry.dst;
    birth.lonDegrees = *entry.lonDegrees;
    birth.lonMinutes = *entry.lonMinutes;
    birth.isEast = entry.isEast;
    birth.latDegrees = *entry.latDegrees;
    birth.latMinutes = *entry.latMinutes;
    birth.isNorth = entry.isNorth;
    if (beyondLargestZone(birth))
        return {std::nullopt, {{BirthPart::ZoneHours, ProblemKind::DstBeyond}}};
    return result;
}

bool isAcceptedNumberKey(char16_t character)
{
    return (character >= u'0' && character <= u'9') || character == 8;
}

bool isZoneHourText(const QString &text)
{
    const QStringView digits = text.startsWith(u'-') || text.startsWith(u'+') ? QStringView(text).mid(1) : text;
    return std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

std::optional<EphemerisInput> enteredZone(const BirthEntry &entry)
{
    if (!entry.zoneHours || !entry.zoneMinutes)
        return std::nullopt;
    std::vector<BirthProblem> problems;
    checkPair({entry.zoneHours, entry.zoneMinutes, largestZoneHours, BirthPart::ZoneHours, BirthPart::ZoneMinutes},
              problems);
    if (entry.zoneDirection == ZoneDirection::FromLongitude)
        checkPair({entry.lonDegrees, entry.lonMinutes, largestLongitude, BirthPart::LonDegrees, BirthPart::LonMinutes},
                  problems);
    if (!problems.empty())
        return std::nullopt;
    EphemerisInput zone;
    zone.zoneHours = *entry.zoneHours;
    zone.zoneMinutes = *entry.zoneMinutes;
    zone.zoneDirection = entry.zoneDirection;
    zone.dst = entry.dst;
    zone.lonDegrees = entry.lonDegrees.value_or(0);
    zone.lonMinutes = entry.lonMinutes.value_or(0);
    zone.isEast = entry.isEast;
    return zone;
}
