// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

class LinkLabel;
class QPushButton;

// The about box: the program's name, version and purpose, a link to the home
// page and one to the full-branding offer. Shown modal, created each time.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void lblHomePage_Click();
    void lblCoBrand_Click();
    void cmdOK_Click();

    LinkLabel *m_lblHomePage = nullptr;
    LinkLabel *m_lblCoBrand = nullptr;
    QPushButton *m_cmdOK = nullptr;
};
