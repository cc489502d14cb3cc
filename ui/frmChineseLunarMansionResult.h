#pragma once

#include "ui/Screen.h"

#include <array>

class QAction;
class QLabel;
class QPlainTextEdit;
class QPushButton;
struct ReadingPage;

// The result screen: one reading's mansion, its picture and its two traits
// paragraphs, with Back, Save and the shared Help menu.
class frmChineseLunarMansionResult : public Screen {
    Q_OBJECT
public:
    static constexpr int resultCount = 7;
    static constexpr int captionCount = 9;
    static constexpr int traitsCount = 2;

    explicit frmChineseLunarMansionResult(QWidget *parent = nullptr);

    // The reading's slots, as showMansionReading fills them.
    void setResult(int index, const QString &text);
    void setTraits(int index, const QString &text);
    void setPicture(int entryNumber);

    QLabel *lblResult(int index) const { return lblResults.at(index); }
    QPlainTextEdit *txtTraits(int index) const { return txtTraitsBoxes.at(index); }
    QLabel *picChinese() const { return picChineseBox; }
    // The picture list entry on display (1..28).
    int pictureEntry() const { return shownPictureEntry; }
    // The reading on display, laid out for paper by "&Print..." and "E&xport as PDF...".
    ReadingPage readingPage() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createMenus();
    void createControls(QWidget *central);

    void cmdBack_Click();
    void cmdSave_Click();
    void mnuBack_Click();
    void mnuSave_Click();
    void mnuPrint_Click();
    void mnuExportPdf_Click();
    void txtTraits_Change();
    void txtTraits_Mouse();

    std::array<QLabel *, captionCount> lblCaptions{};
    std::array<QLabel *, resultCount> lblResults{};
    std::array<QPlainTextEdit *, traitsCount> txtTraitsBoxes{};
    QLabel *picChineseBox = nullptr;
    QPushButton *cmdBack = nullptr;
    QPushButton *cmdSave = nullptr;
    QAction *mnuBack = nullptr;
    QAction *mnuSave = nullptr;
    QAction *mnuPrint = nullptr;
    QAction *mnuExportPdf = nullptr;
    int shownPictureEntry = 0;
    QObject *pressedBox = nullptr;  // the traits box a mouse button went down on, for Click
};
