// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "atlas/Atlas.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <cstring>

// The atlas's index: one block of bytes, read where it lies without being
// parsed. Built at build time from the GeoNames tables (tools/make_index.cpp)
// and by tests from a few places; both sides run on the same machine, so
// numbers are stored in its byte order. Texts are NUL-terminated UTF-8 at an
// offset into the texts area, which ends with a NUL.
//
// An index read from a file is checked when it is opened, without reading
// it through: its magic and version, its size against the file's, and its
// tables against its size. The numbers inside the records are not checked
// there; View's accessors keep each within its table, so that a damaged or
// foreign file gives wrong places at worst, never a read past its end.
namespace AtlasIndex {

inline constexpr char magic[8] = {'Q', 'V', 'A', 'T', 'L', 'A', 'S', '2'};
inline constexpr quint32 version = 1;

struct Header {
    char magic[8];
    quint32 version;
    quint32 size; // of the whole index, in bytes
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

// What is wrong with `bytes` as an index: nothing, too short for what its
// header says (or for a header), or not an index of this format.
enum class Fault { None, Truncated, Foreign };
Fault faultOf(QByteArrayView bytes);

// The index's parts, or nothing where `bytes` is not an index.
struct View {
    const Header *header = nullptr;
    const Place *places = nullptr;
    const Key *keys = nullptr;
    const Region *regions = nullptr;
    const Country *countries = nullptr;
    const Zone *zones = nullptr;
    const char *texts = nullptr;

    explicit View(QByteArrayView bytes);
    const char *text(quint32 at) const { return texts + (at < textsSize ? at : 0); }
    const Place &place(quint32 number) const { return places[within(number, header->places)]; }
    quint32 regionNumber(quint32 place) const { return within(this->place(place).region, header->regions); }
    const Region &region(quint32 number) const { return regions[within(number, header->regions)]; }
    const Country &country(quint32 number) const { return countries[within(number, header->countries)]; }
    const Zone &zone(quint32 number) const { return zones[within(number, header->zones)]; }

private:
    quint32 textsSize = 0;
    // A damaged record's number falls back on the table's first record.
    static quint32 within(quint32 number, quint32 count) { return number < count ? number : 0; }
};

} // namespace AtlasIndex
