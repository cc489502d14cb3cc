// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/modHelp.h"

#include "app/websearch/WebSearchInterface.h"
#include "core/Messages.h"
#include "ui/Desktop.h"
#include "ui/Screen.h"
#include "ui/frmAbout.h"
#include "ui/frmHelp.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

#include <array>
#include <chrono>
#include <cmath>
#include <functional>
#include <random>

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

// The banner draw's generator: one per process, seeded from the clock at start-up.
std::mt19937 &randomGenerator()
{
    static std::mt19937 generator;
    return generator;
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

void addHelpMenu(QMenuBar *menuBar, QWidget *screen)
{
    if (!menuBar)
        return;
    QMenu *mnuHelp = menuBar->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));

    struct HelpMenuEntry {
        const char *name;
        const char *caption; // none for a separator
        QKeySequence shortcut;
        std::function<void()> command;
    };
    // The Help menu, top to bottom. F1 reaches the built-in pages wherever
    // no box claims it (the time zone boxes keep it for their picker).
    const HelpMenuEntry helpMenu[] = {
        {"mnuContents", "&Contents", QKeySequence(Qt::Key_F1), [] { showHelp(); }},
        {"mnuOnline", "&Online Help", {}, [] { OpenWebPage(WebPage::OnlineHelp); }},
        {"mnuVisit", "&Visit Us Online", {}, [] { OpenWebPage(WebPage::Home); }},
        {"mnuHelp1", nullptr, {}, {}},
        // Opens the download page only: the start-up reminder's date stays as it is.
        {"mnuUpdate", "Check for Software &Update", {}, [] { OpenWebPage(WebPage::Download); }},
        {"mnuHelp2", nullptr, {}, {}},
        {"mnuAbout", "&About Software", {}, [screen] { showAboutBox(screen); }},
    };
    for (const HelpMenuEntry &entry : helpMenu) {
        if (QAction *action = addMenuRow(mnuHelp, entry.name, entry.caption, entry.shortcut))
            QObject::connect(action, &QAction::triggered, mnuHelp, entry.command);
    }
}

void showAboutBox(QWidget *parent)
{
    frmAbout about(parent);
    about.exec();
}

void seedRandomGenerator()
{
    const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
    std::seed_seq seed{static_cast<unsigned>(ticks), static_cast<unsigned>(ticks >> 32)};
    randomGenerator().seed(seed);
}

float nextRandomSingle()
{
    // 24 random bits make every value a float holds exactly, never 1.
    constexpr float unit = 1.0f / 16777216.0f;
    return static_cast<float>(randomGenerator()() >> 8) * unit;
}

int coBrandNumber(float r)
{
    // Single precision throughout; nearbyint rounds half to even in the
    // default rounding mode, so 1 and 7 get half the share of 2 to 6.
    const float scaled = r * 6.0f + 1.0f;
    return static_cast<int>(std::nearbyint(scaled));
}

void bringBannerToFront(int number, QWidget *lblFullBrand, QWidget *lblCobrand)
{
    QWidget *front = nullptr;
    if (number == 2 || number == 4 || number == 6)
        front = lblFullBrand;
    else if (number == 1 || number == 3 || number == 5)
        front = lblCobrand;
    if (front)
        front->raise();
}

void CoBrand_Randomize(QWidget *lblFullBrand, QWidget *lblCobrand)
{
    bringBannerToFront(coBrandNumber(nextRandomSingle()), lblFullBrand, lblCobrand);
}

QVariant searchCoordinates(QLineEdit *city, QLineEdit *state, QLineEdit *country, const QVariantMap &birth)
{
    if (!city || !state || !country)
        return {};
    // The search opens with whatever the boxes hold, even nothing: the atlas
    // window has its own search box, and the calculation needs no place name.
    return searchPlace(city->text(), state->text(), country->text(), birth);
}

QVariant searchPlace(const QString &city, const QString &state, const QString &country, const QVariantMap &moment)
{
    const QString query = city + u' ' + state + u' ' + country + QStringLiteral(" Latitude Longitude");
    // The parts apart as well, so that the atlas window can search them as typed.
    QVariantMap momentAndPlace = moment;
    momentAndPlace.insert(QString::fromLatin1(WebSearchKeys::city), city);
    momentAndPlace.insert(QString::fromLatin1(WebSearchKeys::state), state);
    momentAndPlace.insert(QString::fromLatin1(WebSearchKeys::country), country);
    return desktop().webSearch(query, webPageUrl(WebPage::Home).toString(), momentAndPlace);
}
