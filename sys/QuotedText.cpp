// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sys/QuotedText.h"

#include "sys/NativeFileName.h"

namespace {

// Characters of a value shown; dates, times, zones and angles fit easily.
constexpr qsizetype shownCharacters = 40;

// The characters that steer the direction text runs in: the embeddings,
// overrides and isolates, and the marks. Shown raw, a U+202E in a place or a
// file name would make the rest of the message read backwards.
bool steersDirection(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x202a && u <= 0x202e) || (u >= 0x2066 && u <= 0x2069) || u == 0x200e || u == 0x200f || u == 0x061c;
}

QString quoted(const QString &text, qsizetype limit, QStringView quote = u"'")
{
    QString out = quote.toString();
    qsizetype shown = 0;
    qsizetype i = 0;
    for (; i < text.size() && shown < limit; ++i, ++shown) {
        const QChar c = text.at(i);
        const int byte = escapedByteAt(text, i); // of a file name that is not UTF-8
        if (byte >= 0 || c.category() == QChar::Other_Control) {
            out += QStringLiteral("\\x%1").arg(byte >= 0 ? byte : c.unicode(), 2, 16, QLatin1Char('0'));
        } else if (steersDirection(c)) {
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        } else {
            out += c;
            if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
                out += text.at(++i); // one character, never split
        }
    }
    out += quote;
    if (i < text.size())
        out += QLatin1String("...");
    return out;
}

// Only a prefix is shown, so only a prefix is decoded: at most four bytes a
// character, and one character more than is shown, so that a cut text
// still ends in "...".
QString decodedPrefix(std::string_view utf8)
{
    const std::string_view prefix = utf8.substr(0, std::size_t(shownCharacters + 1) * 4);
    return QString::fromUtf8(prefix.data(), qsizetype(prefix.size()));
}

} // namespace

QString quotedValue(const QString &text)
{
    return quoted(text, shownCharacters);
}

QString quotedValue(std::string_view utf8)
{
    return quoted(decodedPrefix(utf8), shownCharacters);
}

QString bareValue(std::string_view utf8)
{
    return quoted(decodedPrefix(utf8), shownCharacters, {});
}

QString quotedPath(const QString &path)
{
    return quoted(path, path.size());
}

QString barePath(const QString &path)
{
    return quoted(path, path.size(), {});
}
