#include "app/modHelp.h"
#include "core/Messages.h"
#include "ui/LinkLabel.h"
#include "ui/Look.h"
#include "ui/frmAbout.h"

#include "RecordingDesktop.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace {

void click(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

} // namespace

class TestAbout : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QApplication::closeAllWindows(); }

    void window()
    {
        frmAbout about;
        QCOMPARE(about.windowTitle(), QStringLiteral("Quorvel v1.15"));
        QCOMPARE(about.size(), twipRect(0, 0, 7095, 2955).size());
        QCOMPARE(about.minimumSize(), about.maximumSize());
        QCOMPARE(about.palette().color(QPalette::Window), Look::black);
        QVERIFY(!about.windowIcon().isNull());
        auto *picture = about.findChild<QLabel *>(QStringLiteral("Picture1"));
        QVERIFY(picture);
        QCOMPARE(picture->geometry(), twipRect(150, 90, 480, 480));
        QCOMPARE(picture->pixmap().size(), QSize(32, 32));
    }

    void texts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<double>("pointSize");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("underline");
        QTest::newRow("name") << "Label2" << "Quorvel v1.15" << twipRect(750, 90, 4095, 240) << Look::white << 9.75
                              << true << false;
        QTest::newRow("description")
            << "Label1"
            << "Quorvel gives a detailed report that includes the positive and negative characteristics of people "
               "born with the moon in a particular lunar mansion or birth star according to Chinese Astrology."
            << twipRect(750, 360, 6255, 795) << Look::lightOrange << 8.25 << false << false;
        QTest::newRow("home page") << "lblHomePage" << "Click here to visit forum.quorvel.example"
                                   << twipRect(2955, 1155, 4050, 195) << Look::orange << 8.25 << false << true;
        QTest::newRow("offer")
            << "Label3"
            << "Home Business Opportunity. Start your own Internet business and make money online. Get this "
               "software fully branded for your website."
            << twipRect(120, 1590, 6885, 435) << Look::white << 8.25 << true << false;
        QTest::newRow("details") << "lblCoBrand" << "Click here for more details" << twipRect(4710, 2025, 2295, 195)
                                 << Look::orange << 8.25 << false << true;
    }

    void texts()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QRect, geometry);
        QFETCH(QColor, colour);
        QFETCH(double, pointSize);
        QFETCH(bool, bold);
        QFETCH(bool, underline);
        frmAbout about;
        auto *label = about.findChild<QLabel *>(name);
        QVERIFY(label);
        QCOMPARE(label->text(), text);
        QCOMPARE(label->geometry(), geometry);
        QCOMPARE(label->palette().color(QPalette::WindowText), colour);
        QCOMPARE(label->font().family(), QStringLiteral("Verdana"));
        QCOMPARE(label->font().pointSizeF(), pointSize);
        QCOMPARE(label->font().bold(), bold);
        QCOMPARE(label->font().underline(), underline);
        // Every text is readable in full in its place with the font in use.
        const int needed = label->wordWrap() ? label->heightForWidth(label->width()) : label->sizeHint().height();
        QVERIFY2(needed <= label->height() + 1, qPrintable(QStringLiteral("needs %1").arg(needed)));
        if (!label->wordWrap())
            QVERIFY2(label->sizeHint().width() <= label->width() + 1,
                     qPrintable(QStringLiteral("needs width %1").arg(label->sizeHint().width())));
        QCOMPARE(qobject_cast<LinkLabel *>(label) != nullptr, underline);
        if (underline)
            QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
    }

    void ruleAndButton()
    {
        frmAbout about;
        auto *line = about.findChild<QWidget *>(QStringLiteral("Line1"));
        QVERIFY(line);
        // From x -60 to x 7080 twips, 2 pixels thick.
        QCOMPARE(line->geometry(), QRect(twips(-60), twips(2430), twips(7080) - twips(-60), 2));
        QCOMPARE(line->palette().color(QPalette::Window), Look::orange);
        QVERIFY(line->autoFillBackground());
        auto *ok = about.findChild<QPushButton *>(QStringLiteral("cmdOK"));
        QVERIFY(ok);
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QCOMPARE(ok->geometry(), twipRect(5745, 2520, 1260, 345));
        QVERIFY(ok->isDefault());
    }

    void linksOpenPagesAndStayOpen_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("page");
        QTest::newRow("home page") << "lblHomePage" << int(WebPage::Home);
        // Despite its name, the label belongs to the full-branding offer.
        QTest::newRow("more details") << "lblCoBrand" << int(WebPage::FullBrand);
    }

    void linksOpenPagesAndStayOpen()
    {
        QFETCH(QString, name);
        QFETCH(int, page);
        RecordingDesktop recorder;
        frmAbout about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        auto *link = about.findChild<LinkLabel *>(name);
        QVERIFY(link);
        click(link);
        click(link);
        QCOMPARE(recorder.openedUrls, (QList<QUrl>{webPageUrl(WebPage(page)), webPageUrl(WebPage(page))}));
        QVERIFY(about.isVisible());
        QVERIFY(recorder.messages.isEmpty());
        // Still usable: OK closes it.
        click(about.findChild<QPushButton *>(QStringLiteral("cmdOK")));
        QVERIFY(!about.isVisible());
        QCOMPARE(about.result(), int(QDialog::Accepted));
    }

    void keysClose_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("enter") << int(Qt::Key_Return);
        QTest::newRow("keypad enter") << int(Qt::Key_Enter);
        QTest::newRow("escape") << int(Qt::Key_Escape);
    }

    void keysClose()
    {
        QFETCH(int, key);
        frmAbout about;
        about.show();
        QVERIFY(QTest::qWaitForWindowActive(&about));
        auto *ok = about.findChild<QPushButton *>(QStringLiteral("cmdOK"));
        int presses = 0;
        connect(ok, &QPushButton::clicked, this, [&presses] { ++presses; });
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &about, Qt::Key(key));
        QVERIFY(!about.isVisible());
        // Both keys press the OK button.
        QCOMPARE(presses, 1);
    }

    void otherKeysKeepItOpen()
    {
        frmAbout about;
        about.show();
        QVERIFY(QTest::qWaitForWindowActive(&about));
        QTest::keyClick(&about, Qt::Key_A);
        QTest::keyClick(&about, Qt::Key_Escape, Qt::ShiftModifier);
        QVERIFY(about.isVisible());
    }

    void modalOverTheCallerAndDiscarded()
    {
        QWidget screen;
        auto *box = new QLineEdit(&screen);
        box->setText(QStringLiteral("Ann"));
        screen.show();
        QPointer<frmAbout> shown;
        bool modal = false;
        QWidget *owner = nullptr;
        bool centred = false;
        QTimer::singleShot(0, this, [&] {
            shown = qobject_cast<frmAbout *>(QApplication::activeModalWidget());
            if (!shown)
                return;
            modal = shown->isModal();
            owner = shown->parentWidget();
            const QPoint centre = shown->screen()->availableGeometry().center();
            centred = (shown->frameGeometry().center() - centre).manhattanLength() <= 2;
            shown->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
        });
        showAboutBox(&screen);
        QVERIFY(shown.isNull());
        QVERIFY(modal);
        QCOMPARE(owner, &screen);
        QVERIFY(centred);
        QVERIFY(screen.isVisible());
        QCOMPARE(box->text(), QStringLiteral("Ann"));
    }
};

QTEST_MAIN(TestAbout)
#include "test_about.moc"
