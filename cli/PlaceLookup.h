// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "atlas/Atlas.h"
#include "atlas/PlaceClock.h"
#include "cli/BirthFields.h"

#include <QHash>
#include <QJsonObject>
#include <QString>

#include <optional>
#include <string>
#include <string_view>

// A birthplace named in words ("Pune, Maharashtra, India"), as --place and
// the batch's place column take it, found in the offline atlas and turned
// into the zone, lon, lat and dst fields it stands for.
struct FoundPlace {
    AtlasPlace place;
    PlaceClock clock;  // at the birth moment
    // The numbers the place gives for the zone, lon, lat and dst fields;
    // without a moment, a zone of 0 and no DST.
    PlaceFields fields;
    // The same as a user would write them, for showing: "5:30", "85:19E",
    // "27:43N", "no"; a zone on the other side of Universal Time from its
    // longitude carries its sign, as ISO 8601 writes it: "+1:00" ahead.
    std::string zone = "0";
    std::string lon;
    std::string lat;
    std::string dst = "no";
};

class PlaceLookup {
public:
    // The place `placeText` names, with its clock at `moment`. Nothing, with
    // the reason in `error` (and the places meant perhaps), when the atlas
    // doesn't hold the name whole, holds it in more than one country or state
    // with none ten times as large as the others, or the local time didn't
    // exist there, or the atlas could not be opened. Where a larger place
    // was taken over others of the name, the clock's notes begin by saying so.
    // Without a moment (the date or time didn't read) only the coordinates
    // are filled, and the zone and dst fields hold a placeholder.
    std::optional<FoundPlace> find(std::string_view placeText, const std::optional<BirthMoment> &moment,
                                   QString &error);

private:
    // What the atlas makes of a place's text: the place, or why none.
    struct Choice {
        std::optional<AtlasPlace> place;
        QString error;
        QString note; // which of several places of the name was taken
        std::string lon;
        std::string lat;
    };
    static Choice choose(const QString &typed);

    // A file of births names the same places again and again: each text is
    // looked up once, as far as this many texts.
    static constexpr qsizetype remembered = 4096;
    QHash<QString, Choice> m_choices;
};

// "Hallstatt, Upper Austria, Austria".
QString placeLabel(const AtlasPlace &place);

// The place found and the offset used, for --json.
QJsonObject foundPlaceJson(const FoundPlace &found);
