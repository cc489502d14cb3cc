// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

// The reversible shift of every character code by 85 that the saved reading
// file and the settings store use. Codes are those of the Windows-1252 page.
inline constexpr int scrambleShift = 85;

QString scrambleText(const QString &text);
QString unscrambleText(const QString &text);

// Windows-1252 conversions, one byte per character; characters the page
// lacks are left out.
QByteArray toSingleByte(const QString &text);
QString fromSingleByte(const QByteArray &bytes);
