#pragma once

// The 2,000 independently computed birth moments of tests/data/ephemeris.tsv,
// read once for the tests and benchmarks that compare against them.

#include "core/BirthData.h"

#include <QFile>
#include <QStringList>

#include <array>
#include <vector>

struct ReferenceCase {
    QStringList inputs;    // month day year hour minute zoneHours zoneMinutes lonDegrees lonMinutes isEast dst
    BirthData birth;       // the inputs as a record (name "Test", latitude 0 North)
    std::array<double, 6> expected{};  // julianDay, universalTime, centuries, tropical, offset, sidereal
    int nakshatraIndex = 0;
    QString nakshatraName;
};

// Every case of the file, or nothing if it is missing or malformed.
inline std::vector<ReferenceCase> loadReferenceCases()
{
    std::vector<ReferenceCase> cases;
    QFile file(QStringLiteral(QUORVEL_TEST_DATA "/ephemeris.tsv"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    while (!file.atEnd()) {
        QString line = QString::fromUtf8(file.readLine());
        if (line.endsWith(u'\n'))
            line.chop(1);
        if (line.startsWith(u'#') || line.isEmpty())
            continue;
        const QStringList fields = line.split(u'\t');
        if (fields.size() != 9)
            return {};
        ReferenceCase c;
        c.inputs = fields[0].split(u' ');
        if (c.inputs.size() != 11)
            return {};
        qint16 *numbers[] = {&c.birth.month, &c.birth.day, &c.birth.year, &c.birth.hour, &c.birth.minute,
                             &c.birth.zoneHours, &c.birth.zoneMinutes, &c.birth.lonDegrees, &c.birth.lonMinutes};
        for (int i = 0; i < 9; ++i)
            *numbers[i] = static_cast<qint16>(c.inputs[i].toInt());
        c.birth.name = QStringLiteral("Test");
        c.birth.isEast = c.inputs[9] == u"1";
        c.birth.dst = c.inputs[10] == u"1";
        c.birth.isNorth = true;
        for (int i = 0; i < 6; ++i)
            c.expected[i] = fields[i + 1].toDouble();
        c.nakshatraIndex = fields[7].toInt();
        c.nakshatraName = fields[8];
        cases.push_back(c);
    }
    return cases;
}
