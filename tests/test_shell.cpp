#include "app/modHelp.h"
#include "app/websearch/WebSearchInterface.h"
#include "core/Messages.h"
#include "ui/Branding.h"
#include "ui/LinkLabel.h"
#include "ui/Look.h"
#include "ui/WebSearchLoader.h"
#include "ui/frmAbout.h"

#include "RecordingDesktop.h"

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
#include <QPluginLoader>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrlQuery>
#include <QVBoxLayout>

#include <array>
#include <cmath>
#include <memory>

Q_DECLARE_METATYPE(WebPage)
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

const QString coBrandMain = QStringLiteral(
    "Co-brand this software for your site.  Increase loyalty and traffic to your site. Put your site's name &  "
    "link here. See \"Help\" for details.    Click Here for more info on co-branding.");
const QString coBrandResult = QStringLiteral(
    "Co-brand this software for your site.  Increase loyalty and traffic to your site. Put your site's name &  "
    "link here. See \"Help\" for details. Click Here for more info on co-branding.");
const QString fullBrand = QStringLiteral(
    "Home Business Opportunity. Start your own Internet business and make money online. Get this software fully "
    "branded for your website. Click here for more details.");

// The three place boxes in a shown, active window, so focus moves are real.
struct PlaceBoxes {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    QLineEdit *city = new QLineEdit(window.get());
    QLineEdit *state = new QLineEdit(window.get());
    QLineEdit *country = new QLineEdit(window.get());
    QLineEdit *other = new QLineEdit(window.get());

    PlaceBoxes()
    {
        auto *layout = new QVBoxLayout(window.get());
        for (QLineEdit *box : {city, state, country, other})
            layout->addWidget(box);
        other->setText(QStringLiteral("28"));
        window->show();
        window->activateWindow();
        other->setFocus();
    }
};

} // namespace

class TestShell : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QApplication::closeAllWindows(); }

    // ---- web pages and the help menu -------------------------------------

    void webPageAddresses_data()
    {
        QTest::addColumn<WebPage>("page");
        QTest::addColumn<QString>("address");
        QTest::newRow("online help") << WebPage::OnlineHelp << "http://www.quorvel.example/quorvel-help.html";
        QTest::newRow("home") << WebPage::Home << "http://forum.quorvel.example";
        QTest::newRow("download") << WebPage::Download << "http://www.quorvel.example/download-quorvel.html";
        QTest::newRow("co-brand") << WebPage::CoBrand << "http://help.quorvel.example/co-brand.html";
        QTest::newRow("full brand") << WebPage::FullBrand << "http://help.quorvel.example/fully-branded.html";
    }

    void webPageAddresses()
    {
        QFETCH(WebPage, page);
        QFETCH(QString, address);
        QCOMPARE(webPageUrl(page).toString(), address);
        QVERIFY(webPageUrl(page).isValid());
        // Hosts stay under the domain reserved for documentation.
        QVERIFY(webPageUrl(page).host().endsWith(QStringLiteral(".quorvel.example")));

        RecordingDesktop recorder;
        OpenWebPage(page);
        QCOMPARE(recorder.openedUrls, QList<QUrl>{QUrl(address)});
        QVERIFY(recorder.messages.isEmpty());
    }

    void helpMenuEntries_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("address");
        QTest::newRow("online help") << "mnuOnline" << "&Online Help" << webPageUrl(WebPage::OnlineHelp).toString();
        QTest::newRow("visit us") << "mnuVisit" << "&Visit Us Online" << webPageUrl(WebPage::Home).toString();
        QTest::newRow("update") << "mnuUpdate" << "Check for Software &Update"
                                << webPageUrl(WebPage::Download).toString();
    }

    void helpMenuEntries()
    {
        QFETCH(QString, entry);
        QFETCH(QString, caption);
        QFETCH(QString, address);
        QMainWindow screen;
        addHelpMenu(screen.menuBar(), &screen);
        auto *action = screen.menuBar()->findChild<QAction *>(entry);
        QVERIFY(action);
        QCOMPARE(action->text(), caption);
        QVERIFY(action->shortcut().isEmpty());

        RecordingDesktop recorder;
        action->trigger();
        QCOMPARE(recorder.openedUrls, QList<QUrl>{QUrl(address)});
        QVERIFY(recorder.messages.isEmpty());
    }

    void helpMenuOrder()
    {
        QMainWindow screen;
        screen.menuBar()->addMenu(QStringLiteral("&File"));
        addHelpMenu(screen.menuBar(), &screen);
        auto *mnuHelp = screen.menuBar()->findChild<QMenu *>(QStringLiteral("mnuHelp"));
        QVERIFY(mnuHelp);
        QCOMPARE(mnuHelp->title(), QStringLiteral("&Help"));
        // The help menu comes after the screen's own menus.
        QCOMPARE(screen.menuBar()->actions().last(), mnuHelp->menuAction());

        QStringList names;
        QList<bool> separators;
        for (QAction *action : mnuHelp->actions()) {
            names.append(action->objectName());
            separators.append(action->isSeparator());
        }
        QCOMPARE(names, (QStringList{"mnuOnline", "mnuVisit", "mnuHelp1", "mnuUpdate", "mnuHelp2", "mnuAbout"}));
        QCOMPARE(separators, (QList<bool>{false, false, true, false, true, false}));
        QCOMPARE(mnuHelp->actions().last()->text(), QStringLiteral("&About Software"));
    }

    void aboutEntryShowsModalAboutBox()
    {
        QMainWindow screen;
        addHelpMenu(screen.menuBar(), &screen);
        screen.show();
        auto *about = screen.menuBar()->findChild<QAction *>(QStringLiteral("mnuAbout"));
        QVERIFY(about);

        RecordingDesktop recorder;
        QPointer<frmAbout> shown;
        bool modal = false;
        QWidget *owner = nullptr;
        QTimer::singleShot(0, this, [&] {
            shown = qobject_cast<frmAbout *>(QApplication::activeModalWidget());
            if (!shown)
                return;
            modal = shown->isModal();
            owner = shown->parentWidget();
            QTest::keyClick(shown, Qt::Key_Escape);
        });
        about->trigger();  // returns once the about box is closed
        QVERIFY(shown.isNull());  // discarded after closing
        QVERIFY(modal);
        QCOMPARE(owner, &screen);
        QVERIFY(screen.isVisible());
        QVERIFY(recorder.openedUrls.isEmpty());
    }

    void noBrowserIsSilent()
    {
        // No handler and no browser on the offscreen desktop: nothing to report.
        QMainWindow screen;
        addHelpMenu(screen.menuBar(), &screen);
        screen.show();
        for (const char *entry : {"mnuOnline", "mnuVisit", "mnuUpdate"})
            screen.menuBar()->findChild<QAction *>(QString::fromLatin1(entry))->trigger();
        QVERIFY(screen.isVisible());
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

    void openingGoesThroughTheDesktopService()
    {
        UrlRecorder browser(QStringLiteral("http"));
        OpenWebPage(WebPage::CoBrand);
        QCOMPARE(browser.urls, QList<QUrl>{webPageUrl(WebPage::CoBrand)});
    }

    // ---- banners and link labels --------------------------------------------

    void banners_data()
    {
        QTest::addColumn<BrandingScreen>("screen");
        QTest::addColumn<QSize>("frameSize");
        QTest::addColumn<QRect>("fullBrandRect");
        QTest::addColumn<QRect>("coBrandRect");
        QTest::addColumn<QString>("coBrandCaption");
        QTest::newRow("main") << BrandingScreen::Main << twipRect(0, 0, 7215, 855).size()
                              << twipRect(120, 165, 6945, 615) << twipRect(120, 160, 6945, 615) << coBrandMain;
        QTest::newRow("result") << BrandingScreen::Result << twipRect(0, 0, 7455, 855).size()
                                << twipRect(120, 165, 7215, 615) << twipRect(120, 165, 7215, 615) << coBrandResult;
    }

    void banners()
    {
        QFETCH(BrandingScreen, screen);
        QFETCH(QSize, frameSize);
        QFETCH(QRect, fullBrandRect);
        QFETCH(QRect, coBrandRect);
        QFETCH(QString, coBrandCaption);

        QWidget window;
        const BrandingFrame branding = createBrandingFrame(&window, screen);
        QVERIFY(branding.frame && branding.lblFullBrand && branding.lblCobrand);
        QCOMPARE(branding.frame->parentWidget(), &window);
        QCOMPARE(branding.frame->objectName(), QStringLiteral("fraFullBrand"));
        QCOMPARE(branding.frame->size(), frameSize);
        QCOMPARE(branding.lblFullBrand->objectName(), QStringLiteral("lblFullBrand"));
        QCOMPARE(branding.lblCobrand->objectName(), QStringLiteral("lblCobrand"));
        QCOMPARE(branding.lblFullBrand->parentWidget(), branding.frame);
        QCOMPARE(branding.lblCobrand->parentWidget(), branding.frame);
        QCOMPARE(branding.lblFullBrand->geometry(), fullBrandRect);
        QCOMPARE(branding.lblCobrand->geometry(), coBrandRect);
        QCOMPARE(branding.lblFullBrand->text(), fullBrand);
        QCOMPARE(branding.lblCobrand->text(), coBrandCaption);

        for (QLabel *banner : {static_cast<QLabel *>(branding.lblFullBrand), static_cast<QLabel *>(branding.lblCobrand)}) {
            // Opaque black with white text, so the upper banner hides the lower one.
            QVERIFY(banner->autoFillBackground());
            QCOMPARE(banner->palette().color(QPalette::Window), Look::black);
            QCOMPARE(banner->palette().color(QPalette::WindowText), Look::white);
            QCOMPARE(banner->font().family(), QStringLiteral("Verdana"));
            QCOMPARE(banner->font().pointSizeF(), 8.25);
            QVERIFY(banner->font().bold());
            QVERIFY(banner->font().underline());
            QCOMPARE(banner->alignment(), Qt::AlignCenter);
            QVERIFY(banner->wordWrap());
            QCOMPARE(banner->textFormat(), Qt::PlainText);
            QCOMPARE(banner->cursor().shape(), Qt::PointingHandCursor);
        }
        QVERIFY(branding.frame->autoFillBackground());
        QCOMPARE(branding.frame->palette().color(QPalette::Window), Look::black);

        window.resize(600, 200);
        window.show();
        RecordingDesktop recorder;
        // The co-branding banner lies on top; a click on the visible banner opens its page.
        QCOMPARE(visibleBanner(branding), branding.lblCobrand);
        click(visibleBanner(branding));
        QCOMPARE(recorder.openedUrls, QList<QUrl>{webPageUrl(WebPage::CoBrand)});

        branding.lblFullBrand->raise();
        QCOMPARE(visibleBanner(branding), branding.lblFullBrand);
        click(visibleBanner(branding));
        QCOMPARE(recorder.openedUrls.size(), 2);
        QCOMPARE(recorder.openedUrls.last(), webPageUrl(WebPage::FullBrand));
        QVERIFY(recorder.messages.isEmpty());
    }

    void topLinkLabels_data()
    {
        QTest::addColumn<BrandingScreen>("screen");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::newRow("main") << BrandingScreen::Main << "Label11" << twipRect(1117, 0, 5040, 435).size();
        QTest::newRow("result") << BrandingScreen::Result << "Label61" << twipRect(1207, 0, 5040, 390).size();
    }

    void topLinkLabels()
    {
        QFETCH(BrandingScreen, screen);
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QWidget window;
        LinkLabel *label = createTopLinkLabel(&window, screen);
        QVERIFY(label);
        QCOMPARE(label->parentWidget(), &window);
        QCOMPARE(label->objectName(), name);
        QCOMPARE(label->size(), size);
        QVERIFY(label->text().contains(QStringLiteral("Quorvel discussion board")));
        QVERIFY(label->text().endsWith(QStringLiteral("forum.quorvel.example")));
        QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
        // The caption fits the strip with the font in use.
        QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(label->text()));

        window.show();
        RecordingDesktop recorder;
        click(label);
        QCOMPARE(recorder.openedUrls, QList<QUrl>{webPageUrl(WebPage::Home)});
    }

    // ---- the banner draw ------------------------------------------------------

    void coBrandNumbers_data()
    {
        QTest::addColumn<float>("r");
        QTest::addColumn<int>("number");
        QTest::newRow("zero") << 0.0f << 1;
        QTest::newRow("just below a quarter") << std::nextafter(0.25f, 0.0f) << 2;
        QTest::newRow("a quarter: 2.5 goes to even 2") << 0.25f << 2;
        QTest::newRow("just above a quarter") << std::nextafter(0.25f, 1.0f) << 3;
        QTest::newRow("0.1") << 0.1f << 2;
        QTest::newRow("0.3") << 0.3f << 3;
        QTest::newRow("a half") << 0.5f << 4;
        QTest::newRow("0.7") << 0.7f << 5;
        QTest::newRow("three quarters: 5.5 goes to even 6") << 0.75f << 6;
        QTest::newRow("0.9") << 0.9f << 6;
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
            const int number = coBrandNumber(r);
            QVERIFY(number >= 1 && number <= 7);
            ++counts[std::size_t(number)];
        }
        // 1 and 7 each come a twelfth of the time, 2 to 6 a sixth; tolerances
        // are more than five standard deviations.
        for (int number = 1; number <= 7; ++number) {
            const double expected = (number == 1 || number == 7) ? 1.0 / 12.0 : 1.0 / 6.0;
            QVERIFY2(std::abs(counts[std::size_t(number)] / double(draws) - expected) < 0.004,
                     qPrintable(QStringLiteral("%1: %2").arg(number).arg(counts[std::size_t(number)])));
        }
        const double fullBrandShare = (counts[2] + counts[4] + counts[6]) / double(draws);
        QVERIFY2(std::abs(fullBrandShare - 0.5) < 0.006, qPrintable(QString::number(fullBrandShare)));
    }

    void drawOrdersBanners_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("fullBrandInFront");
        for (int number = 1; number <= 7; ++number)
            QTest::newRow(qPrintable(QString::number(number))) << number << (number % 2 == 0 && number != 7);
    }

    void drawOrdersBanners()
    {
        QFETCH(int, number);
        QFETCH(bool, fullBrandInFront);
        QWidget window;
        const BrandingFrame branding = createBrandingFrame(&window, BrandingScreen::Main);
        window.show();
        bringBannerToFront(number, branding.lblFullBrand, branding.lblCobrand);
        QCOMPARE(visibleBanner(branding),
                 fullBrandInFront ? static_cast<QWidget *>(branding.lblFullBrand) : branding.lblCobrand);

        // Whatever the order, a click opens the page of the banner the user sees.
        RecordingDesktop recorder;
        click(visibleBanner(branding));
        QCOMPARE(recorder.openedUrls.value(0),
                 webPageUrl(fullBrandInFront ? WebPage::FullBrand : WebPage::CoBrand));
    }

    void drawOnFreshFrameAndMissingBanners()
    {
        seedRandomGenerator();
        QWidget window;
        const BrandingFrame branding = createBrandingFrame(&window, BrandingScreen::Main);
        window.show();
        CoBrand_Randomize(branding.lblFullBrand, branding.lblCobrand);
        QVERIFY(visibleBanner(branding) == branding.lblFullBrand || visibleBanner(branding) == branding.lblCobrand);
        // A screen without banners: the draw changes nothing and doesn't fail.
        for (int i = 0; i < 20; ++i)
            CoBrand_Randomize(nullptr, nullptr);
        // A frame made anew (the main screen after "Back") starts with the co-branding banner.
        QWidget again;
        const BrandingFrame fresh = createBrandingFrame(&again, BrandingScreen::Main);
        again.show();
        QCOMPARE(visibleBanner(fresh), fresh.lblCobrand);
    }

    // ---- latitude and longitude lookup -------------------------------------------

    void lookupChecksBoxesInOrder_data()
    {
        QTest::addColumn<QString>("city");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("country");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("focusBox");  // 0 city, 1 state, 2 country
        QTest::newRow("all empty") << "" << "" << "" << Messages::enterCity << 0;
        QTest::newRow("city empty only") << "" << "NY" << "USA" << Messages::enterCity << 0;
        QTest::newRow("state and country empty") << "Pune" << "" << "" << Messages::enterState << 1;
        QTest::newRow("country empty") << "Pune" << "Maharashtra" << "" << Messages::enterCountry << 2;
    }

    void lookupChecksBoxesInOrder()
    {
        QFETCH(QString, city);
        QFETCH(QString, state);
        QFETCH(QString, country);
        QFETCH(QString, message);
        QFETCH(int, focusBox);
        PlaceBoxes boxes;
        QVERIFY(QTest::qWaitForWindowActive(boxes.window.get()));
        boxes.city->setText(city);
        boxes.state->setText(state);
        boxes.country->setText(country);

        RecordingDesktop recorder;
        searchCoordinates(boxes.city, boxes.state, boxes.country);
        QCOMPARE(recorder.messageTexts(), QStringList{message});
        QCOMPARE(recorder.messages.first().icon, MessageIcon::Information);
        QVERIFY(!recorder.messages.first().yesNo);
        QVERIFY(recorder.searches.isEmpty());
        const std::array<QLineEdit *, 3> places{boxes.city, boxes.state, boxes.country};
        QCOMPARE(QApplication::focusWidget(), places[std::size_t(focusBox)]);
        // Nothing written back.
        QCOMPARE(boxes.city->text(), city);
        QCOMPARE(boxes.state->text(), state);
        QCOMPARE(boxes.country->text(), country);
    }

    void lookupQueries_data()
    {
        QTest::addColumn<QString>("city");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("country");
        QTest::addColumn<QString>("query");
        QTest::newRow("pune") << "Pune" << "Maharashtra" << "India" << "Pune Maharashtra India Latitude Longitude";
        QTest::newRow("space inside the city")
            << "New York" << "NY" << "USA" << "New York NY USA Latitude Longitude";
        QTest::newRow("single blanks: six before Latitude")
            << " " << " " << " " << "      Latitude Longitude";
        QTest::newRow("untrimmed, case kept")
            << "  lima " << "LIMA" << "peru  " << "  lima  LIMA peru   Latitude Longitude";
        QTest::newRow("not encoded") << "A&B" << "#1" << "x+y=z" << "A&B #1 x+y=z Latitude Longitude";
    }

    void lookupQueries()
    {
        QFETCH(QString, city);
        QFETCH(QString, state);
        QFETCH(QString, country);
        QFETCH(QString, query);
        PlaceBoxes boxes;
        boxes.city->setText(city);
        boxes.state->setText(state);
        boxes.country->setText(country);

        RecordingDesktop recorder;
        searchCoordinates(boxes.city, boxes.state, boxes.country);
        QVERIFY(recorder.messages.isEmpty());
        QCOMPARE(recorder.searches.size(), 1);
        QCOMPARE(recorder.searches.first().value(0), query);
        QCOMPARE(recorder.searches.first().value(1), webPageUrl(WebPage::Home).toString());
        QCOMPARE(boxes.city->text(), city);
        QCOMPARE(boxes.other->text(), QStringLiteral("28"));
    }

    // ---- the web search plugin ------------------------------------------------

    void pluginIsBuiltAndFound()
    {
        const QStringList folders = webSearchPluginFolders();
        const QString buildFolder = QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../plugins"));
        QCOMPARE(folders.value(0), buildFolder);
        QVERIFY(QFile::exists(buildFolder + QStringLiteral("/quorvel_websearch.so")));
        QPluginLoader loader(buildFolder + QStringLiteral("/quorvel_websearch.so"));
        QCOMPARE(loader.metaData().value(QStringLiteral("IID")).toString(), QStringLiteral(QUORVEL_WEBSEARCH_IID));
    }

    void pluginOpensEncodedResultsPage_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QByteArray>("encoded");
        QTest::newRow("new york") << "New York NY USA Latitude Longitude"
                                  << QByteArray("q=New%20York%20NY%20USA%20Latitude%20Longitude");
        QTest::newRow("delimiters") << "A&B #1 x+y=z/?" << QByteArray("q=A%26B%20%231%20x%2By%3Dz%2F%3F");
        QTest::newRow("non-ascii") << QString::fromUtf8("S\u00e3o Paulo") << QByteArray("q=S%C3%A3o%20Paulo");
        QTest::newRow("blanks") << "      Latitude Longitude" << QByteArray("q=%20%20%20%20%20%20Latitude%20Longitude");
    }

    void pluginOpensEncodedResultsPage()
    {
        QFETCH(QString, query);
        QFETCH(QByteArray, encoded);
        UrlRecorder browser(QStringLiteral("https"));
        QVERIFY(runWebSearchPlugin(query, webPageUrl(WebPage::Home).toString(), webSearchPluginFolders()));
        QCOMPARE(browser.urls.size(), 1);
        const QUrl url = browser.urls.first();
        QVERIFY(url.isValid());
        QCOMPARE(url.scheme(), QStringLiteral("https"));
        QCOMPARE(url.query(QUrl::FullyEncoded).toLatin1(), encoded);
        QCOMPARE(QUrlQuery(url).queryItemValue(QStringLiteral("q"), QUrl::FullyDecoded), query);
    }

    void pluginFreshInstancePerSearch()
    {
        UrlRecorder browser(QStringLiteral("https"));
        const QString plugin = webSearchPluginFolders().value(0) + QStringLiteral("/quorvel_websearch.so");
        for (int i = 0; i < 3; ++i) {
            QVERIFY(runWebSearchPlugin(QStringLiteral("Oslo Oslo Norway Latitude Longitude"), QString(),
                                       webSearchPluginFolders()));
            // Released after every search.
            QVERIFY(!QPluginLoader(plugin).isLoaded());
        }
        QCOMPARE(browser.urls.size(), 3);
    }

    void lookupThroughTheProgramsDesktop()
    {
        // No recording desktop: the program's own desktop loads the plugin.
        UrlRecorder browser(QStringLiteral("https"));
        PlaceBoxes boxes;
        boxes.city->setText(QStringLiteral("New York"));
        boxes.state->setText(QStringLiteral("NY"));
        boxes.country->setText(QStringLiteral("USA"));
        searchCoordinates(boxes.city, boxes.state, boxes.country);
        QCOMPARE(browser.urls.size(), 1);
        QCOMPARE(QUrlQuery(browser.urls.first()).queryItemValue(QStringLiteral("q"), QUrl::FullyDecoded),
                 QStringLiteral("New York NY USA Latitude Longitude"));
        QVERIFY(boxes.window->isVisible());
    }

    void missingOrBrokenPluginIsSilent()
    {
        UrlRecorder browser(QStringLiteral("https"));
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        // An empty folder, one that doesn't exist, and no folders at all.
        QVERIFY(!runWebSearchPlugin(QStringLiteral("q"), QString(), {folder.path()}));
        QVERIFY(!runWebSearchPlugin(QStringLiteral("q"), QString(), {folder.path() + QStringLiteral("/none")}));
        QVERIFY(!runWebSearchPlugin(QStringLiteral("q"), QString(), {}));

        // Files that look like plugins but aren't: garbage, an empty file, a text file.
        QFile garbage(folder.filePath(QStringLiteral("quorvel_websearch.so")));
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write(QByteArrayLiteral("\x7f" "ELF this is not a library"));
        garbage.close();
        QFile empty(folder.filePath(QStringLiteral("empty.so")));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        QFile text(folder.filePath(QStringLiteral("readme.txt")));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("not a plugin\n");
        text.close();
        QVERIFY(!runWebSearchPlugin(QStringLiteral("q"), QString(), {folder.path()}));
        QVERIFY(browser.urls.isEmpty());

        // A broken file before the real plugin doesn't hide it.
        const QStringList folders = QStringList{folder.path()} + webSearchPluginFolders();
        QVERIFY(runWebSearchPlugin(QStringLiteral("q"), QString(), folders));
        QCOMPARE(browser.urls.size(), 1);
    }
};

QTEST_MAIN(TestShell)
#include "test_shell.moc"
