// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The comparison window, reached from the result screen's File menu.
#include "Contrast.h"
#include "RecordingDesktop.h"
#include "ReferenceVectors.h"
#include "TestFiles.h"
#include "TestWindows.h"

#include "mansions/ReadingFile.h"
#include "ui/frmComparison.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
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
        QCOMPARE(recorder->fileRequests.first().title, QStringLiteral("Select the source file"));
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
        QCOMPARE(recorder->fileRequests.at(1).folder, QFileInfo(empty).absolutePath());
        QCOMPARE(openWindows<frmComparison>().size(), 1);
    }

private:
    std::unique_ptr<RecordingDesktop> recorder;
    std::unique_ptr<QTemporaryDir> folder;
    frmChineseLunarMansionResult *screen = nullptr;
};

QTEST_MAIN(TestComparison)
#include "test_comparison.moc"
