// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>

class QWidget;

// The screens' design units, fonts and colours.

// Layouts are designed in twips (1/1440 inch): 15 twips are one logical
// pixel at 96 dpi; Qt scales logical pixels on high-dpi screens.
constexpr int twips(int value)
{
    return value >= 0 ? (value + 7) / 15 : -((-value + 7) / 15);
}
inline QRect twipRect(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

namespace Look {
inline const QColor orange(255, 128, 0);
inline const QColor lightOrange(255, 192, 128);
inline const QColor black(0, 0, 0);
inline const QColor white(255, 255, 255);

// The face of close metrics that stands in for Verdana where Verdana isn't
// installed; the Debian package depends on the package that provides it
// (fonts-dejavu-core).
inline constexpr char verdanaSubstitute[] = "DejaVu Sans";

// Verdana at the given point size; where Verdana isn't installed,
// verdanaSubstitute.
QFont verdana(double pointSize, bool bold = false, bool underline = false);

// Black window background and orange text, the look of every screen.
void applyScreenPalette(QWidget *widget);

// The light system colours the screens are designed over (text boxes,
// lists, buttons, menus, dialogs): black on white and light grey, the
// toolkit's own light palette with a darker selection.
QPalette lightPalette();

// Makes lightPalette() the program's palette whatever the desktop's theme,
// so that a dark theme leaves no black text on dark grey and no grey text
// on black. Called once, before the first window.
void useLightPalette();

// The keyboard focus ring on a ground of `palette`'s window colour: light
// orange on the screens' black, the selection blue on light dialogs; either
// at least 3:1 against its ground.
QColor focusRingColour(const QPalette &palette);

// The clear button's cross in the search boxes: dark grey, over 3:1 on the
// boxes' white, whatever the desktop's icon theme.
inline const QColor clearIconColour(96, 96, 96);

// Makes the program's style the platform's with a focus ring of
// focusRingColour() around the focused control, and a clear button of
// clearIconColour. Called once, before the first window.
void useVisibleFocus();
} // namespace Look
