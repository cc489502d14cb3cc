// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "atlas/Atlas.h"
#include "atlas/PlaceClock.h"
#include "places/ChosenPlace.h"
#include "sys/Result.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QTime>

#include <optional>
#include <string_view>

// A birthplace named in words ("Pune, Maharashtra, India"), found in the
// offline atlas, with its clock at the birth moment.
struct FoundPlace {
    AtlasPlace place;
    PlaceClock clock;   // at the birth moment
    // The place as it fills a birth; without a moment, no zone and no DST.
    ChosenPlace chosen;
};

class PlaceLookup {
public:
    explicit PlaceLookup(const Atlas &atlas) : m_atlas(atlas) {}

    // The place `placeText` names, with its clock at `date` `time`. Nothing,
    // with the reason why (and the places meant perhaps), when the
    // atlas doesn't hold the name whole, holds it in more than one country or
    // state with none ten times as large as the others, or the local time
    // didn't exist there, or the atlas could not be opened. Where a larger
    // place was taken over others of the name, the clock's notes begin by
    // saying so. Without a moment (an invalid date or time) only the
    // coordinates are filled.
    Result<FoundPlace> find(std::string_view placeText, QDate date, QTime time);

private:
    // What the atlas makes of a place's text: the place, or why none.
    struct Choice {
        std::optional<AtlasPlace> place;
        QString error;
        QString note; // which of several places of the name was taken
    };
    Choice choose(const QString &typed) const;

    const Atlas &m_atlas;
    // A file of births names the same places again and again: each text is
    // looked up once, as far as this many texts.
    static constexpr qsizetype remembered = 4096;
    QHash<QString, Choice> m_choices;
};

// "Hallstatt, Upper Austria, Austria".
QString placeLabel(const AtlasPlace &place);
