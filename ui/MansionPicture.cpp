// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/MansionPicture.h"

#include "mansions/modChineseLunarMansionInformation.h"

#include <QFile>
#include <QHash>
#include <QPainter>

#include <cctype>

namespace {

const char *const outlinesPath = ":/content/pictures/outlines.txt";

// One line of the outlines file: "index width height" and the path as
// commands M, L, Q, Z, each followed by its points' coordinates.
QPainterPath parseOutline(const QList<QByteArray> &words)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill); // as the font's rasteriser fills overlapping strokes
    QList<double> numbers;
    char command = 0;
    const auto finish = [&] {
        if (command == 'M' && numbers.size() == 2)
            path.moveTo(numbers[0], numbers[1]);
        else if (command == 'L' && numbers.size() == 2)
            path.lineTo(numbers[0], numbers[1]);
        else if (command == 'Q' && numbers.size() == 4)
            path.quadTo(numbers[0], numbers[1], numbers[2], numbers[3]);
        else if (command == 'Z')
            path.closeSubpath();
        numbers.clear();
    };
    for (qsizetype i = 3; i < words.size(); ++i) {
        const QByteArray &word = words[i];
        if (word.size() == 1 && std::isalpha(static_cast<unsigned char>(word[0]))) {
            finish();
            command = word[0];
        } else {
            numbers.append(word.toDouble());
        }
    }
    finish();
    return path;
}

// The outlines by picture index (0..27), read once.
const QHash<int, QPainterPath> &outlines()
{
    static const QHash<int, QPainterPath> byIndex = [] {
        QHash<int, QPainterPath> read;
        QFile file(QString::fromLatin1(outlinesPath));
        if (!file.open(QIODevice::ReadOnly))
            return read;
        while (!file.atEnd()) {
            const QByteArray line = file.readLine().trimmed();
            const QList<QByteArray> words = line.split(' ');
            bool indexRead = false;
            const int index = words.isEmpty() ? -1 : words[0].toInt(&indexRead);
            if (indexRead && words.size() > 3)
                read.insert(index, parseOutline(words));
        }
        return read;
    }();
    return byIndex;
}

} // namespace

MansionPicture mansionPicture(int entryNumber)
{
    MansionPicture picture;
    const QString path = picturePath(entryNumber);
    if (path.isEmpty() || !picture.image.load(path, "GIF"))
        return {};
    picture.outline = outlines().value(entryNumber - 1);
    return picture;
}

QPixmap pictureForScreen(const MansionPicture &picture, const QSize &box, qreal pixelRatio)
{
    if (picture.isNull())
        return {};
    const bool fits = picture.image.width() <= box.width() && picture.image.height() <= box.height();
    if (pixelRatio <= 1 || picture.outline.isEmpty()) {
        const QImage image =
            fits ? picture.image : picture.image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        return QPixmap::fromImage(image);
    }
    const QSize logical = fits ? picture.image.size() : picture.image.size().scaled(box, Qt::KeepAspectRatio);
    QPixmap pixmap(logical * pixelRatio);
    pixmap.setDevicePixelRatio(pixelRatio);
    QPainter painter(&pixmap);
    paintPicture(painter, QRectF(QPointF(0, 0), QSizeF(logical)), picture);
    return pixmap;
}

void paintPicture(QPainter &painter, const QRectF &target, const MansionPicture &picture)
{
    if (picture.isNull() || target.isEmpty())
        return;
    painter.save();
    if (picture.outline.isEmpty()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        // PDF output would store it as JPEG otherwise, blurring the pixel
        // edges and greying the white ground.
        painter.setRenderHint(QPainter::LosslessImageRendering, true);
        painter.drawImage(target, picture.image);
    } else {
        painter.fillRect(target, Qt::white);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.translate(target.topLeft());
        painter.scale(target.width() / picture.image.width(), target.height() / picture.image.height());
        painter.fillPath(picture.outline, Qt::black);
    }
    painter.restore();
}
