#include "cli/BirthFields.h"

#include "cli/QuotedText.h"
#include "core/Validation.h"

#include <QDate>
#include <QLocale>

#include <algorithm>

namespace {

// The years the input screen's year list offers.
constexpr int firstYear = 1901;
constexpr int lastYear = 2050;
// validateScreen reports one failure at a time; a row has at most this many.
constexpr int maximumValidationRounds = 2 * birthFieldCount;

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

bool isZero(std::string_view digits)
{
    return std::all_of(digits.begin(), digits.end(), [](char c) { return c == '0'; });
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

// Writes ASCII text into a string, reusing its buffer when it is big enough.
void assignAscii(QString &target, std::string_view text)
{
    target.resize(qsizetype(text.size()));
    QChar *out = target.data();
    for (const char c : text)
        *out++ = QLatin1Char(c);
}

QString shown(std::string_view text)
{
    return quotedValue(text);
}

struct Date {
    int year = 0, month = 0, day = 0;
    std::string_view yearDigits, dayDigits;
};
struct Clock {
    std::string_view hour, minute;
};
struct Zone {
    char sign = 0;  // 0, '+' or '-'
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
    if (date.year < firstYear || date.year > lastYear)
        return QStringLiteral("%1: the year must be from %2 to %3").arg(shown(text)).arg(firstYear).arg(lastYear);
    if (date.month < 1 || date.month > 12)
        return QStringLiteral("%1: the month must be from 01 to 12").arg(shown(text));
    if (date.day < 1 || date.day > 31)
        return QStringLiteral("%1: the day must be from 01 to 31").arg(shown(text));
    date.yearDigits = parts.items[0];
    date.dayDigits = parts.items[2];
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
    clock.hour = parts.items[0];
    clock.minute = parts.items[1];
    return {};
}

QString readZone(std::string_view text, Zone &zone)
{
    std::string_view body = text;
    if (!body.empty() && (body.front() == '+' || body.front() == '-')) {
        zone.sign = body.front();
        body.remove_prefix(1);
    }
    const Parts parts = split(body, ':');
    if ((parts.count != 1 && parts.count != 2) || !isDigits(parts.items[0])
        || (parts.count == 2 && !isDigits(parts.items[1])))
        return QStringLiteral("%1 is not a zone: write its size as H or H:MM, such as 5:30").arg(shown(text));
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

// The zone's sign must say what the longitude says: the picker writes '-'
// for a zone ahead of Universal Time, and the calculation takes a zone as
// ahead only with an eastern longitude (0:00 counts as western). A sign that
// disagrees is refused rather than dropped, since dropping it would calculate
// the other direction without a word.
QString checkZoneSign(std::string_view text, const Zone &zone, const Angle &longitude)
{
    if (zone.sign == 0 || (isZero(zone.hours) && isZero(zone.minutes)))
        return {};
    const bool eastern = longitude.positive && !(isZero(longitude.degrees) && isZero(longitude.minutes));
    const QString size = bareValue(text.substr(1));
    if (zone.sign == '-' && !eastern) {
        return QStringLiteral("%1 would be a zone ahead of Universal Time, but Quorvel counts the zone of a West "
                              "longitude (0:00 included) as behind it; give the size alone, %2, if the clock is "
                              "behind Universal Time")
            .arg(shown(text), size);
    }
    if (zone.sign == '+' && eastern) {
        return QStringLiteral("%1 would be a zone behind Universal Time, but Quorvel counts the zone of an East "
                              "longitude as ahead of it; give the size alone, %2, if the clock is ahead of "
                              "Universal Time")
            .arg(shown(text), size);
    }
    return {};
}

BirthField fieldOf(const ValidationFailure &failure)
{
    switch (failure.focus) {
    case InputBox::Name:
        return BirthField::Name;
    case InputBox::ZoneHour:
        return BirthField::Zone;
    case InputBox::LonDegrees:
    case InputBox::LonMinutes:
        return BirthField::Lon;
    case InputBox::LatDegrees:
    case InputBox::LatMinutes:
        return BirthField::Lat;
    case InputBox::None:
        break;
    }
    return BirthField::Date;  // the two date rules move no focus
}

QString validationMessage(BirthField field, const ScreenInput &screen, std::string_view text)
{
    switch (field) {
    case BirthField::Name:
        return QStringLiteral("the name is empty");
    case BirthField::Zone:
        return QStringLiteral("%1: the hours and the minutes must each be at most 32767").arg(shown(text));
    case BirthField::Lon:
    case BirthField::Lat:
        return QStringLiteral("%1: the degrees and the minutes must each be at most 32767").arg(shown(text));
    default:
        break;
    }
    const int year = screen.yearText.toInt();
    const int month = screen.monthPosition + 1;
    const QString monthName = QLocale::c().monthName(month, QLocale::LongFormat);
    return QStringLiteral("there is no %1 %2 %3: %2 %3 has %4 days")
        .arg(screen.dayPosition + 1)
        .arg(monthName)
        .arg(year)
        .arg(QDate(year, month, 1).daysInMonth());
}

// Values that pass validation, put in place of a field already found bad so
// that the remaining rules still look at the other fields.
void usePlaceholder(ScreenInput &screen, BirthField field)
{
    switch (field) {
    case BirthField::Name:
        screen.name = QStringLiteral("-");
        break;
    case BirthField::Date:
        screen.monthPosition = 0;
        screen.dayPosition = 0;
        assignAscii(screen.dayText, "1");
        assignAscii(screen.yearText, "1901");
        break;
    case BirthField::Time:
        assignAscii(screen.hourText, "0");
        assignAscii(screen.minuteText, "0");
        break;
    case BirthField::Zone:
        assignAscii(screen.zoneHourText, "0");
        assignAscii(screen.zoneMinuteText, "0");
        break;
    case BirthField::Lon:
        assignAscii(screen.lonDegreesText, "0");
        assignAscii(screen.lonMinutesText, "0");
        break;
    case BirthField::Lat:
        assignAscii(screen.latDegreesText, "0");
        assignAscii(screen.latMinutesText, "0");
        break;
    case BirthField::Dst:
        screen.dst = false;
        break;
    }
}

} // namespace

const char *birthFieldName(BirthField field)
{
    static constexpr std::array<const char *, birthFieldCount> names = {"name", "date", "time", "zone",
                                                                         "lon",  "lat",  "dst"};
    return names[std::size_t(field)];
}

bool BirthParser::parse(const BirthTexts &texts, BirthData &birth, std::vector<FieldError> &errors)
{
    const std::size_t errorsBefore = errors.size();
    auto text = [&](BirthField field) { return trimmed(texts[std::size_t(field)]); };
    auto fail = [&](BirthField field, QString message) {
        if (message.isEmpty())
            return false;
        errors.push_back({field, std::move(message)});
        return true;
    };

    Date date;
    Clock clock;
    Zone zone;
    Angle longitude;
    Angle latitude;
    bool dst = false;
    const std::string_view name = texts[std::size_t(BirthField::Name)];
    const bool badDate = fail(BirthField::Date, readDate(text(BirthField::Date), date));
    const bool badTime = fail(BirthField::Time, readClock(text(BirthField::Time), clock));
    const bool badLon = fail(BirthField::Lon, readAngle(text(BirthField::Lon), 'E', 'W', longitude));
    bool badZone = fail(BirthField::Zone, readZone(text(BirthField::Zone), zone));
    if (!badZone && !badLon)
        badZone = fail(BirthField::Zone, checkZoneSign(text(BirthField::Zone), zone, longitude));
    const bool badLat = fail(BirthField::Lat, readAngle(text(BirthField::Lat), 'N', 'S', latitude));
    const bool badDst = fail(BirthField::Dst, readFlag(text(BirthField::Dst), dst));

    // The screen as the user would have filled it in; the screen's own
    // validation then applies its rules (empty name, impossible dates, numbers
    // out of range) exactly as it does for the window.
    ScreenInput &screen = m_screen;
    screen.name = QString::fromUtf8(name.data(), qsizetype(name.size()));
    if (badDate) {
        usePlaceholder(screen, BirthField::Date);
    } else {
        screen.monthPosition = date.month - 1;
        screen.dayPosition = date.day - 1;
        assignAscii(screen.dayText, date.dayDigits);
        assignAscii(screen.yearText, date.yearDigits);
    }
    if (badTime) {
        usePlaceholder(screen, BirthField::Time);
    } else {
        assignAscii(screen.hourText, clock.hour);
        assignAscii(screen.minuteText, clock.minute);
    }
    if (badZone) {
        usePlaceholder(screen, BirthField::Zone);
    } else {
        // Written as the picker writes the boxes: the sign on both values.
        assignAscii(screen.zoneHourText, zone.hours);
        assignAscii(screen.zoneMinuteText, zone.minutes);
        if (zone.sign == '-') {
            screen.zoneHourText.prepend(u'-');
            screen.zoneMinuteText.prepend(u'-');
        }
    }
    if (badLon) {
        usePlaceholder(screen, BirthField::Lon);
    } else {
        assignAscii(screen.lonDegreesText, longitude.degrees);
        assignAscii(screen.lonMinutesText, longitude.minutes);
    }
    if (badLat) {
        usePlaceholder(screen, BirthField::Lat);
    } else {
        assignAscii(screen.latDegreesText, latitude.degrees);
        assignAscii(screen.latMinutesText, latitude.minutes);
    }
    screen.isEast = badLon || longitude.positive;
    screen.isNorth = badLat || latitude.positive;
    screen.dst = !badDst && dst;

    for (int round = 0; round < maximumValidationRounds; ++round) {
        const std::optional<ValidationFailure> failure = validateScreen(screen);
        if (!failure)
            break;
        const BirthField field = fieldOf(*failure);
        errors.push_back({field, validationMessage(field, screen, text(field))});
        usePlaceholder(screen, field);
    }

    if (errors.size() != errorsBefore) {
        std::stable_sort(errors.begin() + std::ptrdiff_t(errorsBefore), errors.end(),
                         [](const FieldError &a, const FieldError &b) { return a.field < b.field; });
        return false;
    }
    birth = BirthData{};
    copyScreenIntoBirthData(screen, birth);
    return true;
}
