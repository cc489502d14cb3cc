// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "birth/BirthData.h"
#include "places/ChosenPlace.h"
#include "places/PlaceLookup.h"

#include <QDate>
#include <QString>

#include <array>
#include <optional>
#include <string>
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

// Reads the texts into `birth`; with a `place`, its numbers stand for the
// zone, lon, lat and dst fields, whose texts are not read (a place without
// a zone gives 0 and no DST). On bad input returns false with one error per
// bad field, in field order, and leaves `birth` alone.
bool parseBirthFields(const BirthTexts &texts, const ChosenPlace *place, BirthData &birth,
                      std::vector<FieldError> &errors);

// One birth as --place and the batch's place column give it: where a place
// is named, it is looked up at the birth's date and time and stands for the
// zone, lon, lat and dst fields; where it isn't found, stand-ins let the
// other fields be judged.
struct PlacedBirth {
    BirthData birth;                 // read when good()
    std::optional<FoundPlace> found; // the place named, where it was found
    std::vector<FieldError> errors;  // one per bad field, in field order
    QString placeError;              // why the place named gives no birth
    QString zoneNote;                // without a place, zoneNote() of a good birth

    bool good() const { return errors.empty() && placeError.isEmpty(); }
};
// Without `places` no place is named and the zone, lon, lat and dst texts
// are read; with them, `placeText` names the place.
PlacedBirth readPlacedBirth(const BirthTexts &texts, PlaceLookup *places, std::string_view placeText);

// The text of a field a place with a zone stands for (standsForPlace), as a
// user would write it: "5:30", "85:19E", "27:43N", "no"; a zone on the other
// side of Universal Time from its longitude carries its sign, as ISO 8601
// writes it: "+1:00" ahead.
std::string placeFieldText(BirthField field, const ChosenPlace &place);

// A note where a typed zone puts the clock more than three hours from the
// solar time at the birth's longitude, either way round the day: a sign
// slipped, most likely, which it offers to put right. Empty otherwise.
QString zoneNote(const BirthData &birth, std::string_view zoneText);

// A date written as for --date, a real day in the years a birth may fall
// in; nothing, with the reason in `error`, otherwise.
std::optional<QDate> readDateField(std::string_view text, QString &error);
