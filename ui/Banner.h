// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QWidget;

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
