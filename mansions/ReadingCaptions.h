#pragma once

#include <array>

// The captions a reading is shown under, wherever it is shown: on the result
// screen, on paper and by the command-line companion.
namespace ReadingCaptions {
// In the order of the seven values (mansion name .. nakshatra).
inline constexpr std::array<const char *, 7> values = {
    "Chinese Lunar Mansion Name", "Associated Direction", "Western Constellation", "Associated Animal",
    "Literal Translation",        "Associated Season",    "Corresponding Indian Lunar Mansion",
};
inline constexpr std::array<const char *, 2> traits = {"Positive Human Traits", "Negative Human Traits"};
inline constexpr char frame[] = "Quorvel Result";
} // namespace ReadingCaptions
