#pragma once

#include <QString>

// Per-user settings: application name from the executable, section
// "Settings", key and value scrambled.
QString ReadSetting(const QString &key);
void WriteSetting(const QString &key, const QString &value);

// At start-up: asks whether to look for an update when the last reminder is
// 15 or more calendar days away, and opens the download page on Yes.
void UpdateReminder();
