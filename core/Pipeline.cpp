#include "core/Pipeline.h"

#include "mansions/modChineseLunarMansionInformation.h"

BirthData &birthData()
{
    static BirthData record;
    return record;
}

EphemerisResult &ephemerisResult()
{
    static EphemerisResult record;
    return record;
}

QString &currentNakshatraName()
{
    static QString name;
    return name;
}

CalculationOutcome runCalculation(const CalculationStages &stages)
{
    if (stages.validate && !stages.validate())
        return CalculationOutcome::Refused;
    if (stages.readScreen)
        copyScreenIntoBirthData(stages.readScreen(), birthData());
    // A failing stage doesn't stop the command: the later steps run on what
    // the records hold, as they would after any earlier calculation.
    const bool computed = computeMoonNakshatra(ephemerisInput(birthData()), ephemerisResult());
    currentNakshatraName() = nakshatraName(ephemerisResult().nakshatraIndex);
    if (stages.showReading)
        stages.showReading(currentNakshatraName());
    return computed ? CalculationOutcome::Shown : CalculationOutcome::ShownAfterFault;
}
