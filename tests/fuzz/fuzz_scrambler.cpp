// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The scrambler that the saved reading file and the settings store use.
#include "FuzzInput.h"
#include "mansions/modRTB.h"

namespace {

// The page code of one character, or -1 when the page lacks it.
int codeOf(QChar c)
{
    const QByteArray byte = toSingleByte(QString(c));
    return byte.size() == 1 ? quint8(byte.at(0)) : -1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = utf16FromBytes(data, size);
    const QString scrambled = scrambleText(text);
    const QString unscrambled = unscrambleText(text);
    FUZZ_CHECK(scrambled.size() <= text.size());
    FUZZ_CHECK(unscrambled.size() <= text.size());
    if (text.size() > 32767)
        FUZZ_CHECK(scrambled.isEmpty() && unscrambled.isEmpty());

    // Every scrambled text is storable as single bytes and comes back whole.
    const QByteArray bytes = toSingleByte(scrambled);
    FUZZ_CHECK(bytes.size() == scrambled.size());
    FUZZ_CHECK(fromSingleByte(bytes) == scrambled);
    for (const QChar c : scrambled)
        FUZZ_CHECK(codeOf(c) >= 85);
    for (const QChar c : unscrambled)
        FUZZ_CHECK(codeOf(c) >= 0 && codeOf(c) <= 170);

    // What survives the round trip is exactly the page's characters of code
    // 0..170, in their order.
    if (text.size() <= 32767) {
        QString kept;
        for (const QChar c : text) {
            const int code = codeOf(c);
            if (code >= 0 && code <= 170)
                kept.append(c);
        }
        FUZZ_CHECK(unscrambleText(scrambled) == kept);
    }

    // Single-byte texts whose codes stay within 0..170 survive the round trip.
    const QByteArray raw(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    QByteArray low;
    for (char c : raw)
        if (static_cast<unsigned char>(c) <= 170)
            low.append(c);
    const QString lowText = fromSingleByte(low);
    if (lowText.size() <= 32767)
        FUZZ_CHECK(unscrambleText(scrambleText(lowText)) == lowText);
    return 0;
}
