// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QMenuBar;
class QWidget;

// Adds the shared "&Help" menu (the built-in pages, online help, visit us,
// update, about) to a screen's menu bar.
void addHelpMenu(QMenuBar *menuBar, QWidget *screen);

// Shows the about box modal over `parent`.
void showAboutBox(QWidget *parent);
