#pragma once

#include "core/BirthData.h"
#include "core/BirthTimeSpan.h"
#include "ephemeris/modEphemeris.h"
#include "mansions/Reading.h"

#include <QJsonObject>
#include <QString>

#include <array>
#include <optional>

// One reading as the result screen would show it, taken through the same
// showMansionReading that fills the screen.
struct CapturedReading {
    std::array<QString, 7> results;  // the value labels, as shown (name and translation upper case)
    std::array<QString, 2> traits;   // positive, negative
    int pictureNumber = 0;           // picture entry 1..28; 0 when the screen would keep its own
    std::optional<int> row;          // the catalogue row; none when the name matches no row
    Reading reading;                 // the record behind the labels, in the catalogue's spelling
};

CapturedReading captureReading(const QString &nakshatraName);

// A reading calculated from birth data.
struct BirthReport {
    BirthData birth;
    EphemerisResult ephemeris;
    CapturedReading reading;
    std::optional<BirthTimeSpan> span;
};

// Calculates the reading and its span; false when the calculation fails.
bool makeBirthReport(const BirthData &birth, BirthReport &report);

// "1947-08-14 21:37".
QString clockMinuteIso(const ClockMinute &minute);
// "77:13E", "28:36N".
QString longitudeText(const BirthData &birth);
QString latitudeText(const BirthData &birth);
// The clock's offset from Universal Time as the calculation applied it,
// daylight saving included: "UTC+05:30".
QString clockOffsetText(const BirthData &birth, const EphemerisResult &ephemeris);

// Plain text: the seven captioned values, the two traits paragraphs and, for
// a calculated reading, the birth line before them and the span after them.
QString readingText(const CapturedReading &reading);
QString birthReportText(const BirthReport &report);

QJsonObject birthReportJson(const BirthReport &report);
QJsonObject savedReadingJson(const QString &path, const CapturedReading &reading);
