// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Messages.h"
#include "places/AtlasWindowInterface.h"
#include "ui/AtlasWindowLoader.h"
#include "ui/Banner.h"
#include "ui/Branding.h"
#include "ui/HelpMenu.h"
#include "ui/LinkLabel.h"
#include "ui/Look.h"
#include "ui/WebPages.h"

#include "RecordingDesktop.h"
#include "Widgets.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPluginLoader>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrlQuery>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

#include <sys/stat.h>
#include <unistd.h>

Q_DECLARE_METATYPE(BrandingScreen)

// Stands in for the browser: QDesktopServices hands it every address of
// its scheme while it lives.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    explicit UrlRecorder(const QString &scheme) : scheme(scheme) { QDesktopServices::setUrlHandler(scheme, this, "open"); }
    ~UrlRecorder() override { QDesktopServices::unsetUrlHandler(scheme); }

    const QString scheme;
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls.append(url); }
};

// The atlas window plugin shows its results window modally; while this lives
// it presses the window's "Search the Web" button whenever one comes up.
class WebButtonPresser : public QObject {
public:
    WebButtonPresser()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            QWidget *window = QApplication::activeModalWidget();
            if (auto *web = window ? window->findChild<QPushButton *>(QStringLiteral("cmdWeb")) : nullptr) {
                ++presses;
                web->click();
            }
        });
        m_timer.start(10);
    }
    int presses = 0;

private:
    QTimer m_timer;
};

namespace {

// The banner on top at the middle of the frame: the one the user sees and clicks.
QWidget *visibleBanner(const BrandingFrame &branding)
{
    return branding.frame->childAt(branding.lblCobrand->geometry().center());
}

void click(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

QString searchedFor(const QUrl &url)
{
    return QUrlQuery(url).queryItemValue(QStringLiteral("q"), QUrl::FullyDecoded);
}

// Runs the atlas window from `folders` for `place` (city, state, country):
// the message why it did not run, empty when it ran.
QString whyNotRun(const QStringList &place, const QStringList &folders)
{
    return runAtlasWindow({place.value(0), place.value(1), place.value(2), {}, {}}, folders).why;
}

// The three place boxes and one other in a shown, active window, so focus moves are real.
struct PlaceBoxes {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    QLineEdit *city = new QLineEdit(window.get());
    QLineEdit *state = new QLineEdit(window.get());
    QLineEdit *country = new QLineEdit(window.get());
    QLineEdit *other = new QLineEdit(QStringLiteral("28"), window.get());

    PlaceBoxes(const QString &cityText, const QString &stateText, const QString &countryText)
    {
        auto *layout = new QVBoxLayout(window.get());
        for (QLineEdit *box : {city, state, country, other})
            layout->addWidget(box);
        city->setText(cityText);
        state->setText(stateText);
        country->setText(countryText);
        window->show();
        window->activateWindow();
        other->setFocus();
    }
    PlaceQuery query() const { return {city->text(), state->text(), country->text(), {}, {}}; }
};

} // namespace

class TestShell : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QApplication::closeAllWindows(); }

    // ---- the help menu and its pages ------------------------------------------

    void helpMenu()
    {
        QMainWindow screen;
        screen.menuBar()->addMenu(QStringLiteral("&File"));
        addHelpMenu(screen.menuBar(), &screen);
        auto *mnuHelp = widget<QMenu>(screen.menuBar(), "mnuHelp");
        QCOMPARE(mnuHelp->title(), QStringLiteral("&Help"));
        QCOMPARE(screen.menuBar()->actions().last(), mnuHelp->menuAction());  // after the screen's own

        // Entry, caption and the page it opens; "-" a separator. About is tested with the about box.
        const QList<QStringList> expected{
            {"mnuContents", "&Contents"},
            {"mnuOnline", "&Online Help", "http://www.quorvel.example/quorvel-help.html"},
            {"mnuVisit", "&Visit Us Online", "http://forum.quorvel.example"},
            {"-"},
            {"mnuUpdate", "Check for Software &Update", "http://www.quorvel.example/download-quorvel.html"},
            {"-"},
            {"mnuAbout", "&About Software"}};
        const QList<QAction *> actions = mnuHelp->actions();
        QCOMPARE(actions.size(), expected.size());
        for (qsizetype i = 0; i < actions.size(); ++i) {
            const QStringList &row = expected[i];
            QCOMPARE(actions[i]->isSeparator(), row[0] == u'-');
            if (actions[i]->isSeparator())
                continue;
            QCOMPARE(actions[i]->objectName(), row[0]);
            QCOMPARE(actions[i]->text(), row[1]);
            QCOMPARE(actions[i]->shortcut().toString(), i == 0 ? QStringLiteral("F1") : QString());
            if (row.size() < 3)
                continue;
            RecordingDesktop recorder;
            actions[i]->trigger();
            QCOMPARE(recorder.openedUrls, QList<QUrl>{QUrl(row[2])});
            QVERIFY(recorder.messages.isEmpty());
        }
    }

    void pagesReachTheDesktopServiceOrSayWhereTheyLead()
    {
        QMainWindow screen;
        addHelpMenu(screen.menuBar(), &screen);
        screen.show();
        {
            UrlRecorder browser(QStringLiteral("http"));
            OpenWebPage(WebPage::CoBrand);
            QCOMPARE(browser.urls, QList<QUrl>{QUrl("http://help.quorvel.example/co-brand.html")});
        }
        // No browser on the offscreen desktop: a message gives the address,
        // selectable to copy; the screen stays usable.
        for (const char *entry : {"mnuOnline", "mnuVisit", "mnuUpdate"}) {
            QString selectable;
            QTimer::singleShot(0, qApp, [&selectable] {
                if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                    selectable = box->textInteractionFlags() & Qt::TextSelectableByMouse ? box->text() : QString();
                    box->done(QMessageBox::Ok);
                }
            });
            widget<QAction>(screen.menuBar(), QString::fromLatin1(entry))->trigger();
            QVERIFY2(selectable.contains(QLatin1String("http://")), entry);
        }
        QVERIFY(screen.isVisible());
        QVERIFY(!QApplication::activeModalWidget());
    }

    // ---- banners and link labels ----------------------------------------------

    void banners_data()
    {
        QTest::addColumn<BrandingScreen>("screen");
        QTest::addColumn<QSize>("frameSize");
        QTest::addColumn<QRect>("fullBrandRect");
        QTest::addColumn<QRect>("coBrandRect");
        QTest::addColumn<QString>("gapBeforeClick");
        QTest::newRow("main") << BrandingScreen::Main << QSize(twips(7215), twips(855))
                              << twipRect(120, 165, 6945, 615) << twipRect(120, 160, 6945, 615) << "    ";
        QTest::newRow("result") << BrandingScreen::Result << QSize(twips(7455), twips(855))
                                << twipRect(120, 165, 7215, 615) << twipRect(120, 165, 7215, 615) << " ";
    }

    void banners()
    {
        QFETCH(BrandingScreen, screen);
        QFETCH(QSize, frameSize);
        QFETCH(QRect, fullBrandRect);
        QFETCH(QRect, coBrandRect);
        QFETCH(QString, gapBeforeClick);
        QWidget window;
        const BrandingFrame branding = createBrandingFrame(&window, screen);
        QCOMPARE(branding.frame->objectName(), QStringLiteral("fraFullBrand"));
        QCOMPARE(branding.frame->parentWidget(), &window);
        QCOMPARE(branding.frame->size(), frameSize);
        QCOMPARE(branding.lblFullBrand->parentWidget(), branding.frame);
        QCOMPARE(branding.lblCobrand->parentWidget(), branding.frame);
        QCOMPARE(branding.lblFullBrand->geometry(), fullBrandRect);
        QCOMPARE(branding.lblCobrand->geometry(), coBrandRect);
        QCOMPARE(branding.lblFullBrand->text(),
                 QStringLiteral("Home Business Opportunity. Start your own Internet business and make money online. "
                                "Get this software fully branded for your website. Click here for more details."));
        QCOMPARE(branding.lblCobrand->text(),
                 QStringLiteral("Co-brand this software for your site.  Increase loyalty and traffic to your site. "
                                "Put your site's name &  link here. See \"Help\" for details.")
                     + gapBeforeClick + QStringLiteral("Click Here for more info on co-branding."));
        for (LinkLabel *banner : {branding.lblFullBrand, branding.lblCobrand}) {
            // Opaque, so the upper banner hides the lower one; white on black.
            QVERIFY(banner->autoFillBackground());
            QCOMPARE(banner->palette().color(QPalette::Window), Look::black);
            QCOMPARE(banner->palette().color(QPalette::WindowText), Look::white);
            QCOMPARE(banner->cursor().shape(), Qt::PointingHandCursor);
            QVERIFY2(banner->heightForWidth(banner->width()) <= banner->height(), "caption cut off");
        }

        window.resize(600, 200);
        window.show();
        RecordingDesktop recorder;
        QCOMPARE(visibleBanner(branding), branding.lblCobrand);
        click(visibleBanner(branding));
        branding.lblFullBrand->raise();
        QCOMPARE(visibleBanner(branding), branding.lblFullBrand);
        click(visibleBanner(branding));
        QCOMPARE(recorder.openedUrls, (QList<QUrl>{QUrl("http://help.quorvel.example/co-brand.html"),
                                                   QUrl("http://help.quorvel.example/fully-branded.html")}));
    }

    void topLinkLabels_data()
    {
        QTest::addColumn<BrandingScreen>("screen");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::newRow("main") << BrandingScreen::Main << "Label11" << QSize(twips(5040), twips(435));
        QTest::newRow("result") << BrandingScreen::Result << "Label61" << QSize(twips(5040), twips(390));
    }

    void topLinkLabels()
    {
        QFETCH(BrandingScreen, screen);
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QWidget window;
        LinkLabel *label = createTopLinkLabel(&window, screen);
        QCOMPARE(label->objectName(), name);
        QCOMPARE(label->size(), size);
        QVERIFY(label->text().contains(QStringLiteral("Quorvel discussion board")));
        QVERIFY(label->text().endsWith(QStringLiteral(" forum.quorvel.example")));
        QVERIFY2(label->heightForWidth(label->width()) <= label->height(), "caption cut off");
        window.show();
        RecordingDesktop recorder;
        click(label);
        QCOMPARE(recorder.openedUrls, QList<QUrl>{QUrl("http://forum.quorvel.example")});
    }

    // ---- the banner draw --------------------------------------------------------

    void coBrandNumbers_data()
    {
        QTest::addColumn<float>("r");
        QTest::addColumn<int>("number");
        QTest::newRow("zero") << 0.0f << 1;
        QTest::newRow("0.1") << 0.1f << 2;
        QTest::newRow("just below a quarter") << std::nextafter(0.25f, 0.0f) << 2;
        QTest::newRow("a quarter: 2.5 to even 2") << 0.25f << 2;
        QTest::newRow("just above a quarter") << std::nextafter(0.25f, 1.0f) << 3;
        QTest::newRow("a half") << 0.5f << 4;
        QTest::newRow("0.7") << 0.7f << 5;
        QTest::newRow("three quarters: 5.5 to even 6") << 0.75f << 6;
        QTest::newRow("0.95") << 0.95f << 7;
        QTest::newRow("largest below one") << std::nextafter(1.0f, 0.0f) << 7;
    }

    void coBrandNumbers()
    {
        QFETCH(float, r);
        QFETCH(int, number);
        QCOMPARE(coBrandNumber(r), number);
    }

    void drawDistribution()
    {
        seedRandomGenerator();
        constexpr int draws = 240000;
        std::array<int, 8> counts{};
        for (int i = 0; i < draws; ++i) {
            const float r = nextRandomSingle();
            QVERIFY(r >= 0.0f && r < 1.0f);
            ++counts[std::size_t(std::clamp(coBrandNumber(r), 0, 7))];
        }
        // 1 and 7 a twelfth of the time each, 2 to 6 a sixth; over five standard deviations.
        QCOMPARE(counts[0], 0);
        for (int number = 1; number <= 7; ++number) {
            const double expected = (number == 1 || number == 7) ? 1.0 / 12.0 : 1.0 / 6.0;
            QVERIFY2(std::abs(counts[std::size_t(number)] / double(draws) - expected) < 0.004,
                     qPrintable(QStringLiteral("%1 drawn %2 times").arg(number).arg(counts[std::size_t(number)])));
        }
        const double fullBrandShare = (counts[2] + counts[4] + counts[6]) / double(draws);
        QVERIFY2(std::abs(fullBrandShare - 0.5) < 0.006, qPrintable(QString::number(fullBrandShare)));
    }

    void drawOrdersBanners()
    {
        for (int number = 1; number <= 7; ++number) {
            QWidget window;
            const BrandingFrame branding = createBrandingFrame(&window, BrandingScreen::Main);
            window.show();
            bringBannerToFront(number, branding.lblFullBrand, branding.lblCobrand);
            const bool fullBrandInFront = number == 2 || number == 4 || number == 6;
            QCOMPARE(visibleBanner(branding),
                     fullBrandInFront ? static_cast<QWidget *>(branding.lblFullBrand) : branding.lblCobrand);
        }
        // Screens without banners: the draw does nothing and doesn't fail.
        for (int i = 0; i < 20; ++i)
            CoBrand_Randomize(nullptr, nullptr);
    }

    // ---- latitude and longitude lookup -----------------------------------------

    // Empty place boxes no longer stop the lookup: the atlas window has its
    // own search box.
    void lookupOpensWithEmptyBoxes_data()
    {
        QTest::addColumn<QString>("city");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("country");
        QTest::newRow("all empty") << "" << "" << "";
        QTest::newRow("city empty only") << "" << "NY" << "USA";
        QTest::newRow("state and country empty") << "Pune" << "" << "";
        QTest::newRow("country empty") << "Pune" << "Maharashtra" << "";
    }

    void lookupOpensWithEmptyBoxes()
    {
        QFETCH(QString, city);
        QFETCH(QString, state);
        QFETCH(QString, country);
        PlaceBoxes boxes(city, state, country);
        RecordingDesktop recorder;
        searchPlace(boxes.query());
        QVERIFY(recorder.messages.isEmpty());
        QCOMPARE(recorder.queries.size(), 1);
    }

    void lookupQueries_data()
    {
        QTest::addColumn<QString>("city");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("country");
        QTest::newRow("pune") << "Pune" << "Maharashtra" << "India";
        QTest::newRow("space in the city") << "New York" << "NY" << "USA";
        QTest::newRow("single blanks") << " " << " " << " ";
        QTest::newRow("untrimmed, case kept") << "  lima " << "LIMA" << "peru  ";
        QTest::newRow("not encoded") << "A&B" << "#1" << "x+y=z";
    }

    void lookupQueries()
    {
        QFETCH(QString, city);
        QFETCH(QString, state);
        QFETCH(QString, country);
        PlaceBoxes boxes(city, state, country);
        RecordingDesktop recorder;
        searchPlace(boxes.query());
        QVERIFY(recorder.messages.isEmpty());
        QVERIFY((recorder.queries == QList<PlaceQuery>{{city, state, country, {}, {}}}));
        QCOMPARE(boxes.city->text(), city);
        QCOMPARE(boxes.other->text(), QStringLiteral("28"));
    }

    // ---- the atlas window plugin --------------------------------------------------

    void pluginOpensEncodedResultsPage_data()
    {
        QTest::addColumn<QStringList>("place"); // city, state, country
        QTest::addColumn<QString>("query");
        QTest::addColumn<QByteArray>("encoded");
        QTest::newRow("new york") << QStringList{"New York", "NY", "USA"} << "New York NY USA Latitude Longitude"
                                  << QByteArray("q=New%20York%20NY%20USA%20Latitude%20Longitude");
        QTest::newRow("delimiters") << QStringList{"A&B", "#1", "x+y=z/?"} << "A&B #1 x+y=z/? Latitude Longitude"
                                    << QByteArray("q=A%26B%20%231%20x%2By%3Dz%2F%3F%20Latitude%20Longitude");
        QTest::newRow("non-ascii") << QStringList{QString::fromUtf8("S\u00e3o Paulo")}
                                   << QString::fromUtf8("S\u00e3o Paulo   Latitude Longitude") << QByteArray("q=S%C3%A3o%20Paulo%20%20%20Latitude%20Longitude");
    }

    void pluginOpensEncodedResultsPage()
    {
        QFETCH(QStringList, place);
        QFETCH(QString, query);
        QFETCH(QByteArray, encoded);
        UrlRecorder browser(QStringLiteral("https"));
        WebButtonPresser user;
        QCOMPARE(whyNotRun(place, atlasWindowFolders()), QString());
        QCOMPARE(user.presses, 1);
        QCOMPARE(browser.urls.size(), 1);
        QVERIFY(browser.urls.first().isValid());
        QCOMPARE(browser.urls.first().query(QUrl::FullyEncoded).toLatin1(), encoded);
        QCOMPARE(searchedFor(browser.urls.first()), query);
    }

    void lookupLoadsAFreshPluginEveryTime()
    {
        // The build tree's plugin folder comes first, and holds the plugin.
        const QString plugin = QDir::cleanPath(QCoreApplication::applicationDirPath()
                                               + QStringLiteral("/../plugins/quorvel_atlaswindow_plugin.so"));
        QCOMPARE(atlasWindowFolders().value(0), QFileInfo(plugin).path());
        QCOMPARE(QPluginLoader(plugin).metaData().value(QStringLiteral("IID")).toString(),
                 QStringLiteral(QUORVEL_ATLASWINDOW_IID));

        // No recording desktop: the program's own desktop loads the plugin.
        UrlRecorder browser(QStringLiteral("https"));
        WebButtonPresser user;
        PlaceBoxes boxes(QStringLiteral("New York"), QStringLiteral("NY"), QStringLiteral("USA"));
        for (int search = 0; search < 3; ++search) {
            searchPlace(boxes.query());
            QVERIFY(!QPluginLoader(plugin).isLoaded());  // released after every search
        }
        QCOMPARE(browser.urls.size(), 3);
        QCOMPARE(searchedFor(browser.urls.last()), QStringLiteral("New York NY USA Latitude Longitude"));
        QVERIFY(boxes.window->isVisible());
    }

    void missingOrBrokenPluginIsSilent()
    {
        UrlRecorder browser(QStringLiteral("https"));
        WebButtonPresser user;
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QVERIFY(!whyNotRun({QStringLiteral("q")}, {folder.path()}).isEmpty());
        QVERIFY(!whyNotRun({QStringLiteral("q")}, {folder.path() + QStringLiteral("/none")}).isEmpty());
        QVERIFY(!whyNotRun({QStringLiteral("q")}, {}).isEmpty());

        // Files that look like plugins but aren't.
        const QList<QPair<QString, QByteArray>> files{
            {QStringLiteral("quorvel_atlaswindow_plugin.so"), QByteArrayLiteral("\x7f" "ELF this is not a library")},
            {QStringLiteral("empty.so"), QByteArray()},
            {QStringLiteral("readme.txt"), QByteArrayLiteral("not a plugin\n")}};
        for (const auto &[name, bytes] : files) {
            QFile file(folder.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        QCOMPARE(whyNotRun({QStringLiteral("q")}, {folder.path()}),
                 QStringLiteral("The Coordinates Search %1 Could Not Be Loaded.")
                     .arg(QFileInfo(folder.filePath(QStringLiteral("quorvel_atlaswindow_plugin.so")))
                              .canonicalFilePath()));
        QVERIFY(browser.urls.isEmpty());
        // A broken file ahead of the real plugin doesn't hide it.
        QCOMPARE(whyNotRun({QStringLiteral("q")}, QStringList{folder.path()} + atlasWindowFolders()), QString());
        QCOMPARE(browser.urls.size(), 1);
    }

    // The plugin runs only from a folder and file that no other user can
    // have put there or changed, and only under its own name.
    void pluginFromAnUnsafePlaceIsRefused_data()
    {
        QTest::addColumn<QString>("place");
        QTest::addColumn<bool>("runs");
        QTest::newRow("safe copy") << "safe" << true;
        QTest::newRow("folder writable by group") << "folder g+w" << false;
        QTest::newRow("folder writable by others") << "folder o+w" << false;
        QTest::newRow("file writable by group") << "file g+w" << false;
        QTest::newRow("file writable by others") << "file o+w" << false;
        QTest::newRow("folder of another user") << "folder nobody" << false;
        QTest::newRow("parent folder of another user") << "above nobody" << false;
        QTest::newRow("file of another user") << "file nobody" << false;
        QTest::newRow("symlinked file") << "symlink" << false;
        QTest::newRow("other file name") << "renamed" << false;
        QTest::newRow("relative folder") << "relative" << false;
    }

    void pluginFromAnUnsafePlaceIsRefused()
    {
        QFETCH(QString, place);
        QFETCH(bool, runs);
        QTemporaryDir scratch;
        QVERIFY(scratch.isValid());
        const QString folder = scratch.filePath(QStringLiteral("plugins"));
        QVERIFY(QDir().mkdir(folder));
        const QByteArray folderName = QFile::encodeName(folder);
        const QString real = atlasWindowFolders().value(0) + QStringLiteral("/quorvel_atlaswindow_plugin.so");
        const QString plugin = folder + QStringLiteral("/quorvel_atlaswindow_plugin.so");
        const QByteArray pluginName = QFile::encodeName(plugin);
        if (place == QLatin1String("symlink"))
            QVERIFY(QFile::link(real, plugin));
        else if (place == QLatin1String("renamed"))
            QVERIFY(QFile::copy(real, folder + QStringLiteral("/libother.so")));
        else
            QVERIFY(QFile::copy(real, plugin));
        // Safe modes first, then the one unsafe thing the row is about.
        QCOMPARE(::chmod(folderName.constData(), 0755), 0);
        ::chmod(pluginName.constData(), 0755);
        const QByteArray changed = place.startsWith(QLatin1String("folder")) ? folderName
                                   : place.startsWith(QLatin1String("above")) ? QFile::encodeName(scratch.path())
                                                                              : pluginName;
        if (place.endsWith(QLatin1String("g+w")))
            QCOMPARE(::chmod(changed.constData(), 0775), 0);
        else if (place.endsWith(QLatin1String("o+w")))
            QCOMPARE(::chmod(changed.constData(), 0757), 0);
        else if (place.endsWith(QLatin1String("nobody")) && ::chown(changed.constData(), 65534, 65534) != 0)
            QSKIP("only root can give a file to another user");
        const QString searched = place == QLatin1String("relative") ? QDir::current().relativeFilePath(folder) : folder;

        UrlRecorder browser(QStringLiteral("https"));
        WebButtonPresser user;
        const QString why = whyNotRun({QStringLiteral("q")}, {searched});
        QCOMPARE(why.isEmpty(), runs);
        QCOMPARE(browser.urls.size(), runs ? 1 : 0);
        // What was refused is named; where no plugin is, the message says so.
        const QString refused = place.startsWith(u"folder")                        ? folder
                                : place.startsWith(u"above")                       ? scratch.path()
                                : place.startsWith(u"file") || place == u"symlink" ? plugin
                                                                                   : QString();
        QCOMPARE(why, runs                      ? QString()
                            : refused.isEmpty() ? QString::fromUtf8(Messages::searchMissing)
                                                : QString::fromUtf8(Messages::searchRefused).arg(refused));
    }
};

QTEST_MAIN(TestShell)
#include "test_shell.moc"
