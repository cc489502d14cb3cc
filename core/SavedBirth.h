// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "birth/BirthData.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The place boxes as they were typed for a calculation (the calculation
// reads none of them), and the atlas zone id when the place came from the
// atlas.
struct BirthPlace {
    QString city;
    QString state;
    QString country;
    QString zoneId{};
};

// A person's birth as a saved reading keeps it.
struct SavedBirth {
    BirthData birth;
    BirthPlace place;
};

// The birth's lines, which follow a saved reading's first line: plain UTF-8,
// each ending in CR LF, one value a line, in this order:
//
//   Quorvel-Birth 1
//   name=Carlos Ruiz
//   date=1985-03-12
//   time=14:30
//   zone=+01:00                  the zone's own offset from UT, DST apart
//   zone-direction=given         or "longitude": taken from the longitude
//   dst=no
//   latitude=40:25N
//   longitude=3:42W
//   city=Madrid
//   state=
//   country=Spain
//   zone-id=Europe/Madrid        empty unless the place came from the atlas
//
// A backslash, CR and LF in a value are written \\, \r and \n.
QByteArray savedBirthLines(const SavedBirth &saved);

// The birth those lines hold; nothing, with the reason in `why`, for lines
// that are not exactly what savedBirthLines writes for a valid birth.
std::optional<SavedBirth> parseSavedBirth(const QByteArray &lines, QString *why = nullptr);
