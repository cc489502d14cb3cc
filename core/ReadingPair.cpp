// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/ReadingPair.h"

#include <QFileInfo>
#include <QStringList>

namespace {

QString captioned(const char *caption, const QString &value)
{
    return QStringLiteral("%1: %2\n").arg(QLatin1String(caption), value);
}

QString stepText(const QString &direction, const TaraStep &step)
{
    return QStringLiteral("%1\n").arg(direction) + captioned(PairCaptions::count, QString::number(step.count)) +
           captioned(PairCaptions::tara, taraName(step)) + captioned(PairCaptions::meaning, taraMeaning(step.tara)) +
           captioned(PairCaptions::favourable, favourableText(step));
}

QString memberText(const QString &name, const Reading &reading)
{
    return QStringLiteral("%1\n").arg(name) + captioned(ReadingCaptions::values[0], reading.values[0]) +
           captioned(ReadingCaptions::values.back(), reading.nakshatraName);
}

// A name is the user's own text: no folder separators or control
// characters in a file's name.
QString fileNameSafe(QString stem)
{
    for (QChar &c : stem) {
        if (c == u'/' || c == u'\\' || c.category() == QChar::Other_Control)
            c = u'_';
    }
    return stem;
}

} // namespace

QString readingName(const Reading &reading)
{
    if (reading.birth && !reading.birth->name.trimmed().isEmpty())
        return reading.birth->name.trimmed();
    if (!reading.sourcePath.isEmpty())
        return QFileInfo(reading.sourcePath).fileName();
    return reading.nakshatraName;
}

ReadingPair readingPair(const Reading &a, const Reading &b)
{
    // The catalogue's row k carries nakshatra k, so the row is the nakshatra's number.
    return ReadingPair{a, b, readingName(a), readingName(b), taraMatch(a.row, b.row)};
}

QString readingFileStem(const Reading &reading)
{
    const QString mansion = QString::fromUtf8(reading.mansion.name);
    if (!reading.birth || reading.birth->name.trimmed().isEmpty())
        return fileNameSafe(mansion);
    return fileNameSafe(QStringLiteral("%1 - %2").arg(reading.birth->name.trimmed(), mansion));
}

QString pairFileStem(const ReadingPair &pair)
{
    const auto stem = [](const QString &name) { return name.endsWith(QLatin1String(".qvr")) ? name.chopped(4) : name; };
    return fileNameSafe(QStringLiteral("%1 and %2").arg(stem(pair.nameA), stem(pair.nameB)));
}

QString directionName(const QString &from, const QString &to)
{
    return QStringLiteral("%1 to %2").arg(from, to);
}

QString favourableText(const TaraStep &step)
{
    return step.favourable ? QStringLiteral("Yes") : QStringLiteral("No");
}

QString taraStepLine(const TaraStep &step)
{
    return QStringLiteral("%1 %2: %3 (%4), %5")
        .arg(QLatin1String(PairCaptions::count))
        .arg(step.count)
        .arg(taraName(step), taraMeaning(step.tara),
             step.favourable ? QStringLiteral("favourable") : QStringLiteral("unfavourable"));
}

QString readingPairText(const ReadingPair &pair)
{
    // Sections with a blank line between them.
    const QStringList sections{
        QStringLiteral("%1\n").arg(QLatin1String(PairCaptions::title)),
        memberText(pair.nameA, pair.a),
        memberText(pair.nameB, pair.b),
        taraCountNote() + u'\n',
        stepText(directionName(pair.nameA, pair.nameB), pair.match.aToB),
        stepText(directionName(pair.nameB, pair.nameA), pair.match.bToA),
        taraFavourableNote() + u'\n',
        captioned(PairCaptions::score, taraScoreText(pair.match.score)) + taraScoreSentence(pair.match.score) + u'\n' +
            taraScoreScale() + u'\n',
        taraRuleNote() + u'\n',
    };
    return sections.join(u'\n');
}
