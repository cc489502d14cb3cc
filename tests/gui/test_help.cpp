// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The help pages built into the program, and what a web page does when no
// browser opens it.
#include "RecordingDesktop.h"
#include "TestWindows.h"

#include "ui/frmHelp.h"
#include "ui/modHelp.h"

#include <QFile>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

namespace {

// Every link of the page on display, in document order.
QList<QUrl> linksOf(const QTextBrowser *browser)
{
    QList<QUrl> links;
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QString href = fragment.fragment().charFormat().anchorHref();
            if (!href.isEmpty() && (links.isEmpty() || links.constLast() != QUrl(href)))
                links.append(QUrl(href));
        }
    }
    return links;
}

} // namespace

class TestHelp : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QApplication::closeAllWindows(); }

    // Each page has a title, and each link to another page leads there, from
    // where Back returns; the contents page leads to every page.
    void pagesAndTheirLinks_data()
    {
        QTest::addColumn<QString>("page");
        for (const QString &page : helpPages())
            QTest::newRow(qPrintable(page)) << page;
    }
    void pagesAndTheirLinks()
    {
        QFETCH(QString, page);
        RecordingDesktop recorder;
        frmHelp help;
        help.showPage(page);
        QTextBrowser *browser = help.txtHelp();
        QVERIFY(!browser->documentTitle().isEmpty());
        QStringList reached;
        for (const QUrl &link : linksOf(browser)) {
            if (!link.isRelative())
                continue;
            QVERIFY2(QFile::exists(QStringLiteral(":/content/help/") + link.path()), qPrintable(link.toString()));
            emit browser->anchorClicked(link);
            QCOMPARE(browser->source(), helpPageUrl(link.path()));
            reached.append(link.path());
            QTest::mouseClick(widget<QPushButton>(&help, "cmdBack"), Qt::LeftButton);
            QCOMPARE(browser->source(), helpPageUrl(page));
        }
        QVERIFY(!reached.isEmpty());
        if (page == helpPages().constFirst())
            QCOMPARE(reached, helpPages().mid(1));
        QVERIFY(recorder.openedUrls.isEmpty());
    }

    // A web page the desktop can't open says so, with its address to copy;
    // one that opens says nothing. From the Help menu and from a help page.
    void webPageWithoutBrowser_data()
    {
        QTest::addColumn<bool>("fromHelpPage");
        QTest::addColumn<bool>("browserMissing");
        QTest::newRow("menu, no browser") << false << true;
        QTest::newRow("menu, browser") << false << false;
        QTest::newRow("help page, no browser") << true << true;
        QTest::newRow("help page, browser") << true << false;
    }
    void webPageWithoutBrowser()
    {
        QFETCH(bool, fromHelpPage);
        QFETCH(bool, browserMissing);
        RecordingDesktop recorder;
        recorder.browserMissing = browserMissing;
        frmHelp help;
        help.showPage(QStringLiteral("atlas.html"));
        frmMain screen;
        if (fromHelpPage)
            emit help.txtHelp()->anchorClicked(QUrl(QStringLiteral("https://www.geonames.org/")));
        else
            widget<QAction>(screen.menuBar(), "mnuOnline")->trigger();
        QCOMPARE(recorder.openedUrls.size(), 1);
        const QString address = recorder.openedUrls.constFirst().toString();
        QCOMPARE(recorder.messageTexts(),
                 browserMissing ? QStringList{QStringLiteral("No Browser Could Open The Web Page. Copy Its Address "
                                                             "Into A Browser:\n\n") + address}
                                : QStringList());
        QCOMPARE(help.txtHelp()->source(), helpPageUrl(QStringLiteral("atlas.html")));
    }
};

QTEST_MAIN(TestHelp)
#include "test_help.moc"
