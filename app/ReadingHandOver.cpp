// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/ReadingHandOver.h"

#include "sys/NativeFileName.h"
#include "ui/Screen.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>
#include <QtEndian>

#include <utility>

#include <sys/un.h>

namespace {

// The message: the path's length in bytes (4 bytes, big-endian), then the
// path. A copy sends it at once; a client that takes longer than this, or
// announces more than the limit, is dropped.
constexpr qint64 lengthBytes = 4;
constexpr int clientTimeoutMs = 2000;
// The running copy's answer once it has the whole message: a copy that gets
// none (the running copy had too many clients, say) has not been heard.
constexpr char received = '\x06';
// How often a reading handed over while a modal window is open looks
// whether the window has closed: a screen must not close under it.
constexpr int modalRetryMs = 250;
// Clients served at once; more are dropped at once, so that a flood of them
// can't use up the program's file descriptors. A copy needs only one.
constexpr int clientLimit = 16;
// How often the server looks whether its socket still works: QLocalServer
// closes for good when accept() fails (too many open files), and removes
// its socket, and a socket file may be removed from outside.
constexpr int socketCheckMs = 1000;

// The longest socket path the system takes, in bytes.
constexpr qsizetype socketPathLimit = sizeof(sockaddr_un::sun_path) - 1;

class HandOverServer final : public QLocalServer {
public:
    explicit HandOverServer(QObject *parent) : QLocalServer(parent)
    {
        setSocketOptions(QLocalServer::UserAccessOption);
        connect(this, &QLocalServer::newConnection, this, &HandOverServer::acceptClients);
        m_retry.setInterval(modalRetryMs);
        connect(&m_retry, &QTimer::timeout, this, &HandOverServer::showPending);
        m_socketCheck.setInterval(socketCheckMs);
        connect(&m_socketCheck, &QTimer::timeout, this, &HandOverServer::keepListening);
    }

    // Listens at `socketPath`. A socket there was left by a copy that died:
    // the lock the caller holds says no copy uses it.
    bool listenAt(const QString &socketPath)
    {
        m_socketPath = socketPath;
        QLocalServer::removeServer(socketPath);
        if (!listen(socketPath))
            return false;
        m_socketCheck.start();
        return true;
    }

private:
    void acceptClients()
    {
        while (QLocalSocket *client = nextPendingConnection()) {
            if (m_clients >= clientLimit) {
                drop(client);
                continue;
            }
            ++m_clients;
            connect(client, &QObject::destroyed, this, [this] { --m_clients; });
            client->setReadBufferSize(handOverLimit);
            connect(client, &QLocalSocket::readyRead, this, [this, client] { readFrom(client); });
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
            QTimer::singleShot(clientTimeoutMs, client, [client] { drop(client); });
        }
    }

    void keepListening()
    {
        if (isListening() && QFileInfo::exists(m_socketPath))
            return;
        close();
        QLocalServer::removeServer(m_socketPath);
        listen(m_socketPath); // tried again at the next check when it fails
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
        // One path a copy: nothing more is read, the answer is sent and the
        // connection closes.
        disconnect(client, &QLocalSocket::readyRead, this, nullptr);
        client->write(&received, 1);
        client->disconnectFromServer();

        const QString path = fileNameFromNative(bytes);
        if (bytes.contains('\0') || !path.startsWith(u'/'))
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

    QString m_socketPath;
    QString m_pending;
    QTimer m_retry;
    QTimer m_socketCheck;
    int m_clients = 0;
};

bool fitsSocket(const QString &path)
{
    return nativeFileName(path).size() <= socketPathLimit;
}

QPointer<HandOverServer> &server()
{
    static QPointer<HandOverServer> listening;
    return listening;
}

} // namespace

QString handOverSocketPath(const QString &lockPath, const QString &fallbackFolder)
{
    const QFileInfo lock(lockPath);
    const QString name = lock.completeBaseName() + QStringLiteral(".socket");
    const QString beside = lock.dir().filePath(name);
    if (fitsSocket(beside))
        return beside;
    const QString fallback = fallbackFolder.isEmpty() ? QString() : QDir(fallbackFolder).filePath(name);
    return !fallback.isEmpty() && fitsSocket(fallback) ? fallback : QString();
}

bool listenForHandOver(const QString &socketPath, QString *error)
{
    stopHandOver();
    auto *listening = new HandOverServer(qApp);
    if (!listening->listenAt(socketPath)) {
        if (error)
            *error = listening->errorString();
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
    const QByteArray bytes = nativeFileName(path);
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
    char answer = 0;
    return socket.waitForReadyRead(clientTimeoutMs) && socket.read(&answer, 1) == 1 && answer == received;
}
