// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "atlas/Atlas.h"

#include "atlas/AtlasIndex.h"
#include "atlas/PlaceClock.h"

#include <QSet>

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>
#include <cmath>

namespace {

using Words = QStringList;

Words wordsOf(const QString &folded)
{
    return folded.split(u' ', Qt::SkipEmptyParts);
}

// A run of typed words: where it starts and how many.
struct Span {
    qsizetype start;
    qsizetype length;

    bool overlaps(const Span &other) const
    {
        return start < other.start + other.length && other.start < start + length;
    }
    bool operator==(const Span &) const = default;
};
using Spans = QList<Span>;

// Runs of words by their first word.
using RunsByFirstWord = QHash<QString, QList<Words>>;

// The typed words, indexed by word. A run of words is compared only where
// its least typed word occurs, so looking up a region's name costs next to
// nothing however many words the boxes hold.
class TypedWords {
public:
    TypedWords(const Words &words, const RunsByFirstWord &countryNames) : m_words(words)
    {
        for (qsizetype at = 0; at < m_words.size(); ++at)
            m_positions[m_words.at(at)].append(at);
        for (auto word = m_positions.keyBegin(); word != m_positions.keyEnd(); ++word) {
            for (const Words &name : countryNames.value(*word))
                findRun(name, 0, m_countryWords);
        }
    }

    qsizetype size() const { return m_words.size(); }
    // Where the typed words name a country.
    const Spans &countryWords() const { return m_countryWords; }

    // Where `run` occurs as whole words starting at word `from` or later.
    void findRun(const Words &run, qsizetype from, Spans &spans) const
    {
        const QList<qsizetype> *fewest = nullptr; // where the least typed word of the run is
        qsizetype offset = 0;                     // and its place in the run
        for (qsizetype i = 0; i < run.size(); ++i) {
            const auto found = m_positions.constFind(run.at(i));
            if (found == m_positions.constEnd())
                return;
            if (!fewest || found->size() < fewest->size()) {
                fewest = &*found;
                offset = i;
            }
        }
        if (!fewest)
            return;
        for (auto at = std::lower_bound(fewest->begin(), fewest->end(), from + offset); at != fewest->end(); ++at) {
            const qsizetype start = *at - offset;
            if (start + run.size() > m_words.size())
                break;
            if (std::equal(run.begin(), run.end(), m_words.begin() + start))
                spans.append({start, run.size()});
        }
    }

private:
    Words m_words;
    QHash<QString, QList<qsizetype>> m_positions; // word -> where it is typed, ascending
    Spans m_countryWords;
};

// The words typed after a city name: where its state and country are looked for.
struct TypedAfter {
    const TypedWords *words;
    qsizetype from;

    bool isEmpty() const { return from >= words->size(); }
    void find(const Words &run, Spans &spans) const { words->findRun(run, from, spans); }
    Spans countryWords() const
    {
        Spans spans;
        for (const Span &span : words->countryWords()) {
            if (span.start >= from)
                spans.append(span);
        }
        return spans;
    }
};

// Words that name the kind of a region rather than the region: the atlas
// has "State of Maine" and "Canton of Zurich" where people type "Maine" and
// "Zurich". ("Kingdom" stays: "United Kingdom" without it is nothing; and
// "City", or the state "Mexico City" would be typed by "Mexico".)
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
        QStringLiteral("republic"),    QStringLiteral("principality")};
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
    // Norway: the atlas's places carry the counties of 2020 to 2023; people
    // also name those before and after them.
    Aliases{"NO", "viken", "ostfold|akershus|buskerud"},
    Aliases{"NO", "vestfold og telemark", "vestfold|telemark"},
    Aliases{"NO", "troms og finnmark", "troms|finnmark"},
    Aliases{"NO", "vestland", "hordaland|sogn og fjordane"},
    Aliases{"NO", "agder", "aust agder|vest agder"},
    Aliases{"NO", "innlandet", "hedmark|oppland"},
    Aliases{"NO", "trondelag", "sor trondelag|nord trondelag"},
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
    Aliases{"CZ", "", "czechia|czech republic"},
    Aliases{"CD", "", "democratic republic of the congo|dr congo|drc|zaire"},
    Aliases{"CG", "", "republic of the congo|congo"},
    Aliases{"VA", "", "vatican|holy see"},
    Aliases{"PS", "", "palestine"},
    Aliases{"CI", "", "cote divoire"},
    Aliases{"NL", "", "holland"},
    Aliases{"HK", "", "hong kong"},
    Aliases{"RU", "", "russian federation"},
    Aliases{"MM", "", "burma"},
    Aliases{"SZ", "", "swaziland"},
    Aliases{"MK", "", "macedonia|north macedonia"},
    Aliases{"TR", "", "turkiye"},
    Aliases{"CV", "", "cape verde"},
    Aliases{"TL", "", "east timor"},
    Aliases{"VN", "", "viet nam"},
    Aliases{"ZA", "", "rsa"},
    Aliases{"IN", "", "bharat"},
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

// The runs of words that name a region: its name, its name without generic
// words, and the short forms `aliasesFor` gives for that shorter name.
template <typename AliasesFor> QList<Words> regionNames(const QString &name, AliasesFor aliasesFor)
{
    if (name.isEmpty())
        return {};
    const Words full = wordsOf(foldForSearch(name));
    const Words core = coreOf(full);
    QList<Words> names{full};
    if (!core.isEmpty() && core != full)
        names.append(core);
    names.append(aliasesFor(core));
    return names;
}

QList<Words> countryNames(const QString &country, const QString &countryCode)
{
    static const AliasTable table = buildAliasTable(countryAliases);
    // Countries have one list of short forms each, whatever their name; the
    // two-letter code is one of them.
    const QList<Words> &aliases = aliasesOf(table, countryCode, Words{});
    QList<Words> names = regionNames(country, [&aliases](const Words &) -> const QList<Words> & { return aliases; });
    names.append(Words{countryCode.toLower()});
    return names;
}

// Where the words after the city name hold one of `names`.
Spans spansOf(const TypedAfter &typed, const QList<Words> &names)
{
    Spans spans;
    for (const Words &name : names)
        typed.find(name, spans);
    return spans;
}

Spans stateSpans(const QString &state, const QString &countryCode, const TypedAfter &typed)
{
    static const AliasTable table = buildAliasTable(stateAliases);
    if (typed.isEmpty())
        return {};
    return spansOf(typed, regionNames(state, [&countryCode](const Words &core) -> const QList<Words> & {
                       return aliasesOf(table, countryCode, core);
                   }));
}

Spans countrySpans(const QString &country, const QString &countryCode, const TypedAfter &typed)
{
    return typed.isEmpty() ? Spans() : spansOf(typed, countryNames(country, countryCode));
}

// How well the words after the name give the place's state and country: 2
// for the state, 1 for the country, 3 for both. Typed words count for one of
// them only: "Mexico" is the country or the state México, not both.
int fitOfSpans(const Spans &state, const Spans &country)
{
    for (const Span &s : state) {
        for (const Span &c : country) {
            if (!s.overlaps(c))
                return 3;
        }
    }
    const auto longest = [](const Spans &spans) {
        qsizetype length = 0;
        for (const Span &span : spans)
            length = std::max(length, span.length);
        return length;
    };
    if (state.isEmpty() && country.isEmpty())
        return 0;
    return longest(state) > longest(country) ? 2 : 1;
}

// How a place fits the words typed after its name.
struct Fit {
    // What ranks it: 3 for its state and country typed, 2 for its state, 1
    // for its country or for a state named by words that also name a
    // country ("CA": California or Canada, each as likely), 0 for neither,
    // and -1 where a word names another country than its own.
    qint8 rank = 0;
    bool state = false;
    bool country = false;
};

// `countryWords` are where the typed words name any country.
Fit regionFit(const Spans &state, const Spans &country, const Spans &countryWords)
{
    const auto within = [](const Spans &spans, const Span &span) {
        return std::any_of(spans.cbegin(), spans.cend(), [&span](const Span &s) { return s.overlaps(span); });
    };
    if (country.isEmpty()
        && std::any_of(countryWords.cbegin(), countryWords.cend(), [&](const Span &word) { return !within(state, word); }))
        return {-1, false, false};
    const int fit = fitOfSpans(state, country);
    const bool stateIsCountry = std::all_of(state.cbegin(), state.cend(),
                                            [&countryWords](const Span &span) { return countryWords.contains(span); });
    return {qint8(fit == 2 && stateIsCountry ? 1 : fit), (fit & 2) != 0, (fit & 1) != 0};
}

using AtlasIndex::Key;
using AtlasIndex::View;

// A run of keys, from the first to one past the last.
using KeyRange = std::pair<const Key *, const Key *>;

KeyRange allKeys(const View &view)
{
    return {view.keys, view.keys + view.header->keys};
}

// The keys of `within` whose folded name is at least `text`.
const Key *firstKeyFrom(const View &view, KeyRange within, const char *text)
{
    const quint32 start = AtlasIndex::startOf(text);
    return std::lower_bound(within.first, within.second, text, [&view, start](const Key &key, const char *t) {
        return key.start != start ? key.start < start : std::strcmp(view.text(key.folded), t) < 0;
    });
}

// The keys of `within` holding exactly `name`, and those that only begin with it.
KeyRange wholeKeys(const View &view, const QByteArray &name, KeyRange within)
{
    const Key *first = firstKeyFrom(view, within, name.constData());
    const Key *last = first;
    while (last != within.second && std::strcmp(view.text(last->folded), name.constData()) == 0)
        ++last;
    return {first, last};
}

KeyRange wholeKeys(const View &view, const QByteArray &name)
{
    return wholeKeys(view, name, allKeys(view));
}

// No folded text holds the byte 0xff: every name that begins with `name`
// sorts before name + 0xff.
KeyRange prefixKeys(const View &view, const QByteArray &name)
{
    return {wholeKeys(view, name).second, firstKeyFrom(view, allKeys(view), (name + '\xff').constData())};
}

// One way of reading the typed text: the name, and the words after it where
// its state and country may be.
struct Reading {
    QByteArray name; // folded UTF-8
    int nameWords = 0;
    TypedAfter after;
};

// The typed text parted into its readings: the words before the first comma
// are the name and the rest its state and country; without a comma, each
// run of leading words may be the name, the longest first.
class TypedText {
public:
    TypedText(const QString &text, qsizetype longestName, const RunsByFirstWord &countryNames)
    {
        const qsizetype comma = text.indexOf(u',');
        m_name = wordsOf(foldForSearch(text.left(comma)));
        m_hasComma = comma >= 0;
        m_typed.emplace(m_hasComma ? wordsOf(foldForSearch(text.mid(comma + 1))) : m_name, countryNames);
        if (m_hasComma) {
            m_readings.push_back(reading(m_name.size(), 0));
            return;
        }
        for (qsizetype length = std::min(m_name.size(), longestName); length >= 1; --length)
            m_readings.push_back(reading(length, length));
    }
    TypedText(const TypedText &) = delete;
    TypedText &operator=(const TypedText &) = delete;

    const std::vector<Reading> &readings() const { return m_readings; }
    // The name as typed so far, for the names that begin with it.
    Reading whole() const { return reading(m_name.size(), m_hasComma ? 0 : m_name.size()); }

private:
    Reading reading(qsizetype length, qsizetype after) const
    {
        return {m_name.first(length).join(u' ').toUtf8(), int(length), TypedAfter{&*m_typed, after}};
    }

    Words m_name;
    std::optional<TypedWords> m_typed; // the words where states and countries are looked for
    bool m_hasComma = false;
    std::vector<Reading> m_readings;
};

// Ranks candidates as the search promises, and reads each state's and
// country's fit with the typed words once.
class Ranking {
public:
    Ranking(const View &view, const Reading &reading)
        : m_view(view), m_reading(reading), m_countryWords(reading.after.countryWords())
    {
    }

    const View &view() const { return m_view; }

    Fit fitOf(quint32 place)
    {
        if (m_fit.empty()) // most readings of a misspelt name rank nothing
            m_fit.resize(m_view.header->regions);
        const quint32 region = m_view.regionNumber(place);
        std::optional<Fit> &fit = m_fit[region];
        if (!fit) {
            const AtlasIndex::Region &r = m_view.region(region);
            const AtlasIndex::Country &c = m_view.country(r.country);
            const QString code = QString::fromLatin1(c.code, 2);
            fit = regionFit(stateSpans(QString::fromUtf8(m_view.text(r.name)), code, m_reading.after),
                          countrySpans(QString::fromUtf8(m_view.text(c.name)), code, m_reading.after), m_countryWords);
        }
        return *fit;
    }

private:
    const View &m_view;
    const Reading &m_reading;
    const Spans m_countryWords; // where the words after the name name a country
    std::vector<std::optional<Fit>> m_fit; // per region, once read
};

constexpr qsizetype shortestMisspeltName = 5; // letters
// Longer than any place's name: a pasted text is not looked at letter by letter.
constexpr qsizetype longestMisspeltName = 100;
// Nor a name of more words than this.
constexpr int mostMisspeltWords = 4;

qsizetype lettersOf(const QString &folded)
{
    return folded.size() - folded.count(u' ');
}

// Whether the two differ by one letter wrong, missing or extra, or two
// neighbours swapped.
bool oneEditApart(const QString &a, const QString &b)
{
    const QString &longer = a.size() >= b.size() ? a : b;
    const QString &shorter = a.size() >= b.size() ? b : a;
    if (a == b || longer.size() - shorter.size() > 1)
        return false;
    qsizetype same = 0;
    while (same < shorter.size() && shorter.at(same) == longer.at(same))
        ++same;
    if (longer.size() > shorter.size())
        return shorter.mid(same) == longer.mid(same + 1);
    if (shorter.mid(same + 1) == longer.mid(same + 1))
        return true;
    return same + 1 < shorter.size() && shorter.at(same) == longer.at(same + 1)
           && shorter.at(same + 1) == longer.at(same) && shorter.mid(same + 2) == longer.mid(same + 2);
}

// Whether `typed`, one of the place's other names, is its own name with a
// letter missing: GeoNames' other names hold such spellings ("Londn" for
// London), which can't be told from a slip of the user's fingers. (Names
// one letter longer or different are most often the name in another
// language: "Milano" for Milan, "Seville" for Sevilla.)
bool nearOwnName(const View &view, quint32 place, const QByteArray &typed)
{
    const QString name = QString::fromUtf8(typed);
    const QString own = foldForSearch(QString::fromUtf8(view.text(view.place(place).name)));
    return lettersOf(name) >= shortestMisspeltName && name.size() + 1 == own.size() && oneEditApart(name, own);
}

struct Candidate {
    quint32 place;
    quint32 population;
    Fit fit;
    int nameWords;
    NameMatch kind;

    bool operator<(const Candidate &other) const // better first
    {
        if (fit.rank != other.fit.rank)
            return fit.rank > other.fit.rank;
        if (nameWords != other.nameWords)
            return nameWords > other.nameWords;
        return population > other.population;
    }
};

// The best `limit` candidates of a run of keys, each place once, best first.
// Keeps only the best few while it runs: a short beginning spans thousands.
void collectBest(QList<Candidate> &best, qsizetype limit, KeyRange keys, Ranking &ranking,
                 const Reading &reading, NameMatch kind)
{
    const View &view = ranking.view();
    for (const Key *key = keys.first; key != keys.second; ++key) {
        if (best.size() >= limit && best.last().fit.rank == 3 && best.last().nameWords >= reading.nameWords
            && best.last().population >= key->population)
            continue; // can't beat the worst kept, whatever its state and country
        Candidate candidate{key->place, key->population, ranking.fitOf(key->place), reading.nameWords, kind};
        if (best.size() >= limit && !(candidate < best.last()))
            continue;
        if (std::any_of(best.cbegin(), best.cend(), [&](const Candidate &kept) { return kept.place == key->place; }))
            continue;
        if (kind == NameMatch::Whole && nearOwnName(view, key->place, reading.name))
            candidate.kind = NameMatch::Spelling;
        best.insert(std::upper_bound(best.begin(), best.end(), candidate), candidate);
        if (best.size() > limit)
            best.removeLast();
    }
}

// Calls `look` with the name, in UTF-8, with one letter wrong, missing or
// extra at `at`, or the letter there swapped with the next.
template <typename Look> void spellingsAt(const QString &name, qsizetype at, Look look)
{
    const QByteArray before = name.first(at).toUtf8();
    const QByteArray from = name.sliced(at).toUtf8();
    const QByteArray after = at < name.size() ? name.sliced(at + 1).toUtf8() : QByteArray();
    QByteArray near; // one buffer for them all
    const auto spell = [&](QByteArrayView middle, const QByteArray &rest) {
        near.resize(0);
        near.append(before).append(middle).append(rest);
        look(near);
    };
    for (const char letter : std::string_view("abcdefghijklmnopqrstuvwxyz ")) {
        if (at < name.size() && name.at(at) == QLatin1Char(letter))
            continue; // the letter doubled, as inserted after it
        spell(QByteArrayView(&letter, 1), from);
        if (at < name.size())
            spell(QByteArrayView(&letter, 1), after);
    }
    if (at < name.size())
        spell({}, after);
    if (at + 1 < name.size())
        spell(QString(name.at(at + 1)).append(name.at(at)).toUtf8(), name.sliced(at + 2).toUtf8());
}

// Where the keys that begin with a name's first letters are this few, each
// is compared with the name rather than looked up spelling by spelling.
constexpr qsizetype comparedOneByOne = 64;

// The keys by the first two bytes of their folded name, an index of
// AtlasIndex::Key: the keys from at[b] up to at[b + 1] begin with the two
// bytes b (a name of one byte with a NUL after it).
std::vector<quint32> keysByFirstTwoBytes(const View &view)
{
    std::vector<quint32> at(0x10001);
    quint32 key = 0;
    for (quint32 bytes = 0; bytes < at.size(); ++bytes) {
        while (key < view.header->keys && view.keys[key].start >> 16 < bytes)
            ++key;
        at[bytes] = key;
    }
    return at;
}

// `within` narrowed to the keys that begin with the first two bytes of
// `text`: every key before them sorts before the text, every key after
// them after it, so the text's place among them is its place in `within`.
KeyRange sameFirstTwoBytes(const View &view, const std::vector<quint32> &byFirstTwoBytes, KeyRange within,
                           const char *text)
{
    const quint32 bytes = AtlasIndex::startOf(text) >> 16;
    const auto clamped = [&within](const Key *key) { return std::clamp(key, within.first, within.second); };
    return {clamped(view.keys + byFirstTwoBytes[bytes]), clamped(view.keys + byFirstTwoBytes[bytes + 1])};
}

// The best `limit` places whose name is the reading's with one letter
// wrong, missing or extra, or two neighbours swapped. The spellings that
// differ first at a letter all begin with the letters before it: once no
// key begins with those, no spelling further on is looked up, and once
// few do, those are compared one by one.
void collectNearSpellings(QList<Candidate> &best, qsizetype limit, Ranking &ranking, const Reading &reading,
                          const std::vector<quint32> &byFirstTwoBytes)
{
    const View &view = ranking.view();
    const QString name = QString::fromUtf8(reading.name);
    const auto keysOf = [&](const QByteArray &text, KeyRange within) {
        return wholeKeys(view, text, sameFirstTwoBytes(view, byFirstTwoBytes, within, text.constData()));
    };
    KeyRange range = allKeys(view);
    for (qsizetype at = 0; at <= name.size() && range.first != range.second; ++at) {
        const QByteArray begun = name.first(at).toUtf8();
        range = {keysOf(begun, range).first, keysOf(begun + '\xff', range).first};
        if (range.second - range.first <= comparedOneByOne) {
            for (const Key *key = range.first; key != range.second; ++key) {
                const char *folded = view.text(key->folded);
                // One letter changes the length by at most four bytes.
                if (std::abs(qsizetype(std::strlen(folded)) - reading.name.size()) <= 4
                    && oneEditApart(name, QString::fromUtf8(folded)))
                    collectBest(best, limit, {key, key + 1}, ranking, reading, NameMatch::Spelling);
            }
            return;
        }
        spellingsAt(name, at, [&](const QByteArray &near) {
            collectBest(best, limit, keysOf(near, range), ranking, reading, NameMatch::Spelling);
        });
    }
}

} // namespace

Atlas::Atlas(const QList<AtlasPlace> &places) : Atlas(AtlasIndex::build(places)) {}

Atlas::Atlas(QByteArray index) : m_index(std::move(index))
{
    const View view(m_index);
    m_longestName = view.header ? qsizetype(view.header->longestName) : 0;
    for (quint32 country = 0; view.header && country < view.header->countries; ++country) {
        const AtlasIndex::Country &c = view.country(country);
        for (const Words &name : countryNames(QString::fromUtf8(view.text(c.name)), QString::fromLatin1(c.code, 2))) {
            if (!name.isEmpty())
                m_countryNames[name.first()].append(name);
        }
    }
}

qsizetype Atlas::size() const
{
    const View view(m_index);
    return view.header ? qsizetype(view.header->places) : 0;
}

namespace {

AtlasPlace placeAt(const View &view, quint32 index)
{
    const AtlasIndex::Place &record = view.place(index);
    const AtlasIndex::Region &region = view.region(record.region);
    const AtlasIndex::Country &country = view.country(region.country);
    AtlasPlace place;
    place.name = QString::fromUtf8(view.text(record.name));
    place.state = QString::fromUtf8(view.text(region.name));
    place.country = QString::fromUtf8(view.text(country.name));
    place.countryCode = QString::fromLatin1(country.code, 2);
    place.timeZone = QString::fromUtf8(view.text(view.zone(record.zone).name));
    place.latitude = record.latitude / 1e5;
    place.longitude = record.longitude / 1e5;
    place.population = record.population;
    return place;
}

QList<AtlasMatch> matchesOf(const View &view, const QList<Candidate> &candidates)
{
    QList<AtlasMatch> matches;
    for (const Candidate &candidate : candidates)
        matches.append({placeAt(view, candidate.place), candidate.fit.state, candidate.fit.country, candidate.fit.rank,
                        candidate.kind, candidate.nameWords});
    return matches;
}

} // namespace

QList<AtlasMatch> Atlas::search(const QString &placeText, qsizetype limit) const
{
    const View view(m_index);
    if (!view.header || limit <= 0)
        return {};
    const TypedText typed(placeText, m_longestName, m_countryNames);
    QList<Candidate> best;
    for (const Reading &reading : typed.readings()) {
        Ranking ranking(view, reading);
        collectBest(best, limit, wholeKeys(view, reading.name), ranking, reading, NameMatch::Whole);
    }
    const Reading whole = typed.whole();
    if (!whole.name.isEmpty() && best.size() < limit) {
        QList<Candidate> beginning;
        Ranking ranking(view, whole);
        collectBest(beginning, limit, prefixKeys(view, whole.name), ranking, whole, NameMatch::Prefix);
        for (const Candidate &candidate : std::as_const(beginning)) {
            if (best.size() < limit && std::none_of(best.cbegin(), best.cend(), [&](const Candidate &kept) {
                    return kept.place == candidate.place;
                }))
                best.append(candidate);
        }
    }
    return matchesOf(view, best);
}

QList<AtlasMatch> Atlas::suggestions(const QString &placeText, qsizetype limit) const
{
    const View view(m_index);
    if (!view.header || limit <= 0)
        return {};
    const TypedText typed(placeText, m_longestName, m_countryNames);
    QList<Candidate> best;
    for (const Reading &reading : typed.readings()) {
        const QString name = QString::fromUtf8(reading.name);
        if (lettersOf(name) < shortestMisspeltName || name.size() > longestMisspeltName
            || reading.nameWords > mostMisspeltWords)
            continue;
        if (const auto whole = wholeKeys(view, reading.name); whole.first != whole.second)
            continue; // the name is there as typed
        if (m_keysByFirstTwoBytes.empty())
            m_keysByFirstTwoBytes = keysByFirstTwoBytes(view);
        Ranking ranking(view, reading);
        collectNearSpellings(best, limit, ranking, reading, m_keysByFirstTwoBytes);
    }
    return matchesOf(view, best);
}

bool regionTyped(const QString &placeText, const AtlasMatch &match)
{
    return wordsOf(foldForSearch(placeText)).size() > match.nameWords;
}

namespace {

// Letters that carry no separable accent, as the atlas spells them.
struct LetterSpelling {
    char16_t letter;
    const char16_t *spelling;
};
constexpr std::array<LetterSpelling, 11> letterSpellings{{
    {u'\u00df', u"ss"}, // ß
    {u'\u00e6', u"ae"}, // æ
    {u'\u0153', u"oe"}, // œ
    {u'\u00f8', u"o"},  // ø
    {u'\u0142', u"l"},  // ł
    {u'\u0111', u"d"},  // đ
    {u'\u00f0', u"d"},  // ð
    {u'\u00fe', u"th"}, // þ
    {u'\u0131', u"i"},  // dotless ı
    {u'\u01dd', u"e"},  // ǝ
    {u'\u0259', u"e"},  // ə
}};

} // namespace

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
        const QChar lower = c.toCaseFolded();
        const auto spelt = std::find_if(letterSpellings.begin(), letterSpellings.end(),
                                        [lower](const LetterSpelling &l) { return l.letter == lower.unicode(); });
        append(spelt != letterSpellings.end() ? QStringView(spelt->spelling) : QStringView(&lower, 1));
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
