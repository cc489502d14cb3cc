// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>

// The captions a reading is shown under, wherever it is shown: on the result
// screen, on paper and by the command-line companion.
namespace ReadingCaptions {
// In the order of the reading's values (mansion name .. nakshatra).
inline constexpr std::array values = {
    "Chinese Lunar Mansion Name", "Associated Direction", "Western Constellation", "Associated Animal",
    "Literal Translation",        "Associated Season",    "Corresponding Indian Lunar Mansion",
};
inline constexpr std::array traits = {"Positive Human Traits", "Negative Human Traits"};
inline constexpr char frame[] = "Quorvel Result";
} // namespace ReadingCaptions

// How many values and traits paragraphs a reading has.
inline constexpr int readingValueCount = int(ReadingCaptions::values.size());
inline constexpr int readingTraitsCount = int(ReadingCaptions::traits.size());
