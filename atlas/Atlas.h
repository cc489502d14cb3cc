// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

// The offline atlas behind the coordinates lookup: the cities of the system's
// GeoNames library, searched by the place the user typed.

struct AtlasPlace {
    QString name;
    QString state;
    QString country;
    QString countryCode;  // ISO 3166 two letters, e.g. "IN"
    QString timeZone;     // IANA name, e.g. "Asia/Kolkata"
    double latitude = 0;  // degrees, north positive
    double longitude = 0; // degrees, east positive
    quint32 population = 0;
    // The names in the user's language where the atlas translates them
    // (empty when they are the English ones); searched as well.
    QString localName;
    QString localState;
    QString localCountry;
};

struct AtlasMatch {
    AtlasPlace place;
    bool stateMatches = false;
    bool countryMatches = false;
};

class Atlas {
public:
    // An atlas of the given places (tests build small ones).
    explicit Atlas(QList<AtlasPlace> places);

    // Reads every city of the system's GeoNames library, with English names
    // and, under another language, the translated ones as well.
    static Atlas load();

    qsizetype size() const { return m_places.size(); }

    // The places whose name opens `placeText` (city, state and country as
    // typed, joined by blanks; a city name may hold blanks itself), best
    // first: those whose state and country are also typed, then those with
    // one of them, each group by population. At most `limit` places.
    QList<AtlasMatch> search(const QString &placeText, qsizetype limit = 25) const;

private:
    QList<AtlasPlace> m_places;
    QHash<QString, QList<qsizetype>> m_byName; // folded name -> places
    qsizetype m_longestName = 0;               // words in the longest name
};

// The place part of a coordinates query: the text before the trailing
// " Latitude Longitude", or the whole query when it has no such ending.
QString placeTextOfQuery(const QString &query);

// The text as the atlas compares it: case and accents dropped, full stops
// and apostrophes removed, any other run of non-letters one blank, and the
// abbreviations "st", "ste", "mt", "ft" for Saint, Sainte, Mount, Fort.
QString foldForSearch(const QString &text);

// A latitude or longitude as the user types it into Quorvel: whole degrees,
// whole minutes rounded to the nearest (59.6' carries into the next degree),
// and the hemisphere. A value that rounds to 0° 0' is N or E.
struct DegreesMinutes {
    int degrees = 0;
    int minutes = 0;
    bool positive = true; // North or East
};
DegreesMinutes roundToMinute(double degrees);

// The same as text, e.g. "18° 31' N". Empty for a non-finite value.
QString formatDegreesMinutes(double degrees, bool latitude);

// A time zone as the lookup describes it over one calendar year.
struct ZoneSummary {
    bool valid = false;
    int standardOffsetSeconds = 0;       // the smallest offset from UTC in the year
    bool observesDaylightSaving = false; // the clocks move during the year
};
ZoneSummary summarizeZone(const QString &ianaId, int year);

// An offset from UTC as hours and minutes, with seconds only where it has
// them: "+5:30", "-5:00", "+1:19:32".
QString utcOffsetText(int seconds);

// "Asia/Kolkata (UTC+5:30, no daylight saving)".
QString describeZone(const QString &ianaId, const ZoneSummary &zone);

// Whether Quorvel would turn the zone the wrong way for this place: it takes
// a zone as ahead of UTC east of Greenwich and behind it west of Greenwich
// (a longitude of 0° 0' counting as west).
bool zoneAgainstLongitude(const ZoneSummary &zone, double longitude);

// The browser's search results page for the whole query, percent-encoded.
QUrl webSearchUrl(const QString &query);
