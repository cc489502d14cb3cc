// The number boxes' text conversion and the validation built on it.
#include "FuzzInput.h"
#include "core/BirthData.h"
#include "core/Validation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = utf16FromBytes(data, size);
    const auto value = boxInteger(text);
    if (value) {
        // Whatever was accepted reads back as the same number once written plainly.
        FUZZ_CHECK(boxInteger(QString::number(*value)) == value);
        const QString trimmed = trimBlanks(text);
        bool ok = false;
        FUZZ_CHECK(trimmed.toInt(&ok) == *value && ok);
    }
    const auto magnitude = boxMagnitude(text);
    FUZZ_CHECK(!magnitude || *magnitude >= 0);

    ScreenInput screen;
    screen.name = text;
    screen.zoneHourText = screen.zoneMinuteText = text;
    screen.lonDegreesText = screen.lonMinutesText = text;
    screen.latDegreesText = screen.latMinutesText = text;
    screen.yearText = text;
    if (!validateScreen(screen)) {
        // A screen that passes copies every number box into its field.
        BirthData birth;
        birth.lonDegrees = 12345;
        copyScreenIntoBirthData(screen, birth);
        FUZZ_CHECK(birth.lonDegrees == *value);
    }
    return 0;
}
