// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RecordingDesktop.h"
#include "TestFiles.h"
#include "TestWindows.h"
#include "Widgets.h"

#include "app/ReadingHandOver.h"
#include "app/modSettings.h"
#include "app/modStartup.h"
#include "mansions/ReadingFile.h"
#include "sys/NativeFileName.h"
#include "ui/frmChineseLunarMansionResult.h"
#include "ui/frmMain.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLocalSocket>
#include <QLockFile>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QScopeGuard>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QtEndian>

#include <csignal>
#include <cstdio>
#include <future>
#include <linux/capability.h>
#include <memory>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/types.h>
#include <unistd.h>
#include <utime.h>
#include <vector>

namespace {

// This test program doubles as a second copy of the program: started with
// --hold-lock PATH [--at EPOCH_MS] it runs the single-instance check on PATH
// (at that moment, so several copies can start at the same instant), prints
// "running" or "refused", and a running copy holds the lock until its input
// is closed.
int holdLockHelper(int argc, char *argv[])
{
    // Run by root, the copy still meets the files' permissions, as a user's copy does.
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct capabilities[2]{};
    if (::syscall(SYS_capget, &header, capabilities) == 0) {
        capabilities[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        ::syscall(SYS_capset, &header, capabilities);
    }
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const QString lockPath = arguments.value(2);
    if (const int at = arguments.indexOf(QStringLiteral("--at")); at > 0) {
        const qint64 startAt = arguments.value(at + 1).toLongLong();
        while (QDateTime::currentMSecsSinceEpoch() < startAt)
            QThread::usleep(200);
    }
    const bool refused = IsAnotherCopyRunning(lockPath);
    std::fputs(refused ? "refused\n" : "running\n", stdout);
    std::fflush(stdout);
    if (refused)
        return 3;
    char buffer[64];
    while (std::fread(buffer, 1, sizeof buffer, stdin) > 0) {
    }
    return 0;
}

// Started with --flood SOCKET, it connects to the socket 64 times and keeps
// every connection open until it is killed.
int floodHelper(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QLocalSocket clients[64];
    for (QLocalSocket &client : clients)
        client.connectToServer(QCoreApplication::arguments().value(2));
    return application.exec();
}

// A second copy of the program, run as a child process.
class Copy {
public:
    explicit Copy(const QString &lockPath, qint64 startAt = 0)
    {
        QStringList arguments{QStringLiteral("--hold-lock"), lockPath};
        if (startAt > 0)
            arguments << QStringLiteral("--at") << QString::number(startAt);
        process.start(QCoreApplication::applicationFilePath(), arguments);
    }
    ~Copy()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }

    // "running", "refused", or empty when the copy said nothing in time.
    QString answer()
    {
        while (!process.canReadLine()) {
            if (!process.waitForReadyRead(10000))
                return {};
        }
        return QString::fromLatin1(process.readLine()).trimmed();
    }

    bool isRunning() const { return process.state() == QProcess::Running; }
    qint64 pid() const { return process.processId(); }

    // The user ends the copy normally.
    bool quit()
    {
        process.closeWriteChannel();
        return process.waitForFinished(10000) && process.exitCode() == 0;
    }

    // The copy is killed outright (kill -9): it gets no chance to clean up.
    bool killHard()
    {
        ::kill(pid_t(process.processId()), SIGKILL);
        return process.waitForFinished(10000);  // reaped, so its pid is gone
    }

private:
    QProcess process;
};

bool setAge(const QString &path, qint64 seconds)
{
    const time_t when = time_t(QDateTime::currentSecsSinceEpoch() - seconds);
    const utimbuf times{when, when};
    return ::utime(QFile::encodeName(path).constData(), &times) == 0;
}

mode_t permissionsOf(const QString &path)
{
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 07777 : 0;
}

// The nakshatra the one result screen shows; empty when there is no such screen.
QString shownNakshatra()
{
    frmChineseLunarMansionResult *screen = onlyResultScreen();
    return screen && openWindows<frmMain>().isEmpty() ? widget<QLabel>(screen, "lblResult", 6)->text() : QString();
}

// Hands a reading over from another thread, as the running copy that takes
// it is this test's own event loop.
bool handedOver(const QString &socketPath, const QString &path)
{
    std::future<bool> handing = std::async(std::launch::async, handOverReadingFile, socketPath, path);
    while (handing.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
        QTest::qWait(10);
    return handing.get();
}

qint64 lockOwner(const QString &path)
{
    QLockFile lock(path);
    qint64 pid = 0;
    QString host;
    QString application;
    return lock.getLockInfo(&pid, &host, &application) ? pid : 0;
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QVERIFY(folder.isValid());
        lockPath = folder.filePath(QStringLiteral("Quorvel.lock"));
        QFile::remove(lockPath);
        recorder = std::make_unique<RecordingDesktop>();
        QVERIFY(writeReadingFile(reading(QStringLiteral("Ashwini")), QStringLiteral("Ashwini")));
        QVERIFY(writeReadingFile(reading(QStringLiteral("Revati")), QStringLiteral("Revati")));
        QVERIFY(writeBytes(reading(QStringLiteral("garbage")), "not a reading\r\n"));
        QVERIFY(writeReadingFile(latin1Reading(), QStringLiteral("Revati")));
    }

    void cleanup()
    {
        std::remove(nativeFileName(latin1Reading()).constData()); // Qt can't name it
        releaseInstanceLock();
        deleteTopLevelWindows();
        recorder.reset();
        consumeQuitRequest();
    }

    void lockLivesInTheRuntimeFolderNamedAfterTheExecutable()
    {
        const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
        if (!runtime.isEmpty()) {
            QVERIFY(QDir().mkpath(runtime));
            QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QCOMPARE(instanceLockPath(), QDir(runtime).filePath(QStringLiteral("test_startup.lock")));
        }
        QCOMPARE(QFileInfo(instanceLockPath()).fileName(), QStringLiteral("test_startup.lock"));

        // No runtime folder of the user's own: XDG_RUNTIME_DIR unset, and the
        // one Qt falls back on in the temporary folder made by another user.
        QTemporaryDir shared;
        const QString user = QString::fromLocal8Bit(getpwuid(geteuid())->pw_name);
        const QString planted = shared.filePath(QStringLiteral("runtime-") + user);
        QVERIFY(QDir().mkdir(planted));
        if (::chown(QFile::encodeName(planted).constData(), 65534, 65534) != 0)
            QSKIP("only root can give a folder to another user");
        const QByteArray saved[] = {qgetenv("XDG_RUNTIME_DIR"), qgetenv("TMPDIR"), qgetenv("XDG_CACHE_HOME")};
        const auto restore = qScopeGuard([&] {
            qputenv("XDG_RUNTIME_DIR", saved[0]);
            qputenv("TMPDIR", saved[1]);
            qputenv("XDG_CACHE_HOME", saved[2]);
        });
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", QFile::encodeName(shared.path()));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(folder.filePath(QStringLiteral("cache"))));
        // The lock goes into a private folder in the user's cache folder, never the shared one.
        const QString own = folder.filePath(QStringLiteral("cache/test_startup"));
        QCOMPARE(instanceLockPath(), own + QStringLiteral("/test_startup.lock"));
        QCOMPARE(permissionsOf(own), mode_t(0700));
        QVERIFY(!IsAnotherCopyRunning());
        QCOMPARE(lockOwner(instanceLockPath()), QCoreApplication::applicationPid());
        releaseInstanceLock();
        // A private folder others can write to is private no more: no lock then, and no refusal.
        QCOMPARE(::chmod(QFile::encodeName(own).constData(), 0770), 0);
        QCOMPARE(instanceLockPath(), QString());
        QVERIFY(!IsAnotherCopyRunning());
    }

    void firstCopyStartsAndHoldsTheLock()
    {
        WriteSetting(QStringLiteral("Duration"), QString());
        QVERIFY(StartProgram(lockPath));
        processDeletes();
        const QList<QWidget *> windows = visibleWindows();
        QCOMPARE(windows.size(), 1);
        QVERIFY(qobject_cast<frmMain *>(windows.constFirst()));
        QVERIFY(recorder->messages.isEmpty());
        // The update reminder ran: a first start arms it.
        QVERIFY(!ReadSetting(QStringLiteral("Duration")).isEmpty());

        QCOMPARE(lockOwner(lockPath), QCoreApplication::applicationPid());
        QVERIFY(!IsAnotherCopyRunning(lockPath));  // asking again doesn't refuse ourselves
        Copy second(lockPath);
        QCOMPARE(second.answer(), QStringLiteral("refused"));
    }

    // Started with a reading, a second copy whose first copy takes none (an
    // older copy: no socket) says the same as one started without.
    void secondCopyIsRefusedWithoutAWindow_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("no file") << QString();
        QTest::newRow("file, nobody to take it") << "Ashwini";
    }

    void secondCopyIsRefusedWithoutAWindow()
    {
        QFETCH(QString, file);
        Copy first(lockPath);
        QCOMPARE(first.answer(), QStringLiteral("running"));
        WriteSetting(QStringLiteral("Duration"), QStringLiteral("untouched"));

        QVERIFY(!StartProgram(lockPath, file.isEmpty() ? QString() : reading(file)));
        processDeletes();
        QCOMPARE(recorder->messages.size(), 1);
        QCOMPARE(recorder->messages.constFirst().text, QStringLiteral("Application is already running"));
        QCOMPARE(recorder->messages.constFirst().icon, MessageIcon::Information);
        QVERIFY(!recorder->messages.constFirst().yesNo);
        QVERIFY(visibleWindows().isEmpty());
        QCOMPARE(ReadSetting(QStringLiteral("Duration")), QStringLiteral("untouched"));

        // The first copy is left alone.
        QVERIFY(first.isRunning());
        QCOMPARE(lockOwner(lockPath), first.pid());
        QVERIFY(first.quit());
        QVERIFY(!QFile::exists(lockPath));
    }

    void refusalThroughARealMessageBox()
    {
        Copy first(lockPath);
        QCOMPARE(first.answer(), QStringLiteral("running"));
        recorder.reset();  // the Qt desktop: a real modal message box

        QString text, title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        int buttons = 0;
        QTimer closer;
        closer.setInterval(20);
        connect(&closer, &QTimer::timeout, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            text = box->text();
            title = box->windowTitle();
            icon = box->icon();
            buttons = int(box->buttons().size());
            if (QAbstractButton *ok = box->button(QMessageBox::Ok))
                ok->click();
            closer.stop();
        });
        closer.start();
        QVERIFY(!StartProgram(lockPath));
        processDeletes();

        QCOMPARE(text, QStringLiteral("Application is already running"));
        QCOMPARE(title, QStringLiteral("Quorvel"));
        QCOMPARE(icon, QMessageBox::Information);
        QCOMPARE(buttons, 1);
        QVERIFY(visibleWindows().isEmpty());
    }

    // A lock is stale only when its owner is gone: a copy that has run for
    // hours is as much a running copy as one started a second ago.
    void longRunningCopyIsStillDetected()
    {
        Copy first(lockPath);
        QCOMPARE(first.answer(), QStringLiteral("running"));
        QVERIFY(setAge(lockPath, 2 * 60 * 60));
        QVERIFY(IsAnotherCopyRunning(lockPath));
        Copy second(lockPath);
        QCOMPARE(second.answer(), QStringLiteral("refused"));
        QCOMPARE(lockOwner(lockPath), first.pid());
    }

    void killedCopyNeverBlocks_data()
    {
        QTest::addColumn<qint64>("ageSeconds");
        QTest::newRow("just killed") << qint64(0);
        QTest::newRow("killed an hour ago") << qint64(60 * 60);
    }

    void killedCopyNeverBlocks()
    {
        QFETCH(qint64, ageSeconds);
        Copy killed(lockPath);
        QCOMPARE(killed.answer(), QStringLiteral("running"));
        QVERIFY(killed.killHard());
        QVERIFY(QFile::exists(lockPath));  // left behind
        if (ageSeconds > 0)
            QVERIFY(setAge(lockPath, ageSeconds));

        Copy next(lockPath);
        QCOMPARE(next.answer(), QStringLiteral("running"));
        QCOMPARE(lockOwner(lockPath), next.pid());
        QVERIFY(next.quit());
    }

    // Its socket too: the next copy listens in its place.
    void killedCopyNeverBlocksTheProgram()
    {
        Copy killed(lockPath);
        QCOMPARE(killed.answer(), QStringLiteral("running"));
        QVERIFY(killed.killHard());
        QVERIFY(writeBytes(handOverSocketPath(lockPath), "left behind"));
        QVERIFY(StartProgram(lockPath));
        QVERIFY(recorder->messages.isEmpty());
        QCOMPARE(visibleWindows().size(), 1);
        QVERIFY(handedOver(handOverSocketPath(lockPath), reading(QStringLiteral("Ashwini"))));
        QTRY_COMPARE(shownNakshatra(), QStringLiteral("Ashwini"));
    }

    // "Quorvel FILE" opens the file as Open does; only the first argument
    // that is no option names it.
    void commandLineOpensTheReading_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("shown");  // empty: the main input screen and "Please Check The File."
        QTest::newRow("reading") << QStringList{reading(QStringLiteral("Ashwini"))} << "Ashwini";
        QTest::newRow("relative name, more files, options")
            << QStringList{QStringLiteral("-x"), QStringLiteral("Revati.qvr"), reading(QStringLiteral("Ashwini"))}
            << "Revati";
        QTest::newRow("no reading in it") << QStringList{reading(QStringLiteral("garbage"))} << QString();
        QTest::newRow("missing") << QStringList{reading(QStringLiteral("missing"))} << QString();
        QTest::newRow("other extension") << QStringList{folder.filePath(QStringLiteral("Ashwini.txt"))} << QString();
        QTest::newRow("name that is not UTF-8") << QStringList{latin1Reading()} << "Revati";
    }

    void commandLineOpensTheReading()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, shown);
        QFile::copy(reading(QStringLiteral("Ashwini")), folder.filePath(QStringLiteral("Ashwini.txt")));
        const QString current = QDir::currentPath();
        const auto restore = qScopeGuard([&] { QDir::setCurrent(current); });
        QVERIFY(QDir::setCurrent(folder.path()));

        const QString file = readingFileArgument(arguments);
        QVERIFY(QFileInfo(file).isAbsolute());
        QVERIFY(StartProgram(lockPath, file));
        processDeletes();
        QCOMPARE(shownNakshatra(), shown);
        if (shown.isEmpty()) {
            QVERIFY(onlyMainScreen());
            QCOMPARE(recorder->messageTexts(), QStringList{QStringLiteral("Please Check The File.")});
            QCOMPARE(recorder->messages.constFirst().icon, MessageIcon::Warning);
        } else {
            QVERIFY(recorder->messages.isEmpty());
        }
    }

    // A second Quorvel started with a reading hands it to the running copy
    // (here this test) and ends without a word: the reading replaces the
    // main input screen, then the result screen on display; one that holds
    // no reading gets the message there. Other arguments are ignored aloud.
    void secondCopyHandsItsReadingOver()
    {
        const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
        QVERIFY(!runtime.isEmpty());
        const QString programLock = QDir(runtime).filePath(QStringLiteral("Quorvel.lock"));
        QCOMPARE(::chmod(QFile::encodeName(runtime).constData(), 0700), 0);
        QVERIFY(StartProgram(programLock));
        QVERIFY(onlyMainScreen());

        // What the second copy printed, or how it failed to end quietly.
        const auto handOver = [](const QStringList &arguments) -> QByteArray {
            QProcess second;
            second.start(QStringLiteral(QUORVEL_PROGRAM), arguments);
            // This test's event loop runs meanwhile: the running copy answers.
            for (int waited = 0; second.state() != QProcess::NotRunning && waited < 10000; waited += 20)
                QTest::qWait(20);
            if (second.state() != QProcess::NotRunning) {
                second.kill();
                second.waitForFinished();
                return "<still running>";
            }
            if (second.exitStatus() != QProcess::NormalExit || second.exitCode() != 0)
                return "<exit " + QByteArray::number(second.exitCode()) + ">";
            return second.readAllStandardOutput() + second.readAllStandardError();
        };
        QCOMPARE(handOver({reading(QStringLiteral("Ashwini")), QStringLiteral("--x\x1b]0;PWNED\a")}),
                 QByteArray("Quorvel: ignoring '--x\\x1b]0;PWNED\\x07'\n"));
        QTRY_COMPARE(shownNakshatra(), QStringLiteral("Ashwini"));
        QVERIFY(recorder->messages.isEmpty());

        QCOMPARE(handOver({reading(QStringLiteral("Revati"))}), QByteArray());
        QTRY_COMPARE(shownNakshatra(), QStringLiteral("Revati"));

        QCOMPARE(handOver({reading(QStringLiteral("garbage"))}), QByteArray());
        QTRY_COMPARE(recorder->messageTexts(), QStringList{QStringLiteral("Please Check The File.")});
        QCOMPARE(shownNakshatra(), QStringLiteral("Revati"));

        // A copy started at the same moment holds the lock but listens only a
        // moment later: the second copy waits for it.
        stopHandOver();
        QTimer::singleShot(500, this, [&] { listenForHandOver(handOverSocketPath(programLock)); });
        QCOMPARE(handOver({reading(QStringLiteral("Ashwini"))}), QByteArray());
        QTRY_COMPARE(shownNakshatra(), QStringLiteral("Ashwini"));
    }

    // A flood of clients (here more than the running copy has descriptors
    // left for) never ends the hand-over, nor does its socket's removal.
    void handOverOutlivesAFloodOfClients()
    {
        QVERIFY(StartProgram(lockPath));
        const QString socketPath = handOverSocketPath(lockPath);
        QProcess flood;
        flood.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--flood"), socketPath});
        QVERIFY(flood.waitForStarted());
        rlimit saved{};
        QCOMPARE(::getrlimit(RLIMIT_NOFILE, &saved), 0);
        const rlimit low{rlim_t(QDir(QStringLiteral("/proc/self/fd")).count()) + 24, saved.rlim_max};
        QCOMPARE(::setrlimit(RLIMIT_NOFILE, &low), 0);
        QTest::qWait(1000);
        QCOMPARE(::setrlimit(RLIMIT_NOFILE, &saved), 0);
        flood.kill();
        flood.waitForFinished();
        QTRY_VERIFY_WITH_TIMEOUT(handedOver(socketPath, reading(QStringLiteral("Ashwini"))), 5000);
        QTRY_COMPARE(shownNakshatra(), QStringLiteral("Ashwini"));

        QVERIFY(QFile::remove(socketPath));
        QTRY_VERIFY_WITH_TIMEOUT(handedOver(socketPath, reading(QStringLiteral("Revati"))), 5000);
        QTRY_COMPARE(shownNakshatra(), QStringLiteral("Revati"));
    }

    // The socket goes beside the lock where its path fits the system's 107
    // bytes, else into the fallback folder; a copy then still takes readings.
    void socketGoesWhereItFits()
    {
        const QString longFolder = folder.filePath(QString(110, u'x'));
        const QString longLock = longFolder + QStringLiteral("/test_startup.lock");
        QCOMPARE(handOverSocketPath(lockPath, longFolder), folder.filePath(QStringLiteral("Quorvel.socket")));
        QCOMPARE(handOverSocketPath(longLock, folder.path()), folder.filePath(QStringLiteral("test_startup.socket")));
        QCOMPARE(handOverSocketPath(longLock, longFolder), QString());

        QVERIFY(QDir().mkdir(longFolder));
        QVERIFY(StartProgram(longLock));
        QVERIFY(handedOver(handOverSocketPath(longLock, privateCacheFolder()), reading(QStringLiteral("Revati"))));
        QTRY_COMPARE(shownNakshatra(), QStringLiteral("Revati"));
    }

    // The running copy never blocks on a client: one that announces too much
    // or says nothing is dropped, and the next is heard. A reading handed
    // over while a modal window is open waits for it to close.
    void handOverDropsBadClientsAndWaitsForModalWindows()
    {
        QVERIFY(StartProgram(lockPath));
        const QString socketPath = handOverSocketPath(lockPath);
        QCOMPARE(QFileInfo(socketPath).permissions() & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());

        QLocalSocket tooLong, silent;
        for (QLocalSocket *client : {&tooLong, &silent}) {
            client->connectToServer(socketPath);
            QVERIFY(client->waitForConnected(2000));
        }
        char header[4];
        qToBigEndian<quint32>(quint32(handOverLimit), header);
        tooLong.write(header, 4);
        tooLong.write(QByteArray(100, 'x'));
        QTRY_COMPARE(tooLong.state(), QLocalSocket::UnconnectedState);
        QTRY_COMPARE_WITH_TIMEOUT(silent.state(), QLocalSocket::UnconnectedState, 5000);

        QDialog modal;
        modal.setWindowModality(Qt::ApplicationModal);
        modal.show();
        QVERIFY(handedOver(socketPath, reading(QStringLiteral("Ashwini"))));
        QTest::qWait(600);
        QVERIFY(onlyMainScreen());
        modal.close();
        QTRY_COMPARE(shownNakshatra(), QStringLiteral("Ashwini"));
        QVERIFY(recorder->messages.isEmpty());
    }

    void simultaneousStartsLeaveExactlyOne()
    {
        constexpr int rounds = 5;
        constexpr int copiesPerRound = 4;
        for (int round = 0; round < rounds; ++round) {
            const qint64 startAt = QDateTime::currentMSecsSinceEpoch() + 400;
            std::vector<std::unique_ptr<Copy>> copies;
            for (int i = 0; i < copiesPerRound; ++i)
                copies.push_back(std::make_unique<Copy>(lockPath, startAt));
            int running = 0;
            int refused = 0;
            Copy *holder = nullptr;
            for (auto &copy : copies) {
                const QString answer = copy->answer();
                if (answer == QLatin1String("running")) {
                    ++running;
                    holder = copy.get();
                } else if (answer == QLatin1String("refused")) {
                    ++refused;
                }
            }
            QCOMPARE(running, 1);
            QCOMPARE(refused, copiesPerRound - 1);
            QCOMPARE(lockOwner(lockPath), holder->pid());
            QVERIFY(holder->quit());
            QVERIFY(!QFile::exists(lockPath));
        }
    }

    // A lock file whose owner can't be read is being written by a copy that
    // is starting right now, unless it has stayed that way: then the copy
    // that wrote it died half way and its file must not block the program.
    void unreadableLockFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<qint64>("ageSeconds");
        QTest::addColumn<bool>("anotherCopy");
        QTest::newRow("empty, being written") << QByteArray() << qint64(0) << true;
        QTest::newRow("empty, left by a dead copy") << QByteArray() << qint64(60) << false;
        QTest::newRow("garbage, left long ago") << QByteArray("\x01\x02 not a lock\n") << qint64(86400) << false;
        QTest::newRow("dead pid") << "999999999\nQuorvel\n" + QSysInfo::machineHostName().toUtf8() + "\n" << qint64(0)
                                   << false;
    }

    void unreadableLockFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(qint64, ageSeconds);
        QFETCH(bool, anotherCopy);
        QFile file(lockPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        QVERIFY(setAge(lockPath, ageSeconds));
        QCOMPARE(IsAnotherCopyRunning(lockPath), anotherCopy);
        if (!anotherCopy)
            QCOMPARE(lockOwner(lockPath), QCoreApplication::applicationPid());
    }

    // What another user, or a mishap, may leave in the lock's place never
    // blocks or hangs the start; a FIFO or symlink is replaced by the lock.
    void plantedLockNeverBlocks_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("locked");
        QTest::newRow("FIFO") << "FIFO" << true;
        QTest::newRow("symlink to /dev/zero") << "/dev/zero" << true;
        QTest::newRow("folder") << "folder" << false;
        QTest::newRow("another user's lock") << "another user's" << true;
        QTest::newRow("read-only lock of a dead copy") << "read-only" << true;
    }

    void plantedLockNeverBlocks()
    {
        QFETCH(QString, kind);
        QFETCH(bool, locked);
        if (kind == QLatin1String("FIFO"))
            QCOMPARE(::mkfifo(QFile::encodeName(lockPath).constData(), 0600), 0);
        else if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkdir(lockPath));
        else if (kind.startsWith(u'/'))
            QVERIFY(QFile::link(kind, lockPath));
        else // a lock whose copy is gone, that QLockFile can't open for writing
            QVERIFY(writeBytes(lockPath, "999999999\nQuorvel\n" + QSysInfo::machineHostName().toUtf8() + "\n"));
        if (kind == QLatin1String("read-only"))
            QCOMPARE(::chmod(QFile::encodeName(lockPath).constData(), 0444), 0);
        if (kind == QLatin1String("another user's") &&
            ::chown(QFile::encodeName(lockPath).constData(), 65534, 65534) != 0)
            QSKIP("only root can give a file to another user");

        // A copy that hangs says nothing in time.
        Copy copy(lockPath);
        QCOMPARE(copy.answer(), QStringLiteral("running"));
        QCOMPARE(lockOwner(lockPath), locked ? copy.pid() : 0);
        QVERIFY(copy.quit());
        QDir(lockPath).removeRecursively();
    }

    void unusableLockFolderDoesNotStopTheProgram()
    {
        const QString nowhere = folder.filePath(QStringLiteral("missing/folder/Quorvel.lock"));
        QVERIFY(!IsAnotherCopyRunning(nowhere));
        QVERIFY(StartProgram(nowhere));
        QCOMPARE(visibleWindows().size(), 1);
    }

private:
    QString reading(const QString &name) const { return folder.filePath(name + QStringLiteral(".qvr")); }
    QString latin1Reading() const { return fileNameFromNative(QFile::encodeName(folder.path()) + "/caf\xe9.qvr"); }

    QTemporaryDir folder;
    QString lockPath;
    std::unique_ptr<RecordingDesktop> recorder;
};

int main(int argc, char *argv[])
{
    if (argc >= 3 && qstrcmp(argv[1], "--hold-lock") == 0)
        return holdLockHelper(argc, argv);
    if (argc >= 3 && qstrcmp(argv[1], "--flood") == 0)
        return floodHelper(argc, argv);
    QApplication application(argc, argv);
    TestStartup test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_startup.moc"
