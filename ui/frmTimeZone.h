// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>
#include <QPointer>

class QLineEdit;
class QListWidget;
class QPushButton;

// The time zone picker: a double-click on one of the named zones writes its
// hours and minutes into the main screen's two zone boxes and closes the
// picker; "&Quit", Enter, Escape and the close control write nothing.
class frmTimeZone : public QDialog {
    Q_OBJECT
public:
    frmTimeZone(QWidget *parent, QLineEdit *zoneHourBox, QLineEdit *zoneMinuteBox);

    // Writes the selected zone (if any) into the zone boxes, then closes.
    void lstTimeZone_DblClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();

    QPointer<QLineEdit> m_zoneHourBox;
    QPointer<QLineEdit> m_zoneMinuteBox;
    QListWidget *m_lstTimeZone = nullptr;
    QPushButton *m_cmdQuit = nullptr;
};
