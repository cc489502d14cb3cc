// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "birth/BirthReader.h"
#include "places/ChosenPlace.h"
#include "ui/Branding.h"
#include "ui/Screen.h"
#include "ui/Session.h"
#include "ui/ZoneFollow.h"

#include <QClipboard>

#include <memory>
#include <optional>

class LinkLabel;
class QAbstractButton;
class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;

// The main input screen: one person's birth data, the calculate command and
// the way into a saved reading. Every control carries its name as objectName.
class frmMain : public Screen {
    Q_OBJECT
public:
    // The readings it shows go into `session`, which a fresh one stands in for.
    explicit frmMain(std::shared_ptr<Session> session = std::make_shared<Session>(), QWidget *parent = nullptr);
    ~frmMain() override;

    // The two banners of the bottom frame (the start-up draw reorders them).
    LinkLabel *lblFullBrand() const { return m_branding.lblFullBrand; }
    LinkLabel *lblCobrand() const { return m_branding.lblCobrand; }

    // The screen's contents as the calculation and the validation read them.
    BirthEntry birthEntry() const;

    // Checks the screen in the fixed order; on false it has shown the one
    // message and moved the focus where that rule says.
    bool validateInput();

    // "&Get My Chinese Lunar Mansion" and File, "&Calculate".
    void cmdCalculate_Click();
    // "Click Here To Find Latitude && Longitude": the lookup, at the birth
    // moment on the screen; the place chosen there fills the screen.
    void cmdBrowser_Click();
    // "&Open Previously Saved Reading".
    void cmdOpen_Click();
    // "TZ Help": the time zone picker, modal.
    void lblTZHelp_Click();

    void showReadingFile(const QString &path) override;

    // Sets the screen to a calculated reading's birth and the place typed
    // for it, ready to change and calculate again: a zone with its own
    // direction carries its sign. The seconds, which the calculation never
    // reads, go to 0.
    void fillBirth(const BirthData &birth, const BirthPlace &place);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createMenus();
    void createControls(QWidget *central);
    void createInputFrame(QWidget *frame);
    void createZoneFrame(QFrame *frame);
    void createCoordinateFrames(QWidget *inputFrame);
    void connectControls();
    void setFocusOrder();
    void keepTabStopOnChoice(QAbstractButton *button, bool checked);
    void Form_Load();
    QLineEdit *boxOf(BirthPart part) const;
    void showProblem(const BirthProblem &problem);
    // The birth on the screen, or nothing after the message of the first
    // rule it breaks; a moment the place's clocks skipped takes the zone's turn.
    std::optional<BirthData> checkedBirth();
    // Types the chosen place's coordinates and names into the screen, and
    // its zone and DST tick at the birth moment where it has a clock then.
    void usePlace(const ChosenPlace &place);
    // The digit rule for text typed or put into a number box at once
    // (pasted): true, after the message, when `text` holds anything but
    // digits (the zone-hour box takes one leading sign as well).
    bool refuseNonDigitText(QLineEdit *box, const QString &text);
    void pasteChecked(QLineEdit *box, QClipboard::Mode mode);
    void showNumberBoxMenu(QLineEdit *box, const QPoint &globalPosition);
    // The zone boxes and DST as that zone (its sign where it has a
    // direction of its own) and tick.
    void typeZone(const ZoneOffset &zone, bool dst);
    void setZoneNote(const QString &note, const QString &details = {});
    // The clock's offset under the zone boxes, or nothing while the boxes
    // (or an unsigned zone's longitude) don't give one.
    void showZoneOffset();
    // The offset clicked: the zone's direction the other way.
    void lblZoneOffset_Click();
    // The lat/long boxes and options as typed, to tell whether they still
    // hold the place's.
    QStringList coordinateTexts() const;
    // The place boxes, with the atlas zone while the coordinates are the place's.
    BirthPlace typedPlace() const;
    // After the birth date or time changed: the zone and DST of the place
    // last used, for the new moment, or empty with a note where there is none.
    void followPlaceZone();
    void forgetPlaceZone();

    // The place whose zone the screen shows, while its coordinates stand.
    ZoneFollow m_zoneFollow;
    bool m_dateChanged = false;  // since the screen opened

    std::shared_ptr<Session> m_session;
    BrandingFrame m_branding;

    QMenu *m_mnuFile = nullptr;
    QAction *m_mnuCalculate = nullptr;

    QPushButton *m_cmdOpen = nullptr;
    QLineEdit *m_txtName = nullptr;
    QComboBox *m_cboMonth = nullptr;
    QComboBox *m_cboDate = nullptr;
    QComboBox *m_cboYear = nullptr;
    QComboBox *m_cboHH = nullptr;
    QComboBox *m_cboMM = nullptr;
    QComboBox *m_cboSS = nullptr;
    QLineEdit *m_txtZoneHour = nullptr;
    QLineEdit *m_txtZoneMinute = nullptr;
    LinkLabel *m_lblTZHelp = nullptr;
    QCheckBox *m_chkDST = nullptr;
    QLabel *m_lblZoneNote = nullptr;
    LinkLabel *m_lblZoneOffset = nullptr;
    QLineEdit *m_txtLatD = nullptr;
    QLineEdit *m_txtLatM = nullptr;
    QRadioButton *m_optLat[2] = {};
    QButtonGroup *m_optLatGroup = nullptr;
    QLineEdit *m_txtLonD = nullptr;
    QLineEdit *m_txtLonM = nullptr;
    QRadioButton *m_optLong[2] = {};
    QButtonGroup *m_optLongGroup = nullptr;
    QLineEdit *m_txtMCity = nullptr;
    QLineEdit *m_txtMState = nullptr;
    QLineEdit *m_txtMCountry = nullptr;
    QPushButton *m_cmdBrowser = nullptr;
    QPushButton *m_cmdCalculate = nullptr;
};
