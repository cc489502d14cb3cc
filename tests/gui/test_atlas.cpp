// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "atlas/Atlas.h"
#include "atlas/AtlasIndex.h"
#include "core/Messages.h"
#include "plugins/atlaswindow/AtlasWindow.h"
#include "plugins/atlaswindow/PlaceZone.h"
#include "ui/AtlasWindowLoader.h"
#include "TestFiles.h"
#include "Widgets.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPluginLoader>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTableWidget>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QUrlQuery>

#include <cmath>
#include <cstddef>
#include <limits>
#include <optional>

// Stands in for the browser: QDesktopServices hands it every https address.
class BrowserRecorder : public QObject {
    Q_OBJECT
public:
    BrowserRecorder() { QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "open"); }
    ~BrowserRecorder() override { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls.append(url); }
};

namespace {

// The year whose zone rules the tests describe: fixed, so a change of law
// after it can't change the expected texts.
constexpr int zoneYear = 2024;
// The birth moment whose clock the window describes.
const QDate birthDate(1980, 1, 1);
const QTime birthTime(12, 0);
const QString title = QString::fromUtf8(Messages::windowTitle);

// The query for `city`, `state` and `country` at the birth moment.
PlaceQuery placeQuery(const QString &city, const QString &state = {}, const QString &country = {})
{
    return {city, state, country, birthDate, birthTime};
}

// A box filled to its limit: 16,000 one-letter words.
QString fullBox()
{
    return QStringList(16000, QStringLiteral("x")).join(u' ');
}

const Atlas &systemAtlas()
{
    return Atlas::installed();
}

QStringList rowTexts(const QTableWidget *table, int row)
{
    QStringList texts;
    for (int column = 0; column < table->columnCount(); ++column)
        texts.append(table->item(row, column)->text());
    return texts;
}

QString plainText(const QLabel *label)
{
    QTextDocument document;
    document.setHtml(label->text());
    return document.toPlainText();
}

AtlasPlace place(const char *name, const char *state, const char *country, const char *code, quint32 population)
{
    AtlasPlace p;
    p.name = QString::fromUtf8(name);
    p.state = QString::fromUtf8(state);
    p.country = QString::fromUtf8(country);
    p.countryCode = QString::fromUtf8(code);
    p.population = population;
    return p;
}

// The chosen place's fields as text, the zone with the sign the main screen's
// boxes read; none when no place was chosen.
QStringList fieldsOf(const std::optional<ChosenPlace> &chosen)
{
    if (!chosen)
        return {};
    QString zone = QStringLiteral("none");
    if (const std::optional<ZoneOffset> &offset = chosen->zone)
        zone = zoneSign(offset->direction, ZoneSigns::Picker) +
               QStringLiteral("%1:%2").arg(offset->hours).arg(offset->minutes, 2, 10, QLatin1Char('0'));
    return {chosen->city, chosen->state, chosen->country, chosen->latitude.text(AngleAxis::Latitude, AngleStyle::Plain),
            chosen->longitude.text(AngleAxis::Longitude, AngleStyle::Plain), chosen->zoneId, zone,
            chosen->dst ? QStringLiteral("DST") : QStringLiteral("no DST"), chosen->zoneNote};
}

// The index `bytes` with the number at `offset` replaced.
QByteArray withNumber(QByteArray bytes, std::size_t offset, quint32 number)
{
    std::memcpy(bytes.data() + offset, &number, sizeof number);
    return bytes;
}

} // namespace

class TestAtlas : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(systemAtlas().size() > 190000, "the GeoNames atlas is missing or cut short");
    }

    // ---- the web query and comparing names --------------------------------------

    void queryAndFolding()
    {
        QCOMPARE(webQueryOf(placeQuery("Pune", "Maharashtra", "India")),
                 QStringLiteral("Pune Maharashtra India Latitude Longitude"));
        QCOMPARE(webQueryOf(placeQuery(" ", " ", " ")), QStringLiteral("      Latitude Longitude"));
        QCOMPARE(webQueryOf(placeQuery("q")), QStringLiteral("q   Latitude Longitude"));
        QCOMPARE(webQueryOf(placeQuery("  lima ", "LIMA", "peru  ")),
                 QStringLiteral("  lima  LIMA peru   Latitude Longitude"));

        const QList<QPair<QString, QString>> folds{
            {QStringLiteral("São Paulo"), QStringLiteral("sao paulo")},
            {QStringLiteral("ZÜRICH"), QStringLiteral("zurich")},
            {QStringLiteral("Łódź"), QStringLiteral("lodz")},
            {QStringLiteral("Straße"), QStringLiteral("strasse")},
            {QStringLiteral("Kürdǝmir"), QStringLiteral("kurdemir")},
            {QStringLiteral("St. John's"), QStringLiteral("st johns")},
            {QStringLiteral("Saint-Louis"), QStringLiteral("st louis")},
            {QStringLiteral("Mount Isa"), QStringLiteral("mt isa")},
            {QStringLiteral("Winston–Salem"), QStringLiteral("winston salem")},
            {QStringLiteral("  New   York,  NY "), QStringLiteral("new york ny")},
            {QStringLiteral("   "), QString()}};
        for (const auto &[typed, folded] : folds)
            QCOMPARE(foldForSearch(typed), folded);
    }

    // ---- ranking in the system's atlas ----------------------------------------

    void ranking_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("best"); // name, state, country code
        const auto row = [](const char *tag, const char *place, QStringList best) {
            QTest::newRow(tag) << QString::fromUtf8(place) << best;
        };
        row("Pune", "Pune Maharashtra India", {"Pune", "Maharashtra", "IN"});
        row("Springfield in Illinois, not the larger one", "Springfield Illinois USA",
            {"Springfield", "Illinois", "US"});
        row("postal code and short country", "Springfield IL US", {"Springfield", "Illinois", "US"});
        row("full country name", "Springfield Massachusetts United States of America",
            {"Springfield", "Massachusetts", "US"});
        row("blank inside the city", "New York NY USA", {"New York City", "New York", "US"});
        row("smaller London in Ontario", "London Ontario Canada", {"London", "Ontario", "CA"});
        row("London in the UK", "London England UK", {"London", "England", "GB"});
        row("Perth WA", "Perth WA Australia", {"Perth", "Western Australia", "AU"});
        row("Perth in Scotland", "Perth Scotland United Kingdom", {"Perth", "Scotland", "GB"});
        row("state without its 'State of'", "Portland Maine USA", {"Portland", "Maine", "US"});
        row("Portland OR", "Portland OR USA", {"Portland", "Oregon", "US"});
        row("Victoria BC", "Victoria BC Canada", {"Victoria", "British Columbia", "CA"});
        row("Madrid in Spain", "Madrid Madrid Spain", {"Madrid", "Madrid", "ES"});
        row("Delhi's long state name", "Delhi Delhi India", {"Delhi", "Delhi", "IN"});
        row("accents left out", "Sao Paulo Sao Paulo Brazil", {"São Paulo", "São Paulo", "BR"});
        row("accent typed, none in the atlas", "ZÜRICH Zürich Switzerland", {"Zürich", "Zurich", "CH"});
        row("Saint for St", "Saint Louis Missouri USA", {"St. Louis", "Missouri", "US"});
        row("former name", "Bombay Maharashtra India", {"Mumbai", "Maharashtra", "IN"});
        row("untrimmed boxes", "  pune    MAHARASHTRA   india ", {"Pune", "Maharashtra", "IN"});
        row("punctuation typed", "Springfield, Ill., U.S.A.", {"Springfield", "Illinois", "US"});
        // The state at the end of a full box is still found; the country after it.
        QTest::newRow("full boxes")
            << QStringLiteral("Springfield %1 Illinois %1 USA").arg(fullBox())
            << QStringList{"Springfield", "Illinois", "US"};
    }

    void ranking()
    {
        QFETCH(QString, query);
        QFETCH(QStringList, best);
        const QList<AtlasMatch> matches = systemAtlas().search(query);
        QVERIFY(!matches.isEmpty());
        const AtlasPlace &first = matches.constFirst().place;
        QCOMPARE((QStringList{first.name, first.state, first.countryCode}), best);
        QVERIFY(matches.constFirst().stateMatches);
        QVERIFY(matches.constFirst().countryMatches);
        // Every other place of the same name in the list matches less well.
        for (const AtlasMatch &other : matches.sliced(1))
            QVERIFY(other.place.name != first.name || !(other.stateMatches && other.countryMatches));
    }

    void formerNames_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("atlasName");
        const QList<QPair<const char *, const char *>> names{{"Bombay", "Mumbai"},
                                                             {"Calcutta", "Kolkata"},
                                                             {"Madras", "Chennai"},
                                                             {"Bangalore", "Bengaluru"},
                                                             {"Poona", "Pune"},
                                                             {"Benares", "Varanasi"},
                                                             {"Banaras", "Varanasi"},
                                                             {"Mysuru", "Mysore"},
                                                             {"Gurugram", "Gurgaon"},
                                                             {"Cochin", "Cochin"},
                                                             {"Trivandrum", "Thiruvananthapuram"},
                                                             {"Peking", "Beijing"},
                                                             {"Saigon", "Ho Chi Minh City"},
                                                             {"Rangoon", "Yangon"},
                                                             {"Kiev", "Kyiv"}};
        for (const auto &[typed, atlasName] : names)
            QTest::newRow(typed) << QString::fromLatin1(typed) << QString::fromLatin1(atlasName);
    }

    void formerNames()
    {
        QFETCH(QString, typed);
        QFETCH(QString, atlasName);
        // Much the largest place of the name: Kochi in India, not in Japan.
        const QList<AtlasMatch> matches = systemAtlas().search(typed);
        QCOMPARE(matches.first().place.name, atlasName);
        QVERIFY(matches.size() == 1 || matches.at(0).place.population >= 10 * matches.at(1).place.population);
    }

    void springfieldsRankedByFitThenSize()
    {
        const QList<AtlasMatch> matches = systemAtlas().search(QStringLiteral("Springfield Illinois USA"));
        QVERIFY(matches.size() >= 5);
        QCOMPARE(matches.at(0).place.state, QStringLiteral("Illinois"));
        // The others are all in the United States but not in Illinois: by population.
        for (qsizetype i = 1; i < matches.size(); ++i) {
            QVERIFY(matches.at(i).countryMatches);
            QVERIFY(!matches.at(i).stateMatches);
            if (i > 1)
                QVERIFY(matches.at(i - 1).place.population >= matches.at(i).place.population);
        }
        // "Springfield Gardens" is known as Springfield too; places whose
        // name only begins with it don't come in before the whole names.
        for (const AtlasMatch &match : matches)
            QCOMPARE(match.name, NameMatch::Whole);
        QCOMPARE(systemAtlas().search(QStringLiteral("Springfield Illinois USA"), 3).size(), 3);
    }

    void missingPlacesFindNothing_data()
    {
        QTest::addColumn<QString>("query");
        QTest::newRow("made up") << "Qwertzville Nowhere Land";
        QTest::newRow("misspelt") << "Punee Maharashtra India";
        QTest::newRow("state typed first") << "Maharashtra Pune India";
        QTest::newRow("blanks only") << "     ";
        QTest::newRow("punctuation only") << ".,; -- '";
        QTest::newRow("empty") << "";
    }

    void missingPlacesFindNothing()
    {
        QFETCH(QString, query);
        QVERIFY(systemAtlas().search(query).isEmpty());
    }

    // ---- the index file ---------------------------------------------------------

    // Opening reads the header only, so each damage must be caught there or
    // kept within the file by the search: never a crash or a read past the end.
    void indexFile_data()
    {
        using AtlasIndex::Header;
        QTest::addColumn<QByteArray>("bytes"); // "<none>": no file at all
        QTest::addColumn<QString>("problem");  // the message's beginning or end
        QTest::addColumn<int>("places");
        const QByteArray sound = AtlasIndex::build(
            {place("Pune", "Maharashtra", "India", "IN", 3124458), place("Puri", "Odisha", "India", "IN", 201026)});
        const auto keyPlace = [&](quint32 number) {
            Header header;
            std::memcpy(&header, sound.constData(), sizeof header);
            return withNumber(sound, header.keysAt + offsetof(AtlasIndex::Key, place), number);
        };
        const QString cutShort = QStringLiteral("is cut short; reinstall Quorvel to look places up.");
        const QString foreign = QStringLiteral("is not an atlas of this Quorvel; reinstall Quorvel to look places up.");
        QTest::newRow("sound") << sound << QString() << 2;
        QTest::newRow("missing") << QByteArray("<none>") << QStringLiteral("Quorvel's atlas ") << 0;
        QTest::newRow("empty") << QByteArray() << cutShort << 0;
        QTest::newRow("header cut") << sound.left(20) << cutShort << 0;
        QTest::newRow("cut short") << sound.chopped(1) << cutShort << 0;
        QTest::newRow("text file") << QByteArray(200, 'x') << foreign << 0;
        QTest::newRow("other version") << withNumber(sound, offsetof(Header, version), 99) << foreign << 0;
        QTest::newRow("bytes after its end") << sound + QByteArray(8, '\0') << foreign << 0;
        QTest::newRow("table past the texts") << withNumber(sound, offsetof(Header, keys), 1u << 30) << foreign << 0;
        QTest::newRow("table misplaced") << withNumber(sound, offsetof(Header, zonesAt), 1u << 31) << foreign << 0;
        QTest::newRow("texts unterminated") << sound.chopped(1) + 'x' << foreign << 0;
        QTest::newRow("key of no place") << keyPlace(1u << 31) << QString() << 2;
    }

    void indexFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, problem);
        QFETCH(int, places);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("atlas.idx"));
        QVERIFY(bytes == "<none>" || writeBytes(path, bytes));
        const Atlas atlas = Atlas::fromFile(path);
        QVERIFY2(problem.isEmpty() ? atlas.problem().isEmpty()
                                   : atlas.problem().startsWith(problem) || atlas.problem().endsWith(problem),
                 qPrintable(atlas.problem()));
        QCOMPARE(atlas.size(), places);
        for (const QString &typed : {QStringLiteral("Pune"), QStringLiteral("Pu"), QStringLiteral("Punee")})
            QCOMPARE(atlas.search(typed).isEmpty() && atlas.suggestions(typed).isEmpty(), places == 0);
        // The plugin's window says what is wrong in its heading.
        const AtlasWindow window(placeQuery("Pune"), title, atlas, zoneYear);
        QCOMPARE(widget<QLabel>(&window, "lblHeading")->text() == atlas.problem(), !problem.isEmpty());
    }

    // ---- ranking rules on a small atlas ----------------------------------------

    void longestNameAndOtherNames()
    {
        AtlasPlace munich = place("Munich", "Bavaria", "Germany", "DE", 1260391);
        munich.otherNames = QStringList{QStringLiteral("München"), QStringLiteral("Monaco di Baviera")};
        const Atlas atlas({place("Mexico", "Missouri", "United States", "US", 11000),
                           place("Mexico City", "Mexico City", "Mexico", "MX", 12294193),
                           place("Mexico", "Central Luzon", "Philippines", "PH", 43694),
                           place("Cuauhtémoc", "Mexico City", "Mexico", "MX", 531831),
                           place("Cuauhtémoc", "Chihuahua", "Mexico", "MX", 90835), munich,
                           place("London", "California", "United States", "US", 1869),
                           place("London", "Ontario", "Canada", "CA", 346765)});
        QCOMPARE(atlas.size(), 8);

        // "Mexico City" is the longer name; "Mexico" of Missouri comes after it.
        QList<AtlasMatch> matches = atlas.search(QStringLiteral("Mexico City Mexico"));
        QCOMPARE(matches.at(0).place.name, QStringLiteral("Mexico City"));
        QVERIFY(matches.at(0).countryMatches);
        QCOMPARE(atlas.search(QStringLiteral("Mexico City")).at(0).place.name, QStringLiteral("Mexico City"));

        // The state counts more than the size of the place.
        matches = atlas.search(QStringLiteral("Mexico, MO, USA"));
        QCOMPARE(matches.at(0).place.state, QStringLiteral("Missouri"));
        // Neither state nor country typed: the larger place first.
        matches = atlas.search(QStringLiteral("Mexico Nowhere Land"));
        QCOMPARE(matches.at(0).place.countryCode, QStringLiteral("PH"));
        QVERIFY(!matches.at(0).stateMatches && !matches.at(0).countryMatches);
        // "Mexico" names the country, not the state Mexico City as well.
        matches = atlas.search(QStringLiteral("Cuauhtemoc, Chihuahua, Mexico"));
        QCOMPARE(matches.at(0).place.state, QStringLiteral("Chihuahua"));
        QVERIFY(!matches.at(1).stateMatches && matches.at(1).countryMatches);

        // "CA" names California and Canada alike, the larger first; "Canada" rules California out.
        matches = atlas.search(QStringLiteral("London, CA"));
        QCOMPARE(matches.at(0).place.state, QStringLiteral("Ontario"));
        QCOMPARE(matches.at(1).fit, matches.at(0).fit);
        matches = atlas.search(QStringLiteral("London, California, Canada"));
        QCOMPARE(matches.at(0).place.state, QStringLiteral("Ontario"));
        QVERIFY(!matches.at(1).stateMatches && matches.at(1).fit < 0);

        // Other names are searched too, accents or not; names begun are offered after whole ones.
        for (const char *typed : {"Munchen, Bayern, Deutschland", "MÜNCHEN", "monaco di baviera, germany", "Muni"})
            QCOMPARE(atlas.search(QString::fromUtf8(typed)).value(0).place.name, QStringLiteral("Munich"));
        QCOMPARE(atlas.search(QStringLiteral("Mexico")).last().name, NameMatch::Prefix);
        // One letter wrong, missing, extra or swapped: suggested, never found.
        for (const char *typed : {"Munick", "Mnich", "Muniich", "Mnuich, Germany"}) {
            QVERIFY(atlas.search(QString::fromUtf8(typed)).isEmpty());
            QCOMPARE(atlas.suggestions(QString::fromUtf8(typed)).value(0).place.name, QStringLiteral("Munich"));
        }
        QVERIFY(atlas.suggestions(QStringLiteral("Munich")).isEmpty());
        // A pasted word of 30,000 letters is answered at once.
        QVERIFY(atlas.suggestions(QString(30000, u'm')).isEmpty());
    }

    // ---- time zones ------------------------------------------------------------

    void zones_data()
    {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QString>("description");
        QTest::newRow("India") << "Asia/Kolkata"
                               << "Asia/Kolkata (UTC+5:30, no daylight saving)";
        QTest::newRow("Nepal") << "Asia/Kathmandu"
                               << "Asia/Kathmandu (UTC+5:45, no daylight saving)";
        QTest::newRow("west with summer time") << "America/Chicago"
                                               << "America/Chicago (UTC-6:00, daylight saving)";
        QTest::newRow("southern summer time") << "Australia/Sydney"
                                              << "Australia/Sydney (UTC+10:00, daylight saving)";
        QTest::newRow("Newfoundland") << "America/St_Johns"
                                      << "America/St_Johns (UTC-3:30, daylight saving)";
        QTest::newRow("London") << "Europe/London"
                                << "Europe/London (UTC+0:00, daylight saving)";
        // Irish law calls winter time the exception; the clocks read GMT in winter.
        QTest::newRow("Dublin") << "Europe/Dublin"
                                << "Europe/Dublin (UTC+0:00, daylight saving)";
        QTest::newRow("unknown") << "Nowhere/Atlantis"
                                 << "Nowhere/Atlantis (offset unknown)";
        QTest::newRow("empty") << ""
                               << " (offset unknown)";
    }

    void zones()
    {
        QFETCH(QString, zone);
        QFETCH(QString, description);
        QCOMPARE(describeZone(zone, summarizeZone(zone, zoneYear)), description);
    }

    void zoneAgainstLongitudeFlagged()
    {
        const auto against = [](const char *zone, double longitude) {
            return zoneAgainstLongitude(summarizeZone(QString::fromLatin1(zone), zoneYear), longitude);
        };
        QVERIFY(!against("Asia/Kolkata", 73.85535));     // ahead, east
        QVERIFY(!against("America/Chicago", -89.64371)); // behind, west
        QVERIFY(!against("Europe/London", -0.12574));    // no offset: either way
        QVERIFY(against("Europe/Madrid", -3.70256));     // ahead, yet west of Greenwich
        QVERIFY(against("Pacific/Apia", -171.76666));    // far ahead, far west
        QVERIFY(against("Europe/Paris", 0.001));         // 0° 0' counts as west
        QVERIFY(!against("Nowhere/Atlantis", -3.0));
    }

    // ---- the results window ------------------------------------------------------

    void windowShowsPuneAsTyped()
    {
        AtlasWindow window(placeQuery("Pune Maharashtra India"), title, systemAtlas(), zoneYear);
        QCOMPARE(window.windowTitle(), title);
        QVERIFY(window.isModal());
        QTableWidget *table = window.tblPlaces();
        QCOMPARE(rowTexts(table, 0), (QStringList{"Pune", "Maharashtra", "India", "18° 31' N", "73° 51' E",
                                                  "Asia/Kolkata (UTC+5:30, no daylight saving)"}));
        QCOMPARE(table->editTriggers(), QAbstractItemView::NoEditTriggers);
        // The whole row fits without scrolling sideways.
        int columns = 0;
        for (int column = 0; column < table->columnCount(); ++column)
            columns += table->columnWidth(column);
        QVERIFY(table->minimumWidth() >= columns);

        const auto *credit = widget<QLabel>(&window, "lblCredit");
        QVERIFY(plainText(credit).contains(QStringLiteral("GeoNames (geonames.org), CC BY 4.0")));
        QVERIFY(credit->text().contains(QStringLiteral("https://creativecommons.org/licenses/by/4.0/")));
        QCOMPARE(window.cmdWeb()->text(), QStringLiteral("Search the &Web"));
        QCOMPARE(window.cmdClose()->text(), QStringLiteral("&Close"));
        QCOMPARE(window.cmdUse()->text(), QStringLiteral("&Use This Place"));
        QVERIFY(window.cmdUse()->isDefault());
        const auto *note = widget<QLabel>(&window, "lblNote");
        QVERIFY(!note->text().contains(u'*'));
        QCOMPARE(widget<QLabel>(&window, "lblClock")->text(),
                 QStringLiteral("The clock in Pune at 12:00 on 1 January 1980: IST, UTC+5:30"));

        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(QApplication::focusWidget(), window.txtPlace());
        QCOMPARE(window.txtPlace()->text(), QStringLiteral("Pune Maharashtra India"));
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(!window.isVisible());
        QCOMPARE(window.result(), int(QDialog::Rejected));
        QVERIFY(!window.chosenPlace());
    }

    // "Use This Place", Enter and a double click take the selected row:
    // coordinates and names always, the zone boxes and DST only where the clock at the
    // birth moment fills them. The clock line follows the selection.
    void windowUsesThePlace_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("chosen"); // as fieldsOf() writes it
        const QStringList kathmandu{"Kathmandu", "Central Region", "Nepal",  "27° 42' N", "85° 19' E",
                                    "Asia/Kathmandu", "5:30", "no DST", ""};
        // Double summer time: the whole offset, with its sign, as the longitude is West.
        const QStringList london{"London",        "England", "United Kingdom", "51° 31' N",          "0° 8' W",
                                 "Europe/London", "-2:00",   "no DST",         "Includes summer time"};
        QTest::newRow("button, double summer time") << "button" << 1 << london;
        QTest::newRow("Enter, with the zone") << "enter" << 0 << kathmandu;
        QTest::newRow("double click") << "double click" << 1 << london;
        QTest::newRow("Escape takes nothing") << "escape" << 0 << QStringList();
    }

    void windowUsesThePlace()
    {
        QFETCH(QString, how);
        QFETCH(int, row);
        QFETCH(QStringList, chosen);
        AtlasPlace kathmandu = place("Kathmandu", "Central Region", "Nepal", "NP", 9442271);
        kathmandu.otherNames = QStringList{QStringLiteral("Capital")};
        kathmandu.latitude = 27.70169;
        kathmandu.longitude = 85.3206;
        kathmandu.timeZone = QStringLiteral("Asia/Kathmandu");
        AtlasPlace london = place("London", "England", "United Kingdom", "GB", 8961989);
        london.latitude = 51.50853;
        london.longitude = -0.12574;
        london.timeZone = QStringLiteral("Europe/London");
        london.otherNames = QStringList{QStringLiteral("Capital")};
        const Atlas atlas({london, kathmandu});
        AtlasWindow window({QStringLiteral("capital"), {}, {}, QDate(1941, 7, 1), QTime(12, 0)}, title, atlas,
                           zoneYear);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTableWidget *table = window.tblPlaces();
        const auto *clock = widget<QLabel>(&window, "lblClock");
        QCOMPARE(clock->text(), QStringLiteral("The clock in Kathmandu at 12:00 on 1 July 1941: UTC+5:30"));
        table->selectRow(1);
        QVERIFY(
            clock->text().startsWith(QStringLiteral("The clock in London at 12:00 on 1 July 1941: BDST, UTC+2:00\n")));
        QVERIFY(clock->text().contains(QStringLiteral("Daylight saving of 2 hours")));
        // The longer text is shown whole, and the window still fits the screen.
        QVERIFY(clock->height() >= clock->heightForWidth(clock->width()));
        QVERIFY(window.frameGeometry().height() <= window.screen()->availableGeometry().height());
        table->selectRow(row);

        if (how == QLatin1String("button")) {
            QTest::mouseClick(window.cmdUse(), Qt::LeftButton);
        } else if (how == QLatin1String("enter")) {
            QTest::keyClick(window.txtPlace(), Qt::Key_Return);
        } else if (how == QLatin1String("double click")) {
            const QRect cell = table->visualRect(table->model()->index(row, 0));
            QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {},
                               table->viewport()->mapTo(&window, cell.center()));
        } else {
            QTest::keyClick(table, Qt::Key_Escape);
        }
        QVERIFY(!window.isVisible());
        QCOMPARE(fieldsOf(window.chosenPlace()), chosen);
    }

    void windowSearchesAsTyped()
    {
        // Eight rows in view, none cut off, the rest a scroll away.
        AtlasWindow window(placeQuery("Springfield", "IL", "USA"), title, systemAtlas(), zoneYear);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTableWidget *table = window.tblPlaces();
        QVERIFY(table->rowCount() > 8);
        QVERIFY(table->viewport()->height() >= 8 * table->rowHeight(0));
        QVERIFY(window.rect().contains(table->geometry())); // the window doesn't cut it off
        QCOMPARE(table->item(0, 1)->text(), QStringLiteral("Illinois"));

        // Typing searches again; the window keeps its size; arrows move through the places.
        const QSize size = window.size();
        window.txtPlace()->clear();
        QTest::keyClicks(window.txtPlace(), QStringLiteral("Oberammerg"));
        QCOMPARE(table->item(0, 0)->text(), QStringLiteral("Oberammergau"));
        QTest::keyClicks(window.txtPlace(), QStringLiteral("au, Germany"));
        QCOMPARE(table->rowCount(), 1);
        QCOMPARE(window.width(), size.width());
        window.txtPlace()->setText(QStringLiteral("Londn, UK"));
        QVERIFY(widget<QLabel>(&window, "lblHeading")->text().contains(QStringLiteral("Did you mean")));
        QCOMPARE(rowTexts(table, 0).mid(0, 3), (QStringList{"London", "England", "United Kingdom"}));
        window.txtPlace()->setText(QStringLiteral("London"));
        QTest::keyClick(window.txtPlace(), Qt::Key_Down);
        QCOMPARE(table->currentRow(), 1);
        QCOMPARE(window.txtPlace()->text(), QStringLiteral("London"));
    }

    // Whatever the search finds, the window keeps the width it opened with;
    // the names too long for their column elide, whole in the tooltip.
    void windowKeepsItsWidth_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("long names") << "Santa Cruz de la Sierra";
        QTest::newRow("long zone") << "Comodoro Rivadavia";
        QTest::newRow("nothing found") << "Qwertzville";
    }

    void windowKeepsItsWidth()
    {
        QFETCH(QString, typed);
        AtlasWindow window(placeQuery({}), title, systemAtlas(), zoneYear);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const int width = window.width();
        QTest::keyClicks(window.txtPlace(), typed);
        QCOMPARE(window.width(), width);
        const QTableWidget *table = window.tblPlaces();
        QVERIFY(table->horizontalHeader()->length() <= table->viewport()->width());  // no sideways scrolling
        for (const QTableWidgetItem *item : table->findItems(QStringLiteral("*"), Qt::MatchWildcard))
            QVERIFY(item->toolTip().startsWith(item->text()));
    }

    void windowOpensTheWebSearch()
    {
        BrowserRecorder browser;
        AtlasWindow window(placeQuery("Qwertzville", "A&B", "#1 x+y=z"), title, systemAtlas(), zoneYear);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(window.tblPlaces()->rowCount(), 0);
        QVERIFY(!window.cmdUse()->isEnabled());
        const auto *heading = widget<QLabel>(&window, "lblHeading");
        QCOMPARE(heading->text(), QStringLiteral("\u201cQwertzville, A&B, #1 x+y=z\u201d is not in the atlas. "
                                                 "Search the web for its latitude and longitude."));
        // With nothing found the web search is one key press away.
        QCOMPARE(QApplication::focusWidget(), window.txtPlace());
        QTest::keyClick(window.txtPlace(), Qt::Key_Return);
        QCOMPARE(browser.urls.size(), 1);
        QCOMPARE(browser.urls.first().query(QUrl::FullyEncoded),
                 QStringLiteral("q=Qwertzville%20A%26B%20%231%20x%2By%3Dz%20Latitude%20Longitude"));
        QCOMPARE(QUrlQuery(browser.urls.first()).queryItemValue(QStringLiteral("q"), QUrl::FullyDecoded),
                 QStringLiteral("Qwertzville A&B #1 x+y=z Latitude Longitude"));
        QVERIFY(!window.isVisible());
        QCOMPARE(window.result(), int(QDialog::Accepted));
    }

    void windowFlagsDoubtfulPlaces()
    {
        // Typed markup is shown as text, a character that turns the text around escaped.
        AtlasWindow nothing(placeQuery(QStringLiteral("<b>Madrid</b> \u202eNowhere Land")), title, systemAtlas(),
                            zoneYear);
        QCOMPARE(widget<QLabel>(&nothing, "lblHeading")->textFormat(), Qt::PlainText);
        QVERIFY(widget<QLabel>(&nothing, "lblHeading")->text().contains(u"</b> \\u202eNowhere Land\u201d"));

        // Full boxes: the heading repeats the start of the text, whole, and
        // the window fits the screen.
        AtlasWindow pasted(placeQuery(QStringLiteral("Springfield %1 %1 %1").arg(fullBox())), title, systemAtlas(),
                           zoneYear);
        pasted.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pasted));
        const auto *heading = widget<QLabel>(&pasted, "lblHeading");
        QVERIFY(heading->text().contains(QStringLiteral("\u201cSpringfield x x x ")));
        QVERIFY(heading->height() >= heading->heightForWidth(heading->width()));
        QVERIFY(pasted.frameGeometry().height() <= pasted.screen()->availableGeometry().height());

        // Places of the name, none in the state or country typed: the
        // window says so and offers the web first.
        AtlasWindow window(placeQuery("Madrid Ontario Canada"), title, systemAtlas(), zoneYear);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QVERIFY(widget<QLabel>(&window, "lblHeading")
                    ->text()
                    .contains(QStringLiteral("none in the state or country of \u201cMadrid Ontario Canada\u201d")));

        // Madrid's clocks run ahead of UTC though it lies west of Greenwich.
        const int spain = int(window.tblPlaces()->findItems(QStringLiteral("Spain"), Qt::MatchExactly).value(0)->row());
        QCOMPARE(window.tblPlaces()->item(spain, 5)->text(),
                 QStringLiteral("Europe/Madrid (UTC+1:00, daylight saving) *"));
        QVERIFY(widget<QLabel>(&window, "lblNote")->text().contains(u'*'));
    }

    // ---- the plugin as the program runs it ---------------------------------------

    void pluginShowsResultsAndIsReleased()
    {
        BrowserRecorder browser;
        const QString plugin = QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                               QStringLiteral("/../plugins/quorvel_atlaswindow_plugin.so"));
        std::optional<QStringList> firstRow;
        QString searched;
        QString title;
        qint64 shownAfter = -1;
        QElapsedTimer clock;
        // Reads the modal window once it is up, then takes the place as the user would.
        QTimer watcher;
        watcher.setInterval(10);
        connect(&watcher, &QTimer::timeout, this, [&] {
            // The plugin has its own copy of the window class: find it by name.
            QWidget *window = QApplication::activeModalWidget();
            if (!window || window->objectName() != QLatin1String("AtlasWindow"))
                return;
            watcher.stop();
            shownAfter = clock.elapsed();
            title = window->windowTitle();
            const auto *table = window->findChild<QTableWidget *>(QStringLiteral("tblPlaces"));
            if (table && table->rowCount() > 0)
                firstRow = rowTexts(table, 0);
            if (const auto *box = window->findChild<QLineEdit *>(QStringLiteral("txtPlace")))
                searched = box->text();
            QTest::mouseClick(widget<QPushButton>(window, "cmdUse"), Qt::LeftButton);
        });
        watcher.start();
        clock.start();
        const std::optional<ChosenPlace> chosen = runAtlasWindow(
            {QStringLiteral(" Pune "), QString(), QStringLiteral("India"), QDate(1980, 1, 1), QTime(12, 0)},
            atlasWindowFolders()).value.value_or(std::nullopt);
        QVERIFY(chosen);
        qInfo("results window up %lld ms after the click", qlonglong(shownAfter));
        QVERIFY(shownAfter >= 0);
        QCOMPARE(title, QString::fromUtf8(Messages::windowTitle));
        QVERIFY(firstRow.has_value());
        QCOMPARE(searched, QStringLiteral("Pune, India")); // the main screen's boxes, the empty one left out
        QCOMPARE(firstRow->mid(0, 5), (QStringList{"Pune", "Maharashtra", "India", "18° 31' N", "73° 51' E"}));
        QVERIFY(firstRow->at(5).startsWith(QStringLiteral("Asia/Kolkata (UTC+5:30")));
        // The place comes back to the program, with the zone at the birth moment.
        QCOMPARE(chosen->zoneId, QStringLiteral("Asia/Kolkata"));
        QCOMPARE((QStringList{chosen->city, chosen->state, chosen->country}), (QStringList{"Pune", "Maharashtra", "India"}));
        QCOMPARE(chosen->latitude.text(AngleAxis::Latitude, AngleStyle::Plain), QStringLiteral("18° 31' N"));
        QCOMPARE(chosen->longitude.text(AngleAxis::Longitude, AngleStyle::Plain), QStringLiteral("73° 51' E"));
        QVERIFY(chosen->zone == (ZoneOffset{5, 30}));
        QCOMPARE(chosen->dst, false);
        QVERIFY(browser.urls.isEmpty()); // taking a place searches nothing
        QVERIFY(!QPluginLoader(plugin).isLoaded());
        QVERIFY(!QApplication::activeModalWidget());
    }
};

QTEST_MAIN(TestAtlas)
#include "test_atlas.moc"
