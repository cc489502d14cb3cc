// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/modSettings.h"

#include "core/Messages.h"
#include "mansions/modRTB.h"
#include "sys/FileSizeSignal.h"
#include "ui/Desktop.h"
#include "ui/RecentReadings.h"
#include "ui/WebPages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString settingsSection = QStringLiteral("Settings");
const QString reminderKey = QStringLiteral("Duration");
const QString recentKey = QStringLiteral("Recent");
const QString fallbackApplicationName = QStringLiteral("Quorvel");

// A reminder this many calendar days away, either way, is still recent.
constexpr qint64 reminderDays = 14;

// The store holds one short value: a bigger file is not one it wrote, and
// reading it would only delay start-up.
constexpr qint64 maxSettingsBytes = 64 * 1024;

// The settings file's bytes, empty when there is none; nothing when it can't
// be read or is no regular file of at most maxSettingsBytes. It is opened
// without following a symlink or waiting for a writer on a FIFO.
std::optional<QByteArray> settingsFileBytes(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? std::optional(QByteArray()) : std::nullopt;
    QFile file;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size > maxSettingsBytes ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
    const QByteArray bytes = file.read(maxSettingsBytes + 1);
    if (bytes.size() > maxSettingsBytes)
        return std::nullopt;  // grew since
    return bytes;
}

// False for a line QSettings reads as a comment in whole or part (";"
// outside quotes, "#" at its start) or as continued on the next line.
bool lineIsWhole(QByteArrayView line)
{
    if (line.startsWith('#'))
        return false;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == '\\' && ++i == line.size())
            return false;
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ';' && !quoted)
            return false;
    }
    return true;
}

// Whether QSettings, rewriting the file it parsed as `parsed`, keeps all of
// `bytes`: it drops comments, lines without a key, repeated keys and empty
// sections, and joins continued lines.
bool rewriteKeepsEverything(const QByteArray &bytes, const QSettings &parsed)
{
    qsizetype keyLines = 0;
    bool sectionWithoutKeys = false;
    for (const QByteArray &untrimmed : bytes.split('\n')) {
        const QByteArray line = untrimmed.trimmed();
        if (line.isEmpty())
            continue;
        if (!lineIsWhole(line))
            return false;
        if (line.startsWith('[') && line.endsWith(']')) {
            if (sectionWithoutKeys)
                return false;
            sectionWithoutKeys = true;
        } else if (line.contains('=')) {
            ++keyLines;
            sectionWithoutKeys = false;
        } else {
            return false;
        }
    }
    return !sectionWithoutKeys && keyLines == parsed.allKeys().size();
}

// An INI file under the user's configuration folder, addressed by the
// application name. Only a store the program can rewrite without losing
// anything is used; any other is left exactly as it is.
class SettingsStore {
public:
    SettingsStore()
    {
        const QString path = settingsFilePath();
        const std::optional<QByteArray> bytes = settingsFileBytes(path);
        if (!bytes)
            return;
        m_settings.emplace(path, QSettings::IniFormat);
        m_usable = m_settings->status() == QSettings::NoError && rewriteKeepsEverything(*bytes, *m_settings);
    }

    // The unscrambled value, the empty text when the key is missing, or
    // nothing when the store is not used (missing permissions, a folder,
    // FIFO or symlink in the file's place, a file too big, malformed or
    // holding lines a write would drop).
    std::optional<QString> read(const QString &key) const
    {
        if (!m_usable)
            return std::nullopt;
        return unscrambleText(m_settings->value(address(key)).toString());
    }

    // Writes and stores at once; false when the store refused.
    bool write(const QString &key, const QString &value)
    {
        if (!m_usable)
            return false;
        const FileSizeSignalIgnored overLimitIsAnError;
        m_settings->setValue(address(key), scrambleText(value));
        m_settings->sync();
        // It names people and their files now: the user's alone.
        QFile::setPermissions(m_settings->fileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        return m_settings->status() == QSettings::NoError;
    }

private:
    static QString address(const QString &key) { return settingsSection + u'/' + scrambleText(key); }

    std::optional<QSettings> m_settings;
    bool m_usable = false;
};

// The regional short date followed by the long time.
QString regionalFormat(const QLocale &locale)
{
    return locale.dateFormat(QLocale::ShortFormat) + u' ' + locale.timeFormat(QLocale::LongFormat);
}

} // namespace

// The executable's file name without its extension: renaming the program
// starts it from empty settings.
QString applicationName()
{
    if (!QCoreApplication::instance())
        return fallbackApplicationName;
    const QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return name.isEmpty() ? fallbackApplicationName : name;
}

QString ReadSetting(const QString &key)
{
    return SettingsStore().read(key).value_or(QString());
}

void WriteSetting(const QString &key, const QString &value)
{
    SettingsStore().write(key, value);
}

void keepRecentReadingsInSettings()
{
    setRecentReadingStorage({[] { return ReadSetting(recentKey); }, [](const QString &list) { WriteSetting(recentKey, list); }});
}

QString userBaseFolder(const char *variable, const QString &underHome)
{
    const QString folder = qEnvironmentVariable(variable);
    if (folder.startsWith(u'/'))
        return QDir::cleanPath(folder);
    return QDir::homePath() + u'/' + underHome;
}

QString settingsFilePath()
{
    const QString name = applicationName();
    return userBaseFolder("XDG_CONFIG_HOME", QStringLiteral(".config")) + u'/' + name + u'/' + name +
           QStringLiteral(".ini");
}

QString reminderDateText(const QDateTime &moment)
{
    // The regional text is kept only where it comes back intact: characters
    // outside the scrambler's page (non-Latin day periods, CJK time units)
    // would be dropped, and two-digit years read back a century early. Either
    // would block or repeat the reminder forever, so those get ISO 8601.
    const QLocale locale;
    const QString format = regionalFormat(locale);
    const QString regional = locale.toString(moment, format);
    if (!regional.isEmpty() && unscrambleText(scrambleText(regional)) == regional) {
        const QDateTime readBack = locale.toDateTime(regional, format);
        if (readBack.isValid() && readBack.date() == moment.date())
            return regional;
    }
    return moment.toString(Qt::ISODate);
}

std::optional<QDateTime> parseReminderDate(const QString &text)
{
    const QDateTime iso = QDateTime::fromString(text, Qt::ISODate);
    if (iso.isValid())
        return iso;
    // The regional forms the program writes under the current settings, and
    // those of text written before the user chose others: the system's, or
    // C and English where the desktop set none. A handful, not every locale:
    // each try costs a full date parse, at every start.
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    for (const QLocale &locale : {QLocale(), QLocale::system(), QLocale::c(), english}) {
        if (const QDateTime regional = locale.toDateTime(text, regionalFormat(locale)); regional.isValid())
            return regional;
    }
    return std::nullopt;
}

void UpdateReminder()
{
    UpdateReminder(QDateTime::currentDateTime());
}

void UpdateReminder(const QDateTime &now)
{
    SettingsStore store;
    const std::optional<QString> last = store.read(reminderKey);
    if (!last)
        return;
    if (last->isEmpty()) {
        store.write(reminderKey, reminderDateText(now));
        return;
    }

    // A value that isn't a date stays as it is and asks nothing.
    const std::optional<QDateTime> stored = parseReminderDate(*last);
    if (!stored)
        return;
    // Calendar days, not 24-hour periods: the time of day plays no part.
    const qint64 days = now.date().daysTo(stored->date());
    if (days >= -reminderDays && days <= reminderDays)
        return;

    const MessageAnswer answer = desktop().showMessage(nullptr, MessageIcon::Information,
                                                       QString::fromUtf8(Messages::updateQuestion), true);
    // The new date is stored before the browser is asked for the page, and a
    // refused write stops the reminder there.
    if (!store.write(reminderKey, reminderDateText(now)))
        return;
    if (answer == MessageAnswer::Yes)
        OpenWebPage(WebPage::Download);
}
