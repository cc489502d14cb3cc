#include "app/modHelp.h"
#include "app/modSettings.h"
#include "core/Messages.h"
#include "mansions/modRTB.h"

#include "RecordingDesktop.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMainWindow>
#include <QMenuBar>
#include <QSettings>
#include <QTest>

namespace {

const QString duration = QStringLiteral("Duration");

QDateTime at(int year, int month, int day, int hour = 12, int minute = 0, int second = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// Answers the reminder's question and notes what "Duration" held at the
// moment the download page was asked for.
class OrderingDesktop final : public Desktop {
public:
    OrderingDesktop() { setDesktop(this); }
    ~OrderingDesktop() override { setDesktop(nullptr); }

    MessageAnswer showMessage(QWidget *, MessageIcon, const QString &, bool) override
    {
        ++questions;
        return MessageAnswer::Yes;
    }
    std::optional<QString> chooseFile(QWidget *, const FileDialogRequest &) override { return std::nullopt; }
    void openUrl(const QUrl &url) override
    {
        opened.append(url);
        storedWhenOpened = ReadSetting(duration);
    }
    void clearClipboard() override {}
    void webSearch(const QString &, const QString &) override {}

    int questions = 0;
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
        QFileInfo info(path);
        if (info.isDir())
            QDir(path).removeRecursively();
        else
            QFile::remove(path);
    }

    void cleanupTestCase() { QLocale::setDefault(QLocale::c()); }

    // ---- the store --------------------------------------------------------------

    void storeAddressedByExecutableName()
    {
        const QString path = settingsFilePath();
        const QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
        QVERIFY(!configHome.isEmpty());
        QVERIFY2(path.startsWith(configHome + u'/'), qPrintable(path));
        QVERIFY2(path.endsWith(QStringLiteral("/test_settings/test_settings.ini")), qPrintable(path));
    }

    void readWrite()
    {
        QCOMPARE(ReadSetting(duration), QString());  // never written
        WriteSetting(duration, QStringLiteral("2024-03-01T10:00:00"));
        // Stored at once: the file exists before anything else happens.
        QVERIFY(QFile::exists(settingsFilePath()));
        QCOMPARE(ReadSetting(duration), QStringLiteral("2024-03-01T10:00:00"));
        WriteSetting(duration, QStringLiteral("18.08.2028 18:08:58"));
        QCOMPARE(ReadSetting(duration), QStringLiteral("18.08.2028 18:08:58"));
        QCOMPARE(ReadSetting(QStringLiteral("Other")), QString());
    }

    void fileHoldsScrambledKeyAndValue()
    {
        const QString value = QStringLiteral("2028-08-18T18:08:58");
        WriteSetting(duration, value);
        const QByteArray bytes = fileBytes(settingsFilePath());
        QVERIFY(bytes.startsWith("[Settings]"));
        QVERIFY(!bytes.contains("Duration"));
        QVERIFY(!bytes.contains("2028"));
        QVERIFY(!bytes.contains("18:08"));

        // Read with a plain INI reader: one key, both scrambled.
        QSettings raw(settingsFilePath(), QSettings::IniFormat);
        raw.beginGroup(QStringLiteral("Settings"));
        QCOMPARE(raw.childKeys(), QStringList{scrambleText(duration)});
        QCOMPARE(raw.value(scrambleText(duration)).toString(), scrambleText(value));
        QVERIFY(scrambleText(duration) != duration);
    }

    void plainKeyIsNotRecognised()
    {
        {
            QSettings raw(settingsFilePath(), QSettings::IniFormat);
            raw.setValue(QStringLiteral("Settings/Duration"), QStringLiteral("2000-01-01T00:00:00"));
        }
        QCOMPARE(ReadSetting(duration), QString());
        RecordingDesktop recorder;
        UpdateReminder(at(2024, 3, 1));
        // Taken for a first start: no question, the scrambled key written.
        QVERIFY(recorder.messages.isEmpty());
        QCOMPARE(parseReminderDate(ReadSetting(duration))->date(), QDate(2024, 3, 1));
    }

    // ---- the reminder ----------------------------------------------------------

    void firstStart()
    {
        RecordingDesktop recorder;
        UpdateReminder(at(2024, 3, 1, 9, 30, 15));
        QVERIFY(recorder.messages.isEmpty());
        QVERIFY(recorder.openedUrls.isEmpty());
        QCOMPARE(parseReminderDate(ReadSetting(duration)), std::optional<QDateTime>(at(2024, 3, 1, 9, 30, 15)));
    }

    void calendarDays_data()
    {
        QTest::addColumn<QDateTime>("stored");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<bool>("asks");
        QTest::newRow("same day") << at(2024, 3, 1) << at(2024, 3, 1, 23, 59) << false;
        QTest::newRow("14 days, any hour") << at(2024, 3, 1, 0, 0) << at(2024, 3, 15, 23, 59, 59) << false;
        QTest::newRow("15 days across midnight") << at(2024, 3, 1, 23, 59) << at(2024, 3, 16, 0, 1) << true;
        QTest::newRow("a year later") << at(2023, 3, 1) << at(2024, 3, 1) << true;
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
        WriteSetting(duration, reminderDateText(stored));
        const QString before = ReadSetting(duration);

        RecordingDesktop recorder;
        recorder.answers.push_back(MessageAnswer::No);
        UpdateReminder(now);
        QCOMPARE(recorder.messages.size(), asks ? 1 : 0);
        QVERIFY(recorder.openedUrls.isEmpty());
        if (asks)
            QCOMPARE(parseReminderDate(ReadSetting(duration)), std::optional<QDateTime>(now));
        else
            QCOMPARE(ReadSetting(duration), before);  // nothing written
    }

    void question()
    {
        WriteSetting(duration, reminderDateText(at(2024, 1, 1)));
        RecordingDesktop recorder;
        UpdateReminder(at(2024, 2, 1));
        QCOMPARE(recorder.messages.size(), 1);
        const RecordingDesktop::Message &message = recorder.messages.first();
        QCOMPARE(message.text, QStringLiteral("There maybe an update to this software available\r"
                                              "Do you want to check for an update?"));
        QCOMPARE(message.icon, MessageIcon::Information);
        QVERIFY(message.yesNo);
    }

    void answerNo()
    {
        WriteSetting(duration, reminderDateText(at(2024, 1, 1)));
        RecordingDesktop recorder;
        recorder.answers.push_back(MessageAnswer::No);
        UpdateReminder(at(2024, 2, 1, 8));
        QCOMPARE(recorder.messages.size(), 1);
        QVERIFY(recorder.openedUrls.isEmpty());
        QCOMPARE(parseReminderDate(ReadSetting(duration))->date(), QDate(2024, 2, 1));
        // The next start asks nothing.
        UpdateReminder(at(2024, 2, 1, 9));
        UpdateReminder(at(2024, 2, 15, 23));
        QCOMPARE(recorder.messages.size(), 1);
    }

    void answerYesWritesBeforeOpening()
    {
        WriteSetting(duration, reminderDateText(at(2024, 1, 1)));
        OrderingDesktop desktop;
        UpdateReminder(at(2024, 2, 1, 8));
        QCOMPARE(desktop.questions, 1);
        QCOMPARE(desktop.opened, QList<QUrl>{webPageUrl(WebPage::Download)});
        QCOMPARE(parseReminderDate(desktop.storedWhenOpened)->date(), QDate(2024, 2, 1));
    }

    void updateMenuLeavesTheDateAlone()
    {
        const QString stored = reminderDateText(at(2024, 1, 1));
        WriteSetting(duration, stored);
        RecordingDesktop recorder;
        UpdateReminder(at(2024, 1, 2));  // recent: nothing asked
        QMainWindow screen;
        addHelpMenu(screen.menuBar(), &screen);
        screen.menuBar()->findChild<QAction *>(QStringLiteral("mnuUpdate"))->trigger();
        QCOMPARE(recorder.openedUrls, QList<QUrl>{webPageUrl(WebPage::Download)});
        QVERIFY(recorder.messages.isEmpty());
        QCOMPARE(ReadSetting(duration), stored);
    }

    // ---- what must never stop start-up --------------------------------------------

    void garbageValue_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("words") << "not a date";
        QTest::newRow("half a date") << "2024-13-45T99:99:99";
        QTest::newRow("blanks") << "   ";
        QTest::newRow("digits") << "12345678901234567890";
    }

    void garbageValue()
    {
        QFETCH(QString, value);
        WriteSetting(duration, value);
        RecordingDesktop recorder;
        UpdateReminder(at(2024, 3, 1));
        UpdateReminder(at(2030, 3, 1));
        QVERIFY(recorder.messages.isEmpty());
        QVERIFY(recorder.openedUrls.isEmpty());
        QCOMPARE(ReadSetting(duration), value);  // left as it is
    }

    void unscrambledGarbageInTheFile()
    {
        // Characters the scrambler can't shift back come out dropped, not crashed on.
        {
            QSettings raw(settingsFilePath(), QSettings::IniFormat);
            raw.setValue(QStringLiteral("Settings/") + scrambleText(duration),
                         QString::fromUtf8("\u4e2d\u6587 ABC \u0001"));
        }
        RecordingDesktop recorder;
        UpdateReminder(at(2024, 3, 1));
        QVERIFY(recorder.messages.isEmpty());
    }

    void malformedFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("unclosed section") << QByteArray("[Settings\nfoo=bar\n");
        QTest::newRow("binary") << QByteArray("\x00\xff\xfe garbage\n[[[\n=\n", 18);
    }

    void malformedFile()
    {
        QFETCH(QByteArray, bytes);
        writeFile(settingsFilePath(), bytes);
        RecordingDesktop recorder;
        UpdateReminder(at(2024, 3, 1));
        QVERIFY(recorder.messages.isEmpty());
        QVERIFY(recorder.openedUrls.isEmpty());
        // A file the store can't read whole isn't rewritten, so nothing in it is lost.
        QCOMPARE(fileBytes(settingsFilePath()), bytes);
    }

    void directoryInPlaceOfTheFile()
    {
        QVERIFY(QDir().mkpath(settingsFilePath()));
        RecordingDesktop recorder;
        UpdateReminder(at(2024, 3, 1));
        QCOMPARE(ReadSetting(duration), QString());
        WriteSetting(duration, QStringLiteral("x"));
        UpdateReminder(at(2030, 3, 1));
        QVERIFY(recorder.messages.isEmpty());
        QVERIFY(recorder.openedUrls.isEmpty());
        QVERIFY(QFileInfo(settingsFilePath()).isDir());
    }

    // ---- the stored date under regional settings ------------------------------

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
        QTest::newRow("sv_SE") << "sv_SE" << 1;
        QTest::newRow("C") << "C" << 1;
    }

    void regionalDates()
    {
        QFETCH(QString, locale);
        QFETCH(int, form);
        QLocale::setDefault(QLocale(locale));
        // Every digit including 8, a two-digit year that differs from the century.
        const QDateTime moment = at(2028, 8, 18, 18, 8, 59);
        const QString text = reminderDateText(moment);
        const QString regional = QLocale().toString(
            moment, QLocale().dateFormat(QLocale::ShortFormat) + u' ' + QLocale().timeFormat(QLocale::LongFormat));
        if (form == 0)
            QCOMPARE(text, moment.toString(Qt::ISODate));
        else if (form == 1)
            QCOMPARE(text, regional);
        else
            QVERIFY(text == regional || text == moment.toString(Qt::ISODate));

        // Comes back through the scrambler and the store as the same date.
        QCOMPARE(unscrambleText(scrambleText(text)), text);
        QCOMPARE(parseReminderDate(text)->date(), moment.date());

        RecordingDesktop recorder;
        UpdateReminder(moment);  // first start
        QVERIFY(recorder.messages.isEmpty());
        QCOMPARE(ReadSetting(duration), text);
        UpdateReminder(moment.addDays(14));
        UpdateReminder(moment.addDays(-14));
        QVERIFY(recorder.messages.isEmpty());
        UpdateReminder(moment.addDays(15));
        QCOMPARE(recorder.messages.size(), 1);
        QCOMPARE(parseReminderDate(ReadSetting(duration))->date(), moment.addDays(15).date());
    }

    void regionalTextAfterTheUserChangedLocale()
    {
        // Written as regional text under one locale, read under another.
        QLocale::setDefault(QLocale(QStringLiteral("ru_RU")));
        const QString written = reminderDateText(at(2024, 1, 1, 9));
        QVERIFY(written.startsWith(QStringLiteral("01.01.2024 ")));
        WriteSetting(duration, written);
        QLocale::setDefault(QLocale(QStringLiteral("en_GB")));
        QCOMPARE(parseReminderDate(written)->date(), QDate(2024, 1, 1));
        RecordingDesktop recorder;
        UpdateReminder(at(2024, 1, 15));
        QVERIFY(recorder.messages.isEmpty());
        UpdateReminder(at(2024, 1, 16));
        QCOMPARE(recorder.messages.size(), 1);
    }

    void isoReadsUnderAnyLocale()
    {
        QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
        WriteSetting(duration, reminderDateText(at(2024, 1, 1)));
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));
        RecordingDesktop recorder;
        UpdateReminder(at(2024, 1, 15));
        QVERIFY(recorder.messages.isEmpty());
        UpdateReminder(at(2024, 1, 16));
        QCOMPARE(recorder.messages.size(), 1);
    }
};

QTEST_MAIN(TestSettings)
#include "test_settings.moc"
