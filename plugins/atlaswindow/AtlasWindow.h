// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "atlas/Atlas.h"
#include "atlas/PlaceClock.h"
#include "places/ChosenPlace.h"

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// The coordinates lookup: a box holding the place searched for, searched
// again as the user types; the atlas places it names with the latitude,
// longitude and zone the user types into Quorvel; what the selected place's
// clock did at the birth moment; a button that hands the selected place back
// to the program, and one that searches the web for places the atlas lacks.
class AtlasWindow : public QDialog {
    Q_OBJECT
public:
    // `query` is the place the program asks for, which the box starts with
    // and the web is searched for, and the local moment whose clock is
    // described (none when its date or time is invalid); `title` the
    // window's; `atlas` the places searched; `zoneYear` the year whose zone
    // rules are described (the current one).
    AtlasWindow(const PlaceQuery &query, const QString &title, const Atlas &atlas, int zoneYear,
                QWidget *parent = nullptr);

    QLineEdit *txtPlace() const { return m_txtPlace; }
    QTableWidget *tblPlaces() const { return m_tblPlaces; }
    QPushButton *cmdUse() const { return m_cmdUse; }
    QPushButton *cmdWeb() const { return m_cmdWeb; }
    QPushButton *cmdClose() const { return m_cmdClose; }

    // The place taken with "Use This Place" (the button, Enter or a double
    // click on a row), with its clock at the moment; none when the window
    // was closed otherwise.
    std::optional<ChosenPlace> chosenPlace() const { return m_chosenPlace; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // Searches the atlas for the box's text and shows what it finds.
    void search();
    void setupTable();
    void fillTable(const QList<AtlasMatch> &matches);
    void fitTableToRows();
    // Narrows the longest names' columns until the row fits `room` pixels.
    void fitColumns(int room);
    PlaceClock clockOf(int row) const;
    // Describes the selected row's clock at the birth moment, and grows the
    // window when the description needs more room than it has.
    void showClock();
    // Takes the row's place and closes the window.
    void usePlace(int row);
    // Opens the browser on the web search and closes the window; when the
    // browser can't be started the window stays and says so.
    void cmdWeb_Click();

    PlaceQuery m_query;
    const Atlas &m_atlas;
    int m_zoneYear;
    QList<AtlasPlace> m_places;
    std::optional<ChosenPlace> m_chosenPlace;
    int m_rowHeight = 0;
    QLabel *m_lblHeading = nullptr;
    QLineEdit *m_txtPlace = nullptr;
    QTableWidget *m_tblPlaces = nullptr;
    QLabel *m_lblClock = nullptr;
    QLabel *m_lblNote = nullptr;
    QLabel *m_lblCredit = nullptr;
    QLabel *m_lblStatus = nullptr;
    QPushButton *m_cmdUse = nullptr;
    QPushButton *m_cmdWeb = nullptr;
    QPushButton *m_cmdClose = nullptr;
};

// What the browser's button searches the web for: the query's parts as
// typed, a blank between each, and the words that ask for coordinates.
QString webQueryOf(const PlaceQuery &query);
