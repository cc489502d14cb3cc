// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// The catalogue of the 28 Chinese lunar mansions in their traditional order.

inline constexpr int mansionCount = 28;
inline constexpr int nakshatraRowCount = mansionCount - 1;  // every row but the last carries a nakshatra

// Animal, direction and season shared by a group of seven consecutive rows.
struct Quadrant {
    const char *animal;
    const char *direction;
    const char *season;
};

struct MansionRecord {
    qint16 index;
    const char *name;                  // UTF-8, with tone marks ("Kàng")
    const char *literalTranslation;
    const char *westernConstellation;
    const char *pictureEntry;          // the picture's name in the picture list ("0_jiao.jpg")
    int pictureWidth;
    int pictureHeight;
    const char *nakshatra;             // empty for row 27
};

// Row by index 0..27.
const MansionRecord &mansionRow(int index);
// The quadrant of row 0..27 (boundaries tested as above 6, above 13, above 20).
const Quadrant &quadrantOf(int index);
// The nakshatra of row 0..26, empty otherwise. The exact spelling is the key
// of saved files ("Poorva" and "Purva" both occur).
QString nakshatraName(int row);
// The first row 0..26 whose nakshatra equals the name exactly.
std::optional<int> findMansionRow(const QString &nakshatraName);
// The traits paragraphs of rows 0..26 from the built-in content; empty for row 27.
QString positiveTraits(int index);
QString negativeTraits(int index);
// The resource path of picture entry 1..28 (row = entry - 1); empty outside.
// The pictures are GIF data whatever their entry names say: load them as "GIF".
QString picturePath(int entryNumber);
