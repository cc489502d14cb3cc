#include "ui/Look.h"

#include <QPalette>
#include <QWidget>

namespace Look {

QFont verdana(double pointSize, bool bold, bool underline)
{
    static const bool substitutesRegistered = [] {
        // Bitstream Vera Sans, DejaVu Sans's forerunner, where only it is installed.
        QFont::insertSubstitutions(QStringLiteral("Verdana"),
                                   {QString::fromLatin1(verdanaSubstitute), QStringLiteral("Bitstream Vera Sans")});
        return true;
    }();
    Q_UNUSED(substitutesRegistered);
    QFont font(QStringLiteral("Verdana"));
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
