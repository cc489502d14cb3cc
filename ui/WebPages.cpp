// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/WebPages.h"

#include "core/Messages.h"
#include "ui/Desktop.h"

#include <QApplication>
#include <QWidget>

#include <array>

namespace {

struct WebPageAddress {
    WebPage page;
    const char *host;
    const char *path;
};

// Every page the program opens: the program's own host carries help and
// downloads, the main host the discussion board, the help host the branding
// offers.
constexpr std::array<WebPageAddress, 5> webPages{{
    {WebPage::OnlineHelp, "www.quorvel.example", "/quorvel-help.html"},
    {WebPage::Home, "forum.quorvel.example", ""},
    {WebPage::Download, "www.quorvel.example", "/download-quorvel.html"},
    {WebPage::CoBrand, "help.quorvel.example", "/co-brand.html"},
    {WebPage::FullBrand, "help.quorvel.example", "/fully-branded.html"},
}};

const WebPageAddress &addressOf(WebPage page)
{
    for (const WebPageAddress &address : webPages) {
        if (address.page == page)
            return address;
    }
    return webPages.front();
}

} // namespace

QUrl webPageUrl(WebPage page)
{
    const WebPageAddress &address = addressOf(page);
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(QString::fromLatin1(address.host));
    url.setPath(QString::fromLatin1(address.path));
    return url;
}

QString webPageDisplayAddress(WebPage page)
{
    const WebPageAddress &address = addressOf(page);
    return QString::fromLatin1(address.host) + QString::fromLatin1(address.path);
}

void OpenWebPage(WebPage page)
{
    openWebAddress(webPageUrl(page));
}

bool openWebAddress(const QUrl &url, QWidget *parent)
{
    if (desktop().openUrl(url))
        return true;
    desktop().showMessage(parent ? parent : QApplication::activeWindow(), MessageIcon::Information,
                          QString::fromUtf8(Messages::webPageNotOpened).arg(url.toString()));
    return false;
}
