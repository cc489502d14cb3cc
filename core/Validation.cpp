#include "core/Validation.h"

namespace {

bool isEmpty(const QString &text)
{
    return trimBlanks(text).isEmpty();
}

// An empty box, or one whose text can't be read as a 16-bit integer.
bool isMissingNumber(const QString &text)
{
    return isEmpty(text) || !boxInteger(text);
}

bool isMissingZone(const QString &text)
{
    return isEmpty(text) || !boxMagnitude(text);
}

constexpr int februaryPosition = 1;
constexpr bool isThirtyDayMonth(int position)
{
    return position == 3 || position == 5 || position == 8 || position == 10;  // Apr, Jun, Sep, Nov
}

} // namespace

std::optional<ValidationFailure> validateScreen(const ScreenInput &screen)
{
    using namespace Messages;
    if (isEmpty(screen.name))
        return ValidationFailure{enterName, MessageIcon::Error, InputBox::Name};
    if (isMissingZone(screen.zoneHourText) || isMissingZone(screen.zoneMinuteText))
        return ValidationFailure{enterTimeZone, MessageIcon::Error, InputBox::ZoneHour};
    if (isMissingNumber(screen.lonDegreesText))
        return ValidationFailure{enterLongitudeDegree, MessageIcon::Error, InputBox::LonDegrees};
    if (isMissingNumber(screen.lonMinutesText))
        return ValidationFailure{enterLongitudeMinute, MessageIcon::Error, InputBox::LonMinutes};
    if (isMissingNumber(screen.latDegreesText))
        return ValidationFailure{enterLatitudeDegree, MessageIcon::Error, InputBox::LatDegrees};
    if (isMissingNumber(screen.latMinutesText))
        return ValidationFailure{enterLatitudeMinute, MessageIcon::Error, InputBox::LatMinutes};

    if (screen.monthPosition == februaryPosition) {
        // Every fourth year is a leap year; within 1901..2050 that is exact.
        const int year = boxInteger(screen.yearText).value_or(0);
        const int firstBadDay = year % 4 == 0 ? 29 : 28;  // day positions, 0 = day 1
        if (screen.dayPosition >= firstBadDay)
            return ValidationFailure{wrongFebruaryDate, MessageIcon::Information, InputBox::None};
    }
    if (isThirtyDayMonth(screen.monthPosition) && screen.dayPosition == 30)
        return ValidationFailure{wrongThirtyDayDate, MessageIcon::Information, InputBox::None};
    return std::nullopt;
}

bool isAcceptedNumberKey(char16_t character)
{
    return (character >= u'0' && character <= u'9') || character == 8;
}
