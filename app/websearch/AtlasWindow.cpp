// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/websearch/AtlasWindow.h"

#include "app/websearch/AtlasLook.h"
#include "app/websearch/WebSearchInterface.h"
#include "core/Messages.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
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
constexpr char nothingTyped[] = "The place is not in the atlas. Search the web for its latitude and longitude.";
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
// when it is too long to read at a glance.
QString echoOf(const QString &place)
{
    if (place.size() <= longestEcho)
        return place;
    QString echo = place.first(longestEcho);
    if (echo.back().isHighSurrogate())
        echo.chop(1);
    return echo + u'\u2026';
}

} // namespace

AtlasWindow::AtlasWindow(const QString &query, const QList<AtlasMatch> &matches, int zoneYear, const QDate &birthDate,
                         const QTime &birthTime, QWidget *parent)
    : QDialog(parent), m_query(query), m_birthDate(birthDate), m_birthTime(birthTime)
{
    setObjectName(QStringLiteral("AtlasWindow"));
    setFont(AtlasLook::verdana(8.25));
    AtlasLook::applyScreenPalette(this);

    m_lblHeading = wrappedLabel(this, "lblHeading");
    m_lblHeading->setFont(AtlasLook::verdana(9.75, true));
    m_tblPlaces = new QTableWidget(this);
    m_tblPlaces->setObjectName(QStringLiteral("tblPlaces"));
    m_lblClock = wrappedLabel(this, "lblClock");
    m_lblClock->hide();
    m_lblNote = wrappedLabel(this, "lblNote");
    m_lblCredit = wrappedLabel(this, "lblCredit");
    m_lblCredit->setTextFormat(Qt::RichText);
    m_lblCredit->setOpenExternalLinks(true);
    m_lblCredit->setText(text(Texts::credit).arg(AtlasLook::lightOrange.name()));
    m_lblStatus = wrappedLabel(this, "lblStatus");
    m_lblStatus->setFont(AtlasLook::verdana(8.25, true));
    m_lblStatus->hide();
    m_cmdUse = new QPushButton(text(Texts::useButton), this);
    m_cmdUse->setObjectName(QStringLiteral("cmdUse"));
    m_cmdWeb = new QPushButton(text(Texts::webButton), this);
    m_cmdWeb->setObjectName(QStringLiteral("cmdWeb"));
    m_cmdClose = new QPushButton(text(Texts::closeButton), this);
    m_cmdClose->setObjectName(QStringLiteral("cmdClose"));

    connect(m_cmdUse, &QPushButton::clicked, this, [this] { usePlace(m_tblPlaces->currentRow()); });
    connect(m_cmdWeb, &QPushButton::clicked, this, &AtlasWindow::cmdWeb_Click);
    connect(m_cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_tblPlaces, &QTableWidget::cellDoubleClicked, this, [this](int row) { usePlace(row); });
    connect(m_tblPlaces, &QTableWidget::itemSelectionChanged, this, &AtlasWindow::showClock);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_cmdWeb);
    buttons->addStretch();
    buttons->addWidget(m_cmdUse);
    buttons->addWidget(m_cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_lblHeading);
    layout->addWidget(m_tblPlaces);
    layout->addWidget(m_lblClock);
    layout->addWidget(m_lblNote);
    layout->addWidget(m_lblCredit);
    layout->addWidget(m_lblStatus);
    layout->addLayout(buttons);

    const QString place = echoOf(placeTextOfQuery(query).simplified());
    const bool anyTyped = !place.isEmpty();
    m_cmdClose->setDefault(true);
    if (matches.isEmpty()) {
        m_lblHeading->setText(anyTyped ? text(Texts::notFound).arg(place) : text(Texts::nothingTyped));
        m_tblPlaces->hide();
        m_lblNote->hide();
        m_cmdUse->hide();
        m_cmdWeb->setFocus();
    } else {
        const AtlasMatch &best = matches.constFirst();
        const bool bestFits = best.stateMatches || best.countryMatches;
        m_lblHeading->setText(text(bestFits ? Texts::found : Texts::foundElsewhere).arg(place));
        fillTable(matches, zoneYear);
        // Enter takes the selected place (but for a focused button).
        m_cmdUse->setDefault(true);
        if (bestFits)
            m_tblPlaces->setFocus();
        else
            m_cmdWeb->setFocus();
    }

    setWindowTitle(QString::fromUtf8(Messages::windowTitle));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    // On the heading, not the window: a window's own minimum would override
    // the one its layout takes from a wide table.
    m_lblHeading->setMinimumWidth(fontMetrics().averageCharWidth() * minimumWidthInCharacters);
    adjustSize();
}

void AtlasWindow::fillTable(const QList<AtlasMatch> &matches, int zoneYear)
{
    QStringList headers;
    for (const char *column : Texts::columns)
        headers.append(text(column));
    m_tblPlaces->setColumnCount(int(headers.size()));
    m_tblPlaces->setHorizontalHeaderLabels(headers);
    m_tblPlaces->setRowCount(int(matches.size()));
    m_tblPlaces->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tblPlaces->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tblPlaces->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tblPlaces->setTabKeyNavigation(false);
    m_tblPlaces->setWordWrap(false);
    m_tblPlaces->verticalHeader()->hide();
    m_tblPlaces->horizontalHeader()->setStretchLastSection(true);
    m_tblPlaces->horizontalHeader()->setHighlightSections(false);

    bool anyAgainstLongitude = false;
    for (int row = 0; row < matches.size(); ++row) {
        const AtlasPlace &place = matches.at(row).place;
        m_places.append(place);
        const ZoneSummary zone = summarizeZone(place.timeZone, zoneYear);
        const bool against = zoneAgainstLongitude(zone, place.longitude);
        anyAgainstLongitude = anyAgainstLongitude || against;
        const QStringList cells{place.name,
                                place.state,
                                place.country,
                                formatDegreesMinutes(place.latitude, true),
                                formatDegreesMinutes(place.longitude, false),
                                describeZone(place.timeZone, zone) + (against ? QStringLiteral(" *") : QString())};
        for (int column = 0; column < cells.size(); ++column) {
            auto *item = new QTableWidgetItem(cells.at(column));
            if (column == LatitudeColumn || column == LongitudeColumn)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_tblPlaces->setItem(row, column, item);
        }
        if (against)
            m_tblPlaces->item(row, ZoneColumn)->setToolTip(text(Texts::zoneAgainstLongitudeNote));
    }
    m_tblPlaces->selectRow(0);
    m_lblNote->setText(text(Texts::howToType) +
                       (anyAgainstLongitude ? u'\n' + text(Texts::zoneAgainstLongitudeNote) : QString()));
    fitTableToRows();
}

void AtlasWindow::fitTableToRows()
{
    m_tblPlaces->resizeColumnsToContents();
    m_tblPlaces->resizeRowsToContents();
    const int frame = 2 * m_tblPlaces->frameWidth();
    int width = frame;
    for (int column = 0; column < m_tblPlaces->columnCount(); ++column)
        width += m_tblPlaces->columnWidth(column);
    const int rows = std::min(m_tblPlaces->rowCount(), visibleRows);
    int height = frame + m_tblPlaces->horizontalHeader()->sizeHint().height();
    for (int row = 0; row < rows; ++row)
        height += m_tblPlaces->rowHeight(row);
    if (m_tblPlaces->rowCount() > visibleRows)
        width += m_tblPlaces->verticalScrollBar()->sizeHint().width();
    // Never wider than most of the screen; the table scrolls sideways then.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        width = std::min(width, screen->availableGeometry().width() * 9 / 10);
    // Exactly as high as its rows (up to the visible number), no blank below.
    m_tblPlaces->setMinimumWidth(width);
    m_tblPlaces->setFixedHeight(height);
    m_tblPlaces->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

PlaceClock AtlasWindow::clockOf(int row) const
{
    const AtlasPlace &place = m_places.at(row);
    return placeClock(place.timeZone, m_birthDate, m_birthTime, place.longitude);
}

void AtlasWindow::showClock()
{
    const int row = m_tblPlaces->currentRow();
    if (row < 0 || row >= m_places.size() || !m_birthDate.isValid() || !m_birthTime.isValid()) {
        m_lblClock->hide();
        return;
    }
    const PlaceClock clock = clockOf(row);
    const QString date = QLocale(QLocale::English).toString(m_birthDate, QStringLiteral("d MMMM yyyy"));
    QStringList lines{
        text(Texts::clockAtBirth)
            .arg(m_places.at(row).name, m_birthTime.toString(QStringLiteral("HH:mm")), date, describeClock(clock))};
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
    const AtlasPlace &place = m_places.at(row);
    const PlaceClock clock = clockOf(row);
    const auto key = [](const char *name) { return QString::fromLatin1(name); };
    m_chosenPlace = {{key(WebSearchKeys::latitude), place.latitude},
                     {key(WebSearchKeys::longitude), place.longitude},
                     {key(WebSearchKeys::zoneId), place.timeZone}};
    if (clock.fillsZone) {
        m_chosenPlace.insert(key(WebSearchKeys::zoneHours), clock.zoneHours);
        m_chosenPlace.insert(key(WebSearchKeys::zoneMinutes), clock.zoneMinutes);
        m_chosenPlace.insert(key(WebSearchKeys::dst), clock.dst);
        if (clock.zoneSigned)
            m_chosenPlace.insert(key(WebSearchKeys::zoneSign), zoneSign(clock));
        if (!clock.shortNote.isEmpty())
            m_chosenPlace.insert(key(WebSearchKeys::zoneNote), clock.shortNote);
    }
    accept();
}

void AtlasWindow::cmdWeb_Click()
{
    if (QDesktopServices::openUrl(webSearchUrl(m_query))) {
        accept();
        return;
    }
    m_lblStatus->setText(text(Texts::browserFailed));
    m_lblStatus->show();
}
