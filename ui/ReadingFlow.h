// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>
#include <optional>

struct BirthPlace;
struct Reading;
class QString;
class QWidget;
class Session;

// Shows `reading` on a fresh result screen, which makes it (with the place
// typed for it, if any) the session's reading on display, and closes
// `screen` (the main input screen or the result screen it replaces) as the
// program's step.
void presentReading(const Reading &reading, const std::shared_ptr<Session> &session, QWidget *screen);
void presentReading(const Reading &reading, const BirthPlace &place, const std::shared_ptr<Session> &session,
                    QWidget *screen);

// Opens the reading saved at `path` as Open does: its result screen in place
// of `screen`, or "Please Check The File." with `screen` left as it was for
// a path that holds no reading. True when the reading is shown.
bool openReadingFile(const QString &path, const std::shared_ptr<Session> &session, QWidget *screen);

// "&Open Previously Saved Reading" of the main input screen.
void openSavedReading(const std::shared_ptr<Session> &session, QWidget *mainScreen);

// Where the reading dialogs (Open, Save, Export as PDF) start: the folder
// of the last reading file opened or saved, else the user's documents
// folder (the home folder where that is missing), never the folder the
// program was started from.
QString readingDialogFolder(const Session &session);

// The name Save proposes for the session's reading, with `suffix`:
// "Ann - Dòu.qvr" (readingFileStem).
QString proposedReadingFileName(const Session &session, const QString &suffix);

// Asks for a saved reading with a file dialog titled `title`, as Open does,
// and returns it; nothing after a cancel, or after "Please Check The File."
// for a file that holds no reading.
std::optional<Reading> chooseSavedReading(Session &session, QWidget *parent, const QString &title);

// "&Save" of the result screen: writes the session's reading, its birth and
// place with it, to a chosen file.
void saveReading(Session &session, QWidget *resultScreen);
