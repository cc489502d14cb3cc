// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

// Start-up: refuses a second copy, seeds the random generator, runs the
// update reminder, shows the main input screen and draws its banner, then
// opens the saved reading the command line names, as Open does. False when
// another copy is running: that copy has been handed the reading (tried for
// about two seconds), or the user has been told, and the program ends. `arguments` leave out the
// program's name and the options Qt took.
bool StartProgram(const QStringList &arguments);
// The same with the single-instance lock at `lockPath` and the reading file
// `readingFile` (none when empty).
bool StartProgram(const QString &lockPath, const QString &readingFile = QString());

// The saved reading the command line names: its first argument that is no
// option, as an absolute path; empty when there is none. Every other
// argument is ignored, each with a line on standard error.
QString readingFileArgument(const QStringList &arguments);

// True when another running copy of this executable holds the lock. A copy
// that answers false holds the lock itself until it exits; a lock left by a
// copy that died is taken over.
bool IsAnotherCopyRunning();
bool IsAnotherCopyRunning(const QString &lockPath);

// A folder for the program's runtime files that no other user can write:
// the user's runtime folder, or privateCacheFolder() where there is none.
// Empty when neither is usable.
QString privateRuntimeFolder();
// <cache folder>/<name>, made 0700; empty when it isn't the user's alone.
QString privateCacheFolder();

// The lock in the private runtime folder, named after the executable; empty
// when there is no such folder.
QString instanceLockPath();

// Gives up the lock this process holds and stops taking saved readings
// from other copies (the end of the process does both too).
void releaseInstanceLock();
