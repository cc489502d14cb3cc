// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMainWindow>

class QAction;
class QDropEvent;
class QKeySequence;
class QMenu;
class QMimeData;

// One row of a menu table as the screens' menus add them: a separator where
// `caption` is null (nothing is returned), else an entry with its shortcut,
// each named `name` for the tests and screen readers.
QAction *addMenuRow(QMenu *menu, const char *name, const char *caption, const QKeySequence &shortcut);

// Base of the two main screens (the main input screen and the result screen).
// A close by the user ends the program; a close the program makes itself
// while switching between the screens ends nothing.
class Screen : public QMainWindow {
    Q_OBJECT
public:
    explicit Screen(QWidget *parent = nullptr);

    // Closes (and deletes) the screen as the program's own step.
    void closeByProgram();

    // Opens the reading saved at `path` in place of this screen, as Open
    // does. A file dropped on the screen and one handed over by a second copy
    // of the program come here.
    virtual void showReadingFile(const QString &path) = 0;

    // Whether a modal window (the time zone picker, the about box, a message,
    // a file dialog) is open. A command that switches screens must not run
    // then: closing a screen deletes the modal window it owns under that
    // window's exec(). Such commands still reach a blocked screen: an access
    // key clicks its button a moment later, by a timer, and a key pressed as
    // a modal window opens goes by the screen's shortcuts until the window
    // system has made the modal window the active one.
    static bool modalWindowOpen();

protected:
    void closeEvent(QCloseEvent *event) override;
    // A saved reading dragged over the screen (one local file whose name ends
    // in the extension) is taken; anything else is refused as it enters, so
    // the pointer shows that it can't be dropped. The boxes that take
    // dropped text hand such drags to the screen.
    void showEvent(QShowEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // Answers a drag or drop event; false for one that carries no files,
    // which is left to the widget it went to.
    bool takeReadingDrag(QDropEvent *event);

    bool m_closingByProgram = false;
    QObject *m_dragFilter = nullptr;
};

// The path of the saved reading that `data` carries, or empty when it is not
// exactly one local file whose name ends in the extension.
QString droppedReadingFile(const QMimeData *data);

// The screen on display: the one visible screen, or null.
Screen *shownScreen();

// Closes every open screen and stops the program's event loop.
void EndProgram();
