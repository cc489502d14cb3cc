// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/ReadingReport.h"

#include "sys/QuotedText.h"
#include "mansions/ReadingCaptions.h"

#include <QJsonArray>
#include <QJsonValue>

#include <array>
#include <cmath>

namespace {

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

// Which side of Universal Time the zone was given on: "ahead", "behind", or
// "longitude" where the longitude's hemisphere says.
QString zoneDirectionName(ZoneDirection direction)
{
    static constexpr std::array<const char *, 3> names = {"longitude", "ahead", "behind"};
    return QString::fromLatin1(names.at(std::size_t(direction)));
}

QJsonObject birthDataJson(const BirthData &b)
{
    return QJsonObject{
        {QStringLiteral("name"), b.name},
        {QStringLiteral("month"), b.month},
        {QStringLiteral("day"), b.day},
        {QStringLiteral("year"), b.year},
        {QStringLiteral("hour"), b.hour},
        {QStringLiteral("minute"), b.minute},
        {QStringLiteral("zoneHours"), b.zoneHours},
        {QStringLiteral("zoneMinutes"), b.zoneMinutes},
        {QStringLiteral("zoneDirection"), zoneDirectionName(b.zoneDirection)},
        {QStringLiteral("lonDegrees"), b.lonDegrees},
        {QStringLiteral("lonMinutes"), b.lonMinutes},
        {QStringLiteral("latDegrees"), b.latDegrees},
        {QStringLiteral("latMinutes"), b.latMinutes},
        {QStringLiteral("isEast"), b.isEast},
        {QStringLiteral("isNorth"), b.isNorth},
        {QStringLiteral("dst"), b.dst},
    };
}

QJsonObject ephemerisJson(const EphemerisResult &e, const QString &nakshatraName)
{
    return QJsonObject{
        {QStringLiteral("julianDay"), e.julianDay},
        {QStringLiteral("universalTime"), e.universalTime},
        {QStringLiteral("centuries"), e.centuries},
        {QStringLiteral("tropicalLongitude"), e.tropicalLongitude},
        {QStringLiteral("siderealOffset"), e.siderealOffset},
        {QStringLiteral("siderealLongitude"), e.siderealLongitude},
        {QStringLiteral("nakshatraIndex"), e.nakshatraIndex},
        {QStringLiteral("nakshatraName"), nakshatraName},
    };
}

QJsonObject readingJson(const Reading &r)
{
    const auto text = [](const char *utf8) { return QString::fromUtf8(utf8); };
    return QJsonObject{
        {QStringLiteral("mansionRow"), r.row},
        {QStringLiteral("mansionName"), text(r.mansion.name)},
        {QStringLiteral("direction"), text(r.quadrant.direction)},
        {QStringLiteral("westernConstellation"), text(r.mansion.westernConstellation)},
        {QStringLiteral("animal"), text(r.quadrant.animal)},
        {QStringLiteral("literalTranslation"), text(r.mansion.literalTranslation)},
        {QStringLiteral("season"), text(r.quadrant.season)},
        {QStringLiteral("positiveTraits"), r.traits[0]},
        {QStringLiteral("negativeTraits"), r.traits[1]},
        {QStringLiteral("pictureNumber"), r.pictureEntry},
    };
}

QJsonObject pairMemberJson(const QString &name, const Reading &r)
{
    return QJsonObject{
        {QStringLiteral("name"), name},
        {QStringLiteral("file"), r.sourcePath},
        {QStringLiteral("mansionName"), QString::fromUtf8(r.mansion.name)},
        {QStringLiteral("nakshatraName"), r.nakshatraName},
        {QStringLiteral("nakshatraIndex"), r.row},  // row k carries nakshatra k
    };
}

QJsonObject taraStepJson(const TaraStep &step)
{
    return QJsonObject{
        {QStringLiteral("count"), step.count},
        {QStringLiteral("tara"), step.tara},
        {QStringLiteral("taraName"), taraName(step)},
        {QStringLiteral("meaning"), taraMeaning(step.tara)},
        {QStringLiteral("favourable"), step.favourable},
    };
}

QJsonValue spanJson(const std::optional<BirthTimeSpan> &span)
{
    if (!span)
        return QJsonValue::Null;
    return QJsonObject{
        {QStringLiteral("first"), clockMinuteIso(span->first)},
        {QStringLiteral("last"), clockMinuteIso(span->last)},
        {QStringLiteral("minutesEarlier"), qint64(span->minutesEarlier())},
        {QStringLiteral("minutesLater"), qint64(span->minutesLater())},
        {QStringLiteral("previousNakshatra"), nakshatraName(span->previousIndex)},
        {QStringLiteral("nextNakshatra"), nakshatraName(span->nextIndex)},
        {QStringLiteral("text"), birthTimeSpanText(*span)},
    };
}

} // namespace

QString clockMinuteIso(const ClockMinute &minute)
{
    return QStringLiteral("%1 %2:%3")
        .arg(minute.date.toString(Qt::ISODate), twoDigits(minute.hour), twoDigits(minute.minute));
}

QString longitudeText(const BirthData &birth)
{
    return birth.longitude().text(AngleAxis::Longitude, AngleStyle::Field);
}

QString latitudeText(const BirthData &birth)
{
    return birth.latitude().text(AngleAxis::Latitude, AngleStyle::Field);
}

QString clockOffsetText(const BirthData &birth, const EphemerisResult &ephemeris)
{
    const double clockMinutes = birth.hour * 60.0 + birth.minute;
    const long long offset = std::llround(clockMinutes - ephemeris.universalTime * 60.0);
    return utcOffsetText(int(offset) * 60, OffsetStyle::Iso);
}

QString readingText(const Reading &reading)
{
    QString text;
    for (std::size_t i = 0; i < reading.values.size(); ++i)
        text += QStringLiteral("%1: %2\n").arg(QLatin1String(ReadingCaptions::values[i]), reading.values[i]);
    for (std::size_t i = 0; i < reading.traits.size(); ++i)
        text += QStringLiteral("\n%1:\n%2\n").arg(QLatin1String(ReadingCaptions::traits[i]), reading.traits[i]);
    return text;
}

QString savedReadingText(const QString &path, const Reading &reading)
{
    const QString heading = QStringLiteral("Saved reading: %1\n\n").arg(barePath(path));
    if (!reading.birth)
        return heading + readingText(reading);
    // The name comes from the file, which must not steer the terminal.
    Reading shown = reading;
    shown.birth->name = barePath(reading.birth->name);
    return heading + birthReportText(shown);
}

QString birthReportText(const Reading &reading, const QString &place)
{
    const BirthData &b = *reading.birth;
    ClockMinute born;
    born.date = QDate(b.year, b.month, b.day);
    born.hour = b.hour;
    born.minute = b.minute;
    QString text = QStringLiteral("Name: %1\nBorn: %2 at %3%4, longitude %5, latitude %6\n")
                       .arg(b.name, clockMinuteText(born), clockOffsetText(b, *reading.ephemeris),
                            b.dst ? QStringLiteral(" (daylight saving)") : QString(), longitudeText(b),
                            latitudeText(b));
    if (!place.isEmpty())
        text += QStringLiteral("Place: %1\n").arg(place);
    text += u'\n' + readingText(reading);
    if (reading.span)
        text += QStringLiteral("\n%1\n").arg(birthTimeSpanText(*reading.span));
    return text;
}

QJsonObject birthReportJson(const Reading &reading)
{
    return QJsonObject{
        {QStringLiteral("birthData"), birthDataJson(*reading.birth)},
        {QStringLiteral("ephemeris"), ephemerisJson(*reading.ephemeris, reading.nakshatraName)},
        {QStringLiteral("reading"), readingJson(reading)},
        {QStringLiteral("span"), spanJson(reading.span)},
    };
}

QJsonObject savedReadingJson(const QString &path, const Reading &reading, const BirthPlace &place)
{
    QJsonObject json{
        {QStringLiteral("file"), path},
        {QStringLiteral("nakshatraName"), reading.nakshatraName},
        {QStringLiteral("reading"), readingJson(reading)},
    };
    // A file of the nakshatra alone gives exactly the keys above.
    if (reading.birth) {
        json.insert(QStringLiteral("birthData"), birthDataJson(*reading.birth));
        json.insert(QStringLiteral("birthPlace"), QJsonObject{
                                                      {QStringLiteral("city"), place.city},
                                                      {QStringLiteral("state"), place.state},
                                                      {QStringLiteral("country"), place.country},
                                                      {QStringLiteral("zoneId"), place.zoneId},
                                                  });
        json.insert(QStringLiteral("span"), spanJson(reading.span));
    }
    return json;
}

QJsonObject readingPairJson(const ReadingPair &pair)
{
    return QJsonObject{
        {QStringLiteral("a"), pairMemberJson(pair.nameA, pair.a)},
        {QStringLiteral("b"), pairMemberJson(pair.nameB, pair.b)},
        {QStringLiteral("aToB"), taraStepJson(pair.match.aToB)},
        {QStringLiteral("bToA"), taraStepJson(pair.match.bToA)},
        {QStringLiteral("score"), pair.match.score},
    };
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
