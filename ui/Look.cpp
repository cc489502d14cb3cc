// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/Look.h"

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

} // namespace Look
