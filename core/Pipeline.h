#pragma once

#include "core/BirthData.h"
#include "ephemeris/modEphemeris.h"

#include <QString>

#include <functional>

// The process-wide records that live for the whole run.
BirthData &birthData();
EphemerisResult &ephemerisResult();
// The nakshatra name of the reading on display: set by a calculation or by
// opening a saved reading, written out by Save.
QString &currentNakshatraName();

// The stages the calculate command runs, filled in by the screens.
struct CalculationStages {
    std::function<bool()> validate;                       // shows its own message on false
    std::function<ScreenInput()> readScreen;              // the main input screen as it stands
    std::function<void(const QString &)> showReading;     // hands over to the mansion reading
};

enum class CalculationOutcome {
    Refused,          // validation failed; nothing was copied
    Shown,            // the reading was handed over
    ShownAfterFault,  // the ephemeris stopped early; the reading shows what the records hold
};

// Validate, copy the screen into BirthData, compute the Moon's nakshatra, copy
// its name into currentNakshatraName and hand it to the reading.
CalculationOutcome runCalculation(const CalculationStages &stages);
