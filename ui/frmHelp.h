// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>
#include <QStringList>
#include <QUrl>

class QPushButton;
class QTextBrowser;

// The help pages built into the program, shown without a browser: a
// contents page and one page on each part of the program. Links between the
// pages stay in the window; a link to the web goes to the browser, or says
// where it leads when no browser opens. Modeless; Escape closes it.
class frmHelp : public QDialog {
    Q_OBJECT
public:
    explicit frmHelp(QWidget *parent = nullptr);

    // Shows `page`, a file name of helpPages().
    void showPage(const QString &page);
    QTextBrowser *txtHelp() const { return m_txtHelp; }

private:
    void txtHelp_AnchorClicked(const QUrl &link);

    QTextBrowser *m_txtHelp = nullptr;
    QPushButton *m_cmdBack = nullptr;
};

// The pages' file names, the contents page first.
QStringList helpPages();
// Where a page is kept among the program's resources.
QUrl helpPageUrl(const QString &page);

// Help, "&Contents" (F1): brings the one help window up on its contents page.
void showHelp();
