// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sys/NativeFileName.h"

namespace {

constexpr char16_t escapeBase = 0xDC00; // + a byte from 0x80 to 0xFF

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// The length of the well-formed UTF-8 sequence at the start of `bytes`, or 0
// when it does not start with one (a stray byte, an overlong form, a
// surrogate, beyond U+10FFFF or cut short).
qsizetype utf8SequenceLength(QByteArrayView bytes)
{
    const auto byte = [&bytes](qsizetype i) { return static_cast<unsigned char>(bytes.at(i)); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    const qsizetype length = lead >= 0xC2 && lead <= 0xDF   ? 2
                             : lead >= 0xE0 && lead <= 0xEF ? 3
                             : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                            : 0;
    if (length == 0 || bytes.size() < length)
        return 0;
    for (qsizetype i = 1; i < length; ++i) {
        if (!isContinuation(byte(i)))
            return 0;
    }
    // The second byte's range rules out overlong forms, surrogates and code
    // points beyond U+10FFFF.
    const unsigned char second = byte(1);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) || (lead == 0xF0 && second < 0x90) ||
        (lead == 0xF4 && second > 0x8F))
        return 0;
    return length;
}

} // namespace

QString fileNameFromNative(QByteArrayView native)
{
    QString name;
    name.reserve(native.size());
    qsizetype textStart = 0;
    qsizetype i = 0;
    const auto flushText = [&] { name += QString::fromUtf8(native.sliced(textStart, i - textStart)); };
    while (i < native.size()) {
        const qsizetype length = utf8SequenceLength(native.sliced(i));
        if (length > 0) {
            i += length;
            continue;
        }
        flushText();
        name += QChar(char16_t(escapeBase + static_cast<unsigned char>(native.at(i))));
        textStart = ++i;
    }
    flushText();
    return name;
}

int escapedByteAt(QStringView text, qsizetype at)
{
    const char16_t c = text.at(at).unicode();
    const bool paired = at > 0 && text.at(at - 1).isHighSurrogate();
    return c >= escapeBase + 0x80 && c <= escapeBase + 0xFF && !paired ? c - escapeBase : -1;
}

QByteArray nativeFileName(QStringView name)
{
    QByteArray native;
    native.reserve(name.size());
    qsizetype textStart = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const int byte = escapedByteAt(name, i);
        if (byte < 0)
            continue;
        native += name.sliced(textStart, i - textStart).toUtf8();
        native += char(byte);
        textStart = i + 1;
    }
    native += name.sliced(textStart).toUtf8();
    return native;
}
