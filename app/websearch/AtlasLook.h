// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QFont>

class QWidget;

// The few facts of the program's look (ui/Look.h) the atlas window wears, so
// that it looks like the screens over which it opens: the plugin is loaded
// into the program but builds none of the program's files.
namespace AtlasLook {
inline const QColor lightOrange(255, 192, 128);

// Verdana at the given point size; where Verdana isn't installed, DejaVu Sans.
QFont verdana(double pointSize, bool bold = false);

// Black background and orange text.
void applyScreenPalette(QWidget *widget);
} // namespace AtlasLook
