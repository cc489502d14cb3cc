// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ephemeris/modEphemeris.h"

#include <QString>
#include <QtGlobal>

#include <optional>

// The years a birth may fall in: the range the lunar series is trusted over,
// and the year list of the main input screen.
inline constexpr int firstBirthYear = 1901;
inline constexpr int lastBirthYear = 2050;

// The birth inputs of a calculation that passed validation. The zone
// fields hold the size of the offset only; its direction follows the
// longitude's hemisphere.
struct BirthData {
    QString name;
    qint16 month = 0;
    qint16 day = 0;
    qint16 year = 0;
    qint16 hour = 0;
    qint16 minute = 0;
    qint16 zoneHours = 0;
    qint16 zoneMinutes = 0;
    qint16 lonDegrees = 0;
    qint16 lonMinutes = 0;
    qint16 latDegrees = 0;
    qint16 latMinutes = 0;
    bool isEast = false;
    bool isNorth = false;
    bool dst = false;
};

// What the main input screen holds, as the user left it. The lists are given
// by their selected entry's text (month by position), the boxes by their raw
// text.
struct ScreenInput {
    QString name;
    int monthPosition = 0;  // 0 = "January"
    int dayPosition = 0;    // 0 = day 1
    QString dayText = QStringLiteral("1");
    QString yearText = QString::number(firstBirthYear);
    QString hourText = QStringLiteral("0");
    QString minuteText = QStringLiteral("0");
    QString zoneHourText;
    QString zoneMinuteText;
    QString lonDegreesText;
    QString lonMinutesText;
    QString latDegreesText;
    QString latMinutesText;
    bool isEast = true;
    bool isNorth = true;
    bool dst = false;
};

// The text with leading and trailing blanks removed (other white space stays).
QString trimBlanks(const QString &text);

// A box's integer: the trimmed text read as a decimal integer, optionally
// signed, that fits a 16-bit signed integer. Anything else gives nothing.
std::optional<qint16> boxInteger(const QString &text);

// A zone box's value: the size of the box's integer. The picker writes "-5";
// the direction of the offset comes from the longitude's hemisphere instead.
std::optional<qint16> boxMagnitude(const QString &text);

// Copies the screen into the record field by field, in the fixed order. A
// text that isn't a 16-bit integer leaves its field as it was.
void copyScreenIntoBirthData(const ScreenInput &screen, BirthData &birth);

// The birth's moment and place as the ephemeris takes them.
EphemerisInput ephemerisInput(const BirthData &birth);
