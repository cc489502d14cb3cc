// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "atlas/Atlas.h"
#include "atlas/PlaceClock.h"
#include "places/ChosenPlace.h"

// The atlas's place as it fills a birth, its zone and DST tick those of
// `clock` (the place's clock at the birth moment).
ChosenPlace chosenPlace(const AtlasPlace &place, const PlaceClock &clock);
