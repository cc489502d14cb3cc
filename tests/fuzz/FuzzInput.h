#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// Reads fuzz bytes as UTF-16 code units, lone surrogates included, so every
// QString a user could paste or a file could produce is reachable.
inline QString utf16FromBytes(const std::uint8_t *data, std::size_t size)
{
    return QString(reinterpret_cast<const QChar *>(data), static_cast<qsizetype>(size / 2));
}

// Stops the fuzzer with a crash the way a failed check in a test would.
#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            __builtin_trap();                                                                                          \
    } while (false)
