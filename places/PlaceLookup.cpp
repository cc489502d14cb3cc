// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "places/PlaceLookup.h"

#include "places/PlaceChoice.h"
#include "sys/QuotedText.h"

#include <QSet>

#include <algorithm>
#include <iterator>
#include <tuple>
#include <vector>

namespace {

// At most this many places are listed when a name is refused as ambiguous.
constexpr qsizetype listedCandidates = 10;

QString labelList(QStringList labels)
{
    labels.removeDuplicates();
    QString listed = labels.mid(0, listedCandidates).join(QStringLiteral("; "));
    if (labels.size() > listedCandidates)
        listed += QStringLiteral("; ...");
    return listed;
}

QString placeList(const QList<AtlasMatch> &matches)
{
    QStringList labels;
    for (const AtlasMatch &match : matches)
        labels.append(placeLabel(match.place));
    return labelList(labels);
}

QString angleField(double degrees, AngleAxis axis)
{
    return Angle::fromDegrees(degrees).text(axis, AngleStyle::Field);
}

// The places of `group` but `left`, those labelled alike told apart by
// where they lie: "Wilson, Pennsylvania, United States at 40:19N 79:53W".
QString listApart(const QList<AtlasMatch> &group, const AtlasPlace *left = nullptr)
{
    QStringList labels;
    for (const AtlasMatch &match : group)
        labels.append(placeLabel(match.place));
    QStringList listed;
    for (qsizetype i = 0; i < group.size(); ++i) {
        const AtlasPlace &place = group.at(i).place;
        if (left && place.name == left->name && place.latitude == left->latitude && place.longitude == left->longitude)
            continue;
        listed.append(labels.count(labels.at(i)) < 2
                          ? labels.at(i)
                          : QStringLiteral("%1 at %2 %3")
                                .arg(labels.at(i), angleField(place.latitude, AngleAxis::Latitude),
                                     angleField(place.longitude, AngleAxis::Longitude)));
    }
    return labelList(listed);
}

// The places bearing the whole name typed that fit the typed text best:
// the first ones, as far as the search ranks their state and country alike
// and they read as many words as the name.
QList<AtlasMatch> bestGroup(const QList<AtlasMatch> &matches)
{
    QList<AtlasMatch> group;
    for (const AtlasMatch &match : matches) {
        if (match.name != NameMatch::Whole)
            continue;
        if (!group.isEmpty() && (match.fit != group.first().fit || match.nameWords != group.first().nameWords))
            break;
        group.append(match);
    }
    return group;
}

// A place this many times as large as the next of its name is the one meant.
constexpr quint32 dominance = 10;

bool dominates(const QList<AtlasMatch> &group)
{
    return group.size() < 2 || group.first().place.population >= quint64(dominance) * group.at(1).place.population;
}

// Whether the typed name is the place's own name rather than one of its
// other names.
bool ownName(const QString &typed, const AtlasMatch &match)
{
    const QStringList words = foldForSearch(typed).split(u' ');
    return words.mid(0, match.nameWords).join(u' ') == foldForSearch(match.place.name);
}

// The places of the group whose own name was typed, where the others only
// hold it as another name and none of those is ten times as large ("Québec"
// is also one of New Britain's names, "Bombay" Mumbai's and a hamlet's own).
// Empty where that doesn't narrow the group.
QList<AtlasMatch> ownNamed(const QString &typed, const QList<AtlasMatch> &group)
{
    QList<AtlasMatch> own;
    quint64 largestOther = 0;
    for (const AtlasMatch &match : group) {
        if (ownName(typed, match))
            own.append(match);
        else
            largestOther = std::max<quint64>(largestOther, match.place.population);
    }
    if (own.isEmpty() || own.size() == group.size()
        || largestOther >= quint64(dominance) * own.first().place.population)
        return {};
    return own;
}

// The place the best group names, or nothing with the reason in `error`:
// its places lie in several countries or states, or keep different clocks,
// and none is much the largest, nor the one place whose own name it is.
// `note` says which was taken where there were other places of the name.
std::optional<AtlasPlace> placeMeant(const QString &typed, const QList<AtlasMatch> &group, QString &error,
                                     QString &note)
{
    const QList<AtlasMatch> own = dominates(group) ? QList<AtlasMatch>() : ownNamed(typed, group);
    const QList<AtlasMatch> &contenders = own.isEmpty() ? group : own;
    QSet<QString> countries;
    QSet<QString> regions;
    QSet<QString> zones;
    for (const AtlasMatch &match : contenders) {
        countries.insert(match.place.countryCode);
        regions.insert(match.place.countryCode + u'|' + match.place.state);
        zones.insert(match.place.timeZone);
    }
    const bool dominant = dominates(contenders);
    if (regions.size() > 1 && !dominant) {
        error = QStringLiteral("%1 matches places in several %2: %3; add the state or country")
                    .arg(quotedValue(typed),
                         countries.size() > 1 ? QStringLiteral("countries") : QStringLiteral("states"),
                         placeList(group));
        return std::nullopt;
    }
    if (zones.size() > 1 && !dominant) {
        error = QStringLiteral("%1 matches places whose clocks differ: %2; give the zone and coordinates instead")
                    .arg(quotedValue(typed), listApart(contenders));
        return std::nullopt;
    }
    const AtlasPlace &chosen = contenders.first().place;
    const QString others = listApart(group, &chosen);
    const QString why = !dominant       ? QStringLiteral("the largest place of the name in its state")
                        : own.isEmpty() ? QStringLiteral("much the largest place of the name")
                                        : QStringLiteral("the place whose own name it is");
    if (!others.isEmpty())
        note = QStringLiteral("%1 is taken as %2, %3; also in the atlas: %4")
                   .arg(quotedValue(typed), placeLabel(chosen), why, others);
    return chosen;
}

// How near a place comes to `name`, the folded name typed, nearest first:
// its own name begins with it (as the atlas window lists Hallstatt first for
// "Hallstat"), another of its names does ("Londo": boroughs once "London
// Borough of ..."), or one of its names is a near spelling.
int distance(const QString &name, const AtlasMatch &match)
{
    if (foldForSearch(match.place.name).startsWith(name))
        return 0;
    return match.name == NameMatch::Prefix ? 1 : 2;
}

// The places by how they fit the state and country typed, then by how near
// they come to `name`, then by population.
QList<AtlasMatch> nearestFirst(const QString &name, const QList<AtlasMatch> &places)
{
    // Each place's rank is worked out once: its distance folds its name.
    using Rank = std::tuple<int, int, qint64, qsizetype>;
    std::vector<Rank> ranks;
    ranks.reserve(std::size_t(places.size()));
    for (qsizetype i = 0; i < places.size(); ++i) {
        const AtlasMatch &match = places.at(i);
        ranks.emplace_back(-match.fit, distance(name, match), -qint64(match.place.population), i);
    }
    std::sort(ranks.begin(), ranks.end());
    QList<AtlasMatch> sorted;
    sorted.reserve(places.size());
    for (const Rank &rank : ranks)
        sorted.append(places.at(std::get<3>(rank)));
    return sorted;
}

// Why nothing bears the name typed, with what comes closest: the places
// whose name begins with it, then the near spellings. Beside near spellings
// only places whose own name is begun are offered: those begun by another
// name ("Munic": a "Municipio ...") would crowd out what was meant.
QString notFound(const QString &typed, const QList<AtlasMatch> &begun, const QList<AtlasMatch> &nearSpellings)
{
    const QString name = foldForSearch(typed.section(u',', 0, 0));
    if (!nearSpellings.isEmpty()) {
        QList<AtlasMatch> meant;
        std::copy_if(begun.cbegin(), begun.cend(), std::back_inserter(meant),
                     [&name](const AtlasMatch &match) { return distance(name, match) == 0; });
        return QStringLiteral("%1 is not in the atlas; did you mean: %2")
            .arg(quotedValue(typed), placeList(nearestFirst(name, meant + nearSpellings)));
    }
    if (!begun.isEmpty())
        return QStringLiteral("%1 is not a whole place name in the atlas; names beginning with it: %2")
            .arg(quotedValue(typed), placeList(nearestFirst(name, begun)));
    return QStringLiteral("%1 is not in the atlas: write the city and its state or country, such as "
                          "\"Pune, Maharashtra, India\"")
        .arg(quotedValue(typed));
}

} // namespace

PlaceLookup::Choice PlaceLookup::choose(const QString &typed) const
{
    Choice choice;
    if (!m_atlas.problem().isEmpty()) {
        choice.error = m_atlas.problem();
        return choice;
    }
    const QList<AtlasMatch> matches = m_atlas.search(typed);
    const QList<AtlasMatch> group = bestGroup(matches);
    if (group.isEmpty()) {
        QList<AtlasMatch> begun;
        QList<AtlasMatch> nearSpellings;
        for (const AtlasMatch &match : matches)
            (match.name == NameMatch::Prefix ? begun : nearSpellings).append(match);
        choice.error = notFound(typed, begun, nearSpellings + m_atlas.suggestions(typed));
        return choice;
    }
    const AtlasMatch &best = group.first();
    if (!best.stateMatches && !best.countryMatches && regionTyped(typed, best)) {
        // "Salt Lak" and "Salt Lkae City": the start of a longer name, or a
        // misspelt one, rather than Salt in a state "Lak". (After a comma the
        // name is whole.)
        QList<AtlasMatch> begun;
        if (!typed.contains(u','))
            std::copy_if(matches.cbegin(), matches.cend(), std::back_inserter(begun),
                         [](const AtlasMatch &match) { return match.name == NameMatch::Prefix; });
        const QList<AtlasMatch> nearSpellings = m_atlas.suggestions(typed);
        if (!begun.isEmpty() || !nearSpellings.isEmpty())
            choice.error = notFound(typed, begun, nearSpellings);
        else
            choice.error = QStringLiteral("%1: the atlas has no place of this name in that state or country, only: %2")
                               .arg(quotedValue(typed), placeList(group));
        return choice;
    }
    choice.place = placeMeant(typed, group, choice.error, choice.note);
    return choice;
}

Result<FoundPlace> PlaceLookup::find(std::string_view placeText, QDate date, QTime time)
{
    const QString typed = QString::fromUtf8(placeText.data(), qsizetype(placeText.size()));
    auto choice = m_choices.constFind(typed);
    if (choice == m_choices.constEnd()) {
        if (m_choices.size() >= remembered)
            m_choices.clear();
        choice = m_choices.insert(typed, choose(typed));
    }
    if (!choice->place)
        return Result<FoundPlace>::failed(choice->error);

    FoundPlace found;
    found.place = *choice->place;
    if (date.isValid() && time.isValid()) {
        found.clock = placeClock(found.place.timeZone, date, time, found.place.longitude);
        if (!choice->note.isEmpty())
            found.clock.notes.prepend(choice->note);
        if (!found.clock.zone)
            return Result<FoundPlace>::failed(found.clock.notes.join(u' '));
    }
    found.chosen = chosenPlace(found.place, found.clock);
    return Result<FoundPlace>::of(std::move(found));
}

QString placeLabel(const AtlasPlace &place)
{
    QStringList parts{place.name};
    if (!place.state.isEmpty())
        parts << place.state;
    parts << place.country;
    return parts.join(QStringLiteral(", "));
}
