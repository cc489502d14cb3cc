// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>
#include <optional>

struct Reading;
class QString;
class QWidget;
class Session;

// Shows `reading` on a fresh result screen, which makes it the session's
// reading on display, and closes `screen` (the main input screen or the
// result screen it replaces) as the program's step.
void presentReading(const Reading &reading, const std::shared_ptr<Session> &session, QWidget *screen);

// Opens the reading saved at `path` as Open does: its result screen in place
// of `screen`, or "Please Check The File." with `screen` left as it was for
// a path that holds no reading. True when the reading is shown.
bool openReadingFile(const QString &path, const std::shared_ptr<Session> &session, QWidget *screen);

// "&Open Previously Saved Reading" of the main input screen.
void openSavedReading(const std::shared_ptr<Session> &session, QWidget *mainScreen);

// Asks for a saved reading with the Open dialog, as Open does, and returns
// it; nothing after a cancel, or after "Please Check The File." for a file
// that holds no reading.
std::optional<Reading> chooseSavedReading(Session &session, QWidget *parent);

// "&Save" of the result screen: writes the nakshatra of the session's
// reading to a chosen file.
void saveReading(Session &session, QWidget *resultScreen);
