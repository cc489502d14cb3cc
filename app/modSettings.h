// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

// The running executable's file name without its extension ("Quorvel" as
// shipped): it names the settings and the single-instance lock.
QString applicationName();

// An XDG base folder: the variable's value where it is an absolute path,
// `underHome` in the home folder otherwise. The XDG base directory rules
// ignore a relative value, which Qt 6.4 would take from the current folder.
QString userBaseFolder(const char *variable, const QString &underHome);

// Per-user settings: application name from the executable, section
// "Settings", key and value scrambled.
QString ReadSetting(const QString &key);
void WriteSetting(const QString &key, const QString &value);

// Open Recent's list goes to the settings, key "Recent".
void keepRecentReadingsInSettings();

// At start-up: asks whether to look for an update when the last reminder is
// 15 or more calendar days away, and opens the download page on Yes.
void UpdateReminder();
// The same with the clock given, for tests.
void UpdateReminder(const QDateTime &now);

// The settings file of the running program: <configuration folder>/<name>/<name>.ini.
QString settingsFilePath();

// The reminder date as stored: the regional short date and long time where
// that text survives the scrambler and reads back as the same date, ISO 8601
// otherwise.
QString reminderDateText(const QDateTime &moment);
// Reads either form back, regional text also when written under the
// system's regional settings, C or English; nothing when the text is no date.
std::optional<QDateTime> parseReminderDate(const QString &text);
