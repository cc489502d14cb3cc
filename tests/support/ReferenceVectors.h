// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The 2,000 independently computed birth moments of tests/data/ephemeris.tsv,
// read once for the tests and benchmarks that compare against them.

#include "birth/BirthData.h"

#include <QFile>
#include <QStringList>

#include <array>
#include <vector>

struct ReferenceCase {
    QStringList inputs;    // month day year hour minute zoneHours zoneMinutes lonDegrees lonMinutes isEast dst
    BirthData birth;       // the inputs as a record, as birth() below makes it
    std::array<double, 6> expected{};  // julianDay, universalTime, centuries, tropical, offset, sidereal
    int nakshatraIndex = 0;
    QString nakshatraName;
};

// A birth in the reference file's order of inputs (name "Test", latitude 0 North).
inline BirthData birth(int month, int day, int year, int hour, int minute, int zoneHours, int zoneMinutes,
                       int lonDegrees, int lonMinutes, bool isEast, bool dst)
{
    BirthData b;
    b.name = QStringLiteral("Test");
    b.month = qint16(month);
    b.day = qint16(day);
    b.year = qint16(year);
    b.hour = qint16(hour);
    b.minute = qint16(minute);
    b.zoneHours = qint16(zoneHours);
    b.zoneMinutes = qint16(zoneMinutes);
    b.lonDegrees = qint16(lonDegrees);
    b.lonMinutes = qint16(lonMinutes);
    b.isEast = isEast;
    b.isNorth = true;
    b.dst = dst;
    return b;
}

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
        const auto in = [&c](int i) { return c.inputs[i].toInt(); };
        c.birth = birth(in(0), in(1), in(2), in(3), in(4), in(5), in(6), in(7), in(8), in(9) == 1, in(10) == 1);
        for (int i = 0; i < 6; ++i)
            c.expected[i] = fields[i + 1].toDouble();
        c.nakshatraIndex = fields[7].toInt();
        c.nakshatraName = fields[8];
        cases.push_back(c);
    }
    return cases;
}

// The births of the reference cases alone, in file order.
inline std::vector<BirthData> loadReferenceBirths()
{
    std::vector<BirthData> births;
    for (const ReferenceCase &c : loadReferenceCases())
        births.push_back(c.birth);
    return births;
}
