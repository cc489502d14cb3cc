#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QtMath>

#include <memory>

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
// verdanaSubstitute (see screenFontFamily).
QFont verdana(double pointSize, bool bold = false, bool underline = false);

// Black window background and orange text, the look of every screen.
void applyScreenPalette(QWidget *widget);

// The family verdana() asks for: Verdana where it is installed, otherwise
// verdanaSubstitute where that is, otherwise Verdana and the font system
// picks a stand-in. Asking for an installed family directly spares the font
// system a search through all installed faces for every screen font.
QString screenFontFamily();

// Start-up work of the font system on two more threads, so that it overlaps
// the rest of the start-up instead of waiting for the first text on screen:
// from construction (before the application object) one reads the font
// configuration on spare processor time; after applicationReady() the other
// fills Qt's font database and finds screenFontFamily(), which waits for it.
// Nothing is skipped or put off: the first label would otherwise do the same
// work on the spot.
class FontSetUpAhead {
public:
    FontSetUpAhead();
    ~FontSetUpAhead();
    FontSetUpAhead(const FontSetUpAhead &) = delete;
    FontSetUpAhead &operator=(const FontSetUpAhead &) = delete;

    // The application object exists: go on with Qt's font database.
    void applicationReady();
    // Waits for the threads; call it before the application object goes.
    void finish();

private:
    struct Worker;
    std::unique_ptr<Worker> worker;
};

} // namespace Look
