// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// A second copy of the program started with a saved reading hands the file
// to the running copy over a local socket beside the single-instance lock,
// which only the user can reach. The message is the file's absolute path in
// UTF-8 and a line feed, at most handOverLimit bytes in all.

constexpr qint64 handOverLimit = 4096;

// The socket that goes with the lock at `lockPath`.
QString handOverSocketPath(const QString &lockPath);

// The running copy: listens at `socketPath` and shows each reading file
// handed over in place of the screen on display, raising that window. A
// stale socket there is replaced, so only the holder of the lock may call
// this. False when the socket can't be set up; the program runs without.
bool listenForHandOver(const QString &socketPath);
// Stops listening and removes the socket.
void stopHandOver();

// The second copy: hands `path` to the copy listening at `socketPath`.
// False when none takes it (an older copy, or no socket).
bool handOverReadingFile(const QString &socketPath, const QString &path);
