#include "app/websearch/WebSearchPlugin.h"

#include <QDesktopServices>

namespace {
// The search service's results page; the encoded query follows "q=".
constexpr char resultsPage[] = "https://duckduckgo.com/?q=";
} // namespace

QUrl WebSearchPlugin::resultsUrl(const QString &query)
{
    // Everything but the unreserved characters is percent-encoded, so "&",
    // "#", "+" and "=" typed into a place name stay part of the query.
    return QUrl::fromEncoded(QByteArray(resultsPage) + QUrl::toPercentEncoding(query), QUrl::StrictMode);
}

QVariant WebSearchPlugin::Search(const QString &query, const QString &site)
{
    // The site names the caller; searching within it would find no
    // coordinates, so it is not part of the query.
    Q_UNUSED(site);
    return QDesktopServices::openUrl(resultsUrl(query));
}
