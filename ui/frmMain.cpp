// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/frmMain.h"

#include "atlas/PlaceClock.h"
#include "birth/BirthReader.h"
#include "core/Messages.h"
#include "core/Reading.h"
#include "ui/Accessible.h"
#include "ui/AtlasWindowLoader.h"
#include "ui/Centred.h"
#include "ui/Desktop.h"
#include "ui/frmTimeZone.h"
#include "ui/HelpMenu.h"
#include "ui/LinkLabel.h"
#include "ui/Look.h"
#include "ui/ReadingFlow.h"
#include "ui/RecentReadings.h"
#include "ui/Session.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDate>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTime>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

namespace {

// Design sizes in twips.
constexpr int clientWidth = 7275;
// The row under the zone boxes that states the zone's offset; everything
// below it sits that much lower than in the original design.
constexpr int zoneOffsetRow = 225;
constexpr int clientHeight = 6405 + zoneOffsetRow;

const char *const monthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                  "July",    "August",   "September", "October", "November", "December"};

// A label that sizes itself to its text from the given top-left corner.
QLabel *addLabel(const QString &text, QWidget *parent, int left, int top)
{
    auto *label = new QLabel(text, parent);
    label->move(twips(left), twips(top));
    label->adjustSize();
    return label;
}

QLineEdit *addBox(const char *name, QWidget *parent, const QRect &geometry)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(geometry);
    return box;
}

QComboBox *addList(const char *name, QWidget *parent, const QRect &geometry)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setEditable(false);  // the user can only pick one of the entries
    list->setGeometry(geometry);
    return list;
}

void addNumbers(QComboBox *list, int first, int last)
{
    QStringList numbers;
    numbers.reserve(last - first + 1);
    for (int value = first; value <= last; ++value)
        numbers.append(QString::number(value));
    list->addItems(numbers);  // in one insertion: the list tells its views once
}

// A frame with a black background; `caption` (may be empty) in orange.
QGroupBox *addFrame(const char *name, const QString &caption, QWidget *parent, const QRect &geometry)
{
    auto *frame = new QGroupBox(caption, parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setGeometry(geometry);
    Look::applyScreenPalette(frame);
    return frame;
}

// Keys that move the cursor or the focus or delete text type no character
// the filter would judge, even where the platform attaches a control code to
// them (Tab's "\t", Delete's "\x7f").
bool isEditingKey(int key)
{
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Insert:
        return true;
    default:
        return false;
    }
}

// The standard editing shortcuts the number boxes keep. They type nothing
// into a box, though the window system attaches a control code to some
// (Ctrl+A's "\x01"); Paste goes by the digit rule instead.
constexpr QKeySequence::StandardKey editingShortcuts[] = {
    QKeySequence::Undo,
    QKeySequence::Redo,
    QKeySequence::Cut,
    QKeySequence::Copy,
    QKeySequence::SelectAll,
    QKeySequence::Deselect,
    QKeySequence::Delete,
    QKeySequence::DeleteStartOfWord,
    QKeySequence::DeleteEndOfWord,
    QKeySequence::DeleteEndOfLine,
    QKeySequence::DeleteCompleteLine,
    QKeySequence::MoveToStartOfLine,
    QKeySequence::MoveToEndOfLine,
    QKeySequence::MoveToNextWord,
    QKeySequence::MoveToPreviousWord,
    QKeySequence::SelectStartOfLine,
    QKeySequence::SelectEndOfLine,
    QKeySequence::SelectNextWord,
    QKeySequence::SelectPreviousWord,
};

bool isEditingShortcut(const QKeyEvent *key)
{
    return std::any_of(std::begin(editingShortcuts), std::end(editingShortcuts),
                       [key](QKeySequence::StandardKey shortcut) { return key->matches(shortcut); });
}

// The box's text once `typed` replaces its selection, or goes in at the cursor.
QString textAfterTyping(const QLineEdit *box, const QString &typed)
{
    QString text = box->text();
    if (box->hasSelectedText())
        return text.replace(box->selectionStart(), box->selectionLength(), typed);
    return text.insert(box->cursorPosition(), typed);
}

// The screen's birth date, invalid where the month has no such day.
QDate birthDate(const BirthEntry &entry)
{
    return QDate(entry.year, entry.month, entry.day);
}

// The screen's hour and minute (the seconds make no difference to a place's clock).
QTime birthTime(const BirthEntry &entry)
{
    return QTime(entry.hour, entry.minute);
}

// Types an angle into a pair of boxes and chooses its hemisphere:
// options[0] north or east, options[1] south or west.
void typeAngle(const Angle &angle, QLineEdit *degreesBox, QLineEdit *minutesBox, QRadioButton *const options[2])
{
    degreesBox->setText(QString::number(angle.degrees));
    minutesBox->setText(QString::number(angle.minutes));
    options[angle.positive ? 0 : 1]->setChecked(true);
}

// F1 in the watched controls opens the time zone picker. The key is claimed
// before any shortcut sees it, so the Help menu's F1 (the help pages) gives
// way there instead of making the key ambiguous.
class TimeZoneHelpKey final : public QObject {
public:
    TimeZoneHelpKey(std::initializer_list<QWidget *> controls, std::function<void()> open, QObject *parent)
        : QObject(parent), m_open(std::move(open))
    {
        for (QWidget *control : controls)
            control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier)
            return false;
        if (event->type() == QEvent::ShortcutOverride)
            event->accept(); // comes back as a key press
        else
            m_open();
        return true;
    }

private:
    std::function<void()> m_open;
};

} // namespace

frmMain::frmMain(std::shared_ptr<Session> session, QWidget *parent) : Screen(parent), m_session(std::move(session))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromUtf8(Messages::windowTitle));
    // The menu bar first, as it stands above the rest: screen readers list
    // a window's parts in the order they were made.
    createMenus();

    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("frmMainClient"));
    central->setFixedSize(twips(clientWidth), twips(clientHeight));
    central->setFont(Look::verdana(8.25));
    Look::applyScreenPalette(central);
    setCentralWidget(central);

    createControls(central);
    connectControls();
    setFocusOrder();
    Form_Load();

    // The layout is fixed: the window takes the size of its menu bar and
    // client area and keeps it.
    setFixedSize(sizeHint());
    centreOnScreen(this);
    m_txtName->setFocus();
}

frmMain::~frmMain()
{
    // The lists report a change of entry as they are taken down, after the
    // screen's own members are gone: the screen no longer follows them.
    for (QComboBox *list : {m_cboMonth, m_cboDate, m_cboYear, m_cboHH, m_cboMM})
        list->disconnect(this);
}

void frmMain::createMenus()
{
    m_mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    m_mnuFile->setObjectName(QStringLiteral("mnuFile"));
    m_mnuCalculate = m_mnuFile->addAction(QStringLiteral("&Calculate"));
    m_mnuCalculate->setObjectName(QStringLiteral("mnuCalculate"));
    addRecentMenu(m_mnuFile, m_session, this);
    addHelpMenu(menuBar(), this);
}

void frmMain::createControls(QWidget *central)
{
    LinkLabel *topLink = createTopLinkLabel(central, BrandingScreen::Main);
    topLink->setGeometry(twipRect(1117, 0, 5040, 435));

    m_cmdOpen = new QPushButton(QStringLiteral("&Open Previously Saved Reading"), central);
    m_cmdOpen->setObjectName(QStringLiteral("cmdOpen"));
    m_cmdOpen->setFont(Look::verdana(9.75, true));
    m_cmdOpen->setGeometry(twipRect(30, 600, 7215, 495));

    auto *introduction = new QLabel(QStringLiteral("Know more about your favorable and unfavorable personality "
                                                   "traits based on Chinese Lunar Mansions. Enter the details "
                                                   "to get your Chinese Lunar Mansion Reading."),
                                    central);
    introduction->setObjectName(QStringLiteral("lblIntroduction"));
    introduction->setFont(Look::verdana(8.25, true));
    introduction->setWordWrap(true);
    introduction->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette introductionPalette = introduction->palette();
    introductionPalette.setColor(QPalette::WindowText, Look::lightOrange);
    introduction->setPalette(introductionPalette);
    introduction->setGeometry(twipRect(465, 1440, 1215, 3375));

    QGroupBox *inputFrame = addFrame("fraInput", QString(), central, twipRect(1875, 1080, 4935, 4410 + zoneOffsetRow));
    createInputFrame(inputFrame);

    m_branding = createBrandingFrame(central, BrandingScreen::Main);
    m_branding.frame->setGeometry(twipRect(30, 5520 + zoneOffsetRow, 7215, 855));
}

void frmMain::createInputFrame(QWidget *frame)
{
    QLabel *nameRow = addLabel(QStringLiteral("Name"), frame, 120, 360);
    m_txtName = addBox("txtName", frame, twipRect(1320, 240, 3495, 285));

    QLabel *dateRow = addLabel(QStringLiteral("Date of Birth"), frame, 120, 720);
    m_cboMonth = addList("cboMonth", frame, twipRect(1320, 600, 1335, 315));
    m_cboDate = addList("cboDate", frame, twipRect(2760, 600, 615, 315));
    m_cboYear = addList("cboYear", frame, twipRect(3480, 600, 855, 315));

    QLabel *timeRow = addLabel(QStringLiteral("Time of Birth"), frame, 120, 1080);
    m_cboHH = addList("cboHH", frame, twipRect(1320, 960, 615, 315));
    m_cboMM = addList("cboMM", frame, twipRect(1980, 960, 615, 315));
    m_cboSS = addList("cboSS", frame, twipRect(2640, 960, 615, 315));
    addLabel(QStringLiteral("HH:MM:SS"), frame, 3360, 1080);

    QLabel *zoneRow = addLabel(QStringLiteral("Time Zone"), frame, 120, 1440);
    auto *fraZone = new QFrame(frame);
    fraZone->setObjectName(QStringLiteral("fraZone"));
    fraZone->setGeometry(twipRect(1320, 1280, 3200, 500));
    Look::applyScreenPalette(fraZone);
    createZoneFrame(fraZone);

    // The clock's offset as the calculation will take it, in the printout's
    // words; a click sets the zone's direction the other way.
    m_lblZoneOffset = new LinkLabel(QString(), frame);
    m_lblZoneOffset->setObjectName(QStringLiteral("lblZoneOffset"));
    m_lblZoneOffset->setTextFormat(Qt::PlainText);
    m_lblZoneOffset->setFont(Look::verdana(7.5, false, true));
    m_lblZoneOffset->setFocusPolicy(Qt::StrongFocus);
    QPalette offsetPalette = m_lblZoneOffset->palette();
    offsetPalette.setColor(QPalette::WindowText, Look::lightOrange);
    m_lblZoneOffset->setPalette(offsetPalette);
    m_lblZoneOffset->setGeometry(twipRect(1320, 1780, 3495, 215));
    m_lblZoneOffset->setAccessibleDescription(
        QStringLiteral("The time zone's offset from Universal Time; press to turn its direction"));
    m_lblZoneOffset->hide();

    createCoordinateFrames(frame);

    // Under the zone's offset, ending with the zone boxes, in the strip
    // between the captions of the Latitude and Longitude frames; the full
    // text is its tooltip.
    m_lblZoneNote = new QLabel(frame);
    m_lblZoneNote->setObjectName(QStringLiteral("lblZoneNote"));
    m_lblZoneNote->setTextFormat(Qt::PlainText);
    QFont noteFont = Look::verdana(7);
    noteFont.setItalic(true);
    m_lblZoneNote->setFont(noteFont);
    QPalette notePalette = m_lblZoneNote->palette();
    notePalette.setColor(QPalette::WindowText, Look::lightOrange);
    m_lblZoneNote->setPalette(notePalette);
    m_lblZoneNote->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_lblZoneNote->setGeometry(twipRect(870, 1770 + zoneOffsetRow, 1635, 225));

    QLabel *cityRow = addLabel(QStringLiteral("City"), frame, 120, 2850 + zoneOffsetRow);
    m_txtMCity = addBox("txtMCity", frame, twipRect(1320, 2760 + zoneOffsetRow, 2175, 285));
    QLabel *stateRow = addLabel(QStringLiteral("State"), frame, 120, 3240 + zoneOffsetRow);
    m_txtMState = addBox("txtMState", frame, twipRect(1320, 3120 + zoneOffsetRow, 2175, 285));
    QLabel *countryRow = addLabel(QStringLiteral("Country"), frame, 120, 3600 + zoneOffsetRow);
    m_txtMCountry = addBox("txtMCountry", frame, twipRect(1320, 3510 + zoneOffsetRow, 2175, 285));

    // Screen readers announce each control by the caption of its row.
    Accessible::nameAfter(m_txtName, nameRow);
    Accessible::nameAfter(m_cboMonth, dateRow, QStringLiteral("Month"));
    Accessible::nameAfter(m_cboDate, dateRow, QStringLiteral("Day"));
    Accessible::nameAfter(m_cboYear, dateRow, QStringLiteral("Year"));
    Accessible::nameAfter(m_cboHH, timeRow, QStringLiteral("Hour"));
    Accessible::nameAfter(m_cboMM, timeRow, QStringLiteral("Minute"));
    Accessible::nameAfter(m_cboSS, timeRow, QStringLiteral("Second"));
    Accessible::nameAfter(m_txtZoneHour, zoneRow, QStringLiteral("Hours"));
    Accessible::nameAfter(m_txtZoneMinute, zoneRow, QStringLiteral("Minutes"));
    Accessible::nameAfter(m_txtMCity, cityRow);
    Accessible::nameAfter(m_txtMState, stateRow);
    Accessible::nameAfter(m_txtMCountry, countryRow);

    // A push button draws its caption on one line; a word-wrapping label
    // inside it keeps the caption within the button's design size.
    const QString browserCaption = QStringLiteral("Click Here To Find Latitude & Longitude");
    m_cmdBrowser = new QPushButton(frame);
    m_cmdBrowser->setObjectName(QStringLiteral("cmdBrowser"));
    m_cmdBrowser->setAccessibleName(browserCaption);
    m_cmdBrowser->setGeometry(twipRect(3600, 2805 + zoneOffsetRow, 1215, 945));
    auto *browserLabel = new QLabel(browserCaption, m_cmdBrowser);
    browserLabel->setObjectName(QStringLiteral("cmdBrowserCaption"));
    browserLabel->setTextFormat(Qt::PlainText);
    browserLabel->setWordWrap(true);
    browserLabel->setAlignment(Qt::AlignCenter);
    browserLabel->setForegroundRole(QPalette::ButtonText);
    browserLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto *browserLayout = new QVBoxLayout(m_cmdBrowser);
    browserLayout->setContentsMargins(4, 2, 4, 2);
    browserLayout->addWidget(browserLabel);

    m_cmdCalculate = new QPushButton(QStringLiteral("&Get My Chinese Lunar Mansion"), frame);
    m_cmdCalculate->setObjectName(QStringLiteral("cmdCalculate"));
    m_cmdCalculate->setFont(Look::verdana(8.25, true));
    m_cmdCalculate->setGeometry(twipRect(120, 3930 + zoneOffsetRow, 4695, 375));
}

void frmMain::createZoneFrame(QFrame *frame)
{
    const QFont bold = Look::verdana(8.25, true);
    m_txtZoneHour = addBox("txtZoneHour", frame, twipRect(60, 150, 495, 285));
    m_txtZoneHour->setFont(bold);
    m_txtZoneMinute = addBox("txtZoneMinute", frame, twipRect(680, 150, 495, 285));
    m_txtZoneMinute->setFont(bold);

    m_lblTZHelp = new LinkLabel(QStringLiteral("TZ Help"), frame);
    m_lblTZHelp->setObjectName(QStringLiteral("lblTZHelp"));
    m_lblTZHelp->setFont(Look::verdana(11.25, true));
    m_lblTZHelp->move(twips(1200), twips(150));
    m_lblTZHelp->adjustSize();

    m_chkDST = new QCheckBox(QStringLiteral("DST"), frame);
    m_chkDST->setObjectName(QStringLiteral("chkDST"));
    m_chkDST->setFont(bold);
    m_chkDST->setGeometry(twipRect(2265, 160, 735, 250));
    m_chkDST->setAccessibleDescription(QStringLiteral("Daylight saving time"));

    // "TZ Help" has no tab stop of its own (the focus order is fixed): F1 in
    // the zone boxes or on "DST" opens the picker from the keyboard.
    const QString keyHint = QStringLiteral("F1 opens TZ Help, the list of named time zones");
    m_txtZoneHour->setAccessibleDescription(keyHint);
    m_txtZoneMinute->setAccessibleDescription(keyHint);
    new TimeZoneHelpKey({m_txtZoneHour, m_txtZoneMinute, m_chkDST}, [this] { lblTZHelp_Click(); }, this);
}

void frmMain::createCoordinateFrames(QWidget *inputFrame)
{
    QGroupBox *latitude = addFrame("fraLatitude", QStringLiteral("Latitude"), inputFrame,
                                   twipRect(120, 1800 + zoneOffsetRow, 2415, 855));
    m_txtLatD = addBox("txtLatD", latitude, twipRect(120, 240, 375, 285));
    m_txtLatM = addBox("txtLatM", latitude, twipRect(840, 240, 375, 285));
    addLabel(QStringLiteral("Deg"), latitude, 120, 600)->setBuddy(m_txtLatD);
    addLabel(QStringLiteral("Min"), latitude, 840, 600)->setBuddy(m_txtLatM);
    Accessible::nameAfter(m_txtLatD, latitude->title(), QStringLiteral("Degrees"));
    Accessible::nameAfter(m_txtLatM, latitude->title(), QStringLiteral("Minutes"));
    m_optLat[0] = new QRadioButton(QStringLiteral("North"), latitude);
    m_optLat[0]->setGeometry(twipRect(1480, 240, 855, 255));
    m_optLat[1] = new QRadioButton(QStringLiteral("South"), latitude);
    m_optLat[1]->setGeometry(twipRect(1480, 480, 900, 255));

    QGroupBox *longitude = addFrame("fraLongitude", QStringLiteral("Longitude"), inputFrame,
                                    twipRect(2580, 1800 + zoneOffsetRow, 2235, 855));
    // 45 twips wider than the other coordinate boxes: three digits (up to
    // 180 degrees) need the room to show in full with the system's frame.
    m_txtLonD = addBox("txtLonD", longitude, twipRect(90, 240, 420, 285));
    m_txtLonM = addBox("txtLonM", longitude, twipRect(810, 240, 375, 285));
    addLabel(QStringLiteral("Deg"), longitude, 120, 600)->setBuddy(m_txtLonD);
    addLabel(QStringLiteral("Min"), longitude, 810, 600)->setBuddy(m_txtLonM);
    Accessible::nameAfter(m_txtLonD, longitude->title(), QStringLiteral("Degrees"));
    Accessible::nameAfter(m_txtLonM, longitude->title(), QStringLiteral("Minutes"));
    m_optLong[0] = new QRadioButton(QStringLiteral("East"), longitude);
    m_optLong[0]->setGeometry(twipRect(1440, 240, 735, 255));
    m_optLong[1] = new QRadioButton(QStringLiteral("West"), longitude);
    m_optLong[1]->setGeometry(twipRect(1440, 480, 735, 255));

    // Exactly one button of each pair is selected at any time.
    m_optLatGroup = new QButtonGroup(this);
    m_optLongGroup = new QButtonGroup(this);
    for (int index = 0; index < 2; ++index) {
        m_optLat[index]->setObjectName(QStringLiteral("optLat%1").arg(index));
        m_optLong[index]->setObjectName(QStringLiteral("optLong%1").arg(index));
        m_optLatGroup->addButton(m_optLat[index], index);
        m_optLongGroup->addButton(m_optLong[index], index);
    }
    for (QButtonGroup *group : {m_optLatGroup, m_optLongGroup}) {
        group->setExclusive(true);
        connect(group, &QButtonGroup::buttonToggled, this, &frmMain::keepTabStopOnChoice);
    }
}

// Each option group is one stop of the focus order: its chosen button, also
// when the choice was made by the program rather than by focusing a button.
void frmMain::keepTabStopOnChoice(QAbstractButton *button, bool checked)
{
    button->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
}

void frmMain::connectControls()
{
    connect(m_mnuCalculate, &QAction::triggered, this, &frmMain::cmdCalculate_Click);
    connect(m_cmdCalculate, &QPushButton::clicked, this, &frmMain::cmdCalculate_Click);
    connect(m_cmdOpen, &QPushButton::clicked, this, &frmMain::cmdOpen_Click);
    connect(m_cmdBrowser, &QPushButton::clicked, this, &frmMain::cmdBrowser_Click);
    connect(m_lblTZHelp, &LinkLabel::clicked, this, &frmMain::lblTZHelp_Click);

    // A zone filled from a place follows the birth moment, until the user
    // sets the zone or the coordinates themselves.
    for (QComboBox *list : {m_cboMonth, m_cboDate, m_cboYear, m_cboHH, m_cboMM}) {
        const bool date = list == m_cboMonth || list == m_cboDate || list == m_cboYear;
        connect(list, &QComboBox::currentIndexChanged, this, [this, date] {
            m_dateChanged = m_dateChanged || date;
            followPlaceZone();
        });
    }
    for (QLineEdit *box : {m_txtZoneHour, m_txtZoneMinute})
        connect(box, &QLineEdit::textEdited, this, &frmMain::forgetPlaceZone);
    connect(m_chkDST, &QCheckBox::clicked, this, &frmMain::forgetPlaceZone);
    connect(m_lblZoneOffset, &LinkLabel::clicked, this, &frmMain::lblZoneOffset_Click);

    // The offset follows whatever decides it: the zone boxes, DST and the
    // longitude (its hemisphere gives an unsigned zone's direction).
    for (QLineEdit *box : {m_txtZoneHour, m_txtZoneMinute, m_txtLonD, m_txtLonM})
        connect(box, &QLineEdit::textChanged, this, &frmMain::showZoneOffset);
    connect(m_chkDST, &QCheckBox::toggled, this, &frmMain::showZoneOffset);
    connect(m_optLongGroup, &QButtonGroup::buttonToggled, this, &frmMain::showZoneOffset);

    for (QLineEdit *box : {m_txtLatD, m_txtLatM, m_txtLonD, m_txtLonM, m_txtZoneHour, m_txtZoneMinute}) {
        box->installEventFilter(this);
        // Composed text from an input method would bypass the key filter,
        // and so would dropped text; a dropped reading file goes on to the
        // screen.
        box->setAttribute(Qt::WA_InputMethodEnabled, false);
        box->setAcceptDrops(false);
    }

    // Ctrl+O opens a saved reading, as the button does.
    auto *openShortcut = new QAction(this);
    openShortcut->setObjectName(QStringLiteral("openShortcut"));
    openShortcut->setShortcut(QKeySequence::Open);
    addAction(openShortcut);
    connect(openShortcut, &QAction::triggered, this, &frmMain::cmdOpen_Click);
}

void frmMain::setFocusOrder()
{
    const QList<QWidget *> order = {m_txtName,  m_cboMonth,   m_cboDate,     m_cboYear,     m_cboHH,
                                    m_cboMM,    m_cboSS,      m_txtLonD,     m_txtLonM,     m_optLong[0],
                                    m_optLong[1], m_txtLatD,  m_txtLatM,     m_optLat[0],   m_optLat[1],
                                    m_txtMCity, m_txtMState,  m_txtMCountry, m_cmdBrowser,  m_cmdCalculate,
                                    m_cmdOpen,  m_txtZoneHour, m_txtZoneMinute, m_chkDST, m_lblZoneOffset};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void frmMain::Form_Load()
{
    QStringList months;
    for (const char *month : monthNames)
        months.append(QString::fromLatin1(month));
    m_cboMonth->addItems(months);
    addNumbers(m_cboDate, 1, 31);
    addNumbers(m_cboYear, firstBirthYear, lastBirthYear);
    addNumbers(m_cboHH, 0, 23);
    addNumbers(m_cboMM, 0, 59);
    addNumbers(m_cboSS, 0, 59);
    for (QComboBox *list : {m_cboMonth, m_cboDate, m_cboYear, m_cboHH, m_cboMM, m_cboSS})
        list->setCurrentIndex(0);

    m_optLat[0]->setChecked(true);   // North
    m_optLong[0]->setChecked(true);  // East
    for (QRadioButton *option : {m_optLat[0], m_optLat[1], m_optLong[0], m_optLong[1]})
        keepTabStopOnChoice(option, option->isChecked());
    m_chkDST->setChecked(false);
    m_dateChanged = false;  // filling the lists is no change of date
}

void frmMain::fillBirth(const BirthData &birth, const BirthPlace &place)
{
    forgetPlaceZone();
    m_txtName->setText(birth.name);
    m_cboMonth->setCurrentIndex(birth.month - 1);
    m_cboDate->setCurrentIndex(birth.day - 1);
    m_cboYear->setCurrentText(QString::number(birth.year));
    m_cboHH->setCurrentIndex(birth.hour);
    m_cboMM->setCurrentIndex(birth.minute);
    m_cboSS->setCurrentIndex(0);
    typeZone(birth.zone(), birth.dst);
    m_txtLonD->setText(QString::number(birth.lonDegrees));
    m_txtLonM->setText(QString::number(birth.lonMinutes));
    m_optLong[birth.isEast ? 0 : 1]->setChecked(true);
    m_txtLatD->setText(QString::number(birth.latDegrees));
    m_txtLatM->setText(QString::number(birth.latMinutes));
    m_optLat[birth.isNorth ? 0 : 1]->setChecked(true);
    m_txtMCity->setText(place.city);
    m_txtMState->setText(place.state);
    m_txtMCountry->setText(place.country);
    // The atlas place's zone follows the date again, as after "Use This Place".
    if (!place.zoneId.isEmpty()) {
        m_zoneFollow.follow(place.zoneId, birth.longitude().toDegrees(), coordinateTexts());
    }
}

BirthPlace frmMain::typedPlace() const
{
    return {m_txtMCity->text(), m_txtMState->text(), m_txtMCountry->text(), m_zoneFollow.zoneId(coordinateTexts())};
}

BirthEntry frmMain::birthEntry() const
{
    BirthEntry entry;
    entry.name = m_txtName->text();
    entry.year = boxInteger(m_cboYear->currentText()).value_or(0);
    entry.month = m_cboMonth->currentIndex() + 1;
    entry.day = m_cboDate->currentIndex() + 1;
    entry.hour = boxInteger(m_cboHH->currentText()).value_or(0);
    entry.minute = boxInteger(m_cboMM->currentText()).value_or(0);
    entry.zoneHours = boxMagnitude(m_txtZoneHour->text());
    entry.zoneMinutes = boxMagnitude(m_txtZoneMinute->text());
    entry.zoneDirection = zoneDirectionOf(m_txtZoneHour->text(), m_txtZoneMinute->text());
    entry.dst = m_chkDST->isChecked();
    entry.lonDegrees = boxInteger(m_txtLonD->text());
    entry.lonMinutes = boxInteger(m_txtLonM->text());
    entry.isEast = m_optLong[0]->isChecked();
    entry.latDegrees = boxInteger(m_txtLatD->text());
    entry.latMinutes = boxInteger(m_txtLatM->text());
    entry.isNorth = m_optLat[0]->isChecked();
    return entry;
}

bool frmMain::validateInput()
{
    return checkedBirth().has_value();
}

std::optional<BirthData> frmMain::checkedBirth()
{
    const BirthEntry entry = birthEntry();
    const BirthOrProblems read = readBirth(entry);
    // The place's clocks skipped the moment: no zone to ask for, but a time
    // that never was on the clock there (the boxes keep what they hold).
    const bool nameFirst = !read.value && read.why.front().part == BirthPart::Name;
    const QString skipped =
        nameFirst ? QString() : m_zoneFollow.skippedMoment(coordinateTexts(), birthDate(entry), birthTime(entry));
    if (!skipped.isEmpty()) {
        desktop().showMessage(this, MessageIcon::Error, skipped);
        m_cboHH->setFocus(Qt::OtherFocusReason);
        return std::nullopt;
    }
    // One message at a time: the first rule broken, as the user fixes them in turn.
    if (!read.value)
        showProblem(read.why.front());
    return read.value;
}

QLineEdit *frmMain::boxOf(BirthPart part) const
{
    switch (part) {
    case BirthPart::Name:
        return m_txtName;
    case BirthPart::ZoneHours:
        return m_txtZoneHour;
    case BirthPart::ZoneMinutes:
        return m_txtZoneMinute;
    case BirthPart::LonDegrees:
        return m_txtLonD;
    case BirthPart::LonMinutes:
        return m_txtLonM;
    case BirthPart::LatDegrees:
        return m_txtLatD;
    case BirthPart::LatMinutes:
        return m_txtLatM;
    case BirthPart::Date:
        break;
    }
    return nullptr;
}

void frmMain::showProblem(const BirthProblem &problem)
{
    using namespace Messages;
    const bool missing = problem.kind == ProblemKind::Missing;
    const char *message = nullptr;
    switch (problem.part) {
    case BirthPart::Name:
        message = enterName;
        break;
    case BirthPart::ZoneHours:
        message = missing ? enterTimeZone : zoneOutOfRange;
        break;
    case BirthPart::ZoneMinutes:
        message = zoneMinuteOutOfRange;
        break;
    case BirthPart::LonDegrees:
        message = missing ? enterLongitudeDegree : longitudeOutOfRange;
        break;
    case BirthPart::LonMinutes:
        message = missing ? enterLongitudeMinute : longitudeMinuteOutOfRange;
        break;
    case BirthPart::LatDegrees:
        message = missing ? enterLatitudeDegree : latitudeOutOfRange;
        break;
    case BirthPart::LatMinutes:
        message = missing ? enterLatitudeMinute : latitudeMinuteOutOfRange;
        break;
    case BirthPart::Date:
        // The two date messages differ by a space before the "!".
        message = m_cboMonth->currentIndex() == 1 ? wrongFebruaryDate : wrongThirtyDayDate;
        break;
    }
    const bool date = problem.part == BirthPart::Date;
    desktop().showMessage(this, date ? MessageIcon::Information : MessageIcon::Error, QString::fromUtf8(message));
    if (QLineEdit *box = boxOf(problem.part))
        box->setFocus(Qt::OtherFocusReason);
}

void frmMain::cmdCalculate_Click()
{
    if (modalWindowOpen())
        return;
    const std::optional<BirthData> birth = checkedBirth();
    if (!birth)
        return;
    if (const std::optional<Reading> reading = calculateReading(*birth))
        presentReading(*reading, typedPlace(), m_session, this);
}

void frmMain::cmdBrowser_Click()
{
    // The search opens with whatever the boxes hold, even nothing: the atlas
    // window has its own search box, and the calculation needs no place name.
    const BirthEntry entry = birthEntry();
    const PlaceQuery query{m_txtMCity->text(), m_txtMState->text(), m_txtMCountry->text(), birthDate(entry),
                           birthTime(entry)};
    if (const std::optional<ChosenPlace> place = searchPlace(query))
        usePlace(*place);
}

void frmMain::usePlace(const ChosenPlace &place)
{
    // A place off the globe changes nothing.
    if (std::fabs(place.latitude.toDegrees()) > largestLatitude ||
        std::fabs(place.longitude.toDegrees()) > largestLongitude)
        return;
    forgetPlaceZone();
    typeAngle(place.latitude, m_txtLatD, m_txtLatM, m_optLat);
    typeAngle(place.longitude, m_txtLonD, m_txtLonM, m_optLong);
    // The place's names, so the printout names it.
    m_txtMCity->setText(place.city);
    m_txtMState->setText(place.state);
    m_txtMCountry->setText(place.country);
    if (!place.zoneId.isEmpty())
        m_zoneFollow.follow(place.zoneId, place.longitude.toDegrees(), coordinateTexts());
    if (place.zone) {
        typeZone(*place.zone, place.dst);
        if (m_zoneFollow.following() && !m_dateChanged)
            setZoneNote(QStringLiteral("Depends on the date"),
                        QStringLiteral("The zone and DST are the place's on the date shown; they follow the date of "
                                       "birth when you set it."));
        else
            setZoneNote(place.zoneNote);
    } else {
        // No zone: the place's clock skipped the moment, and its zone
        // applies again once the moment moves; or the lookup could not state
        // the clock, and the zone boxes and the tick keep what the user typed.
        const BirthEntry entry = birthEntry();
        if (m_zoneFollow.skippedMoment(coordinateTexts(), birthDate(entry), birthTime(entry)).isEmpty())
            forgetPlaceZone();
        else
            followPlaceZone();
    }
    // Back to the screen, the focus where it was (on the lookup button).
    activateWindow();
}

void frmMain::typeZone(const ZoneOffset &zone, bool dst)
{
    const QString sign = zoneSign(zone.direction, ZoneSigns::Picker);
    m_txtZoneHour->setText(sign + QString::number(zone.hours));
    m_txtZoneMinute->setText(zone.minutes == 0 ? QStringLiteral("0") : sign + QString::number(zone.minutes));
    m_chkDST->setChecked(dst);
}

void frmMain::showZoneOffset()
{
    const std::optional<EphemerisInput> zone = enteredZone(birthEntry());
    m_lblZoneOffset->setVisible(zone.has_value());
    if (!zone) {
        m_lblZoneOffset->clear();
        return;
    }
    const int minutes = clockOffsetMinutes(*zone, true);
    const QString side = minutes > 0   ? QStringLiteral(", ahead of Universal Time")
                         : minutes < 0 ? QStringLiteral(", behind Universal Time")
                                       : QStringLiteral(", Universal Time");
    m_lblZoneOffset->setText(utcOffsetText(minutes * 60, OffsetStyle::Printed) + side);
}

void frmMain::lblZoneOffset_Click()
{
    const std::optional<EphemerisInput> zone = enteredZone(birthEntry());
    if (!zone)
        return;
    // The hour box alone states the direction from now on: the other way
    // from the clock's, whatever the longitude says.
    const auto unsignedText = [](const QLineEdit *box) {
        const QString text = trimBlanks(box->text());
        return text.startsWith(u'-') || text.startsWith(u'+') ? text.mid(1) : text;
    };
    const QChar sign = clockIsAhead(*zone) ? u'+' : u'-';
    m_txtZoneHour->setText(sign + unsignedText(m_txtZoneHour));
    m_txtZoneMinute->setText(unsignedText(m_txtZoneMinute));
    forgetPlaceZone();  // the user's own zone now
}

void frmMain::setZoneNote(const QString &note, const QString &details)
{
    m_lblZoneNote->setText(note);
    const QString full = details.isEmpty() ? note : details;
    m_lblZoneNote->setToolTip(full);
    for (QLineEdit *box : {m_txtZoneHour, m_txtZoneMinute})
        box->setToolTip(full);
}

QStringList frmMain::coordinateTexts() const
{
    return {m_txtLatD->text(), m_txtLatM->text(), m_optLat[0]->isChecked() ? QStringLiteral("N") : QStringLiteral("S"),
            m_txtLonD->text(), m_txtLonM->text(), m_optLong[0]->isChecked() ? QStringLiteral("E") : QStringLiteral("W")};
}

void frmMain::followPlaceZone()
{
    if (!m_zoneFollow.following())
        return;
    const BirthEntry entry = birthEntry();
    const QDate date = birthDate(entry);
    const std::optional<PlaceClock> clock = m_zoneFollow.clockAt(coordinateTexts(), date, birthTime(entry));
    if (!clock) {
        forgetPlaceZone();  // another place now: its zone is the user's to give
        return;
    }
    if (clock->zone) {
        typeZone(*clock->zone, clock->dst);
        setZoneNote(clock->shortNote, clock->notes.join(u' '));
        return;
    }
    // No clock to state: an empty zone asks for one rather than keep a wrong one.
    m_txtZoneHour->clear();
    m_txtZoneMinute->clear();
    m_chkDST->setChecked(false);
    if (!date.isValid())
        setZoneNote(QStringLiteral("No such date"), QStringLiteral("The zone follows the date of birth; this date "
                                                                   "does not exist."));
    else
        setZoneNote(clock->known ? QStringLiteral("No such time there") : QStringLiteral("Zone unknown"),
                    clock->notes.join(u' '));
}

void frmMain::forgetPlaceZone()
{
    m_zoneFollow.stop();
    setZoneNote({});
}

void frmMain::cmdOpen_Click()
{
    if (modalWindowOpen())
        return;
    openSavedReading(m_session, this);
}

void frmMain::showReadingFile(const QString &path)
{
    openReadingFile(path, m_session, this);
}

void frmMain::lblTZHelp_Click()
{
    const QStringList before{m_txtZoneHour->text(), m_txtZoneMinute->text()};
    frmTimeZone picker(this, m_txtZoneHour, m_txtZoneMinute);
    picker.exec();
    if (QStringList{m_txtZoneHour->text(), m_txtZoneMinute->text()} != before)
        forgetPlaceZone();  // the user's own zone now
}

bool frmMain::refuseNonDigitText(QLineEdit *box, const QString &text)
{
    if (std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return false;
    // The zone-hour box also takes one leading sign, its direction.
    if (box == m_txtZoneHour && isZoneHourText(textAfterTyping(box, text)))
        return false;
    desktop().showMessage(this, MessageIcon::Error, QString::fromUtf8(Messages::onlyNumbers));
    return true;
}

void frmMain::pasteChecked(QLineEdit *box, QClipboard::Mode mode)
{
    const QString text = QGuiApplication::clipboard()->text(mode);
    // Nothing to paste leaves the box as it is, its selection included.
    if (text.isEmpty() || refuseNonDigitText(box, text))
        return;
    box->insert(text);
}

void frmMain::showNumberBoxMenu(QLineEdit *box, const QPoint &globalPosition)
{
    // The box's own menu, its Paste going by the digit rule. The toolkit
    // names no entry; Paste is the one that shows Paste's shortcut.
    // The menu belongs to the box: should the box go while the menu is open
    // (a reading opened from another window closes this screen), it goes
    // with it, so it is deleted here only if it is still there.
    const QPointer<QMenu> menu(box->createStandardContextMenu());
    const QString pasteKey = u'\t' + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    for (QAction *action : menu->actions()) {
        if (action->text().endsWith(pasteKey)) {
            action->setObjectName(QStringLiteral("edit-paste"));
            action->disconnect(box);
            connect(action, &QAction::triggered, this, [this, box] { pasteChecked(box, QClipboard::Clipboard); });
        }
    }
    menu->exec(globalPosition);
    delete menu;
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    // Only the six number boxes are watched.
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (!box)
        return Screen::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress: {
        // The key filter: a typed character that isn't a digit or Backspace
        // is refused with a message and never reaches the box (Enter and
        // Escape included), but for the zone-hour box's one leading sign. Keys that type nothing and the standard editing
        // shortcuts pass; Paste goes by the digit rule. A key that types
        // several characters at once (a compose sequence) must type digits
        // only.
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Paste)) {
            pasteChecked(box, QClipboard::Clipboard);
            return true;
        }
        const QString text = key->text();
        const bool typesNonDigit = std::any_of(text.cbegin(), text.cend(),
                                               [](QChar c) { return !isAcceptedNumberKey(c.unicode()); });
        if (typesNonDigit && !isEditingKey(key->key()) && !isEditingShortcut(key))
            return refuseNonDigitText(box, text);
        break;
    }
    case QEvent::ContextMenu:
        showNumberBoxMenu(box, static_cast<QContextMenuEvent *>(event)->globalPos());
        return true;
    case QEvent::MouseButtonRelease:
        // The middle button pastes the selection where the desktop has one.
        if (static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton &&
            QGuiApplication::clipboard()->supportsSelection()) {
            pasteChecked(box, QClipboard::Selection);
            return true;
        }
        break;
    default:
        break;
    }
    return Screen::eventFilter(watched, event);
}
