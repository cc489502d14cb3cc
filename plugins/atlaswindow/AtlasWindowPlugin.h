// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "places/AtlasWindowInterface.h"

#include <QObject>

// Looks the typed place up in the offline atlas and shows the places found,
// with their coordinates and zones, in a modal window that also offers the
// web search in the browser.
class AtlasWindowPlugin : public QObject, public AtlasWindowInterface {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QUORVEL_ATLASWINDOW_IID)
    Q_INTERFACES(AtlasWindowInterface)
public:
    std::optional<ChosenPlace> choosePlace(const PlaceQuery &query, const QString &title,
                                           const QString &site) override;
};
