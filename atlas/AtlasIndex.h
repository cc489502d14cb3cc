// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "atlas/Atlas.h"

#include <QByteArray>
#include <QList>

#include <cstring>

// The atlas's index: one block of bytes, read where it lies without being
// parsed. Built at build time from the GeoNames tables (atlas/make_index.cpp)
// and by tests from a few places; both sides run on the same machine, so
// numbers are stored in its byte order. Texts are NUL-terminated UTF-8 at an
// offset into the texts area.
namespace AtlasIndex {

inline constexpr char magic[8] = {'Q', 'V', 'A', 'T', 'L', 'A', 'S', '2'};

struct Header {
    char magic[8];
    quint32 places, keys, regions, countries, zones;
    quint32 placesAt, keysAt, regionsAt, countriesAt, zonesAt, textsAt;
    quint32 longestName; // words in the longest searched name
};

struct Place {
    quint32 name;
    qint32 latitude; // in 1/100,000 degree, as GeoNames gives them
    qint32 longitude;
    quint32 population;
    quint16 region;
    quint16 zone;
};

// One searched name of one place; sorted by the folded name, then by
// population, largest first. The population is repeated here so that a
// search for a short beginning ranks thousands of names without reading
// their places, and the name's first bytes so that a search compares most
// keys without reading their text.
struct Key {
    quint32 folded;
    quint32 place;
    quint32 population;
    quint32 start; // startOf() the folded name
};

// The first four bytes of a text, the first the highest, NULs after its end:
// two texts' starts order as the texts do, or are equal.
inline quint32 startOf(const char *text)
{
    quint32 start = 0;
    for (int i = 0; i < 4 && text[i] != '\0'; ++i)
        start |= quint32(quint8(text[i])) << (24 - 8 * i);
    return start;
}

struct Region {
    quint32 name; // empty where GeoNames gives none
    quint16 country;
    quint16 unused;
};

struct Country {
    quint32 name;
    char code[2];
    quint16 unused;
};

struct Zone {
    quint32 name;
};

// The index of `places`: each is searched by its name and its other names,
// folded; states and countries are shared by name.
QByteArray build(const QList<AtlasPlace> &places);

// The index's parts, or nothing where `bytes` is not an index.
struct View {
    const Header *header = nullptr;
    const Place *places = nullptr;
    const Key *keys = nullptr;
    const Region *regions = nullptr;
    const Country *countries = nullptr;
    const Zone *zones = nullptr;
    const char *texts = nullptr;

    explicit View(const QByteArray &bytes);
    const char *text(quint32 at) const { return texts + at; }
};

} // namespace AtlasIndex
