// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The GLib headers name struct members "signals", which Qt defines as a
// keyword macro; include them before any Qt header can.
#include <geonames.h>

#include "atlas/Atlas.h"

#include <QDateTime>
#include <QSet>
#include <QTimeZone>

#include <algorithm>
#include <array>
#include <clocale>
#include <cmath>
#include <string>

namespace {

using Words = QStringList;

// A query's trailing words, added by the program to every search.
constexpr char queryEnding[] = " Latitude Longitude";

Words wordsOf(const QString &folded)
{
    return folded.split(u' ', Qt::SkipEmptyParts);
}

// The typed words, indexed by word. A run of words is compared only where
// its least typed word occurs, so looking up a region's name costs next to
// nothing however many words the boxes hold.
class TypedWords {
public:
    explicit TypedWords(const Words &words) : m_words(words)
    {
        for (qsizetype at = 0; at < m_words.size(); ++at)
            m_positions[m_words.at(at)].append(at);
    }

    qsizetype size() const { return m_words.size(); }

    // Whether `run` occurs as whole words starting at word `from` or later.
    bool containsRun(const Words &run, qsizetype from) const
    {
        const QList<qsizetype> *fewest = nullptr; // where the least typed word of the run is
        qsizetype offset = 0;                     // and its place in the run
        for (qsizetype i = 0; i < run.size(); ++i) {
            const auto found = m_positions.constFind(run.at(i));
            if (found == m_positions.constEnd())
                return false;
            if (!fewest || found->size() < fewest->size()) {
                fewest = &*found;
                offset = i;
            }
        }
        if (!fewest)
            return false;
        for (auto at = std::lower_bound(fewest->begin(), fewest->end(), from + offset); at != fewest->end(); ++at) {
            const qsizetype start = *at - offset;
            if (start + run.size() > m_words.size())
                break;
            if (std::equal(run.begin(), run.end(), m_words.begin() + start))
                return true;
        }
        return false;
    }

private:
    Words m_words;
    QHash<QString, QList<qsizetype>> m_positions; // word -> where it is typed, ascending
};

// The words typed after a city name: where its state and country are looked for.
struct TypedAfter {
    const TypedWords &words;
    qsizetype from;

    bool isEmpty() const { return from >= words.size(); }
    bool contains(const Words &run) const { return words.containsRun(run, from); }
};

// Words that name the kind of a region rather than the region: the atlas
// has "State of Maine" and "Canton of Zurich" where people type "Maine" and
// "Zurich". ("Kingdom" stays: "United Kingdom" without it is nothing.)
bool isGenericWord(const QString &word)
{
    static const QSet<QString> generic{
        QStringLiteral("of"),          QStringLiteral("the"),          QStringLiteral("state"),
        QStringLiteral("province"),    QStringLiteral("region"),       QStringLiteral("canton"),
        QStringLiteral("governorate"), QStringLiteral("oblast"),       QStringLiteral("krai"),
        QStringLiteral("prefecture"),  QStringLiteral("county"),       QStringLiteral("department"),
        QStringLiteral("district"),    QStringLiteral("territory"),    QStringLiteral("territories"),
        QStringLiteral("autonomous"),  QStringLiteral("municipality"), QStringLiteral("national"),
        QStringLiteral("capital"),     QStringLiteral("federal"),      QStringLiteral("voivodeship"),
        QStringLiteral("city"),        QStringLiteral("republic"),     QStringLiteral("principality")};
    return generic.contains(word);
}

Words coreOf(const Words &words)
{
    Words core;
    for (const QString &word : words) {
        if (!isGenericWord(word))
            core.append(word);
    }
    return core;
}

// Short forms people type for a state or a country. `name` is the folded
// name without its generic words; `aliases` are folded and separated by '|'.
struct Aliases {
    const char *countryCode;
    const char *name;
    const char *aliases;
};

constexpr std::array stateAliases{
    // The United States: postal codes.
    Aliases{"US", "alabama", "al"},
    Aliases{"US", "alaska", "ak"},
    Aliases{"US", "arizona", "az"},
    Aliases{"US", "arkansas", "ar"},
    Aliases{"US", "california", "ca|calif"},
    Aliases{"US", "colorado", "co"},
    Aliases{"US", "connecticut", "ct"},
    Aliases{"US", "delaware", "de"},
    Aliases{"US", "florida", "fl|fla"},
    Aliases{"US", "georgia", "ga"},
    Aliases{"US", "hawaii", "hi"},
    Aliases{"US", "idaho", "id"},
    Aliases{"US", "illinois", "il|ill"},
    Aliases{"US", "indiana", "in|ind"},
    Aliases{"US", "iowa", "ia"},
    Aliases{"US", "kansas", "ks"},
    Aliases{"US", "kentucky", "ky"},
    Aliases{"US", "louisiana", "la"},
    Aliases{"US", "maine", "me"},
    Aliases{"US", "maryland", "md"},
    Aliases{"US", "massachusetts", "ma|mass"},
    Aliases{"US", "michigan", "mi|mich"},
    Aliases{"US", "minnesota", "mn|minn"},
    Aliases{"US", "mississippi", "ms|miss"},
    Aliases{"US", "missouri", "mo"},
    Aliases{"US", "montana", "mt"},
    Aliases{"US", "nebraska", "ne"},
    Aliases{"US", "nevada", "nv"},
    Aliases{"US", "new hampshire", "nh"},
    Aliases{"US", "new jersey", "nj"},
    Aliases{"US", "new mexico", "nm"},
    Aliases{"US", "new york", "ny"},
    Aliases{"US", "north carolina", "nc"},
    Aliases{"US", "north dakota", "nd"},
    Aliases{"US", "ohio", "oh"},
    Aliases{"US", "oklahoma", "ok|okla"},
    Aliases{"US", "oregon", "or|ore"},
    Aliases{"US", "pennsylvania", "pa|penn"},
    Aliases{"US", "rhode island", "ri"},
    Aliases{"US", "south carolina", "sc"},
    Aliases{"US", "south dakota", "sd"},
    Aliases{"US", "tennessee", "tn|tenn"},
    Aliases{"US", "texas", "tx|tex"},
    Aliases{"US", "utah", "ut"},
    Aliases{"US", "vermont", "vt"},
    Aliases{"US", "virginia", "va"},
    Aliases{"US", "washington", "wa|wash"},
    Aliases{"US", "west virginia", "wv"},
    Aliases{"US", "wisconsin", "wi|wis"},
    Aliases{"US", "wyoming", "wy"},
    Aliases{"US", "columbia", "dc|washington dc"},
    // India: the vehicle registration codes, and older names.
    Aliases{"IN", "andhra pradesh", "ap"},
    Aliases{"IN", "arunachal pradesh", "ar"},
    Aliases{"IN", "assam", "as"},
    Aliases{"IN", "bihar", "br"},
    Aliases{"IN", "chhattisgarh", "cg|ct"},
    Aliases{"IN", "goa", "ga"},
    Aliases{"IN", "gujarat", "gj"},
    Aliases{"IN", "haryana", "hr"},
    Aliases{"IN", "himachal pradesh", "hp"},
    Aliases{"IN", "jharkhand", "jh"},
    Aliases{"IN", "karnataka", "ka|mysore"},
    Aliases{"IN", "kerala", "kl"},
    Aliases{"IN", "madhya pradesh", "mp"},
    Aliases{"IN", "maharashtra", "mh"},
    Aliases{"IN", "manipur", "mn"},
    Aliases{"IN", "meghalaya", "ml"},
    Aliases{"IN", "mizoram", "mz"},
    Aliases{"IN", "nagaland", "nl"},
    Aliases{"IN", "odisha", "od|or|orissa"},
    Aliases{"IN", "punjab", "pb"},
    Aliases{"IN", "rajasthan", "rj"},
    Aliases{"IN", "sikkim", "sk"},
    Aliases{"IN", "tamil nadu", "tn"},
    Aliases{"IN", "telangana", "tg|ts"},
    Aliases{"IN", "tripura", "tr"},
    Aliases{"IN", "uttar pradesh", "up"},
    Aliases{"IN", "uttarakhand", "uk|ut|uttaranchal"},
    Aliases{"IN", "west bengal", "wb"},
    Aliases{"IN", "delhi", "dl|nct"},
    Aliases{"IN", "jammu and kashmir", "jk"},
    Aliases{"IN", "ladakh", "la"},
    Aliases{"IN", "puducherry", "py|pondicherry"},
    Aliases{"IN", "chandigarh", "ch"},
    // Canada: postal abbreviations.
    Aliases{"CA", "ontario", "on|ont"},
    Aliases{"CA", "quebec", "qc|que"},
    Aliases{"CA", "british columbia", "bc"},
    Aliases{"CA", "alberta", "ab|alta"},
    Aliases{"CA", "saskatchewan", "sk|sask"},
    Aliases{"CA", "manitoba", "mb|man"},
    Aliases{"CA", "new brunswick", "nb"},
    Aliases{"CA", "nova scotia", "ns"},
    Aliases{"CA", "newfoundland and labrador", "nl|newfoundland"},
    Aliases{"CA", "prince edward island", "pe|pei"},
    Aliases{"CA", "yukon", "yt"},
    Aliases{"CA", "northwest", "nt|nwt|northwest territories"},
    // Australia.
    Aliases{"AU", "new south wales", "nsw"},
    Aliases{"AU", "victoria", "vic"},
    Aliases{"AU", "queensland", "qld"},
    Aliases{"AU", "western australia", "wa"},
    Aliases{"AU", "south australia", "sa"},
    Aliases{"AU", "tasmania", "tas"},
    Aliases{"AU", "northern", "nt|northern territory"},
    Aliases{"AU", "australian", "act|australian capital territory"},
};

constexpr std::array countryAliases{
    Aliases{"US", "", "usa|us|u s|u s a|united states|united states of america|america"},
    Aliases{"GB", "", "uk|u k|gb|great britain|britain|united kingdom|england|scotland|wales|northern ireland"},
    Aliases{"AE", "", "uae|emirates"},
    Aliases{"KR", "", "south korea|korea"},
    Aliases{"JO", "", "jordan"},
    Aliases{"CZ", "", "czechia"},
    Aliases{"CI", "", "cote divoire"},
    Aliases{"NL", "", "holland"},
    Aliases{"HK", "", "hong kong"},
    Aliases{"RU", "", "russian federation"},
    Aliases{"MM", "", "burma"},
    Aliases{"SZ", "", "swaziland"},
    Aliases{"MK", "", "macedonia"},
    Aliases{"TR", "", "turkiye"},
    Aliases{"CV", "", "cape verde"},
    Aliases{"TL", "", "east timor"},
    Aliases{"VN", "", "viet nam"},
    Aliases{"ZA", "", "rsa"},
    Aliases{"IN", "", "bharat"},
};

// Former and other common names of cities, pointing at the atlas's name.
struct CityAlias {
    const char *countryCode;
    const char *atlasName; // folded
    const char *alias;     // folded
};

constexpr std::array cityAliases{
    CityAlias{"IN", "mumbai", "bombay"},
    CityAlias{"IN", "kolkata", "calcutta"},
    CityAlias{"IN", "chennai", "madras"},
    CityAlias{"IN", "bengaluru", "bangalore"},
    CityAlias{"IN", "pune", "poona"},
    CityAlias{"IN", "varanasi", "benares"},
    CityAlias{"IN", "varanasi", "banaras"},
    CityAlias{"IN", "mysore", "mysuru"},
    CityAlias{"IN", "gurgaon", "gurugram"},
    CityAlias{"IN", "kochi", "cochin"},
    CityAlias{"IN", "trivandrum", "thiruvananthapuram"},
    CityAlias{"CN", "beijing", "peking"},
    CityAlias{"VN", "ho chi minh city", "saigon"},
    CityAlias{"MM", "yangon", "rangoon"},
    CityAlias{"UA", "kyiv", "kiev"},
};

using AliasTable = QHash<QString, QList<Words>>; // "CC|name" -> aliases

template <std::size_t N> AliasTable buildAliasTable(const std::array<Aliases, N> &rows)
{
    AliasTable table;
    for (const Aliases &row : rows) {
        QList<Words> &aliases = table[QLatin1String(row.countryCode) + u'|' + QLatin1String(row.name)];
        for (const QString &alias : QString::fromLatin1(row.aliases).split(u'|'))
            aliases.append(wordsOf(alias));
    }
    return table;
}

const QList<Words> &aliasesOf(const AliasTable &table, const QString &countryCode, const Words &name)
{
    static const QList<Words> none;
    const auto found = table.constFind(countryCode + u'|' + name.join(u' '));
    return found == table.constEnd() ? none : *found;
}

// Whether the words after the city name hold the region's name, its name
// without generic words, or one of the short forms `aliasesFor` gives for
// that shorter name.
template <typename AliasesFor>
bool regionTyped(const TypedAfter &typed, const QString &name, const QString &localName, AliasesFor aliasesFor)
{
    if (typed.isEmpty())
        return false;
    for (const QString &candidate : {name, localName}) {
        if (candidate.isEmpty())
            continue;
        const Words full = wordsOf(foldForSearch(candidate));
        const Words core = coreOf(full);
        if (typed.contains(full) || typed.contains(core))
            return true;
        for (const Words &alias : aliasesFor(core)) {
            if (typed.contains(alias))
                return true;
        }
    }
    return false;
}

bool stateTyped(const AtlasPlace &place, const TypedAfter &typed)
{
    static const AliasTable table = buildAliasTable(stateAliases);
    return regionTyped(typed, place.state, place.localState, [&place](const Words &core) -> const QList<Words> & {
        return aliasesOf(table, place.countryCode, core);
    });
}

bool countryTyped(const AtlasPlace &place, const TypedAfter &typed)
{
    static const AliasTable table = buildAliasTable(countryAliases);
    // Countries have one list of short forms each, whatever their name; the
    // two-letter code is one of them.
    const QList<Words> &aliases = aliasesOf(table, place.countryCode, Words{});
    if (typed.contains(Words{place.countryCode.toLower()}))
        return true;
    return regionTyped(typed, place.country, place.localCountry,
                       [&aliases](const Words &) -> const QList<Words> & { return aliases; });
}

// While it lives, gettext answers in English: the atlas library translates
// its names into the user's language as they are read.
class EnglishMessages {
public:
    EnglishMessages()
    {
        if (const char *current = std::setlocale(LC_MESSAGES, nullptr))
            m_saved = current;
        std::setlocale(LC_MESSAGES, "C");
    }
    ~EnglishMessages()
    {
        if (!m_saved.empty())
            std::setlocale(LC_MESSAGES, m_saved.c_str());
    }
    EnglishMessages(const EnglishMessages &) = delete;
    EnglishMessages &operator=(const EnglishMessages &) = delete;

private:
    std::string m_saved;
};

bool messagesAreTranslated()
{
    const char *current = std::setlocale(LC_MESSAGES, nullptr);
    if (!current)
        return false;
    const std::string name(current);
    return !(name == "C" || name == "POSIX" || name.rfind("C.", 0) == 0);
}

// The user's-language form of an atlas name, or empty when it is the English one.
QString localForm(const char *local, const QString &english)
{
    const QString text = QString::fromUtf8(local);
    return text == english ? QString() : text;
}

} // namespace

Atlas::Atlas(QList<AtlasPlace> places) : m_places(std::move(places))
{
    m_byName.reserve(m_places.size());
    for (qsizetype index = 0; index < m_places.size(); ++index) {
        const AtlasPlace &place = m_places.at(index);
        const QString name = foldForSearch(place.name);
        m_byName[name].append(index);
        if (!place.localName.isEmpty()) {
            const QString local = foldForSearch(place.localName);
            if (local != name)
                m_byName[local].append(index);
        }
    }
    for (const CityAlias &alias : cityAliases) {
        const QList<qsizetype> named = m_byName.value(QString::fromLatin1(alias.atlasName));
        for (qsizetype index : named) {
            if (m_places.at(index).countryCode == QLatin1String(alias.countryCode))
                m_byName[QString::fromLatin1(alias.alias)].append(index);
        }
    }
    for (auto named = m_byName.cbegin(); named != m_byName.cend(); ++named)
        m_longestName = std::max(m_longestName, named.key().count(u' ') + 1); // folded: one blank between words
}

Atlas Atlas::load()
{
    const int count = std::max(geonames_get_n_cities(), 0);
    QList<AtlasPlace> places;
    QList<int> libraryIndex; // each place's number in the library
    places.reserve(count);
    libraryIndex.reserve(count);
    {
        const EnglishMessages english;
        for (int index = 0; index < count; ++index) {
            GeonamesCity *city = geonames_get_city(index);
            if (!city)
                continue;
            AtlasPlace place;
            place.name = QString::fromUtf8(geonames_city_get_name(city));
            place.state = QString::fromUtf8(geonames_city_get_state(city));
            place.country = QString::fromUtf8(geonames_city_get_country(city));
            place.countryCode = QString::fromUtf8(geonames_city_get_country_code(city));
            place.timeZone = QString::fromUtf8(geonames_city_get_timezone(city));
            place.latitude = geonames_city_get_latitude(city);
            place.longitude = geonames_city_get_longitude(city);
            place.population = geonames_city_get_population(city);
            geonames_city_free(city);
            if (!place.name.isEmpty() && std::isfinite(place.latitude) && std::isfinite(place.longitude)) {
                places.append(std::move(place));
                libraryIndex.append(index);
            }
        }
    }
    // The library translates by its own place numbers, so the names in the
    // user's language are read in a second pass.
    if (messagesAreTranslated()) {
        for (qsizetype i = 0; i < places.size(); ++i) {
            GeonamesCity *city = geonames_get_city(libraryIndex.at(i));
            if (!city)
                continue;
            AtlasPlace &place = places[i];
            place.localName = localForm(geonames_city_get_name(city), place.name);
            place.localState = localForm(geonames_city_get_state(city), place.state);
            place.localCountry = localForm(geonames_city_get_country(city), place.country);
            geonames_city_free(city);
        }
    }
    return Atlas(std::move(places));
}

QList<AtlasMatch> Atlas::search(const QString &placeText, qsizetype limit) const
{
    const Words words = wordsOf(foldForSearch(placeText));
    const TypedWords typed(words);
    QList<AtlasMatch> matches;
    QSet<qsizetype> seen;
    // The city box's words come first; the longest run of leading words
    // that names a place is that place's name, the rest its state and
    // country. No run longer than the atlas's longest name can name one.
    for (qsizetype length = std::min(words.size(), m_longestName); length >= 1; --length) {
        const auto named = m_byName.constFind(words.first(length).join(u' '));
        if (named == m_byName.constEnd())
            continue;
        const TypedAfter rest{typed, length};
        for (qsizetype index : *named) {
            if (seen.contains(index))
                continue;
            seen.insert(index);
            const AtlasPlace &place = m_places.at(index);
            matches.append({place, stateTyped(place, rest), countryTyped(place, rest)});
        }
    }
    const auto score = [](const AtlasMatch &match) {
        return (match.stateMatches ? 2 : 0) + (match.countryMatches ? 1 : 0);
    };
    std::stable_sort(matches.begin(), matches.end(), [&score](const AtlasMatch &a, const AtlasMatch &b) {
        if (score(a) != score(b))
            return score(a) > score(b);
        return a.place.population > b.place.population;
    });
    if (limit >= 0 && matches.size() > limit)
        matches.resize(limit);
    return matches;
}

QString placeTextOfQuery(const QString &query)
{
    const QLatin1String ending(queryEnding);
    return query.endsWith(ending) ? query.chopped(ending.size()) : query;
}

QString foldForSearch(const QString &text)
{
    const bool ascii = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
    // Compatibility decomposition splits "é" into "e" and a combining accent
    // (dropped below) and ligatures into their letters.
    const QString source = ascii ? text : text.normalized(QString::NormalizationForm_KD);
    QString folded;
    folded.reserve(source.size());
    bool blankPending = false;
    const auto append = [&](QStringView piece) {
        if (blankPending && !folded.isEmpty())
            folded += u' ';
        blankPending = false;
        folded += piece;
    };
    for (const QChar c : source) {
        if (c.isMark() || c == u'.' || c == u'\'' || c == u'\u2019' || c == u'`' || c == u'\u02bc')
            continue;
        if (!c.isLetterOrNumber()) {
            blankPending = true;
            continue;
        }
        // Letters that carry no separable accent.
        switch (c.toCaseFolded().unicode()) {
        case 0x00df:
            append(u"ss");
            break; // ß
        case 0x00e6:
            append(u"ae");
            break; // æ
        case 0x0153:
            append(u"oe");
            break; // œ
        case 0x00f8:
            append(u"o");
            break; // ø
        case 0x0142:
            append(u"l");
            break; // ł
        case 0x0111:
            append(u"d");
            break; // đ
        case 0x00f0:
            append(u"d");
            break; // ð
        case 0x00fe:
            append(u"th");
            break; // þ
        case 0x0131:
            append(u"i");
            break; // dotless ı
        case 0x01dd:
            append(u"e");
            break; // ǝ
        case 0x0259:
            append(u"e");
            break; // ə
        default: {
            const QChar lower = c.toCaseFolded();
            append(QStringView(&lower, 1));
        }
        }
    }
    Words words = wordsOf(folded);
    for (QString &word : words) {
        if (word == QLatin1String("saint"))
            word = QStringLiteral("st");
        else if (word == QLatin1String("sainte"))
            word = QStringLiteral("ste");
        else if (word == QLatin1String("mount"))
            word = QStringLiteral("mt");
        else if (word == QLatin1String("fort"))
            word = QStringLiteral("ft");
    }
    return words.join(u' ');
}

DegreesMinutes roundToMinute(double degrees)
{
    const long long totalMinutes = std::llround(std::fabs(degrees) * 60.0);
    return {int(totalMinutes / 60), int(totalMinutes % 60), degrees > 0 || totalMinutes == 0};
}

QString formatDegreesMinutes(double degrees, bool latitude)
{
    if (!std::isfinite(degrees))
        return QString();
    const DegreesMinutes rounded = roundToMinute(degrees);
    const QChar hemisphere = latitude ? (rounded.positive ? u'N' : u'S') : (rounded.positive ? u'E' : u'W');
    return QStringLiteral("%1\u00b0 %2' %3").arg(rounded.degrees).arg(rounded.minutes).arg(hemisphere);
}

ZoneSummary summarizeZone(const QString &ianaId, int year)
{
    const QTimeZone zone(ianaId.toUtf8());
    if (ianaId.isEmpty() || !zone.isValid())
        return {};
    const QDateTime start(QDate(year, 1, 1), QTime(0, 0), Qt::UTC);
    const QDateTime end = start.addYears(1);
    int lowest = zone.offsetFromUtc(start);
    int highest = lowest;
    for (const QTimeZone::OffsetData &transition : zone.transitions(start, end)) {
        lowest = std::min(lowest, transition.offsetFromUtc);
        highest = std::max(highest, transition.offsetFromUtc);
    }
    // The smaller offset is the one Quorvel's zone boxes take: its DST box
    // adds the hour. (Zones whose law calls the winter time "daylight",
    // such as Dublin's, come out as the user reads their clocks.)
    ZoneSummary summary;
    summary.valid = true;
    summary.standardOffsetSeconds = lowest;
    summary.observesDaylightSaving = highest > lowest;
    return summary;
}

QString utcOffsetText(int seconds)
{
    const int size = std::abs(seconds);
    QString text = QStringLiteral("%1%2:%3")
                       .arg(QChar(seconds < 0 ? u'-' : u'+'))
                       .arg(size / 3600)
                       .arg(size / 60 % 60, 2, 10, QLatin1Char('0'));
    if (size % 60 != 0)
        text += QStringLiteral(":%1").arg(size % 60, 2, 10, QLatin1Char('0'));
    return text;
}

QString describeZone(const QString &ianaId, const ZoneSummary &zone)
{
    if (!zone.valid)
        return QStringLiteral("%1 (offset unknown)").arg(ianaId);
    return QStringLiteral("%1 (UTC%2, %3)")
        .arg(ianaId, utcOffsetText(zone.standardOffsetSeconds),
             zone.observesDaylightSaving ? QStringLiteral("daylight saving") : QStringLiteral("no daylight saving"));
}

bool zoneAgainstLongitude(const ZoneSummary &zone, double longitude)
{
    if (!zone.valid || zone.standardOffsetSeconds == 0 || !std::isfinite(longitude))
        return false;
    const DegreesMinutes rounded = roundToMinute(longitude);
    const bool east = rounded.positive && (rounded.degrees > 0 || rounded.minutes > 0);
    return (zone.standardOffsetSeconds > 0) != east;
}

QUrl webSearchUrl(const QString &query)
{
    // The search service's results page; everything but the unreserved
    // characters is percent-encoded, so "&", "#", "+" and "=" typed into a
    // place name stay part of the query.
    static constexpr char resultsPage[] = "https://duckduckgo.com/?q=";
    return QUrl::fromEncoded(QByteArray(resultsPage) + QUrl::toPercentEncoding(query), QUrl::StrictMode);
}
