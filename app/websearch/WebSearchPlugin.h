// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/websearch/WebSearchInterface.h"

#include <QObject>

// Looks the typed place up in the offline atlas and shows the places found,
// with their coordinates and zones, in a modal window that also offers the
// web search in the browser.
class WebSearchPlugin : public QObject, public WebSearchInterface {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QUORVEL_WEBSEARCH_IID)
    Q_INTERFACES(WebSearchInterface)
public:
    QVariant Search(const QString &query, const QString &site, const QVariantMap &birth) override;
};
