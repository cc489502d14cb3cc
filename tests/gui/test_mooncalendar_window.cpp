// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The Moon calendar window, reached from the result screen's File menu.
#include "Contrast.h"
#include "RecordingDesktop.h"
#include "ReferenceVectors.h"
#include "TestFiles.h"
#include "TestWindows.h"

#include "core/ReadingPair.h"
#include "ui/frmMoonCalendar.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The values of one text line of an iCalendar file: "DTSTART:..." gives "...".
QStringList icsValues(const QByteArray &ics, const QString &property)
{
    QStringList values;
    const QString unfolded = QString::fromUtf8(ics).replace(QStringLiteral("\r\n "), QString());
    for (const QString &line : unfolded.split(QStringLiteral("\r\n"))) {
        if (line.startsWith(property + u':'))
            values.append(line.mid(property.size() + 1));
    }
    return values;
}

} // namespace

class TestMoonCalendarWindow : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        recorder = std::make_unique<RecordingDesktop>();
        // 15 October 2023, 12:00 in Berlin.
        recorder->moment = QDateTime(QDate(2023, 10, 15), QTime(10, 0), Qt::UTC);
        folder = std::make_unique<QTemporaryDir>();
        BirthData ann = birth(8, 15, 1947, 0, 0, 5, 30, 77, 13, true, false);
        ann.name = QStringLiteral("Ann");
        presentReading(*calculateReading(ann), std::make_shared<Session>(), nullptr);
        screen = onlyResultScreen();
        QVERIFY(screen);
    }
    void cleanup()
    {
        deleteTopLevelWindows();
        QApplication::setPalette(QPalette());
        recorder.reset();
    }

    // October 2023 on Berlin's clock for the 1947 reading (Pushya), on a
    // light and a dark desktop: the periods with their taras, the repeated
    // hour of 29 October told apart, the period now, a place's clock, and
    // the month copied, exported to a calendar file, printed and saved.
    void showsAMonth_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light desktop") << false;
        QTest::newRow("dark desktop") << true;
    }

    void showsAMonth()
    {
        QFETCH(bool, dark);
        if (dark)
            QApplication::setPalette(darkDesktop());
        QCOMPARE(widget<QAction>(screen, "mnuMoonCalendar")->text(), QStringLiteral("Moon &Calendar..."));
        widget<QAction>(screen, "mnuMoonCalendar")->trigger();
        auto *window = onlyOpenWindow<frmMoonCalendar>();
        QVERIFY(window);
        auto *clock = widget<QComboBox>(window, "cboClock");
        QCOMPARE(clock->currentText(), QStringLiteral("UTC"));  // the system's, as the tests set it
        clock->setCurrentText(QStringLiteral("Europe/Berlin"));

        auto *list = widget<QTableWidget>(window, "lstPeriods");
        QCOMPARE(widget<QLabel>(window, "lblMonth")->text(), QStringLiteral("October 2023"));
        QCOMPARE(widget<QLabel>(window, "lblNow")->text(), QStringLiteral("Now the Moon is in Chitra (B\u00EC) until 14:44"));
        QCOMPARE(widget<QLabel>(window, "lblNowTara")->text(), QStringLiteral("For Ann: Count 7: Vadha (death), unfavourable"));
        QCOMPARE(list->rowCount(), 32);
        // The row, then its columns; the clock goes back an hour in the
        // Bharani period of the 29th.
        const QList<QStringList> rows{
            {"0", "Sat 30 Sep 17:40 CEST", "Sun 1 Oct 15:59 CEST", "Ashwini", "Jiao", "21", "Vipat", "No"},
            {"7", "Sat 7 Oct 20:29 CEST", "Sun 8 Oct 23:18 CEST", "Pushya", "Dou", "1", "Janma", "Yes"},
            {"28", "Sun 29 Oct 02:26 CEST", "Mon 30 Oct 00:14 CET", "Bharani", QString::fromUtf8("K\u00E0ng"), "22",
             "Kshema", "Yes"},
            {"29", "Mon 30 Oct 00:14 CET", "Mon 30 Oct 23:33 CET", "Krittika", "Di", "23", "Pratyari", "No"},
        };
        for (const QStringList &row : rows) {
            const int r = row.first().toInt();
            for (int c = 1; c < row.size(); ++c)
                QCOMPARE(list->item(r, c - 1)->text(), row.at(c));
            // Favourable rows stand out in bold as well as by their "Yes".
            QCOMPARE(list->item(r, 0)->font().bold(), row.last() == QStringLiteral("Yes"));
        }

        // Every text reads at 4.5:1 or better against what it stands on.
        const QColor ground = window->palette().color(QPalette::Window);
        for (const QLabel *label : window->findChildren<QLabel *>())
            QVERIFY2(contrast(label->palette().color(QPalette::WindowText), ground) >= 4.5, qPrintable(label->text()));
        for (const QWidget *control : window->findChildren<QWidget *>()) {
            const QPalette p = control->palette();
            const bool button = qobject_cast<const QPushButton *>(control);
            QVERIFY2(contrast(p.color(button ? QPalette::ButtonText : QPalette::Text),
                              p.color(button ? QPalette::Button : QPalette::Base)) >= 4.5,
                     qPrintable(control->objectName()));
        }

        // A span that ends before it starts is refused; the calendar file
        // holds the periods listed, with their taras.
        widget<QDateEdit>(window, "txtSpanTo")->setDate(QDate(2023, 9, 30));
        QTest::mouseClick(widget<QPushButton>(window, "cmdExportCalendar"), Qt::LeftButton);
        QCOMPARE(recorder->messageTexts(), QStringList{QString::fromUtf8(Messages::spanBackwards)});
        recorder->messages.clear();
        widget<QDateEdit>(window, "txtSpanTo")->setDate(QDate(2023, 10, 31));
        const QString ics = folder->filePath(QStringLiteral("moon.ics"));
        recorder->fileNames = {ics};
        QTest::mouseClick(widget<QPushButton>(window, "cmdExportCalendar"), Qt::LeftButton);
        QCOMPARE(recorder->fileRequests.last().fileName, QStringLiteral("Moon calendar 2023-10.ics"));
        const QByteArray written = fileBytes(ics);
        QStringList starts;
        QStringList summaries;
        for (const CalendarRow &row : window->rows()) {
            starts.append(utcOfMinute(row.period.startMinute).toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")));
            summaries.append(QStringLiteral("Moon in %1 (%2): ").arg(periodNakshatraName(row.period),
                                                                     periodMansionName(row.period)));
        }
        QCOMPARE(icsValues(written, QStringLiteral("DTSTART")), starts);
        const QStringList writtenSummaries = icsValues(written, QStringLiteral("SUMMARY"));
        QCOMPARE(writtenSummaries.size(), list->rowCount());
        for (int r = 0; r < list->rowCount(); ++r)
            QVERIFY2(writtenSummaries.at(r).startsWith(summaries.at(r)), qPrintable(writtenSummaries.at(r)));

        QTest::mouseClick(widget<QPushButton>(window, "cmdCopy"), Qt::LeftButton);
        QVERIFY(recorder->copiedTexts.value(0).contains(QStringLiteral("October 2023, clock Europe/Berlin\n")));
        const QString pdf = folder->filePath(QStringLiteral("month.pdf"));
        const QString printed = folder->filePath(QStringLiteral("printed.pdf"));
        recorder->fileNames = {pdf};
        recorder->printerAnswers = {printed};
        QTest::mouseClick(widget<QPushButton>(window, "cmdExportPdf"), Qt::LeftButton);
        QTest::mouseClick(widget<QPushButton>(window, "cmdPrint"), Qt::LeftButton);
        QCOMPARE(recorder->fileRequests.last().fileName, QStringLiteral("Moon calendar 2023-10.pdf"));
        for (const QString &path : {pdf, printed})
            QVERIFY2(fileBytes(path).startsWith("%PDF-"), qPrintable(path));
        QVERIFY(recorder->messages.isEmpty());

        // A place found through the coordinates search sets the clock.
        ChosenPlace kolkata;
        kolkata.zoneId = QStringLiteral("Asia/Kolkata");
        recorder->places = {kolkata};
        QTest::mouseClick(widget<QPushButton>(window, "cmdFindPlace"), Qt::LeftButton);
        QCOMPARE(clock->currentText(), QStringLiteral("Asia/Kolkata"));
        QCOMPARE(recorder->queries.last().city, QString());
        QVERIFY(widget<QLabel>(window, "lblNow")->text().endsWith(QStringLiteral("until 18:14")));

        QTest::mouseClick(widget<QPushButton>(window, "cmdNext"), Qt::LeftButton);
        QCOMPARE(widget<QLabel>(window, "lblMonth")->text(), QStringLiteral("November 2023"));
        QTest::keyClick(window, Qt::Key_Escape);
        QVERIFY(!onlyOpenWindow<frmMoonCalendar>());
    }

private:
    std::unique_ptr<RecordingDesktop> recorder;
    std::unique_ptr<QTemporaryDir> folder;
    frmChineseLunarMansionResult *screen = nullptr;
};

QTEST_MAIN(TestMoonCalendarWindow)
#include "test_mooncalendar_window.moc"
