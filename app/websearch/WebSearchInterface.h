#pragma once

#include <QString>
#include <QVariant>
#include <QtPlugin>

// The web search component: a plugin that shows the user web search results
// for a query. The program creates a fresh instance for every search and
// releases it afterwards.
class WebSearchInterface {
public:
    virtual ~WebSearchInterface() = default;
    // Presents results for `query`; `site` is the address of the program's
    // home page, naming who asks. The result carries nothing the program uses.
    virtual QVariant Search(const QString &query, const QString &site) = 0;
};

#define QUORVEL_WEBSEARCH_IID "example.quorvel.WebSearchInterface/1.0"
Q_DECLARE_INTERFACE(WebSearchInterface, QUORVEL_WEBSEARCH_IID)
