#include "ui/Look.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QTest>

#include <sched.h>

class TestLook : public QObject {
    Q_OBJECT
private slots:
    // First of all: nothing in this process has asked for a screen font yet,
    // so the family comes from the thread.
    void fontSetUpAheadHandsOverAnInstalledFamily()
    {
        {
            // Given up before the application was announced, and finished
            // twice: the thread ends and nothing waits for it.
            Look::FontSetUpAhead abandoned;
            abandoned.finish();
            abandoned.finish();
        }
        const int policyBefore = sched_getscheduler(0);
        Look::FontSetUpAhead ahead;
        ahead.applicationReady();
        ahead.applicationReady();
        const QString family = Look::screenFontFamily();
        ahead.finish();
        // Only the helper that reads the configuration gives way to other
        // work: the thread that builds the screens keeps its priority.
        QCOMPARE(sched_getscheduler(0), policyBefore);

        const QStringList installed = QFontDatabase::families();
        const QString substitute = QString::fromLatin1(Look::verdanaSubstitute);
        if (installed.contains(QStringLiteral("Verdana")))
            QCOMPARE(family, QStringLiteral("Verdana"));
        else if (installed.contains(substitute))
            QCOMPARE(family, substitute);
        else
            QSKIP("Neither Verdana nor its substitute is installed");

        // Each screen font is drawn in the family it asks for: the font
        // system never searches for a stand-in.
        for (const double points : {8.25, 9.75, 11.25}) {
            for (const bool bold : {false, true}) {
                const QFont font = Look::verdana(points, bold);
                const QFontInfo drawn(font);
                QCOMPARE(font.family(), family);
                QCOMPARE(drawn.family(), family);
                QCOMPARE(drawn.bold(), bold);
            }
        }
    }
};

QTEST_MAIN(TestLook)
#include "test_look.moc"
