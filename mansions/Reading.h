#pragma once

#include "mansions/modChineseLunarMansionInformation.h"

#include <QString>
#include <QtGlobal>

#include <optional>

// What the result screen shows; kept from one lookup to the next.
struct Reading {
    QString mansionName;
    QString direction;
    QString westernConstellation;
    QString animal;
    QString literalTranslation;
    QString season;
    QString positiveTraits;
    QString negativeTraits;
    qint16 pictureNumber = 0;  // picture entry 1..28; 0 before the first reading
};

// The process-wide reading.
Reading &currentReading();

// The result screen's slots, as showMansionReading fills them.
class ReadingView {
public:
    virtual ~ReadingView() = default;
    virtual void setResult(int index, const QString &text) = 0;  // lblResult(0..6)
    virtual void setTraits(int index, const QString &text) = 0;  // txtTraits(0..1)
    virtual void setPicture(int entryNumber) = 0;                // picChinese
    virtual void showScreen() = 0;                               // show the result screen, modeless
    virtual void closeMainScreen() = 0;                          // the program's own close
};

// Looks the name up, updates currentReading() on a match, fills the view in
// its fixed order, shows it and closes the main input screen.
void showMansionReading(const QString &nakshatraName, ReadingView &view);
