// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// File names and command-line arguments come from the system as bytes. Qt
// reads them as UTF-8 and turns every byte that is not UTF-8 into U+FFFD, so
// a file named in Latin-1 ("caf\xe9.qvr") could never be opened or written
// under its name. These keep every byte: such a byte becomes the lone
// surrogate U+DC80 + byte, which no decoded text holds, and turns back into
// the very same byte.
QString fileNameFromNative(QByteArrayView native);
QByteArray nativeFileName(QStringView name);

// The byte that character `at` of a fileNameFromNative text stands for, or
// -1 when the character is text.
int escapedByteAt(QStringView text, qsizetype at);
