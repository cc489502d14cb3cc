// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/ReadingPair.h"

#include <QDialog>

#include <memory>

class QFont;
class QGridLayout;
class QLabel;
class Session;
struct ReadingPage;

// Two readings compared: each one's mansion, picture and nakshatra, the tara
// counted each way and the score they make, with Copy as Text, Print, Export
// as PDF and Close. Modeless, over the result screen; Escape closes it.
class frmComparison : public QDialog {
    Q_OBJECT
public:
    frmComparison(const ReadingPair &pair, std::shared_ptr<Session> session, QWidget *parent = nullptr);

    const ReadingPair &pair() const { return m_pair; }

private:
    void addReadingRows(QGridLayout *grid);
    void addDirectionRows(QGridLayout *grid, int firstRow);
    void addScoreRows(QGridLayout *grid, int firstRow);
    QLabel *addNote(QGridLayout *grid, int row, const QString &text, const char *name);
    QLabel *addValue(QGridLayout *grid, int row, int column, const QString &text, const QString &name,
                     const QFont &font);

    void cmdCopy_Click();
    void cmdPrint_Click();
    void cmdExportPdf_Click();

    ReadingPair m_pair;
    std::shared_ptr<Session> m_session; // where Export as PDF starts
};

// The comparison as it goes on paper.
ReadingPage comparisonPage(const ReadingPair &pair);

// "Compare With &Another Reading..." of the result screen: asks for a saved
// reading and compares the reading on display with it.
void compareWithSavedReading(const std::shared_ptr<Session> &session, QWidget *resultScreen);
