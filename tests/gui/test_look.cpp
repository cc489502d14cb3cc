#include "RecordingDesktop.h"

#include "app/modStartup.h"
#include "ui/Look.h"
#include "ui/frmMain.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QIcon>
#include <QImage>
#include <QMenuBar>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <sched.h>

namespace {

// The image-format plugins this process has loaded, by file name.
QStringList loadedImagePlugins()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return {QStringLiteral("(no /proc/self/maps)")};
    QStringList plugins;
    const QByteArray marker = "/imageformats/";
    for (const QByteArray &line : maps.readAll().split('\n')) {
        const qsizetype at = line.indexOf(marker);
        const QString name = QString::fromLocal8Bit(line.mid(at + marker.size()));
        if (at >= 0 && !plugins.contains(name))
            plugins.append(name);
    }
    return plugins;
}

QImage render(const QIcon &icon, const QSize &size, QIcon::Mode mode, qreal pixelRatio = 1.0)
{
    QImage image(size * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    icon.paint(&painter, QRect(QPoint(), size), Qt::AlignCenter, mode);
    return image;
}

QStyle *desktopStyle()
{
    const auto *screenStyle = dynamic_cast<QProxyStyle *>(QApplication::style());
    return screenStyle ? screenStyle->baseStyle() : nullptr;
}

void closeScreens()
{
    releaseInstanceLock();
    for (QWidget *window : QApplication::topLevelWidgets()) {
        window->hide();
        window->deleteLater();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // Consumes a quit request a closing screen may have left for the next loop.
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
}

} // namespace

class TestLook : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { desktopPalette = QApplication::palette(); }

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

    // Before anything in this process draws an image: the main input screen
    // and the window icon are built without any image-format plugin.
    void startingLoadsNoImageFormatPlugin()
    {
        if (!loadedImagePlugins().isEmpty())
            QSKIP("Image-format plugins were loaded before this test");
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        RecordingDesktop recorder;

        QCOMPARE(Look::builtInPng(QStringLiteral(":/content/icon/quorvel-32.png")).size(), QSize(32, 32));
        QVERIFY(Look::builtInPng(QStringLiteral(":/content/icon/quorvel.svg")).isNull());
        QVERIFY(Look::builtInPng(QStringLiteral(":/content/icon/no-such-icon.png")).isNull());

        QVERIFY(StartProgram(folder.filePath(QStringLiteral("Quorvel.lock"))));
        frmMain *screen = nullptr;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *main = qobject_cast<frmMain *>(window))
                screen = main;
        }
        QVERIFY(screen && screen->isVisible());
        QVERIFY(screen->menuBar()->findChild<QToolButton *>(QStringLiteral("qt_menubar_ext_button")));
        QCOMPARE(loadedImagePlugins(), QStringList());
        closeScreens();
    }

    void overflowArrowsDrawAsTheDesktopStyleDrawsThem_data()
    {
        QTest::addColumn<int>("arrow");
        QTest::addColumn<Qt::LayoutDirection>("direction");
        QTest::newRow("horizontal") << int(QStyle::SP_ToolBarHorizontalExtensionButton) << Qt::LeftToRight;
        QTest::newRow("horizontal, right to left") << int(QStyle::SP_ToolBarHorizontalExtensionButton)
                                                   << Qt::RightToLeft;
        QTest::newRow("vertical") << int(QStyle::SP_ToolBarVerticalExtensionButton) << Qt::LeftToRight;
    }

    void overflowArrowsDrawAsTheDesktopStyleDrawsThem()
    {
        QFETCH(int, arrow);
        QFETCH(Qt::LayoutDirection, direction);
        Look::installScreenStyle();
        QStyle *desktop = desktopStyle();
        QVERIFY(desktop);
        QStyleOption option;
        option.direction = direction;
        const auto pixmap = QStyle::StandardPixmap(arrow);
        const QIcon deferred = QApplication::style()->standardIcon(pixmap, &option, nullptr);
        const QIcon expected = desktop->standardIcon(pixmap, &option, nullptr);

        // A copy taken before the first drawing, as a button keeps one.
        const QIcon copy = deferred;
        QVERIFY(!deferred.isNull());
        QCOMPARE(deferred.availableSizes(), expected.availableSizes());
        for (const QSize &size : {QSize(16, 16), QSize(32, 32), QSize(10, 24)}) {
            for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active}) {
                QCOMPARE(render(deferred, size, mode), render(expected, size, mode));
                QCOMPARE(render(copy, size, mode), render(expected, size, mode));
                QCOMPARE(render(deferred, size, mode, 2.0), render(expected, size, mode, 2.0));
                QCOMPARE(deferred.pixmap(size, mode).toImage(), expected.pixmap(size, mode).toImage());
            }
        }
    }

    // The menu bar's own overflow button draws the desktop style's arrow.
    void menuBarOverflowButtonShowsTheArrow()
    {
        Look::installScreenStyle();
        QMenuBar menuBar;
        const auto *button = menuBar.findChild<QToolButton *>(QStringLiteral("qt_menubar_ext_button"));
        QVERIFY(button);
        const QIcon expected = desktopStyle()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
        QCOMPARE(render(button->icon(), QSize(16, 16), QIcon::Normal),
                 render(expected, QSize(16, 16), QIcon::Normal));
    }

    // The screen style is the desktop's: same palette and font, installed
    // once however often the start-up asks for it.
    void screenStyleKeepsTheDesktopLook()
    {
        Look::installScreenStyle();
        QStyle *installed = QApplication::style();
        Look::installScreenStyle();
        QCOMPARE(QApplication::style(), installed);
        QVERIFY(desktopStyle());
        QVERIFY(!dynamic_cast<QProxyStyle *>(desktopStyle()));
        QCOMPARE(QApplication::palette(), desktopPalette);
    }

private:
    QPalette desktopPalette;
};

QTEST_MAIN(TestLook)
#include "test_look.moc"
