// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RecordingDesktop.h"
#include "TestWindows.h"

#include "ReferenceVectors.h"

#include "core/BirthTimeSpan.h"
#include "mansions/ReadingFile.h"
#include "ui/frmChineseLunarMansionResult.h"
#include "ui/frmMain.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QToolTip>

#include <memory>

namespace {

// Types a birth in Delhi on 15 August 1947 at midnight into the main input
// screen as a user would, and calculates: the Moon is in Pushya.
void calculateDelhi1947(frmMain *main)
{
    QTest::keyClicks(widget<QLineEdit>(main, "txtName"), QStringLiteral("Ann"));
    widget<QComboBox>(main, "cboMonth")->setCurrentText(QStringLiteral("August"));
    widget<QComboBox>(main, "cboDate")->setCurrentText(QStringLiteral("15"));
    widget<QComboBox>(main, "cboYear")->setCurrentText(QStringLiteral("1947"));
    QTest::keyClicks(widget<QLineEdit>(main, "txtZoneHour"), QStringLiteral("5"));
    QTest::keyClicks(widget<QLineEdit>(main, "txtZoneMinute"), QStringLiteral("30"));
    QTest::keyClicks(widget<QLineEdit>(main, "txtLonD"), QStringLiteral("77"));
    QTest::keyClicks(widget<QLineEdit>(main, "txtLonM"), QStringLiteral("13"));
    QTest::keyClicks(widget<QLineEdit>(main, "txtLatD"), QStringLiteral("28"));
    QTest::keyClicks(widget<QLineEdit>(main, "txtLatM"), QStringLiteral("36"));
    QTest::mouseClick(widget<QPushButton>(main, "cmdCalculate"), Qt::LeftButton);
}

// The words of a rich-text tooltip, without the blank lines around them.
QString plainText(const QString &tooltip)
{
    QTextDocument document;
    document.setHtml(tooltip);
    return document.toPlainText().trimmed();
}

} // namespace

// The result screen's nakshatra value tells, in its tooltip, how sensitive
// the reading is to the time of birth; only a calculated reading has a birth.
class TestResultTooltip : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        recorder = std::make_unique<RecordingDesktop>();
        QVERIFY(folder.isValid());
    }

    void cleanup()
    {
        deleteTopLevelWindows();
        recorder.reset();
    }

    void calculatedReadingTellsItsSpan()
    {
        auto *main = new frmMain;
        main->show();
        calculateDelhi1947(main);
        QVERIFY(recorder->messages.isEmpty());

        frmChineseLunarMansionResult *screen = onlyResultScreen();
        QVERIFY(screen);
        QCOMPARE(widget<QLabel>(screen, "lblResult", 6)->text(), QStringLiteral("Pushya"));
        const QString tooltip = plainText(widget<QLabel>(screen, "lblResult", 6)->toolTip());
        QCOMPARE(tooltip, birthTimeSpanText(*computeBirthTimeSpan(birth(8, 15, 1947, 0, 0, 5, 30, 77, 13, true, false))));
        QVERIFY2(tooltip.contains(QStringLiteral("Pushya")), qPrintable(tooltip));

        // It wraps within the result screen's width, however wide the desktop:
        // laid out as a tooltip is where its screen leaves room for one line.
        QLabel tip;
        tip.setFont(QToolTip::font());
        tip.setWordWrap(Qt::mightBeRichText(widget<QLabel>(screen, "lblResult", 6)->toolTip()));
        tip.setText(widget<QLabel>(screen, "lblResult", 6)->toolTip());
        QVERIFY2(tip.sizeHint().width() <= screen->width(), qPrintable(QString::number(tip.sizeHint().width())));
    }

    // A saved reading holds no birth, so none is shown, not even the birth of
    // an earlier calculation that the program still holds.
    void openedReadingHasNoTooltip()
    {
        auto *main = new frmMain;
        main->show();
        calculateDelhi1947(main);
        frmChineseLunarMansionResult *calculated = onlyResultScreen();
        QVERIFY(calculated);
        QVERIFY(!widget<QLabel>(calculated, "lblResult", 6)->toolTip().isEmpty());

        const QString path = folder.filePath(QStringLiteral("reading.qvr"));
        QVERIFY(writeReadingFile(path, QStringLiteral("Pushya")));
        widget<QPushButton>(calculated, "cmdBack")->click();
        frmMain *fresh = onlyMainScreen();
        QVERIFY(fresh);
        recorder->fileNames.push_back(path);
        widget<QPushButton>(fresh, "cmdOpen")->click();

        frmChineseLunarMansionResult *opened = onlyResultScreen();
        QVERIFY(opened);
        QCOMPARE(widget<QLabel>(opened, "lblResult", 6)->text(), QStringLiteral("Pushya"));
        QVERIFY(widget<QLabel>(opened, "lblResult", 6)->toolTip().isEmpty());
        QVERIFY(recorder->messages.isEmpty());
    }

private:
    std::unique_ptr<RecordingDesktop> recorder;
    QTemporaryDir folder;
};

QTEST_MAIN(TestResultTooltip)
#include "test_resulttooltip.moc"
