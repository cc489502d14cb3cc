// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The stored "Duration" value: its parsing, and the update reminder that
// reads it from the settings store at every start, on arbitrary contents.
//
// The first byte picks what the rest is:
//   0  the text a settings value unscrambles to, parsed as a reminder date;
//   1  the value QSettings holds under the reminder's key, then the reminder;
//   2  the whole settings file, then the reminder;
//   3  a moment whose reminder text must read back as the same day.
// The second picks the regional settings, the third the answer to the
// question, the fourth and fifth the day the reminder runs on.
#include "FuzzInput.h"
#include "app/modSettings.h"
#include "core/Messages.h"
#include "mansions/modRTB.h"
#include "ui/Desktop.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>
#include <QTemporaryDir>

#include <array>
#include <cstdlib>
#include <memory>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

const QString duration = QStringLiteral("Duration");

// Records what the reminder shows and opens; answers its question as told.
class FuzzDesktop final : public Desktop {
public:
    MessageAnswer showMessage(QWidget *, MessageIcon icon, const QString &text, bool yesNo) override
    {
        ++messages;
        FUZZ_CHECK(icon == MessageIcon::Information && yesNo);
        FUZZ_CHECK(text == QString::fromUtf8(Messages::updateQuestion));
        return answer;
    }
    std::optional<QString> chooseFile(QWidget *, const FileDialogRequest &) override
    {
        FUZZ_CHECK(false);
        return std::nullopt;
    }
    bool openUrl(const QUrl &) override
    {
        ++pagesOpened;
        return true;
    }
    void clearClipboard() override { FUZZ_CHECK(false); }
    std::optional<ChosenPlace> choosePlace(const PlaceQuery &) override
    {
        FUZZ_CHECK(false);
        return std::nullopt;
    }

    MessageAnswer answer = MessageAnswer::No;
    int messages = 0;
    int pagesOpened = 0;
};

// Regional settings whose dates read and write very differently.
constexpr std::array<const char *, 16> localeNames{
    "C",     "en_US", "en_GB", "de_DE", "fr_FR", "ja_JP", "zh_CN", "ar_EG",
    "fa_IR", "hi_IN", "ru_RU", "ko_KR", "th_TH", "he_IL", "tr_TR", "pt_BR",
};

// A private configuration folder and the application object the settings
// store needs, made once per process.
void setUpOnce()
{
    static std::unique_ptr<QTemporaryDir> home;
    if (home)
        return;
    home = std::make_unique<QTemporaryDir>();
    FUZZ_CHECK(home->isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home->path()));
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_duration";
    static char *argv[] = {name, nullptr};
    new QCoreApplication(argc, argv);  // lives for the whole run
    static FuzzDesktop desktop;
    setDesktop(&desktop);
}

FuzzDesktop &fuzzDesktop()
{
    return static_cast<FuzzDesktop &>(desktop());
}

// The file's bytes; nothing when there is no file (whatever text a file holds).
std::optional<QByteArray> fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

// QSettings re-reads a file only when its size or time changed; a file
// written again within the same instant must still be read afresh.
void stampUniquely(const QString &path)
{
    static time_t next = 1000000000;
    const timespec times[2] = {{next, 0}, {next, 0}};
    ++next;
    ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0);
}

bool storeIsReadable(const QString &path)
{
    return QSettings(path, QSettings::IniFormat).status() == QSettings::NoError;
}

// Comment lines of an INI text, which QSettings drops when it rewrites one.
QList<QByteArray> commentLines(const QByteArray &bytes)
{
    QList<QByteArray> comments;
    for (const QByteArray &line : bytes.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.startsWith(';') || trimmed.startsWith('#'))
            comments.append(trimmed);
    }
    return comments;
}

// Runs the reminder on whatever the store now holds and checks that it asks
// at most once, writes a fresh store, changes nothing else it can't use,
// and whenever it writes leaves a readable date and every comment.
void checkReminder(const QDateTime &now, MessageAnswer answer)
{
    const QString path = settingsFilePath();
    const std::optional<QByteArray> before = fileBytes(path);
    const bool readable = storeIsReadable(path);
    const QString last = ReadSetting(duration);
    // Whatever the store holds comes back as characters the scrambler can shift back.
    for (const QChar c : last) {
        const QByteArray code = toSingleByte(QString(c));
        FUZZ_CHECK(code.size() == 1 && quint8(code.at(0)) <= 170);
    }
    const std::optional<QDateTime> stored = parseReminderDate(last);
    if (stored)
        FUZZ_CHECK(stored->isValid());

    FuzzDesktop &desk = fuzzDesktop();
    desk.answer = answer;
    desk.messages = 0;
    desk.pagesOpened = 0;
    UpdateReminder(now);

    const bool fresh = !before || before->isEmpty();
    const bool due = stored && std::llabs(now.date().daysTo(stored->date())) > 14;
    FUZZ_CHECK(desk.messages == (due ? 1 : 0));
    FUZZ_CHECK(desk.pagesOpened == (due && answer == MessageAnswer::Yes ? 1 : 0));
    const std::optional<QByteArray> after = fileBytes(path);
    // A store it can't use reads as no date and is left alone.
    if (fresh || due || (last.isEmpty() && after != before)) {
        FUZZ_CHECK(readable);
        const std::optional<QDateTime> written = parseReminderDate(ReadSetting(duration));
        FUZZ_CHECK(written && written->date() == now.date());
        for (const QByteArray &comment : commentLines(before.value_or(QByteArray())))
            FUZZ_CHECK(after && after->contains(comment));
    } else {
        // Nothing asked, nothing written: a value it can't use stays as it was.
        FUZZ_CHECK(after == before);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 5)
        return 0;
    setUpOnce();
    const int mode = data[0] % 4;
    QLocale::setDefault(QLocale(QString::fromLatin1(localeNames[data[1] % localeNames.size()])));
    const MessageAnswer answer = data[2] % 2 ? MessageAnswer::Yes : MessageAnswer::No;
    const QDateTime now(QDate(1990, 1, 1).addDays(data[3] | data[4] << 8), QTime(12, 0));
    const QByteArray rest(reinterpret_cast<const char *>(data + 5), static_cast<qsizetype>(size - 5));
    const QString path = settingsFilePath();

    switch (mode) {
    case 0: {
        const std::optional<QDateTime> parsed = parseReminderDate(unscrambleText(fromSingleByte(rest)));
        if (parsed) {
            FUZZ_CHECK(parsed->isValid());
            // Once read, a date is written back in a form that reads as the same day.
            const std::optional<QDateTime> again = parseReminderDate(reminderDateText(*parsed));
            FUZZ_CHECK(again && again->date() == parsed->date());
        }
        break;
    }
    case 1: {
        QFile::remove(path);
        {
            QSettings raw(path, QSettings::IniFormat);
            raw.setValue(QStringLiteral("Settings/") + scrambleText(duration), utf16FromBytes(
                reinterpret_cast<const std::uint8_t *>(rest.constData()), std::size_t(rest.size())));
        }
        stampUniquely(path);
        checkReminder(now, answer);
        break;
    }
    case 2: {
        QDir().mkpath(QFileInfo(path).path());
        {
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
                return 0;
            file.write(rest);
        }
        stampUniquely(path);
        checkReminder(now, answer);
        break;
    }
    case 3: {
        // Any moment of years 1900..2199, to the second.
        if (rest.size() < 5)
            return 0;
        qint64 seconds = 0;
        for (int i = 0; i < 5; ++i)
            seconds = seconds << 8 | quint8(rest.at(i));
        const QDateTime start(QDate(1900, 1, 1), QTime(0, 0));
        const QDateTime moment = start.addSecs(seconds % (qint64(300) * 365 * 86400));
        const std::optional<QDateTime> read = parseReminderDate(reminderDateText(moment));
        FUZZ_CHECK(read && read->date() == moment.date());
        break;
    }
    }
    return 0;
}
