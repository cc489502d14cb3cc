// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "atlas/Atlas.h"
#include "atlas/PlaceClock.h"
#include "cli/BirthFields.h"

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
    // longitude carries its sign, "-1:00".
    std::string zone = "0";
    std::string lon;
    std::string lat;
    std::string dst = "no";
};

class PlaceLookup {
public:
    // The place `placeText` names, with its clock at `moment`. Nothing, with
    // the reason in `error`, when the atlas doesn't hold it, holds it in more
    // than one country or state, or the local time didn't exist there.
    // Without a moment (the date or time didn't read) only the coordinates
    // are filled, and the zone and dst fields hold a placeholder.
    std::optional<FoundPlace> find(std::string_view placeText, const std::optional<BirthMoment> &moment,
                                   QString &error);

private:
    std::optional<Atlas> m_atlas;  // read at the first lookup
};

// The place found and the offset used, for --json.
QJsonObject foundPlaceJson(const FoundPlace &found);
