// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A monkey on the main input screen: thousands of random keystrokes and
// clicks, into the time zone picker, the about box, menus, drop-down lists
// and context menus it opens, and on to the result screen and back. Every
// message box, file dialog, page and search goes through the desktop seam.
// The program must never crash, never end, never show a window of its own
// outside the seam, and only ever show its own messages.
//
// A failing run prints its seed; QUORVEL_MONKEY_SEED=<seed> replays it and
// QUORVEL_MONKEY_EVENTS=<count> makes it longer; QUORVEL_MONKEY_TRACE=1
// prints every event as it is sent.
#include "ui/Desktop.h"

#include "mansions/modRTB.h"
#include "ui/frmAbout.h"
#include "ui/frmChineseLunarMansionResult.h"
#include "ui/frmMain.h"
#include "ui/frmTimeZone.h"
#include "TestFiles.h"
#include "TestWindows.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <memory>

#include <sys/stat.h>

namespace {

// Every text the program may show in a message box: the string constants
// of core/Messages.h, read from the source so a new message counts at once.
QSet<QString> programMessages()
{
    QFile header(QStringLiteral(QUORVEL_TEST_DATA "/../../core/Messages.h"));
    if (!header.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    const QString source = QString::fromUtf8(header.readAll());
    static const QRegularExpression constant(QStringLiteral(R"re(constexpr\s+char\s+\w+\[\]\s*=\s*((?:"(?:[^"\\]|\\.)*"\s*)+);)re"));
    static const QRegularExpression piece(QStringLiteral(R"re("((?:[^"\\]|\\.)*)")re"));
    QSet<QString> texts;
    for (auto match = constant.globalMatch(source); match.hasNext();) {
        QString text;
        for (auto part = piece.globalMatch(match.next().captured(1)); part.hasNext();)
            text += part.next().captured(1);
        text.replace(QStringLiteral("\\r"), QStringLiteral("\r"));
        text.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
        text.replace(QStringLiteral("\\\""), QStringLiteral("\""));
        text.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
        texts.insert(text);
    }
    return texts;
}

// The desktop the monkey plays against: records every message, answers
// questions and file dialogs at random from a prepared folder of good and
// bad files, and keeps pages and searches in the program.
class MonkeyDesktop final : public Desktop {
public:
    MonkeyDesktop(QRandomGenerator &random, const QString &folder) : random(random), folder(folder)
    {
        setDesktop(this);
    }
    ~MonkeyDesktop() override { setDesktop(nullptr); }

    MessageAnswer showMessage(QWidget *, MessageIcon, const QString &text, bool yesNo) override
    {
        messages.append(text);
        if (!yesNo)
            return MessageAnswer::Ok;
        return random.bounded(2) ? MessageAnswer::Yes : MessageAnswer::No;
    }

    std::optional<QString> chooseFile(QWidget *, const FileDialogRequest &request) override
    {
        ++fileDialogs;
        const QDir dir(folder);
        if (request.mode == FileDialogRequest::Mode::Open) {
            static const char *const choices[] = {nullptr,          "",           "ashwini.qvr", "revati.qvr",
                                                  "garbage.qvr",    "empty.qvr",  "UPPER.QVR",   "folder.qvr",
                                                  "fifo.qvr",       "missing.qvr", "ashwini.qvr"};
            const char *choice = choices[random.bounded(int(std::size(choices)))];
            if (!choice)
                return std::nullopt;
            return *choice ? dir.filePath(QString::fromLatin1(choice)) : QString();
        }
        switch (random.bounded(4)) {
        case 0: return std::nullopt;
        case 1: return dir.filePath(QStringLiteral("saved/%1.qvr").arg(random.bounded(5)));
        case 2: return dir.filePath(QStringLiteral("no such folder/x.qvr"));
        default: return dir.filePath(QStringLiteral("revati.qvr"));
        }
    }

    bool openUrl(const QUrl &) override
    {
        ++pages;
        return true;
    }
    void clearClipboard() override {}
    std::optional<ChosenPlace> choosePlace(const PlaceQuery &) override
    {
        ++searches;
        return std::nullopt;
    }

    QStringList messages;
    int fileDialogs = 0;
    int pages = 0;
    int searches = 0;

private:
    QRandomGenerator &random;
    const QString folder;
};

// The keys the monkey presses: a key code, the text it types, modifiers.
struct Key {
    Qt::Key key;
    QString text;
    Qt::KeyboardModifiers modifiers;
};

Key randomKey(QRandomGenerator &random)
{
    static const Qt::Key editing[] = {Qt::Key_Tab,  Qt::Key_Backtab, Qt::Key_Return,   Qt::Key_Enter,
                                      Qt::Key_Escape, Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Left,
                                      Qt::Key_Right, Qt::Key_Up,     Qt::Key_Down,     Qt::Key_Home,
                                      Qt::Key_End,  Qt::Key_PageUp,  Qt::Key_PageDown, Qt::Key_Space,
                                      Qt::Key_F1,   Qt::Key_F4,      Qt::Key_Insert,   Qt::Key_Menu};
    static const QString others = QStringLiteral("-+.,:;/ _'\"!?()&%$#@\u00e9\u00df\u20ac\u4e2d\u0416\u0301");
    const int kind = int(random.bounded(100));
    if (kind < 30) {  // a digit
        const char digit = char('0' + random.bounded(10));
        return {Qt::Key(Qt::Key_0 + (digit - '0')), QString(QChar::fromLatin1(digit)), Qt::NoModifier};
    }
    if (kind < 45) {  // a letter
        const int letter = int(random.bounded(26));
        const bool upper = random.bounded(4) == 0;
        return {Qt::Key(Qt::Key_A + letter), QString(QChar(char16_t((upper ? u'A' : u'a') + letter))),
                upper ? Qt::ShiftModifier : Qt::NoModifier};
    }
    if (kind < 55)  // punctuation or a character beyond ASCII
        return {Qt::Key_unknown, QString(others.at(random.bounded(others.size()))), Qt::NoModifier};
    if (kind < 62) {  // an access key
        const int letter = int(random.bounded(26));
        return {Qt::Key(Qt::Key_A + letter), QString(QChar(char16_t(u'a' + letter))), Qt::AltModifier};
    }
    if (kind < 70) {  // a control key: select all, copy, cut, paste, undo and the like
        const int letter = int(random.bounded(26));
        return {Qt::Key(Qt::Key_A + letter), QString(QChar(char16_t(1 + letter))), Qt::ControlModifier};
    }
    const Qt::Key key = editing[random.bounded(int(std::size(editing)))];
    QString text;
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        text = QStringLiteral("\r");
    else if (key == Qt::Key_Escape)
        text = QString(QChar(27));
    else if (key == Qt::Key_Backspace)
        text = QString(QChar(8));
    else if (key == Qt::Key_Tab)
        text = QStringLiteral("\t");
    else if (key == Qt::Key_Space)
        text = QStringLiteral(" ");
    else if (key == Qt::Key_Delete)
        text = QString(QChar(127));
    return {key, text, random.bounded(6) == 0 ? Qt::ShiftModifier : Qt::NoModifier};
}

bool isInteractive(const QWidget *widget)
{
    return qobject_cast<const QAbstractButton *>(widget) || qobject_cast<const QLineEdit *>(widget)
           || qobject_cast<const QComboBox *>(widget) || qobject_cast<const QMenuBar *>(widget)
           || qobject_cast<const QMenu *>(widget) || qobject_cast<const QPlainTextEdit *>(widget)
           || widget->inherits("LinkLabel")
           || (widget->parentWidget() && qobject_cast<const QAbstractItemView *>(widget->parentWidget()));
}

class Monkey : public QObject {
    Q_OBJECT
public:
    Monkey(quint32 seed, int events, const QString &folder)
        : random(seed), desktop(random, folder), events(events), knownMessages(programMessages())
    {
    }

    QRandomGenerator random;
    MonkeyDesktop desktop;
    const int events;
    const QSet<QString> knownMessages;
    int done = 0;
    int modalsSeen = 0;
    int stepsOnAReading = 0;
    QStringList faults;
    QList<int> actingLevels;  // the event loop depth of every event in hand
    QStringList recent;
    const bool trace = qEnvironmentVariableIsSet("QUORVEL_MONKEY_TRACE");

    void start()
    {
        QTimer::singleShot(0, this, &Monkey::step);
    }

signals:
    void finished();

private:
    // One event. The next is scheduled first: an event that opens a modal
    // window runs a nested event loop, and the monkey goes on inside it.
    // Anywhere else (the test functions process pending events while they
    // deliver one) it waits for the event in hand to finish.
    void step()
    {
        const int level = QThread::currentThread()->loopLevel();
        if (!actingLevels.isEmpty() && level <= actingLevels.constLast()) {
            QTimer::singleShot(0, this, &Monkey::step);
            return;
        }
        if (done >= events || !faults.isEmpty()) {
            finish();
            return;
        }
        ++done;
        QTimer::singleShot(0, this, &Monkey::step);
        actingLevels.append(level);
        act();
        actingLevels.removeLast();
        checkMessages();
    }

    void checkMessages()
    {
        for (const QString &text : std::as_const(desktop.messages)) {
            if (!knownMessages.contains(text))
                fault(QStringLiteral("a message that isn't the program's own: \"%1\"").arg(text));
        }
        desktop.messages.clear();
    }

    void fault(const QString &what)
    {
        if (faults.size() < 10)
            faults.append(QStringLiteral("event %1: %2; the last events: %3").arg(done).arg(what, recent.join(QStringLiteral(", "))));
    }

    // What the monkey did, for the report of a fault.
    void note(const QString &what)
    {
        recent.append(QStringLiteral("%1 %2").arg(done).arg(what));
        if (trace)
            std::fprintf(stderr, "monkey: %s\n", qPrintable(recent.constLast()));
        if (recent.size() > 8)
            recent.removeFirst();
    }

    static QString nameOf(const QWidget *widget)
    {
        const QString name = widget->objectName();
        return name.isEmpty() ? QString::fromLatin1(widget->metaObject()->className()) : name;
    }

    // The one main screen on display, or nothing when the program has ended.
    Screen *currentScreen() const
    {
        Screen *found = nullptr;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *screen = qobject_cast<Screen *>(window); screen && screen->isVisible()) {
                if (found)
                    return nullptr;
                found = screen;
            }
        }
        return found;
    }

    void act()
    {
        if (QWidget *popup = QApplication::activePopupWidget()) {
            // Drop-down lists and menus: pick, move, or dismiss them.
            if (random.bounded(3) == 0)
                pressKey(popup->windowHandle(), randomKey(random));
            else
                clickSomewhere(popup);
            return;
        }
        if (QWidget *modal = QApplication::activeModalWidget()) {
            if (!qobject_cast<frmTimeZone *>(modal) && !qobject_cast<frmAbout *>(modal)) {
                fault(QStringLiteral("a modal window outside the seam: %1").arg(modal->metaObject()->className()));
                modal->close();
                return;
            }
            ++modalsSeen;
            actOn(modal);
            return;
        }
        Screen *screen = currentScreen();
        if (!screen) {
            QStringList shown;
            for (QWidget *window : QApplication::topLevelWidgets()) {
                if (window->isVisible())
                    shown.append(QString::fromLatin1(window->metaObject()->className()));
            }
            fault(QStringLiteral("not one main screen on display but: %1").arg(shown.join(u' ')));
            return;
        }
        if (auto *result = qobject_cast<frmChineseLunarMansionResult *>(screen)) {
            ++stepsOnAReading;
            // Back to the main input screen, mostly; the result screen is not the monkey's ground.
            if (random.bounded(3) != 0) {
                if (auto *back = result->findChild<QPushButton *>(QStringLiteral("cmdBack")))
                    click(back, Qt::LeftButton, random.bounded(4) == 0);
                return;
            }
        }
        if (auto *main = qobject_cast<frmMain *>(screen); main && random.bounded(40) == 0) {
            fillValidly(main);
            return;
        }
        actOn(screen);
    }

    void actOn(QWidget *window)
    {
        const int kind = int(random.bounded(100));
        if (kind < 45)
            clickSomewhere(window);
        else if (kind < 90)
            pressKey(window->windowHandle(), randomKey(random));
        else
            typeIntoABox(window);
    }

    // A click on a random visible control of `window` (mostly one that does
    // something), at a random point of it, with a random button.
    void clickSomewhere(QWidget *window)
    {
        QList<QWidget *> all{window};
        QList<QWidget *> interactive;
        for (QWidget *widget : window->findChildren<QWidget *>()) {
            if (!widget->isVisible() || widget->isHidden() || widget->size().isEmpty())
                continue;
            all.append(widget);
            if (widget->isEnabled() && isInteractive(widget))
                interactive.append(widget);
        }
        const QList<QWidget *> &pool = !interactive.isEmpty() && random.bounded(10) < 8 ? interactive : all;
        QWidget *target = pool.at(random.bounded(int(pool.size())));
        const int button = int(random.bounded(20));
        click(target, button < 16 ? Qt::LeftButton : button < 19 ? Qt::RightButton : Qt::MiddleButton,
              random.bounded(8) == 0);
    }

    // Press and release go out one at a time: the press may close and delete
    // the window (a context menu clicked outside), and a release for a window
    // that is gone must not be sent.
    void click(QWidget *target, Qt::MouseButton button, bool twice = false)
    {
        QWidget *top = target->window();
        QPointer<QWindow> handle = top->windowHandle();
        if (!handle)
            return;
        const QPoint inside(int(random.bounded(qMax(1, target->width()))), int(random.bounded(qMax(1, target->height()))));
        // Within the window, also where a control reaches past its edge.
        QPoint at = target->mapTo(top, inside);
        at.setX(qBound(0, at.x(), top->width() - 1));
        at.setY(qBound(0, at.y(), top->height() - 1));
        twice = twice && !(top->windowFlags() & Qt::Popup);
        note(QStringLiteral("%1%2 click on %3").arg(twice ? QStringLiteral("double ") : QString())
                 .arg(int(button)).arg(nameOf(target)));
        if (twice) {
            QTest::mouseDClick(handle, button, Qt::NoModifier, at);
            return;
        }
        QTest::mousePress(handle, button, Qt::NoModifier, at);
        if (handle)
            QTest::mouseRelease(handle, button, Qt::NoModifier, at);
    }

    // The modifier keys go down, the key is pressed and released, the
    // modifiers come up: each a separate event, sent only while the window
    // lives (pressing Alt closes a context menu, for one).
    void pressKey(QWindow *window, const Key &key)
    {
        QPointer<QWindow> handle = window;
        if (!handle)
            return;
        note(QStringLiteral("key %1 '%2' %3").arg(int(key.key), 0, 16).arg(key.text).arg(int(key.modifiers), 0, 16));
        const auto send = [&handle](QEvent::Type type, int code, Qt::KeyboardModifiers modifiers, const QString &text) {
            if (!handle)
                return;
            qt_handleKeyEvent(handle, type, code, modifiers, text);
            QCoreApplication::processEvents();
        };
        const std::pair<Qt::KeyboardModifier, Qt::Key> modifierKeys[] = {
            {Qt::ShiftModifier, Qt::Key_Shift}, {Qt::ControlModifier, Qt::Key_Control}, {Qt::AltModifier, Qt::Key_Alt}};
        Qt::KeyboardModifiers held;
        for (const auto &[modifier, modifierKey] : modifierKeys) {
            if (key.modifiers & modifier) {
                send(QEvent::KeyPress, modifierKey, held, QString());
                held |= modifier;
            }
        }
        send(QEvent::KeyPress, key.key, key.modifiers, key.text);
        send(QEvent::KeyRelease, key.key, key.modifiers, key.text);
        for (const auto &[modifier, modifierKey] : modifierKeys) {
            if (key.modifiers & modifier) {
                send(QEvent::KeyRelease, modifierKey, held, QString());
                held &= ~modifier;
            }
        }
    }

    // Focus one of the window's boxes and type a few characters into it.
    void typeIntoABox(QWidget *window)
    {
        const QList<QLineEdit *> boxes = window->findChildren<QLineEdit *>();
        QList<QLineEdit *> usable;
        for (QLineEdit *box : boxes) {
            if (box->isVisible() && box->isEnabled())
                usable.append(box);
        }
        if (usable.isEmpty()) {
            pressKey(window->windowHandle(), randomKey(random));
            return;
        }
        QLineEdit *box = usable.at(random.bounded(int(usable.size())));
        click(box, Qt::LeftButton);
        const int count = 1 + int(random.bounded(4));
        for (int i = 0; i < count && QApplication::focusWidget() == box; ++i)
            pressKey(window->windowHandle(), randomKey(random));
    }

    // Types a complete, valid birth so that calculations go through now and then.
    void fillValidly(frmMain *main)
    {
        note(QStringLiteral("valid birth typed"));
        const QList<QPair<const char *, QString>> entries{
            {"txtName", QStringLiteral("Ann")}, {"txtZoneHour", QStringLiteral("5")}, {"txtZoneMinute", QStringLiteral("30")},
            {"txtLonD", QStringLiteral("77")},  {"txtLonM", QStringLiteral("12")},    {"txtLatD", QStringLiteral("28")},
            {"txtLatM", QStringLiteral("36")}};
        for (const auto &[name, text] : entries) {
            QLineEdit *box = widget<QLineEdit>(main, name);
            box->selectAll();
            box->setFocus();
            QTest::keyClicks(box, text);
        }
    }

    void finish()
    {
        // Whatever the last events left open is closed, so every nested loop unwinds.
        while (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *dialog = qobject_cast<QDialog *>(window); dialog && dialog->isVisible())
                dialog->reject();
        }
        emit finished();
    }
};

} // namespace

// Drops the offscreen platform's notes about window features it lacks
// (raising, grabbing, size hints), which the monkey provokes by the hundred;
// everything else goes to the test's own handler.
QtMessageHandler testHandler = nullptr;
void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
        return;
    testHandler(type, context, message);
}

class TestMonkey : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder;

private slots:
    void initTestCase()
    {
        QVERIFY(!programMessages().isEmpty());
        QVERIFY(programMessages().contains(QStringLiteral("Only Numbers Are Accepted")));
        QVERIFY(programMessages().contains(QString::fromUtf8(Messages::updateQuestion)));
        testHandler = qInstallMessageHandler(quietHandler);
    }

    void cleanupTestCase() { qInstallMessageHandler(testHandler); }

    // Every run starts from the same files, whatever the last one saved over them.
    void init()
    {
        folder = std::make_unique<QTemporaryDir>();
        QVERIFY(folder->isValid());
        const QDir dir(folder->path());
        QVERIFY(writeBytes(dir.filePath(QStringLiteral("ashwini.qvr")), QByteArray::fromHex("96c8bdccbec3be0d0a")));
        QVERIFY(writeBytes(dir.filePath(QStringLiteral("revati.qvr")), toSingleByte(scrambleText("Revati")) + "\r\n"));
        QVERIFY(writeBytes(dir.filePath(QStringLiteral("garbage.qvr")), QByteArray("\x01\xff garbage\r\n", 12)));
        QVERIFY(writeBytes(dir.filePath(QStringLiteral("empty.qvr")), QByteArray()));
        QVERIFY(writeBytes(dir.filePath(QStringLiteral("UPPER.QVR")), QByteArray::fromHex("96c8bdccbec3be0d0a")));
        QVERIFY(dir.mkpath(QStringLiteral("folder.qvr")));
        QVERIFY(dir.mkpath(QStringLiteral("saved")));
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("fifo.qvr"))).constData(), 0600), 0);
        if (QClipboard *clipboard = QGuiApplication::clipboard())
            clipboard->clear();
    }

    void randomEventsNeverBreakTheProgram_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("events");
        const int events = qEnvironmentVariableIsSet("QUORVEL_MONKEY_EVENTS")
                               ? qEnvironmentVariableIntValue("QUORVEL_MONKEY_EVENTS")
                               : 3000;
        if (qEnvironmentVariableIsSet("QUORVEL_MONKEY_SEED")) {
            const quint32 seed = quint32(qEnvironmentVariable("QUORVEL_MONKEY_SEED").toULong());
            QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed << events;
            return;
        }
        for (const quint32 seed : {20240301u, 1947u, 31337u})
            QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed << events;
    }

    void randomEventsNeverBreakTheProgram()
    {
        QFETCH(quint32, seed);
        QFETCH(int, events);
        qInfo("monkey seed %u, %d events (QUORVEL_MONKEY_SEED=%u replays it)", seed, events, seed);

        auto *main = new frmMain;
        main->show();
        QVERIFY(QTest::qWaitForWindowActive(main));

        Monkey monkey(seed, events, folder->path());
        QEventLoop loop;
        connect(&monkey, &Monkey::finished, &loop, &QEventLoop::quit);
        QElapsedTimer timer;
        timer.start();
        monkey.start();
        loop.exec();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        qInfo("%d events in %lld ms: %d in modal windows, %d on a reading, %d file dialogs, %d pages, %d searches",
              monkey.done, timer.elapsed(), monkey.modalsSeen, monkey.stepsOnAReading, monkey.desktop.fileDialogs,
              monkey.desktop.pages, monkey.desktop.searches);

        QVERIFY2(monkey.faults.isEmpty(), qPrintable(QStringLiteral("seed %1: ").arg(seed) + monkey.faults.join(u'\n')));
        QCOMPARE(monkey.done, events);
        // The program goes on: one main screen or result screen, nothing else open.
        QList<QWidget *> open;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window->isVisible())
                open.append(window);
        }
        QCOMPARE(open.size(), 1);
        QVERIFY(qobject_cast<Screen *>(open.constFirst()));
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(!QApplication::activePopupWidget());
        qobject_cast<Screen *>(open.constFirst())->closeByProgram();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

QTEST_MAIN(TestMonkey)
#include "test_monkey.moc"
