// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/CalendarReport.h"

#include <QDate>
#include <QDialog>
#include <QTimeZone>

#include <memory>
#include <optional>
#include <vector>

class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QTableWidget;
class Session;
struct ReadingPage;

// The Moon's changes of nakshatra over a month, on a clock the user chooses
// (the system's zone, any zone of the database, or a place's found through
// the coordinates search), each period with its tara from the reading on
// display; the period running now stands above them. Previous and next
// month, the export of a span to a calendar file, Copy as Text, Print,
// Export as PDF and Close. Modeless, over the result screen; Escape closes it.
class frmMoonCalendar : public QDialog {
    Q_OBJECT
public:
    explicit frmMoonCalendar(std::shared_ptr<Session> session, QWidget *parent = nullptr);

    // The month shown (its first day) and its periods.
    QDate month() const { return m_month; }
    const std::vector<CalendarRow> &rows() const { return m_rows; }

private:
    QWidget *createClockRow();
    QWidget *createMonthRow();
    QWidget *createSpanRow();
    void createPeriodList();
    QTimeZone chosenZone() const;
    void showMonth(const QDate &month);
    void showNow();
    void fillPeriodList();
    std::vector<CalendarRow> calendarRows(const QDate &from, const QDate &to) const;
    QString calendarText() const;
    ReadingPage calendarPage() const;

    void cboClock_Change();
    void cmdFindPlace_Click();
    void cmdPrevious_Click();
    void cmdNext_Click();
    void cmdExportCalendar_Click();
    void cmdCopy_Click();
    void cmdPrint_Click();
    void cmdExportPdf_Click();

    std::shared_ptr<Session> m_session;  // the reading the taras count from; where exports start
    std::optional<int> m_readingNakshatra;
    QDate m_month;
    std::vector<CalendarRow> m_rows;
    QLabel *m_lblNow = nullptr;
    QLabel *m_lblNowTara = nullptr;
    QLabel *m_lblMonth = nullptr;
    QComboBox *m_cboClock = nullptr;
    QPushButton *m_cmdPrevious = nullptr;
    QPushButton *m_cmdNext = nullptr;
    QTableWidget *m_lstPeriods = nullptr;
    QDateEdit *m_txtSpanFrom = nullptr;
    QDateEdit *m_txtSpanTo = nullptr;
};
