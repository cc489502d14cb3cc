// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Builds the atlas's index from GeoNames' table of populated places
// (cities500.txt, tab-separated) and two tables of its first-level division
// names, a recent one and one of the places' own time (admin1.json,
// admin1-2023.json), with the countries' English names (countries.tsv):
// make_index CITIES ADMIN1 ADMIN1_2023 COUNTRIES OUTPUT. Runs at build time;
// it reads nothing of the machine it runs on, so every build of one commit
// gives the same index.

#include "atlas/AtlasIndex.h"

#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

// The columns of the GeoNames table that the atlas uses.
enum Column {
    NameColumn = 1,
    AsciiNameColumn = 2,
    AlternateNamesColumn = 3,
    LatitudeColumn = 4,
    LongitudeColumn = 5,
    CountryColumn = 8,
    Admin1Column = 10,
    PopulationColumn = 14,
    TimeZoneColumn = 17,
    ColumnCount = 19,
};

// Whether every letter of the name is a Latin one: the names people type
// on a Latin keyboard. Names in other scripts are left out of the index.
bool inLatinScript(const QString &name)
{
    return std::all_of(name.begin(), name.end(), [](QChar c) {
        return !c.isSurrogate() && (!c.isLetter() || c.script() == QChar::Script_Latin);
    });
}

// Names in common use that GeoNames' table lacks: the country, the name in
// the table, and the other name.
constexpr std::array<std::array<const char *, 3>, 1> missingNames{{
    {"IN", "Gurgaon", "Gurugram"},
}};

bool fail(const char *what, const QString &path)
{
    std::fprintf(stderr, "make_index: %s %s\n", what, qPrintable(path));
    return false;
}

bool readDivisions(const QString &path, QHash<QString, QString> &divisions)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail("cannot read", path);
    for (const QJsonValue &division : QJsonDocument::fromJson(file.readAll()).array())
        divisions.insert(division[QLatin1String("code")].toString(), division[QLatin1String("name")].toString());
    return !divisions.isEmpty() || fail("no divisions in", path);
}

// Countries that gave their divisions new codes after the places' table was
// made, so that the recent table's name for an old code is another
// division's (Vietnam's provinces, merged in 2025).
constexpr std::array renumberedCountries{"VN"};

// The division names for the places' codes: the recent table's, which
// spell today's names, except where the code has since gone (Norway's
// counties of 2020 to 2023) or names another division now.
bool readDivisions(const QString &recentPath, const QString &ofThePlacesPath, QHash<QString, QString> &divisions)
{
    QHash<QString, QString> ofThePlaces;
    if (!readDivisions(recentPath, divisions) || !readDivisions(ofThePlacesPath, ofThePlaces))
        return false;
    for (auto division = ofThePlaces.cbegin(); division != ofThePlaces.cend(); ++division) {
        const QString country = division.key().section(u'.', 0, 0);
        const bool renumbered = std::any_of(renumberedCountries.begin(), renumberedCountries.end(),
                                            [&](const char *code) { return country == QLatin1String(code); });
        if (renumbered || !divisions.contains(division.key()))
            divisions.insert(division.key(), division.value());
    }
    return true;
}

// The countries' names by their two-letter code: CODE, a tab and the name
// on each line; lines starting with # are comments.
bool readCountries(const QString &path, QHash<QString, QString> &countries)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return fail("cannot read", path);
    while (!file.atEnd()) {
        QString line = QString::fromUtf8(file.readLine());
        if (line.endsWith(u'\n'))
            line.chop(1);
        if (line.startsWith(u'#') || line.isEmpty())
            continue;
        const QStringList columns = line.split(u'\t');
        if (columns.size() != 2 || columns.at(0).size() != 2)
            return fail("a line other than CODE<tab>NAME in", path);
        countries.insert(columns.at(0), columns.at(1));
    }
    return !countries.isEmpty() || fail("no countries in", path);
}

// The country's name for a place; its code where the table has none.
bool readPlaces(const QString &path, const QHash<QString, QString> &divisions, const QHash<QString, QString> &countries,
                QList<AtlasPlace> &places)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return fail("cannot read", path);
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        if (line.endsWith('\n'))
            line.chop(1);
        const QStringList columns = QString::fromUtf8(line).split(u'\t');
        if (columns.size() != ColumnCount)
            return fail("a line without 19 columns in", path);
        AtlasPlace place;
        place.name = columns.at(NameColumn);
        place.countryCode = columns.at(CountryColumn);
        place.country = countries.value(place.countryCode, place.countryCode);
        place.state = divisions.value(place.countryCode + u'.' + columns.at(Admin1Column));
        place.timeZone = columns.at(TimeZoneColumn);
        bool latitudeRead = false;
        bool longitudeRead = false;
        place.latitude = columns.at(LatitudeColumn).toDouble(&latitudeRead);
        place.longitude = columns.at(LongitudeColumn).toDouble(&longitudeRead);
        place.population = columns.at(PopulationColumn).toUInt();
        if (!latitudeRead || !longitudeRead || place.name.isEmpty())
            return fail("a place without name or coordinates in", path);
        place.otherNames.append(columns.at(AsciiNameColumn));
        for (const QString &other : columns.at(AlternateNamesColumn).split(u',', Qt::SkipEmptyParts)) {
            if (inLatinScript(other))
                place.otherNames.append(other);
        }
        for (const auto &[country, name, other] : missingNames) {
            if (place.countryCode == QLatin1String(country) && place.name == QLatin1String(name))
                place.otherNames.append(QString::fromUtf8(other));
        }
        places.append(std::move(place));
    }
    return !places.isEmpty() || fail("no places in", path);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 6) {
        std::fprintf(stderr, "usage: make_index CITIES500.TXT ADMIN1.JSON ADMIN1-2023.JSON COUNTRIES.TSV OUTPUT\n");
        return 2;
    }
    QHash<QString, QString> divisions;
    QHash<QString, QString> countries;
    QList<AtlasPlace> places;
    if (!readDivisions(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), divisions) ||
        !readCountries(QString::fromLocal8Bit(argv[4]), countries) ||
        !readPlaces(QString::fromLocal8Bit(argv[1]), divisions, countries, places))
        return 1;
    const QByteArray index = AtlasIndex::build(places);
    QFile output(QString::fromLocal8Bit(argv[5]));
    if (!output.open(QIODevice::WriteOnly) || output.write(index) != index.size() || !output.flush()) {
        fail("cannot write", output.fileName());
        return 1;
    }
    return 0;
}
