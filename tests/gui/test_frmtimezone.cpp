// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/TimeZones.h"
#include "ui/frmTimeZone.h"
#include "Widgets.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <memory>

class TestFrmTimeZone : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> owner;  // stands in for the main screen
    QLineEdit *hourBox = nullptr;
    QLineEdit *minuteBox = nullptr;
    std::unique_ptr<frmTimeZone> picker;

    void openPicker()
    {
        picker = std::make_unique<frmTimeZone>(owner.get(), hourBox, minuteBox);
        picker->show();
        QVERIFY(QTest::qWaitForWindowActive(picker.get()));
    }

    QListWidgetItem *entry(const QString &text) const
    {
        const QList<QListWidgetItem *> found = widget<QListWidget>(picker.get(), "lstTimeZone")->findItems(text, Qt::MatchExactly);
        return found.size() == 1 ? found.first() : nullptr;
    }

    // A double-click on the entry as the window system delivers it: press,
    // release, press and double-click.
    void doubleClick(QListWidgetItem *item)
    {
        QListWidget *list = widget<QListWidget>(picker.get(), "lstTimeZone");
        list->scrollToItem(item);
        const QPoint at = list->viewport()->mapTo(picker.get(), list->visualItemRect(item).center());
        QTest::mouseDClick(picker->windowHandle(), Qt::LeftButton, {}, at);
    }

private slots:
    void init()
    {
        owner = std::make_unique<QWidget>();
        hourBox = new QLineEdit(owner.get());
        minuteBox = new QLineEdit(owner.get());
        openPicker();
    }

    void cleanup()
    {
        picker.reset();
        owner.reset();
    }

    void theWindow()
    {
        QCOMPARE(picker->windowTitle(), QStringLiteral("Quorvel v1.15"));
        QCOMPARE(picker->size(), QSize(329, 232));
        QCOMPARE(widget<QPushButton>(picker.get(), "cmdQuit")->text(), QStringLiteral("&Quit"));
        QVERIFY(widget<QPushButton>(picker.get(), "cmdQuit")->isDefault());
        QVERIFY(widget<QListWidget>(picker.get(), "lstTimeZone")->font().bold());
        QCOMPARE(widget<QListWidget>(picker.get(), "lstTimeZone")->palette().color(QPalette::Text), QColor(Qt::black));
        QCOMPARE(QApplication::focusWidget(), widget<QListWidget>(picker.get(), "lstTimeZone"));
        QVERIFY(widget<QListWidget>(picker.get(), "lstTimeZone")->selectedItems().isEmpty());
    }

    void listsAllZonesInTableOrder()
    {
        QListWidget *list = widget<QListWidget>(picker.get(), "lstTimeZone");
        QCOMPARE(list->count(), 71);
        for (int row = 0; row < list->count(); ++row)
            QCOMPARE(list->item(row)->text(), QString::fromUtf8(timeZones[std::size_t(row)].text));
        QCOMPARE(list->item(0)->text(), QStringLiteral("Alaska/Hawaii Daylight Time,AHDT,-9.0"));
        QCOMPARE(list->item(34)->text(), QStringLiteral("Indian Time, IST, +5.3"));
        QCOMPARE(list->item(70)->text(), QStringLiteral("Yukon War Time,YWT,-8.0"));
        // Entries differing only in their abbreviation are all there.
        QVERIFY(entry(QStringLiteral("South Australia Daylight Time,SAD,+10.5")));
        QVERIFY(entry(QStringLiteral("South Australia Daylight Time,SDT,+10.5")));
        QVERIFY(entry(QStringLiteral("Newfoundland Standard Time,NST,-3.5")));
        QVERIFY(entry(QStringLiteral("North Sumatra Time,NST,+6.5")));
    }

    // Each row's values are the opposite of the offset named in its text; a
    // typo in either column of the table shows up here.
    void valuesAgreeWithTheNamedOffsets()
    {
        static const QRegularExpression offset(QStringLiteral(",\\s*([+-]?)(\\d+)\\.(\\d)$"));
        for (const TimeZoneEntry &zone : timeZones) {
            const QString text = QString::fromUtf8(zone.text);
            const QRegularExpressionMatch match = offset.match(text);
            QVERIFY2(match.hasMatch(), qPrintable(text));
            const int sign = match.captured(1) == QLatin1String("-") ? 1 : -1;  // values are opposite
            const int hours = match.captured(2).toInt();
            const int minutes = match.captured(3) == QLatin1String("0") ? 0 : 30;  // ".5", and IST's ".3"
            QVERIFY2(zone.hours == (hours == 0 ? 0 : sign * hours), qPrintable(text));
            QVERIFY2(zone.minutes == (minutes == 0 ? 0 : sign * minutes), qPrintable(text));
        }
    }

    void doubleClickWritesTheZone_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("hours");
        QTest::addColumn<QString>("minutes");
        QTest::newRow("GMT") << "Greenwich Mean Time,GMT,0.0" << "0" << "0";
        QTest::newRow("UT") << "Universal Time, UT, 0.0" << "0" << "0";
        QTest::newRow("EST") << "Eastern Standard Time,EST,-5.0" << "5" << "0";
        QTest::newRow("CET") << "Central European Time,CET,+1.0" << "-1" << "0";
        QTest::newRow("HST") << "Hawaiian Standard Time,HST,-10.5" << "10" << "30";
        QTest::newRow("Newfoundland") << "Newfoundland Standard Time,NST,-3.5" << "3" << "30";
        QTest::newRow("IST") << "Indian Time, IST, +5.3" << "-5" << "-30";
        QTest::newRow("NZST") << "New Zealand Std Summer Time,NZST,+13.0" << "-13" << "0";
        QTest::newRow("last") << "Yukon War Time,YWT,-8.0" << "8" << "0";
    }

    void doubleClickWritesTheZone()
    {
        QFETCH(QString, text);
        QFETCH(QString, hours);
        QFETCH(QString, minutes);
        // Typed digits are replaced, not added to.
        hourBox->setText(QStringLiteral("12"));
        minuteBox->setText(QStringLiteral("45"));
        QListWidgetItem *item = entry(text);
        QVERIFY(item);
        doubleClick(item);
        QCOMPARE(hourBox->text(), hours);
        QCOMPARE(minuteBox->text(), minutes);
        QVERIFY(!picker->isVisible());
        QCOMPARE(picker->result(), int(QDialog::Accepted));
    }

    void doubleClickWithoutSelectionWritesNothing()
    {
        hourBox->setText(QStringLiteral("7"));
        minuteBox->setText(QStringLiteral("0"));
        QListWidget *list = widget<QListWidget>(picker.get(), "lstTimeZone");
        QVERIFY(list->selectedItems().isEmpty());
        // A double-click event with no click before it selects nothing.
        const QPointF at(5, 5);
        QMouseEvent dblClick(QEvent::MouseButtonDblClick, at, list->viewport()->mapToGlobal(at), Qt::LeftButton,
                             Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &dblClick);
        QCOMPARE(hourBox->text(), QStringLiteral("7"));
        QCOMPARE(minuteBox->text(), QStringLiteral("0"));
        QVERIFY(!picker->isVisible());
    }

    void quitEnterEscapeAndCloseWriteNothing_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("Quit clicked") << 0;
        QTest::newRow("Enter") << 1;
        QTest::newRow("Escape") << 2;
        QTest::newRow("close control") << 3;
        QTest::newRow("Alt+Q") << 4;
    }

    void quitEnterEscapeAndCloseWriteNothing()
    {
        QFETCH(int, way);
        hourBox->setText(QStringLiteral("3"));
        minuteBox->clear();
        // An entry is selected: Enter still quits rather than choosing it.
        QListWidget *list = widget<QListWidget>(picker.get(), "lstTimeZone");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(3)).center());
        QCOMPARE(list->selectedItems().size(), 1);
        switch (way) {
        case 0:
            QTest::mouseClick(widget<QPushButton>(picker.get(), "cmdQuit"), Qt::LeftButton);
            break;
        case 1:
            QTest::keyClick(list, Qt::Key_Return);
            break;
        case 2:
            QTest::keyClick(list, Qt::Key_Escape);
            break;
        case 3:
            picker->close();
            break;
        case 4:
            QTest::keyClick(picker->windowHandle(), Qt::Key_Q, Qt::AltModifier);
            break;
        }
        QTRY_VERIFY(!picker->isVisible());  // an access key presses its button after a moment
        QCOMPARE(picker->result(), int(QDialog::Rejected));
        QCOMPARE(hourBox->text(), QStringLiteral("3"));
        QCOMPARE(minuteBox->text(), QString());
    }

    void eachOpeningStartsAfresh()
    {
        QListWidget *list = widget<QListWidget>(picker.get(), "lstTimeZone");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(5)).center());
        QTest::mouseClick(widget<QPushButton>(picker.get(), "cmdQuit"), Qt::LeftButton);
        openPicker();
        QCOMPARE(widget<QListWidget>(picker.get(), "lstTimeZone")->count(), 71);
        QVERIFY(widget<QListWidget>(picker.get(), "lstTimeZone")->selectedItems().isEmpty());
    }
};

QTEST_MAIN(TestFrmTimeZone)
#include "test_frmtimezone.moc"
