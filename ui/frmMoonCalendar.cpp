// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/frmMoonCalendar.h"

#include "core/Messages.h"
#include "core/ReadingPair.h"
#include "sys/SafeFile.h"
#include "ui/Accessible.h"
#include "ui/AtlasWindowLoader.h"
#include "ui/Desktop.h"
#include "ui/Look.h"
#include "ui/ReadingFlow.h"
#include "ui/ReadingPrint.h"
#include "ui/Session.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <array>
#include <tuple>

namespace {

constexpr double defaultPointSize = 8.25;
constexpr double frameCaptionPointSize = 9.0;
constexpr double headlinePointSize = 11.25;  // the period now and the month
constexpr int visibleRows = 12;              // the list scrolls past them

const char *const title = "Quorvel Moon Calendar";
const std::array<const char *, 7> columnCaptions{"Starts", "Ends", "Nakshatra", "Mansion", "Count", "Tara",
                                                 "Favourable"};
constexpr int firstTaraColumn = 4;

const char *const icsFilter = "iCalendar (*.ics)";

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

QLabel *newLabel(const QString &text, const char *name, double pointSize, bool bold, const QColor &colour)
{
    auto *label = new QLabel(text);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setFont(Look::verdana(pointSize, bold));
    setTextColour(label, colour);
    return label;
}

QPushButton *newButton(const char *caption, const char *name)
{
    auto *button = new QPushButton(QString::fromLatin1(caption));
    button->setObjectName(QString::fromLatin1(name));
    button->setFont(Look::verdana(defaultPointSize, true));
    button->setAutoDefault(false);
    return button;
}

// "Sun 29 Oct 02:26 CEST": the abbreviation tells a repeated hour's two
// halves apart.
QString clockText(const ZoneTime &time)
{
    return QStringLiteral("%1 %2").arg(time.local.toString(QStringLiteral("ddd d MMM HH:mm")), time.abbreviation);
}

// "Pushya (Dou)".
QString periodName(const MoonPeriod &period)
{
    return QStringLiteral("%1 (%2)").arg(periodNakshatraName(period), periodMansionName(period));
}

// The texts of one row of the list, column by column; the tara's empty
// without a reading.
QStringList cellTexts(const CalendarRow &row)
{
    QStringList cells{clockText(row.start), clockText(row.end), periodNakshatraName(row.period),
                      periodMansionName(row.period)};
    if (row.tara)
        cells << QString::number(row.tara->count) << taraName(*row.tara) << favourableText(*row.tara);
    return cells;
}

// The period running at a UT minute.
std::optional<MoonPeriod> periodAt(qint64 minute)
{
    std::optional<MoonPeriod> found;
    forEachMoonPeriod({minute, minute + 1}, [&found](const MoonPeriod &period) {
        found = period;
        return false;
    });
    return found;
}

} // namespace

frmMoonCalendar::frmMoonCalendar(std::shared_ptr<Session> session, QWidget *parent)
    : QDialog(parent), m_session(std::move(session))
{
    setObjectName(QStringLiteral("frmMoonCalendar"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromUtf8(Messages::windowTitle));
    setFont(Look::verdana(defaultPointSize));
    Look::applyScreenPalette(this);
    if (m_session->reading())
        m_readingNakshatra = m_session->reading()->row;  // row k carries nakshatra k

    auto *frame = new QGroupBox(QString::fromLatin1(title), this);
    frame->setObjectName(QStringLiteral("fraMoonCalendar"));
    frame->setFont(Look::verdana(frameCaptionPointSize, true));
    setTextColour(frame, Look::orange);
    m_lblNow = newLabel({}, "lblNow", headlinePointSize, true, Look::lightOrange);
    Accessible::exposeValue(m_lblNow, QStringLiteral("Now"));
    m_lblNowTara = newLabel({}, "lblNowTara", defaultPointSize, false, Look::lightOrange);
    Accessible::exposeValue(m_lblNowTara, QString::fromLatin1(PairCaptions::tara));
    createPeriodList();

    auto *frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(m_lblNow);
    frameLayout->addWidget(m_lblNowTara);
    frameLayout->addWidget(createClockRow());
    frameLayout->addWidget(createMonthRow());
    frameLayout->addWidget(m_lstPeriods);
    frameLayout->addWidget(createSpanRow());

    auto *buttons = new QDialogButtonBox(this);
    const std::array commands{std::tuple{"cmdCopy", "Cop&y as Text", &frmMoonCalendar::cmdCopy_Click},
                              std::tuple{"cmdPrint", "&Print...", &frmMoonCalendar::cmdPrint_Click},
                              std::tuple{"cmdExportPdf", "E&xport as PDF...", &frmMoonCalendar::cmdExportPdf_Click}};
    for (const auto &[name, caption, command] : commands) {
        QPushButton *button = newButton(caption, name);
        buttons->addButton(button, QDialogButtonBox::ActionRole);
        connect(button, &QPushButton::clicked, this, command);
    }
    QPushButton *cmdClose = newButton("C&lose", "cmdClose");
    buttons->addButton(cmdClose, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(frame);
    layout->addWidget(buttons);

    const QDate today = desktop().now().toTimeZone(chosenZone()).date();
    showMonth(isCalendarDate(today) ? QDate(today.year(), today.month(), 1) : QDate(lastBirthYear, 12, 1));
    m_lstPeriods->setFocus();
}

// "Clock" with the zones of the database, the system's chosen, and the
// coordinates search, whose place gives its zone.
QWidget *frmMoonCalendar::createClockRow()
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins({});
    QLabel *caption = newLabel(QStringLiteral("Clock"), "lblClock", defaultPointSize, true, Look::orange);
    m_cboClock = new QComboBox(row);  // the parent holds its hidden caption
    m_cboClock->setObjectName(QStringLiteral("cboClock"));
    for (const QByteArray &id : QTimeZone::availableTimeZoneIds())
        m_cboClock->addItem(QString::fromUtf8(id));
    const QString system = QString::fromUtf8(QTimeZone::systemTimeZoneId());
    if (m_cboClock->findText(system) < 0)
        m_cboClock->insertItem(0, system);
    m_cboClock->setCurrentText(system);
    Accessible::nameAfter(m_cboClock, caption);
    connect(m_cboClock, &QComboBox::currentIndexChanged, this, &frmMoonCalendar::cboClock_Change);
    QPushButton *cmdFindPlace = newButton("&Find Place...", "cmdFindPlace");
    connect(cmdFindPlace, &QPushButton::clicked, this, &frmMoonCalendar::cmdFindPlace_Click);
    layout->addWidget(caption);
    layout->addWidget(m_cboClock, 1);
    layout->addWidget(cmdFindPlace);
    return row;
}

QWidget *frmMoonCalendar::createMonthRow()
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins({});
    m_cmdPrevious = newButton("Pre&vious Month", "cmdPrevious");
    m_cmdNext = newButton("&Next Month", "cmdNext");
    connect(m_cmdPrevious, &QPushButton::clicked, this, &frmMoonCalendar::cmdPrevious_Click);
    connect(m_cmdNext, &QPushButton::clicked, this, &frmMoonCalendar::cmdNext_Click);
    m_lblMonth = newLabel({}, "lblMonth", headlinePointSize, true, Look::lightOrange);
    m_lblMonth->setAlignment(Qt::AlignCenter);
    Accessible::exposeValue(m_lblMonth, QStringLiteral("Month"));
    layout->addWidget(m_cmdPrevious);
    layout->addWidget(m_lblMonth, 1);
    layout->addWidget(m_cmdNext);
    return row;
}

// The span "Export to Calendar..." writes: the month shown unless the user
// sets another.
QWidget *frmMoonCalendar::createSpanRow()
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins({});
    const QString spanCaption = QStringLiteral("Export Span");
    layout->addWidget(newLabel(spanCaption, "lblSpan", defaultPointSize, true, Look::orange));
    for (const auto &[box, name, part] :
         {std::tuple{&m_txtSpanFrom, "lblSpanFrom", "From"}, std::tuple{&m_txtSpanTo, "lblSpanTo", "To"}}) {
        QLabel *label = newLabel(QString::fromLatin1(part), name, defaultPointSize, true, Look::orange);
        *box = new QDateEdit;
        (*box)->setObjectName(QStringLiteral("txtSpan%1").arg(QLatin1String(part)));
        (*box)->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        (*box)->setDateRange(QDate(firstBirthYear, 1, 1), QDate(lastBirthYear, 12, 31));
        label->setBuddy(*box);
        Accessible::nameAfter(*box, spanCaption, QString::fromLatin1(part));
        layout->addWidget(label);
        layout->addWidget(*box);
    }
    QPushButton *cmdExportCalendar = newButton("Export to C&alendar...", "cmdExportCalendar");
    connect(cmdExportCalendar, &QPushButton::clicked, this, &frmMoonCalendar::cmdExportCalendar_Click);
    layout->addStretch();
    layout->addWidget(cmdExportCalendar);
    return row;
}

void frmMoonCalendar::createPeriodList()
{
    const int columns = m_readingNakshatra ? int(columnCaptions.size()) : firstTaraColumn;
    m_lstPeriods = new QTableWidget(0, columns);
    m_lstPeriods->setObjectName(QStringLiteral("lstPeriods"));
    m_lstPeriods->setFont(Look::verdana(defaultPointSize));
    m_lstPeriods->horizontalHeader()->setFont(Look::verdana(defaultPointSize, true));
    for (int c = 0; c < columns; ++c)
        m_lstPeriods->setHorizontalHeaderItem(c, new QTableWidgetItem(QString::fromLatin1(columnCaptions.at(c))));
    m_lstPeriods->verticalHeader()->hide();
    // Rows as high as the text and a little air, so the window fits a small screen.
    const int rowHeight = m_lstPeriods->fontMetrics().height() + 6;
    m_lstPeriods->verticalHeader()->setMinimumSectionSize(rowHeight);
    m_lstPeriods->verticalHeader()->setDefaultSectionSize(rowHeight);
    m_lstPeriods->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lstPeriods->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_lstPeriods->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lstPeriods->setTabKeyNavigation(false);  // Tab leaves the list, as in every other box
    m_lstPeriods->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_lstPeriods->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_lstPeriods->setWordWrap(false);
}

QTimeZone frmMoonCalendar::chosenZone() const
{
    return QTimeZone(m_cboClock->currentText().toUtf8());
}

std::vector<CalendarRow> frmMoonCalendar::calendarRows(const QDate &from, const QDate &to) const
{
    const QTimeZone zone = chosenZone();
    const std::optional<std::vector<MoonPeriod>> periods = moonPeriods(from, to, zone);
    std::vector<CalendarRow> rows;
    if (!periods || periods->empty())
        return rows;
    const ZoneClock clock(zone, periods->front().startMinute, periods->back().endMinute);
    for (const MoonPeriod &period : *periods) {
        CalendarRow &row = rows.emplace_back(
            CalendarRow{period, clock.at(period.startMinute), clock.at(period.endMinute), std::nullopt});
        if (m_readingNakshatra)
            row.tara = taraStep(*m_readingNakshatra, period.nakshatraIndex);
    }
    return rows;
}

void frmMoonCalendar::showMonth(const QDate &month)
{
    m_month = month;
    m_lblMonth->setText(month.toString(QStringLiteral("MMMM yyyy")));
    m_cmdPrevious->setEnabled(isCalendarDate(month.addMonths(-1)));
    m_cmdNext->setEnabled(isCalendarDate(month.addMonths(1)));
    m_txtSpanFrom->setDate(month);
    m_txtSpanTo->setDate(month.addMonths(1).addDays(-1));
    m_rows = calendarRows(month, month.addMonths(1).addDays(-1));
    fillPeriodList();
    showNow();
}

// The list, one row per period: favourable ones in bold besides their
// "Yes"; the period running now chosen, so that the keyboard starts there.
void frmMoonCalendar::fillPeriodList()
{
    m_lstPeriods->setAccessibleName(QStringLiteral("Moon Calendar, %1").arg(m_lblMonth->text()));
    m_lstPeriods->setRowCount(int(m_rows.size()));
    const qint64 now = minuteOfDateTime(desktop().now());
    QFont favourableFont = m_lstPeriods->font();
    favourableFont.setBold(true);
    int current = 0;
    for (int r = 0; r < int(m_rows.size()); ++r) {
        const CalendarRow &row = m_rows.at(std::size_t(r));
        const QStringList cells = cellTexts(row);
        for (int c = 0; c < cells.size(); ++c) {
            auto *item = new QTableWidgetItem(cells.at(c));
            if (row.tara && row.tara->favourable)
                item->setFont(favourableFont);
            m_lstPeriods->setItem(r, c, item);
        }
        if (row.period.startMinute <= now && now < row.period.endMinute)
            current = r;
    }
    m_lstPeriods->resizeColumnsToContents();
    m_lstPeriods->setCurrentCell(current, 0);
    const int rowHeight = m_lstPeriods->verticalHeader()->defaultSectionSize();
    m_lstPeriods->setFixedHeight(m_lstPeriods->horizontalHeader()->sizeHint().height() + visibleRows * rowHeight +
                                 2 * m_lstPeriods->frameWidth());
    int width = 2 * m_lstPeriods->frameWidth() + m_lstPeriods->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < m_lstPeriods->columnCount(); ++c)
        width += m_lstPeriods->columnWidth(c);
    m_lstPeriods->setFixedWidth(width);
}

// "Now the Moon is in Pushya (Dou) until 14:32", the end's date added when
// it is not today on the chosen clock, and the tara of the period.
void frmMoonCalendar::showNow()
{
    const QDateTime moment = desktop().now();
    const std::optional<MoonPeriod> period =
        isCalendarDate(moment.toUTC().date()) ? periodAt(minuteOfDateTime(moment)) : std::nullopt;
    m_lblNow->setVisible(period.has_value());
    m_lblNowTara->setVisible(period && m_readingNakshatra);
    if (!period)
        return;
    const ZoneClock clock(chosenZone(), minuteOfDateTime(moment), period->endMinute);
    const QDateTime end = clock.at(period->endMinute).local;
    QString until = end.toString(QStringLiteral("HH:mm"));
    if (end.date() != clock.at(minuteOfDateTime(moment)).local.date())
        until += end.toString(QStringLiteral(" 'on' ddd d MMMM"));
    m_lblNow->setText(QStringLiteral("Now the Moon is in %1 until %2").arg(periodName(*period), until));
    if (m_readingNakshatra)
        m_lblNowTara->setText(QStringLiteral("For %1: %2")
                                  .arg(readingName(*m_session->reading()),
                                       taraStepLine(taraStep(*m_readingNakshatra, period->nakshatraIndex))));
}

void frmMoonCalendar::cboClock_Change()
{
    showMonth(m_month);
}

// The coordinates search, starting from the reading's place; the place
// chosen there sets the clock to its zone.
void frmMoonCalendar::cmdFindPlace_Click()
{
    const BirthPlace &place = m_session->birthPlace();
    const QDateTime now = desktop().now();
    const std::optional<ChosenPlace> chosen =
        searchPlace({place.city, place.state, place.country, now.date(), now.time()});
    const QString zoneId = chosen ? chosen->zoneId : QString();
    if (zoneId.isEmpty() || !QTimeZone(zoneId.toUtf8()).isValid())
        return;
    if (m_cboClock->findText(zoneId) < 0)
        m_cboClock->addItem(zoneId);
    m_cboClock->setCurrentText(zoneId);
    activateWindow();
}

void frmMoonCalendar::cmdPrevious_Click()
{
    showMonth(m_month.addMonths(-1));
}

void frmMoonCalendar::cmdNext_Click()
{
    showMonth(m_month.addMonths(1));
}

void frmMoonCalendar::cmdExportCalendar_Click()
{
    const QDate from = m_txtSpanFrom->date();
    const QDate to = m_txtSpanTo->date();
    if (from > to) {
        desktop().showMessage(this, MessageIcon::Information, QString::fromUtf8(Messages::spanBackwards));
        m_txtSpanTo->setFocus(Qt::OtherFocusReason);
        return;
    }
    const QString name = from == m_month && to == m_month.addMonths(1).addDays(-1)
                             ? m_month.toString(QStringLiteral("'Moon calendar' yyyy-MM"))
                             : QStringLiteral("Moon calendar %1 to %2").arg(from.toString(Qt::ISODate),
                                                                            to.toString(Qt::ISODate));
    const FileDialogRequest request{FileDialogRequest::Mode::Save, QString::fromUtf8(Messages::applicationTitle),
                                    QString::fromLatin1(icsFilter), QStringLiteral("ics"),
                                    readingDialogFolder(*m_session), name + QStringLiteral(".ics")};
    const std::optional<QString> path = desktop().chooseFile(this, request);
    if (!path || path->isEmpty())
        return;
    const QByteArray calendar = icsCalendar(calendarRows(from, to), desktop().now(), m_readingNakshatra);
    if (writeFileSafely(*path, calendar))
        m_session->setReadingFolder(QFileInfo(*path).absolutePath());
    else
        desktop().showMessage(this, MessageIcon::Error, QString::fromUtf8(Messages::unableToSave));
}

// The month as text: what the window shows above the list, then one line
// for each period, as quorvel-cli --calendar writes them.
QString frmMoonCalendar::calendarText() const
{
    QString text = QStringLiteral("%1\n%2, clock %3\n").arg(QLatin1String(title), m_lblMonth->text(),
                                                            m_cboClock->currentText());
    for (const QLabel *label : {m_lblNow, m_lblNowTara}) {
        if (!label->isHidden())
            text += label->text() + u'\n';
    }
    text += u'\n';
    for (const CalendarRow &row : m_rows)
        text += calendarRowText(row);
    return text;
}

ReadingPage frmMoonCalendar::calendarPage() const
{
    ReadingPage page;
    page.title = QString::fromLatin1(title);
    page.fileStem = m_month.toString(QStringLiteral("'Moon calendar' yyyy-MM"));
    if (m_session->reading())
        page.person = QStringLiteral("Taras for %1").arg(readingName(*m_session->reading()));
    page.birthDetails = {QStringLiteral("Clock: %1").arg(m_cboClock->currentText())};
    if (!m_lblNow->isHidden())
        page.birthDetails.append(m_lblNow->text());
    page.captions = {QStringLiteral("Month")};
    page.values = {m_lblMonth->text()};
    for (const CalendarRow &row : m_rows) {
        QString value = QStringLiteral("%1 until %2").arg(periodName(row.period), clockText(row.end));
        if (row.tara)
            value += QStringLiteral("; ") + taraStepLine(*row.tara);
        page.captions.append(clockText(row.start));
        page.values.append(value);
    }
    return page;
}

void frmMoonCalendar::cmdCopy_Click()
{
    desktop().copyText(calendarText());
}

void frmMoonCalendar::cmdPrint_Click()
{
    printReading(this, calendarPage());
}

void frmMoonCalendar::cmdExportPdf_Click()
{
    exportReadingPdf(this, calendarPage(), *m_session);
}
