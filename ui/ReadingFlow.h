#pragma once

#include <QString>

struct BirthData;
class QWidget;

// Fills a fresh result screen with the reading of `nakshatraName` through
// showMansionReading, shows it and closes `mainScreen` as the program's step.
// `birth` is given by a calculation, the birth it read: the nakshatra value's
// tooltip then tells during which clock times around the birth the Moon stays
// in that nakshatra. A reading opened from a file has no birth and no tooltip.
void presentReading(const QString &nakshatraName, QWidget *mainScreen, const BirthData *birth = nullptr);

// "&Open Previously Saved Reading" of the main input screen.
void openSavedReading(QWidget *mainScreen);

// "&Save" of the result screen: writes currentNakshatraName() to a chosen file.
void saveReading(QWidget *resultScreen);
