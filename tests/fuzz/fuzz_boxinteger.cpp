// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The number boxes' text conversion and the validation built on it.
#include "FuzzInput.h"
#include "birth/BirthData.h"
#include "birth/BirthReader.h"

#include <optional>

namespace {

// The same conversion written another way: blanks trimmed, one optional
// sign, ASCII digits only, the value within -32768..32767.
std::optional<int> referenceInteger(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == u' ')
        ++first;
    while (last > first && text.at(last - 1) == u' ')
        --last;
    bool negative = false;
    if (first < last && (text.at(first) == u'-' || text.at(first) == u'+'))
        negative = text.at(first++) == u'-';
    if (first == last)
        return std::nullopt;
    for (qsizetype i = first; i < last; ++i) {
        if (text.at(i) < u'0' || text.at(i) > u'9')
            return std::nullopt;
    }
    while (first < last - 1 && text.at(first) == u'0')
        ++first;
    if (last - first > 5)
        return std::nullopt;
    int value = 0;
    for (qsizetype i = first; i < last; ++i)
        value = value * 10 + (text.at(i).unicode() - u'0');
    if (negative)
        value = -value;
    if (value < -32768 || value > 32767)
        return std::nullopt;
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = utf16FromBytes(data, size);
    const auto value = boxInteger(text);
    const auto reference = referenceInteger(text);
    FUZZ_CHECK(value.has_value() == reference.has_value());
    if (value) {
        FUZZ_CHECK(*value == *reference);
        // Whatever was accepted reads back as the same number once written plainly.
        FUZZ_CHECK(boxInteger(QString::number(*value)) == value);
    }
    const auto magnitude = boxMagnitude(text);
    FUZZ_CHECK(magnitude.has_value() == (value.has_value() && *value != -32768));
    if (magnitude)
        FUZZ_CHECK(*magnitude >= 0 && (*magnitude == *value || *magnitude == -*value));

    // The same text in every box, then with the date lists driven by the input too.
    BirthEntry entry;
    entry.name = text;
    entry.year = value.value_or(0);
    entry.zoneHours = entry.zoneMinutes = magnitude;
    entry.zoneDirection = zoneDirectionOf(text, text);
    entry.lonDegrees = entry.lonMinutes = entry.latDegrees = entry.latMinutes = value;
    if (size >= 2) {
        entry.month = data[0] % 12 + 1;
        entry.day = data[1] % 31 + 1;
    }
    const BirthOrProblems read = readBirth(entry);
    FUZZ_CHECK(read.value.has_value() == read.why.empty());
    if (read.value) {
        // A screen that passes holds every number box in its field, each in range.
        FUZZ_CHECK(magnitude.has_value());
        const BirthData &birth = *read.value;
        FUZZ_CHECK(birth.lonDegrees == *value && birth.latMinutes == *value && *value >= 0 && *value < 60);
        FUZZ_CHECK(birth.zoneHours == *magnitude && birth.zoneMinutes == *magnitude);
        FUZZ_CHECK(!birth.name.isEmpty());
    }
    return 0;
}
