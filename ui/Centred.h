// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QScreen;
class QWidget;

// Moves a top-level window to the centre of the screen's available area
// (the primary screen when none is given).
void centreOnScreen(QWidget *window, const QScreen *screen = nullptr);

// Shows a top-level window, modeless, centred on the primary screen.
void showCentred(QWidget *window);
