// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RecordingDesktop.h"
#include "TestWindows.h"
#include "Widgets.h"

#include "ui/frmMain.h"
#include "ui/frmTimeZone.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Every warning Qt and the program print, to tell a run that works from one
// that complains (a window the compositor refuses to place, say).
QStringList warnings;

void recordWarning(QtMsgType type, const QMessageLogContext &, const QString &text)
{

    if (type != QtDebugMsg && type != QtInfoMsg)
        warnings.append(text);
}

} // namespace

// A smoke test under a Wayland compositor (tests/wayland.sh starts a
// headless one): the screens show, the time zone picker and a message box
// work, and the 1947 reading is calculated and saved. Where the program
// centres its windows Wayland leaves the placing to the compositor.
class TestWayland : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));
        qInstallMessageHandler(recordWarning);
    }

    void independenceDayIsCalculatedAndSaved()
    {
        RecordingDesktop recorder;
        auto *main = new frmMain;
        main->show();
        QVERIFY(QTest::qWaitForWindowExposed(main));
        QTest::keyClicks(widget<QLineEdit>(main, "txtName"), QStringLiteral("Ann"));
        widget<QComboBox>(main, "cboMonth")->setCurrentText(QStringLiteral("August"));
        widget<QComboBox>(main, "cboDate")->setCurrentText(QStringLiteral("15"));
        widget<QComboBox>(main, "cboYear")->setCurrentText(QStringLiteral("1947"));
        QTest::keyClicks(widget<QLineEdit>(main, "txtLonD"), QStringLiteral("77"));
        QTest::keyClicks(widget<QLineEdit>(main, "txtLonM"), QStringLiteral("13"));
        QTest::keyClicks(widget<QLineEdit>(main, "txtLatD"), QStringLiteral("28"));
        QTest::keyClicks(widget<QLineEdit>(main, "txtLatM"), QStringLiteral("36"));
        // The zone from the picker, a modal window of its own: a double-click on it.
        whenModal([](QWidget *modal) {
            auto *picker = qobject_cast<frmTimeZone *>(modal);
            QVERIFY(picker);
            QVERIFY(QTest::qWaitForWindowExposed(picker));
            QListWidget *list = widget<QListWidget>(picker, "lstTimeZone");
            const QList<QListWidgetItem *> found =
                list->findItems(QStringLiteral("Indian Time, IST, +5.3"), Qt::MatchExactly);
            QCOMPARE(found.size(), 1);
            list->scrollToItem(found.constFirst());
            const QPoint at = list->viewport()->mapTo(picker, list->visualItemRect(found.constFirst()).center());
            QTest::mouseDClick(picker->windowHandle(), Qt::LeftButton, {}, at);
        });
        main->lblTZHelp_Click();
        QVERIFY(!widget<QLineEdit>(main, "txtZoneHour")->text().isEmpty());

        widget<QPushButton>(main, "cmdCalculate")->click();
        frmChineseLunarMansionResult *result = onlyResultScreen();
        QVERIFY(result);
        QVERIFY(QTest::qWaitForWindowExposed(result));
        QCOMPARE(widget<QLabel>(result, "lblResult", 6)->text(), QStringLiteral("Pushya"));

        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("independence.qvr"));
        recorder.fileNames.push_back(path);
        widget<QPushButton>(result, "cmdSave")->click();
        QVERIFY(recorder.messages.isEmpty());
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        // The scrambled "Pushya" and CR LF, then the birth.
        const QByteArray bytes = saved.readAll();
        QCOMPARE(bytes.left(8).toHex(), QByteArray("a5cac8bdceb60d0a"));
        QVERIFY(bytes.mid(8).startsWith("Quorvel-Birth 1\r\nname="));
        deleteTopLevelWindows();
    }

    void messageBoxShowsAndCloses()
    {
        auto *main = new frmMain;
        main->show();
        QVERIFY(QTest::qWaitForWindowExposed(main));
        QString text;
        whenModal([&text](QWidget *modal) {
            if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                text = box->text();
                box->button(QMessageBox::Ok)->click();
            }
        });
        widget<QPushButton>(main, "cmdCalculate")->click(); // no name: the first rule's message, through a real box
        QCOMPARE(text, QStringLiteral("Please Enter Name"));
        deleteTopLevelWindows();
    }

    void cleanupTestCase()
    {
        qInstallMessageHandler(nullptr);
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(u'\n')));
    }
};

QTEST_MAIN(TestWayland)
#include "test_wayland.moc"
