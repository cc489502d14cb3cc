// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/websearch/AtlasLook.h"

#include <QPalette>
#include <QWidget>

namespace {
const QString verdanaFamily = QStringLiteral("Verdana");
}

namespace AtlasLook {

QFont verdana(double pointSize, bool bold)
{
    // The faces the font system tries, in turn, where Verdana isn't
    // installed; the program registers the same ones (adding them again
    // changes nothing).
    static const bool substitutesRegistered = [] {
        QFont::insertSubstitutions(verdanaFamily, {QStringLiteral("DejaVu Sans"), QStringLiteral("Bitstream Vera Sans")});
        return true;
    }();
    Q_UNUSED(substitutesRegistered);
    QFont font(verdanaFamily);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

void applyScreenPalette(QWidget *widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, QColor(0, 0, 0));
    palette.setColor(QPalette::WindowText, QColor(255, 128, 0));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace AtlasLook
