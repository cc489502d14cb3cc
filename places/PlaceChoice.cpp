// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "places/PlaceChoice.h"

ChosenPlace chosenPlace(const AtlasPlace &place, const PlaceClock &clock)
{
    ChosenPlace chosen;
    chosen.city = place.name;
    chosen.state = place.state;
    chosen.country = place.country;
    chosen.latitude = Angle::fromDegrees(place.latitude);
    chosen.longitude = Angle::fromDegrees(place.longitude);
    chosen.zoneId = place.timeZone;
    chosen.zone = clock.zone;
    chosen.dst = clock.dst;
    chosen.zoneNote = clock.shortNote;
    return chosen;
}
