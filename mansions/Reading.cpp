#include "mansions/Reading.h"

#include "mansions/modChineseLunarMansionInformation.h"

Reading &currentReading()
{
    static Reading reading;
    return reading;
}

namespace {

void fillReadingFromRow(Reading &reading, int row)
{
    const MansionRecord &record = mansionRow(row);
    const Quadrant &quadrant = quadrantOf(row);
    reading.mansionName = QString::fromUtf8(record.name);
    reading.direction = QString::fromUtf8(quadrant.direction);
    reading.westernConstellation = QString::fromUtf8(record.westernConstellation);
    reading.animal = QString::fromUtf8(quadrant.animal);
    reading.literalTranslation = QString::fromUtf8(record.literalTranslation);
    reading.season = QString::fromUtf8(quadrant.season);
    reading.positiveTraits = positiveTraits(row);
    reading.negativeTraits = negativeTraits(row);
    reading.pictureNumber = qint16(row + 1);
}

} // namespace

void showMansionReading(const QString &nakshatraName, ReadingView &view)
{
    Reading &reading = currentReading();
    // A name that matches no row keeps the previous reading: the screen then
    // shows that mansion with the new name beside it.
    if (const std::optional<int> row = findMansionRow(nakshatraName))
        fillReadingFromRow(reading, *row);

    // toUpper() maps accented capitals too: "Kàng" shows as "KÀNG".
    view.setResult(0, reading.mansionName.toUpper());
    view.setResult(1, reading.direction);
    view.setResult(2, reading.westernConstellation);
    view.setResult(3, reading.animal);
    view.setResult(4, reading.literalTranslation.toUpper());
    view.setResult(5, reading.season);
    view.setResult(6, nakshatraName);
    view.setTraits(0, reading.positiveTraits);
    view.setTraits(1, reading.negativeTraits);
    // Before the first reading there is no picture entry 0: the screen keeps
    // its design picture.
    if (reading.pictureNumber > 0)
        view.setPicture(reading.pictureNumber);
    view.showScreen();
    view.closeMainScreen();
}
