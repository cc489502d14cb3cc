// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/ReadingHandOver.h"

#include "ui/Screen.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QStringDecoder>
#include <QTimer>
#include <QtEndian>

#include <utility>

namespace {

// The message: the path's length in bytes (4 bytes, big-endian), then the
// path. A copy sends it at once; a client that takes longer than this, or
// announces more than the limit, is dropped.
constexpr qint64 lengthBytes = 4;
constexpr int clientTimeoutMs = 2000;
// How often a reading handed over while a modal window is open looks
// whether the window has closed: a screen must not close under it.
constexpr int modalRetryMs = 250;

class HandOverServer final : public QLocalServer {
public:
    explicit HandOverServer(QObject *parent) : QLocalServer(parent)
    {
        setSocketOptions(QLocalServer::UserAccessOption);
        connect(this, &QLocalServer::newConnection, this, &HandOverServer::acceptClients);
        m_retry.setInterval(modalRetryMs);
        connect(&m_retry, &QTimer::timeout, this, &HandOverServer::showPending);
    }

private:
    void acceptClients()
    {
        while (QLocalSocket *client = nextPendingConnection()) {
            client->setReadBufferSize(handOverLimit);
            connect(client, &QLocalSocket::readyRead, this, [this, client] { readFrom(client); });
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
            QTimer::singleShot(clientTimeoutMs, client, [client] { drop(client); });
        }
    }

    static void drop(QLocalSocket *client)
    {
        client->abort();
        client->deleteLater();
    }

    // Reads without waiting: whatever has arrived, until the message is whole.
    void readFrom(QLocalSocket *client)
    {
        if (client->bytesAvailable() < lengthBytes)
            return;
        char header[lengthBytes];
        client->peek(header, lengthBytes);
        const qint64 length = qFromBigEndian<quint32>(header);
        if (length > handOverLimit - lengthBytes) {
            drop(client);
            return;
        }
        if (client->bytesAvailable() < lengthBytes + length)
            return;
        client->skip(lengthBytes);
        const QByteArray bytes = client->read(length);
        drop(client); // one path a copy

        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString path = utf8(bytes);
        if (utf8.hasError() || path.contains(QChar(0)) || !QFileInfo(path).isAbsolute())
            return;
        m_pending = path;
        // Shown from the event loop, not from within this socket's signal.
        QMetaObject::invokeMethod(this, &HandOverServer::showPending, Qt::QueuedConnection);
    }

    // The latest reading handed over replaces the screen on display, once no
    // modal window is open.
    void showPending()
    {
        if (m_pending.isEmpty())
            return;
        if (Screen::modalWindowOpen()) {
            m_retry.start();
            return;
        }
        m_retry.stop();
        const QString path = std::exchange(m_pending, QString());
        Screen *screen = shownScreen();
        if (!screen)
            return;
        bringToFront(screen);
        screen->showReadingFile(path);
        if (Screen *shown = shownScreen(); shown && shown != screen)
            bringToFront(shown);
    }

    static void bringToFront(QWidget *window)
    {
        if (window->isMinimized())
            window->showNormal();
        window->raise();
        window->activateWindow();
    }

    QString m_pending;
    QTimer m_retry;
};

QPointer<HandOverServer> &server()
{
    static QPointer<HandOverServer> listening;
    return listening;
}

} // namespace

QString handOverSocketPath(const QString &lockPath)
{
    const QFileInfo lock(lockPath);
    return lock.dir().filePath(lock.completeBaseName() + QStringLiteral(".socket"));
}

bool listenForHandOver(const QString &socketPath)
{
    stopHandOver();
    auto *listening = new HandOverServer(qApp);
    // Left by a copy that died; the lock we hold says no copy uses it.
    QLocalServer::removeServer(socketPath);
    if (!listening->listen(socketPath)) {
        delete listening;
        return false;
    }
    server() = listening;
    return true;
}

void stopHandOver()
{
    delete server().data();
}

bool handOverReadingFile(const QString &socketPath, const QString &path)
{
    const QByteArray bytes = path.toUtf8();
    if (bytes.size() > handOverLimit - lengthBytes)
        return false;
    char header[lengthBytes];
    qToBigEndian<quint32>(quint32(bytes.size()), header);

    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(clientTimeoutMs))
        return false;
    socket.write(header, lengthBytes);
    socket.write(bytes);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(clientTimeoutMs))
            return false;
    }
    // What has been written reaches the running copy after the close too.
    socket.disconnectFromServer();
    return true;
}
