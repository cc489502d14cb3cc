// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/SavedBirth.h"

#include "birth/BirthReader.h"

#include <QList>
#include <QRegularExpression>

#include <array>

namespace {

const QByteArray marker = QByteArrayLiteral("Quorvel-Birth 1");
const QByteArray lineEnd = QByteArrayLiteral("\r\n");

// The keys, in the order the lines come.
enum Key { Name, Date, Time, Zone, ZoneDirectionKey, Dst, Latitude, Longitude, City, State, Country, ZoneId, KeyCount };
constexpr std::array<const char *, KeyCount> keys{"name",           "date",  "time",     "zone",
                                                  "zone-direction", "dst",   "latitude", "longitude",
                                                  "city",           "state", "country",  "zone-id"};

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

QString escaped(QString value)
{
    return value.replace(u'\\', QLatin1String("\\\\"))
        .replace(u'\r', QLatin1String("\\r"))
        .replace(u'\n', QLatin1String("\\n"));
}

std::optional<QString> unescaped(const QString &value)
{
    QString text;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value.at(i) != u'\\') {
            text += value.at(i);
            continue;
        }
        if (++i == value.size())
            return std::nullopt;
        const QChar c = value.at(i);
        if (c == u'\\')
            text += u'\\';
        else if (c == u'r')
            text += u'\r';
        else if (c == u'n')
            text += u'\n';
        else
            return std::nullopt;
    }
    return text;
}

// "40:25N" as degrees, minutes and whether it is the first hemisphere.
bool readAngle(const QString &text, char plus, char minus, std::optional<qint16> &degrees,
               std::optional<qint16> &minutes, bool &positive)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{1,3}):(\\d\\d)([A-Z])$"));
    const QRegularExpressionMatch match = form.match(text);
    const QChar hemisphere = match.hasMatch() ? match.captured(3).at(0) : QChar();
    if (hemisphere != QLatin1Char(plus) && hemisphere != QLatin1Char(minus))
        return false;
    degrees = qint16(match.captured(1).toInt());
    minutes = qint16(match.captured(2).toInt());
    positive = hemisphere == QLatin1Char(plus);
    return true;
}

// The values of the lines, by key; nothing where the lines are not the
// marker and one "key=value" line for each key, in order.
std::optional<std::array<QString, KeyCount>> values(const QByteArray &lines, QString &why)
{
    QList<QByteArray> split = lines.split('\n');
    if (split.size() != KeyCount + 2 || !split.back().isEmpty()) {
        why = QStringLiteral("not the birth's %1 lines").arg(KeyCount + 1);
        return std::nullopt;
    }
    if (split.front() != marker + '\r') {
        why = QStringLiteral("no \"%1\" line").arg(QLatin1String(marker));
        return std::nullopt;
    }
    std::array<QString, KeyCount> found;
    for (int k = 0; k < KeyCount; ++k) {
        const QByteArray &line = split.at(k + 1);
        const QByteArray prefix = QByteArray(keys.at(std::size_t(k))) + '=';
        const std::optional<QString> value = line.startsWith(prefix) && line.endsWith('\r')
                                                 ? unescaped(QString::fromUtf8(line.sliced(prefix.size()).chopped(1)))
                                                 : std::nullopt;
        if (!value) {
            why = QStringLiteral("line %1 is not %2=...").arg(k + 2).arg(QLatin1String(keys.at(std::size_t(k))));
            return std::nullopt;
        }
        found.at(std::size_t(k)) = *value;
    }
    return found;
}

// The entry the values give, or nothing where one of them has no such form.
std::optional<BirthEntry> entryOf(const std::array<QString, KeyCount> &v)
{
    static const QRegularExpression date(QStringLiteral("^(\\d{4})-(\\d\\d)-(\\d\\d)$"));
    static const QRegularExpression time(QStringLiteral("^(\\d\\d):(\\d\\d)$"));
    static const QRegularExpression zone(QStringLiteral("^([+-])(\\d\\d):(\\d\\d)$"));
    const QRegularExpressionMatch d = date.match(v[Date]);
    const QRegularExpressionMatch t = time.match(v[Time]);
    const QRegularExpressionMatch z = zone.match(v[Zone]);
    const bool given = v[ZoneDirectionKey] == QLatin1String("given");
    if (!d.hasMatch() || !t.hasMatch() || !z.hasMatch() ||
        (!given && v[ZoneDirectionKey] != QLatin1String("longitude")) ||
        (v[Dst] != QLatin1String("yes") && v[Dst] != QLatin1String("no")))
        return std::nullopt;

    BirthEntry entry;
    entry.name = v[Name];
    entry.year = d.captured(1).toInt();
    entry.month = d.captured(2).toInt();
    entry.day = d.captured(3).toInt();
    entry.hour = t.captured(1).toInt();
    entry.minute = t.captured(2).toInt();
    if (entry.year < firstBirthYear || entry.year > lastBirthYear || entry.hour > 23 || entry.minute > 59)
        return std::nullopt;
    entry.zoneHours = qint16(z.captured(2).toInt());
    entry.zoneMinutes = qint16(z.captured(3).toInt());
    entry.zoneDirection = given ? zoneDirectionOfSign(z.captured(1).front(), ZoneSigns::Iso) : ZoneDirection::FromLongitude;
    entry.dst = v[Dst] == QLatin1String("yes");
    if (!readAngle(v[Latitude], 'N', 'S', entry.latDegrees, entry.latMinutes, entry.isNorth) ||
        !readAngle(v[Longitude], 'E', 'W', entry.lonDegrees, entry.lonMinutes, entry.isEast))
        return std::nullopt;
    return entry;
}

} // namespace

QByteArray savedBirthLines(const SavedBirth &saved)
{
    const BirthData &b = saved.birth;
    // The offset's sign says where the clock stands, whichever way the
    // direction was found, so a reader needs no convention of the screen's.
    const QString zone = QStringLiteral("%1%2:%3")
                             .arg(zoneSign(clockIsAhead(b) ? ZoneDirection::Ahead : ZoneDirection::Behind, ZoneSigns::Iso))
                             .arg(twoDigits(b.zoneHours), twoDigits(b.zoneMinutes));
    const std::array<QString, KeyCount> values{
        b.name,
        QStringLiteral("%1-%2-%3").arg(b.year).arg(twoDigits(b.month), twoDigits(b.day)),
        QStringLiteral("%1:%2").arg(twoDigits(b.hour), twoDigits(b.minute)),
        zone,
        b.zoneDirection == ZoneDirection::FromLongitude ? QStringLiteral("longitude") : QStringLiteral("given"),
        b.dst ? QStringLiteral("yes") : QStringLiteral("no"),
        b.latitude().text(AngleAxis::Latitude, AngleStyle::Field),
        b.longitude().text(AngleAxis::Longitude, AngleStyle::Field),
        saved.place.city,
        saved.place.state,
        saved.place.country,
        saved.place.zoneId,
    };
    QByteArray lines = marker + lineEnd;
    for (int k = 0; k < KeyCount; ++k)
        lines += keys.at(std::size_t(k)) + ('=' + escaped(values.at(std::size_t(k))).toUtf8()) + lineEnd;
    return lines;
}

std::optional<SavedBirth> parseSavedBirth(const QByteArray &lines, QString *why)
{
    QString reason;
    const std::optional<std::array<QString, KeyCount>> v = values(lines, reason);
    const std::optional<BirthEntry> entry = v ? entryOf(*v) : std::nullopt;
    const BirthOrProblems read = entry ? readBirth(*entry) : BirthOrProblems{};
    std::optional<SavedBirth> saved;
    if (read.value)
        saved = SavedBirth{*read.value, BirthPlace{(*v)[City], (*v)[State], (*v)[Country], (*v)[ZoneId]}};
    // Only the lines this version writes are taken: that also refuses a
    // zone whose sign contradicts the longitude it follows, blanks around
    // the name and bytes that are not UTF-8.
    if (saved && savedBirthLines(*saved) != lines)
        saved.reset();
    if (!saved && reason.isEmpty())
        reason = QStringLiteral("the birth's values are damaged");
    if (!saved && why)
        *why = reason;
    return saved;
}
