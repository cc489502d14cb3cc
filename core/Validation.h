// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/BirthData.h"
#include "core/Messages.h"

#include <QChar>
#include <QString>

#include <optional>
#include <vector>

// The boxes a failed validation can send the keyboard focus to.
enum class InputBox { None, Name, ZoneHour, LonDegrees, LonMinutes, LatDegrees, LatMinutes };

// A birth as entered, before validation: the date by its numbers, and each
// number box read as a 16-bit integer, nothing where the box holds anything
// else, so that a calculation never silently reuses the previous value of
// its field.
struct BirthEntry {
    QString name;
    int year = 0;
    int month = 1;  // 1 = January
    int day = 1;
    std::optional<qint16> zoneHours;  // sizes: the direction follows the longitude
    std::optional<qint16> zoneMinutes;
    std::optional<qint16> lonDegrees;
    std::optional<qint16> lonMinutes;
    std::optional<qint16> latDegrees;
    std::optional<qint16> latMinutes;
};

struct ValidationFailure {
    const char *message;
    MessageIcon icon;
    InputBox focus;
};

// The main screen's boxes and lists as a BirthEntry.
BirthEntry birthEntry(const ScreenInput &screen);

// Every rule the entry breaks, in the fixed order of the rules; the main
// screen shows the first, the command-line companion reports them all.
std::vector<ValidationFailure> validateBirth(const BirthEntry &entry);

// The key filter of the six number boxes: digits and Backspace only.
bool isAcceptedNumberKey(char16_t character);
