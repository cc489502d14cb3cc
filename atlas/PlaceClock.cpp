// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "atlas/PlaceClock.h"

#include "birth/BirthData.h"

#include <QDateTime>
#include <QFile>
#include <QHash>
#include <QLocale>
#include <QMutex>
#include <QTimeZone>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <span>
#include <vector>

namespace {

constexpr qint64 secondsPerDay = 24 * 3600;
constexpr int oneHour = 3600;

// A moment's wall-clock reading as seconds since 1970-01-01 00:00 on that
// clock, so that a UTC instant plus its offset compares with it directly.
qint64 wallSeconds(const QDate &date, const QTime &time)
{
    return QDateTime(date, time, Qt::UTC).toSecsSinceEpoch();
}

QDateTime utcInstant(qint64 seconds)
{
    return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC);
}

// "01:59": a wall-clock reading as the screen's hour and minute boxes hold it.
QString clockText(qint64 wall)
{
    return utcInstant(wall).time().toString(QStringLiteral("HH:mm"));
}

QString dateText(const QDate &date)
{
    return QLocale(QLocale::English).toString(date, QStringLiteral("d MMMM yyyy"));
}

// A clock reading near one on `date`, with its own date where that is another.
QString clockTextNear(qint64 wall, const QDate &date)
{
    const QDate day = utcInstant(wall).date();
    return day == date ? clockText(wall) : QStringLiteral("%1 on %2").arg(clockText(wall), dateText(day));
}

// One stretch of a zone's clock: from a change (or the start of what was
// read) until the next change.
struct ZoneState {
    qint64 since = 0;   // UTC seconds
    int offset = 0;     // seconds east of UT
    int standard = 0;   // the zone's standard offset
    int daylight = 0;   // offset - standard as the database counts it; negative for Irish winter time
    QString name;       // "BST", "+0630"
    QString offsetText; // "UTC+1:00"
};

// A zone's clock over a stretch of time, read from the time zone database
// once: a lookup in it costs a binary search where asking the database for
// a moment after 2037 costs it a fresh reckoning of the zone's rule.
// Qt 6.4 walking the changes forwards stops at the 2038 marker some zone
// files carry (America/Santiago is one) and misses every later change, so
// the history is read walking backwards, which agrees with the offsets the
// database gives moment by moment.
class ZoneHistory {
public:
    ZoneHistory(const QTimeZone &zone, qint64 from, qint64 to)
    {
        QDateTime before = utcInstant(to + 1);
        for (;;) {
            const QTimeZone::OffsetData change = zone.previousTransition(before);
            if (!change.atUtc.isValid() || change.atUtc.toSecsSinceEpoch() < from || change.atUtc >= before)
                break;
            m_states.push_back(stateOf(change));
            before = change.atUtc;
        }
        ZoneState first = stateOf(zone.offsetData(utcInstant(from)));
        first.since = from;
        m_states.push_back(std::move(first));
        std::reverse(m_states.begin(), m_states.end());
    }

    // The state in force at `instant`.
    const ZoneState &at(qint64 instant) const
    {
        const auto after = std::upper_bound(m_states.begin() + 1, m_states.end(), instant,
                                            [](qint64 t, const ZoneState &state) { return t < state.since; });
        return *(after - 1);
    }

    // The changes from `from` to `to`, both included, earliest first.
    std::span<const ZoneState> changesIn(qint64 from, qint64 to) const
    {
        const auto since = [](const ZoneState &state) { return state.since; };
        const auto first = std::ranges::lower_bound(m_states.begin() + 1, m_states.end(), from, {}, since);
        const auto last = std::ranges::upper_bound(first, m_states.end(), to, {}, since);
        return {first, last};
    }

private:
    static ZoneState stateOf(const QTimeZone::OffsetData &data)
    {
        return {data.atUtc.toSecsSinceEpoch(),
                data.offsetFromUtc,
                data.standardTimeOffset,
                data.daylightTimeOffset,
                data.abbreviation,
                QStringLiteral("UTC") + utcOffsetText(data.offsetFromUtc, OffsetStyle::Atlas)};
    }

    std::vector<ZoneState> m_states; // the first is the state at the start, the rest are changes
};

// How far around a moment the clock is looked at: the two days either side
// that find skipped and repeated hours, and the half year either side that
// tells Irish winter time.
constexpr qint64 halfYear = 183 * secondsPerDay;
constexpr qint64 lookAround = halfYear + 3 * secondsPerDay;

// Why a zone's file can't be opened whatever the zone: no file opens, as
// when the process has used up its descriptors ("ulimit -n"). Empty when
// files open.
QString filesFailure()
{
    QFile probe(QStringLiteral("/dev/null"));
    return probe.open(QIODevice::ReadOnly) ? QString() : probe.errorString();
}

// The history of `zoneId` around a wall-clock reading, from a table kept for
// the years births are given in, or read afresh for a moment outside them.
// Null, with a sentence saying why in `failure`, when the system doesn't
// know the zone or can't read it.
std::shared_ptr<const ZoneHistory> historyAround(const QString &zoneId, qint64 wall, QString &failure)
{
    const auto unknown = [&] {
        failure = QStringLiteral("This system's time zone database doesn't hold the zone %1.").arg(zoneId);
        return nullptr;
    };
    // The years births are given in, and the look around their ends.
    static const qint64 keptFrom = wallSeconds(QDate(firstBirthYear - 1, 1, 1), QTime(0, 0));
    static const qint64 keptTo = wallSeconds(QDate(lastBirthYear + 2, 1, 1), QTime(0, 0));
    static QMutex mutex;
    static QHash<QString, std::shared_ptr<const ZoneHistory>> kept;

    if (zoneId.isEmpty())
        return unknown(); // not "no zone" to Qt but its default one
    const bool inKeptYears = keptFrom <= wall - lookAround && wall + lookAround <= keptTo;
    const QMutexLocker lock(&mutex);
    if (inKeptYears) {
        if (const auto found = kept.constFind(zoneId); found != kept.constEnd())
            return *found;
    }
    // Qt takes a zone whose file didn't open for one it doesn't know, and
    // remembers that, so it is asked only when a file opens.
    if (const QString why = filesFailure(); !why.isEmpty()) {
        failure =
            QStringLiteral("This system's time zone database can't be read for the zone %1: %2.").arg(zoneId, why);
        return nullptr;
    }
    const QTimeZone zone(zoneId.toUtf8());
    if (!zone.isValid())
        return unknown();
    if (!inKeptYears)
        return std::make_shared<const ZoneHistory>(zone, wall - 2 * lookAround, wall + 2 * lookAround);
    auto history = std::make_shared<const ZoneHistory>(zone, keptFrom, keptTo);
    kept.insert(zoneId, history);
    return history;
}

// The offsets the zone had around a wall-clock reading: the one before the
// window and each one a change in it brought. No offset exceeds a day.
QList<int> offsetsAround(const ZoneHistory &history, qint64 wall)
{
    QList<int> offsets{history.at(wall - 2 * secondsPerDay).offset};
    for (const ZoneState &change : history.changesIn(wall - 2 * secondsPerDay, wall + 2 * secondsPerDay)) {
        if (!offsets.contains(change.offset))
            offsets.append(change.offset);
    }
    return offsets;
}

// The UTC instants whose clock reading is `wall`, earliest first: none when
// the clocks skipped it, two when they repeated it.
QList<qint64> instantsOf(const ZoneHistory &history, qint64 wall)
{
    QList<qint64> instants;
    for (int offset : offsetsAround(history, wall)) {
        const qint64 instant = wall - offset;
        if (history.at(instant).offset == offset && !instants.contains(instant))
            instants.append(instant);
    }
    std::sort(instants.begin(), instants.end());
    return instants;
}

// The clock change whose gap holds `wall`: when it came, and the last clock
// reading before it and the first after it, to the minute.
struct Gap {
    qint64 at = 0;
    qint64 lastBefore = 0;
    qint64 firstAfter = 0;
};

Gap gapAround(const ZoneHistory &history, qint64 wall)
{
    for (const ZoneState &change : history.changesIn(wall - 2 * secondsPerDay, wall + 2 * secondsPerDay)) {
        const qint64 at = change.since;
        const int before = history.at(at - 1).offset;
        if (at + before <= wall && wall < at + change.offset) {
            const qint64 lastBefore = at - 1 + before;
            const qint64 firstAfter = at + change.offset;
            return {at, lastBefore - lastBefore % 60, firstAfter + (60 - firstAfter % 60) % 60};
        }
    }
    return {};
}

// What the zone boxes and the DST tick take for a clock: the standard
// offset with DST ticked for daylight saving of one hour, else the whole
// offset in force with DST unticked; signed where the longitude would give
// the other direction.
struct Fill {
    int zoneSeconds = 0; // signed, east of UT positive, as the database gives it
    ZoneOffset zone;     // the same rounded to the minute
    bool dst = false;
    QString how;         // why the zone holds the whole offset, when it does
    QString shortHow;    // the same in a few words
};

Fill fillFor(int offset, int standard, bool daylight, double longitude)
{
    const int save = daylight ? offset - standard : 0;
    Fill fill;
    fill.dst = save == oneHour;
    fill.zoneSeconds = fill.dst ? standard : offset;
    fill.zone = ZoneOffset::fromMinutesEast(int(std::lround(fill.zoneSeconds / 60.0)), Angle::fromDegrees(longitude));
    if (save != 0 && !fill.dst) {
        const int minutes = std::abs(save) / 60;
        const QString size = minutes % 60 == 0 ? QStringLiteral("%1 hours").arg(minutes / 60)
                                               : QStringLiteral("%1 minutes").arg(minutes);
        fill.how = QStringLiteral("Daylight saving of %1 was in force, and the DST tick adds exactly one hour, so "
                                  "the zone holds the whole offset with DST unticked.")
                       .arg(size);
        fill.shortHow = QStringLiteral("Includes summer time");
    }
    return fill;
}

// A zone as a user would enter it: "5:30", or with its direction in words
// where the longitude would give the other one. The screen's boxes and the
// companion sign a zone in opposite ways, so a sign here would mislead one
// of them.
QString writtenZone(const ZoneOffset &zone)
{
    const QString size = QStringLiteral("%1:%2").arg(zone.hours).arg(zone.minutes, 2, 10, QLatin1Char('0'));
    switch (zone.direction) {
    case ZoneDirection::Ahead:
        return size + QStringLiteral(" ahead of Universal Time");
    case ZoneDirection::Behind:
        return size + QStringLiteral(" behind Universal Time");
    case ZoneDirection::FromLongitude:
        break;
    }
    return size;
}

// The zone boxes and tick that state a clock, as a user would set them.
QString fillText(const Fill &fill)
{
    return QStringLiteral("zone %1%2")
        .arg(writtenZone(fill.zone), fill.dst ? QStringLiteral(" with DST ticked") : QStringLiteral(" with DST unticked"));
}

// Whether the zone's law around an instant calls its winter time daylight
// time, one hour behind standard (Ireland's since 1971).
bool winterIsDaylight(const ZoneHistory &history, qint64 instant)
{
    if (history.at(instant).daylight < 0)
        return true;
    const auto changes = history.changesIn(instant - halfYear, instant + halfYear);
    return std::any_of(changes.begin(), changes.end(), [](const ZoneState &change) { return change.daylight < 0; });
}

// The clock as it read at one UTC instant.
PlaceClock clockAt(const ZoneHistory &history, qint64 instant)
{
    const ZoneState &state = history.at(instant);
    PlaceClock clock;
    clock.known = true;
    clock.offsetSeconds = state.offset;
    clock.standardSeconds = state.standard;
    clock.daylight = state.daylight != 0;
    clock.offsetName = state.name;
    clock.offsetText = state.offsetText;
    // People there read the winter clock as standard time and the summer
    // one as an hour ahead of it, and so does the screen.
    if (winterIsDaylight(history, instant)) {
        clock.daylight = !clock.daylight;
        clock.standardSeconds = clock.daylight ? clock.offsetSeconds - oneHour : clock.offsetSeconds;
    }
    return clock;
}

// A sentence naming the second occurrence of a repeated reading and what gives it.
QString repeatedNote(const QString &when, const PlaceClock &first, const PlaceClock &second, const Fill &firstFill,
                     const Fill &secondFill)
{
    const QString how = secondFill.zone == firstFill.zone
        ? QStringLiteral("%1 DST for the second (%2)")
              .arg(secondFill.dst ? QStringLiteral("tick") : QStringLiteral("untick"), describeClock(second))
        : QStringLiteral("enter %1 for the second (%2)").arg(fillText(secondFill), describeClock(second));
    return QStringLiteral("%1 happened twice, as the clocks went back: the first (%2) is taken; %3.")
        .arg(when, describeClock(first), how);
}

} // namespace

PlaceClock placeClock(const QString &zoneId, const QDate &date, const QTime &time, double longitude)
{
    const bool moment = date.isValid() && time.isValid();
    const qint64 wall = moment ? wallSeconds(date, time) : 0;
    QString failure;
    const auto history = historyAround(zoneId, wall, failure);
    if (!history || !moment) {
        PlaceClock clock;
        clock.known = history != nullptr;
        clock.zoneId = zoneId;
        if (!clock.known)
            clock.notes.append(failure);
        return clock;
    }
    const auto when = [&] { return QStringLiteral("The clock time %1 on %2").arg(clockText(wall), dateText(date)); };
    const QList<qint64> instants = instantsOf(*history, wall);
    if (instants.isEmpty()) {
        // The clock is described as it read just before it went forward.
        const Gap gap = gapAround(*history, wall);
        PlaceClock clock = clockAt(*history, gap.at - 1);
        clock.zoneId = zoneId;
        clock.notes.append(QStringLiteral("%1 did not exist: the clocks went forward, and the nearest valid times are "
                                          "%2 and %3.")
                               .arg(when(), clockTextNear(gap.lastBefore, date), clockTextNear(gap.firstAfter, date)));
        return clock;
    }

    PlaceClock clock = clockAt(*history, instants.first());
    clock.zoneId = zoneId;
    const Fill fill = fillFor(clock.offsetSeconds, clock.standardSeconds, clock.daylight, longitude);
    if (instants.size() > 1) {
        const PlaceClock second = clockAt(*history, instants.at(1));
        const Fill secondFill = fillFor(second.offsetSeconds, second.standardSeconds, second.daylight, longitude);
        clock.notes.append(repeatedNote(when(), clock, second, fill, secondFill));
    }
    clock.zone = fill.zone;
    clock.dst = fill.dst;
    if (!fill.how.isEmpty()) {
        clock.notes.append(fill.how);
        clock.shortNote = fill.shortHow;
    }
    if (fill.zoneSeconds % 60 != 0)
        clock.notes.append(QStringLiteral("The zone's offset UTC%1 has seconds, which the zone boxes can't hold: they "
                                          "take it rounded to the minute.")
                               .arg(utcOffsetText(fill.zoneSeconds, OffsetStyle::Atlas)));
    return clock;
}

QString describeClock(const PlaceClock &clock)
{
    if (!clock.known)
        return QStringLiteral("offset unknown");
    // Where the database has no name for the offset it writes the offset
    // itself ("+0630"), which the text already says.
    const bool named =
        !clock.offsetName.isEmpty() && !clock.offsetName.startsWith(u'+') && !clock.offsetName.startsWith(u'-');
    return named ? clock.offsetName + QStringLiteral(", ") + clock.offsetText : clock.offsetText;
}

