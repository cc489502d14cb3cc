// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The comparison window, reached from the result screen's File menu.
#include "Contrast.h"
#include "RecordingDesktop.h"
#include "ReferenceVectors.h"
#include "TestFiles.h"
#include "TestWindows.h"

#include "core/SavedReading.h"
#include "mansions/ReadingFile.h"
#include "ui/ReadingPrint.h"
#include "ui/RecentReadings.h"
#include "ui/frmComparison.h"
#include "ui/frmMain.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class TestComparison : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        recorder = std::make_unique<RecordingDesktop>();
        folder = std::make_unique<QTemporaryDir>();
        QVERIFY(writeReadingFile(folder->filePath(QStringLiteral("revati.qvr")), QStringLiteral("Revati")));
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

    // The 1947 reading (Pushya) beside a saved Revati reading, on a dark
    // desktop: every value under its name, readable, copied, printed.
    void comparesWithASavedReading()
    {
        QApplication::setPalette(darkDesktop());
        recorder->fileNames = {folder->filePath(QStringLiteral("revati.qvr"))};
        QCOMPARE(widget<QAction>(screen, "mnuCompare")->text(), QStringLiteral("Compare With &Another Reading..."));
        widget<QAction>(screen, "mnuCompare")->trigger();
        QCOMPARE(recorder->fileRequests.size(), 1);
        QCOMPARE(recorder->fileRequests.first().title, QStringLiteral("Compare With Another Reading"));
        auto *window = onlyOpenWindow<frmComparison>();
        QVERIFY(window);

        const QList<QPair<QString, QString>> values{
            {"First Reading", "Ann"},
            {"Second Reading", "revati.qvr"},
            {"Chinese Lunar Mansion Name, Ann", "DOU"},
            {"Chinese Lunar Mansion Name, revati.qvr", QString::fromUtf8("Y\u00CC")},
            {"Corresponding Indian Lunar Mansion, Ann", "Pushya"},
            {"Corresponding Indian Lunar Mansion, revati.qvr", "Revati"},
            {"Count, Ann to revati.qvr", "20"},
            {"Tara, Ann to revati.qvr", "Sampat"},
            {"Meaning, Ann to revati.qvr", "wealth"},
            {"Favourable, Ann to revati.qvr", "Yes"},
            {"Count, revati.qvr to Ann", "9"},
            {"Tara, revati.qvr to Ann", "Parama Mitra"},
            {"Favourable, revati.qvr to Ann", "Yes"},
            {"Score", "3 / 3"},
        };
        for (const auto &[name, value] : values) {
            const QList<QLabel *> labels = window->findChildren<QLabel *>();
            const auto named = std::find_if(labels.cbegin(), labels.cend(),
                                            [&](const QLabel *l) { return l->accessibleName() == name; });
            QVERIFY2(named != labels.cend(), qPrintable(name));
            QCOMPARE((*named)->text(), value);
        }
        // Every text reads at 4.5:1 or better against what it stands on.
        const QColor ground = window->palette().color(QPalette::Window);
        for (const QLabel *label : window->findChildren<QLabel *>())
            QVERIFY2(contrast(label->palette().color(QPalette::WindowText), ground) >= 4.5, qPrintable(label->text()));
        for (const QPushButton *button : window->findChildren<QPushButton *>()) {
            const QPalette p = button->palette();
            QVERIFY2(contrast(p.color(QPalette::ButtonText), p.color(QPalette::Button)) >= 4.5,
                     qPrintable(button->text()));
        }

        QTest::mouseClick(widget<QPushButton>(window, "cmdCopy"), Qt::LeftButton);
        QCOMPARE(recorder->copiedTexts, QStringList{readingPairText(window->pair())});
        QVERIFY(recorder->copiedTexts.first().contains("Ann to revati.qvr\nCount: 20\nTara: Sampat\n"));

        const QString pdf = folder->filePath(QStringLiteral("pair.pdf"));
        const QString printed = folder->filePath(QStringLiteral("printed.pdf"));
        recorder->fileNames = {pdf};
        recorder->printerAnswers = {printed};
        QTest::mouseClick(widget<QPushButton>(window, "cmdExportPdf"), Qt::LeftButton);
        QTest::mouseClick(widget<QPushButton>(window, "cmdPrint"), Qt::LeftButton);
        QCOMPARE(recorder->fileRequests.at(1).fileName, QStringLiteral("Ann and revati.pdf"));
        for (const QString &path : {pdf, printed})
            QVERIFY2(fileBytes(path).startsWith("%PDF-"), qPrintable(path));
        QVERIFY(recorder->messages.isEmpty());

        QTest::keyClick(window, Qt::Key_Escape);
        QVERIFY(!onlyOpenWindow<frmComparison>());
        QCOMPARE(onlyResultScreen(), screen);
    }

    // The rule in plain words beside the values: each note shown whole, read
    // by screen readers and copied; the score's sentence follows the score.
    void explainsTheRuleInPlainWords_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("sentence");
        const QString both = "Favourable both ways: these two readings get all 3 points the tara rule gives.";
        const QString one = "Favourable one way only: these two readings get half the 3 points the tara rule gives.";
        QTest::newRow("both ways") << "Pushya" << "Revati" << both;
        QTest::newRow("Vipat the first way") << "Ashwini" << "Krittika" << one;
        QTest::newRow("Vadha the second way") << "Ashwini" << "Rohini" << one;
    }
    void explainsTheRuleInPlainWords()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        frmComparison window(readingPair(*readingOfNakshatra(a), *readingOfNakshatra(b)), std::make_shared<Session>());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTEST(widget<QLabel>(&window, "lblScoreSentence")->text(), "sentence");
        QCOMPARE(widget<QLabel>(&window, "lblFavourableNote")->text(),
                 "A direction is favourable unless its tara is Vipat (danger), Pratyari (obstacle) or Vadha (death).");
        const QString copied = readingPairText(window.pair());
        for (const char *name : {"lblCountNote", "lblFavourableNote", "lblScoreSentence", "lblScoreScale", "lblRule"}) {
            const QLabel *note = widget<QLabel>(&window, name);
            QVERIFY2(note->isVisible() && note->height() >= note->heightForWidth(note->width()), name);
            QCOMPARE(QAccessible::queryAccessibleInterface(const_cast<QLabel *>(note))->text(QAccessible::Name),
                     note->text());
            QVERIFY2(copied.contains(note->text()), name);
        }
    }

    // A cancel shows nothing; a file that holds no reading is refused as
    // Open refuses it; the dialog starts where the last reading came from.
    void refusesWhatIsNotAReading()
    {
        const QString empty = folder->filePath(QStringLiteral("empty.qvr"));
        QVERIFY(writeBytes(empty, {}));
        recorder->fileNames = {folder->filePath(QStringLiteral("revati.qvr")), std::nullopt, empty};
        for (int i = 0; i < 3; ++i)
            widget<QAction>(screen, "mnuCompare")->trigger();
        QCOMPARE(recorder->messageTexts(), QStringList{QStringLiteral("Please Check The File.")});
        QCOMPARE(recorder->messages.first().details, QStringLiteral("'%1' is not a saved Quorvel reading.").arg(empty));
        QCOMPARE(recorder->fileRequests.at(1).folder, QFileInfo(empty).absolutePath());
        QCOMPARE(openWindows<frmComparison>().size(), 1);
    }

    // A reading saved with its birth opens whole: Change Birth Data fills
    // the main screen, which calculates the same reading again, and the
    // comparison, its paper and its file name go by the people's names. A
    // file without a birth says why there is none to change.
    void savedBirthsComeBack()
    {
        BirthData carlos = birth(3, 12, 1985, 14, 30, 1, 0, 3, 42, false, false);
        carlos.name = QStringLiteral("Carlos Ruiz");
        carlos.zoneDirection = ZoneDirection::Ahead;
        const std::optional<Reading> calculated = calculateReading(carlos);
        presentReading(*calculated, BirthPlace{"Madrid", "", "Spain", "Europe/Madrid"}, std::make_shared<Session>(),
                       screen);
        const QString carlosFile = folder->filePath(QStringLiteral("carlos.qvr"));
        recorder->fileNames = {carlosFile};
        widget<QAction>(onlyResultScreen(), "mnuSave")->trigger();
        QCOMPARE(recorder->fileRequests.last().fileName, QStringLiteral("Carlos Ruiz - W\u00E8i.qvr"));

        BirthData anna = birth(7, 1, 1990, 8, 15, 1, 0, 16, 22, true, true);
        anna.name = QStringLiteral("Anna Gruber");
        const QString annaFile = folder->filePath(QStringLiteral("anna.qvr"));
        QVERIFY(saveReading(annaFile, *calculateReading(anna), {}));

        auto session = std::make_shared<Session>();
        QVERIFY(openReadingFile(carlosFile, session, onlyResultScreen()));
        frmChineseLunarMansionResult *opened = onlyResultScreen();
        QCOMPARE(widget<QLabel>(opened, "lblWhose")->text(), QStringLiteral("Reading of Carlos Ruiz"));
        QCOMPARE(session->birthPlace().zoneId, QStringLiteral("Europe/Madrid"));
        QCOMPARE(readingPage(*session->reading(), session->birthPlace()).person, QStringLiteral("Carlos Ruiz"));
        QVERIFY(widget<QAction>(opened, "mnuChangeBirthData")->isEnabled());
        widget<QAction>(opened, "mnuChangeBirthData")->trigger();
        frmMain *input = onlyMainScreen();
        QVERIFY(input);
        QCOMPARE(widget<QLineEdit>(input, "txtZoneHour")->text(), QStringLiteral("-1"));
        QCOMPARE(widget<QLineEdit>(input, "txtMCountry")->text(), QStringLiteral("Spain"));
        input->cmdCalculate_Click();
        QCOMPARE(session->reading()->nakshatraName, calculated->nakshatraName);
        QCOMPARE(session->reading()->ephemeris->universalTime, calculated->ephemeris->universalTime);
        QCOMPARE(session->reading()->birth->name, QStringLiteral("Carlos Ruiz"));

        recorder->fileNames = {annaFile, folder->filePath(QStringLiteral("pair.pdf"))};
        widget<QAction>(onlyResultScreen(), "mnuCompare")->trigger();
        auto *window = onlyOpenWindow<frmComparison>();
        QVERIFY(window);
        QCOMPARE(window->pair().nameA, QStringLiteral("Carlos Ruiz"));
        QCOMPARE(window->pair().nameB, QStringLiteral("Anna Gruber"));
        QTest::mouseClick(widget<QPushButton>(window, "cmdExportPdf"), Qt::LeftButton);
        QCOMPARE(recorder->fileRequests.last().fileName, QStringLiteral("Carlos Ruiz and Anna Gruber.pdf"));
        QCOMPARE(comparisonPage(window->pair()).values.first(), QStringLiteral("Carlos Ruiz and Anna Gruber"));

        QVERIFY(openReadingFile(folder->filePath(QStringLiteral("revati.qvr")), session, onlyResultScreen()));
        QAction *change = widget<QAction>(onlyResultScreen(), "mnuChangeBirthData");
        QVERIFY(!change->isEnabled());
        QCOMPARE(change->toolTip(), QStringLiteral("This reading's file keeps no birth data to change."));
        QCOMPARE(widget<QLabel>(onlyResultScreen(), "lblWhose")->text(), QStringLiteral("Reading from revati.qvr"));
        recorder->fileNames = {folder->filePath(QStringLiteral("copy.qvr"))};
        widget<QAction>(onlyResultScreen(), "mnuSave")->trigger();
        QCOMPARE(widget<QLabel>(onlyResultScreen(), "lblWhose")->text(), QStringLiteral("Reading from copy.qvr"));
        QVERIFY(recorder->messages.isEmpty());

        // Open Recent, newest first; a file gone since leaves it after the message.
        auto *recent = widget<QMenu>(onlyResultScreen(), "mnuRecent");
        emit recent->aboutToShow();
        QStringList entries;
        for (const QAction *entry : recent->actions())
            entries.append(entry->text());
        QCOMPARE(entries.mid(0, 4), (QStringList{"&1 copy.qvr", "&2 revati.qvr", "&3 Anna Gruber (anna.qvr)", "&4 Carlos Ruiz (carlos.qvr)"}));
        QVERIFY(QFile::remove(carlosFile));
        recent->actions().at(3)->trigger();
        QCOMPARE(recorder->messages.last().details, QStringLiteral("'%1' does not exist.").arg(carlosFile));
        QCOMPARE(recentReadings().at(2).person, QStringLiteral("Anna Gruber"));
        QCOMPARE(recentReadings().size(), entries.size() - 3);  // the separator and Clear List aside
        widget<QAction>(onlyResultScreen(), "mnuClearRecent")->trigger();
        QVERIFY(recentReadings().isEmpty());
    }

private:
    std::unique_ptr<RecordingDesktop> recorder;
    std::unique_ptr<QTemporaryDir> folder;
    frmChineseLunarMansionResult *screen = nullptr;
};

QTEST_MAIN(TestComparison)
#include "test_comparison.moc"
