// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <memory>

class QMenu;
class QWidget;
class Session;

// The readings opened or saved lately, newest first, at most eight.
struct RecentReading {
    QString path;
    QString person; // empty for a reading without a birth
};

// Where the list is kept: the program keeps it in its settings; until one
// is installed (as in the tests), it lasts for the run.
struct RecentReadingStorage {
    std::function<QString()> read;
    std::function<void(const QString &)> write;
};
void setRecentReadingStorage(const RecentReadingStorage &storage);

QList<RecentReading> recentReadings();
// Puts the reading at the top of the list.
void rememberReading(const RecentReading &reading);
void forgetReading(const QString &path);

// Adds "Open &Recent" to `fileMenu`: the list, "Clear List" below it. An
// entry opens its reading in place of `screen`, as Open does; one that no
// longer opens leaves the list after the program's message.
void addRecentMenu(QMenu *fileMenu, const std::shared_ptr<Session> &session, QWidget *screen);
