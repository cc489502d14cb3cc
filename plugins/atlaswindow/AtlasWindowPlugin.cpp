// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "plugins/atlaswindow/AtlasWindowPlugin.h"

#include "atlas/Atlas.h"
#include "plugins/atlaswindow/AtlasWindow.h"
#include "plugins/atlaswindow/PlaceZone.h"

#include <QApplication>
#include <QDate>
#include <QDesktopServices>

std::optional<ChosenPlace> AtlasWindowPlugin::choosePlace(const PlaceQuery &query, const QString &title,
                                                          const QString &site)
{
    // The site names the caller; searching within it would find no
    // coordinates, so it is not part of the web search.
    Q_UNUSED(site);
    // Without a widget application there is no window to show: the browser
    // is the only way to present results.
    if (!qobject_cast<QApplication *>(QCoreApplication::instance())) {
        QDesktopServices::openUrl(webSearchUrl(webQueryOf(query)));
        return std::nullopt;
    }
    AtlasWindow window(query, title, Atlas::installed(), QDate::currentDate().year(), QApplication::activeWindow());
    window.exec();
    return window.chosenPlace();
}
