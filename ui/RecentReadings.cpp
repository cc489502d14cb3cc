// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/RecentReadings.h"

#include "ui/ReadingFlow.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QStringList>

namespace {

constexpr qsizetype recentCount = 8;

// The list for the run, where no storage is installed.
QString runList;

RecentReadingStorage &storage()
{
    static RecentReadingStorage installed{[] { return runList; }, [](const QString &value) { runList = value; }};
    return installed;
}

// The list as stored: one reading a line, its path and person's name
// apart by a tab, as Base64 of UTF-8, which any settings scrambler keeps.
QString storedText(const QList<RecentReading> &readings)
{
    QStringList lines;
    for (const RecentReading &r : readings)
        lines.append(r.path + u'\t' + r.person);
    return QString::fromLatin1(lines.join(u'\n').toUtf8().toBase64());
}

QList<RecentReading> readingsOf(const QString &stored)
{
    QList<RecentReading> readings;
    const QString text = QString::fromUtf8(QByteArray::fromBase64(stored.toLatin1()));
    for (const QString &line : text.split(u'\n', Qt::SkipEmptyParts)) {
        const qsizetype tab = line.indexOf(u'\t');
        if (tab > 0 && readings.size() < recentCount)
            readings.append({line.left(tab), line.mid(tab + 1)});
    }
    return readings;
}

void store(const QList<RecentReading> &readings)
{
    storage().write(readings.isEmpty() ? QString() : storedText(readings));
}

// "&1 Carlos Ruiz (carlos.qvr)", or the file's name alone, after its
// number as its key; a "&" of the names is no key.
QString entryText(int number, const RecentReading &reading)
{
    const QString file = QFileInfo(reading.path).fileName();
    QString text = reading.person.isEmpty() ? file : QStringLiteral("%1 (%2)").arg(reading.person, file);
    return QStringLiteral("&%1 ").arg(number) + text.replace(u'&', QLatin1String("&&"));
}

void fillRecentMenu(QMenu *menu, const std::shared_ptr<Session> &session, QWidget *screen)
{
    menu->clear();
    const QList<RecentReading> readings = recentReadings();
    for (const RecentReading &reading : readings) {
        QAction *entry = menu->addAction(entryText(int(menu->actions().size()) + 1, reading));
        entry->setToolTip(reading.path);
        QObject::connect(entry, &QAction::triggered, screen, [path = reading.path, session, screen] {
            if (!openReadingFile(path, session, screen))
                forgetReading(path);
        });
    }
    menu->addSeparator();
    QAction *clear = menu->addAction(QStringLiteral("&Clear List"));
    clear->setObjectName(QStringLiteral("mnuClearRecent"));
    clear->setEnabled(!readings.isEmpty());
    QObject::connect(clear, &QAction::triggered, screen, [] { store({}); });
}

} // namespace

void setRecentReadingStorage(const RecentReadingStorage &replacement)
{
    storage() = replacement;
}

QList<RecentReading> recentReadings()
{
    return readingsOf(storage().read());
}

void rememberReading(const RecentReading &reading)
{
    QList<RecentReading> readings = recentReadings();
    readings.removeIf([&](const RecentReading &r) { return r.path == reading.path; });
    readings.prepend(reading);
    store(readings.mid(0, recentCount));
}

void forgetReading(const QString &path)
{
    QList<RecentReading> readings = recentReadings();
    readings.removeIf([&](const RecentReading &r) { return r.path == path; });
    store(readings);
}

void addRecentMenu(QMenu *fileMenu, const std::shared_ptr<Session> &session, QWidget *screen)
{
    QMenu *recent = fileMenu->addMenu(QStringLiteral("Open &Recent"));
    recent->setObjectName(QStringLiteral("mnuRecent"));
    recent->menuAction()->setObjectName(QStringLiteral("mnuRecent"));
    recent->setToolTipsVisible(true);
    // Filled as it opens: another screen may have changed the list.
    QObject::connect(recent, &QMenu::aboutToShow, screen,
                     [recent, session, screen] { fillRecentMenu(recent, session, screen); });
    fillRecentMenu(recent, session, screen);
}
