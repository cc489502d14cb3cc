// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <string_view>

// User text as a message quotes it: in single quotes, with every control
// character written as \x1b and the like, every character that steers the
// direction text runs in (U+202E and its kin) as \u202e and the like, and
// every byte of a file name that is not UTF-8 as \xe9 and the like, so that
// nothing a file or an argument holds can steer the terminal the message is
// shown on or the order it is read in.

// A value: at most its first few characters, "..." after the closing quote
// marking that more followed, so a huge bad value can't flood the message.
QString quotedValue(const QString &text);
QString quotedValue(std::string_view utf8);
// The same without the quotes, for a value set apart by the sentence.
QString bareValue(std::string_view utf8);

// A path, shown whole: the user needs to see which file is meant.
QString quotedPath(const QString &path);
// The same without the quotes, for a path that ends its line.
QString barePath(const QString &path);
