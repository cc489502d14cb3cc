// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "plugins/atlaswindow/AtlasWindow.h"

#include "birth/Angle.h"
#include "places/PlaceChoice.h"
#include "plugins/atlaswindow/PlaceZone.h"
#include "sys/QuotedText.h"
#include "ui/Look.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace {

// The window's own texts, in one place.
namespace Texts {
constexpr char found[] = "Places in the atlas for \u201c%1\u201d, best match first:";
constexpr char foundElsewhere[] =
    "The atlas has places of this name, but none in the state or country of \u201c%1\u201d. "
    "Check them, or search the web.";
constexpr char notFound[] = "\u201c%1\u201d is not in the atlas. Search the web for its latitude and longitude.";
constexpr char nothingTyped[] = "Type the place's name, then its state or country after a comma.";
constexpr char nearSpellings[] = "\u201c%1\u201d is not in the atlas. Did you mean one of these places?";
constexpr char placeLabel[] = "&Place:";
constexpr char howToType[] =
    "Latitude and longitude are rounded to the nearest minute. Type the zone's standard offset into "
    "Time Zone, and tick DST for a birth in daylight saving time.";
constexpr char zoneAgainstLongitudeNote[] =
    "* Clocks here are set to the other side of UTC than the longitude. Use This Place writes the zone "
    "with its sign, as TZ Help does: -1 for one hour ahead of UTC, +1 for one behind.";
// %1 is the colour of the links.
constexpr char credit[] =
    "Place data: <a style=\"color: %1\" href=\"https://www.geonames.org/\">GeoNames (geonames.org)</a>, "
    "<a style=\"color: %1\" href=\"https://creativecommons.org/licenses/by/4.0/\">CC BY 4.0</a>";
constexpr char browserFailed[] = "The browser could not be opened.";
// %1 the place, %2 the birth's clock time, %3 its date, %4 the clock's offset.
constexpr char clockAtBirth[] = "The clock in %1 at %2 on %3: %4";
constexpr char useButton[] = "&Use This Place";
constexpr char webButton[] = "Search the &Web";
constexpr char closeButton[] = "&Close";
constexpr std::array<const char *, 6> columns{"Place", "State", "Country", "Latitude", "Longitude", "Time zone"};
} // namespace Texts

enum Column { PlaceColumn, StateColumn, CountryColumn, LatitudeColumn, LongitudeColumn, ZoneColumn };

// Rows shown without scrolling; more scroll.
constexpr int visibleRows = 8;
// The narrowest the window gets, in average characters: room for a heading
// of two lines and both buttons.
constexpr int minimumWidthInCharacters = 60;
// The table's one width, in average characters: a usual row in full.
constexpr int tableWidthInCharacters = 96;
// The most of the typed place the heading repeats, in characters: a couple
// of lines, however much text the boxes hold.
constexpr qsizetype longestEcho = 120;

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

QLabel *wrappedLabel(QWidget *parent, const char *objectName)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(objectName));
    label->setWordWrap(true);
    // Typed text is shown as typed, never read as markup.
    label->setTextFormat(Qt::PlainText);
    return label;
}

// The typed place as the heading repeats it: cut short, with an ellipsis,
// when it is too long to read at a glance, and with control characters and
// those that steer the direction text runs in written as \x1b or \u202e,
// as quorvel-cli quotes them: pasted, a U+202E would make the rest of the
// heading read backwards.
QString echoOf(const QString &place)
{
    if (place.size() <= longestEcho)
        return barePath(place);
    QString echo = place.first(longestEcho);
    if (echo.back().isHighSurrogate())
        echo.chop(1);
    return barePath(echo) + u'\u2026';
}

// What the box starts with: the query's city, state and country, parted by
// commas, those left empty left out.
QString placeTextOf(const PlaceQuery &query)
{
    QStringList parts;
    for (const QString &part : {query.city, query.state, query.country})
        if (const QString simple = part.simplified(); !simple.isEmpty())
            parts.append(simple);
    return parts.join(QStringLiteral(", "));
}

} // namespace

QString webQueryOf(const PlaceQuery &query)
{
    return query.city + u' ' + query.state + u' ' + query.country + QStringLiteral(" Latitude Longitude");
}

AtlasWindow::AtlasWindow(const PlaceQuery &query, const QString &title, const Atlas &atlas, int zoneYear,
                         QWidget *parent)
    : QDialog(parent), m_query(query), m_atlas(atlas), m_zoneYear(zoneYear)
{
    setObjectName(QStringLiteral("AtlasWindow"));
    setFont(Look::verdana(8.25));
    Look::applyScreenPalette(this);

    m_lblHeading = wrappedLabel(this, "lblHeading");
    m_lblHeading->setFont(Look::verdana(9.75, true));
    m_txtPlace = new QLineEdit(placeTextOf(query), this);
    m_txtPlace->setObjectName(QStringLiteral("txtPlace"));
    m_txtPlace->setClearButtonEnabled(true);
    m_txtPlace->installEventFilter(this);
    auto *lblPlace = new QLabel(text(Texts::placeLabel), this);
    lblPlace->setObjectName(QStringLiteral("lblPlace"));
    lblPlace->setBuddy(m_txtPlace);
    m_tblPlaces = new QTableWidget(this);
    m_tblPlaces->setObjectName(QStringLiteral("tblPlaces"));
    m_lblClock = wrappedLabel(this, "lblClock");
    m_lblClock->hide();
    m_lblNote = wrappedLabel(this, "lblNote");
    m_lblCredit = wrappedLabel(this, "lblCredit");
    m_lblCredit->setTextFormat(Qt::RichText);
    m_lblCredit->setOpenExternalLinks(true);
    m_lblCredit->setText(text(Texts::credit).arg(Look::lightOrange.name()));
    m_lblStatus = wrappedLabel(this, "lblStatus");
    m_lblStatus->setFont(Look::verdana(8.25, true));
    m_lblStatus->hide();
    m_cmdUse = new QPushButton(text(Texts::useButton), this);
    m_cmdUse->setObjectName(QStringLiteral("cmdUse"));
    m_cmdWeb = new QPushButton(text(Texts::webButton), this);
    m_cmdWeb->setObjectName(QStringLiteral("cmdWeb"));
    m_cmdClose = new QPushButton(text(Texts::closeButton), this);
    m_cmdClose->setObjectName(QStringLiteral("cmdClose"));

    connect(m_txtPlace, &QLineEdit::textChanged, this, &AtlasWindow::search);
    connect(m_cmdUse, &QPushButton::clicked, this, [this] { usePlace(m_tblPlaces->currentRow()); });
    connect(m_cmdWeb, &QPushButton::clicked, this, &AtlasWindow::cmdWeb_Click);
    connect(m_cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_tblPlaces, &QTableWidget::cellDoubleClicked, this, [this](int row) { usePlace(row); });
    connect(m_tblPlaces, &QTableWidget::itemSelectionChanged, this, &AtlasWindow::showClock);

    auto *box = new QHBoxLayout;
    box->addWidget(lblPlace);
    box->addWidget(m_txtPlace, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_cmdWeb);
    buttons->addStretch();
    buttons->addWidget(m_cmdUse);
    buttons->addWidget(m_cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(box);
    layout->addWidget(m_lblHeading);
    layout->addWidget(m_tblPlaces);
    layout->addWidget(m_lblClock);
    layout->addWidget(m_lblNote);
    layout->addWidget(m_lblCredit);
    layout->addWidget(m_lblStatus);
    layout->addLayout(buttons);

    setupTable();
    search();
    m_txtPlace->selectAll();
    m_txtPlace->setFocus();

    setWindowTitle(title);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    // On the heading, not the window: a window's own minimum would override
    // the one its layout takes from a wide table.
    m_lblHeading->setMinimumWidth(fontMetrics().averageCharWidth() * minimumWidthInCharacters);
    adjustSize();
}

void AtlasWindow::showEvent(QShowEvent *event)
{
    // Rows and columns are measured again in the look the window has once
    // shown, its layout settled.
    QDialog::showEvent(event);
    fitTableToRows();
    layout()->activate();
}

bool AtlasWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Up and down in the box move through the places, as in any search box.
    if (watched == m_txtPlace && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
            QCoreApplication::sendEvent(m_tblPlaces, event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void AtlasWindow::search()
{
    const QString typed = m_txtPlace->text().simplified();
    QList<AtlasMatch> matches = m_atlas.search(typed);
    if (matches.isEmpty())
        matches = m_atlas.suggestions(typed);
    const bool misspelt = !matches.isEmpty() && matches.constFirst().name == NameMatch::Spelling;
    const QString echo = echoOf(typed);
    if (!m_atlas.problem().isEmpty())
        m_lblHeading->setText(m_atlas.problem());
    else if (typed.isEmpty())
        m_lblHeading->setText(text(Texts::nothingTyped));
    else if (matches.isEmpty())
        m_lblHeading->setText(text(Texts::notFound).arg(echo));
    else if (misspelt)
        m_lblHeading->setText(text(Texts::nearSpellings).arg(echo));
    else if (const AtlasMatch &best = matches.constFirst();
             best.stateMatches || best.countryMatches || best.name == NameMatch::Prefix || !regionTyped(typed, best))
        m_lblHeading->setText(text(Texts::found).arg(echo));
    else
        m_lblHeading->setText(text(Texts::foundElsewhere).arg(echo));
    fillTable(matches);
    m_cmdUse->setEnabled(!matches.isEmpty());
    // Enter takes the selected place, or searches the web when there is none.
    (matches.isEmpty() ? m_cmdWeb : m_cmdUse)->setDefault(true);
    (matches.isEmpty() ? m_cmdUse : m_cmdWeb)->setDefault(false);
}

void AtlasWindow::setupTable()
{
    QStringList headers;
    for (const char *column : Texts::columns)
        headers.append(text(column));
    m_tblPlaces->setColumnCount(int(headers.size()));
    m_tblPlaces->setHorizontalHeaderLabels(headers);
    m_tblPlaces->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tblPlaces->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tblPlaces->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tblPlaces->setTabKeyNavigation(false);
    m_tblPlaces->setWordWrap(false);
    m_tblPlaces->setTextElideMode(Qt::ElideRight);
    m_tblPlaces->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_tblPlaces->verticalHeader()->hide();
    m_tblPlaces->horizontalHeader()->setHighlightSections(false);
}

void AtlasWindow::fillTable(const QList<AtlasMatch> &matches)
{
    m_places.clear();
    m_tblPlaces->clearSelection();
    m_tblPlaces->setRowCount(int(matches.size()));
    bool anyAgainstLongitude = false;
    for (int row = 0; row < matches.size(); ++row) {
        const AtlasPlace &place = matches.at(row).place;
        m_places.append(place);
        const ZoneSummary zone = summarizeZone(place.timeZone, m_zoneYear);
        const bool against = zoneAgainstLongitude(zone, place.longitude);
        anyAgainstLongitude = anyAgainstLongitude || against;
        const QStringList cells{place.name,
                                place.state,
                                place.country,
                                Angle::fromDegrees(place.latitude).text(AngleAxis::Latitude, AngleStyle::Plain),
                                Angle::fromDegrees(place.longitude).text(AngleAxis::Longitude, AngleStyle::Plain),
                                describeZone(place.timeZone, zone) + (against ? QStringLiteral(" *") : QString())};
        for (int column = 0; column < cells.size(); ++column) {
            auto *item = new QTableWidgetItem(cells.at(column));
            item->setToolTip(cells.at(column));  // the whole text of a cell cut short
            if (column == LatitudeColumn || column == LongitudeColumn)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_tblPlaces->setItem(row, column, item);
        }
        if (against)
            m_tblPlaces->item(row, ZoneColumn)->setToolTip(cells.at(ZoneColumn) + u'\n'
                                                           + text(Texts::zoneAgainstLongitudeNote));
    }
    if (!matches.isEmpty())
        m_tblPlaces->selectRow(0);
    m_lblNote->setText(text(Texts::howToType) +
                       (anyAgainstLongitude ? u'\n' + text(Texts::zoneAgainstLongitudeNote) : QString()));
    fitTableToRows();
}

void AtlasWindow::fitTableToRows()
{
    // Measured in the look the table has on screen, style and font applied.
    m_tblPlaces->ensurePolished();
    m_tblPlaces->horizontalHeader()->ensurePolished();
    const QHeaderView *header = m_tblPlaces->horizontalHeader();
    m_tblPlaces->resizeRowsToContents();
    // One width whatever the search finds, so that the window keeps still
    // while the user types; never wider than most of the screen.
    int width = fontMetrics().averageCharWidth() * tableWidthInCharacters;
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        width = std::min(width, screen->availableGeometry().width() * 9 / 10);
    const int frame = 2 * m_tblPlaces->frameWidth();
    m_tblPlaces->setFixedWidth(width);
    fitColumns(width - frame - m_tblPlaces->verticalScrollBar()->sizeHint().width());
    // As high as the visible number of rows whatever the search finds. A
    // row's height is kept from the last search with rows for those without.
    if (m_tblPlaces->rowCount() > 0)
        m_rowHeight = m_tblPlaces->rowHeight(0);
    const int rowHeight = m_rowHeight > 0 ? m_rowHeight : m_tblPlaces->verticalHeader()->defaultSectionSize();
    const int height = frame + header->sizeHint().height() + visibleRows * rowHeight;
    const int shown = m_tblPlaces->isVisible() ? m_tblPlaces->height() : 0;
    m_tblPlaces->setFixedHeight(std::max(height, shown));
}

void AtlasWindow::fitColumns(int room)
{
    m_tblPlaces->resizeColumnsToContents();
    // The coordinates keep their width; the names share what is left, the
    // longest cut to one width that fits (their cells elide, the whole text
    // in the tooltip).
    int fixed = 0;
    QList<int> names;
    for (int column = 0; column < m_tblPlaces->columnCount(); ++column) {
        if (column == LatitudeColumn || column == LongitudeColumn)
            fixed += m_tblPlaces->columnWidth(column);
        else
            names.append(column);
    }
    const auto widthWithin = [this, &names](int cap) {
        int sum = 0;
        for (int column : names)
            sum += std::min(m_tblPlaces->columnWidth(column), cap);
        return sum;
    };
    int cap = 0;
    for (int column : names)
        cap = std::max(cap, m_tblPlaces->columnWidth(column));
    const int narrowest = fontMetrics().averageCharWidth() * 4;
    while (cap > narrowest && fixed + widthWithin(cap) > room)
        --cap;
    for (int column : names)
        m_tblPlaces->setColumnWidth(column, std::min(m_tblPlaces->columnWidth(column), cap));
}

PlaceClock AtlasWindow::clockOf(int row) const
{
    const AtlasPlace &place = m_places.at(row);
    return placeClock(place.timeZone, m_query.date, m_query.time, place.longitude);
}

void AtlasWindow::showClock()
{
    const int row = m_tblPlaces->currentRow();
    if (row < 0 || row >= m_places.size() || !m_query.date.isValid() || !m_query.time.isValid()) {
        m_lblClock->hide();
        return;
    }
    const PlaceClock clock = clockOf(row);
    const QString date = QLocale(QLocale::English).toString(m_query.date, QStringLiteral("d MMMM yyyy"));
    QStringList lines{
        text(Texts::clockAtBirth)
            .arg(m_places.at(row).name, m_query.time.toString(QStringLiteral("HH:mm")), date, describeClock(clock))};
    lines += clock.notes;
    m_lblClock->setText(lines.join(u'\n'));
    m_lblClock->show();
    if (!isVisible())
        return; // the window takes its size from its contents when it opens
    layout()->activate();
    int height = layout()->totalHeightForWidth(width());
    if (const QScreen *screen = this->screen())
        height = std::min(height, screen->availableGeometry().height() - (frameGeometry().height() - this->height()));
    if (height > this->height())
        resize(width(), height);
}

void AtlasWindow::usePlace(int row)
{
    if (row < 0 || row >= m_places.size())
        return;
    m_chosenPlace = ::chosenPlace(m_places.at(row), clockOf(row));
    accept();
}

void AtlasWindow::cmdWeb_Click()
{
    if (QDesktopServices::openUrl(webSearchUrl(webQueryOf(m_query)))) {
        accept();
        return;
    }
    m_lblStatus->setText(text(Texts::browserFailed));
    m_lblStatus->show();
}
