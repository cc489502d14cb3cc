// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RecordingDesktop.h"
#include "TestWindows.h"
#include "ui/LinkLabel.h"
#include "ui/frmChineseLunarMansionResult.h"
#include "ui/frmMain.h"
#include "ui/frmTimeZone.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTime>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

const QString onlyNumbers = QStringLiteral("Only Numbers Are Accepted");

// Closes every screen the program opened, as the program itself would, and
// lets the deferred deletes run so no window outlives its test.
void closeAllScreens()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *screen = qobject_cast<Screen *>(window))
            screen->closeByProgram();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Picks a zone in the picker the way the user does: a double-click on it.
void pickZone(QWidget *modal, const QString &text)
{
    auto *picker = qobject_cast<frmTimeZone *>(modal);
    QVERIFY(picker);
    QListWidget *list = widget<QListWidget>(picker, "lstTimeZone");
    const QList<QListWidgetItem *> found = list->findItems(text, Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    list->scrollToItem(found.first());
    const QPoint at = list->viewport()->mapTo(picker, list->visualItemRect(found.first()).center());
    QTest::mouseDClick(picker->windowHandle(), Qt::LeftButton, {}, at);
}

} // namespace

class TestFrmMain : public QObject {
    Q_OBJECT

    std::unique_ptr<RecordingDesktop> recorder;
    std::shared_ptr<Session> session;
    QPointer<frmMain> w;

    // A screen that passes validation: Ann, 15 March 1975, IST, Delhi.
    void fillValid()
    {
        widget<QLineEdit>(w, "txtName")->setText(QStringLiteral("Ann"));
        widget<QComboBox>(w, "cboMonth")->setCurrentIndex(2);
        widget<QComboBox>(w, "cboDate")->setCurrentIndex(14);
        widget<QComboBox>(w, "cboYear")->setCurrentText(QStringLiteral("1975"));
        widget<QLineEdit>(w, "txtZoneHour")->setText(QStringLiteral("5"));
        widget<QLineEdit>(w, "txtZoneMinute")->setText(QStringLiteral("30"));
        widget<QLineEdit>(w, "txtLonD")->setText(QStringLiteral("77"));
        widget<QLineEdit>(w, "txtLonM")->setText(QStringLiteral("12"));
        widget<QLineEdit>(w, "txtLatD")->setText(QStringLiteral("28"));
        widget<QLineEdit>(w, "txtLatM")->setText(QStringLiteral("36"));
    }


    // A key press as the window system sends it, with its text.
    static void press(QLineEdit *box, Qt::Key key, Qt::KeyboardModifiers modifiers, const char *text)
    {
        QKeyEvent event(QEvent::KeyPress, key, modifiers, QString::fromLatin1(text));
        QApplication::sendEvent(box, &event);
    }

    QString focusName() const { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }

private slots:
    void init()
    {
        recorder = std::make_unique<RecordingDesktop>();
        session = std::make_shared<Session>();
        w = new frmMain(session);
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w));
    }

    void cleanup()
    {
        closeAllScreens();
        recorder.reset();
    }

    // --- the window as it opens ---

    void listsAndInitialState()
    {
        QCOMPARE(w->windowTitle(), QStringLiteral("Quorvel v1.15"));
        const QStringList months = {"January", "February", "March",     "April",   "May",      "June",
                                    "July",    "August",   "September", "October", "November", "December"};
        QCOMPARE(widget<QComboBox>(w, "cboMonth")->count(), 12);
        for (int i = 0; i < 12; ++i)
            QCOMPARE(widget<QComboBox>(w, "cboMonth")->itemText(i), months[i]);
        struct Range {
            const char *list;
            int first, last;
        };
        for (const Range &r : {Range{"cboDate", 1, 31}, Range{"cboYear", 1901, 2050}, Range{"cboHH", 0, 23},
                               Range{"cboMM", 0, 59}, Range{"cboSS", 0, 59}}) {
            const QComboBox *list = widget<QComboBox>(w, r.list);
            QCOMPARE(list->count(), r.last - r.first + 1);
            for (int i = 0; i < list->count(); ++i)
                QCOMPARE(list->itemText(i), QString::number(r.first + i));  // no leading zeros
        }
        for (QComboBox *list : w->findChildren<QComboBox *>()) {
            QVERIFY2(!list->isEditable(), qPrintable(list->objectName()));
            QCOMPARE(list->currentIndex(), 0);
        }
        QCOMPARE(w->findChildren<QComboBox *>().size(), 6);
        QCOMPARE(w->findChildren<QLineEdit *>().size(), 10);
        for (QLineEdit *edit : w->findChildren<QLineEdit *>())
            QVERIFY2(edit->text().isEmpty(), qPrintable(edit->objectName()));
        QVERIFY(widget<QRadioButton>(w, "optLat", 0)->isChecked() && !widget<QRadioButton>(w, "optLat", 1)->isChecked());
        QVERIFY(widget<QRadioButton>(w, "optLong", 0)->isChecked() && !widget<QRadioButton>(w, "optLong", 1)->isChecked());
        QVERIFY(!widget<QCheckBox>(w, "chkDST")->isChecked());
        QCOMPARE(focusName(), QStringLiteral("txtName"));
        QVERIFY(w->lblFullBrand() && w->lblCobrand());
    }

    void captionsAndMenus()
    {
        QCOMPARE(widget<QPushButton>(w, "cmdOpen")->text(), QStringLiteral("&Open Previously Saved Reading"));
        QCOMPARE(widget<QPushButton>(w, "cmdCalculate")->text(), QStringLiteral("&Get My Chinese Lunar Mansion"));
        QCOMPARE(widget<LinkLabel>(w, "lblTZHelp")->text(), QStringLiteral("TZ Help"));
        QCOMPARE(widget<LinkLabel>(w, "lblTZHelp")->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(widget<QAction>(w, "mnuCalculate")->text(), QStringLiteral("&Calculate"));
        QCOMPARE(w->menuBar()->actions().first()->text(), QStringLiteral("&File"));

        // The lookup button's caption wraps inside the button, with one "&".
        auto *caption = widget<QPushButton>(w, "cmdBrowser")->findChild<QLabel *>();
        QVERIFY(caption);
        QCOMPARE(caption->text(), QStringLiteral("Click Here To Find Latitude & Longitude"));
        QVERIFY(caption->height() > 2 * caption->fontMetrics().height());
        QVERIFY(widget<QPushButton>(w, "cmdBrowser")->rect().contains(caption->geometry()));
        const QRect needed = caption->fontMetrics().boundingRect(caption->contentsRect(), Qt::TextWordWrap | Qt::AlignCenter,
                                                                 caption->text());
        QVERIFY(caption->contentsRect().contains(needed));
    }

    void designGeometry()
    {
        QCOMPARE(w->centralWidget()->size(), QSize(485, 442));  // with the zone offset row
        QCOMPARE(w->minimumSize(), w->maximumSize());  // not resizable
        QCOMPARE(widget<QLineEdit>(w, "txtName")->geometry(), QRect(88, 16, 233, 19));
        QCOMPARE(w->lblFullBrand()->parentWidget()->geometry(), QRect(2, 383, 481, 57));
    }

    void optionGroupsHoldOneChoice()
    {
        QTest::mouseClick(widget<QRadioButton>(w, "optLat", 1), Qt::LeftButton);
        QVERIFY(widget<QRadioButton>(w, "optLat", 1)->isChecked() && !widget<QRadioButton>(w, "optLat", 0)->isChecked());
        QTest::mouseClick(widget<QRadioButton>(w, "optLat", 1), Qt::LeftButton);  // clicking the chosen one keeps it
        QVERIFY(widget<QRadioButton>(w, "optLat", 1)->isChecked());
        QVERIFY(widget<QRadioButton>(w, "optLong", 0)->isChecked());  // the other group is untouched
        QTest::mouseClick(widget<QRadioButton>(w, "optLong", 1), Qt::LeftButton);
        QVERIFY(widget<QRadioButton>(w, "optLong", 1)->isChecked() && !widget<QRadioButton>(w, "optLong", 0)->isChecked());
        const BirthEntry input = w->birthEntry();
        QVERIFY(!input.isEast && !input.isNorth);
    }

    void aSecondScreenStartsAfresh()
    {
        fillValid();
        widget<QCheckBox>(w, "chkDST")->setChecked(true);
        widget<QRadioButton>(w, "optLong", 1)->setChecked(true);
        auto *second = new frmMain;
        QCOMPARE(widget<QComboBox>(second, "cboYear")->count(), 150);
        QCOMPARE(widget<QComboBox>(second, "cboMonth")->currentText(), QStringLiteral("January"));
        QVERIFY(widget<QLineEdit>(second, "txtName")->text().isEmpty());
        QVERIFY(widget<QRadioButton>(second, "optLong", 0)->isChecked() && !widget<QCheckBox>(second, "chkDST")->isChecked());
        delete second;
    }

    void focusOrderWalksWithTab()
    {
        const QStringList expected = {"txtName",  "cboMonth",  "cboDate",     "cboYear",     "cboHH",
                                      "cboMM",    "cboSS",     "txtLonD",     "txtLonM",     "optLong0",
                                      "txtLatD",  "txtLatM",   "optLat0",     "txtMCity",    "txtMState",
                                      "txtMCountry", "cmdBrowser", "cmdCalculate", "cmdOpen", "txtZoneHour",
                                      "txtZoneMinute", "chkDST", "txtName"};
        QStringList walked = {focusName()};
        for (int i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            walked.append(focusName());
        }
        QCOMPARE(walked, expected);
        QVERIFY(recorder->messages.isEmpty());  // Tab through the number boxes is no typed character

        // A group is one stop, at its chosen button.
        widget<QRadioButton>(w, "optLong", 1)->setChecked(true);
        widget<QLineEdit>(w, "txtLonM")->setFocus();
        QTest::keyClick(widget<QLineEdit>(w, "txtLonM"), Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("optLong1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("txtLatD"));

        // Arrow keys move the choice within the group, and the stop with it.
        widget<QRadioButton>(w, "optLat", 0)->setFocus();
        QTest::keyClick(widget<QRadioButton>(w, "optLat", 0), Qt::Key_Down);
        QCOMPARE(focusName(), QStringLiteral("optLat1"));
        QVERIFY(widget<QRadioButton>(w, "optLat", 1)->isChecked() && !widget<QRadioButton>(w, "optLat", 0)->isChecked());
        QTest::keyClick(widget<QRadioButton>(w, "optLat", 1), Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("txtMCity"));
        QTest::keyClick(widget<QLineEdit>(w, "txtMCity"), Qt::Key_Backtab);
        QCOMPARE(focusName(), QStringLiteral("optLat1"));
    }

    // --- the key filter ---

    void keyFilterRefusesNonDigits_data()
    {
        QTest::addColumn<QString>("boxName");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");  // as the window system attaches it
        QTest::newRow("minus") << "txtLatD" << int(Qt::Key_Minus) << 0 << "-";
        QTest::newRow("point") << "txtLatM" << int(Qt::Key_Period) << 0 << ".";
        QTest::newRow("space") << "txtLonD" << int(Qt::Key_Space) << 0 << " ";
        QTest::newRow("letter") << "txtLonM" << int(Qt::Key_A) << 0 << "a";
        QTest::newRow("Enter") << "txtZoneHour" << int(Qt::Key_Return) << 0 << "\r";
        QTest::newRow("keypad Enter") << "txtZoneMinute" << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "\r";
        QTest::newRow("Escape") << "txtLatD" << int(Qt::Key_Escape) << 0 << "\x1b";
        // A control key that is no editing shortcut.
        QTest::newRow("Ctrl+B") << "txtLonD" << int(Qt::Key_B) << int(Qt::ControlModifier) << "\x02";
        QTest::newRow("digit then letter") << "txtLonM" << int(Qt::Key_unknown) << 0 << "1x";
        QTest::newRow("superscript two") << "txtLatM" << int(Qt::Key_twosuperior) << 0 << QString(QChar(0xB2));
    }

    void keyFilterRefusesNonDigits()
    {
        QFETCH(QString, boxName);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QLineEdit *edit = widget<QLineEdit>(w, boxName);
        QVERIFY(edit);
        QGuiApplication::clipboard()->setText(QStringLiteral("99"));
        QTest::keyClicks(edit, QStringLiteral("12"));
        edit->setCursorPosition(1);
        edit->selectAll();  // a refused key must not even replace a selection

        int refused = 1;
        if (key != Qt::Key_unknown) {
            QTest::keyClick(edit, Qt::Key(key), Qt::KeyboardModifiers(modifiers));  // QTest's own text
            ++refused;
        }
        QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
        QApplication::sendEvent(edit, &press);

        QCOMPARE(edit->text(), QStringLiteral("12"));
        QCOMPARE(recorder->messages.size(), refused);  // each refused key shows the message
        for (const RecordingDesktop::Message &m : recorder->messages) {
            QCOMPARE(m.text, onlyNumbers);
            QCOMPARE(m.icon, MessageIcon::Error);
        }
    }

    // The offset under the zone boxes ("" none), in the printout's words,
    // and the hour box once it is clicked. The hour box takes one leading
    // sign as typed; any other sign gets the message and stays out.
    void zoneOffsetFollowsZoneDstAndHemisphere_data()
    {
        QTest::addColumn<QString>("zone");  // hours and minutes boxes
        QTest::addColumn<bool>("dst");
        QTest::addColumn<QString>("longitude");  // degrees and hemisphere
        QTest::addColumn<QString>("offset");
        QTest::addColumn<QString>("flipped");
        QTest::newRow("Madrid") << "-1 0" << false << "3 W" << "UTC+1:00, ahead of Universal Time" << "+1";
        QTest::newRow("sign after a digit") << "1- 0" << false << "3 E" << "UTC+1:00, ahead of Universal Time" << "+1";
        QTest::newRow("two signs") << "+-1 0" << false << "3 E" << "UTC\u22121:00, behind Universal Time" << "-1";
        QTest::newRow("Madrid, DST") << "-1 0" << true << "3 W" << "UTC+2:00, ahead of Universal Time" << "+1";
        QTest::newRow("west, DST") << "5 0" << true << "74 W" << "UTC\u22124:00, behind Universal Time" << "-5";
        QTest::newRow("plus, east") << "+1 30" << false << "10 E" << "UTC\u22121:30, behind Universal Time" << "-1";
        QTest::newRow("minute's sign") << "0 -30" << false << "1 W" << "UTC+0:30, ahead of Universal Time" << "+0";
        QTest::newRow("Greenwich") << "0 0" << false << "0 E" << "UTC+0:00, Universal Time" << "-0";
        QTest::newRow("no longitude") << "1 0" << false << " E" << "" << "";
        QTest::newRow("beyond 14") << "-15 0" << false << "10 E" << "" << "";
    }

    void zoneOffsetFollowsZoneDstAndHemisphere()
    {
        QFETCH(QString, zone);
        QFETCH(bool, dst);
        QFETCH(QString, longitude);
        QFETCH(QString, offset);
        QFETCH(QString, flipped);
        // The longitude first: the offset must follow every later change.
        widget<QLineEdit>(w, "txtLonD")->setText(longitude.section(u' ', 0, 0));
        widget<QLineEdit>(w, "txtLonM")->setText(QStringLiteral("0"));
        widget<QRadioButton>(w, "optLong", longitude.endsWith(u'E') ? 0 : 1)->setChecked(true);
        const QString hours = zone.section(u' ', 0, 0);
        QTest::keyClicks(widget<QLineEdit>(w, "txtZoneHour"), hours);
        QCOMPARE(recorder->messages.size(), hours.size() - widget<QLineEdit>(w, "txtZoneHour")->text().size());
        widget<QLineEdit>(w, "txtZoneMinute")->setText(zone.section(u' ', 1, 1));  // as the picker writes it
        widget<QCheckBox>(w, "chkDST")->setChecked(dst);
        auto *label = widget<LinkLabel>(w, "lblZoneOffset");
        QCOMPARE(label->isVisible() ? label->text() : QString(), offset);
        if (offset.isEmpty())
            return;
        label->setFocus(Qt::TabFocusReason);
        QTest::keyClick(label, Qt::Key_Space);
        QCOMPARE(widget<QLineEdit>(w, "txtZoneHour")->text(), flipped);
        QVERIFY(!widget<QLineEdit>(w, "txtZoneMinute")->text().startsWith(u'-'));
    }

    void keyFilterPassesDigitsAndEditingKeys()
    {
        for (const char *name : {"txtLatD", "txtLatM", "txtLonD", "txtLonM", "txtZoneHour", "txtZoneMinute"}) {
            QLineEdit *edit = widget<QLineEdit>(w, name);
            edit->setFocus();
            QTest::keyClicks(edit, QStringLiteral("0123456789"));
            QCOMPARE(edit->text(), QStringLiteral("0123456789"));  // no limit on the digits
            QTest::keyClick(edit, Qt::Key_Backspace);
            QTest::keyClick(edit, Qt::Key_Left);
            QTest::keyClick(edit, Qt::Key_Left);
            QTest::keyClick(edit, Qt::Key_Backspace);  // removes the 6
            QTest::keyClick(edit, Qt::Key_Home);
            QTest::keyClick(edit, Qt::Key_Delete);     // removes the 0
            QTest::keyClick(edit, Qt::Key_Right);
            QTest::keyClick(edit, Qt::Key_Delete);     // removes the 2
            QTest::keyClick(edit, Qt::Key_End);
            QTest::keyClick(edit, Qt::Key_4);
            QCOMPARE(edit->text(), QStringLiteral("1345784"));
        }
        QVERIFY(recorder->messages.isEmpty());
    }

    void otherBoxesAreNotFiltered()
    {
        QTest::keyClicks(widget<QLineEdit>(w, "txtName"), QStringLiteral(" Ann-Marie 2. "));
        QTest::keyClicks(widget<QLineEdit>(w, "txtMCity"), QStringLiteral("St. John's"));
        QCOMPARE(widget<QLineEdit>(w, "txtName")->text(), QStringLiteral(" Ann-Marie 2. "));
        QCOMPARE(widget<QLineEdit>(w, "txtMCity")->text(), QStringLiteral("St. John's"));
        QVERIFY(recorder->messages.isEmpty());
    }

    // The editing shortcuts work in the number boxes, as the window system
    // sends them (with their control codes), and say nothing.
    void editingShortcutsPass()
    {
        QLineEdit *latD = widget<QLineEdit>(w, "txtLatD"), *lonD = widget<QLineEdit>(w, "txtLonD");
        QTest::keyClicks(latD, QStringLiteral("28"));
        press(latD, Qt::Key_A, Qt::ControlModifier, "\x01");
        press(latD, Qt::Key_C, Qt::ControlModifier, "\x03");
        press(lonD, Qt::Key_V, Qt::ControlModifier, "\x16");
        QCOMPARE(lonD->text(), QStringLiteral("28"));
        press(lonD, Qt::Key_Z, Qt::ControlModifier, "\x1a");
        press(latD, Qt::Key_X, Qt::ControlModifier, "\x18");
        QCOMPARE(lonD->text() + latD->text(), QString());
        QVERIFY(recorder->messages.isEmpty());
    }

    // Pasted text goes by the digit rule, by Ctrl+V, Shift+Insert and the
    // box's menu: anything but digits is refused and leaves the box as it was.
    void pasteGoesByTheDigitRule_data()
    {
        QTest::addColumn<int>("how");  // 0 Ctrl+V, 1 Shift+Insert, 2 the box's menu
        QTest::addColumn<QString>("clipboard");
        for (int how : {0, 1, 2}) {
            for (const char *text : {"45", "4x", "-5", "4 5"})
                QTest::addRow("%d %s", how, text) << how << QString::fromLatin1(text);
        }
    }

    void pasteGoesByTheDigitRule()
    {
        QFETCH(int, how);
        QFETCH(QString, clipboard);
        const bool digits = clipboard == QStringLiteral("45");
        QLineEdit *edit = widget<QLineEdit>(w, "txtLatM");
        QTest::keyClicks(edit, QStringLiteral("12"));
        QGuiApplication::clipboard()->setText(clipboard);
        if (how == 2) {
            QTimer::singleShot(0, [] {
                auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
                menu->findChild<QAction *>(QStringLiteral("edit-paste"))->trigger();
                menu->close();
            });
            QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(2, 2), edit->mapToGlobal(QPoint(2, 2)));
            QApplication::sendEvent(edit, &event);
        } else {
            press(edit, how == 0 ? Qt::Key_V : Qt::Key_Insert, how == 0 ? Qt::ControlModifier : Qt::ShiftModifier,
                  how == 0 ? "\x16" : "");
        }
        QCOMPARE(edit->text(), digits ? QStringLiteral("1245") : QStringLiteral("12"));
        QCOMPARE(recorder->messageTexts(), digits ? QStringList() : QStringList{onlyNumbers});
    }

    // A screen that goes while a number box's menu is open (another window
    // opened a reading in its place) takes the menu with it, once.
    void screenGoesUnderTheBoxMenu()
    {
        QPointer<frmMain> screen = new frmMain;
        QLineEdit *edit = widget<QLineEdit>(screen, "txtLonM");
        QTimer::singleShot(0, screen, [screen] { screen->deleteLater(); });
        QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(2, 2), edit->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(edit, &event);
        QVERIFY(screen.isNull());
    }

    // --- validation ---

    void validation_data()
    {
        QTest::addColumn<QString>("boxName");  // box to overwrite, or empty
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("month");         // position, -1 keeps March
        QTest::addColumn<int>("day");           // day of month, 0 keeps 15
        QTest::addColumn<QString>("year");      // empty keeps 1975
        QTest::addColumn<QString>("message");   // empty: passes
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("focus");     // empty: focus stays where it was

        const QString febMessage = QStringLiteral("Please Enter Correct Date Or Month!");
        const QString aprMessage = QStringLiteral("Please Enter Correct Date Or Month !");
        const int error = int(MessageIcon::Error);
        const int info = int(MessageIcon::Information);
        QTest::newRow("valid") << "" << "" << -1 << 0 << "" << "" << 0 << "";
        QTest::newRow("name of spaces") << "txtName" << "   " << -1 << 0 << "" << "Please Enter Name" << error << "txtName";
        QTest::newRow("zone hour empty") << "txtZoneHour" << "" << -1 << 0 << "" << "Please Enter Hour and Minute of Time Zone" << error << "txtZoneHour";
        QTest::newRow("zone minute empty") << "txtZoneMinute" << " " << -1 << 0 << "" << "Please Enter Hour and Minute of Time Zone" << error << "txtZoneHour";
        QTest::newRow("lon degrees") << "txtLonD" << "" << -1 << 0 << "" << "Please Enter Degree of Longitude" << error << "txtLonD";
        QTest::newRow("lon minutes") << "txtLonM" << "" << -1 << 0 << "" << "Please Enter Minute of Longitude" << error << "txtLonM";
        QTest::newRow("lat degrees") << "txtLatD" << "" << -1 << 0 << "" << "Please Enter Degree of Latitude" << error << "txtLatD";
        QTest::newRow("lat minutes") << "txtLatM" << "" << -1 << 0 << "" << "Please Enter Minute of Latitude" << error << "txtLatM";
        QTest::newRow("29 Feb 2000") << "" << "" << 1 << 29 << "2000" << "" << 0 << "";
        QTest::newRow("29 Feb 1904") << "" << "" << 1 << 29 << "1904" << "" << 0 << "";
        QTest::newRow("29 Feb 1901") << "" << "" << 1 << 29 << "1901" << febMessage << info << "";
        QTest::newRow("30 Feb 2000") << "" << "" << 1 << 30 << "2000" << febMessage << info << "";
        QTest::newRow("31 Feb 2048") << "" << "" << 1 << 31 << "2048" << febMessage << info << "";
        QTest::newRow("31 Apr") << "" << "" << 3 << 31 << "" << aprMessage << info << "";
        QTest::newRow("31 Nov") << "" << "" << 10 << 31 << "" << aprMessage << info << "";
        QTest::newRow("31 Mar") << "" << "" << 2 << 31 << "" << "" << 0 << "";
        QTest::newRow("30 Apr") << "" << "" << 3 << 30 << "" << "" << 0 << "";
        QTest::newRow("empty box before wrong date") << "txtLatM" << "" << 3 << 31 << "" << "Please Enter Minute of Latitude" << error << "txtLatM";
        QTest::newRow("95 degrees") << "txtLonD" << "95" << -1 << 0 << "" << "" << 0 << "";
        QTest::newRow("75 minutes") << "txtLatM" << "75" << -1 << 0 << "" << "Please Enter Minute of Latitude from 0 to 59" << error << "txtLatM";
        QTest::newRow("latitude 95") << "txtLatD" << "95" << -1 << 0 << "" << "Please Enter Latitude from 0 to 90 Degrees" << error << "txtLatD";
        QTest::newRow("longitude 200") << "txtLonD" << "200" << -1 << 0 << "" << "Please Enter Longitude from 0 to 180 Degrees" << error << "txtLonD";
        QTest::newRow("lon minutes 99") << "txtLonM" << "99" << -1 << 0 << "" << "Please Enter Minute of Longitude from 0 to 59" << error << "txtLonM";
        QTest::newRow("zone 99 hours") << "txtZoneHour" << "99" << -1 << 0 << "" << "Please Enter Time Zone from 0 to 14 Hours" << error << "txtZoneHour";
        QTest::newRow("zone 75 minutes") << "txtZoneMinute" << "75" << -1 << 0 << "" << "Please Enter Minute of Time Zone from 0 to 59" << error << "txtZoneMinute";
        QTest::newRow("picker's minus") << "txtZoneMinute" << "-30" << -1 << 0 << "" << "" << 0 << "";
        QTest::newRow("40000 degrees") << "txtLonD" << "40000" << -1 << 0 << "" << "Please Enter Degree of Longitude" << error << "txtLonD";
        QTest::newRow("12.5 pasted") << "txtLatD" << "12.5" << -1 << 0 << "" << "Please Enter Degree of Latitude" << error << "txtLatD";
        QTest::newRow("zone minute 99999") << "txtZoneMinute" << "99999" << -1 << 0 << "" << "Please Enter Hour and Minute of Time Zone" << error << "txtZoneHour";
        QTest::newRow("zone hour 5.5") << "txtZoneHour" << "5.5" << -1 << 0 << "" << "Please Enter Hour and Minute of Time Zone" << error << "txtZoneHour";
        QTest::newRow("32768 doesn't") << "txtLatM" << "32768" << -1 << 0 << "" << "Please Enter Minute of Latitude" << error << "txtLatM";
    }

    void validation()
    {
        QFETCH(QString, boxName);
        QFETCH(QString, text);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(QString, year);
        QFETCH(QString, message);
        QFETCH(int, icon);
        QFETCH(QString, focus);

        fillValid();
        if (!boxName.isEmpty())
            widget<QLineEdit>(w, boxName)->setText(text);
        if (month >= 0)
            widget<QComboBox>(w, "cboMonth")->setCurrentIndex(month);
        if (day > 0)
            widget<QComboBox>(w, "cboDate")->setCurrentText(QString::number(day));
        if (!year.isEmpty())
            widget<QComboBox>(w, "cboYear")->setCurrentText(year);
        widget<QPushButton>(w, "cmdCalculate")->setFocus();
        const auto held = [this] {
            return QStringList{widget<QLineEdit>(w, "txtName")->text(), widget<QLineEdit>(w, "txtZoneHour")->text(),
                               widget<QLineEdit>(w, "txtLatD")->text(), widget<QComboBox>(w, "cboDate")->currentText()};
        };
        const QStringList before = held();

        const bool passed = w->validateInput();

        QCOMPARE(passed, message.isEmpty());
        if (passed) {
            QVERIFY(recorder->messages.isEmpty());
            QCOMPARE(focusName(), QStringLiteral("cmdCalculate"));
        } else {
            QCOMPARE(recorder->messages.size(), 1);
            QCOMPARE(recorder->messages.first().text, message);
            QCOMPARE(int(recorder->messages.first().icon), icon);
            QCOMPARE(focusName(), focus.isEmpty() ? QStringLiteral("cmdCalculate") : focus);
        }
        // The screen is left exactly as the user entered it.
        QCOMPARE(held(), before);
    }

    void validationReportsInTableOrder()
    {
        // Everything empty and 31 February: one message at a time, in order.
        widget<QComboBox>(w, "cboMonth")->setCurrentIndex(1);
        widget<QComboBox>(w, "cboDate")->setCurrentIndex(30);
        const QList<std::pair<QString, QString>> steps = {
            {"Please Enter Name", "txtName"},
            {"Please Enter Hour and Minute of Time Zone", "txtZoneHour"},
            {"Please Enter Hour and Minute of Time Zone", "txtZoneMinute"},
            {"Please Enter Degree of Longitude", "txtLonD"},
            {"Please Enter Minute of Longitude", "txtLonM"},
            {"Please Enter Degree of Latitude", "txtLatD"},
            {"Please Enter Minute of Latitude", "txtLatM"},
            {"Please Enter Correct Date Or Month!", ""},
        };
        for (const auto &[message, fill] : steps) {
            recorder->messages.clear();
            w->cmdCalculate_Click();
            QCOMPARE(recorder->messageTexts(), QStringList{message});
            if (!fill.isEmpty())
                QTest::keyClicks(widget<QLineEdit>(w, fill), fill == QLatin1String("txtName") ? QStringLiteral("Ann") : QStringLiteral("1"));
        }
        QVERIFY(!session->reading());  // nothing was calculated
    }

    void calculateMenuGivesTheButtonsMessages()
    {
        widget<QAction>(w, "mnuCalculate")->trigger();
        QTest::mouseClick(widget<QPushButton>(w, "cmdCalculate"), Qt::LeftButton);
        QTest::keyClick(w, Qt::Key_G, Qt::AltModifier);
        QTRY_COMPARE(recorder->messageTexts(),
                     QStringList({"Please Enter Name", "Please Enter Name", "Please Enter Name"}));
        // An access key works from a number box; it is no typed character.
        QTest::keyClick(widget<QLineEdit>(w, "txtLatD"), Qt::Key_G, Qt::AltModifier);
        QTRY_COMPARE(recorder->messageTexts().size(), 4);
        QCOMPARE(recorder->messageTexts().last(), QStringLiteral("Please Enter Name"));

        widget<QLineEdit>(w, "txtName")->setText(QStringLiteral("Ann"));
        widget<QAction>(w, "mnuCalculate")->trigger();
        QCOMPARE(recorder->messageTexts().last(), QStringLiteral("Please Enter Hour and Minute of Time Zone"));
        QCOMPARE(focusName(), QStringLiteral("txtZoneHour"));
    }

    // --- the picker from the screen ---

    void pickerWritesOnlyTheZoneBoxes()
    {
        QTest::keyClicks(widget<QLineEdit>(w, "txtZoneHour"), QStringLiteral("11"));
        QTest::keyClicks(widget<QLineEdit>(w, "txtZoneMinute"), QStringLiteral("15"));
        widget<QCheckBox>(w, "chkDST")->setChecked(true);
        widget<QRadioButton>(w, "optLong", 1)->setChecked(true);
        whenModal([](QWidget *modal) { pickZone(modal, QStringLiteral("Eastern Daylight Time,EDT,-4.0")); });
        QTest::mouseClick(widget<LinkLabel>(w, "lblTZHelp"), Qt::LeftButton);
        QCOMPARE(widget<QLineEdit>(w, "txtZoneHour")->text(), QStringLiteral("4"));
        QCOMPARE(widget<QLineEdit>(w, "txtZoneMinute")->text(), QStringLiteral("0"));
        QVERIFY(widget<QCheckBox>(w, "chkDST")->isChecked());
        QVERIFY(widget<QRadioButton>(w, "optLong", 1)->isChecked());
        QVERIFY(!QApplication::activeModalWidget());
    }

    void pickerQuitLeavesTheBoxes()
    {
        QTest::keyClicks(widget<QLineEdit>(w, "txtZoneHour"), QStringLiteral("8"));
        whenModal([](QWidget *modal) { QTest::keyClick(modal, Qt::Key_Escape); });
        w->lblTZHelp_Click();
        QCOMPARE(widget<QLineEdit>(w, "txtZoneHour")->text(), QStringLiteral("8"));
        QCOMPARE(widget<QLineEdit>(w, "txtZoneMinute")->text(), QString());
    }

    void pickersMinusIsKeptAndAccepted()
    {
        fillValid();
        whenModal([](QWidget *modal) { pickZone(modal, QStringLiteral("Indian Time, IST, +5.3")); });
        w->lblTZHelp_Click();
        QCOMPARE(widget<QLineEdit>(w, "txtZoneHour")->text(), QStringLiteral("-5"));
        QCOMPARE(widget<QLineEdit>(w, "txtZoneMinute")->text(), QStringLiteral("-30"));
        QVERIFY(w->validateInput());
        QVERIFY(recorder->messages.isEmpty());
        QCOMPARE(widget<QLineEdit>(w, "txtZoneMinute")->text(), QStringLiteral("-30"));
    }

    // Alt+G clicks "Get My Chinese Lunar Mansion" a moment later, by a
    // timer: F1 pressed at once has the picker open by then. The screen
    // stays, with the picker it owns, and calculates nothing.
    void accessKeyClickWaitsOutThePicker()
    {
        fillValid();
        QTest::keyClick(w, Qt::Key_G, Qt::AltModifier);
        whenModal([](QWidget *modal) {
            QTest::qWait(300);  // the click comes due, and deletions run
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        w->lblTZHelp_Click();
        QVERIFY(w);
        QCOMPARE(onlyMainScreen(), w.data());
        QVERIFY(openWindows<frmChineseLunarMansionResult>().isEmpty());
        QVERIFY(!session->reading());
    }

    // --- the coordinates lookup ---

    // The place chosen in the lookup is typed into the screen: coordinates
    // rounded to the minute with their hemispheres, the zone and DST only
    // when the place states them. The rest of the screen stays as it was.
    void lookupFillsThePlace_data()
    {
        QTest::addColumn<std::optional<ChosenPlace>>("answer");
        QTest::addColumn<QStringList>("boxes");  // latitude, longitude, zone: degrees or hours, minutes
        QTest::addColumn<bool>("north");
        QTest::addColumn<bool>("east");
        QTest::addColumn<bool>("dst");
        QTest::addColumn<QStringList>("names");  // city, state, country
        const QStringList typed{"Kathmandu", "Kathmandu", "Kathmandu"};
        const auto place = [&typed](double latitude, double longitude, std::optional<ZoneOffset> zone = {},
                                    bool dst = false, const QStringList &names = {}) {
            const QStringList &name = names.isEmpty() ? typed : names;
            return std::optional(ChosenPlace{name[0], name[1], name[2], Angle::fromDegrees(latitude),
                                             Angle::fromDegrees(longitude), "Some/Zone", zone, dst, {}});
        };
        const auto zone = [](qint16 hours, qint16 minutes) { return ZoneOffset{hours, minutes}; };
        QTest::newRow("nothing chosen") << std::optional<ChosenPlace>() << QStringList{"1", "2", "3", "4", "8", "15"}
                                        << false << false << true << typed;
        QTest::newRow("Kathmandu with its zone") << place(27.70169, 85.3206, zone(5, 30))
                                                 << QStringList{"27", "42", "85", "19", "5", "30"} << true << true << false << typed;
        QTest::newRow("no zone fields: zone and DST kept") << place(51.50853, -0.12574)
                                                           << QStringList{"51", "31", "0", "8", "8", "15"}
                                                           << true << false << true << typed;
        QTest::newRow("59.6 minutes carry, south and west") << place(-33.99999, -70.9999, zone(4, 0), true)
                                                            << QStringList{"34", "0", "71", "0", "4", "0"}
                                                            << false << false << true << typed;
        QTest::newRow("rounds to 0° 0': north and east") << place(-0.004, -0.008)
                                                         << QStringList{"0", "0", "0", "0", "8", "15"}
                                                         << true << true << true << typed;
        const QStringList named{"Ponta Delgada", "Azores", "Portugal"};
        QTest::newRow("the place's names") << place(37.73952, -25.66874, zone(1, 0), false, named)
                                           << QStringList{"37", "44", "25", "40", "1", "0"} << true << false << false
                                           << QStringList{"Ponta Delgada", "Azores", "Portugal"};
    }

    void lookupFillsThePlace()
    {
        QFETCH(std::optional<ChosenPlace>, answer);
        QFETCH(QStringList, boxes);
        QFETCH(bool, north);
        QFETCH(bool, east);
        QFETCH(bool, dst);
        QFETCH(QStringList, names);
        widget<QLineEdit>(w, "txtName")->setText(QStringLiteral("Ann"));
        widget<QComboBox>(w, "cboYear")->setCurrentText(QStringLiteral("1980"));
        widget<QComboBox>(w, "cboHH")->setCurrentText(QStringLiteral("12"));
        widget<QComboBox>(w, "cboSS")->setCurrentText(QStringLiteral("45"));
        const QList<QLineEdit *> filled{widget<QLineEdit>(w, "txtLatD"), widget<QLineEdit>(w, "txtLatM"), widget<QLineEdit>(w, "txtLonD"),
                                        widget<QLineEdit>(w, "txtLonM"), widget<QLineEdit>(w, "txtZoneHour"), widget<QLineEdit>(w, "txtZoneMinute")};
        for (int i = 0; i < filled.size(); ++i)
            filled[i]->setText(QStringList{"1", "2", "3", "4", "8", "15"}.at(i));
        widget<QRadioButton>(w, "optLat", 1)->setChecked(true);
        widget<QRadioButton>(w, "optLong", 1)->setChecked(true);
        widget<QCheckBox>(w, "chkDST")->setChecked(true);
        for (QLineEdit *place : {widget<QLineEdit>(w, "txtMCity"), widget<QLineEdit>(w, "txtMState"), widget<QLineEdit>(w, "txtMCountry")})
            place->setText(QStringLiteral("Kathmandu"));
        recorder->places.push_back(answer);

        QTest::mouseClick(widget<QPushButton>(w, "cmdBrowser"), Qt::LeftButton);

        // The birth moment on the screen went with the query, the seconds not,
        // and the boxes apart.
        QCOMPARE(recorder->queries.size(), 1);
        const PlaceQuery &query = recorder->queries.first();
        QCOMPARE((QStringList{query.city, query.state, query.country}), QStringList(3, QStringLiteral("Kathmandu")));
        QCOMPARE(query.date, QDate(1980, 1, 1));
        QCOMPARE(query.time, QTime(12, 0));
        QStringList texts;
        for (QLineEdit *box : filled)
            texts.append(box->text());
        QCOMPARE(texts, boxes);
        QCOMPARE(widget<QRadioButton>(w, "optLat", 0)->isChecked(), north);
        QCOMPARE(widget<QRadioButton>(w, "optLat", 1)->isChecked(), !north);
        QCOMPARE(widget<QRadioButton>(w, "optLong", 0)->isChecked(), east);
        QCOMPARE(widget<QRadioButton>(w, "optLong", 1)->isChecked(), !east);
        QCOMPARE(widget<QCheckBox>(w, "chkDST")->isChecked(), dst);
        QCOMPARE(widget<QLineEdit>(w, "txtName")->text(), QStringLiteral("Ann"));
        QCOMPARE((QStringList{widget<QLineEdit>(w, "txtMCity")->text(), widget<QLineEdit>(w, "txtMState")->text(),
                              widget<QLineEdit>(w, "txtMCountry")->text()}), names);
        QCOMPARE(widget<QComboBox>(w, "cboSS")->currentText(), QStringLiteral("45"));
        QVERIFY(recorder->messages.isEmpty());
    }

    // A zone filled from a place carries its sign where the longitude would
    // say the other side, and follows the birth moment while the screen
    // still shows the place chosen last (even one whose clocks skipped the
    // moment) and the user hasn't set a zone of their own; alike after
    // Change Birth Data. Calculate refuses a moment the clocks skipped.
    void placeZoneFollowsTheMoment_data()
    {
        QTest::addColumn<QList<ChosenPlace>>("places"); // chosen in the lookup in turn
        QTest::addColumn<QString>("before");  // "yyyy-MM-dd HH:mm" set before the lookup; empty: untouched
        QTest::addColumn<QString>("after");   // set after it; empty: none
        QTest::addColumn<QString>("edit");    // what the user does in between: "", "zone", "lon" or "change birth data"
        QTest::addColumn<QStringList>("zone"); // the two zone boxes at the end
        QTest::addColumn<bool>("dst");
        QTest::addColumn<QString>("note");
        QTest::addColumn<double>("universalTime");  // of the reading at the end; NaN: none
        QTest::addColumn<QString>("refusal");  // Calculate's message instead of a reading
        const auto place = [](double lat, double lon, const char *zoneId, int hours = -1, int minutes = 0,
                              bool dst = false, const char *sign = "") {
            ChosenPlace chosen{{}, {}, {}, Angle::fromDegrees(lat), Angle::fromDegrees(lon), zoneId, {}, dst, {}};
            if (hours >= 0)  // none for a moment the clocks skipped
                chosen.zone = ZoneOffset{qint16(hours), qint16(minutes), zoneDirectionOfSign(QLatin1Char(*sign), ZoneSigns::Picker)};
            return QList<ChosenPlace>{chosen};
        };
        const QList<ChosenPlace> madrid = place(40.4165, -3.70256, "Europe/Madrid", 1, 0, false, "-");
        const QList<ChosenPlace> pune = place(18.51957, 73.85535, "Asia/Kolkata", 5, 21, false);
        const double none = qQNaN();
        QTest::newRow("Madrid, signed") << madrid << "1990-01-01 12:00" << "" << "" << QStringList{"-1", "0"} << false << "" << 11.0 << "";
        QTest::newRow("Madrid into summer") << madrid << "1990-01-01 12:00" << "1990-07-01 12:00" << "" << QStringList{"-1", "0"} << true << "" << 10.0 << "";
        QTest::newRow("Pune at 1901") << pune << "" << "" << "" << QStringList{"5", "21"} << false << "Depends on the date" << none << "";
        QTest::newRow("Pune moved to 1990") << pune << "" << "1990-01-01 00:00" << "" << QStringList{"5", "30"} << false << "" << -5.5 << "";
        QTest::newRow("a skipped hour empties the zone")
            << place(40.71427, -74.00597, "America/New_York", 5, 0, false) << "2020-03-08 01:00" << "2020-03-08 02:30" << ""
            << QStringList{"", ""} << false << "No such time there" << none << "The clock time 02:30 on 8 March 2020 did not exist: the clocks went forward, and the nearest valid times are 01:59 and 03:00.";
        QTest::newRow("the user's own zone stays") << pune << "" << "1990-01-01 00:00" << "zone" << QStringList{"5", "219"} << false << "" << none << "";
        QTest::newRow("other coordinates: the zone stays") << pune << "" << "1990-01-01 00:00" << "lon" << QStringList{"5", "21"} << false << "" << none << "";
        QTest::newRow("Change Birth Data, into summer") << place(47.56076, 13.64809, "Europe/Vienna", 1, 0, false) << "1985-03-03 07:10" << "1985-07-03 19:10" << "change birth data" << QStringList{"1", "0"} << true << "" << 17 + 10 / 60.0 << "";
        QTest::newRow("Change Birth Data, into winter") << place(40.4165, -3.70256, "Europe/Madrid", 1, 0, true, "-") << "1990-07-01 12:00" << "1990-01-01 12:00" << "change birth data" << QStringList{"-1", "0"} << false << "" << 11.0 << "";
        QTest::newRow("a place whose clocks skipped the moment") << place(51.50853, -0.12574, "Europe/London", 0, 0, true) + place(40.4165, -3.70256, "Europe/Madrid") << "1990-03-25 02:30" << "1990-03-25 08:30" << "" << QStringList{"-1", "0"} << true << "" << 6.5 << "";
        QTest::newRow("a birth in a skipped hour") << place(39.80172, -89.64371, "America/Chicago") << "1990-04-01 02:30" << "" << "" << QStringList{"", ""} << false << "No such time there" << none
            << "The clock time 02:30 on 1 April 1990 did not exist: the clocks went forward, and the nearest valid times are 01:59 and 03:00.";
    }

    void placeZoneFollowsTheMoment()
    {
        QFETCH(QList<ChosenPlace>, places);
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(QString, edit);
        QFETCH(QStringList, zone);
        QFETCH(bool, dst);
        QFETCH(QString, note);
        QFETCH(double, universalTime);
        QFETCH(QString, refusal);
        const auto setMoment = [this](const QString &text) {
            const QDateTime moment = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm"));
            widget<QComboBox>(w, "cboYear")->setCurrentText(QString::number(moment.date().year()));
            widget<QComboBox>(w, "cboMonth")->setCurrentIndex(moment.date().month() - 1);
            widget<QComboBox>(w, "cboDate")->setCurrentIndex(moment.date().day() - 1);
            widget<QComboBox>(w, "cboHH")->setCurrentIndex(moment.time().hour());
            widget<QComboBox>(w, "cboMM")->setCurrentIndex(moment.time().minute());
        };
        if (!before.isEmpty())
            setMoment(before);
        for (const char *box : {"txtName", "txtMCity", "txtMState", "txtMCountry"})
            widget<QLineEdit>(w, box)->setText(QStringLiteral("Ann"));
        for (const ChosenPlace &place : places) {
            recorder->places.push_back(place);
            w->cmdBrowser_Click();
        }
        if (edit == QLatin1String("zone"))
            QTest::keyClicks(widget<QLineEdit>(w, "txtZoneMinute"), QStringLiteral("9"));
        if (edit == QLatin1String("lon"))
            widget<QLineEdit>(w, "txtLonD")->setText(QStringLiteral("80"));
        if (edit == QLatin1String("change birth data")) {
            w->cmdCalculate_Click();
            widget<QAction>(onlyResultScreen(), "mnuChangeBirthData")->trigger();
            w = onlyMainScreen();
        }
        if (!after.isEmpty())
            setMoment(after);

        QCOMPARE((QStringList{widget<QLineEdit>(w, "txtZoneHour")->text(), widget<QLineEdit>(w, "txtZoneMinute")->text()}), zone);
        QCOMPARE(widget<QCheckBox>(w, "chkDST")->isChecked(), dst);
        QCOMPARE(widget<QLabel>(w, "lblZoneNote")->text(), note);
        if (!refusal.isEmpty()) {
            w->cmdCalculate_Click();
            QCOMPARE(recorder->messageTexts(), QStringList{refusal});
            QCOMPARE(recorder->messages.first().icon, MessageIcon::Error);
            QVERIFY(!session->reading());
            QCOMPARE(widget<QLineEdit>(w, "txtZoneHour")->text(), zone.first());
        }
        if (qIsNaN(universalTime))
            return;
        w->cmdCalculate_Click();
        QVERIFY(session->reading());
        QCOMPARE(session->reading()->ephemeris->universalTime, universalTime);
        // A screen filled from that birth holds the same zone, sign and all.
        frmMain again;
        again.fillBirth(*session->reading()->birth, BirthPlace{});
        QCOMPARE((QStringList{widget<QLineEdit>(&again, "txtZoneHour")->text(), widget<QLineEdit>(&again, "txtZoneMinute")->text()}), zone);
    }

    // "Central European Time" writes -1: a clock ahead of UT, also at a West longitude.
    void pickersSignGivesTheDirection()
    {
        fillValid();
        widget<QLineEdit>(w, "txtLonD")->setText(QStringLiteral("3"));
        widget<QLineEdit>(w, "txtLonM")->setText(QStringLiteral("42"));
        widget<QRadioButton>(w, "optLong", 1)->setChecked(true);
        widget<QComboBox>(w, "cboMonth")->setCurrentIndex(6);
        widget<QComboBox>(w, "cboDate")->setCurrentIndex(0);
        widget<QComboBox>(w, "cboYear")->setCurrentText(QStringLiteral("1990"));
        widget<QComboBox>(w, "cboHH")->setCurrentIndex(12);
        widget<QCheckBox>(w, "chkDST")->setChecked(true);
        whenModal([](QWidget *modal) { pickZone(modal, QStringLiteral("Central European Time,CET,+1.0")); });
        w->lblTZHelp_Click();
        w->cmdCalculate_Click();
        QVERIFY(session->reading());
        QCOMPARE(session->reading()->ephemeris->universalTime, 10.0);
    }

    // --- back to the same birth ---

    void changeBirthDataRestoresTheScreen_data()
    {
        // The boxes' and lists' texts in the order of `boxes` below; South, West and DST.
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<bool>("southWestDst");
        QTest::newRow("New Delhi") << QStringList{"Ann", "August", "15", "1947", "0", "0", "5", "30", "77", "13",
                                                  "28", "36", "New Delhi", "Delhi", "India"}
                                   << false;
        QTest::newRow("Santiago") << QStringList{"Bo Li", "December", "31", "2049", "23", "59", "3", "0", "70", "40",
                                                 "33", "27", "Santiago", "", "Chile"}
                                  << true;
    }

    void changeBirthDataRestoresTheScreen()
    {
        QFETCH(QStringList, typed);
        QFETCH(bool, southWestDst);
        const char *const boxes[] = {"txtName", "cboMonth", "cboDate", "cboYear", "cboHH", "cboMM",
                                     "txtZoneHour", "txtZoneMinute", "txtLonD", "txtLonM", "txtLatD", "txtLatM",
                                     "txtMCity", "txtMState", "txtMCountry"};
        const auto shown = [&boxes](QWidget *screen) {
            QStringList texts;
            for (const char *name : boxes) {
                auto *box = screen->findChild<QLineEdit *>(QString::fromLatin1(name));
                texts.append(box ? box->text() : widget<QComboBox>(screen, name)->currentText());
            }
            return texts << QString::number(widget<QRadioButton>(screen, "optLat", 1)->isChecked())
                         << QString::number(widget<QRadioButton>(screen, "optLong", 1)->isChecked())
                         << QString::number(widget<QCheckBox>(screen, "chkDST")->isChecked());
        };
        for (int i = 0; i < typed.size(); ++i) {
            if (auto *box = w->findChild<QLineEdit *>(QString::fromLatin1(boxes[i])))
                box->setText(typed.at(i));
            else
                widget<QComboBox>(w, boxes[i])->setCurrentText(typed.at(i));
        }
        widget<QRadioButton>(w, "optLat", southWestDst)->setChecked(true);
        widget<QRadioButton>(w, "optLong", southWestDst)->setChecked(true);
        widget<QCheckBox>(w, "chkDST")->setChecked(southWestDst);
        const QStringList before = shown(w);
        w->cmdCalculate_Click();

        widget<QAction>(onlyResultScreen(), "mnuChangeBirthData")->trigger(); // enabled: it acts
        frmMain *again = onlyMainScreen();
        QVERIFY(again && !onlyResultScreen());
        QCOMPARE(shown(again), before);

        // One value changed, the same birth otherwise.
        const qint16 minute = (session->reading()->birth->minute + 1) % 60;
        widget<QComboBox>(again, "cboMM")->setCurrentText(QString::number(minute));
        again->cmdCalculate_Click();
        QCOMPARE(session->reading()->birth->minute, minute);
    }

    // A reading opened from a file holds no birth; Ctrl+O opens, Ctrl+Q ends.
    void shortcutsOfTheScreens()
    {
        frmChineseLunarMansionResult *fromFile = showReadingOf(QStringLiteral("Ashwini"), session, w);
        QVERIFY(!widget<QAction>(fromFile, "mnuChangeBirthData")->isEnabled());
        widget<QAction>(fromFile, "quitShortcut")->trigger();
        QVERIFY(openWindows<Screen>().isEmpty());
        consumeQuitRequest();

        auto *mainScreen = new frmMain(session);
        widget<QAction>(mainScreen, "openShortcut")->trigger();
        QCOMPARE(recorder->fileRequests.size(), 1);
        delete mainScreen;
    }

    // --- end to end ---

    void independenceDayReachesPushya()
    {
        QTest::keyClicks(widget<QLineEdit>(w, "txtName"), QStringLiteral("  Ann  "));
        widget<QComboBox>(w, "cboMonth")->setCurrentText(QStringLiteral("August"));
        widget<QComboBox>(w, "cboDate")->setCurrentText(QStringLiteral("15"));
        widget<QComboBox>(w, "cboYear")->setCurrentText(QStringLiteral("1947"));
        QCOMPARE(widget<QComboBox>(w, "cboHH")->currentText(), QStringLiteral("0"));
        QCOMPARE(widget<QComboBox>(w, "cboMM")->currentText(), QStringLiteral("0"));
        widget<QComboBox>(w, "cboSS")->setCurrentText(QStringLiteral("45"));  // never read
        QTest::keyClicks(widget<QLineEdit>(w, "txtLonD"), QStringLiteral("77"));
        QTest::keyClicks(widget<QLineEdit>(w, "txtLonM"), QStringLiteral("13"));
        QTest::keyClicks(widget<QLineEdit>(w, "txtLatD"), QStringLiteral("28"));
        QTest::keyClicks(widget<QLineEdit>(w, "txtLatM"), QStringLiteral("36"));
        whenModal([](QWidget *modal) { pickZone(modal, QStringLiteral("Indian Time, IST, +5.3")); });
        w->lblTZHelp_Click();

        w->cmdCalculate_Click();

        QVERIFY(recorder->messages.isEmpty());
        QVERIFY(session->reading());
        QCOMPARE(session->reading()->nakshatraName, QStringLiteral("Pushya"));
        const BirthData &birth = *session->reading()->birth;
        QCOMPARE(birth.name, QStringLiteral("Ann"));
        QCOMPARE(birth.month, qint16(8));
        QCOMPARE(birth.day, qint16(15));
        QCOMPARE(birth.year, qint16(1947));
        QCOMPARE(birth.zoneHours, qint16(5));
        QCOMPARE(birth.zoneMinutes, qint16(30));
        QCOMPARE(birth.lonDegrees, qint16(77));
        QCOMPARE(birth.lonMinutes, qint16(13));
        QVERIFY(birth.isEast && birth.isNorth && !birth.dst);
    }
};

QTEST_MAIN(TestFrmMain)
#include "test_frmmain.moc"
