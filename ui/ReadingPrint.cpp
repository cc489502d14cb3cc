// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/ReadingPrint.h"

#include "core/Messages.h"
#include "core/Reading.h"
#include "core/ReadingPair.h"
#include "mansions/ReadingCaptions.h"
#include "sys/SafeFile.h"
#include "ui/Desktop.h"
#include "ui/Look.h"
#include "ui/ReadingFlow.h"
#include "ui/Session.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextOption>

#include <algorithm>
#include <cmath>
#include <optional>

#include <sys/stat.h>

namespace {

// Type sizes and spacing, in points.
constexpr double titlePoints = 20;
constexpr double mansionNamePoints = 16; // value 0, larger as on the screen
constexpr double tablePoints = 11;       // the other captions and values
constexpr double personPoints = 14;      // the name of the reading's birth
constexpr double detailsPoints = 11;     // its date, time, zone and place
constexpr double traitsCaptionPoints = 12;
constexpr double traitsPoints = 11;
constexpr double pictureHeightPoints = 64; // about 22 mm
constexpr double headerGapPoints = 10;     // between the header and its rule
constexpr double ruleGapPoints = 16;       // between the rule and the table
constexpr double columnGapPoints = 18;     // between captions and values
constexpr double rowPaddingPoints = 5;     // above and below each table row's text
constexpr double sectionGapPoints = 22;    // before each traits paragraph's caption
constexpr double captionGapPoints = 5;     // between a traits caption and its paragraph
constexpr double pictureLabelPoints = 9;   // the names under a comparison's two characters
constexpr double pictureLabelGapPoints = 3; // between the picture and its labels
constexpr double ruleWidthPoints = 1;
constexpr double gridWidthPoints = 0.4;
constexpr double widestCaptionShare = 0.5; // the caption column's limit, of the width

constexpr double paperMarginMillimetres = 20;
constexpr int fitSteps = 12; // halvings that settle an overfull page's scale to 1/4096

constexpr double tallestTextBox = 4e6; // device units; text positions are 26.6 fixed point

const QColor ink(0, 0, 0);
const QColor gridGrey(160, 160, 160);

const char *const pdfFilter = "PDF (*.pdf)";
const char *const pdfSuffix = "pdf";

// Lays the page out top to bottom within `area`, drawing only when `draw` is
// set, and returns the height used. Running it once to measure and once to
// draw keeps the two passes from drifting apart.
class PageLayout {
public:
    PageLayout(QPainter &painter, const QRectF &area, bool draw)
        : m_painter(painter), m_area(area), m_draw(draw), m_unit(painter.device()->logicalDpiY() / 72.0)
    {
    }

    double layOut(const ReadingPage &reading)
    {
        double y = m_area.top();
        y = header(reading, y);
        y = person(reading, y);
        y = table(reading, y + ruleGapPoints * m_unit);
        for (qsizetype i = 0; i < reading.traits.size(); ++i)
            y = traits(reading.traitsCaptions.value(i), reading.traits.at(i), y + sectionGapPoints * m_unit);
        return y - m_area.top();
    }

private:
    double points(double value) const { return value * m_unit; }

    // The height of `text` wrapped to `width` in `font`, drawn at (x, y) when drawing.
    double text(const QString &text, const QFont &font, double x, double y, double width)
    {
        QTextOption option(Qt::AlignLeft | Qt::AlignTop);
        // Words wrap at blanks; a word longer than the line breaks inside
        // rather than running off the paper.
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        m_painter.setFont(font);
        // Tall enough never to clip, and well inside the text engine's fixed-point range.
        const QRectF box(x, y, std::max(width, 1.0), std::min(m_area.height() * 16, tallestTextBox));
        const QRectF used = m_painter.boundingRect(box, text, option);
        if (m_draw)
            m_painter.drawText(box, text, option);
        return text.isEmpty() ? QFontMetricsF(font, m_painter.device()).height() : used.height();
    }

    void rule(double y, double widthPoints, const QColor &colour)
    {
        if (!m_draw)
            return;
        QPen pen(colour);
        pen.setWidthF(points(widthPoints));
        pen.setCapStyle(Qt::FlatCap);
        m_painter.setPen(pen);
        m_painter.drawLine(QPointF(m_area.left(), y), QPointF(m_area.right(), y));
        m_painter.setPen(ink);
    }

    // The title on the left, the picture on the right, a rule under both.
    double header(const ReadingPage &reading, double y)
    {
        QSizeF pictureSize;
        if (!reading.picture.isNull()) {
            // Enlarged by a whole number, so that a picture drawn from its
            // pixels keeps every one of them square.
            const QSize pixels = reading.picture.image.size();
            const int factor = std::max(1, int(std::floor(points(pictureHeightPoints) / pixels.height())));
            pictureSize = pixels * factor;
            // Never wider than half the page.
            if (pictureSize.width() > m_area.width() / 2)
                pictureSize.scale(m_area.width() / 2, pictureSize.height(), Qt::KeepAspectRatio);
        }

        const QFont titleFont = Look::verdana(titlePoints, true);
        const double titleWidth =
            m_area.width() - pictureSize.width() - (pictureSize.isEmpty() ? 0 : points(columnGapPoints));
        m_painter.setFont(titleFont);
        const QRectF titleBox(m_area.left(), y, std::max(titleWidth, 1.0), m_area.height());
        const QRectF titleUsed =
            m_painter.boundingRect(titleBox, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, reading.title);
        const QFont labelFont = Look::verdana(pictureLabelPoints);
        const double labelsHeight =
            pictureSize.isEmpty() || reading.pictureLabels.isEmpty()
                ? 0
                : points(pictureLabelGapPoints) + QFontMetricsF(labelFont, m_painter.device()).height();
        const double pictureBlock = pictureSize.height() + labelsHeight;
        const double height = std::max(titleUsed.height(), pictureBlock);

        if (m_draw) {
            m_painter.setPen(ink);
            const QRectF titleAt(m_area.left(), y + (height - titleUsed.height()) / 2, titleBox.width(),
                                 titleUsed.height());
            m_painter.drawText(titleAt, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, reading.title);
            if (!pictureSize.isEmpty()) {
                const QRectF target(m_area.right() - pictureSize.width(), y + (height - pictureBlock) / 2,
                                    pictureSize.width(), pictureSize.height());
                paintPicture(m_painter, target, reading.picture);
                pictureLabels(reading.pictureLabels, target, labelFont);
            }
        }
        const double ruleY = y + height + points(headerGapPoints);
        rule(ruleY, ruleWidthPoints, ink);
        return ruleY + points(ruleWidthPoints);
    }

    // Each label centred under its part of the picture at `target`, as wide
    // as an equal share of the picture and shortened to fit it.
    void pictureLabels(const QList<PictureLabel> &labels, const QRectF &target, const QFont &font)
    {
        if (labels.isEmpty())
            return;
        m_painter.setFont(font);
        const QFontMetricsF metrics(font, m_painter.device());
        const double width = target.width() / double(labels.size());
        for (const PictureLabel &label : labels) {
            const double left = std::clamp(target.left() + label.centre * target.width() - width / 2, target.left(),
                                           target.right() - width);
            const QRectF box(left, target.bottom() + points(pictureLabelGapPoints), width, metrics.height());
            m_painter.drawText(box, Qt::AlignHCenter | Qt::AlignTop,
                               metrics.elidedText(label.text, Qt::ElideMiddle, width));
        }
    }

    // Whose reading it is, under the header's rule: the name, then the birth.
    double person(const ReadingPage &reading, double y)
    {
        if (reading.person.isEmpty() && reading.birthDetails.isEmpty())
            return y;
        y += points(ruleGapPoints);
        y += text(reading.person, Look::verdana(personPoints, true), m_area.left(), y, m_area.width());
        for (const QString &line : reading.birthDetails) {
            y += points(captionGapPoints);
            y += text(line, Look::verdana(detailsPoints), m_area.left(), y, m_area.width());
        }
        return y;
    }

    // Captions in the left column, values in the right, a hairline under each row.
    double table(const ReadingPage &reading, double y)
    {
        const QFont captionFont = Look::verdana(tablePoints, true);
        const QFont valueFont = Look::verdana(tablePoints);
        const QFont nameFont = Look::verdana(mansionNamePoints, true);

        const QFontMetricsF captionMetrics(captionFont, m_painter.device());
        double captionWidth = 0;
        for (const QString &caption : reading.captions)
            captionWidth = std::max(captionWidth, captionMetrics.horizontalAdvance(caption));
        captionWidth = std::min(std::ceil(captionWidth) + 1, m_area.width() * widestCaptionShare);
        const double valueLeft = m_area.left() + captionWidth + points(columnGapPoints);
        const double valueWidth = m_area.right() - valueLeft;

        for (qsizetype i = 0; i < reading.captions.size(); ++i) {
            const QFont &font = i == 0 ? nameFont : valueFont;
            // The caption and the value share their first baseline.
            const double captionAscent = captionMetrics.ascent();
            const double valueAscent = QFontMetricsF(font, m_painter.device()).ascent();
            const double baseline = y + points(rowPaddingPoints) + std::max(captionAscent, valueAscent);
            const double captionHeight =
                text(reading.captions.at(i), captionFont, m_area.left(), baseline - captionAscent, captionWidth);
            const double valueHeight = text(reading.values.value(i), font, valueLeft, baseline - valueAscent, valueWidth);
            const double bottom =
                std::max(baseline - captionAscent + captionHeight, baseline - valueAscent + valueHeight);
            y = bottom + points(rowPaddingPoints);
            rule(y, gridWidthPoints, gridGrey);
        }
        return y;
    }

    double traits(const QString &caption, const QString &paragraph, double y)
    {
        y += text(caption, Look::verdana(traitsCaptionPoints, true), m_area.left(), y, m_area.width());
        y += points(captionGapPoints);
        return y + text(paragraph, Look::verdana(traitsPoints), m_area.left(), y, m_area.width());
    }

    QPainter &m_painter;
    const QRectF m_area;
    const bool m_draw;
    const double m_unit; // device units per point
};

QPageLayout paperLayout()
{
    const double margin = paperMarginMillimetres;
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(margin, margin, margin, margin),
                       QPageLayout::Millimeter);
}

// "Born 15 August 1947 at 00:00, time zone UTC+5:30": the zone's direction
// as the calculation takes it.
QString birthMomentText(const BirthData &birth)
{
    const QString date = QStringLiteral("%1 %2 %3")
                             .arg(birth.day)
                             .arg(QLocale(QLocale::English).monthName(birth.month), QString::number(birth.year));
    const QString time =
        QStringLiteral("%1:%2").arg(birth.hour, 2, 10, QChar(u'0')).arg(birth.minute, 2, 10, QChar(u'0'));
    const QString zone = utcOffsetText(clockOffsetMinutes(birth, false) * 60, OffsetStyle::Printed);
    QString text = QStringLiteral("Born %1 at %2, time zone %3").arg(date, time, zone);
    if (birth.dst)
        text += QStringLiteral(", daylight saving time");
    return text;
}

// "New Delhi, Delhi, India, 28° 36′ N, 77° 13′ E": the place boxes that were
// filled in, then the coordinates.
QString birthPlaceText(const BirthData &birth, const BirthPlace &place)
{
    QStringList parts;
    for (const QString &part : {place.city, place.state, place.country}) {
        if (!part.trimmed().isEmpty())
            parts.append(part.trimmed());
    }
    parts.append(birth.latitude().text(AngleAxis::Latitude, AngleStyle::Printed));
    parts.append(birth.longitude().text(AngleAxis::Longitude, AngleStyle::Printed));
    return parts.join(QStringLiteral(", "));
}

} // namespace

ReadingPage readingPage(const Reading &reading, const BirthPlace &place)
{
    ReadingPage page;
    page.title = QString::fromLatin1(ReadingCaptions::frame);
    page.fileStem = readingFileStem(reading);
    if (reading.birth) {
        page.person = reading.birth->name;
        page.birthDetails = {birthMomentText(*reading.birth), birthPlaceText(*reading.birth, place)};
    }
    for (const char *caption : ReadingCaptions::values)
        page.captions.append(QString::fromLatin1(caption));
    page.values = QStringList(reading.values.cbegin(), reading.values.cend());
    for (const char *caption : ReadingCaptions::traits)
        page.traitsCaptions.append(QString::fromLatin1(caption));
    page.traits = QStringList(reading.traits.cbegin(), reading.traits.cend());
    // The picture at its own size, not the screen's fitted copy: paper
    // enlarges it.
    page.picture = mansionPicture(reading.pictureEntry);
    return page;
}

void paintReading(QPainter &painter, const QRectF &page, const ReadingPage &reading)
{
    if (page.isEmpty())
        return;
    painter.save();
    painter.setPen(ink);
    // The height the reading takes when drawn `scale` times its size.
    const auto heightAt = [&](double scale) {
        const QRectF area(0, 0, page.width() / scale, page.height() / scale);
        return scale * PageLayout(painter, area, false).layOut(reading);
    };
    // Text wraps to the width, so only the height can overflow. Shrinking
    // widens the lines, so fewer are needed: page height over needed height
    // surely fits, and the largest scale that fits lies between that and 1.
    double scale = 1.0;
    const double needed = heightAt(1.0);
    if (needed > page.height()) {
        double fits = page.height() / needed;
        double overflows = 1.0;
        for (int step = 0; step < fitSteps; ++step) {
            const double middle = (fits + overflows) / 2;
            (heightAt(middle) <= page.height() ? fits : overflows) = middle;
        }
        scale = fits;
    }
    painter.translate(page.topLeft());
    painter.scale(scale, scale);
    PageLayout(painter, QRectF(0, 0, page.width() / scale, page.height() / scale), true).layOut(reading);
    painter.restore();
}

QString readingDocumentTitle(const ReadingPage &reading)
{
    const QString name = reading.values.value(0).trimmed();
    return name.isEmpty() ? reading.title : QStringLiteral("%1 - %2").arg(reading.title, name);
}

namespace {

// Paints `copies` pages of the reading on `device`, each inside `page`.
bool paintCopies(QPagedPaintDevice &device, const QRectF &page, int copies, const ReadingPage &reading)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (int copy = 0; copy < copies; ++copy) {
        if (copy > 0 && !device.newPage()) {
            painter.end();
            return false;
        }
        paintReading(painter, page, reading);
    }
    return painter.end();
}

// The reading as a PDF document on `layout`, `copies` pages of it; nothing
// when it can't be painted. It is made in memory: the PDF writer doesn't
// check its own writes, so a short one (disk full, file size limit) would go
// unnoticed, and writeFileSafely writes it in one checked step.
std::optional<QByteArray> readingPdf(const ReadingPage &reading, const QPageLayout &layout, int copies)
{
    QByteArray document;
    QBuffer buffer(&document);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageLayout(layout);
    writer.setTitle(readingDocumentTitle(reading));
    writer.setCreator(QString::fromUtf8(Messages::windowTitle));
    const QRectF page(QPointF(0, 0), writer.pageLayout().paintRectPixels(writer.resolution()).size());
    if (!paintCopies(writer, page, copies, reading))
        return std::nullopt;
    return document;
}

} // namespace

bool writeReadingPdf(const QString &path, const ReadingPage &reading)
{
    const std::optional<QByteArray> document = readingPdf(reading, paperLayout(), 1);
    return document && writeFileSafely(path, *document);
}

bool printReadingOn(QPrinter &printer, const ReadingPage &reading)
{
    const QRectF page(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size());
    // A printer that can't make copies itself gets the page once per copy.
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    return paintCopies(printer, page, copies, reading) && printer.printerState() != QPrinter::Error;
}

void printReading(QWidget *parent, const ReadingPage &reading)
{
    QPrinter printer(QPrinter::HighResolution);
    // A print to a file proposes the document's name for it.
    printer.setDocName(reading.fileStem);
    printer.setCreator(QString::fromUtf8(Messages::windowTitle));
    printer.setPageMargins(paperLayout().margins(), QPageLayout::Millimeter);
    if (!desktop().choosePrinter(parent, printer))
        return;
    const QString outputFile = printer.outputFileName();
    bool printed = false;
    if (outputFile.isEmpty()) {
        printed = printReadingOn(printer, reading);
    } else {
        // Printed to a file, the page is a PDF written as an export is, and
        // only to a regular file (or a new one): a FIFO or a device of that
        // name is left alone.
        struct stat status {};
        const QByteArray nativeFile = QFile::encodeName(outputFile);
        const bool regularOrNew = ::stat(nativeFile.constData(), &status) != 0 || S_ISREG(status.st_mode);
        const std::optional<QByteArray> document =
            regularOrNew ? readingPdf(reading, printer.pageLayout(), std::max(1, printer.copyCount())) : std::nullopt;
        printed = document && writeFileSafely(outputFile, *document);
    }
    if (!printed)
        desktop().showMessage(parent, MessageIcon::Error, QString::fromUtf8(Messages::unableToPrint));
}

void exportReadingPdf(QWidget *parent, const ReadingPage &reading, Session &session)
{
    const QString suffix = QString::fromUtf8(pdfSuffix);
    const FileDialogRequest request{FileDialogRequest::Mode::Save, QString::fromUtf8(Messages::applicationTitle),
                                    QString::fromUtf8(pdfFilter),  suffix,
                                    readingDialogFolder(session),  reading.fileStem + u'.' + suffix};
    const std::optional<QString> path = desktop().chooseFile(parent, request);
    if (!path || path->isEmpty())
        return;
    if (writeReadingPdf(*path, reading))
        session.setReadingFolder(QFileInfo(*path).absolutePath());
    else
        desktop().showMessage(parent, MessageIcon::Error, QString::fromUtf8(Messages::unableToSave));
}
