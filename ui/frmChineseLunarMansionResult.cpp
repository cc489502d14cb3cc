// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/frmChineseLunarMansionResult.h"

#include "core/Messages.h"
#include "core/Reading.h"
#include "mansions/ReadingCaptions.h"
#include "mansions/modChineseLunarMansionInformation.h"
#include "ui/Accessible.h"
#include "ui/Branding.h"
#include "ui/Centred.h"
#include "ui/Desktop.h"
#include "ui/HelpMenu.h"
#include "ui/LinkLabel.h"
#include "ui/Look.h"
#include "ui/MansionPicture.h"
#include "ui/ReadingFlow.h"
#include "ui/ReadingPrint.h"
#include "ui/RecentReadings.h"
#include "ui/Session.h"
#include "ui/frmComparison.h"
#include "ui/frmMain.h"
#include "ui/frmMoonCalendar.h"

#include <QAction>
#include <QFileInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

// Design geometry in twips: left, top, width, height.
struct DesignRect {
    int left, top, width, height;
    QRect pixels() const { return twipRect(left, top, width, height); }
};

struct CaptionDesign {
    const char *text;
    DesignRect rect;
};

// The caption labels, in index order; each sits on the line of the value
// label with the same index.
constexpr std::array<CaptionDesign, frmChineseLunarMansionResult::captionCount> captionDesigns{{
    {ReadingCaptions::values[0], {120, 360, 2850, 195}},
    {ReadingCaptions::values[1], {120, 720, 2010, 195}},
    {ReadingCaptions::values[2], {120, 1080, 2145, 195}},
    {ReadingCaptions::values[3], {120, 1440, 1800, 195}},
    {ReadingCaptions::values[4], {120, 1800, 1800, 195}},
    {ReadingCaptions::values[5], {120, 2160, 1830, 195}},
    {ReadingCaptions::values[6], {120, 2520, 3585, 195}},
    {ReadingCaptions::traits[0], {120, 2880, 2145, 195}},
    {ReadingCaptions::traits[1], {3960, 2880, 2235, 195}},
}};

constexpr std::array<DesignRect, frmChineseLunarMansionResult::resultCount> resultDesigns{{
    {3960, 210, 1035, 345},
    {3960, 720, 525, 195},
    {3960, 1080, 525, 195},
    {3960, 1440, 525, 195},
    {3960, 1800, 525, 195},
    {3960, 2160, 525, 195},
    {3960, 2520, 525, 195},
}};

constexpr std::array<DesignRect, frmChineseLunarMansionResult::traitsCount> traitsDesigns{{
    {120, 3240, 3375, 1095},
    {3960, 3240, 3375, 1095},
}};

constexpr int clientWidth = 7455;   // twips
constexpr int clientHeight = 6285;  // twips
constexpr DesignRect topLinkDesign{1207, 0, 5040, 390};
constexpr DesignRect frameDesign{0, 480, 7455, 4935};
constexpr DesignRect brandingDesign{0, 5415, 7455, 855};
constexpr DesignRect pictureDesign{6840, 210, 495, 390};
constexpr DesignRect backDesign{5280, 4440, 975, 375};
constexpr DesignRect saveDesign{6360, 4440, 975, 375};
// Whose reading it is, on the buttons' line, left of them.
constexpr DesignRect whoseDesign{120, 4530, 5040, 195};

constexpr double defaultPointSize = 8.25;
constexpr double frameCaptionPointSize = 9.0;
constexpr double mansionNamePointSize = 14.25;

const char *const initialResult = "Result";
const char *const frameCaption = ReadingCaptions::frame;
const char *const noBirthToChange = "This reading's file keeps no birth data to change.";

// "Reading of Carlos Ruiz", or "Reading from carlos.qvr" for a reading
// whose file keeps no birth.
QString whoseText(const Reading &reading)
{
    if (reading.birth)
        return QStringLiteral("Reading of %1").arg(reading.birth->name.trimmed());
    return QStringLiteral("Reading from %1").arg(QFileInfo(reading.sourcePath).fileName());
}

// The tooltip as rich text, which wraps, at most as wide as `window`: as plain
// text it is one line as long as its words, about twice the screen's width,
// and cut off on a small screen.
QString wrappedTooltip(const QString &text, const QWidget *window)
{
    // The table sets the width the text wraps at; a tenth of the window is
    // left for the tooltip's own frame and margins.
    return QStringLiteral("<table width=\"%1\"><tr><td>%2</td></tr></table>")
        .arg(window->width() * 9 / 10)
        .arg(text.toHtmlEscaped());
}

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

QLabel *addLabel(QWidget *parent, const QString &text, const QRect &designRect, const QFont &font,
                 const QColor &colour)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    setTextColour(label, colour);
    // Labels size themselves to their text from the design position.
    label->setGeometry(designRect);
    label->adjustSize();
    return label;
}

} // namespace

frmChineseLunarMansionResult::frmChineseLunarMansionResult(std::shared_ptr<Session> session, QWidget *parent)
    : Screen(parent), m_session(std::move(session))
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("central"));
    central->setFixedSize(twips(clientWidth), twips(clientHeight));
    central->setFont(Look::verdana(defaultPointSize));
    Look::applyScreenPalette(central);
    setCentralWidget(central);

    createMenus();
    createControls(central);
    m_mnuChangeBirthData->setEnabled(false); // until a calculated reading is shown

    setWindowTitle(QString::fromUtf8(Messages::windowTitle));
}

void frmChineseLunarMansionResult::createMenus()
{
    using Command = void (frmChineseLunarMansionResult::*)();
    struct FileMenuEntry {
        const char *name;
        const char *caption; // none for a separator
        QKeySequence shortcut;
        Command command;
        QAction **action;
    };
    // The File menu, top to bottom: the screen's own Back and Save, then the
    // entries the program adds, each with its standard shortcut.
    const FileMenuEntry fileMenu[] = {
        {"mnuBack", "&Back", {}, &frmChineseLunarMansionResult::mnuBack_Click, &m_mnuBack},
        {"mnuFile1", nullptr, {}, nullptr, nullptr},
        {"mnuSave", "&Save", QKeySequence::Save, &frmChineseLunarMansionResult::mnuSave_Click, &m_mnuSave},
        {"mnuPrint", "&Print...", QKeySequence::Print, &frmChineseLunarMansionResult::mnuPrint_Click, &m_mnuPrint},
        {"mnuExportPdf", "E&xport as PDF...", {}, &frmChineseLunarMansionResult::mnuExportPdf_Click, &m_mnuExportPdf},
        {"mnuFile2", nullptr, {}, nullptr, nullptr},
        {"mnuChangeBirthData", "Change Birth &Data", QKeySequence(Qt::CTRL | Qt::Key_E),
         &frmChineseLunarMansionResult::mnuChangeBirthData_Click, &m_mnuChangeBirthData},
        {"mnuCompare", "Compare With &Another Reading...", {}, &frmChineseLunarMansionResult::mnuCompare_Click,
         &m_mnuCompare},
        {"mnuMoonCalendar", "Moon &Calendar...", {}, &frmChineseLunarMansionResult::mnuMoonCalendar_Click,
         &m_mnuMoonCalendar},
    };

    QMenu *mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFile->setToolTipsVisible(true);  // why an entry is greyed out
    for (const FileMenuEntry &entry : fileMenu) {
        if (QAction *action = addMenuRow(mnuFile, entry.name, entry.caption, entry.shortcut)) {
            connect(action, &QAction::triggered, this, entry.command);
            *entry.action = action;
        }
    }
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuFile3"));
    addRecentMenu(mnuFile, m_session, this);
    addHelpMenu(menuBar(), this);
}

void frmChineseLunarMansionResult::createControls(QWidget *central)
{
    LinkLabel *label61 = createTopLinkLabel(central, BrandingScreen::Result);
    label61->setGeometry(topLinkDesign.pixels());

    auto *frame1 = new QGroupBox(QString::fromLatin1(frameCaption), central);
    frame1->setObjectName(QStringLiteral("Frame1"));
    frame1->setGeometry(frameDesign.pixels());
    frame1->setFont(Look::verdana(frameCaptionPointSize, true));
    setTextColour(frame1, Look::orange);

    const QFont captionFont = Look::verdana(defaultPointSize, true);
    const QFont defaultFont = Look::verdana(defaultPointSize);

    for (int i = 0; i < captionCount; ++i) {
        const CaptionDesign &design = captionDesigns.at(i);
        m_lblCaptions.at(i) = addLabel(frame1, QString::fromLatin1(design.text), design.rect.pixels(), captionFont,
                                     Look::orange);
        m_lblCaptions.at(i)->setObjectName(QStringLiteral("lblCaption%1").arg(i));
    }

    for (int i = 0; i < resultCount; ++i) {
        const QFont font = i == 0 ? Look::verdana(mansionNamePointSize, true) : defaultFont;
        m_lblResults.at(i) = addLabel(frame1, QString::fromLatin1(initialResult), resultDesigns.at(i).pixels(), font,
                                    Look::lightOrange);
        m_lblResults.at(i)->setObjectName(QStringLiteral("lblResult%1").arg(i));
        // Read out as its caption and the value shown.
        Accessible::exposeValue(m_lblResults.at(i), m_lblCaptions.at(i));
    }

    for (int i = 0; i < traitsCount; ++i) {
        auto *box = new QPlainTextEdit(frame1);
        box->setObjectName(QStringLiteral("txtTraits%1").arg(i));
        box->setGeometry(traitsDesigns.at(i).pixels());
        box->setFont(defaultFont);
        box->setReadOnly(true);
        box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        QPalette palette = box->palette();
        palette.setColor(QPalette::Base, Look::black);
        palette.setColor(QPalette::Text, Look::lightOrange);
        box->setPalette(palette);
        // MouseMove is reported while no button is held, as the pointer passes over.
        box->setMouseTracking(true);
        box->viewport()->setMouseTracking(true);
        box->installEventFilter(this);
        box->viewport()->installEventFilter(this);
        connect(box, &QPlainTextEdit::textChanged, this, &frmChineseLunarMansionResult::txtTraits_Change);
        m_txtTraitsBoxes.at(i) = box;
        Accessible::nameAfter(box, m_lblCaptions.at(resultCount + i));
    }

    m_picChineseBox = new QLabel(frame1);
    m_picChineseBox->setObjectName(QStringLiteral("picChinese"));
    m_picChineseBox->setGeometry(pictureDesign.pixels());
    m_picChineseBox->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_picChineseBox->setAccessibleName(QStringLiteral("Chinese Lunar Mansion Picture"));
    // Drawn again for the pixel ratio of a screen the window moves to.
    m_picChineseBox->installEventFilter(this);
    setPicture(1);

    const QFont buttonFont = Look::verdana(defaultPointSize, true);
    m_cmdBack = new QPushButton(QStringLiteral("&Back"), frame1);
    m_cmdBack->setObjectName(QStringLiteral("cmdBack"));
    m_cmdBack->setGeometry(backDesign.pixels());
    m_cmdBack->setFont(buttonFont);
    m_cmdSave = new QPushButton(QStringLiteral("&Save"), frame1);
    m_cmdSave->setObjectName(QStringLiteral("cmdSave"));
    m_cmdSave->setGeometry(saveDesign.pixels());
    m_cmdSave->setFont(buttonFont);
    connect(m_cmdBack, &QPushButton::clicked, this, &frmChineseLunarMansionResult::cmdBack_Click);
    connect(m_cmdSave, &QPushButton::clicked, this, &frmChineseLunarMansionResult::cmdSave_Click);

    m_lblWhose = addLabel(frame1, QString(), whoseDesign.pixels(), defaultFont, Look::lightOrange);
    m_lblWhose->setObjectName(QStringLiteral("lblWhose"));
    m_lblWhose->setFixedWidth(whoseDesign.pixels().width());

    BrandingFrame branding = createBrandingFrame(central, BrandingScreen::Result);
    branding.frame->setGeometry(brandingDesign.pixels());
}

void frmChineseLunarMansionResult::setReading(const Reading &reading, const BirthPlace &place)
{
    m_session->setReading(reading, place);
    // A reading opened from a file of the nakshatra alone holds no birth to change.
    m_mnuChangeBirthData->setEnabled(reading.birth.has_value());
    const QString why = reading.birth ? QString() : QString::fromUtf8(noBirthToChange);
    m_mnuChangeBirthData->setToolTip(why);
    m_mnuChangeBirthData->setStatusTip(why);
    showWhose(reading);
    for (int i = 0; i < resultCount; ++i) {
        QLabel *label = m_lblResults.at(i);
        label->setText(reading.values.at(i));
        label->adjustSize();
    }
    for (int i = 0; i < traitsCount; ++i) {
        QPlainTextEdit *box = m_txtTraitsBoxes.at(i);
        // Only a text that differs from the box's own is a change.
        if (box->toPlainText() != reading.traits.at(i))
            box->setPlainText(reading.traits.at(i));
    }
    setPicture(reading.pictureEntry);
    m_lblResults.back()->setToolTip(reading.span ? wrappedTooltip(birthTimeSpanText(*reading.span), centralWidget())
                                               : QString());
}

void frmChineseLunarMansionResult::showWhose(const Reading &reading)
{
    const bool known = reading.birth || !reading.sourcePath.isEmpty();
    const QString whose = known ? whoseText(reading) : QString();
    m_lblWhose->setText(QFontMetrics(m_lblWhose->font()).elidedText(whose, Qt::ElideMiddle, m_lblWhose->width()));
    m_lblWhose->setToolTip(whose);
}

void frmChineseLunarMansionResult::setPicture(int entryNumber)
{
    // The picture sits at the box's top-left corner; one larger than the box
    // is fitted into it, so the whole character shows.
    const QPixmap pixmap =
        pictureForScreen(mansionPicture(entryNumber), m_picChineseBox->size(), m_picChineseBox->devicePixelRatioF());
    if (pixmap.isNull())
        return;
    m_picChineseBox->setPixmap(pixmap);
    m_shownPictureEntry = entryNumber;
}

void frmChineseLunarMansionResult::cmdBack_Click()
{
    if (modalWindowOpen())
        return;
    // The main input screen comes up before this screen goes, so the program
    // always has one of its two screens open.
    auto *mainScreen = new frmMain(m_session);
    showCentred(mainScreen);
    closeByProgram();
}

void frmChineseLunarMansionResult::mnuChangeBirthData_Click()
{
    const std::optional<Reading> &reading = m_session->reading();
    if (modalWindowOpen() || !reading || !reading->birth)
        return;
    // As Back, but the new main input screen holds this reading's birth.
    auto *mainScreen = new frmMain(m_session);
    mainScreen->fillBirth(*reading->birth, m_session->birthPlace());
    showCentred(mainScreen);
    closeByProgram();
}

void frmChineseLunarMansionResult::showReadingFile(const QString &path)
{
    openReadingFile(path, m_session, this);
}

void frmChineseLunarMansionResult::cmdSave_Click()
{
    saveReading(*m_session, this);
    // A reading without a birth now goes by the file it was saved to.
    if (m_session->reading())
        showWhose(*m_session->reading());
}

void frmChineseLunarMansionResult::mnuBack_Click()
{
    cmdBack_Click();
}

void frmChineseLunarMansionResult::mnuSave_Click()
{
    cmdSave_Click();
}

void frmChineseLunarMansionResult::mnuPrint_Click()
{
    if (m_session->reading())
        printReading(this, readingPage(*m_session->reading(), m_session->birthPlace()));
}

void frmChineseLunarMansionResult::mnuExportPdf_Click()
{
    if (m_session->reading())
        exportReadingPdf(this, readingPage(*m_session->reading(), m_session->birthPlace()), *m_session);
}

void frmChineseLunarMansionResult::mnuCompare_Click()
{
    compareWithSavedReading(m_session, this);
}

void frmChineseLunarMansionResult::mnuMoonCalendar_Click()
{
    (new frmMoonCalendar(m_session, this))->show();
}

void frmChineseLunarMansionResult::txtTraits_Change()
{
    desktop().clearClipboard();
}

void frmChineseLunarMansionResult::txtTraits_Mouse()
{
    desktop().clearClipboard();
}

bool frmChineseLunarMansionResult::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (watched == m_picChineseBox) {
        if (type == QEvent::ScreenChangeInternal && m_shownPictureEntry > 0)
            setPicture(m_shownPictureEntry);
        return Screen::eventFilter(watched, event);
    }
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease)
        return Screen::eventFilter(watched, event);

    QPlainTextEdit *box = nullptr;
    for (QPlainTextEdit *candidate : m_txtTraitsBoxes) {
        if (watched == candidate || watched == candidate->viewport())
            box = candidate;
    }
    if (!box)
        return Screen::eventFilter(watched, event);

    auto *mouse = static_cast<QMouseEvent *>(event);
    const QPoint position = mouse->position().toPoint();
    // An event the viewport passed on reaches the box as well; count it once.
    if (watched == box && box->viewport()->geometry().contains(position))
        return Screen::eventFilter(watched, event);

    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        m_pressedBox = box;  // a click on this box may follow
        txtTraits_Mouse();
        break;
    case QEvent::MouseMove:
        txtTraits_Mouse();
        break;
    case QEvent::MouseButtonRelease: {
        // The release empties the clipboard, and once more when it completes
        // a click: pressed on this box and released inside it.
        txtTraits_Mouse();
        const auto *widget = static_cast<QWidget *>(watched);
        if (m_pressedBox == box && widget->rect().contains(position))
            txtTraits_Mouse();
        m_pressedBox = nullptr;
        break;
    }
    default:
        break;
    }
    return Screen::eventFilter(watched, event);
}
