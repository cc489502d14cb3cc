// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/BirthFields.h"

#include "birth/BirthReader.h"
#include "cli/ReadingReport.h"
#include "sys/QuotedText.h"

#include <QDate>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace {

struct Parts {
    std::array<std::string_view, 3> items;
    int count = 0;  // more than 3 counts as 4
};

Parts split(std::string_view text, char separator)
{
    Parts parts;
    for (;;) {
        const std::size_t at = text.find(separator);
        if (parts.count < 3)
            parts.items[std::size_t(parts.count)] = text.substr(0, at);
        ++parts.count;
        if (at == std::string_view::npos || parts.count > 3)
            return parts;
        text.remove_prefix(at + 1);
    }
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

bool isDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A number of `minDigits` to `maxDigits` digits (at most 4), or -1.
int smallNumber(std::string_view text, std::size_t minDigits, std::size_t maxDigits)
{
    if (!isDigits(text) || text.size() < minDigits || text.size() > maxDigits)
        return -1;
    int value = 0;
    for (const char c : text)
        value = value * 10 + (c - '0');
    return value;
}

bool equalsIgnoringCase(std::string_view text, std::string_view lowerCase)
{
    return text.size() == lowerCase.size()
        && std::equal(text.begin(), text.end(), lowerCase.begin(), [](char a, char b) {
               return (a >= 'A' && a <= 'Z' ? char(a - 'A' + 'a') : a) == b;
           });
}

// Digits as a number box holds them: a 16-bit integer, or nothing.
std::optional<qint16> boxNumber(std::string_view digits)
{
    if (!isDigits(digits))
        return std::nullopt;
    int value = 0;
    for (const char c : digits) {
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<qint16>::max())
            return std::nullopt;
    }
    return qint16(value);
}

QString shown(std::string_view text)
{
    return quotedValue(text);
}

struct Date {
    int year = 0, month = 0, day = 0;
};
struct Clock {
    int hour = 0, minute = 0;
};
struct Zone {
    ZoneDirection direction = ZoneDirection::FromLongitude;
    std::string_view hours, minutes;
};
struct Angle {
    std::string_view degrees, minutes;
    bool positive = true;  // East or North
};

QString readDate(std::string_view text, Date &date)
{
    const Parts parts = split(text, '-');
    if (parts.count != 3)
        return QStringLiteral("%1 is not a date: write YYYY-MM-DD, such as 1975-03-15").arg(shown(text));
    date.year = smallNumber(parts.items[0], 4, 4);
    date.month = smallNumber(parts.items[1], 1, 2);
    date.day = smallNumber(parts.items[2], 1, 2);
    if (date.year < 0 || date.month < 0 || date.day < 0)
        return QStringLiteral("%1 is not a date: write YYYY-MM-DD, such as 1975-03-15").arg(shown(text));
    if (date.year < firstBirthYear || date.year > lastBirthYear)
        return QStringLiteral("%1: the year must be from %2 to %3")
            .arg(shown(text))
            .arg(firstBirthYear)
            .arg(lastBirthYear);
    if (date.month < 1 || date.month > 12)
        return QStringLiteral("%1: the month must be from 01 to 12").arg(shown(text));
    if (date.day < 1 || date.day > 31)
        return QStringLiteral("%1: the day must be from 01 to 31").arg(shown(text));
    return {};
}

QString readClock(std::string_view text, Clock &clock)
{
    const Parts parts = split(text, ':');
    const QString format = QStringLiteral("%1 is not a time: write HH:MM, such as 14:30").arg(shown(text));
    if (parts.count != 2 && parts.count != 3)
        return format;
    const int hour = smallNumber(parts.items[0], 1, 2);
    const int minute = smallNumber(parts.items[1], 2, 2);
    const int second = parts.count == 3 ? smallNumber(parts.items[2], 2, 2) : 0;
    if (hour < 0 || minute < 0 || second < 0)
        return format;
    if (hour > 23)
        return QStringLiteral("%1: the hour must be from 00 to 23").arg(shown(text));
    if (minute > 59 || second > 59)
        return QStringLiteral("%1: minutes and seconds must be from 00 to 59").arg(shown(text));
    clock.hour = hour;
    clock.minute = minute;
    return {};
}

// The sign as ISO 8601 writes it, and as the companion prints offsets
// ("UTC+05:30"): plus for a clock ahead of Universal Time, minus for one
// behind; without a sign the longitude gives the direction. "UTC" may come
// first, with a sign after it.
QString readZone(std::string_view text, Zone &zone)
{
    const QString format = QStringLiteral("%1 is not a zone: write its size as H or H:MM, such as 5:30").arg(shown(text));
    std::string_view body = text;
    const bool utc = body.size() >= 3 && equalsIgnoringCase(body.substr(0, 3), "utc");
    if (utc)
        body.remove_prefix(3);
    if (!body.empty() && (body.front() == '+' || body.front() == '-')) {
        zone.direction = zoneDirectionOfSign(QChar::fromLatin1(body.front()), ZoneSigns::Iso);
        body.remove_prefix(1);
    } else if (utc) {
        return format;
    }
    // Minutes take two digits, as in a time: "5:3" is no more 5:03 than 5:30.
    const Parts parts = split(body, ':');
    if ((parts.count != 1 && parts.count != 2) || !isDigits(parts.items[0])
        || (parts.count == 2 && (!isDigits(parts.items[1]) || parts.items[1].size() != 2)))
        return format;
    zone.hours = parts.items[0];
    zone.minutes = parts.count == 2 ? parts.items[1] : std::string_view("0");
    return {};
}

QString readAngle(std::string_view text, char positive, char negative, Angle &angle)
{
    const QString format = positive == 'E'
        ? QStringLiteral("%1 is not a longitude: write DEG:MIN and E or W, such as 77:13E").arg(shown(text))
        : QStringLiteral("%1 is not a latitude: write DEG:MIN and N or S, such as 28:36N").arg(shown(text));
    if (text.empty())
        return format;
    const char hemisphere = text.back() >= 'a' && text.back() <= 'z' ? char(text.back() - 'a' + 'A') : text.back();
    if (hemisphere != positive && hemisphere != negative)
        return format;
    const Parts parts = split(trimmed(text.substr(0, text.size() - 1)), ':');
    if (parts.count != 2 || !isDigits(parts.items[0]) || !isDigits(parts.items[1]))
        return format;
    angle.degrees = parts.items[0];
    angle.minutes = parts.items[1];
    angle.positive = hemisphere == positive;
    return {};
}

QString readFlag(std::string_view text, bool &flag)
{
    for (const char *yes : {"1", "yes", "y", "true"}) {
        if (equalsIgnoringCase(text, yes)) {
            flag = true;
            return {};
        }
    }
    for (const char *no : {"", "0", "no", "n", "false"}) {
        if (equalsIgnoringCase(text, no)) {
            flag = false;
            return {};
        }
    }
    return QStringLiteral("%1: write yes or no").arg(shown(text));
}

BirthField fieldOf(BirthPart part)
{
    switch (part) {
    case BirthPart::Name:
        return BirthField::Name;
    case BirthPart::ZoneHours:
    case BirthPart::ZoneMinutes:
        return BirthField::Zone;
    case BirthPart::LonDegrees:
    case BirthPart::LonMinutes:
        return BirthField::Lon;
    case BirthPart::LatDegrees:
    case BirthPart::LatMinutes:
        return BirthField::Lat;
    case BirthPart::Date:
        break;
    }
    return BirthField::Date;
}

// A problem in the companion's words. A number too large to read is out of
// range as well.
QString problemMessage(const BirthProblem &problem, const Date &date, std::string_view text)
{
    const QString minutes = QStringLiteral("%1: the minutes must be from 00 to 59").arg(shown(text));
    switch (problem.part) {
    case BirthPart::Name:
        return QStringLiteral("the name is empty");
    case BirthPart::ZoneHours:
        if (problem.kind == ProblemKind::DstBeyond)
            return QStringLiteral("%1: with DST the zone must be at most %2:00 ahead")
                .arg(shown(text))
                .arg(largestZoneHours - 1);
        return QStringLiteral("%1: the zone must be at most %2:00").arg(shown(text)).arg(largestZoneHours);
    case BirthPart::LonDegrees:
        return QStringLiteral("%1: the longitude must be at most %2:00").arg(shown(text)).arg(largestLongitude);
    case BirthPart::LatDegrees:
        return QStringLiteral("%1: the latitude must be at most %2:00").arg(shown(text)).arg(largestLatitude);
    case BirthPart::ZoneMinutes:
    case BirthPart::LonMinutes:
    case BirthPart::LatMinutes:
        return minutes;
    case BirthPart::Date:
        break;
    }
    const QString monthName = QLocale::c().monthName(date.month, QLocale::LongFormat);
    return QStringLiteral("there is no %1 %2 %3: %2 %3 has %4 days")
        .arg(date.day)
        .arg(monthName)
        .arg(date.year)
        .arg(QDate(date.year, date.month, 1).daysInMonth());
}

// The fields as read, each valid once its reading found no fault.
struct Fields {
    Date date;
    Clock clock;
    Zone zone;
    Angle longitude;
    Angle latitude;
    bool dst = false;
};

BirthEntry entryOf(std::string_view name, const Fields &fields, const ChosenPlace *place)
{
    BirthEntry entry;
    entry.name = QString::fromUtf8(name.data(), qsizetype(name.size()));
    entry.year = fields.date.year;
    entry.month = fields.date.month;
    entry.day = fields.date.day;
    entry.hour = fields.clock.hour;
    entry.minute = fields.clock.minute;
    if (place) {
        const ZoneOffset zone = place->zone.value_or(ZoneOffset{});
        entry.zoneHours = zone.hours;
        entry.zoneMinutes = zone.minutes;
        entry.zoneDirection = zone.direction;
        entry.dst = place->dst;
        entry.lonDegrees = place->longitude.degrees;
        entry.lonMinutes = place->longitude.minutes;
        entry.isEast = place->longitude.positive;
        entry.latDegrees = place->latitude.degrees;
        entry.latMinutes = place->latitude.minutes;
        entry.isNorth = place->latitude.positive;
        return entry;
    }
    entry.zoneHours = boxNumber(fields.zone.hours);
    entry.zoneMinutes = boxNumber(fields.zone.minutes);
    entry.zoneDirection = fields.zone.direction;
    entry.dst = fields.dst;
    entry.lonDegrees = boxNumber(fields.longitude.degrees);
    entry.lonMinutes = boxNumber(fields.longitude.minutes);
    entry.isEast = fields.longitude.positive;
    entry.latDegrees = boxNumber(fields.latitude.degrees);
    entry.latMinutes = boxNumber(fields.latitude.minutes);
    entry.isNorth = fields.latitude.positive;
    return entry;
}

// The date and time fields as read, with each one's problem: read once,
// as a place is looked up at the moment they give.
struct Moment {
    Date date;
    Clock clock;
    QString dateProblem;
    QString timeProblem;

    // The local date and clock time (to the minute, as the screen takes it);
    // invalid where the field doesn't read or names no real day.
    QDate day() const { return dateProblem.isEmpty() ? QDate(date.year, date.month, date.day) : QDate(); }
    QTime time() const { return timeProblem.isEmpty() ? QTime(clock.hour, clock.minute) : QTime(); }
};

Moment readMoment(const BirthTexts &texts)
{
    Moment moment;
    moment.dateProblem = readDate(trimmed(texts[std::size_t(BirthField::Date)]), moment.date);
    moment.timeProblem = readClock(trimmed(texts[std::size_t(BirthField::Time)]), moment.clock);
    return moment;
}

bool parseFields(const BirthTexts &texts, const Moment &moment, const ChosenPlace *place, BirthData &birth,
                 std::vector<FieldError> &errors)
{
    auto text = [&](BirthField field) { return trimmed(texts[std::size_t(field)]); };
    // One message a field, the first found: its own reading's comes before
    // the reader's, which also judges a field that was read as nonsense.
    std::array<QString, birthFieldCount> problems;
    auto note = [&](BirthField field, QString message) {
        QString &problem = problems[std::size_t(field)];
        if (problem.isEmpty())
            problem = std::move(message);
    };

    Fields f;
    f.date = moment.date;
    f.clock = moment.clock;
    note(BirthField::Date, moment.dateProblem);
    note(BirthField::Time, moment.timeProblem);
    if (!place) {
        note(BirthField::Lon, readAngle(text(BirthField::Lon), 'E', 'W', f.longitude));
        note(BirthField::Zone, readZone(text(BirthField::Zone), f.zone));
        note(BirthField::Lat, readAngle(text(BirthField::Lat), 'N', 'S', f.latitude));
        note(BirthField::Dst, readFlag(text(BirthField::Dst), f.dst));
    }

    BirthOrProblems read = readBirth(entryOf(texts[std::size_t(BirthField::Name)], f, place));
    for (const BirthProblem &problem : read.why) {
        const BirthField field = fieldOf(problem.part);
        note(field, problemMessage(problem, f.date, text(field)));
    }

    bool good = true;
    for (int field = 0; field < birthFieldCount; ++field) {
        if (!problems[std::size_t(field)].isEmpty()) {
            errors.push_back({BirthField(field), problems[std::size_t(field)]});
            good = false;
        }
    }
    if (good)
        birth = *read.value;
    return good;
}

// The zone as the zone field takes it: "5:30", or where the longitude would
// give the other direction, with ISO 8601's sign, "+1:00" for ahead.
QString zoneText(const ZoneOffset &zone)
{
    return QStringLiteral("%1%2:%3")
        .arg(zoneSign(zone.direction, ZoneSigns::Iso))
        .arg(zone.hours)
        .arg(zone.minutes, 2, 10, QLatin1Char('0'));
}

} // namespace

const char *birthFieldName(BirthField field)
{
    static constexpr std::array<const char *, birthFieldCount> names = {"name", "date", "time", "zone",
                                                                         "lon",  "lat",  "dst"};
    return names[std::size_t(field)];
}

std::optional<QDate> readDateField(std::string_view text, QString &error)
{
    Date d;
    error = readDate(trimmed(text), d);
    if (!error.isEmpty())
        return std::nullopt;
    const QDate date(d.year, d.month, d.day);
    if (!date.isValid()) {
        error = problemMessage({BirthPart::Date, ProblemKind::NoSuchDay}, d, trimmed(text));
        return std::nullopt;
    }
    return date;
}

bool parseBirthFields(const BirthTexts &texts, const ChosenPlace *place, BirthData &birth,
                      std::vector<FieldError> &errors)
{
    return parseFields(texts, readMoment(texts), place, birth, errors);
}

PlacedBirth readPlacedBirth(const BirthTexts &texts, PlaceLookup *places, std::string_view placeText)
{
    PlacedBirth read;
    const Moment moment = readMoment(texts);
    const ChosenPlace standIn;
    const ChosenPlace *place = nullptr;
    if (places) {
        Result<FoundPlace> found = places->find(placeText, moment.day(), moment.time());
        read.found = std::move(found.value);
        read.placeError = std::move(found.why);
        place = read.found ? &read.found->chosen : &standIn;
    }
    parseFields(texts, moment, place, read.birth, read.errors);
    if (!place && read.good())
        read.zoneNote = zoneNote(read.birth, texts[std::size_t(BirthField::Zone)]);
    return read;
}

std::string placeFieldText(BirthField field, const ChosenPlace &place)
{
    switch (field) {
    case BirthField::Zone:
        return zoneText(place.zone.value_or(ZoneOffset{})).toStdString();
    case BirthField::Lon:
        return place.longitude.text(AngleAxis::Longitude, AngleStyle::Field).toStdString();
    case BirthField::Lat:
        return place.latitude.text(AngleAxis::Latitude, AngleStyle::Field).toStdString();
    case BirthField::Dst:
        return place.dst ? "yes" : "no";
    default:
        return {};
    }
}

QString zoneNote(const BirthData &birth, std::string_view zoneText)
{
    // The clock's offset from Universal Time, daylight saving included, and
    // the solar time's (four minutes a degree), apart by at most half a day.
    const auto apart = [&birth](bool ahead) {
        const int size = birth.zoneHours * 60 + birth.zoneMinutes;
        const double clock = (ahead ? size : -size) + (birth.dst ? 60 : 0);
        const double solar = (birth.lonDegrees * 60 + birth.lonMinutes) / 15.0 * (birth.isEast ? 1 : -1);
        return std::abs(std::remainder(clock - solar, 24 * 60.0));
    };
    constexpr double mostApart = 3 * 60;
    const bool ahead = clockIsAhead(birth);
    const long long minutes = std::llround(apart(ahead));
    if (minutes <= mostApart)
        return {};
    const std::string_view text = trimmed(zoneText);
    QString note = QStringLiteral("%1%2 puts the clock %3 h %4 min from the solar time at %5")
                       .arg(shown(text), birth.dst ? QStringLiteral(" with DST") : QString())
                       .arg(minutes / 60)
                       .arg(minutes % 60)
                       .arg(longitudeText(birth));
    // The other sign, where it fits the longitude, is likely what was meant.
    const std::size_t sign = text.find_first_of("+-");
    if (birth.zoneDirection != ZoneDirection::FromLongitude && sign != std::string_view::npos
        && apart(!ahead) <= mostApart) {
        std::string flipped(text);
        flipped[sign] = zoneSign(ahead ? ZoneDirection::Behind : ZoneDirection::Ahead, ZoneSigns::Iso).front().toLatin1();
        note += QStringLiteral("; did you mean %1?").arg(shown(flipped));
    }
    return note;
}
