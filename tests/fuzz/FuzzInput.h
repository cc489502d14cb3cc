// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstring>

// Reads fuzz bytes as UTF-16 code units, lone surrogates included, so every
// QString a user could paste or a file could produce is reachable.
// The bytes are copied, not cast, so input at any address is read safely.
inline QString utf16FromBytes(const std::uint8_t *data, std::size_t size)
{
    QString text(static_cast<qsizetype>(size / 2), Qt::Uninitialized);
    if (!text.isEmpty())
        std::memcpy(text.data(), data, static_cast<std::size_t>(text.size()) * sizeof(QChar));
    return text;
}

// Stops the fuzzer with a crash the way a failed check in a test would.
#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            __builtin_trap();                                                                                          \
    } while (false)
