#pragma once

#include "app/websearch/WebSearchInterface.h"

#include <QObject>
#include <QUrl>

// Opens the user's browser on a search results page for the query.
class WebSearchPlugin : public QObject, public WebSearchInterface {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QUORVEL_WEBSEARCH_IID)
    Q_INTERFACES(WebSearchInterface)
public:
    // The results page address, the query percent-encoded in full.
    static QUrl resultsUrl(const QString &query);

    // Returns whether the desktop accepted the address.
    QVariant Search(const QString &query, const QString &site) override;
};
