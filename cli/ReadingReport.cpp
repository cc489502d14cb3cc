#include "cli/ReadingReport.h"

#include "mansions/ReadingCaptions.h"

#include <QJsonValue>

#include <cmath>

namespace {

// Receives what showMansionReading writes into the result screen.
class CaptureView : public ReadingView {
public:
    explicit CaptureView(CapturedReading &target) : m_target(target) {}
    void setResult(int index, const QString &text) override
    {
        if (index >= 0 && index < int(m_target.results.size()))
            m_target.results[std::size_t(index)] = text;
    }
    void setTraits(int index, const QString &text) override
    {
        if (index >= 0 && index < int(m_target.traits.size()))
            m_target.traits[std::size_t(index)] = text;
    }
    void setPicture(int entryNumber) override { m_target.pictureNumber = entryNumber; }
    void showScreen() override {}
    void closeMainScreen() override {}

private:
    CapturedReading &m_target;
};

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

QString angleText(int degrees, int minutes, char hemisphere)
{
    return QStringLiteral("%1:%2%3").arg(degrees).arg(twoDigits(minutes)).arg(QLatin1Char(hemisphere));
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
        {QStringLiteral("lonDegrees"), b.lonDegrees},
        {QStringLiteral("lonMinutes"), b.lonMinutes},
        {QStringLiteral("latDegrees"), b.latDegrees},
        {QStringLiteral("latMinutes"), b.latMinutes},
        {QStringLiteral("isEast"), b.isEast},
        {QStringLiteral("isNorth"), b.isNorth},
        {QStringLiteral("dst"), b.dst},
    };
}

QJsonObject ephemerisJson(const EphemerisResult &e)
{
    return QJsonObject{
        {QStringLiteral("julianDay"), e.julianDay},
        {QStringLiteral("universalTime"), e.universalTime},
        {QStringLiteral("centuries"), e.centuries},
        {QStringLiteral("tropicalLongitude"), e.tropicalLongitude},
        {QStringLiteral("siderealOffset"), e.siderealOffset},
        {QStringLiteral("siderealLongitude"), e.siderealLongitude},
        {QStringLiteral("nakshatraIndex"), e.nakshatraIndex},
        {QStringLiteral("nakshatraName"), nakshatraName(e.nakshatraIndex)},
    };
}

QJsonValue readingJson(const CapturedReading &captured)
{
    if (!captured.row)
        return QJsonValue::Null;
    const Reading &r = captured.reading;
    return QJsonObject{
        {QStringLiteral("mansionRow"), *captured.row},
        {QStringLiteral("mansionName"), r.mansionName},
        {QStringLiteral("direction"), r.direction},
        {QStringLiteral("westernConstellation"), r.westernConstellation},
        {QStringLiteral("animal"), r.animal},
        {QStringLiteral("literalTranslation"), r.literalTranslation},
        {QStringLiteral("season"), r.season},
        {QStringLiteral("positiveTraits"), r.positiveTraits},
        {QStringLiteral("negativeTraits"), r.negativeTraits},
        {QStringLiteral("pictureNumber"), r.pictureNumber},
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

CapturedReading captureReading(const QString &nakshatraName)
{
    CapturedReading captured;
    CaptureView view(captured);
    showMansionReading(nakshatraName, view);
    captured.row = findMansionRow(nakshatraName);
    if (captured.row)
        captured.reading = currentReading();
    return captured;
}

bool makeBirthReport(const BirthData &birth, BirthReport &report)
{
    report.birth = birth;
    if (!computeMoonNakshatra(ephemerisInput(birth), report.ephemeris))
        return false;
    report.reading = captureReading(nakshatraName(report.ephemeris.nakshatraIndex));
    report.span = computeBirthTimeSpan(birth);
    return true;
}

QString clockMinuteIso(const ClockMinute &minute)
{
    return QStringLiteral("%1 %2:%3")
        .arg(minute.date.toString(Qt::ISODate), twoDigits(minute.hour), twoDigits(minute.minute));
}

QString longitudeText(const BirthData &birth)
{
    return angleText(birth.lonDegrees, birth.lonMinutes, birth.isEast ? 'E' : 'W');
}

QString latitudeText(const BirthData &birth)
{
    return angleText(birth.latDegrees, birth.latMinutes, birth.isNorth ? 'N' : 'S');
}

QString clockOffsetText(const BirthData &birth, const EphemerisResult &ephemeris)
{
    const double clockMinutes = birth.hour * 60.0 + birth.minute;
    const long long offset = std::llround(clockMinutes - ephemeris.universalTime * 60.0);
    const long long size = offset < 0 ? -offset : offset;
    return QStringLiteral("UTC%1%2:%3")
        .arg(offset < 0 ? QLatin1Char('-') : QLatin1Char('+'))
        .arg(twoDigits(int(size / 60)), twoDigits(int(size % 60)));
}

QString readingText(const CapturedReading &reading)
{
    QString text;
    for (std::size_t i = 0; i < reading.results.size(); ++i)
        text += QStringLiteral("%1: %2\n").arg(QLatin1String(ReadingCaptions::values[i]), reading.results[i]);
    for (std::size_t i = 0; i < reading.traits.size(); ++i)
        text += QStringLiteral("\n%1:\n%2\n").arg(QLatin1String(ReadingCaptions::traits[i]), reading.traits[i]);
    return text;
}

QString birthReportText(const BirthReport &report)
{
    const BirthData &b = report.birth;
    ClockMinute born;
    born.date = QDate(b.year, b.month, b.day);
    born.hour = b.hour;
    born.minute = b.minute;
    QString text = QStringLiteral("Name: %1\nBorn: %2 at %3%4, longitude %5, latitude %6\n\n")
                       .arg(b.name, clockMinuteText(born), clockOffsetText(b, report.ephemeris),
                            b.dst ? QStringLiteral(" (daylight saving)") : QString(), longitudeText(b),
                            latitudeText(b));
    text += readingText(report.reading);
    if (report.span)
        text += QStringLiteral("\n%1\n").arg(birthTimeSpanText(*report.span));
    return text;
}

QJsonObject birthReportJson(const BirthReport &report)
{
    return QJsonObject{
        {QStringLiteral("birthData"), birthDataJson(report.birth)},
        {QStringLiteral("ephemeris"), ephemerisJson(report.ephemeris)},
        {QStringLiteral("reading"), readingJson(report.reading)},
        {QStringLiteral("span"), spanJson(report.span)},
    };
}

QJsonObject savedReadingJson(const QString &path, const CapturedReading &reading)
{
    return QJsonObject{
        {QStringLiteral("file"), path},
        {QStringLiteral("nakshatraName"), reading.results[6]},
        {QStringLiteral("reading"), readingJson(reading)},
    };
}
