// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/PlaceLookup.h"

#include "cli/QuotedText.h"

#include <QJsonArray>
#include <QSet>

namespace {

// At most this many places are listed when a name is refused as ambiguous.
constexpr qsizetype listedCandidates = 10;

QString placeLabel(const AtlasPlace &place)
{
    QStringList parts{place.name};
    if (!place.state.isEmpty())
        parts << place.state;
    parts << place.country;
    return parts.join(QStringLiteral(", "));
}

// The matches that fit the typed text best: the first ones, as far as they
// match the state and country equally well.
QList<AtlasMatch> bestGroup(const QList<AtlasMatch> &matches)
{
    QList<AtlasMatch> group;
    for (const AtlasMatch &match : matches) {
        if (!group.isEmpty() && (match.stateMatches != group.first().stateMatches
                                 || match.countryMatches != group.first().countryMatches))
            break;
        group.append(match);
    }
    return group;
}

// Why the best matches name no single place: they lie in several countries,
// or in several states of one. Empty when they are one place (the largest
// is taken).
QString ambiguity(const QString &typed, const QList<AtlasMatch> &group)
{
    QSet<QString> countries;
    QSet<QString> regions;
    QStringList labels;
    for (const AtlasMatch &match : group) {
        countries.insert(match.place.countryCode);
        regions.insert(match.place.countryCode + u'|' + match.place.state);
        const QString label = placeLabel(match.place);
        if (!labels.contains(label))
            labels.append(label);
    }
    if (regions.size() < 2)
        return {};
    QString listed = labels.mid(0, listedCandidates).join(QStringLiteral("; "));
    if (labels.size() > listedCandidates)
        listed += QStringLiteral("; ...");
    return QStringLiteral("%1 matches places in several %2: %3; add the state or country")
        .arg(quotedValue(typed), countries.size() > 1 ? QStringLiteral("countries") : QStringLiteral("states"),
             listed);
}

std::string angleField(double degrees, char positive, char negative)
{
    const DegreesMinutes rounded = roundToMinute(degrees);
    return QStringLiteral("%1:%2%3")
        .arg(rounded.degrees)
        .arg(rounded.minutes, 2, 10, QLatin1Char('0'))
        .arg(QLatin1Char(rounded.positive ? positive : negative))
        .toStdString();
}

} // namespace

std::optional<FoundPlace> PlaceLookup::find(std::string_view placeText, const std::optional<BirthMoment> &moment,
                                            QString &error)
{
    if (!m_atlas)
        m_atlas = Atlas::load();
    const QString typed = QString::fromUtf8(placeText.data(), qsizetype(placeText.size()));
    const QList<AtlasMatch> group = bestGroup(m_atlas->search(typed));
    if (group.isEmpty()) {
        error = QStringLiteral("%1 is not in the atlas: write the city and its state or country, such as "
                               "\"Pune, Maharashtra, India\"")
                    .arg(quotedValue(typed));
        return std::nullopt;
    }
    error = ambiguity(typed, group);
    if (!error.isEmpty())
        return std::nullopt;

    FoundPlace found;
    found.place = group.first().place;
    found.lon = angleField(found.place.longitude, 'E', 'W');
    found.lat = angleField(found.place.latitude, 'N', 'S');
    if (!moment)
        return found;
    found.clock = placeClock(found.place.timeZone, moment->date, moment->time, found.place.longitude);
    if (!found.clock.fillsZone) {
        error = found.clock.notes.join(u' ');
        return std::nullopt;
    }
    found.zone = QStringLiteral("%1:%2")
                     .arg(found.clock.zoneHours)
                     .arg(found.clock.zoneMinutes, 2, 10, QLatin1Char('0'))
                     .toStdString();
    found.dst = found.clock.dst ? "yes" : "no";
    return found;
}

void putPlaceFields(const FoundPlace *found, BirthTexts &texts)
{
    texts[std::size_t(BirthField::Zone)] = found ? std::string_view(found->zone) : "0";
    texts[std::size_t(BirthField::Lon)] = found ? std::string_view(found->lon) : "0:00E";
    texts[std::size_t(BirthField::Lat)] = found ? std::string_view(found->lat) : "0:00N";
    texts[std::size_t(BirthField::Dst)] = found ? std::string_view(found->dst) : "no";
}

QJsonObject foundPlaceJson(const FoundPlace &found)
{
    const AtlasPlace &place = found.place;
    return QJsonObject{
        {QStringLiteral("name"), place.name},
        {QStringLiteral("state"), place.state},
        {QStringLiteral("country"), place.country},
        {QStringLiteral("latitude"), place.latitude},
        {QStringLiteral("longitude"), place.longitude},
        {QStringLiteral("zoneId"), place.timeZone},
        {QStringLiteral("offsetText"), found.clock.offsetText},
        {QStringLiteral("offsetName"), found.clock.offsetName},
        {QStringLiteral("daylight"), found.clock.daylight},
        {QStringLiteral("notes"), QJsonArray::fromStringList(found.clock.notes)},
    };
}
