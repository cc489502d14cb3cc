// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class LinkLabel;
class QFrame;
class QWidget;

enum class BrandingScreen { Main, Result };

// The bottom frame `fraFullBrand` with the two banners laid over each other,
// `lblCobrand` in front; each banner opens its page on a click.
struct BrandingFrame {
    QFrame *frame = nullptr;
    LinkLabel *lblFullBrand = nullptr;
    LinkLabel *lblCobrand = nullptr;
};
BrandingFrame createBrandingFrame(QWidget *parent, BrandingScreen screen);

// The top strip's invitation to the discussion board (`Label11` on the main
// input screen, `Label61` on the result screen); a click opens the home page.
LinkLabel *createTopLinkLabel(QWidget *parent, BrandingScreen screen);
