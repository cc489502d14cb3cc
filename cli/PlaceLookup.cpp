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

std::string angleField(const DegreesMinutes &angle, char positive, char negative)
{
    return QStringLiteral("%1:%2%3")
        .arg(angle.degrees)
        .arg(angle.minutes, 2, 10, QLatin1Char('0'))
        .arg(QLatin1Char(angle.positive ? positive : negative))
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
    const DegreesMinutes lon = roundToMinute(found.place.longitude);
    const DegreesMinutes lat = roundToMinute(found.place.latitude);
    PlaceFields &fields = found.fields;
    fields.lonDegrees = qint16(lon.degrees);
    fields.lonMinutes = qint16(lon.minutes);
    fields.isEast = lon.positive;
    fields.latDegrees = qint16(lat.degrees);
    fields.latMinutes = qint16(lat.minutes);
    fields.isNorth = lat.positive;
    found.lon = angleField(lon, 'E', 'W');
    found.lat = angleField(lat, 'N', 'S');
    if (!moment)
        return found;
    found.clock = placeClock(found.place.timeZone, moment->date, moment->time, found.place.longitude);
    if (!found.clock.fillsZone) {
        error = found.clock.notes.join(u' ');
        return std::nullopt;
    }
    fields.zoneHours = qint16(found.clock.zoneHours);
    fields.zoneMinutes = qint16(found.clock.zoneMinutes);
    if (found.clock.zoneSigned)
        fields.zoneDirection = found.clock.zoneAhead ? ZoneDirection::Ahead : ZoneDirection::Behind;
    fields.dst = found.clock.dst;
    found.zone = zoneText(found.clock).toStdString();
    found.dst = found.clock.dst ? "yes" : "no";
    return found;
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
