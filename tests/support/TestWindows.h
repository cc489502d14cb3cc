// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Window helpers shared by the tests that drive the screens.

#include "core/Reading.h"
#include "ui/ReadingFlow.h"
#include "ui/frmChineseLunarMansionResult.h"
#include "ui/frmMain.h"
#include "Widgets.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

// Deletes the windows whose deletion is pending (closed screens delete
// themselves later).
inline void processDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// EndProgram asks the event loop to stop; with no loop running that request
// would end the next one at once. Run a loop to completion to consume it.
inline void consumeQuitRequest()
{
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
}

inline QList<QWidget *> visibleWindows()
{
    QList<QWidget *> windows;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            windows.append(window);
    }
    return windows;
}

// The visible top-level windows of type T.
template <class T>
QList<T *> openWindows()
{
    QList<T *> found;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *typed = qobject_cast<T *>(window); typed && typed->isVisible())
            found.append(typed);
    }
    return found;
}

// The one visible window of type T once pending deletions are done; null
// when there is none or more than one.
template <class T>
T *onlyOpenWindow()
{
    processDeletes();
    const QList<T *> windows = openWindows<T>();
    return windows.size() == 1 ? windows.constFirst() : nullptr;
}

inline frmChineseLunarMansionResult *onlyResultScreen()
{
    return onlyOpenWindow<frmChineseLunarMansionResult>();
}

// Shows the reading of `nakshatraName` on a fresh result screen, as opening a
// saved reading does, and returns that screen.
inline frmChineseLunarMansionResult *showReadingOf(const QString &nakshatraName,
                                                   const std::shared_ptr<Session> &session = std::make_shared<Session>(),
                                                   QWidget *mainScreen = nullptr)
{
    presentReading(*readingOfNakshatra(nakshatraName), session, mainScreen);
    return onlyResultScreen();
}

inline frmMain *onlyMainScreen()
{
    return onlyOpenWindow<frmMain>();
}

// Hides and deletes every window a test left open.
inline void deleteTopLevelWindows()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (!window->parentWidget()) {
            window->hide();
            window->deleteLater();
        }
    }
    processDeletes();
}

// Runs `act` on the modal window as soon as it is up (exec() blocks the test).
inline void whenModal(std::function<void(QWidget *)> act)
{
    auto *poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            act(modal);
        }
    });
    poll->start();
}
