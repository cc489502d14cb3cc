// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "birth/BirthData.h"

#include <QDate>
#include <QString>
#include <QTime>

#include <array>
#include <optional>
#include <string_view>
#include <vector>

// The seven fields of one birth as the command line and the batch file write
// them, read into a BirthData by the input screen's own rules.

enum class BirthField { Name, Date, Time, Zone, Lon, Lat, Dst };
inline constexpr int birthFieldCount = 7;

// "name", "date", "time", "zone", "lon", "lat", "dst": the batch columns and,
// with "--" before them, the options.
const char *birthFieldName(BirthField field);

// Whether a place found in the atlas gives the field: zone, lon, lat and dst.
constexpr bool standsForPlace(BirthField field)
{
    return field == BirthField::Zone || field == BirthField::Lon || field == BirthField::Lat
        || field == BirthField::Dst;
}

struct FieldError {
    BirthField field;
    QString message;
};

// The fields' texts in BirthField order, UTF-8.
using BirthTexts = std::array<std::string_view, birthFieldCount>;

// What a place gives instead of the zone, lon, lat and dst fields, taken as
// it is.
struct PlaceFields {
    ZoneOffset zone;
    bool dst = false;
    Angle longitude;
    Angle latitude;
};

// Reads the texts into `birth`; with a `place`, its numbers stand for the
// zone, lon, lat and dst fields, whose texts are not read. On bad input
// returns false with one error per bad field, in field order, and leaves
// `birth` alone.
bool parseBirthFields(const BirthTexts &texts, const PlaceFields *place, BirthData &birth,
                      std::vector<FieldError> &errors);

// A note where a typed zone puts the clock more than three hours from the
// solar time at the birth's longitude, either way round the day: a sign
// slipped, most likely, which it offers to put right. Empty otherwise.
QString zoneNote(const BirthData &birth, std::string_view zoneText);

// The birth's local date and clock time (to the minute, as the screen takes
// it) from the date and time fields' texts; nothing when either doesn't read
// or names no real day, which parseBirthFields reports.
struct BirthMoment {
    QDate date;
    QTime time;
};
std::optional<BirthMoment> readBirthMoment(std::string_view date, std::string_view time);

// A date written as for --date, a real day in the years a birth may fall
// in; nothing, with the reason in `error`, otherwise.
std::optional<QDate> readDateField(std::string_view text, QString &error);
