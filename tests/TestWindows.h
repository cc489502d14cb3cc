#pragma once

// Window helpers shared by the tests that drive the screens.

#include "mansions/Reading.h"
#include "ui/frmChineseLunarMansionResult.h"
#include "ui/frmMain.h"

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

// The result screen's slots filled for one reading, without showing the
// screen or touching the main input screen.
class ScreenView final : public ReadingView {
public:
    explicit ScreenView(frmChineseLunarMansionResult &screen) : screen(screen) {}
    void setResult(int index, const QString &text) override { screen.setResult(index, text); }
    void setTraits(int index, const QString &text) override { screen.setTraits(index, text); }
    void setPicture(int entryNumber) override { screen.setPicture(entryNumber); }
    void showScreen() override {}
    void closeMainScreen() override {}

private:
    frmChineseLunarMansionResult &screen;
};
