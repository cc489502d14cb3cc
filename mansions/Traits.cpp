// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The traits paragraphs and picture addresses of the catalogue rows, read from
// the resources built into the program (content/).
#include "mansions/modChineseLunarMansionInformation.h"

#include <QFile>

#include <array>

namespace {

struct TraitsTexts {
    std::array<QString, nakshatraRowCount> positive;
    std::array<QString, nakshatraRowCount> negative;
};

// A paragraph file holds its pieces one per line; the paragraph is the pieces
// joined with nothing between them. Line ends (LF or CRLF, with or without a
// final one) are not part of the text. A missing file gives the empty text.
QString readParagraph(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString raw = QString::fromUtf8(file.readAll());
    QString paragraph;
    paragraph.reserve(raw.size());
    for (const QChar c : raw) {
        if (c != u'\n' && c != u'\r')
            paragraph.append(c);
    }
    return paragraph;
}

QString paragraphPath(int row, const char *kind)
{
    return QStringLiteral(":/content/traits/%1_%2.txt")
        .arg(row, 2, 10, QLatin1Char('0'))
        .arg(QLatin1String(kind));
}

// All 54 paragraphs, read once on first use; they never change while the
// program runs.
const TraitsTexts &traitsTexts()
{
    static const TraitsTexts texts = [] {
        TraitsTexts t;
        for (int row = 0; row < nakshatraRowCount; ++row) {
            t.positive[std::size_t(row)] = readParagraph(paragraphPath(row, "positive"));
            t.negative[std::size_t(row)] = readParagraph(paragraphPath(row, "negative"));
        }
        return t;
    }();
    return texts;
}

bool hasTraits(int index)
{
    return index >= 0 && index < nakshatraRowCount;
}

} // namespace

QString positiveTraits(int index)
{
    return hasTraits(index) ? traitsTexts().positive[std::size_t(index)] : QString();
}

QString negativeTraits(int index)
{
    return hasTraits(index) ? traitsTexts().negative[std::size_t(index)] : QString();
}

QString picturePath(int entryNumber)
{
    if (entryNumber < 1 || entryNumber > mansionCount)
        return {};
    const QString entry = QString::fromUtf8(mansionRow(entryNumber - 1).pictureEntry);
    if (entry.isEmpty())
        return {};
    return QStringLiteral(":/content/pictures/") + entry;
}
