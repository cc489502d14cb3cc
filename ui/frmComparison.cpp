// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/frmComparison.h"

#include "core/Messages.h"
#include "mansions/ReadingCaptions.h"
#include "ui/Accessible.h"
#include "ui/Desktop.h"
#include "ui/Look.h"
#include "ui/MansionPicture.h"
#include "ui/ReadingFlow.h"
#include "ui/ReadingPrint.h"
#include "ui/Session.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>
#include <tuple>

namespace {

constexpr double defaultPointSize = 8.25;
constexpr double frameCaptionPointSize = 9.0;
constexpr double headlinePointSize = 14.25; // the mansion names and the score, as on the result screen
constexpr int valueColumnWidth = 2700;      // twips; longer names are shortened with an ellipsis
constexpr int sectionGap = 180;             // twips between the readings, the counts and the score
constexpr int pictureGap = 8;               // pixels between the two pictures on paper

const char *const mansionPictureName = "Chinese Lunar Mansion Picture";

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

QLabel *newLabel(const QString &text, const QFont &font, const QColor &colour)
{
    auto *label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextColour(label, colour);
    return label;
}

// Both pictures side by side, bottoms aligned, as one: the pixels on white,
// and the outlines where both have one.
MansionPicture sideBySide(const MansionPicture &first, const MansionPicture &second)
{
    MansionPicture both;
    if (first.isNull() || second.isNull())
        return both;
    const QSize a = first.image.size();
    const QSize b = second.image.size();
    const int height = std::max(a.height(), b.height());
    both.image = QImage(a.width() + pictureGap + b.width(), height, QImage::Format_RGB32);
    both.image.fill(Qt::white);
    QPainter painter(&both.image);
    painter.drawImage(0, height - a.height(), first.image);
    painter.drawImage(a.width() + pictureGap, height - b.height(), second.image);
    if (!first.outline.isEmpty() && !second.outline.isEmpty()) {
        both.outline = first.outline.translated(0, height - a.height());
        both.outline.addPath(second.outline.translated(a.width() + pictureGap, height - b.height()));
    }
    return both;
}

} // namespace

frmComparison::frmComparison(const ReadingPair &pair, std::shared_ptr<Session> session, QWidget *parent)
    : QDialog(parent), m_pair(pair), m_session(std::move(session))
{
    setObjectName(QStringLiteral("frmComparison"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromUtf8(Messages::windowTitle));
    setFont(Look::verdana(defaultPointSize));
    Look::applyScreenPalette(this);

    auto *frame = new QGroupBox(QString::fromLatin1(PairCaptions::title), this);
    frame->setObjectName(QStringLiteral("fraComparison"));
    frame->setFont(Look::verdana(frameCaptionPointSize, true));
    setTextColour(frame, Look::orange);
    auto *grid = new QGridLayout(frame);
    grid->setColumnMinimumWidth(1, twips(valueColumnWidth));
    grid->setColumnMinimumWidth(2, twips(valueColumnWidth));
    addReadingRows(grid);
    addDirectionRows(grid, grid->rowCount());
    addScoreRows(grid, grid->rowCount());

    auto *buttons = new QDialogButtonBox(this);
    const auto addButton = [&](const char *name, const char *caption, QDialogButtonBox::ButtonRole role) {
        QPushButton *button = buttons->addButton(QString::fromLatin1(caption), role);
        button->setObjectName(QString::fromLatin1(name));
        button->setFont(Look::verdana(defaultPointSize, true));
        return button;
    };
    connect(addButton("cmdCopy", "&Copy as Text", QDialogButtonBox::ActionRole), &QPushButton::clicked, this,
            &frmComparison::cmdCopy_Click);
    connect(addButton("cmdPrint", "&Print...", QDialogButtonBox::ActionRole), &QPushButton::clicked, this,
            &frmComparison::cmdPrint_Click);
    connect(addButton("cmdExportPdf", "E&xport as PDF...", QDialogButtonBox::ActionRole), &QPushButton::clicked, this,
            &frmComparison::cmdExportPdf_Click);
    QPushButton *cmdClose = addButton("cmdClose", "C&lose", QDialogButtonBox::RejectRole);
    cmdClose->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(frame);
    layout->addWidget(buttons);
}

// A heading row with each reading's name, their pictures, then the mansion
// and the nakshatra of each.
void frmComparison::addReadingRows(QGridLayout *grid)
{
    const QFont captionFont = Look::verdana(defaultPointSize, true);
    const QString mansionCaption = QString::fromLatin1(ReadingCaptions::values[0]);
    const QString nakshatraCaption = QString::fromLatin1(ReadingCaptions::values.back());
    grid->addWidget(newLabel(mansionCaption, captionFont, Look::orange), 2, 0, Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(newLabel(nakshatraCaption, captionFont, Look::orange), 3, 0);
    const std::array columns{std::tuple{1, QStringLiteral("First Reading"), m_pair.nameA, &m_pair.a},
                             std::tuple{2, QStringLiteral("Second Reading"), m_pair.nameB, &m_pair.b}};
    for (const auto &[column, whose, name, reading] : columns) {
        addValue(grid, 0, column, name, whose, captionFont);
        auto *pictureBox = new QLabel;
        pictureBox->setObjectName(QStringLiteral("picChinese%1").arg(column));
        const MansionPicture picture = mansionPicture(reading->pictureEntry);
        pictureBox->setPixmap(pictureForScreen(picture, picture.image.size(), devicePixelRatioF()));
        pictureBox->setAccessibleName(QStringLiteral("%1, %2").arg(QLatin1String(mansionPictureName), name));
        grid->addWidget(pictureBox, 1, column, Qt::AlignLeft | Qt::AlignTop);
        addValue(grid, 2, column, reading->values[0], QStringLiteral("%1, %2").arg(mansionCaption, name),
                 Look::verdana(headlinePointSize, true));
        addValue(grid, 3, column, reading->nakshatraName, QStringLiteral("%1, %2").arg(nakshatraCaption, name), font());
    }
    grid->setRowMinimumHeight(4, twips(sectionGap));
}

// What the counts are, a heading row with each direction, then its count,
// tara, meaning and whether it is favourable, and what makes it so.
void frmComparison::addDirectionRows(QGridLayout *grid, int firstRow)
{
    addNote(grid, firstRow, taraCountNote(), "lblCountNote");
    const int headingRow = firstRow + 1;
    const QFont captionFont = Look::verdana(defaultPointSize, true);
    const std::array captions{PairCaptions::count, PairCaptions::tara, PairCaptions::meaning, PairCaptions::favourable};
    for (int c = 0; c < int(captions.size()); ++c)
        grid->addWidget(newLabel(QString::fromLatin1(captions.at(c)), captionFont, Look::orange), headingRow + 1 + c,
                        0);
    const std::array columns{
        std::tuple{1, QStringLiteral("First Direction"), directionName(m_pair.nameA, m_pair.nameB), m_pair.match.aToB},
        std::tuple{2, QStringLiteral("Second Direction"), directionName(m_pair.nameB, m_pair.nameA),
                   m_pair.match.bToA}};
    for (const auto &[column, whose, direction, step] : columns) {
        addValue(grid, headingRow, column, direction, whose, captionFont);
        const std::array values{QString::number(step.count), taraName(step), taraMeaning(step.tara),
                                favourableText(step)};
        for (int v = 0; v < int(values.size()); ++v)
            addValue(grid, headingRow + 1 + v, column, values.at(v),
                     QStringLiteral("%1, %2").arg(QLatin1String(captions.at(v)), direction), font());
    }
    const int noteRow = headingRow + 1 + int(captions.size());
    addNote(grid, noteRow, taraFavourableNote(), "lblFavourableNote");
    grid->setRowMinimumHeight(noteRow + 1, twips(sectionGap));
}

// The score, what it means for these two readings, what each score stands
// for and where the rule comes from.
void frmComparison::addScoreRows(QGridLayout *grid, int firstRow)
{
    const QString scoreCaption = QString::fromLatin1(PairCaptions::score);
    grid->addWidget(newLabel(scoreCaption, Look::verdana(defaultPointSize, true), Look::orange), firstRow, 0,
                    Qt::AlignLeft | Qt::AlignVCenter);
    addValue(grid, firstRow, 1, taraScoreText(m_pair.match.score), scoreCaption,
             Look::verdana(headlinePointSize, true));

    setTextColour(addNote(grid, firstRow + 1, taraScoreSentence(m_pair.match.score), "lblScoreSentence"),
                  Look::lightOrange);
    addNote(grid, firstRow + 2, taraScoreScale(), "lblScoreScale");
    addNote(grid, firstRow + 3, taraRuleNote(), "lblRule");
}

// A sentence across the whole width, wrapped.
QLabel *frmComparison::addNote(QGridLayout *grid, int row, const QString &text, const char *name)
{
    QLabel *note = newLabel(text, font(), Look::orange);
    note->setObjectName(QString::fromLatin1(name));
    note->setWordWrap(true);
    grid->addWidget(note, row, 0, 1, 3);
    return note;
}

// A value of the comparison in `font`, read out under `name`; a text too
// long for its column is shortened on screen and shown whole in its tooltip.
QLabel *frmComparison::addValue(QGridLayout *grid, int row, int column, const QString &text, const QString &name,
                                const QFont &font)
{
    const QString shown = QFontMetrics(font).elidedText(text, Qt::ElideMiddle, twips(valueColumnWidth));
    QLabel *label = newLabel(shown, font, Look::lightOrange);
    label->setObjectName(QStringLiteral("lblValue%1_%2").arg(row).arg(column));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (shown != text)
        label->setToolTip(text);
    Accessible::exposeValue(label, name);
    grid->addWidget(label, row, column);
    return label;
}

void frmComparison::cmdCopy_Click()
{
    desktop().copyText(readingPairText(m_pair));
}

void frmComparison::cmdPrint_Click()
{
    printReading(this, comparisonPage(m_pair));
}

void frmComparison::cmdExportPdf_Click()
{
    exportReadingPdf(this, comparisonPage(m_pair), *m_session);
}

ReadingPage comparisonPage(const ReadingPair &pair)
{
    ReadingPage page;
    page.title = QString::fromLatin1(PairCaptions::title);
    page.fileStem = pairFileStem(pair);
    const auto row = [&page](const QString &caption, const QString &value) {
        page.captions.append(caption);
        page.values.append(value);
    };
    row(QStringLiteral("Readings"), QStringLiteral("%1 and %2").arg(pair.nameA, pair.nameB));
    for (const auto &[name, reading] : {std::pair{pair.nameA, &pair.a}, std::pair{pair.nameB, &pair.b}})
        row(name, QStringLiteral("%1 (%2)").arg(reading->values[0], reading->nakshatraName));
    row(directionName(pair.nameA, pair.nameB), taraStepLine(pair.match.aToB));
    row(directionName(pair.nameB, pair.nameA), taraStepLine(pair.match.bToA));
    row(QString::fromLatin1(PairCaptions::score), taraScoreText(pair.match.score));
    page.traitsCaptions = {QStringLiteral("What the Score Means"), QStringLiteral("How It Is Counted"),
                           QStringLiteral("Where the Rule Comes From")};
    page.traits = {taraScoreSentence(pair.match.score) + u' ' + taraScoreScale(),
                   taraCountNote() + u' ' + taraFavourableNote(), taraRuleNote()};

    const MansionPicture first = mansionPicture(pair.a.pictureEntry);
    page.picture = sideBySide(first, mansionPicture(pair.b.pictureEntry));
    if (!page.picture.isNull()) {
        // Each character's centre, as a share of the whole picture's width.
        const double width = page.picture.image.width();
        const double firstCentre = first.image.width() / 2.0 / width;
        const double secondCentre = (first.image.width() + pictureGap + width) / 2.0 / width;
        const auto label = [](const QString &name, const Reading &reading) {
            return QStringLiteral("%1: %2").arg(name, reading.values[0]);
        };
        page.pictureLabels = {{label(pair.nameA, pair.a), firstCentre}, {label(pair.nameB, pair.b), secondCentre}};
    }
    return page;
}

void compareWithSavedReading(const std::shared_ptr<Session> &session, QWidget *resultScreen)
{
    if (!session->reading())
        return;
    const Reading shown = *session->reading();
    const std::optional<Reading> chosen =
        chooseSavedReading(*session, resultScreen, QStringLiteral("Compare With Another Reading"));
    if (!chosen)
        return;
    auto *window = new frmComparison(readingPair(shown, *chosen), session, resultScreen);
    window->show();
}
