// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "atlas/AtlasIndex.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <cmath>

namespace AtlasIndex {

namespace {

// The texts area, each distinct text stored once.
class Texts {
public:
    Texts() { add(QString()); }

    quint32 add(const QString &text)
    {
        const QByteArray utf8 = text.toUtf8();
        const auto found = m_at.constFind(utf8);
        if (found != m_at.constEnd())
            return *found;
        const auto at = quint32(m_bytes.size());
        m_bytes += utf8;
        m_bytes += '\0';
        m_at.insert(utf8, at);
        return at;
    }
    const QByteArray &bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
    QHash<QByteArray, quint32> m_at;
};

// The number of a thing shared by several places, adding it at its first use.
template <typename Record, typename MakeRecord>
quint16 numberOf(QHash<QString, quint16> &numbers, QList<Record> &records, const QString &key, MakeRecord make)
{
    const auto found = numbers.constFind(key);
    if (found != numbers.constEnd())
        return *found;
    const auto number = quint16(records.size());
    records.append(make());
    numbers.insert(key, number);
    return number;
}

qint32 hundredThousandths(double degrees)
{
    return qint32(std::llround(degrees * 1e5));
}

template <typename Record> void appendRecords(QByteArray &bytes, const QList<Record> &records, quint32 &at)
{
    while (bytes.size() % 8 != 0)
        bytes += '\0';
    at = quint32(bytes.size());
    bytes.append(reinterpret_cast<const char *>(records.constData()), records.size() * qsizetype(sizeof(Record)));
}

} // namespace

QByteArray build(const QList<AtlasPlace> &places)
{
    Texts texts;
    QList<Place> placeRecords;
    QList<Key> keys;
    QList<Region> regions;
    QList<Country> countries;
    QList<Zone> zones;
    QHash<QString, quint16> regionNumbers, countryNumbers, zoneNumbers;
    quint32 longestName = 0;
    // The countries', states' and zones' names come first: the atlas reads
    // every country's name when it opens and a few states' at each search,
    // and so touches a few pages of the mapped file rather than many.
    for (const AtlasPlace &place : places) {
        texts.add(place.country);
        texts.add(place.state);
        texts.add(place.timeZone);
    }
    placeRecords.reserve(places.size());
    for (const AtlasPlace &place : places) {
        const quint16 country = numberOf(countryNumbers, countries, place.countryCode, [&] {
            Country record{texts.add(place.country), {' ', ' '}, 0};
            const QByteArray code = place.countryCode.toLatin1().leftJustified(2, ' ', true);
            std::memcpy(record.code, code.constData(), 2);
            return record;
        });
        const quint16 region = numberOf(regionNumbers, regions, place.countryCode + u'|' + place.state, [&] {
            return Region{texts.add(place.state), country, 0};
        });
        const quint16 zone =
            numberOf(zoneNumbers, zones, place.timeZone, [&] { return Zone{texts.add(place.timeZone)}; });
        const auto number = quint32(placeRecords.size());
        placeRecords.append({texts.add(place.name), hundredThousandths(place.latitude),
                             hundredThousandths(place.longitude), place.population, region, zone});
        QSet<QString> names{foldForSearch(place.name)};
        for (const QString &other : place.otherNames)
            names.insert(foldForSearch(other));
        names.remove(QString());
        // In order, not in the set's, which changes from run to run: the
        // texts' offsets, and so the index's bytes, follow this order.
        QStringList sortedNames = names.values();
        std::sort(sortedNames.begin(), sortedNames.end());
        for (const QString &name : std::as_const(sortedNames)) {
            const quint32 folded = texts.add(name);
            keys.append({folded, number, place.population, startOf(texts.bytes().constData() + folded)});
            longestName = std::max(longestName, quint32(name.count(u' ') + 1));
        }
    }
    const char *text = texts.bytes().constData();
    std::sort(keys.begin(), keys.end(), [text](const Key &a, const Key &b) {
        if (const int order = std::strcmp(text + a.folded, text + b.folded))
            return order < 0;
        if (a.population != b.population)
            return a.population > b.population;
        return a.place < b.place;
    });

    Header header{};
    std::memcpy(header.magic, magic, sizeof magic);
    header.version = version;
    header.places = quint32(placeRecords.size());
    header.keys = quint32(keys.size());
    header.regions = quint32(regions.size());
    header.countries = quint32(countries.size());
    header.zones = quint32(zones.size());
    header.longestName = longestName;
    QByteArray bytes(sizeof header, '\0');
    appendRecords(bytes, placeRecords, header.placesAt);
    appendRecords(bytes, keys, header.keysAt);
    appendRecords(bytes, regions, header.regionsAt);
    appendRecords(bytes, countries, header.countriesAt);
    appendRecords(bytes, zones, header.zonesAt);
    header.textsAt = quint32(bytes.size());
    bytes += texts.bytes();
    header.size = quint32(bytes.size());
    std::memcpy(bytes.data(), &header, sizeof header);
    return bytes;
}

namespace {

// Whether `count` records of `Record` at `at` lie aligned between the header
// and the texts.
template <typename Record> bool tableFits(quint32 at, quint32 count, const Header &header)
{
    return at >= sizeof(Header) && at % alignof(Record) == 0 && at <= header.textsAt &&
           quint64(count) * sizeof(Record) <= header.textsAt - at;
}

} // namespace

Fault faultOf(QByteArrayView bytes)
{
    const auto size = quint64(bytes.size());
    if (size < sizeof(Header))
        return QByteArrayView(magic, sizeof magic).startsWith(bytes.first(std::min(bytes.size(), qsizetype(sizeof magic))))
                   ? Fault::Truncated
                   : Fault::Foreign;
    Header header;
    std::memcpy(&header, bytes.constData(), sizeof header);
    if (std::memcmp(header.magic, magic, sizeof magic) != 0 || header.version != version)
        return Fault::Foreign;
    if (header.size > size)
        return Fault::Truncated;
    const bool recordsNeedTables = header.keys == 0 || (header.places && header.regions && header.countries && header.zones);
    const bool fits = header.size == size && recordsNeedTables && header.textsAt < size && bytes.back() == '\0' &&
                      tableFits<Place>(header.placesAt, header.places, header) &&
                      tableFits<Key>(header.keysAt, header.keys, header) &&
                      tableFits<Region>(header.regionsAt, header.regions, header) &&
                      tableFits<Country>(header.countriesAt, header.countries, header) &&
                      tableFits<Zone>(header.zonesAt, header.zones, header);
    return fits ? Fault::None : Fault::Foreign;
}

View::View(QByteArrayView bytes)
{
    if (faultOf(bytes) != Fault::None)
        return;
    const char *base = bytes.constData();
    header = reinterpret_cast<const Header *>(base);
    places = reinterpret_cast<const Place *>(base + header->placesAt);
    keys = reinterpret_cast<const Key *>(base + header->keysAt);
    regions = reinterpret_cast<const Region *>(base + header->regionsAt);
    countries = reinterpret_cast<const Country *>(base + header->countriesAt);
    zones = reinterpret_cast<const Zone *>(base + header->zonesAt);
    texts = base + header->textsAt;
    textsSize = header->size - header->textsAt;
}

} // namespace AtlasIndex
