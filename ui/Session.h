// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/Reading.h"
#include "core/SavedBirth.h"

#include <QString>

#include <optional>

// What the screens share while the program runs: the reading on display,
// which Save writes, and the folder of the last reading file opened or
// saved, where the Open and Save dialogs start. Start-up makes one; each
// screen keeps it and hands it on to the screens it opens. The folder lasts
// for the run only (Open Recent's list is what the settings keep).
class Session {
public:
    const std::optional<Reading> &reading() const { return m_reading; }
    // The place typed for the reading's birth; empty for one without a birth.
    const BirthPlace &birthPlace() const { return m_birthPlace; }
    void setReading(const Reading &reading, const BirthPlace &place = {})
    {
        m_reading = reading;
        m_birthPlace = place;
    }

    // Empty until a reading file has been opened or saved.
    const QString &readingFolder() const { return m_readingFolder; }
    void setReadingFolder(const QString &folder) { m_readingFolder = folder; }

private:
    std::optional<Reading> m_reading;
    BirthPlace m_birthPlace;
    QString m_readingFolder;
};
