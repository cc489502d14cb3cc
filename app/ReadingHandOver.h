// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// A second copy of the program started with a saved reading hands the file
// to the running copy over a local socket in a folder only the user can
// reach. The message is the length in bytes of the file's absolute path (4
// bytes, big-endian), then the path's bytes as the system names the file, at
// most handOverLimit bytes in all; the running copy answers with one byte
// once it has it.

constexpr qint64 handOverLimit = 4096;

// The socket that goes with the lock at `lockPath`: beside it, or in
// `fallbackFolder` where a socket's path there would be too long for the
// system (over 107 bytes); empty when it fits in neither.
QString handOverSocketPath(const QString &lockPath, const QString &fallbackFolder = QString());

// The running copy: listens at `socketPath` and shows each reading file
// handed over in place of the screen on display, raising that window. A
// stale socket there is replaced, so only the holder of the lock may call
// this. Should the socket stop (its file removed, or the server closed by a
// failed accept()), it listens again. False when the socket can't be set up;
// the program runs without, and `error` says why.
bool listenForHandOver(const QString &socketPath, QString *error = nullptr);
// Stops listening and removes the socket.
void stopHandOver();

// The second copy: hands `path` to the copy listening at `socketPath`.
// False when none takes it (no socket, or no answer in time).
bool handOverReadingFile(const QString &socketPath, const QString &path);
