// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mansions/modRTB.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <array>
#include <cstddef>

namespace {

// Qt reaches the page through ICU, which Debian's Qt always links. The five
// codes the page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) decode to
// the C1 control characters of the same number, so every byte converts to a
// character and back.
constexpr char pageName[] = "windows-1252";

// Every byte code, in order.
constexpr std::array<char, 256> everyCode = [] {
    std::array<char, 256> codes{};
    for (std::size_t code = 0; code < codes.size(); ++code)
        codes[code] = char(code);
    return codes;
}();

// The page's characters, by byte code.
const QString &pageCharacters()
{
    static const QString page = QStringDecoder(pageName).decode(QByteArrayView(everyCode.data(), everyCode.size()));
    return page;
}

// The page is ASCII below 0x80 and Latin-1 from 0xA0; the 32 codes between
// hold typographic marks instead of Latin-1's C1 controls.
bool isOnPage(QChar c)
{
    const char16_t u = c.unicode();
    return u < 0x80 || (u >= 0xA0 && u <= 0xFF) || QStringView(pageCharacters()).mid(0x80, 0x20).contains(c);
}

// The longest text the scrambler takes: its length is counted in a signed
// 16-bit number, and a longer text gives the empty text.
constexpr qsizetype maxScrambleLength = 32767;

// Moves every character's code by `shift`; characters the page lacks and
// codes that leave 0..255 are dropped, the rest keep their order.
QString shiftCodes(const QString &text, int shift)
{
    if (text.size() > maxScrambleLength)
        return {};
    QByteArray shifted;
    for (const char byte : toSingleByte(text)) {
        const int code = quint8(byte) + shift;
        if (code >= 0 && code <= 255)
            shifted.append(char(code));
    }
    return fromSingleByte(shifted);
}

} // namespace

QString scrambleText(const QString &text)
{
    return shiftCodes(text, scrambleShift);
}

QString unscrambleText(const QString &text)
{
    return shiftCodes(text, -scrambleShift);
}

QByteArray toSingleByte(const QString &text)
{
    // The encoder would write a substitute byte for a missing character;
    // leaving it out keeps one byte per character the page has.
    QString onPage = text;
    onPage.removeIf([](QChar c) { return !isOnPage(c); });
    return QStringEncoder(pageName).encode(onPage);
}

QString fromSingleByte(const QByteArray &bytes)
{
    return QStringDecoder(pageName).decode(bytes);
}
