// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/HelpMenu.h"
#include "ui/LinkLabel.h"
#include "ui/Look.h"
#include "ui/frmAbout.h"

#include "RecordingDesktop.h"
#include "Widgets.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

class TestAbout : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QApplication::closeAllWindows(); }

    void window()
    {
        frmAbout about;
        QCOMPARE(about.windowTitle(), QStringLiteral("Quorvel v1.15"));
        QCOMPARE(about.size(), QSize(twips(7095), twips(2955)));
        QCOMPARE(about.minimumSize(), about.maximumSize());
        QVERIFY(!about.windowIcon().isNull());
        auto *picture = widget<QLabel>(&about, "Picture1");
        QCOMPARE(picture->geometry(), twipRect(150, 90, 480, 480));
        QCOMPARE(picture->pixmap().size(), QSize(32, 32));
        QCOMPARE(widget<QWidget>(&about, "Line1")->geometry(),
                 QRect(twips(-60), twips(2430), twips(7080) - twips(-60), 2));
        auto *ok = widget<QPushButton>(&about, "cmdOK");
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QCOMPARE(ok->geometry(), twipRect(5745, 2520, 1260, 345));
    }

    void texts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("name") << "Label2" << "Quorvel v1.15" << twipRect(750, 90, 4095, 240);
        QTest::newRow("description")
            << "Label1"
            << "Quorvel gives a detailed report that includes the positive and negative characteristics of people "
               "born with the moon in a particular lunar mansion or birth star according to Chinese Astrology."
            << twipRect(750, 360, 6255, 795);
        QTest::newRow("home page") << "lblHomePage" << "Click here to visit forum.quorvel.example"
                                   << twipRect(2955, 1155, 4050, 195);
        QTest::newRow("offer") << "Label3"
                               << "Home Business Opportunity. Start your own Internet business and make money "
                                  "online. Get this software fully branded for your website."
                               << twipRect(120, 1590, 6885, 435);
        QTest::newRow("details") << "lblCoBrand" << "Click here for more details" << twipRect(4710, 2025, 2295, 195);
    }

    void texts()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QRect, geometry);
        frmAbout about;
        auto *label = widget<QLabel>(&about, name);
        QCOMPARE(label->text(), text);
        QCOMPARE(label->geometry(), geometry);
        // Every text is readable in full in its place with the font in use.
        const QSize needed = label->wordWrap() ? QSize(0, label->heightForWidth(label->width())) : label->sizeHint();
        QVERIFY2(needed.height() <= label->height() + 1 && needed.width() <= label->width() + 1,
                 qPrintable(QStringLiteral("needs %1 x %2").arg(needed.width()).arg(needed.height())));
    }

    void linksOpenPagesAndStayOpen()
    {
        RecordingDesktop recorder;
        frmAbout about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        // Despite its name, lblCoBrand belongs to the full-branding offer.
        for (const char *name : {"lblHomePage", "lblCoBrand"}) {
            auto *link = widget<LinkLabel>(&about, QString::fromLatin1(name));
            QTest::mouseClick(link, Qt::LeftButton, Qt::NoModifier, link->rect().center());
            QVERIFY(about.isVisible());
        }
        QCOMPARE(recorder.openedUrls, (QList<QUrl>{QUrl("http://forum.quorvel.example"),
                                                   QUrl("http://help.quorvel.example/fully-branded.html")}));
        QVERIFY(recorder.messages.isEmpty());
    }

    void keysPressOk_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("enter") << int(Qt::Key_Return);
        QTest::newRow("keypad enter") << int(Qt::Key_Enter);
        QTest::newRow("escape") << int(Qt::Key_Escape);
    }

    void keysPressOk()
    {
        QFETCH(int, key);
        frmAbout about;
        about.show();
        QVERIFY(QTest::qWaitForWindowActive(&about));
        int presses = 0;
        connect(widget<QPushButton>(&about, "cmdOK"), &QPushButton::clicked, this,
                [&presses] { ++presses; });
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A);
        QVERIFY(about.isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QVERIFY(!about.isVisible());
        QCOMPARE(presses, 1);
    }

    void modalOverTheCallerFromTheMenu()
    {
        QMainWindow screen;
        auto *box = new QLineEdit(QStringLiteral("Ann"), &screen);
        addHelpMenu(screen.menuBar(), &screen);
        screen.show();
        QPointer<frmAbout> shown;
        bool modal = false;
        bool centred = false;
        QWidget *owner = nullptr;
        QTimer::singleShot(0, this, [&] {
            shown = qobject_cast<frmAbout *>(QApplication::activeModalWidget());
            if (!shown)
                return;
            modal = shown->isModal();
            owner = shown->parentWidget();
            const QPoint centre = shown->screen()->availableGeometry().center();
            centred = (shown->frameGeometry().center() - centre).manhattanLength() <= 2;
            QTest::keyClick(shown, Qt::Key_Escape);
        });
        // Returns once the about box is closed.
        widget<QAction>(screen.menuBar(), "mnuAbout")->trigger();
        QVERIFY(shown.isNull());  // discarded
        QVERIFY(modal);
        QVERIFY(centred);
        QCOMPARE(owner, &screen);
        QVERIFY(screen.isVisible());
        QCOMPARE(box->text(), QStringLiteral("Ann"));
    }
};

QTEST_MAIN(TestAbout)
#include "test_about.moc"
