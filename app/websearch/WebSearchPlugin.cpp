// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/websearch/WebSearchPlugin.h"

#include "app/websearch/AtlasWindow.h"
#include "atlas/Atlas.h"

#include <QApplication>
#include <QDate>
#include <QDesktopServices>

namespace {

// What the window's search box starts with: the main screen's city, state
// and country, parted by commas; the query's place where they aren't given.
QString startingPlaceText(const QString &query, const QVariantMap &birth)
{
    QStringList parts;
    for (const char *key : {WebSearchKeys::city, WebSearchKeys::state, WebSearchKeys::country}) {
        const QString part = birth.value(QString::fromLatin1(key)).toString().simplified();
        if (!part.isEmpty())
            parts.append(part);
    }
    return parts.isEmpty() ? placeTextOfQuery(query) : parts.join(QStringLiteral(", "));
}

} // namespace

QVariant WebSearchPlugin::Search(const QString &query, const QString &site, const QVariantMap &birth)
{
    // The site names the caller; searching within it would find no
    // coordinates, so it is not part of the query.
    Q_UNUSED(site);
    // Without a widget application there is no window to show: the browser
    // is the only way to present results.
    if (!qobject_cast<QApplication *>(QCoreApplication::instance())) {
        QDesktopServices::openUrl(webSearchUrl(query));
        return {};
    }
    AtlasWindow window(query, startingPlaceText(query, birth), Atlas::installed(), QDate::currentDate().year(),
                       birth.value(QString::fromLatin1(WebSearchKeys::date)).toDate(),
                       birth.value(QString::fromLatin1(WebSearchKeys::time)).toTime(), QApplication::activeWindow());
    window.exec();
    const QVariantMap place = window.chosenPlace();
    return place.isEmpty() ? QVariant() : QVariant(place);
}
