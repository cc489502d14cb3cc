#pragma once

#include <QString>

class QWidget;

// Fills a fresh result screen with the reading of `nakshatraName` through
// showMansionReading, shows it and closes `mainScreen` as the program's step.
void presentReading(const QString &nakshatraName, QWidget *mainScreen);

// "&Open Previously Saved Reading" of the main input screen.
void openSavedReading(QWidget *mainScreen);

// "&Save" of the result screen: writes currentNakshatraName() to a chosen file.
void saveReading(QWidget *resultScreen);
