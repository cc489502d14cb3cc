// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "mansions/ReadingCaptions.h"
#include "ui/Screen.h"
#include "ui/Session.h"

#include <array>
#include <memory>

class QAction;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The result screen: one reading's mansion, its picture and its two traits
// paragraphs, with Back, Save and the shared Help menu.
class frmChineseLunarMansionResult : public Screen {
    Q_OBJECT
public:
    static constexpr int resultCount = readingValueCount;
    static constexpr int traitsCount = readingTraitsCount;
    static constexpr int captionCount = resultCount + traitsCount;  // the traits captions come last

    // Save, Print and Back work with `session`, which a fresh one stands in for.
    explicit frmChineseLunarMansionResult(std::shared_ptr<Session> session = std::make_shared<Session>(),
                                          QWidget *parent = nullptr);

    // Shows `reading` and makes it, with the place typed for it, the
    // session's reading on display. A calculated reading's span is the
    // nakshatra value's tooltip.
    void setReading(const Reading &reading, const BirthPlace &place = {});

    // A reading file dropped or handed over replaces this screen's reading
    // with a fresh result screen, as Open on the main input screen would.
    void showReadingFile(const QString &path) override;

    // The picture list entry on display (1..28).
    int pictureEntry() const { return m_shownPictureEntry; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createMenus();
    void createControls(QWidget *central);
    void setPicture(int entryNumber);
    // "Reading of Carlos Ruiz", or of the file a reading without a birth came from.
    void showWhose(const Reading &reading);

    void cmdBack_Click();
    void cmdSave_Click();
    void mnuBack_Click();
    void mnuSave_Click();
    void mnuPrint_Click();
    void mnuExportPdf_Click();
    void mnuCompare_Click();
    void mnuMoonCalendar_Click();
    // Opens the main input screen filled with the birth of the reading on
    // display, in place of this screen.
    void mnuChangeBirthData_Click();
    void txtTraits_Change();
    void txtTraits_Mouse();

    std::array<QLabel *, captionCount> m_lblCaptions{};
    std::array<QLabel *, resultCount> m_lblResults{};
    std::array<QPlainTextEdit *, traitsCount> m_txtTraitsBoxes{};
    QLabel *m_picChineseBox = nullptr;
    QLabel *m_lblWhose = nullptr;
    QPushButton *m_cmdBack = nullptr;
    QPushButton *m_cmdSave = nullptr;
    QAction *m_mnuBack = nullptr;
    QAction *m_mnuSave = nullptr;
    QAction *m_mnuPrint = nullptr;
    QAction *m_mnuExportPdf = nullptr;
    QAction *m_mnuCompare = nullptr;
    QAction *m_mnuMoonCalendar = nullptr;
    QAction *m_mnuChangeBirthData = nullptr;
    std::shared_ptr<Session> m_session;
    int m_shownPictureEntry = 0;
    QObject *m_pressedBox = nullptr;  // the traits box a mouse button went down on, for Click
};
