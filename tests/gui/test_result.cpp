// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RecordingDesktop.h"
#include "TestFiles.h"
#include "TestWindows.h"

#include "mansions/ReadingFile.h"
#include "mansions/modChineseLunarMansionInformation.h"
#include "ui/Look.h"
#include "ui/MansionPicture.h"
#include "ui/ReadingFlow.h"
#include "ui/frmChineseLunarMansionResult.h"
#include "ui/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <memory>
#include <sys/resource.h>

namespace {

// What a result screen shows, slot by slot.
struct Shown {
    QStringList results;
    QStringList traits;
    int pictureEntry = 0;
    QImage picture;

    bool operator==(const Shown &other) const
    {
        return results == other.results && traits == other.traits && pictureEntry == other.pictureEntry &&
               picture == other.picture;
    }
};

Shown shownOn(const frmChineseLunarMansionResult *screen)
{
    Shown shown;
    for (int i = 0; i < frmChineseLunarMansionResult::resultCount; ++i)
        shown.results.append(widget<QLabel>(screen, "lblResult", i)->text());
    for (int i = 0; i < frmChineseLunarMansionResult::traitsCount; ++i)
        shown.traits.append(widget<QPlainTextEdit>(screen, "txtTraits", i)->toPlainText());
    shown.pictureEntry = screen->pictureEntry();
    shown.picture = widget<QLabel>(screen, "picChinese")->pixmap().toImage();
    return shown;
}

QMouseEvent mouseEvent(QEvent::Type type, QWidget *target, Qt::MouseButton button)
{
    const QPointF local(target->width() / 2.0, target->height() / 2.0);
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease || type == QEvent::MouseMove
                                      ? Qt::MouseButtons()
                                      : Qt::MouseButtons(button);
    return QMouseEvent(type, local, target->mapToGlobal(local), button, held, Qt::NoModifier);
}

} // namespace

class TestResult : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        recorder.reset();
        recorder = std::make_unique<RecordingDesktop>();
        session = std::make_shared<Session>();
        QVERIFY(folder.isValid());
    }

    void cleanup()
    {
        deleteTopLevelWindows();
        recorder.reset();
    }

    void designState()
    {
        frmChineseLunarMansionResult screen;
        QCOMPARE(screen.windowTitle(), QStringLiteral("Quorvel v1.15"));

        const QStringList captions{QStringLiteral("Chinese Lunar Mansion Name"),
                                   QStringLiteral("Associated Direction"),
                                   QStringLiteral("Western Constellation"),
                                   QStringLiteral("Associated Animal"),
                                   QStringLiteral("Literal Translation"),
                                   QStringLiteral("Associated Season"),
                                   QStringLiteral("Corresponding Indian Lunar Mansion"),
                                   QStringLiteral("Positive Human Traits"),
                                   QStringLiteral("Negative Human Traits")};
        for (int i = 0; i < captions.size(); ++i) {
            auto *caption = widget<QLabel>(&screen, "lblCaption", i);
            QCOMPARE(caption->text(), captions.at(i));
            QCOMPARE(caption->palette().color(QPalette::WindowText), Look::orange);
            QVERIFY(caption->font().bold());
        }
        for (int i = 0; i < frmChineseLunarMansionResult::resultCount; ++i) {
            auto *value = widget<QLabel>(&screen, "lblResult", i);
            QCOMPARE(value->text(), QStringLiteral("Result"));
            QCOMPARE(value->palette().color(QPalette::WindowText), Look::lightOrange);
        }
        QCOMPARE(widget<QLabel>(&screen, "lblResult", 0)->font().pointSizeF(), 14.25);
        QVERIFY(widget<QLabel>(&screen, "lblResult", 0)->font().bold());
        QVERIFY(!widget<QLabel>(&screen, "lblResult", 1)->font().bold());

        auto *frame = widget<QGroupBox>(&screen, "Frame1");
        QCOMPARE(frame->title(), QStringLiteral("Quorvel Result"));
        QCOMPARE(frame->font().pointSizeF(), 9.0);
        QVERIFY(frame->font().bold());

        for (int i = 0; i < frmChineseLunarMansionResult::traitsCount; ++i) {
            QPlainTextEdit *box = widget<QPlainTextEdit>(&screen, "txtTraits", i);
            QVERIFY(box->toPlainText().isEmpty());
            QVERIFY(box->isReadOnly());
            QCOMPARE(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
            QCOMPARE(box->palette().color(QPalette::Base), Look::black);
            QCOMPARE(box->palette().color(QPalette::Text), Look::lightOrange);
        }

        QCOMPARE(screen.pictureEntry(), 1);
        QVERIFY(!widget<QLabel>(&screen, "picChinese")->pixmap().isNull());

        auto *back = widget<QPushButton>(&screen, "cmdBack");
        auto *save = widget<QPushButton>(&screen, "cmdSave");
        QCOMPARE(back->text(), QStringLiteral("&Back"));
        QCOMPARE(save->text(), QStringLiteral("&Save"));

        QCOMPARE(screen.centralWidget()->size(), QSize(twips(7455), twips(6285)));
        QCOMPARE(screen.centralWidget()->palette().color(QPalette::Window), Look::black);
    }

    void fileMenu()
    {
        frmChineseLunarMansionResult screen;
        auto *menu = widget<QMenu>(&screen, "mnuFile");
        QCOMPARE(menu->title(), QStringLiteral("&File"));
        QCOMPARE(screen.menuBar()->actions().constFirst(), menu->menuAction());
        const QList<QAction *> entries = menu->actions();
        QCOMPARE(entries.size(), 11);  // then Print, Export, Change Birth Data, Compare, Moon Calendar, Open Recent; see test_printing
        QCOMPARE(entries.at(0)->objectName(), QStringLiteral("mnuBack"));
        QCOMPARE(entries.at(0)->text(), QStringLiteral("&Back"));
        QCOMPARE(entries.at(1)->objectName(), QStringLiteral("mnuFile1"));
        QVERIFY(entries.at(1)->isSeparator());
        QCOMPARE(entries.at(2)->objectName(), QStringLiteral("mnuSave"));
        QCOMPARE(entries.at(2)->text(), QStringLiteral("&Save"));
        QVERIFY(entries.at(0)->shortcut().isEmpty());
    }

    // The arrangement survives the font the desktop substitutes for Verdana:
    // captions end before the value column, each value stays on its caption's
    // line, and no reading pushes a value into the picture or out of the frame.
    void layoutHoldsForEveryReading()
    {
        for (int row = 0; row < nakshatraRowCount; ++row) {
            frmChineseLunarMansionResult screen;
            const QString name = nakshatraName(row);
            screen.setReading(readingOfRow(row));
            const QWidget *frame = widget<QLabel>(&screen, "lblResult", 0)->parentWidget();
            for (int i = 0; i < frmChineseLunarMansionResult::resultCount; ++i) {
                const QLabel *value = widget<QLabel>(&screen, "lblResult", i);
                const auto *caption = widget<QLabel>(&screen, "lblCaption", i);
                QVERIFY2(caption->geometry().right() < value->x(), qPrintable(caption->text()));
                QVERIFY2(value->geometry().right() < frame->width(), qPrintable(value->text()));
                if (i > 0)
                    QCOMPARE(value->y(), caption->y());
            }
            QVERIFY2(widget<QLabel>(&screen, "lblResult", 0)->geometry().right() < widget<QLabel>(&screen, "picChinese")->x(), qPrintable(name));
        }
    }

    void readingFillsEverySlot_data()
    {
        QTest::addColumn<QString>("nakshatra");
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("values");
        QTest::newRow("Ashwini") << "Ashwini" << 0
                                 << QStringList{"JIAO", "East", "Spica", "Green Dragon", "HORN", "Spring", "Ashwini"};
        QTest::newRow("Bharani") << "Bharani" << 1
                                 << QStringList{QString::fromUtf8("K\u00C0NG"), "East", "Virgo", "Green Dragon",
                                                "NECK", "Spring", "Bharani"};
        QTest::newRow("Uttara Phalguni")
            << "Uttara Phalguni" << 11
            << QStringList{"WEI",    "South",           "Aquarius/Pegasus", "Red Sparrow", "DANGER , ROOFTOP",
                           "Summer", "Uttara Phalguni"};
        QTest::newRow("Moola") << "Moola" << 18
                               << QStringList{QString::fromUtf8("B\u00CC"), "West", "Taurus", "White Tiger", "NET",
                                              "Autumn", "Moola"};
        QTest::newRow("Revati") << "Revati" << 26
                                << QStringList{QString::fromUtf8("Y\u00CC"), "North", "Corvus", "Black Tortoise",
                                               "WINGS", "Winter", "Revati"};
    }

    void readingFillsEverySlot()
    {
        QFETCH(QString, nakshatra);
        QFETCH(int, row);
        QFETCH(QStringList, values);

        frmChineseLunarMansionResult *screen = showReadingOf(nakshatra, session);
        QVERIFY(screen);
        QVERIFY(screen->isVisible());
        for (int i = 0; i < frmChineseLunarMansionResult::resultCount; ++i)
            QCOMPARE(widget<QLabel>(screen, "lblResult", i)->text(), values.at(i));
        QCOMPARE(widget<QPlainTextEdit>(screen, "txtTraits", 0)->toPlainText(), positiveTraits(row));
        QCOMPARE(widget<QPlainTextEdit>(screen, "txtTraits", 1)->toPlainText(), negativeTraits(row));
        QVERIFY(!positiveTraits(row).isEmpty() && !negativeTraits(row).isEmpty());
        QCOMPARE(screen->pictureEntry(), row + 1);
        const QPixmap picture = widget<QLabel>(screen, "picChinese")->pixmap();
        QVERIFY(!picture.isNull());
        QVERIFY(picture.width() <= widget<QLabel>(screen, "picChinese")->width());
        QVERIFY(picture.height() <= widget<QLabel>(screen, "picChinese")->height());
    }

    // At 1x the screen shows the built-in pictures' own pixels (one wider
    // than the box fitted into it); at 2x a drawing at the screen's pixels.
    void picturesAtEachScale()
    {
        const QSize box = twipRect(0, 0, 495, 390).size();
        for (int entry = 1; entry <= mansionCount; ++entry) {
            QImage builtIn = QImage(picturePath(entry), "GIF").convertToFormat(QImage::Format_RGB32);
            if (builtIn.width() > box.width() || builtIn.height() > box.height())
                builtIn = builtIn.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
            QCOMPARE(pictureForScreen(mansionPicture(entry), box, 1.0).toImage().convertToFormat(QImage::Format_RGB32),
                     builtIn);
            QCOMPARE(pictureForScreen(mansionPicture(entry), box, 2.0).size(), builtIn.size() * 2);
        }
    }

    void picturesDifferBetweenMansions()
    {
        frmChineseLunarMansionResult first;
        frmChineseLunarMansionResult other;
        Reading reading = readingOfRow(7);
        other.setReading(reading);
        QCOMPARE(other.pictureEntry(), 8);
        QVERIFY(widget<QLabel>(&first, "picChinese")->pixmap().toImage() != widget<QLabel>(&other, "picChinese")->pixmap().toImage());
        // An entry outside the list keeps the picture on display.
        for (const int outside : {0, mansionCount + 1}) {
            reading.pictureEntry = outside;
            other.setReading(reading);
        }
        QCOMPARE(other.pictureEntry(), 8);
    }

    void backOpensOneFreshMainScreen_data()
    {
        QTest::addColumn<bool>("fromMenu");
        QTest::newRow("button") << false;
        QTest::newRow("menu") << true;
    }

    void backOpensOneFreshMainScreen()
    {
        QFETCH(bool, fromMenu);
        QPointer<frmChineseLunarMansionResult> screen = showReadingOf(QStringLiteral("Ashwini"), session);
        QVERIFY(screen);
        if (fromMenu)
            widget<QAction>(screen, "mnuBack")->trigger();
        else
            QTest::mouseClick(widget<QPushButton>(screen, "cmdBack"), Qt::LeftButton);
        processDeletes();

        QVERIFY(screen.isNull());
        QVERIFY(openWindows<frmChineseLunarMansionResult>().isEmpty());
        frmMain *main = onlyMainScreen();
        QVERIFY2(main, "exactly one main input screen, and the program still running");
        QCOMPARE(main->windowTitle(), QStringLiteral("Quorvel v1.15"));
        QCOMPARE(widget<QComboBox>(main, "cboMonth")->count(), 12);
        QCOMPARE(widget<QComboBox>(main, "cboDate")->count(), 31);
        QCOMPARE(widget<QComboBox>(main, "cboYear")->count(), 150);
        QCOMPARE(widget<QComboBox>(main, "cboHH")->count(), 24);
        QCOMPARE(widget<QComboBox>(main, "cboMM")->count(), 60);
        QCOMPARE(widget<QComboBox>(main, "cboSS")->count(), 60);
        QCOMPARE(widget<QComboBox>(main, "cboMonth")->currentText(), QStringLiteral("January"));
        QCOMPARE(widget<QComboBox>(main, "cboYear")->currentText(), QStringLiteral("1901"));
        QVERIFY(widget<QLineEdit>(main, "txtName")->text().isEmpty());
        QVERIFY(widget<QRadioButton>(main, "optLat", 0)->isChecked());
        QVERIFY(widget<QRadioButton>(main, "optLong", 0)->isChecked());

        // A second round trip still leaves exactly one of each list's entries.
        showReadingOf(QStringLiteral("Revati"), session, main);
        widget<QAction>(onlyResultScreen(), "mnuBack")->trigger();
        main = onlyMainScreen();
        QVERIFY(main);
        QCOMPARE(widget<QComboBox>(main, "cboYear")->count(), 150);
        QCOMPARE(widget<QComboBox>(main, "cboDate")->count(), 31);
    }

    void saveDialogAndFile_data()
    {
        QTest::addColumn<bool>("fromMenu");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written"); // a name Open accepts
        QTest::newRow("button") << false << "ashwini.qvr" << "ashwini.qvr";
        QTest::newRow("menu") << true << "ashwini.qvr" << "ashwini.qvr";
        QTest::newRow("other extension") << false << "b.txt" << "b.txt.qvr";
        QTest::newRow("no extension") << true << "ashwini" << "ashwini.qvr";
        QTest::newRow("qvr without a dot") << false << "readingqvr" << "readingqvr";
    }

    void saveDialogAndFile()
    {
        QFETCH(bool, fromMenu);
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        const QString path = folder.filePath(written);
        QFile::remove(path);
        frmChineseLunarMansionResult *screen = showReadingOf(QStringLiteral("Ashwini"), session);
        QVERIFY(screen);
        recorder->fileNames.push_back(folder.filePath(chosen));
        if (fromMenu)
            widget<QAction>(screen, "mnuSave")->trigger();
        else
            QTest::mouseClick(widget<QPushButton>(screen, "cmdSave"), Qt::LeftButton);

        QCOMPARE(recorder->fileRequests.size(), 1);
        const FileDialogRequest &request = recorder->fileRequests.constFirst();
        QCOMPARE(request.mode, FileDialogRequest::Mode::Save);
        QCOMPARE(request.title, QStringLiteral("Quorvel"));
        QCOMPARE(request.filter, QStringLiteral("Quorvel (*.qvr)"));
        QCOMPARE(request.defaultSuffix, QStringLiteral("qvr"));
        QVERIFY(recorder->messages.isEmpty());
        QCOMPARE(fileBytes(path), QByteArray::fromHex("96c8bdccbec3be0d0a"));
        QVERIFY(chosen == written || !QFile::exists(folder.filePath(chosen)));
        QCOMPARE(onlyResultScreen(), screen);
    }

    void accessKeysReachBothCommands()
    {
        QPointer<frmChineseLunarMansionResult> screen = showReadingOf(QStringLiteral("Ashwini"), session);
        QVERIFY(screen);
        QApplication::setActiveWindow(screen);
        QVERIFY(QTest::qWaitForWindowActive(screen));

        recorder->fileNames.push_back(std::nullopt);
        // A button's access key presses it after a moment, as a click shows.
        QTest::keyClick(screen, Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(recorder->fileRequests.size(), 1);

        QTest::keyClick(screen, Qt::Key_B, Qt::AltModifier);
        QTRY_VERIFY(screen.isNull());
        QVERIFY(onlyMainScreen());
    }

    void failedSaveSaysSo()
    {
        session->setReading(readingOfRow(0));
        recorder->fileNames.push_back(folder.filePath(QStringLiteral("no such folder/reading.qvr")));
        saveReading(*session, nullptr);
        QCOMPARE(recorder->messages.size(), 1);
        QCOMPARE(recorder->messages.constFirst().text, QStringLiteral("Unable To Save The File."));
        QCOMPARE(recorder->messages.constFirst().icon, MessageIcon::Error);
        QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("no such folder"))));
    }

    void failedSaveKeepsTheExistingFile()
    {
        const QString path = folder.filePath(QStringLiteral("keep.qvr"));
        const QByteArray before = QByteArray::fromHex("96c8bdccbec3be0d0a");
        QVERIFY(writeBytes(path, before));
        session->setReading(*readingOfNakshatra(QStringLiteral("Uttara Bhadrapada")));
        recorder->fileNames.push_back(path);
        {
            FileSizeLimit diskFull(4);
            QVERIFY(diskFull.active);
            saveReading(*session, nullptr);
        }
        QCOMPARE(recorder->messageTexts(), QStringList{QStringLiteral("Unable To Save The File.")});
        QCOMPARE(fileBytes(path), before);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files).filter(QStringLiteral("keep")),
                 QStringList{QStringLiteral("keep.qvr")});
    }

    void cancelledDialogsAreSilent()
    {
        session->setReading(readingOfRow(0));
        const QStringList before = QDir(folder.path()).entryList(QDir::Files);
        recorder->fileNames.push_back(std::nullopt);
        saveReading(*session, nullptr);
        recorder->fileNames.push_back(QString());
        saveReading(*session, nullptr);

        auto *main = new frmMain(session);
        main->show();
        recorder->fileNames.push_back(std::nullopt);
        openSavedReading(session, main);
        recorder->fileNames.push_back(QString());
        openSavedReading(session, main);

        QVERIFY(recorder->messages.isEmpty());
        QCOMPARE(recorder->fileRequests.size(), 4);
        const FileDialogRequest &open = recorder->fileRequests.at(2);
        QCOMPARE(open.mode, FileDialogRequest::Mode::Open);
        QCOMPARE(open.title, QStringLiteral("Select the source file"));
        QCOMPARE(open.filter, QStringLiteral("Quorvel (*.qvr)"));
        QCOMPARE(open.defaultSuffix, QStringLiteral("qvr"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), before);
        QCOMPARE(onlyMainScreen(), main);
        QVERIFY(openWindows<frmChineseLunarMansionResult>().isEmpty());
        QCOMPARE(session->reading()->nakshatraName, QStringLiteral("Ashwini"));
    }

    void savedReadingsReopenTheSame()
    {
        for (int row = 0; row < nakshatraRowCount; ++row) {
            const QString name = QString::fromUtf8(mansionRow(row).nakshatra);
            const QString path = folder.filePath(QStringLiteral("round%1.qvr").arg(row));
            QPointer<frmChineseLunarMansionResult> saved = showReadingOf(name, session);
            QVERIFY(saved);
            const Shown before = shownOn(saved);
            recorder->fileNames.push_back(path);
            widget<QPushButton>(saved, "cmdSave")->click();
            widget<QPushButton>(saved, "cmdBack")->click();

            // A different reading in between must not leak into the reopened one.
            session->setReading(*readingOfNakshatra(QStringLiteral("Chitra")));
            frmMain *main = onlyMainScreen();
            QVERIFY(main);
            recorder->fileNames.push_back(path);
            widget<QPushButton>(main, "cmdOpen")->click();
            processDeletes();

            frmChineseLunarMansionResult *reopened = onlyResultScreen();
            QVERIFY2(reopened, qPrintable(name));
            QVERIFY(saved.isNull());
            QVERIFY(openWindows<frmMain>().isEmpty());
            QCOMPARE(session->reading()->nakshatraName, name);
            const Shown after = shownOn(reopened);
            QCOMPARE(after.results, before.results);
            QCOMPARE(after.traits, before.traits);
            QCOMPARE(after.pictureEntry, row + 1);
            QVERIFY(after == before);
            reopened->closeByProgram();
            processDeletes();
        }
        QVERIFY(recorder->messages.isEmpty());
    }

    void openAcceptsAnyNameEndingInQvr()
    {
        const QString path = folder.filePath(QStringLiteral("readingqvr"));
        QVERIFY(writeBytes(path, QByteArray::fromHex("96c8bdccbec3be")));
        auto *main = new frmMain(session);
        main->show();
        recorder->fileNames.push_back(path);
        openSavedReading(session, main);
        QVERIFY(recorder->messages.isEmpty());
        frmChineseLunarMansionResult *screen = onlyResultScreen();
        QVERIFY(screen);
        QCOMPARE(widget<QLabel>(screen, "lblResult", 6)->text(), QStringLiteral("Ashwini"));
    }

    void openRefusesWhatHoldsNoReading_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("content");  // "<dir>" makes a folder
        const QByteArray ashwini = QByteArray::fromHex("96c8bdccbec3be0d0a");
        QTest::newRow("upper-case extension") << "reading.QVR" << ashwini;
        QTest::newRow("mixed-case extension") << "reading.Qvr" << ashwini;
        QTest::newRow("other extension") << "reading.txt" << ashwini;
        QTest::newRow("empty file") << "empty.qvr" << QByteArray();
        QTest::newRow("only a line end") << "blank.qvr" << QByteArray("\r\n");
        QTest::newRow("garbage") << "garbage.qvr" << QByteArray("\x01\x02garbage\xff\xfe", 11);
        QTest::newRow("plain name") << "plain.qvr" << QByteArray("Ashwini\r\n");
        QTest::newRow("folder") << "x.qvr" << QByteArray("<dir>");
        QTest::newRow("missing file") << "missing.qvr" << QByteArray("<none>");
    }

    void openRefusesWhatHoldsNoReading()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, content);
        const QString path = folder.filePath(fileName);
        if (content == "<dir>")
            QVERIFY(QDir(folder.path()).mkpath(fileName));
        else if (content != "<none>")
            QVERIFY(writeBytes(path, content));

        session->setReading(*readingOfNakshatra(QStringLiteral("Revati")));
        auto *main = new frmMain(session);
        main->show();
        widget<QLineEdit>(main, "txtName")->setText(QStringLiteral("Ann"));
        recorder->fileNames.push_back(path);
        openSavedReading(session, main);

        QCOMPARE(recorder->messages.size(), 1);
        QCOMPARE(recorder->messages.constFirst().text, QStringLiteral("Please Check The File."));
        QCOMPARE(recorder->messages.constFirst().icon, MessageIcon::Warning);
        QCOMPARE(onlyMainScreen(), main);
        QCOMPARE(widget<QLineEdit>(main, "txtName")->text(), QStringLiteral("Ann"));
        QVERIFY(openWindows<frmChineseLunarMansionResult>().isEmpty());
        QCOMPARE(session->reading()->nakshatraName, QStringLiteral("Revati"));
    }

    // A saved reading dropped on either screen, or on a box that would take
    // its path as text, opens as with Open. Anything else is refused as it
    // enters, so the pointer says no, and a drop of it does nothing; so is a
    // drag that only offers to move the file, which the file manager would
    // then delete.
    void droppedReadingOpens_data()
    {
        QTest::addColumn<QString>("target");   // "main", "name box" or "result" (showing Revati)
        QTest::addColumn<QStringList>("urls");  // names in the test folder, or whole addresses
        QTest::addColumn<int>("actions");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("shown");  // the nakshatra on display after; "message": Please Check The File.
        const QStringList ashwini{QStringLiteral("Ashwini.qvr")};
        const int copyOrMove = Qt::CopyAction | Qt::MoveAction;
        QTest::newRow("on the main screen") << "main" << ashwini << copyOrMove << true << "Ashwini";
        QTest::newRow("on a text box") << "name box" << ashwini << copyOrMove << true << "Ashwini";
        QTest::newRow("on the result screen") << "result" << ashwini << copyOrMove << true << "Ashwini";
        QTest::newRow("no reading in it") << "main" << QStringList{"garbage.qvr"} << copyOrMove << true << "message";
        QTest::newRow("two files") << "name box" << QStringList{"Ashwini.qvr", "Revati.qvr"} << copyOrMove << false
                                   << "";
        QTest::newRow("other extension") << "result" << QStringList{"Ashwini.txt"} << copyOrMove << false << "Revati";
        QTest::newRow("not a file") << "main" << QStringList{"https://example.org/Ashwini.qvr"} << copyOrMove
                                    << false << "";
        QTest::newRow("move only") << "main" << ashwini << int(Qt::MoveAction) << false << "";
    }

    void droppedReadingOpens()
    {
        QFETCH(QString, target);
        QFETCH(QStringList, urls);
        QFETCH(int, actions);
        QFETCH(bool, accepted);
        QFETCH(QString, shown);
        QVERIFY(writeReadingFile(folder.filePath(QStringLiteral("Ashwini.qvr")), QStringLiteral("Ashwini")));
        QVERIFY(writeReadingFile(folder.filePath(QStringLiteral("Ashwini.txt")), QStringLiteral("Ashwini")));
        QVERIFY(writeReadingFile(folder.filePath(QStringLiteral("Revati.qvr")), QStringLiteral("Revati")));
        QVERIFY(writeBytes(folder.filePath(QStringLiteral("garbage.qvr")), "not a reading\r\n"));

        QWidget *dropOn = nullptr;
        QPointer<frmMain> main;
        if (target == QLatin1String("result")) {
            dropOn = showReadingOf(QStringLiteral("Revati"), session);
        } else {
            main = new frmMain(session);
            main->show();
            dropOn = target == QLatin1String("main") ? static_cast<QWidget *>(main.data())
                                                     : widget<QLineEdit>(main, "txtName");
        }
        QVERIFY(dropOn);
        QList<QUrl> dragged;
        for (const QString &url : urls)
            dragged.append(url.contains(u':') ? QUrl(url) : QUrl::fromLocalFile(folder.filePath(url)));
        QMimeData data;
        data.setUrls(dragged);
        data.setText(QStringLiteral("dropped text"));  // as file managers offer it too

        const QPoint at = dropOn->rect().center();
        QDragEnterEvent enter(at, Qt::DropActions(actions), &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(dropOn, &enter);
        QCOMPARE(enter.isAccepted(), accepted);
        QDropEvent drop(at, Qt::DropActions(actions), &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(dropOn, &drop);
        QCOMPARE(drop.isAccepted(), accepted);
        if (accepted)
            QCOMPARE(drop.dropAction(), Qt::CopyAction);
        QCoreApplication::processEvents();
        processDeletes();

        if (shown == QLatin1String("message")) {
            QCOMPARE(recorder->messageTexts(), QStringList{QStringLiteral("Please Check The File.")});
            QCOMPARE(onlyMainScreen(), main);
        } else {
            QVERIFY(recorder->messages.isEmpty());
        }
        frmChineseLunarMansionResult *result = onlyResultScreen();
        QCOMPARE(result ? widget<QLabel>(result, "lblResult", 6)->text() : QString(), shown == QLatin1String("message") ? "" : shown);
        QCOMPARE(openWindows<Screen>().size(), 1);
        if (main)
            QCOMPARE(widget<QLineEdit>(main, "txtName")->text(), QString());  // nothing typed into the box
    }

    // The Open and Save dialogs start in the folder of the last reading file
    // opened or saved, in the documents folder before that: never in the
    // folder the program was started from.
    void dialogsStartInTheLastReadingFolder()
    {
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QVERIFY(QDir().mkpath(documents));
        QTemporaryDir openFrom, saveTo;
        QVERIFY(writeReadingFile(openFrom.filePath(QStringLiteral("Revati.qvr")), QStringLiteral("Revati")));
        auto *main = new frmMain(session);
        main->show();
        recorder->fileNames = {std::nullopt, openFrom.filePath(QStringLiteral("Revati.qvr"))};
        widget<QPushButton>(main, "cmdOpen")->click();
        widget<QPushButton>(main, "cmdOpen")->click();
        processDeletes();
        frmChineseLunarMansionResult *result = onlyResultScreen();
        QVERIFY(result);
        recorder->fileNames = {saveTo.filePath(QStringLiteral("saved")), std::nullopt};
        widget<QPushButton>(result, "cmdSave")->click();
        widget<QPushButton>(result, "cmdSave")->click();
        QVERIFY(QFile::exists(saveTo.filePath(QStringLiteral("saved.qvr"))));

        QStringList folders;
        for (const FileDialogRequest &request : std::as_const(recorder->fileRequests))
            folders.append(request.folder);
        QCOMPARE(folders, QStringList({documents, documents, openFrom.path(), saveTo.path()}));

        // The Qt desktop's dialog starts there.
        recorder.reset();
        QString started;
        whenModal([&](QWidget *modal) {
            if (auto *dialog = qobject_cast<QFileDialog *>(modal))
                started = dialog->directory().absolutePath();
            modal->close();
        });
        saveReading(*session, result);
        QCOMPARE(started, saveTo.path());
    }

    void clipboardEmptiedByTraitsBoxEvents_data()
    {
        QTest::addColumn<int>("box");
        QTest::newRow("positive") << 0;
        QTest::newRow("negative") << 1;
    }

    void clipboardEmptiedByTraitsBoxEvents()
    {
        QFETCH(int, box);
        frmChineseLunarMansionResult screen;
        screen.show();
        QPlainTextEdit *traits = widget<QPlainTextEdit>(&screen, "txtTraits", box);
        QWidget *viewport = traits->viewport();
        int &clears = recorder->clipboardClears;

        // Change: only a text that differs from the box's own.
        Reading reading = readingOfRow(0);
        screen.setReading(reading);
        clears = 0;
        reading.traits.at(box) = QStringLiteral("Bright and hard working.");
        screen.setReading(reading);
        QCOMPARE(clears, 1);
        screen.setReading(reading);
        QCOMPARE(clears, 1);

        QMouseEvent move = mouseEvent(QEvent::MouseMove, viewport, Qt::NoButton);
        QApplication::sendEvent(viewport, &move);
        QCOMPARE(clears, 2);  // MouseMove, with no button held

        QMouseEvent down = mouseEvent(QEvent::MouseButtonPress, viewport, Qt::LeftButton);
        QApplication::sendEvent(viewport, &down);
        QCOMPARE(clears, 3);  // MouseDown

        QMouseEvent up = mouseEvent(QEvent::MouseButtonRelease, viewport, Qt::LeftButton);
        QApplication::sendEvent(viewport, &up);
        QCOMPARE(clears, 5);  // MouseUp, then Click

        QMouseEvent strayUp = mouseEvent(QEvent::MouseButtonRelease, viewport, Qt::LeftButton);
        QApplication::sendEvent(viewport, &strayUp);
        QCOMPARE(clears, 6);  // MouseUp alone: no press began on the box

        QMouseEvent rightDown = mouseEvent(QEvent::MouseButtonPress, viewport, Qt::RightButton);
        QApplication::sendEvent(viewport, &rightDown);
        QCOMPARE(clears, 7);

        // The box's own frame reports as well.
        QMouseEvent frameMove(QEvent::MouseMove, QPointF(0, 0), traits->mapToGlobal(QPointF(0, 0)), Qt::NoButton,
                              Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(traits, &frameMove);
        QCOMPARE(clears, 8);

        // Real input through the window system: a click and a selection drag.
        const int beforeClick = clears;
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(10, 5));
        QVERIFY(clears >= beforeClick + 3);
        const int beforeDrag = clears;
        QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(2, 5));
        QTest::mouseMove(viewport, QPoint(40, 5));
        QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(40, 5));
        QVERIFY(clears >= beforeDrag + 3);

        // The other box and the rest of the screen are not affected.
        const int settled = clears;
        QLabel *caption = widget<QLabel>(&screen, "lblResult", 2);
        QMouseEvent elsewhere = mouseEvent(QEvent::MouseMove, caption, Qt::NoButton);
        QApplication::sendEvent(caption, &elsewhere);
        QCOMPARE(clears, settled);
    }

    void userCloseOfResultScreenEndsProgram()
    {
        frmChineseLunarMansionResult *screen = showReadingOf(QStringLiteral("Ashwini"), session);
        QVERIFY(screen);
        screen->close();
        processDeletes();
        QVERIFY(openWindows<Screen>().isEmpty());
        consumeQuitRequest();
    }

    void userCloseOfMainScreenEndsProgram()
    {
        auto *main = new frmMain;
        main->show();
        auto *other = new frmChineseLunarMansionResult;  // a stray screen is closed as well
        other->show();
        main->close();
        processDeletes();
        QVERIFY(openWindows<Screen>().isEmpty());
        consumeQuitRequest();
    }

    void programSwitchesEndNothing()
    {
        auto *main = new frmMain;
        main->show();
        QPointer<frmMain> watch(main);
        showReadingOf(QStringLiteral("Hasta"), session, main);
        processDeletes();
        QVERIFY(watch.isNull());
        QCOMPARE(openWindows<Screen>().size(), 1);
        QVERIFY(onlyResultScreen());
        QCOMPARE(widget<QLabel>(onlyResultScreen(), "lblResult", 0)->text(), QString::fromUtf8("SH\u00CC"));
        // Filling the traits boxes empties the clipboard.
        QVERIFY(recorder->clipboardClears >= 2);
        widget<QPushButton>(onlyResultScreen(), "cmdBack")->click();
        processDeletes();
        QCOMPARE(openWindows<Screen>().size(), 1);
        QVERIFY(onlyMainScreen());
    }

private:
    std::unique_ptr<RecordingDesktop> recorder;
    std::shared_ptr<Session> session;
    QTemporaryDir folder;
};

QTEST_MAIN(TestResult)
#include "test_result.moc"
