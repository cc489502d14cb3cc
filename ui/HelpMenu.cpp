// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/HelpMenu.h"

#include "ui/Screen.h"
#include "ui/WebPages.h"
#include "ui/frmAbout.h"
#include "ui/frmHelp.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

#include <functional>

void addHelpMenu(QMenuBar *menuBar, QWidget *screen)
{
    if (!menuBar)
        return;
    QMenu *mnuHelp = menuBar->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));

    struct HelpMenuEntry {
        const char *name;
        const char *caption; // none for a separator
        QKeySequence shortcut;
        std::function<void()> command;
    };
    // The Help menu, top to bottom. F1 reaches the built-in pages wherever
    // no box claims it (the time zone boxes keep it for their picker).
    const HelpMenuEntry helpMenu[] = {
        {"mnuContents", "&Contents", QKeySequence(Qt::Key_F1), [] { showHelp(); }},
        {"mnuOnline", "&Online Help", {}, [] { OpenWebPage(WebPage::OnlineHelp); }},
        {"mnuVisit", "&Visit Us Online", {}, [] { OpenWebPage(WebPage::Home); }},
        {"mnuHelp1", nullptr, {}, {}},
        // Opens the download page only: the start-up reminder's date stays as it is.
        {"mnuUpdate", "Check for Software &Update", {}, [] { OpenWebPage(WebPage::Download); }},
        {"mnuHelp2", nullptr, {}, {}},
        {"mnuAbout", "&About Software", {}, [screen] { showAboutBox(screen); }},
    };
    for (const HelpMenuEntry &entry : helpMenu) {
        if (QAction *action = addMenuRow(mnuHelp, entry.name, entry.caption, entry.shortcut))
            QObject::connect(action, &QAction::triggered, mnuHelp, entry.command);
    }
}

void showAboutBox(QWidget *parent)
{
    frmAbout about(parent);
    about.exec();
}
