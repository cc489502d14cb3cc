#pragma once

#include <QUrl>

class QWidget;
class QMenuBar;

// The closed list of web pages the program opens.
enum class WebPage { OnlineHelp, Home, Download, CoBrand, FullBrand };

QUrl webPageUrl(WebPage page);
// Hands the page to the user's browser through the desktop; failures are silent.
void OpenWebPage(WebPage page);

// Adds the shared "&Help" menu (online help, visit us, update, about) to a screen's menu bar.
void addHelpMenu(QMenuBar *menuBar, QWidget *screen);

// Shows the about box modal over `parent`.
void showAboutBox(QWidget *parent);

// The start-up banner draw: brings one of the two banners of the main input
// screen to the front.
void CoBrand_Randomize(QWidget *lblFullBrand, QWidget *lblCobrand);
