// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/frmTimeZone.h"

#include "core/Messages.h"
#include "core/TimeZones.h"
#include "ui/Centred.h"
#include "ui/Look.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>

namespace {

// Design sizes in twips.
constexpr int clientWidth = 4935;
constexpr int clientHeight = 3480;
constexpr int listHeight = 3150;
constexpr int quitHeight = 345;

} // namespace

frmTimeZone::frmTimeZone(QWidget *parent, QLineEdit *zoneHourBox, QLineEdit *zoneMinuteBox)
    : QDialog(parent), m_zoneHourBox(zoneHourBox), m_zoneMinuteBox(zoneMinuteBox)
{
    setObjectName(QStringLiteral("frmTimeZone"));
    setWindowTitle(QString::fromUtf8(Messages::windowTitle));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_lstTimeZone = new QListWidget(this);
    m_lstTimeZone->setObjectName(QStringLiteral("lstTimeZone"));
    m_lstTimeZone->setAccessibleName(QStringLiteral("Time Zones"));
    m_lstTimeZone->setAccessibleDescription(
        QStringLiteral("Double-click a zone, or press Space on it, to fill in its hours and minutes"));
    m_lstTimeZone->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lstTimeZone->setSortingEnabled(false);  // the double-click relies on the positions
    m_lstTimeZone->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lstTimeZone->setFont(Look::verdana(8.25, true));
    QPalette listPalette = m_lstTimeZone->palette();
    listPalette.setColor(QPalette::Base, listPalette.color(QPalette::Button));
    listPalette.setColor(QPalette::Text, Look::black);
    m_lstTimeZone->setPalette(listPalette);
    // Any double-click on the list counts, also one that hits no entry.
    m_lstTimeZone->viewport()->installEventFilter(this);
    // Enter belongs to "&Quit"; Space on the selected zone chooses it, the
    // keyboard's double-click.
    m_lstTimeZone->installEventFilter(this);

    m_cmdQuit = new QPushButton(QStringLiteral("&Quit"), this);
    m_cmdQuit->setObjectName(QStringLiteral("cmdQuit"));
    m_cmdQuit->setFont(Look::verdana(8.25, true));
    // "&Quit" is the default button (Enter) and the cancel button (Escape,
    // which QDialog maps to reject()).
    m_cmdQuit->setDefault(true);
    m_cmdQuit->setAutoDefault(true);
    connect(m_cmdQuit, &QPushButton::clicked, this, &QDialog::reject);

    m_lstTimeZone->setGeometry(twipRect(0, 0, clientWidth, listHeight));
    m_cmdQuit->setGeometry(twipRect(0, listHeight, clientWidth, quitHeight));
    setFixedSize(twips(clientWidth), twips(clientHeight));

    Form_Load();
    m_lstTimeZone->setFocus();

    // Centred on the screen, not on the window that opened the picker.
    centreOnScreen(this, parent ? parent->screen() : nullptr);
}

void frmTimeZone::Form_Load()
{
    for (const TimeZoneEntry &zone : timeZones)
        m_lstTimeZone->addItem(QString::fromUtf8(zone.text));
}

void frmTimeZone::lstTimeZone_DblClick()
{
    const QList<QListWidgetItem *> selected = m_lstTimeZone->selectedItems();
    const int position = selected.isEmpty() ? -1 : m_lstTimeZone->row(selected.first());
    if (position >= 0 && position < timeZoneCount) {
        const TimeZoneEntry &zone = timeZones[static_cast<std::size_t>(position)];
        if (m_zoneHourBox)
            m_zoneHourBox->setText(QString::number(zone.hours));
        if (m_zoneMinuteBox)
            m_zoneMinuteBox->setText(QString::number(zone.minutes));
    }
    accept();
}

bool frmTimeZone::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_lstTimeZone->viewport() && event->type() == QEvent::MouseButtonDblClick
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        // The first click of the double-click has already selected the entry.
        lstTimeZone_DblClick();
        return true;
    }
    if (watched == m_lstTimeZone && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier && !key->isAutoRepeat()) {
            // The entry with the focus frame is the one chosen, selected or not yet.
            if (QListWidgetItem *current = m_lstTimeZone->currentItem())
                current->setSelected(true);
            lstTimeZone_DblClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
