#pragma once

#include "core/BirthData.h"
#include "core/Messages.h"

#include <QChar>

#include <optional>

// The boxes a failed validation can send the keyboard focus to.
enum class InputBox { None, Name, ZoneHour, LonDegrees, LonMinutes, LatDegrees, LatMinutes };

struct ValidationFailure {
    const char *message;
    MessageIcon icon;
    InputBox focus;
};

// The validation rules in their fixed order; the first that fails is returned.
// A number box must hold a 16-bit integer, not merely some text, so that a
// calculation never silently reuses the previous value of its field.
std::optional<ValidationFailure> validateScreen(const ScreenInput &screen);

// The key filter of the six number boxes: digits and Backspace only.
bool isAcceptedNumberKey(char16_t character);
