#pragma once

#include "atlas/Atlas.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

// The coordinates lookup's results: the atlas places for the typed city,
// state and country with the latitude, longitude and zone the user types
// into Quorvel, and a button that searches the web for places the atlas
// lacks. It reads nothing back into the program.
class AtlasWindow : public QDialog {
    Q_OBJECT
public:
    // `query` is the whole query the program sent; `zoneYear` the year
    // whose zone rules are described (the current one).
    AtlasWindow(const QString &query, const QList<AtlasMatch> &matches, int zoneYear, QWidget *parent = nullptr);

    QTableWidget *tblPlaces() const { return m_tblPlaces; }
    QPushButton *cmdWeb() const { return m_cmdWeb; }
    QPushButton *cmdClose() const { return m_cmdClose; }

private:
    void fillTable(const QList<AtlasMatch> &matches, int zoneYear);
    void fitTableToRows();
    // Opens the browser on the web search and closes the window; when the
    // browser can't be started the window stays and says so.
    void cmdWeb_Click();

    QString m_query;
    QLabel *m_lblHeading = nullptr;
    QTableWidget *m_tblPlaces = nullptr;
    QLabel *m_lblNote = nullptr;
    QLabel *m_lblCredit = nullptr;
    QLabel *m_lblStatus = nullptr;
    QPushButton *m_cmdWeb = nullptr;
    QPushButton *m_cmdClose = nullptr;
};
