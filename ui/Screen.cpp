// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/Screen.h"

#include "mansions/ReadingFile.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include <functional>

namespace {

bool ending = false;

// Hands the drags and drops a widget gets to `take`, which answers them or
// leaves them to the widget by returning false.
class DragFilter final : public QObject {
public:
    DragFilter(QObject *parent, std::function<bool(QDropEvent *)> take) : QObject(parent), m_take(std::move(take)) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            return m_take(static_cast<QDropEvent *>(event));
        default:
            return QObject::eventFilter(watched, event);
        }
    }

private:
    std::function<bool(QDropEvent *)> m_take;
};

} // namespace

QAction *addMenuRow(QMenu *menu, const char *name, const char *caption, const QKeySequence &shortcut)
{
    if (!caption) {
        menu->addSeparator()->setObjectName(QString::fromLatin1(name));
        return nullptr;
    }
    QAction *action = menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    return action;
}

Screen::Screen(QWidget *parent) : QMainWindow(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    // The menu bar stays in the window on every desktop, as the screens are
    // designed; set before the first menu bar exists.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    setAcceptDrops(true);

    // Ctrl+Q closes the screen as its close control does, which ends the
    // program; not while a modal window is open over it.
    auto *quit = new QAction(this);
    quit->setObjectName(QStringLiteral("quitShortcut"));
    quit->setShortcut(QKeySequence::Quit);
    addAction(quit);
    connect(quit, &QAction::triggered, this, [this] {
        if (!modalWindowOpen())
            close();
    });
}

void Screen::closeByProgram()
{
    m_closingByProgram = true;
    // Input the window system had already queued for this screen (the second
    // click of a double click on Back, Open or Calculate) must not run its
    // command again once the program has switched to the other screen.
    setEnabled(false);
    close();
}

bool Screen::modalWindowOpen()
{
    return QApplication::activeModalWidget() != nullptr;
}

void Screen::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // A box that takes dropped text would take a dragged file as its path.
    // (Installing the filter again changes nothing.)
    if (!m_dragFilter)
        m_dragFilter = new DragFilter(this, [this](QDropEvent *drop) { return takeReadingDrag(drop); });
    for (QWidget *child : findChildren<QWidget *>()) {
        if (child->acceptDrops())
            child->installEventFilter(m_dragFilter);
    }
}

void Screen::dragEnterEvent(QDragEnterEvent *event)
{
    if (!takeReadingDrag(event))
        event->ignore();
}

void Screen::dragMoveEvent(QDragMoveEvent *event)
{
    if (!takeReadingDrag(event))
        event->ignore();
}

void Screen::dropEvent(QDropEvent *event)
{
    if (!takeReadingDrag(event))
        event->ignore();
}

bool Screen::takeReadingDrag(QDropEvent *event)
{
    if (!event->mimeData()->hasUrls())
        return false;
    const QString path = droppedReadingFile(event->mimeData());
    // Only a copy: a move would have the file manager delete the user's file.
    if (path.isEmpty() || !(event->possibleActions() & Qt::CopyAction) || modalWindowOpen()) {
        event->ignore();
        return true;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    // Opened once the drop is over: the file manager waits for its end,
    // and the screen the drop went to is about to close.
    if (event->type() == QEvent::Drop)
        QMetaObject::invokeMethod(
            this,
            [this, path] {
                if (!modalWindowOpen())
                    showReadingFile(path);
            },
            Qt::QueuedConnection);
    return true;
}

QString droppedReadingFile(const QMimeData *data)
{
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.constFirst().isLocalFile())
        return {};
    const QString path = urls.constFirst().toLocalFile();
    return hasReadingExtension(path) ? path : QString();
}

Screen *shownScreen()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *screen = qobject_cast<Screen *>(window); screen && screen->isVisible())
            return screen;
    }
    return nullptr;
}

void Screen::closeEvent(QCloseEvent *event)
{
    QMainWindow::closeEvent(event);
    if (!m_closingByProgram && !ending)
        EndProgram();
}

void EndProgram()
{
    if (ending)
        return;
    ending = true;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *screen = qobject_cast<Screen *>(window))
            screen->closeByProgram();
        else if (window->isVisible())
            window->close();
    }
    ending = false;
    QCoreApplication::exit(0);
}
