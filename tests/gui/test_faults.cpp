// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Faults a desktop user can run into, end to end through the screens: a
// full disk or a file size limit while saving, things that are not saved
// readings offered to Open, a broken settings store at start-up, no browser
// and no atlas window plugin. Each proves that nothing saved is lost, the
// user sees only the program's own message, and the program goes on.
#include "RecordingDesktop.h"
#include "TestFiles.h"
#include "TestWindows.h"

#include "app/modSettings.h"
#include "app/modStartup.h"
#include "mansions/ReadingFile.h"
#include "mansions/modRTB.h"
#include "ui/AtlasWindowLoader.h"
#include "ui/LinkLabel.h"
#include "ui/ReadingFlow.h"
#include "ui/ReadingPrint.h"
#include "ui/frmAbout.h"
#include "ui/frmChineseLunarMansionResult.h"
#include "ui/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <chrono>
#include <csignal>
#include <cstring>
#include <functional>
#include <memory>
#include <thread>

#include <dlfcn.h>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString checkFile = QString::fromUtf8(Messages::checkFile);
const QString unableToSave = QString::fromUtf8(Messages::unableToSave);
const QByteArray ashwiniLine = QByteArray::fromHex("96c8bdccbec3be0d0a");

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
}

template <class T>
T *onlyScreen()
{
    processDeletes();
    const QList<QWidget *> windows = visibleWindows();
    return windows.size() == 1 ? qobject_cast<T *>(windows.constFirst()) : nullptr;
}

// How a child process ended.
struct ChildEnd {
    bool exited = false;
    int code = -1;    // exit status when it exited
    int signal = 0;   // the signal that ended it otherwise
    QString describe() const
    {
        return exited ? QStringLiteral("exit %1").arg(code) : QStringLiteral("killed by signal %1").arg(signal);
    }
};

// Runs `body` in a forked copy of this process and returns how it ended; a
// child still running after the deadline is killed. The child does no event
// processing, so the parent's windows and event loop are not disturbed.
ChildEnd runInChild(const std::function<int()> &body, int deadlineMs = 20000)
{
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(body());
    ChildEnd end;
    if (pid < 0)
        return end;
    QElapsedTimer timer;
    timer.start();
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (timer.elapsed() > deadlineMs) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    end.exited = WIFEXITED(status);
    end.code = end.exited ? WEXITSTATUS(status) : -1;
    end.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return end;
}

// A file size limit for this (child) process, with the kernel's signal for
// it left at its default, which ends the process: as a user's ulimit -f
// would have it.
bool limitFileSize(rlim_t bytes)
{
    std::signal(SIGXFSZ, SIG_DFL);
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0)
        return false;
    limit.rlim_cur = bytes;
    return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

// A figure of this process from /proc/self/`file`: a memory figure in KiB
// from "status" (VmRSS, VmHWM), the bytes read from "io" (rchar).
qint64 procField(const char *file, const char *field)
{
    QFile status(QStringLiteral("/proc/self/") + QLatin1String(file));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    const QByteArray prefix = QByteArray(field) + ':';
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// Starts a new peak for VmHWM where the kernel allows it.
bool resetPeakMemory()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
}

// Opens `path` through the main screen's Open command as the user would:
// the button, the dialog answered with the path.
void openThroughTheScreen(frmMain *screen, RecordingDesktop &recorder, const QString &path)
{
    recorder.fileNames.push_back(path);
    QTest::mouseClick(widget<QPushButton>(screen, "cmdOpen"), Qt::LeftButton);
}

// The program's desktop with the outside world taken away: messages are
// recorded, pages go to the platform's own service (which has no browser
// here), and searches to the plugin loader over a folder the test fills.
class NoOutsideWorldDesktop final : public Desktop {
public:
    explicit NoOutsideWorldDesktop(const QString &pluginFolder) : pluginFolder(pluginFolder) { setDesktop(this); }
    ~NoOutsideWorldDesktop() override { setDesktop(nullptr); }

    MessageAnswer showMessage(QWidget *, MessageIcon, const QString &text, bool) override
    {
        messages.append(text);
        return MessageAnswer::Ok;
    }
    std::optional<QString> chooseFile(QWidget *, const FileDialogRequest &) override { return std::nullopt; }
    bool openUrl(const QUrl &url) override
    {
        ++pagesAsked;
        const bool opened = QDesktopServices::openUrl(url);
        pagesOpened += opened ? 1 : 0;
        return opened;
    }
    void clearClipboard() override {}
    std::optional<ChosenPlace> choosePlace(const PlaceQuery &query) override
    {
        ++searchesAsked;
        const AtlasWindowRun ran = runAtlasWindow(query, {pluginFolder});
        searchesRun += ran ? 1 : 0;
        return ran ? *ran.value : std::nullopt;
    }

    const QString pluginFolder;
    QStringList messages;
    int pagesAsked = 0;
    int pagesOpened = 0;
    int searchesAsked = 0;
    int searchesRun = 0;
};

// Clicks every link label of `window` that opens a web page.
int clickPageLinks(QWidget *window)
{
    int clicked = 0;
    for (LinkLabel *link : window->findChildren<LinkLabel *>()) {
        if (link->objectName() == QLatin1String("lblTZHelp") || link->objectName() == QLatin1String("lblZoneOffset"))
            continue;  // open the picker and turn the zone's direction, no page
        QTest::mouseClick(link, Qt::LeftButton, Qt::NoModifier, link->rect().center());
        ++clicked;
    }
    return clicked;
}

// The full path of the shared library that holds `symbol`.
QString libraryHolding(const void *symbol)
{
    Dl_info info{};
    return ::dladdr(symbol, &info) && info.dli_fname ? QString::fromLocal8Bit(info.dli_fname) : QString();
}

} // namespace

class TestFaults : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    std::unique_ptr<RecordingDesktop> recorder;
    std::shared_ptr<Session> session;

    QString path(const QString &name) const { return folder.filePath(name); }

    frmMain *showMainScreen()
    {
        auto *screen = new frmMain(session);
        screen->show();
        return screen;
    }

private slots:
    void init()
    {
        QVERIFY(folder.isValid());
        QVERIFY(QDir(folder.path()).removeRecursively());
        QVERIFY(QDir().mkpath(folder.path()));
        recorder = std::make_unique<RecordingDesktop>();
        session = std::make_shared<Session>();
    }

    void cleanup()
    {
        releaseInstanceLock();
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *screen = qobject_cast<Screen *>(window))
                screen->closeByProgram();
            else if (!window->parentWidget())
                window->deleteLater();
        }
        processDeletes();
        recorder.reset();
        consumeQuitRequest();
    }

    // ---- saving ---------------------------------------------------------------------

    // A name typed with another extension is saved with ".qvr" added, so Open
    // takes it again. The save dialog must ask before replacing that file,
    // not only before replacing the name as typed.
    void saveDialogAsksAboutTheFileItWrites()
    {
        recorder.reset();  // Qt's own dialogs
        const QString kept = folder.filePath(QStringLiteral("b.txt.qvr"));
        QVERIFY(writeBytes(kept, "kept"));
        QString question;
        whenModal([&](QWidget *modal) {
            auto *dialog = qobject_cast<QFileDialog *>(modal);
            QVERIFY(dialog);
            dialog->setDirectory(folder.path());
            auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            name->setText(QStringLiteral("b.txt"));
            auto *poll = new QTimer(dialog);
            connect(poll, &QTimer::timeout, [&question, poll] {
                if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                    poll->stop();
                    question = box->text();
                    box->button(QMessageBox::No)->click();
                }
            });
            poll->start(10);
            QTest::keyClick(name, Qt::Key_Return);  // Save, then No to replacing
            dialog->reject();
        });
        const FileDialogRequest request{FileDialogRequest::Mode::Save, QStringLiteral("Quorvel"),
                                        QStringLiteral("Quorvel (*.qvr)"), QStringLiteral("qvr")};
        QCOMPARE(desktop().chooseFile(nullptr, request), std::nullopt);
        QVERIFY2(question.contains(QStringLiteral("b.txt.qvr")), qPrintable(question));
        QFile file(kept);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("kept"));
    }


    // The user's file size limit stops the write part way, whichever command
    // writes. The kernel's signal for it must not end the program (the
    // default would, leaving the temporary behind): the write fails, the user
    // is told, and an existing file is untouched.
    void saveBeyondTheFileSizeLimit_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("existing");
        QTest::addColumn<int>("limit");
        QTest::newRow("new file, nothing fits") << "save" << false << 0;
        QTest::newRow("over a reading, nothing fits") << "save" << true << 0;
        QTest::newRow("over a reading, half fits") << "save" << true << 8;
        QTest::newRow("over a reading, all but the line end fits") << "save" << true << 17;
        QTest::newRow("export as PDF, new file") << "export" << false << 1000;
        QTest::newRow("export as PDF, over a file") << "export" << true << 1000;
        QTest::newRow("print to a file, over a file") << "print" << true << 1000;
    }

    void saveBeyondTheFileSizeLimit()
    {
        QFETCH(QString, command);
        QFETCH(bool, existing);
        QFETCH(int, limit);
        const QString target = path(command == u"save" ? QStringLiteral("reading.qvr") : QStringLiteral("reading.pdf"));
        if (existing)
            QVERIFY(writeBytes(target, ashwiniLine));
        const QStringList before = entriesOf(folder.path());

        RecordingDesktop &desktop = *recorder;
        const ChildEnd end = runInChild([&] {
            if (!limitFileSize(rlim_t(limit)))
                return 90;
            session->setReading(*readingOfNakshatra(QStringLiteral("Uttara Bhadrapada")));  // 17 letters and CR LF
            desktop.fileNames.push_back(target);
            desktop.printerAnswers.push_back(target);
            if (command == u"save")
                saveReading(*session, nullptr);
            else if (command == u"export")
                exportReadingPdf(nullptr, readingPage(*session->reading()), *session);
            else
                printReading(nullptr, readingPage(*session->reading()));
            const QString told = QString::fromUtf8(command == u"print" ? Messages::unableToPrint : Messages::unableToSave);
            return desktop.messageTexts() == QStringList{told} ? 0 : 91;
        });
        QVERIFY2(end.exited && end.code == 0, qPrintable(end.describe()));
        if (existing)
            QCOMPARE(fileBytes(target), ashwiniLine);
        QCOMPARE(entriesOf(folder.path()), before);  // no temporary left behind
    }

    // The single-instance lock is written at start-up: beyond the limit the
    // program starts without it, and leaves nothing behind.
    void lockBeyondTheFileSizeLimit()
    {
        const QString lock = path(QStringLiteral("Quorvel.lock"));
        const ChildEnd end = runInChild([&] { return !limitFileSize(0) ? 90 : IsAnotherCopyRunning(lock) ? 91 : 0; });
        QVERIFY2(end.exited && end.code == 0, qPrintable(end.describe()));
        QCOMPARE(entriesOf(folder.path()), QStringList());
    }

    // A disk that is really full: a tiny file system of its own, mounted in a
    // private mount namespace of a child process.
    void saveOntoAFullDisk()
    {
        const QString disk = path(QStringLiteral("disk"));
        QVERIFY(QDir().mkpath(disk));
        RecordingDesktop &desktop = *recorder;
        const ChildEnd end = runInChild([&]() -> int {
            const QByteArray mountPoint = QFile::encodeName(disk);
            if (::unshare(CLONE_NEWNS) != 0 && ::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
                return 77;
            if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
                || ::mount("quorvel-test", mountPoint.constData(), "tmpfs", 0, "size=16k") != 0)
                return 77;
            const QString target = QDir(disk).filePath(QStringLiteral("reading.qvr"));
            if (!writeBytes(target, ashwiniLine))
                return 80;
            // Fill every remaining block.
            {
                QFile filler(QDir(disk).filePath(QStringLiteral("filler")));
                if (!filler.open(QIODevice::WriteOnly))
                    return 81;
                const QByteArray block(4096, 'x');
                for (int i = 0; i < 64 && filler.write(block) == block.size() && filler.flush(); ++i) {
                }
            }
            const QStringList before = entriesOf(disk);
            session->setReading(*readingOfNakshatra(QStringLiteral("Uttara Bhadrapada")));
            desktop.fileNames.push_back(target);
            saveReading(*session, nullptr);
            if (desktop.messageTexts() != QStringList{unableToSave})
                return 82;
            if (fileBytes(target) != ashwiniLine)
                return 83;
            if (entriesOf(disk) != before)
                return 84;
            return 0;
        });
        if (end.exited && end.code == 77)
            QSKIP("no private mount namespace for a small file system here");
        QVERIFY2(end.exited && end.code == 0, qPrintable(end.describe()));
    }

    // The update reminder writes at start-up; a write the file size limit
    // refuses stops the reminder quietly instead of ending the program.
    void reminderBeyondTheFileSizeLimit_data()
    {
        QTest::addColumn<bool>("firstStart");
        QTest::newRow("first start") << true;
        QTest::newRow("question due") << false;
    }

    void reminderBeyondTheFileSizeLimit()
    {
        QFETCH(bool, firstStart);
        const QString settings = settingsFilePath();
        QFile::remove(settings);
        if (!firstStart)
            WriteSetting(QStringLiteral("Duration"), QStringLiteral("2000-01-01T00:00:00"));
        const QByteArray before = fileBytes(settings);

        RecordingDesktop &desktop = *recorder;
        desktop.answers.push_back(MessageAnswer::Yes);
        const ChildEnd end = runInChild([&] {
            if (!limitFileSize(0))
                return 90;
            UpdateReminder(QDateTime(QDate(2024, 3, 1), QTime(12, 0)));
            // The question may come; the page must not, as the date wasn't stored.
            if (desktop.messages.size() != (firstStart ? 0 : 1))
                return 91;
            return desktop.openedUrls.isEmpty() ? 0 : 92;
        });
        QVERIFY2(end.exited && end.code == 0, qPrintable(end.describe()));
        QCOMPARE(fileBytes(settings), before);
        QCOMPARE(entriesOf(QFileInfo(settings).path()).filter(QStringLiteral(".ini")),
                 firstStart ? QStringList() : QStringList{QFileInfo(settings).fileName()});
    }

    // ---- opening ----------------------------------------------------------------------

    // Whatever a ".qvr" name stands for that is not a regular file is refused
    // at once: nothing is read from it and nothing waits for it.
    void openWhatIsNotAFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("link to a FIFO") << "link to fifo";
        QTest::newRow("socket") << "socket";
        QTest::newRow("folder") << "folder";
        QTest::newRow("link to a folder") << "link to folder";
        QTest::newRow("link to an endless device") << "link to device";
        QTest::newRow("dangling link") << "dangling link";
        QTest::newRow("link loop") << "link loop";
    }

    void openWhatIsNotAFile()
    {
        QFETCH(QString, kind);
        const QString target = path(QStringLiteral("x.qvr"));
        const QByteArray native = QFile::encodeName(target);
        int listening = -1;
        if (kind == QLatin1String("fifo")) {
            QCOMPARE(::mkfifo(native.constData(), 0600), 0);
        } else if (kind == QLatin1String("link to fifo")) {
            QCOMPARE(::mkfifo(QFile::encodeName(path(QStringLiteral("pipe"))).constData(), 0600), 0);
            QVERIFY(QFile::link(path(QStringLiteral("pipe")), target));
        } else if (kind == QLatin1String("socket")) {
            listening = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
            QVERIFY(listening >= 0);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            QVERIFY(size_t(native.size()) < sizeof address.sun_path);
            std::memcpy(address.sun_path, native.constData(), size_t(native.size()));
            QCOMPARE(::bind(listening, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
            QCOMPARE(::listen(listening, 1), 0);
        } else if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkpath(target));
        } else if (kind == QLatin1String("link to folder")) {
            QVERIFY(QFile::link(folder.path(), target));
        } else if (kind == QLatin1String("link to device")) {
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), target));
        } else if (kind == QLatin1String("dangling link")) {
            QVERIFY(QFile::link(path(QStringLiteral("gone.qvr")), target));
        } else if (kind == QLatin1String("link loop")) {
            QVERIFY(QFile::link(target, target));
        }

        FifoReleaser releaser(target, ashwiniLine);  // should Open ever wait on a FIFO

        session->setReading(*readingOfNakshatra(QStringLiteral("Revati")));
        frmMain *screen = showMainScreen();
        widget<QLineEdit>(screen, "txtName")->setText(QStringLiteral("Ann"));
        openThroughTheScreen(screen, *recorder, target);
        releaser.finished();
        if (listening >= 0)
            ::close(listening);

        QVERIFY(!releaser.released());
        QCOMPARE(recorder->messageTexts(), QStringList{checkFile});
        QCOMPARE(recorder->messages.constFirst().icon, MessageIcon::Warning);
        QCOMPARE(onlyScreen<frmMain>(), screen);
        QCOMPARE(widget<QLineEdit>(screen, "txtName")->text(), QStringLiteral("Ann"));
        QCOMPARE(session->reading()->nakshatraName, QStringLiteral("Revati"));
    }

    // A 2 GiB file (sparse, so it costs no disk) is refused after reading a
    // little of its start: in well under a second and without taking memory
    // for it.
    void openAHugeFile_data()
    {
        QTest::addColumn<QByteArray>("start");
        QTest::newRow("zeros, no line end") << QByteArray();
        QTest::newRow("a reading's name, then zeros") << ashwiniLine.left(7);
    }

    void openAHugeFile()
    {
        QFETCH(QByteArray, start);
        const QString huge = path(QStringLiteral("huge.qvr"));
        {
            QFile file(huge);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(start), start.size());
            if (!file.resize(qint64(2) << 30))
                QSKIP("the file system can't hold a sparse 2 GiB file");
        }
        frmMain *screen = showMainScreen();
        const bool peakReset = resetPeakMemory();
        const qint64 before = procField("status", peakReset ? "VmRSS" : "VmHWM");
        const qint64 readBefore = procField("io", "rchar");
        openThroughTheScreen(screen, *recorder, huge);
        const qint64 read = procField("io", "rchar") - readBefore;
        const qint64 grown = procField("status", "VmHWM") - before;

        // Counted in bytes, not time, so that a loaded machine can't fail it.
        QVERIFY2(read < 16 * 1024 * 1024, qPrintable(QStringLiteral("%1 bytes read").arg(read)));
        QVERIFY2(grown < 64 * 1024, qPrintable(QStringLiteral("%1 KiB more").arg(grown)));
        QCOMPARE(recorder->messageTexts(), QStringList{checkFile});
        QCOMPARE(onlyScreen<frmMain>(), screen);
    }

    // ---- input queued for a screen the program has closed -------------------------------

    // The second click of a double click that the window system had queued for a screen before the program switched away from
    // it must not run that screen's command again: one screen stays open.
    void inputQueuedForAClosedScreen_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("calculate, double click") << "calculate";
        QTest::newRow("open, double click") << "open";
        QTest::newRow("back, double click") << "back";
    }

    void inputQueuedForAClosedScreen()
    {
        QFETCH(QString, command);
        QVERIFY(writeBytes(path(QStringLiteral("a.qvr")), ashwiniLine));
        recorder->fileNames = {path(QStringLiteral("a.qvr")), path(QStringLiteral("a.qvr"))};
        frmMain *screen = showMainScreen();
        QVERIFY(QTest::qWaitForWindowActive(screen));
        widget<QLineEdit>(screen, "txtName")->setText(QStringLiteral("Ann"));
        for (const char *box : {"txtZoneHour", "txtZoneMinute", "txtLonD", "txtLonM", "txtLatD", "txtLatM"})
            widget<QLineEdit>(screen, box)->setText(QStringLiteral("5"));

        QWidget *button = widget<QPushButton>(screen, command == QLatin1String("open") ? "cmdOpen" : "cmdCalculate");
        QWidget *window = screen;
        if (command == QLatin1String("back")) {
            screen->cmdCalculate_Click();
            auto *result = onlyScreen<frmChineseLunarMansionResult>();
            QVERIFY(result);
            window = result;
            button = widget<QPushButton>(result, "cmdBack");
        }
        QWindow *handle = window->windowHandle();
        QVERIFY(handle);
        QTest::mouseDClick(handle, Qt::LeftButton, Qt::NoModifier, button->mapTo(window, button->rect().center()));

        processDeletes();
        QList<QWidget *> screens = visibleWindows();
        QCOMPARE(screens.size(), 1);
        QVERIFY(qobject_cast<Screen *>(screens.constFirst()));
        QVERIFY(recorder->messages.isEmpty());
    }

    // ---- start-up with a broken settings store -------------------------------------------

    void startUpWithABrokenSettingsStore_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("keptAsItWas");
        QTest::newRow("unclosed section") << "file" << QByteArray("[Settings\nfoo=bar\n") << true;
        QTest::newRow("binary garbage") << "file" << QByteArray("\x00\xff\xfe garbage\n[[[\n=\n", 18) << true;
        QTest::newRow("empty file") << "file" << QByteArray() << false;
        QTest::newRow("plain key and value") << "file" << QByteArray("[Settings]\nDuration=2000-01-01T00:00:00\n")
                                             << false;
        QTest::newRow("plain value under the key") << "plain value" << QByteArray("2000-01-01T00:00:00") << false;
        QTest::newRow("garbage value under the key") << "value" << QByteArray("not a date at all") << true;
        QTest::newRow("control characters under the key") << "value" << QByteArray("\x01\x02\x03\x7f", 4) << true;
        QTest::newRow("huge value under the key") << "value" << QByteArray(100000, '7') << false;
        QTest::newRow("folder in the file's place") << "folder" << QByteArray() << true;
        QTest::newRow("file in the folder's place") << "file for folder" << QByteArray("not a folder\n") << true;
    }

    void startUpWithABrokenSettingsStore()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, content);
        QFETCH(bool, keptAsItWas);
        const QString settings = settingsFilePath();
        const QString settingsFolder = QFileInfo(settings).path();
        QDir(settingsFolder).removeRecursively();
        QFile::remove(settingsFolder);
        QString damaged = settings;
        if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkpath(settings));
        } else if (kind == QLatin1String("file for folder")) {
            QVERIFY(QDir().mkpath(QFileInfo(settingsFolder).path()));
            QVERIFY(writeBytes(settingsFolder, content));
            damaged = settingsFolder;
        } else if (kind == QLatin1String("file")) {
            QVERIFY(QDir().mkpath(settingsFolder));
            QVERIFY(writeBytes(settings, content));
        } else {
            // A value under the scrambled key, as the store holds it.
            const QString text = QString::fromLatin1(content);
            QSettings(settings, QSettings::IniFormat)
                .setValue(QStringLiteral("Settings/") + scrambleText(QStringLiteral("Duration")),
                          kind == QLatin1String("value") ? scrambleText(text) : text);
        }
        const QByteArray before = fileBytes(damaged);

        QVERIFY(StartProgram(path(QStringLiteral("Quorvel.lock"))));

        QVERIFY(recorder->messages.isEmpty());  // no question, no message
        QVERIFY(recorder->openedUrls.isEmpty());
        frmMain *screen = onlyScreen<frmMain>();
        QVERIFY(screen);
        QVERIFY(screen->isVisible());
        if (keptAsItWas) {
            QCOMPARE(fileBytes(damaged), before);
            QCOMPARE(QFileInfo(settings).isDir(), kind == QLatin1String("folder"));
        }
        // The screen works: the first rule of the validation answers.
        screen->cmdCalculate_Click();
        QCOMPARE(recorder->messageTexts(), QStringList{QString::fromUtf8(Messages::enterName)});

        QFile::remove(settingsFolder);
        QDir(settingsFolder).removeRecursively();
    }

    // ---- no browser, no search plugin ---------------------------------------------------

    void linksWithoutBrowserOrPlugin_data()
    {
        QTest::addColumn<QString>("plugins");
        QTest::newRow("no plugin") << "none";
        QTest::newRow("files that are no plugin") << "broken";
    }

    void linksWithoutBrowserOrPlugin()
    {
        QFETCH(QString, plugins);
        const QString pluginFolder = path(QStringLiteral("plugins"));
        QVERIFY(QDir().mkpath(pluginFolder));
        if (plugins == QLatin1String("broken")) {
            // A file that only starts like a library, an empty one, a real
            // library that is no plugin, the real plugin cut short, and the
            // real plugin made out to serve another interface.
            const QDir plugged(pluginFolder);
            QVERIFY(writeBytes(plugged.filePath(QStringLiteral("a_fake.so")),
                               QByteArrayLiteral("\x7f" "ELF\x02\x01\x01 this is not a library")));
            QVERIFY(writeBytes(plugged.filePath(QStringLiteral("b_empty.so")), QByteArray()));
            const QString library = libraryHolding(reinterpret_cast<const void *>(&qVersion));
            QVERIFY(!library.isEmpty());
            QVERIFY(QFile::copy(library, plugged.filePath(QStringLiteral("c_library.so"))));
            const QString realPlugin = QDir::cleanPath(QCoreApplication::applicationDirPath()
                                                       + QStringLiteral("/../plugins/quorvel_atlaswindow_plugin.so"));
            QByteArray plugin = fileBytes(realPlugin);
            QVERIFY2(plugin.size() > 4096, qPrintable(realPlugin));
            for (const qsizetype size : {qsizetype(64), qsizetype(4096)})
                QVERIFY(writeBytes(plugged.filePath(QStringLiteral("d_cut%1.so").arg(size)), plugin.left(size)));
            const QByteArray iid("example.quorvel.AtlasWindowInterface");
            QVERIFY(plugin.contains(iid));
            plugin.replace(iid, QByteArray("example.quorvel.AtlasWindowInterfacX"));
            QVERIFY(writeBytes(plugged.filePath(QStringLiteral("e_other_interface.so")), plugin));
        }

        recorder.reset();
        NoOutsideWorldDesktop outside(pluginFolder);
        frmMain *screen = showMainScreen();
        // Only the about box may come up; anything else is a fault, closed
        // at once so the test fails instead of waiting on it.
        QStringList unexpectedWindows;
        QTimer modalWatch;
        modalWatch.setInterval(50);
        connect(&modalWatch, &QTimer::timeout, this, [&] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
                dialog && !qobject_cast<frmAbout *>(dialog)) {
                unexpectedWindows.append(QString::fromLatin1(dialog->metaObject()->className()));
                dialog->reject();
            }
        });
        modalWatch.start();

        // Every page link, the Help menu's pages, the about box's links and
        // the coordinates search.
        const int links = clickPageLinks(screen);
        QVERIFY(links >= 3);
        for (const char *entry : {"mnuOnline", "mnuVisit", "mnuUpdate"})
            widget<QAction>(screen->menuBar(), QString::fromLatin1(entry))->trigger();
        bool aboutShown = false;
        whenModal([&](QWidget *about) {
            aboutShown = clickPageLinks(about) == 2;
            widget<QPushButton>(about, "cmdOK")->click();
        });
        widget<QAction>(screen->menuBar(), "mnuAbout")->trigger();
        QVERIFY(aboutShown);
        widget<QLineEdit>(screen, "txtMCity")->setText(QStringLiteral("Pune"));
        widget<QLineEdit>(screen, "txtMState")->setText(QStringLiteral("Maharashtra"));
        widget<QLineEdit>(screen, "txtMCountry")->setText(QStringLiteral("India"));
        QTest::mouseClick(widget<QPushButton>(screen, "cmdBrowser"), Qt::LeftButton);
        QTest::mouseClick(widget<QPushButton>(screen, "cmdBrowser"), Qt::LeftButton);

        QCOMPARE(unexpectedWindows, QStringList());
        QCOMPARE(outside.pagesAsked, links + 3 + 2);
        QCOMPARE(outside.pagesOpened, 0);
        QCOMPARE(outside.searchesAsked, 2);
        QCOMPARE(outside.searchesRun, 0);
        QCOMPARE(outside.messages.size(), outside.pagesAsked); // each page no browser took says so
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(!QApplication::activePopupWidget());
        QCOMPARE(onlyScreen<frmMain>(), screen);
        QCOMPARE(widget<QLineEdit>(screen, "txtMCity")->text(), QStringLiteral("Pune"));

        // The screen is still usable: a calculation reaches the result
        // screen, whose links fail the same way.
        widget<QLineEdit>(screen, "txtName")->setText(QStringLiteral("Ann"));
        for (const char *box : {"txtZoneHour", "txtZoneMinute", "txtLonD", "txtLonM", "txtLatD", "txtLatM"})
            QTest::keyClicks(widget<QLineEdit>(screen, box), QStringLiteral("5"));
        screen->cmdCalculate_Click();
        auto *result = onlyScreen<frmChineseLunarMansionResult>();
        QVERIFY(result);
        const int resultLinks = clickPageLinks(result);
        QVERIFY(resultLinks >= 3);
        QCOMPARE(outside.pagesAsked, links + 5 + resultLinks);
        QCOMPARE(outside.pagesOpened, 0);
        QCOMPARE(outside.messages.size(), outside.pagesAsked);
        QCOMPARE(onlyScreen<frmChineseLunarMansionResult>(), result);
    }
};

QTEST_MAIN(TestFaults)
#include "test_faults.moc"
