// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// The offline atlas behind the coordinates lookup and --place: every
// populated place of GeoNames' table of 500 people or more, searched by the
// place the user typed.

struct AtlasPlace {
    QString name;
    QString state;        // the first-level division, e.g. "Maharashtra"; may be empty
    QString country;
    QString countryCode;  // ISO 3166 two letters, e.g. "IN"
    QString timeZone;     // IANA name, e.g. "Asia/Kolkata"
    double latitude = 0;  // degrees, north positive
    double longitude = 0; // degrees, east positive
    quint32 population = 0;
    // Other names searched as well (ASCII spellings, former names, other
    // languages in Latin script). Only read when an atlas is built.
    QStringList otherNames;
};

// How a place's name answers what was typed.
enum class NameMatch {
    Whole,    // one of its names is the name typed
    Prefix,   // one of its names begins with it
    Spelling, // one of its names is the name typed with one letter wrong, missing or extra
};

struct AtlasMatch {
    AtlasPlace place;
    bool stateMatches = false;
    bool countryMatches = false;
    // How search() ranks the state and country typed: 3 for both, 2 for the
    // state, 1 for the country or for a state named by a code that is also a
    // country's ("CA"), 0 for neither, -1 for another country than its own.
    int fit = 0;
    NameMatch name = NameMatch::Whole;
    int nameWords = 0; // how many of the typed words are the name
};

class Atlas {
public:
    // An atlas of the given places (tests build small ones).
    explicit Atlas(const QList<AtlasPlace> &places);

    // The atlas installed with Quorvel, opened once per process: the index
    // file installed beside the programs, or the build folder's for a
    // program run from its build tree. Opening it costs next to nothing: the
    // file is mapped read-only and read a page at a time as searches touch it.
    static const Atlas &installed();

    // The atlas of the index file at `path`, mapped for as long as the atlas
    // lives; one without places where the file is missing, cut short or not
    // an index, with problem() saying so.
    static Atlas fromFile(const QString &path);

    // The message that says why the atlas has no places; empty when its
    // index is sound.
    QString problem() const { return m_problem; }

    qsizetype size() const;

    // The places named by `placeText`, best first, at most `limit`. The text
    // is a name and then, optionally, its state and country: after a comma
    // in any order ("Cuauhtémoc, Chihuahua, Mexico"), or without commas
    // after the name ("Pune Maharashtra India"), where the longest run of
    // leading words that is a name is taken as the name. Places whose whole
    // name is typed come first: those whose state and country are also
    // typed, then those with the state, then those with the country or with
    // a state named by a code that is also a country's ("CA"), then the
    // others, and last those outside a country named; the longer name first,
    // each group by population. Then, as far as the limit allows, places
    // whose name begins with the text before the first comma, ranked alike.
    QList<AtlasMatch> search(const QString &placeText, qsizetype limit = 25) const;

    // For a name that is in no place's names, of five letters or more: the
    // places whose name it is with one letter wrong, missing or extra (or
    // two neighbours swapped), ranked as search() ranks them.
    QList<AtlasMatch> suggestions(const QString &placeText, qsizetype limit = 10) const;

private:
    explicit Atlas(QByteArray index);

    QByteArray m_index; // the bytes atlas/AtlasIndex.h lays out
    std::shared_ptr<const QFile> m_file; // holds the mapping m_index points into
    QString m_problem;
    qsizetype m_longestName = 0; // words in the longest name
    // The folded words that name each country of the atlas (its name, short
    // forms, two-letter code), by their first word.
    QHash<QString, QList<QStringList>> m_countryNames;
    // Where the keys whose folded name begins with each two bytes begin:
    // made at the first suggestions(), which looks up dozens of spellings
    // at each letter, so that each is found among a few keys.
    mutable std::vector<quint32> m_keysByFirstTwoBytes;
};

// Whether `placeText` holds more than the name `match` was found by: a
// state or country that should then fit the place.
bool regionTyped(const QString &placeText, const AtlasMatch &match);

// The text as the atlas compares it: case and accents dropped, full stops
// and apostrophes removed, any other run of non-letters one blank, and the
// abbreviations "st", "ste", "mt", "ft" for Saint, Sainte, Mount, Fort.
QString foldForSearch(const QString &text);

