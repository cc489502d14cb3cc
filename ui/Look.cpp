// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/Look.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <QProxyStyle>
#include <QStyleOption>
#include <QWidget>

namespace {
const QString verdanaFamily = QStringLiteral("Verdana");

bool isDarkGround(const QPalette &palette)
{
    return palette.color(QPalette::Window).lightnessF() < 0.5;
}

void drawRing(QPainter *painter, const QRect &rect, const QColor &colour)
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(colour);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(rect.adjusted(0, 0, -1, -1));
    painter->restore();
}

// A cross of two strokes, drawn at each size rather than scaled.
QIcon clearIcon()
{
    QIcon icon;
    for (const int size : {16, 24, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Look::clearIconColour, size / 8.0, Qt::SolidLine, Qt::RoundCap));
        const double inset = size * 0.28;
        painter.drawLine(QPointF(inset, inset), QPointF(size - inset, size - inset));
        painter.drawLine(QPointF(inset, size - inset), QPointF(size - inset, inset));
        icon.addPixmap(pixmap);
    }
    return icon;
}

// The platform's style, but for the focus ring, which it draws in the
// selection colour, faint and dark blue on the screens' black: a solid ring
// that stands out on either ground. Boxes, buttons and lists keep their own
// look and get the ring round their edge.
class VisibleFocusStyle : public QProxyStyle {
public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override
    {
        if (element == PE_FrameFocusRect) {
            // As the platform's style: only after the keyboard moved the focus.
            if (option->state & State_KeyboardFocusChange)
                drawRing(painter, option->rect, Look::focusRingColour(option->palette));
            return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        const bool framed = element == PE_FrameLineEdit || element == PE_PanelButtonCommand;
        if (framed && (option->state & State_HasFocus))
            drawRing(painter, option->rect, Look::focusRingColour(option->palette));
    }

    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option, const QWidget *widget) const override
    {
        if (icon == SP_LineEditClearButton)
            return clearIcon();
        return QProxyStyle::standardIcon(icon, option, widget);
    }
};

} // namespace

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

QColor focusRingColour(const QPalette &palette)
{
    return isDarkGround(palette) ? lightOrange : palette.color(QPalette::Active, QPalette::Highlight);
}

void useVisibleFocus()
{
    QApplication::setStyle(new VisibleFocusStyle);
}

} // namespace Look
