#pragma once

#include <memory>

struct Reading;
class Session;
class QWidget;

// Shows `reading` on a fresh result screen, which makes it the session's
// reading on display, and closes `mainScreen` as the program's step.
void presentReading(const Reading &reading, const std::shared_ptr<Session> &session, QWidget *mainScreen);

// "&Open Previously Saved Reading" of the main input screen.
void openSavedReading(const std::shared_ptr<Session> &session, QWidget *mainScreen);

// "&Save" of the result screen: writes the nakshatra of the session's
// reading to a chosen file.
void saveReading(const Session &session, QWidget *resultScreen);
