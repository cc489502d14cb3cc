// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/modSettings.h"
#include "mansions/modRTB.h"
#include "ui/WebPages.h"

#include "RecordingDesktop.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

const QString duration = QStringLiteral("Duration");

QDateTime at(int year, int month, int day, int hour = 12, int minute = 0, int second = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

// A settings file as the store writes it, holding a reminder date long due.
QByteArray storeWithDueDate()
{
    QTemporaryDir scratch;
    const QString path = scratch.filePath(QStringLiteral("store.ini"));
    QSettings(path, QSettings::IniFormat)
        .setValue(QStringLiteral("Settings/") + scrambleText(duration),
                  scrambleText(QStringLiteral("2000-01-01T00:00:00")));
    return fileBytes(path);
}

bool isFifo(const QString &path)
{
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISFIFO(status.st_mode);
}

QDate storedDate()
{
    const std::optional<QDateTime> stored = parseReminderDate(ReadSetting(duration));
    return stored ? stored->date() : QDate();
}

// Answers Yes and notes what "Duration" held when the download page was asked for.
class OrderingDesktop final : public Desktop {
public:
    OrderingDesktop() { setDesktop(this); }
    ~OrderingDesktop() override { setDesktop(nullptr); }
    MessageAnswer showMessage(QWidget *, MessageIcon, const QString &, bool) override { return MessageAnswer::Yes; }
    std::optional<QString> chooseFile(QWidget *, const FileDialogRequest &) override { return std::nullopt; }
    bool openUrl(const QUrl &url) override
    {
        opened.append(url);
        storedWhenOpened = ReadSetting(duration);
        return true;
    }
    void clearClipboard() override {}
    std::optional<ChosenPlace> choosePlace(const PlaceQuery &) override { return std::nullopt; }

    QList<QUrl> opened;
    QString storedWhenOpened;
};

} // namespace

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QLocale::setDefault(QLocale::c());
        const QString path = settingsFilePath();
        if (QFileInfo(path).isDir())
            QDir(path).removeRecursively();
        else
            QFile::remove(path);
    }

    void cleanupTestCase() { QLocale::setDefault(QLocale::c()); }

    // ---- the store ------------------------------------------------------------------

    void storeHoldsScrambledKeyAndValue()
    {
        // Under the user's configuration folder, named after the executable.
        QVERIFY(settingsFilePath().startsWith(qEnvironmentVariable("XDG_CONFIG_HOME") + u'/'));
        QVERIFY(settingsFilePath().endsWith(QStringLiteral("/test_settings/test_settings.ini")));
        // A relative folder is ignored, as the XDG rules say: never one under the current folder.
        const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", "relative/config");
        const QString relativeIgnored = settingsFilePath();
        qputenv("XDG_CONFIG_HOME", configHome);
        QCOMPARE(relativeIgnored, QDir::homePath() + QStringLiteral("/.config/test_settings/test_settings.ini"));
        QCOMPARE(ReadSetting(duration), QString());  // never written

        const QString value = QStringLiteral("2028-08-18T18:08:58");
        WriteSetting(duration, value);
        QCOMPARE(ReadSetting(duration), value);
        const QByteArray bytes = fileBytes(settingsFilePath());  // written at once
        QVERIFY(bytes.startsWith("[Settings]"));
        QVERIFY(!bytes.contains("Duration"));
        QVERIFY(!bytes.contains("2028"));
        QSettings raw(settingsFilePath(), QSettings::IniFormat);
        QCOMPARE(raw.allKeys(), QStringList{QStringLiteral("Settings/") + scrambleText(duration)});
        QCOMPARE(raw.value(raw.allKeys().first()).toString(), scrambleText(value));
    }

    void plainKeyIsNotRecognised()
    {
        QSettings(settingsFilePath(), QSettings::IniFormat)
            .setValue(QStringLiteral("Settings/Duration"), QStringLiteral("2000-01-01T00:00:00"));
        QCOMPARE(ReadSetting(duration), QString());
        RecordingDesktop recorder;
        UpdateReminder(at(2024, 3, 1));  // taken for a first start
        QVERIFY(recorder.messages.isEmpty());
        QCOMPARE(storedDate(), QDate(2024, 3, 1));
    }

    // ---- the reminder ------------------------------------------------------------------

    void calendarDays_data()
    {
        QTest::addColumn<QDateTime>("stored");  // invalid: first start
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<bool>("asks");
        QTest::newRow("first start") << QDateTime() << at(2024, 3, 1, 9, 30, 15) << false;
        QTest::newRow("same day") << at(2024, 3, 1) << at(2024, 3, 1, 23, 59) << false;
        QTest::newRow("14 days, any hour") << at(2024, 3, 1, 0, 0) << at(2024, 3, 15, 23, 59, 59) << false;
        QTest::newRow("15 days across midnight") << at(2024, 3, 1, 23, 59) << at(2024, 3, 16, 0, 1) << true;
        QTest::newRow("leap day counts: 14") << at(2024, 2, 20) << at(2024, 3, 5) << false;
        QTest::newRow("leap day counts: 15") << at(2024, 2, 20) << at(2024, 3, 6) << true;
        QTest::newRow("across new year: 15") << at(2023, 12, 25, 8) << at(2024, 1, 9, 7) << true;
        QTest::newRow("14 days ahead") << at(2024, 3, 15) << at(2024, 3, 1) << false;
        QTest::newRow("15 days ahead (clock set back)") << at(2024, 3, 16, 0, 1) << at(2024, 3, 1, 23, 59) << true;
    }

    void calendarDays()
    {
        QFETCH(QDateTime, stored);
        QFETCH(QDateTime, now);
        QFETCH(bool, asks);
        if (stored.isValid())
            WriteSetting(duration, reminderDateText(stored));
        const QString before = ReadSetting(duration);
        RecordingDesktop recorder;
        UpdateReminder(now);
        QCOMPARE(recorder.messages.size(), asks ? 1 : 0);
        QVERIFY(recorder.openedUrls.isEmpty());  // No is the answer
        if (asks || !stored.isValid())
            QCOMPARE(parseReminderDate(ReadSetting(duration)), std::optional<QDateTime>(now));
        else
            QCOMPARE(ReadSetting(duration), before);  // nothing written
    }

    void answerNo()
    {
        WriteSetting(duration, reminderDateText(at(2024, 1, 1)));
        RecordingDesktop recorder;
        recorder.answers.push_back(MessageAnswer::No);
        UpdateReminder(at(2024, 2, 1, 8));
        QCOMPARE(recorder.messages.size(), 1);
        QCOMPARE(recorder.messages.first().text, QStringLiteral("There maybe an update to this software available\r"
                                                                "Do you want to check for an update?"));
        QCOMPARE(recorder.messages.first().icon, MessageIcon::Information);
        QVERIFY(recorder.messages.first().yesNo);
        QVERIFY(recorder.openedUrls.isEmpty());
        QCOMPARE(storedDate(), QDate(2024, 2, 1));
        // The next starts ask nothing.
        UpdateReminder(at(2024, 2, 1, 9));
        UpdateReminder(at(2024, 2, 15, 23));
        QCOMPARE(recorder.messages.size(), 1);
    }

    void answerYesWritesBeforeOpening()
    {
        WriteSetting(duration, reminderDateText(at(2024, 1, 1)));
        OrderingDesktop desktop;
        UpdateReminder(at(2024, 2, 1, 8));
        QCOMPARE(desktop.opened, QList<QUrl>{webPageUrl(WebPage::Download)});
        QCOMPARE(parseReminderDate(desktop.storedWhenOpened)->date(), QDate(2024, 2, 1));
    }

    // ---- what never stops start-up ---------------------------------------------------

    void garbageValue_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("words") << "not a date";
        QTest::newRow("impossible date") << "2024-13-45T99:99:99";
        QTest::newRow("blanks") << "   ";
        QTest::newRow("digits") << "12345678901234567890";
        QTest::newRow("non-Latin text") << QString::fromUtf8("\u4e2d\u6587 \u0001");
    }

    void garbageValue()
    {
        QFETCH(QString, value);
        QSettings(settingsFilePath(), QSettings::IniFormat)
            .setValue(QStringLiteral("Settings/") + scrambleText(duration), scrambleText(value));
        const QString before = ReadSetting(duration);
        RecordingDesktop recorder;
        UpdateReminder(at(2024, 3, 1));
        UpdateReminder(at(2030, 3, 1));
        QVERIFY(recorder.messages.isEmpty());
        QCOMPARE(ReadSetting(duration), before);  // left as it is
    }

    // Stores the reminder must neither wait on, nor read, nor rewrite: it
    // asks nothing and leaves them exactly as they are.
    void unreadableStore_data()
    {
        QTest::addColumn<QString>("kind");  // file, folder, FIFO or symlink (to a file holding the bytes)
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray due = storeWithDueDate();
        QTest::newRow("unclosed section") << "file" << QByteArray("[Settings\nfoo=bar\n");
        QTest::newRow("binary") << "file" << QByteArray("\x00\xff\xfe garbage\n[[[\n=\n", 18);
        QTest::newRow("folder") << "folder" << QByteArray();
        QTest::newRow("comment") << "file" << "; written by hand\n" + due;
        QTest::newRow("comment after a value") << "file" << due.trimmed() + " ; by hand\n";
        QTest::newRow("line without a key") << "file" << due + "remember this\n";
        QTest::newRow("repeated key") << "file" << due + "[Settings]\nx=1\nx=2\n";
        QTest::newRow("empty section") << "file" << due + "[Notes]\n";
        QTest::newRow("over 64 KiB") << "file" << due + QByteArray(64 * 1024, '\n');
        QTest::newRow("FIFO") << "FIFO" << due;
        QTest::newRow("symlink") << "symlink" << due;
    }

    void unreadableStore()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, bytes);
        const QString path = settingsFilePath();
        const QString target = path + QStringLiteral(".target");
        QDir().mkpath(kind == QLatin1String("folder") ? path : QFileInfo(path).path());
        if (kind == QLatin1String("file")) {
            QVERIFY(writeBytes(path, bytes));
        } else if (kind == QLatin1String("FIFO")) {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (kind == QLatin1String("symlink")) {
            QVERIFY(writeBytes(target, bytes));
            QVERIFY(QFile::link(target, path));
        }
        RecordingDesktop recorder;
        {
            FifoReleaser releaser(path, bytes);  // should the store wait on the FIFO
            UpdateReminder(at(2024, 3, 1));
        }
        QVERIFY(recorder.messages.isEmpty());
        QVERIFY(recorder.openedUrls.isEmpty());
        QCOMPARE(ReadSetting(duration), QString());
        // Not rewritten: nothing in a file the store can't read whole is lost.
        if (kind == QLatin1String("folder")) {
            QVERIFY(QFileInfo(path).isDir());
        } else if (kind == QLatin1String("FIFO")) {
            QVERIFY(isFifo(path));
            QFile::remove(path);
        } else if (kind == QLatin1String("symlink")) {
            QCOMPARE(QFileInfo(path).symLinkTarget(), target);
            QCOMPARE(fileBytes(target), bytes);
            QFile::remove(target);
        } else {
            QCOMPARE(fileBytes(path), bytes);
        }
    }

    // ---- the stored date under regional settings --------------------------------------

    void regionalDates_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("form");  // 0 ISO 8601, 1 regional, 2 either
        // Two-digit years would read back a century early.
        QTest::newRow("en_US") << "en_US" << 0;
        QTest::newRow("de_DE") << "de_DE" << 0;
        QTest::newRow("zh_CN") << "zh_CN" << 2;
        // Non-Latin day periods and time units don't survive the scrambler.
        QTest::newRow("ko_KR") << "ko_KR" << 0;
        QTest::newRow("ja_JP") << "ja_JP" << 0;
        QTest::newRow("en_GB") << "en_GB" << 1;
        QTest::newRow("C") << "C" << 1;
    }

    void regionalDates()
    {
        QFETCH(QString, locale);
        QFETCH(int, form);
        QLocale::setDefault(QLocale(locale));
        const QDateTime moment = at(2028, 8, 18, 18, 8, 59);  // every digit the scrambler moves
        const QString text = reminderDateText(moment);
        const QString regional = QLocale().toString(
            moment, QLocale().dateFormat(QLocale::ShortFormat) + u' ' + QLocale().timeFormat(QLocale::LongFormat));
        const QString iso = moment.toString(Qt::ISODate);
        QVERIFY2(form == 0 ? text == iso : form == 1 ? text == regional : (text == iso || text == regional),
                 qPrintable(text));

        RecordingDesktop recorder;
        UpdateReminder(moment);  // first start
        QCOMPARE(ReadSetting(duration), text);
        UpdateReminder(moment.addDays(14));
        UpdateReminder(moment.addDays(-14));
        QVERIFY(recorder.messages.isEmpty());
        UpdateReminder(moment.addDays(15));
        QCOMPARE(recorder.messages.size(), 1);
        QCOMPARE(storedDate(), moment.addDays(15).date());
    }

    void readsTextWrittenUnderOtherSettings_data()
    {
        QTest::addColumn<QString>("writer");
        QTest::addColumn<QString>("reader");
        QTest::newRow("ISO from de_DE read under en_US") << "de_DE" << "en_US";
        QTest::newRow("regional from C read under ru_RU") << "C" << "ru_RU";
    }

    void readsTextWrittenUnderOtherSettings()
    {
        QFETCH(QString, writer);
        QFETCH(QString, reader);
        QLocale::setDefault(QLocale(writer));
        WriteSetting(duration, reminderDateText(at(2024, 1, 1, 9)));
        QLocale::setDefault(QLocale(reader));
        RecordingDesktop recorder;
        UpdateReminder(at(2024, 1, 15));
        QVERIFY(recorder.messages.isEmpty());
        UpdateReminder(at(2024, 1, 16));
        QCOMPARE(recorder.messages.size(), 1);
    }
};

QTEST_MAIN(TestSettings)
#include "test_settings.moc"
