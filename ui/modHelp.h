// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QUrl>
#include <QVariant>
#include <QVariantMap>

class QWidget;
class QMenuBar;
class QLineEdit;

// The closed list of web pages the program opens.
enum class WebPage { OnlineHelp, Home, Download, CoBrand, FullBrand };

QUrl webPageUrl(WebPage page);
// The address as captions show it: host and path, without the scheme.
QString webPageDisplayAddress(WebPage page);
// Hands the page to the user's browser through the desktop; where no browser
// takes it, a message gives the address to copy.
void OpenWebPage(WebPage page);
// The same for any address, the message over `parent` (the active window
// when none); false when no browser took it.
bool openWebAddress(const QUrl &url, QWidget *parent = nullptr);

// Adds the shared "&Help" menu (the built-in pages, online help, visit us,
// update, about) to a screen's menu bar.
void addHelpMenu(QMenuBar *menuBar, QWidget *screen);

// Shows the about box modal over `parent`.
void showAboutBox(QWidget *parent);

// The start-up banner draw: brings one of the two banners of the main input
// screen to the front.
void CoBrand_Randomize(QWidget *lblFullBrand, QWidget *lblCobrand);

// Seeds the random generator from the clock (once, at start-up); the banner
// draw is its only consumer.
void seedRandomGenerator();
// The generator's next number, uniform in [0, 1).
float nextRandomSingle();
// The banner number 1..7 for a draw r in [0, 1): r * 6 + 1 in single
// precision, rounded half to even.
int coBrandNumber(float r);
// 2, 4, 6 raise the full-branding banner; 1, 3, 5 the co-branding one;
// anything else leaves the order as it is.
void bringBannerToFront(int number, QWidget *lblFullBrand, QWidget *lblCobrand);

// "Click Here To Find Latitude && Longitude": hands the three place boxes,
// as typed (empty ones too), and the birth moment to the web search
// component. Returns the place chosen there,
// or an empty QVariant.
QVariant searchCoordinates(QLineEdit *city, QLineEdit *state, QLineEdit *country, const QVariantMap &birth);
// The same search for a place given as text, the parts possibly empty;
// `moment` ("date" and "time") is the one whose clock the places show.
QVariant searchPlace(const QString &city, const QString &state, const QString &country, const QVariantMap &moment);
