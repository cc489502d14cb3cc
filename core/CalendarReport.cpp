// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/CalendarReport.h"

#include "core/Messages.h"


namespace {

// The widest zone abbreviations, nakshatra and mansion names, for the
// columns of the text.
constexpr int abbreviationColumn = 5;
constexpr int nakshatraColumn = 18;
constexpr int mansionColumn = 7;
// RFC 5545 keeps content lines to 75 octets, the line break excluded.
constexpr qsizetype foldedLineOctets = 75;

QString taraText(const TaraStep &step)
{
    return QStringLiteral("%1 (count %2), %3")
        .arg(taraName(step))
        .arg(step.count)
        .arg(step.favourable ? QStringLiteral("favourable") : QStringLiteral("unfavourable"));
}

// iCalendar's TEXT: backslash, semicolon, comma and line break escaped.
QString icsText(QString text)
{
    return text.replace(u'\\', QStringLiteral("\\\\"))
        .replace(u';', QStringLiteral("\\;"))
        .replace(u',', QStringLiteral("\\,"))
        .replace(u'\n', QStringLiteral("\\n"));
}

// A JSON string: quoted, with quotes, backslashes and control characters
// escaped, the rest as UTF-8.
QByteArray jsonString(const QString &text)
{
    QByteArray quoted = "\"";
    for (const char c : text.toUtf8()) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        if (uchar(c) < 0x20)
            quoted += "\\u00" + QByteArray::number(int(c), 16).rightJustified(2, '0');
        else
            quoted += c;
    }
    return quoted + '"';
}

QString icsUtc(const QDateTime &moment)
{
    return moment.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
}

// One content line, folded: after each 75 octets (74 on the continued
// lines, which begin with a space) a CRLF and a space, never inside the
// bytes of one UTF-8 character.
void appendFolded(QByteArray &out, const QString &line)
{
    const QByteArray bytes = line.toUtf8();
    qsizetype lineOctets = 0;
    for (qsizetype i = 0; i < bytes.size();) {
        qsizetype next = i + 1;
        while (next < bytes.size() && (uchar(bytes[next]) & 0xC0) == 0x80)
            ++next;  // a continuation byte of the same character
        if (lineOctets + (next - i) > foldedLineOctets) {
            out += "\r\n ";
            lineOctets = 1;
        }
        out.append(bytes.constData() + i, next - i);
        lineOctets += next - i;
        i = next;
    }
    out += "\r\n";
}

} // namespace

QString calendarRowText(const CalendarRow &row)
{
    QString line = QStringLiteral("%1 %2  %3 %4")
                       .arg(row.start.local.toString(QStringLiteral("yyyy-MM-dd HH:mm")),
                            row.start.abbreviation.leftJustified(abbreviationColumn),
                            periodNakshatraName(row.period).leftJustified(nakshatraColumn),
                            periodMansionName(row.period).leftJustified(mansionColumn));
    if (row.tara)
        line += QLatin1Char(' ') + taraText(*row.tara);
    return line.trimmed() + QLatin1Char('\n');
}

QByteArray calendarJsonHead(const QString &zone, const QDate &from, const QDate &to)
{
    return "{\"zone\":" + jsonString(zone) + ",\"from\":" + jsonString(from.toString(Qt::ISODate))
        + ",\"to\":" + jsonString(to.toString(Qt::ISODate)) + ",\"periods\":[\n";
}

QByteArray calendarRowJson(const CalendarRow &row)
{
    QByteArray object = "{\"nakshatraIndex\":" + QByteArray::number(row.period.nakshatraIndex)
        + ",\"nakshatraName\":" + jsonString(periodNakshatraName(row.period))
        + ",\"mansionName\":" + jsonString(periodMansionName(row.period))
        + ",\"start\":" + jsonString(localIsoText(row.start))
        + ",\"startUT\":" + jsonString(utcIsoText(row.period.startMinute))
        + ",\"end\":" + jsonString(localIsoText(row.end))
        + ",\"endUT\":" + jsonString(utcIsoText(row.period.endMinute));
    if (row.tara) {
        object += ",\"count\":" + QByteArray::number(row.tara->count) + ",\"tara\":" + jsonString(taraName(*row.tara))
            + ",\"favourable\":" + (row.tara->favourable ? "true" : "false");
    }
    return object + '}';
}

QByteArray icsCalendar(const std::vector<CalendarRow> &rows, const QDateTime &stamp, std::optional<int> forIndex)
{
    QByteArray out;
    const auto line = [&out](const QString &text) { appendFolded(out, text); };
    line(QStringLiteral("BEGIN:VCALENDAR"));
    line(QStringLiteral("VERSION:2.0"));
    line(QStringLiteral("PRODID:-//Quorvel//%1//EN").arg(QString::fromUtf8(Messages::windowTitle)));
    line(QStringLiteral("CALSCALE:GREGORIAN"));
    const QString stamped = icsUtc(stamp);
    const QString forPart = forIndex ? QStringLiteral("-for-%1").arg(*forIndex) : QString();
    for (const CalendarRow &row : rows) {
        const QDateTime start = utcOfMinute(row.period.startMinute);
        QString summary = QStringLiteral("Moon in %1 (%2)").arg(periodNakshatraName(row.period),
                                                                periodMansionName(row.period));
        if (row.tara)
            summary += QStringLiteral(": ") + taraText(*row.tara);
        line(QStringLiteral("BEGIN:VEVENT"));
        line(QStringLiteral("UID:nakshatra-%1-%2%3@moon-days.quorvel")
                 .arg(row.period.nakshatraIndex)
                 .arg(icsUtc(start), forPart));
        line(QStringLiteral("DTSTAMP:") + stamped);
        line(QStringLiteral("DTSTART:") + icsUtc(start));
        line(QStringLiteral("DTEND:") + icsUtc(utcOfMinute(row.period.endMinute)));
        line(QStringLiteral("SUMMARY:") + icsText(summary));
        line(QStringLiteral("TRANSP:TRANSPARENT"));  // a time of the Moon, not of the person: never busy
        line(QStringLiteral("END:VEVENT"));
    }
    line(QStringLiteral("END:VCALENDAR"));
    return out;
}
