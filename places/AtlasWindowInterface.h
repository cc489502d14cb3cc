// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "places/ChosenPlace.h"

#include <QString>
#include <QtPlugin>

#include <optional>

// The atlas window: a plugin that lists the atlas's places for a query and
// lets the user choose one. The program creates a fresh instance for every
// search and releases it afterwards.
class AtlasWindowInterface {
public:
    virtual ~AtlasWindowInterface() = default;
    // Shows the places for `query` in a window titled `title`; `site` is the
    // address of the program's home page, naming who asks. The place the
    // user chose, with its clock at the query's moment, or nothing.
    virtual std::optional<ChosenPlace> choosePlace(const PlaceQuery &query, const QString &title,
                                                   const QString &site) = 0;
};

#define QUORVEL_ATLASWINDOW_IID "example.quorvel.AtlasWindowInterface/3.0"
Q_DECLARE_INTERFACE(AtlasWindowInterface, QUORVEL_ATLASWINDOW_IID)
