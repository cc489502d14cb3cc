#pragma once

#include "core/Reading.h"

#include <optional>

// What the screens share while the program runs: the reading on display,
// which Save writes. Start-up makes one; each screen keeps it and hands it
// on to the screens it opens.
class Session {
public:
    const std::optional<Reading> &reading() const { return m_reading; }
    void setReading(const Reading &reading) { m_reading = reading; }

private:
    std::optional<Reading> m_reading;
};
