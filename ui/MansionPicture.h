// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QPainterPath>
#include <QPixmap>
#include <QSize>

class QPainter;
class QRectF;

// A mansion's picture at any scale. The built-in pictures are small pixel
// art, exact at 1x; above 1x and on paper the outline of the same
// character, taken from the font the pictures were rendered from, is drawn
// at the device's own resolution instead, so its edges stay sharp.
struct MansionPicture {
    QImage image;         // the built-in picture at its own size; null for none
    QPainterPath outline; // in the picture's pixels; empty where there is none

    bool isNull() const { return image.isNull(); }
};

// The picture of list entry 1..28; a null one for any other number.
MansionPicture mansionPicture(int entryNumber);

// The picture for a box of `box` logical pixels on a screen of
// `pixelRatio`: one larger than the box is fitted into it, keeping its
// proportions. At 1x the built-in picture's pixels, above 1x the outline
// drawn at the screen's pixels. Null for a null picture.
QPixmap pictureForScreen(const MansionPicture &picture, const QSize &box, qreal pixelRatio);

// Draws the picture filling `target` (the picture's proportions): the
// outline, black on white, where there is one, else the pixels, each kept
// square and sharp.
void paintPicture(QPainter &painter, const QRectF &target, const MansionPicture &picture);
