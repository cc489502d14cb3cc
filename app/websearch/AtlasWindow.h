// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "atlas/Atlas.h"
#include "atlas/PlaceClock.h"

#include <QDate>
#include <QDialog>
#include <QTime>
#include <QVariantMap>

class QLabel;
class QPushButton;
class QTableWidget;

// The coordinates lookup's results: the atlas places for the typed city,
// state and country with the latitude, longitude and zone the user types
// into Quorvel, what the selected place's clock did at the birth moment, a
// button that hands the selected place back to the program, and one that
// searches the web for places the atlas lacks.
class AtlasWindow : public QDialog {
    Q_OBJECT
public:
    // `query` is the whole query the program sent; `zoneYear` the year
    // whose zone rules are described (the current one); `birthDate` and
    // `birthTime` the local moment whose clock is described (invalid when
    // the program sent none: no clock is described then).
    AtlasWindow(const QString &query, const QList<AtlasMatch> &matches, int zoneYear, const QDate &birthDate,
                const QTime &birthTime, QWidget *parent = nullptr);

    QTableWidget *tblPlaces() const { return m_tblPlaces; }
    QPushButton *cmdUse() const { return m_cmdUse; }
    QPushButton *cmdWeb() const { return m_cmdWeb; }
    QPushButton *cmdClose() const { return m_cmdClose; }

    // The place taken with "Use This Place" (the button, Enter or a double
    // click on a row) as the plugin hands it to the program: coordinates and
    // zone always, the zone boxes and DST tick when the clock fills them.
    // Empty when the window was closed otherwise.
    QVariantMap chosenPlace() const { return m_chosenPlace; }

private:
    void fillTable(const QList<AtlasMatch> &matches, int zoneYear);
    void fitTableToRows();
    PlaceClock clockOf(int row) const;
    // Describes the selected row's clock at the birth moment, and grows the
    // window when the description needs more room than it has.
    void showClock();
    // Takes the row's place and closes the window.
    void usePlace(int row);
    // Opens the browser on the web search and closes the window; when the
    // browser can't be started the window stays and says so.
    void cmdWeb_Click();

    QString m_query;
    QList<AtlasPlace> m_places;
    QDate m_birthDate;
    QTime m_birthTime;
    QVariantMap m_chosenPlace;
    QLabel *m_lblHeading = nullptr;
    QTableWidget *m_tblPlaces = nullptr;
    QLabel *m_lblClock = nullptr;
    QLabel *m_lblNote = nullptr;
    QLabel *m_lblCredit = nullptr;
    QLabel *m_lblStatus = nullptr;
    QPushButton *m_cmdUse = nullptr;
    QPushButton *m_cmdWeb = nullptr;
    QPushButton *m_cmdClose = nullptr;
};
