// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/Look.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

namespace {
const QString verdanaFamily = QStringLiteral("Verdana");
}

namespace Look {

QFont verdana(double pointSize, bool bold, bool underline)
{
    // The faces the font system tries, in turn, where Verdana isn't
    // installed: Bitstream Vera Sans is DejaVu Sans's forerunner.
    static const bool substitutesRegistered = [] {
        QFont::insertSubstitutions(verdanaFamily,
                                   {QString::fromLatin1(verdanaSubstitute), QStringLiteral("Bitstream Vera Sans")});
        return true;
    }();
    Q_UNUSED(substitutesRegistered);
    QFont font(verdanaFamily);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

void applyScreenPalette(QWidget *widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, black);
    palette.setColor(QPalette::WindowText, orange);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QPalette lightPalette()
{
    const QColor ground(239, 239, 239);
    const QColor dark = ground.darker(150);
    const QColor shadow = dark.darker(135);
    const QColor mid = ground.darker(130);
    const QColor disabledText(190, 190, 190);
    QColor placeholder = black;
    placeholder.setAlpha(128);

    QPalette palette(black, ground, ground.lighter(150), dark, mid, black, white);
    palette.setColor(QPalette::Midlight, mid.lighter(110));
    palette.setColor(QPalette::Button, ground);
    palette.setColor(QPalette::Shadow, shadow);
    palette.setColor(QPalette::HighlightedText, white);
    // A darker blue than the toolkit's (48, 140, 198), whose white text
    // falls short of 4.5:1.
    palette.setColor(QPalette::Highlight, QColor(32, 93, 132));
    palette.setColor(QPalette::PlaceholderText, placeholder);
    // The toolkit's blue: a dark desktop's own light blue reads at 3.4:1 on white.
    palette.setColor(QPalette::Link, QColor(0, 0, 255));
    palette.setColor(QPalette::Disabled, QPalette::Text, disabledText);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, disabledText);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, disabledText);
    palette.setColor(QPalette::Disabled, QPalette::Base, ground);
    palette.setColor(QPalette::Disabled, QPalette::Dark, QColor(209, 209, 209).darker(110));
    palette.setColor(QPalette::Disabled, QPalette::Shadow, shadow.lighter(150));
    palette.setColor(QPalette::Disabled, QPalette::Highlight, QColor(145, 145, 145));
    return palette;
}

void useLightPalette()
{
    QApplication::setPalette(lightPalette());
}

} // namespace Look
