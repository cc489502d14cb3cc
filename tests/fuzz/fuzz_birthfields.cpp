// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The birth field parser of the command-line companion, on arbitrary texts:
// the seven fields, one a line. What it accepts the screen's validation and
// the calculation accept too; what it refuses it says why, field by field.
#include "FuzzInput.h"
#include "cli/BirthFields.h"
#include "birth/BirthReader.h"
#include "ephemeris/modEphemeris.h"

#include <QDate>

#include <array>
#include <string_view>
#include <vector>

namespace {

BirthTexts splitFields(std::string_view input)
{
    BirthTexts texts;
    for (std::string_view &text : texts) {
        const std::size_t end = input.find('\n');
        text = input.substr(0, end);
        input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
    }
    return texts;
}

// The entry the screen reads once a user fills it in to get `birth`.
BirthEntry entryOf(const BirthData &birth)
{
    BirthEntry entry;
    entry.name = birth.name;
    entry.year = birth.year;
    entry.month = birth.month;
    entry.day = birth.day;
    entry.hour = birth.hour;
    entry.minute = birth.minute;
    const QString sign = zoneSign(birth.zoneDirection, ZoneSigns::Picker);
    const QString zoneHourText = sign + QString::number(birth.zoneHours);
    const QString zoneMinuteText = sign + QString::number(birth.zoneMinutes);
    entry.zoneHours = boxMagnitude(zoneHourText);
    entry.zoneMinutes = boxMagnitude(zoneMinuteText);
    entry.zoneDirection = zoneDirectionOf(zoneHourText, zoneMinuteText);
    entry.lonDegrees = boxInteger(QString::number(birth.lonDegrees));
    entry.lonMinutes = boxInteger(QString::number(birth.lonMinutes));
    entry.latDegrees = boxInteger(QString::number(birth.latDegrees));
    entry.latMinutes = boxInteger(QString::number(birth.latMinutes));
    entry.isEast = birth.isEast;
    entry.isNorth = birth.isNorth;
    entry.dst = birth.dst;
    return entry;
}

bool sameBirth(const BirthData &a, const BirthData &b)
{
    return a.name == b.name && a.month == b.month && a.day == b.day && a.year == b.year && a.hour == b.hour
        && a.minute == b.minute && a.zoneHours == b.zoneHours && a.zoneMinutes == b.zoneMinutes
        && a.lonDegrees == b.lonDegrees && a.lonMinutes == b.lonMinutes && a.latDegrees == b.latDegrees
        && a.latMinutes == b.latMinutes && a.isEast == b.isEast && a.isNorth == b.isNorth && a.dst == b.dst
        && a.zoneDirection == b.zoneDirection;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const BirthTexts texts = splitFields(std::string_view(reinterpret_cast<const char *>(data), size));
    BirthData birth;
    std::vector<FieldError> errors;
    const bool accepted = parseBirthFields(texts, nullptr, birth, errors);

    // A second reading gives the same answer: nothing carries over between rows.
    BirthData again;
    std::vector<FieldError> errorsAgain;
    FUZZ_CHECK(parseBirthFields(texts, nullptr, again, errorsAgain) == accepted);
    FUZZ_CHECK(errorsAgain.size() == errors.size());

    if (!accepted) {
        FUZZ_CHECK(!errors.empty());
        for (std::size_t i = 0; i < errors.size(); ++i) {
            const FieldError &error = errors[i];
            FUZZ_CHECK(error.message == errorsAgain[i].message);
            FUZZ_CHECK(i == 0 || errors[i - 1].field <= error.field);
            // One short line, nothing in it that could steer a terminal.
            FUZZ_CHECK(!error.message.isEmpty() && error.message.size() <= 600);
            for (const QChar c : error.message)
                FUZZ_CHECK(c.category() != QChar::Other_Control);
        }
        return 0;
    }
    FUZZ_CHECK(errors.empty());
    FUZZ_CHECK(sameBirth(birth, again));

    // Within the screen's lists, and a screen holding it passes validation.
    FUZZ_CHECK(birth.year >= 1901 && birth.year <= 2050);
    FUZZ_CHECK(QDate(birth.year, birth.month, birth.day).isValid());
    FUZZ_CHECK(birth.hour >= 0 && birth.hour <= 23 && birth.minute >= 0 && birth.minute <= 59);
    const BirthOrProblems read = readBirth(entryOf(birth));
    FUZZ_CHECK(read.value && sameBirth(*read.value, birth));

    EphemerisResult result;
    FUZZ_CHECK(computeMoonNakshatra(birth, result));
    FUZZ_CHECK(result.nakshatraIndex >= 0 && result.nakshatraIndex < nakshatraCount);
    return 0;
}
