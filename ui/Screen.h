#pragma once

#include <QMainWindow>

// Base of the two main screens (the main input screen and the result screen).
// A close by the user ends the program; a close the program makes itself
// while switching between the screens ends nothing.
class Screen : public QMainWindow {
    Q_OBJECT
public:
    explicit Screen(QWidget *parent = nullptr);

    // Closes (and deletes) the screen as the program's own step.
    void closeByProgram();

protected:
    void closeEvent(QCloseEvent *event) override;

    // Whether a modal window (the time zone picker, the about box, a message,
    // a file dialog) is open. A command that switches screens must not run
    // then: closing a screen deletes the modal window it owns under that
    // window's exec(). Such commands still reach a blocked screen: an access
    // key clicks its button a moment later, by a timer, and a key pressed as
    // a modal window opens goes by the screen's shortcuts until the window
    // system has made the modal window the active one.
    static bool modalWindowOpen();

private:
    bool m_closingByProgram = false;
};

// Closes every open screen and stops the program's event loop.
void EndProgram();
