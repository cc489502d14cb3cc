#include "app/modSettings.h"

#include "core/Messages.h"
#include "mansions/FileSizeSignal.h"
#include "mansions/modRTB.h"
#include "ui/Desktop.h"
#include "ui/modHelp.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>

namespace {

const QString settingsSection = QStringLiteral("Settings");
const QString reminderKey = QStringLiteral("Duration");
const QString fallbackApplicationName = QStringLiteral("Quorvel");

// A reminder this many calendar days away, either way, is still recent.
constexpr qint64 reminderDays = 14;

// An INI file under the user's configuration folder, addressed by the
// application name.
class SettingsStore {
public:
    SettingsStore() : settings(QSettings::IniFormat, QSettings::UserScope, applicationName(), applicationName()) {}

    // The unscrambled value, the empty text when the key is missing, or
    // nothing when the store can't be read (missing permissions, a folder in
    // the file's place, a malformed file that a write would rewrite).
    std::optional<QString> read(const QString &key) const
    {
        if (settings.status() != QSettings::NoError)
            return std::nullopt;
        return unscrambleText(settings.value(address(key)).toString());
    }

    // Writes and stores at once; false when the store refused.
    bool write(const QString &key, const QString &value)
    {
        if (settings.status() != QSettings::NoError)
            return false;
        const FileSizeSignalIgnored overLimitIsAnError;
        settings.setValue(address(key), scrambleText(value));
        settings.sync();
        return settings.status() == QSettings::NoError;
    }

    QString fileName() const { return settings.fileName(); }

private:
    static QString address(const QString &key) { return settingsSection + u'/' + scrambleText(key); }

    QSettings settings;
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

QString settingsFilePath()
{
    return SettingsStore().fileName();
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
    const auto readAs = [&text](const QLocale &locale) { return locale.toDateTime(text, regionalFormat(locale)); };
    const QLocale current;
    if (const QDateTime regional = readAs(current); regional.isValid())
        return regional;
    // Text written before the user changed the regional settings: any
    // locale's short date and long time will do, rather than a reminder
    // blocked for good. An ambiguous day and month only moves the question.
    if (const QDateTime regional = readAs(QLocale::system()); regional.isValid())
        return regional;
    const QList<QLocale> locales =
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    for (const QLocale &locale : locales) {
        if (const QDateTime regional = readAs(locale); regional.isValid())
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
