// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

#include <array>

// One named time zone of the picker: the text shown in its list and the two
// values a double-click writes into the zone boxes. The values are the
// opposite of the offset named in the text (a zone ahead of Universal Time
// gives negative numbers; a half hour gives 30 minutes with the sign of the
// hours). The text is shown as it is and never read back.
struct TimeZoneEntry {
    const char *text;
    qint16 hours;
    qint16 minutes;
};

inline constexpr int timeZoneCount = 71;

// The zones in list order; the picker finds an entry's values by its position.
extern const std::array<TimeZoneEntry, timeZoneCount> timeZones;
