// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The help pages built into the program, and a web page no browser opens.
#include "RecordingDesktop.h"
#include "TestWindows.h"

#include "ui/frmHelp.h"

#include <QFile>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

class TestHelp : public QObject {
    Q_OBJECT
private slots:
    // Each page has a title; each link leads to a page of its own, from where
    // Back returns; the contents page leads to every page. A web link, like
    // the Help menu's web pages, says where it leads when no browser opens it.
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
        recorder.browserMissing = true;
        frmHelp help;
        help.showPage(page);
        QTextBrowser *browser = help.txtHelp();
        QVERIFY(!browser->documentTitle().isEmpty());
        QStringList reached;
        for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
            for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
                const QUrl link(fragment.fragment().charFormat().anchorHref());
                if (!link.isEmpty())
                    emit browser->anchorClicked(link);
                if (link.isEmpty() || !link.isRelative())
                    continue;
                QVERIFY2(QFile::exists(":/content/help/" + link.path()), qPrintable(link.toString()));
                QCOMPARE(browser->source(), helpPageUrl(link.path()));
                reached.append(link.path());
                QTest::mouseClick(widget<QPushButton>(&help, "cmdBack"), Qt::LeftButton);
            }
        }
        QCOMPARE(browser->source(), helpPageUrl(page));
        if (page == helpPages().constFirst())
            QCOMPARE(reached, helpPages().mid(1));
        frmMain screen;
        widget<QAction>(screen.menuBar(), "mnuOnline")->trigger();
        QCOMPARE(recorder.messages.size(), recorder.openedUrls.size());
        for (int i = 0; i < recorder.messages.size(); ++i)
            QCOMPARE(recorder.messages.at(i).text, "No Browser Could Open The Web Page. Copy Its Address Into A "
                                                   "Browser:\n\n" + recorder.openedUrls.at(i).toString());
    }
};

QTEST_MAIN(TestHelp)
#include "test_help.moc"
