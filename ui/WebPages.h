// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QUrl>

class QWidget;

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
