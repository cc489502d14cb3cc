// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What a screen reader and a keyboard user get from each screen: the
// accessible tree walked through QAccessible, the names of the inputs, the
// values of a reading, and every command reached without the mouse.

#include "RecordingDesktop.h"
#include "TestWindows.h"

#include "core/Reading.h"
#include "mansions/modChineseLunarMansionInformation.h"
#include "ui/LinkLabel.h"
#include "ui/Look.h"
#include "ui/WebPages.h"
#include "ui/frmAbout.h"
#include "ui/frmChineseLunarMansionResult.h"
#include "ui/frmHelp.h"
#include "ui/frmMain.h"
#include "ui/frmMoonCalendar.h"
#include "ui/frmTimeZone.h"

#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

namespace {

struct Node {
    QAccessibleInterface *iface;
    QString path;  // names from the window down, for failure messages
};

// The WCAG 2 contrast ratio of two colours.
double contrast(const QColor &one, const QColor &other)
{
    const auto luminance = [](const QColor &c) {
        const auto linear = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF()) + 0.05;
    };
    const double a = luminance(one), b = luminance(other);
    return std::max(a, b) / std::min(a, b);
}

// Every interface under `root`, depth first. Links between parent and child
// that don't hold both ways are reported in `problems`.
void walk(QAccessibleInterface *root, const QString &path, QList<Node> &nodes, QStringList &problems)
{
    nodes.append({root, path});
    for (int i = 0; i < root->childCount(); ++i) {
        QAccessibleInterface *child = root->child(i);
        if (!child || !child->isValid()) {
            problems.append(QStringLiteral("%1: child %2 missing").arg(path).arg(i));
            continue;
        }
        const QString childPath = path + u'/' + child->text(QAccessible::Name);
        if (child->parent() == nullptr || child->parent()->object() != root->object())
            problems.append(QStringLiteral("%1: reports another parent").arg(childPath));
        if (root->indexOfChild(child) != i)
            problems.append(QStringLiteral("%1: not found at its index %2").arg(childPath).arg(i));
        walk(child, childPath, nodes, problems);
    }
}

QList<Node> accessibleTree(QWidget *window)
{
    QAccessibleInterface *root = QAccessible::queryAccessibleInterface(window);
    if (!root)
        return {};
    QList<Node> nodes;
    QStringList problems;
    walk(root, window->objectName(), nodes, problems);
    if (!problems.isEmpty())
        qWarning("%s", qPrintable(problems.join(u'\n')));
    return problems.isEmpty() ? nodes : QList<Node>();
}

QAccessibleInterface *nodeOf(const QList<Node> &nodes, const QObject *object)
{
    for (const Node &node : nodes) {
        if (node.iface->object() == object)
            return node.iface;
    }
    return nullptr;
}

// What a screen reader says a control is. On Linux a drop-down list's name
// is its current entry and what it is for comes from its related label.
QString announcedName(QAccessibleInterface *iface)
{
    if (iface->role() == QAccessible::ComboBox) {
        const auto labels = iface->relations(QAccessible::Label);
        return labels.size() == 1 ? labels.first().first->text(QAccessible::Name) : QString();
    }
    return iface->text(QAccessible::Name);
}

bool isInputRole(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::EditableText:
    case QAccessible::ComboBox:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::SpinBox:
    case QAccessible::List:
        return true;
    default:
        return false;
    }
}

// Runs `check` on the modal window that `open` shows, then closes it.
void whileModal(const std::function<void()> &open, const std::function<void(QWidget *)> &check)
{
    bool checked = false;
    QTimer::singleShot(0, qApp, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        check(modal);
        checked = true;
        if (modal)
            modal->close();
    });
    open();
    QVERIFY(checked);
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

    std::unique_ptr<RecordingDesktop> recorder;

private slots:
    void init() { recorder = std::make_unique<RecordingDesktop>(); }
    void cleanup()
    {
        QApplication::closeAllWindows();
        recorder.reset();
    }

    // --- colours ---

    // The toolkit's light palette replaces a dark desktop's: every text role
    // reads at 4.5:1 or more.
    void lightPaletteReadsOnAnyDesktop()
    {
        const QPalette platform = QApplication::palette(); // offscreen: the toolkit's light one
        QApplication::setPalette(QPalette(QColor(0x32, 0x32, 0x32)));
        Look::useLightPalette();
        const QPalette light = QApplication::palette();
        QApplication::setPalette(platform);
        QCOMPARE(light.color(QPalette::Button), platform.color(QPalette::Button));
        using P = QPalette;
        for (const auto &[text, ground] : {std::pair{P::WindowText, P::Window}, {P::Text, P::Base},
                                           {P::ButtonText, P::Button}, {P::HighlightedText, P::Highlight},
                                           {P::Link, P::Base},
                                           {P::ToolTipText, P::ToolTipBase}}) {
            QVERIFY2(contrast(light.color(text), light.color(ground)) >= 4.5, qPrintable(QString::number(text)));
        }
    }

    // The keyboard focus ring is drawn round each control and, with the
    // search box's clear button, stands out at least 3:1 on its ground
    // (WCAG's non-text contrast).
    void focusRingAndIconsStandOut_data()
    {
        QTest::addColumn<QString>("control");
        for (const char *name : {"txtName", "cmdOpen", "cboMonth", "txtLatD", "optLong0", "chkDST", "lblZoneOffset",
                                 "cmdCalculate", "clear button"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void focusRingAndIconsStandOut()
    {
        QFETCH(QString, control);
        Look::useVisibleFocus();
        Look::useLightPalette();
        frmMain main;
        main.show();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        auto *box = widget<QLineEdit>(&main, "txtMCity");
        box->setClearButtonEnabled(true);
        box->setText(QStringLiteral("Pune"));
        box->setFocus();
        widget<QLineEdit>(&main, "txtZoneHour")->setText(QStringLiteral("-1"));  // an offset to show
        widget<QLineEdit>(&main, "txtZoneMinute")->setText(QStringLiteral("0"));
        main.setAttribute(Qt::WA_KeyboardFocusChange);  // as after Tab
        const bool clear = control == QStringLiteral("clear button");
        QWidget *target = clear ? box->findChild<QToolButton *>() : widget<QWidget>(&main, control);
        // The ring round the control; the button's cross, within the box's frame.
        const int margin = clear ? -2 : 2;
        const QRect area = target->geometry().adjusted(-margin, -margin, margin, margin);
        const QImage before = target->parentWidget()->grab(area).toImage();
        target->setFocus(Qt::TabFocusReason);
        QTest::qWait(300);  // the clear button fades in
        const QImage after = target->parentWidget()->grab(area).toImage();
        const QColor ground = clear ? box->palette().color(QPalette::Base) : target->palette().color(QPalette::Window);
        const QColor ring = Look::focusRingColour(target->palette());
        double strongest = 0;  // 0 where no ring is drawn
        for (int y = 0; y < after.height(); ++y)
            for (int x = 0; x < after.width(); ++x)
                if (clear || (after.pixelColor(x, y) == ring && before.pixelColor(x, y) != ring))
                    strongest = std::max(strongest, contrast(after.pixelColor(x, y), ground));
        qInfo("%.1f:1 on %s", strongest, qPrintable(ground.name()));
        QVERIFY(strongest >= 3);
    }

    // --- names ---

    void mainScreenInputsAreNamedAfterTheirLabels()
    {
        frmMain screen;
        screen.show();
        const QList<Node> nodes = accessibleTree(&screen);
        QVERIFY(!nodes.isEmpty());

        // The row caption each name starts with, as the screen shows it.
        const QList<std::pair<QString, QString>> expected = {
            {"txtName", "Name"},
            {"cboMonth", "Date of Birth Month"},
            {"cboDate", "Date of Birth Day"},
            {"cboYear", "Date of Birth Year"},
            {"cboHH", "Time of Birth Hour"},
            {"cboMM", "Time of Birth Minute"},
            {"cboSS", "Time of Birth Second"},
            {"txtZoneHour", "Time Zone Hours"},
            {"txtZoneMinute", "Time Zone Minutes"},
            {"chkDST", "DST"},
            {"txtLonD", "Longitude Degrees"},
            {"txtLonM", "Longitude Minutes"},
            {"optLong0", "East"},
            {"optLong1", "West"},
            {"txtLatD", "Latitude Degrees"},
            {"txtLatM", "Latitude Minutes"},
            {"optLat0", "North"},
            {"optLat1", "South"},
            {"txtMCity", "City"},
            {"txtMState", "State"},
            {"txtMCountry", "Country"},
        };
        QStringList captions;
        for (const QLabel *label : screen.findChildren<QLabel *>()) {
            if (label->isVisibleTo(&screen))
                captions.append(label->text());
        }
        for (const QGroupBox *frame : screen.findChildren<QGroupBox *>())
            captions.append(frame->title());
        for (const QAbstractButton *button : screen.findChildren<QAbstractButton *>())
            captions.append(button->text());

        QStringList inputs;
        for (const Node &node : nodes) {
            // A drop-down list's entries are part of the list, not an input of their own.
            const QAccessibleInterface *parent = node.iface->parent();
            if (!isInputRole(node.iface->role()) || (parent && parent->role() == QAccessible::ComboBox))
                continue;
            const QString objectName = node.iface->object()->objectName();
            inputs.append(objectName);
            const QString name = announcedName(node.iface);
            const auto row = std::find_if(expected.cbegin(), expected.cend(),
                                          [&](const auto &pair) { return pair.first == objectName; });
            QVERIFY2(row != expected.cend(), qPrintable(QStringLiteral("unexpected input %1 (%2)").arg(objectName, node.path)));
            QCOMPARE(name, row->second);
            const bool startsWithCaption = std::any_of(captions.cbegin(), captions.cend(), [&](const QString &caption) {
                return !caption.isEmpty() && name.startsWith(caption);
            });
            QVERIFY2(startsWithCaption, qPrintable(name));
        }
        // Every input is in the tree exactly once, so no two are announced alike.
        QCOMPARE(inputs.size(), expected.size());

        // The row label is related to the control it introduces.
        QAccessibleInterface *name = nodeOf(nodes, widget<QLineEdit>(&screen, "txtName"));
        const auto labels = name->relations(QAccessible::Label);
        QCOMPARE(labels.size(), 1);
        QCOMPARE(labels.first().first->text(QAccessible::Name), QStringLiteral("Name"));

        // A value typed into a box is its accessible value.
        QTest::keyClicks(widget<QLineEdit>(&screen, "txtLatD"), QStringLiteral("28"));
        QCOMPARE(nodeOf(nodes, widget<QLineEdit>(&screen, "txtLatD"))->text(QAccessible::Value), QStringLiteral("28"));
    }

    void resultValuesAndTraitsAreReadable()
    {
        frmChineseLunarMansionResult screen;
        const MansionRecord &row = mansionRow(20);
        screen.setReading(readingOfRow(20));
        screen.show();
        const QList<Node> nodes = accessibleTree(&screen);
        QVERIFY(!nodes.isEmpty());

        const QStringList captions = {"Chinese Lunar Mansion Name", "Associated Direction", "Western Constellation",
                                      "Associated Animal",          "Literal Translation",  "Associated Season",
                                      "Corresponding Indian Lunar Mansion"};
        for (int i = 0; i < frmChineseLunarMansionResult::resultCount; ++i) {
            QAccessibleInterface *value = nodeOf(nodes, widget<QLabel>(&screen, "lblResult", i));
            QVERIFY2(value, qPrintable(captions.at(i)));
            QCOMPARE(value->role(), QAccessible::StaticText);
            QCOMPARE(value->text(QAccessible::Name), captions.at(i));
            QVERIFY(widget<QLabel>(&screen, "lblResult", i)->text() != QStringLiteral("Result"));
            QCOMPARE(value->text(QAccessible::Value), widget<QLabel>(&screen, "lblResult", i)->text());
            QCOMPARE(value->text(QAccessible::Description), widget<QLabel>(&screen, "lblResult", i)->text());
            QVERIFY(value->state().readOnly);
        }
        QCOMPARE(nodeOf(nodes, widget<QLabel>(&screen, "lblResult", 6))->text(QAccessible::Value), QString::fromUtf8(row.nakshatra));

        // The value follows what the screen writes later.
        screen.setReading(readingOfRow(0));
        QCOMPARE(nodeOf(nodes, widget<QLabel>(&screen, "lblResult", 3))->text(QAccessible::Value), QStringLiteral("Green Dragon"));

        const QStringList traitsCaptions = {"Positive Human Traits", "Negative Human Traits"};
        for (int i = 0; i < frmChineseLunarMansionResult::traitsCount; ++i) {
            QAccessibleInterface *traits = nodeOf(nodes, widget<QPlainTextEdit>(&screen, "txtTraits", i));
            QVERIFY(traits);
            QCOMPARE(traits->text(QAccessible::Name), traitsCaptions.at(i));
            QVERIFY(traits->state().readOnly);
            QAccessibleTextInterface *text = traits->textInterface();
            QVERIFY(text);
            const QString shown = widget<QPlainTextEdit>(&screen, "txtTraits", i)->toPlainText();
            QVERIFY(shown.size() > 100);
            QCOMPARE(text->text(0, text->characterCount()), shown);
        }
        QVERIFY(!nodeOf(nodes, widget<QLabel>(&screen, "picChinese"))->text(QAccessible::Name).isEmpty());
    }

    void pickerListIsNamed()
    {
        QLineEdit hours;
        QLineEdit minutes;
        frmTimeZone picker(nullptr, &hours, &minutes);
        picker.show();
        const QList<Node> nodes = accessibleTree(&picker);
        QAccessibleInterface *list = nodeOf(nodes, widget<QListWidget>(&picker, "lstTimeZone"));
        QVERIFY(list);
        QCOMPARE(list->role(), QAccessible::List);
        QVERIFY(!list->text(QAccessible::Name).isEmpty());
        QVERIFY(list->tableInterface() || list->childCount() > 0);
    }

    // --- commands ---

    void everyCommandIsNamedAndReachable_data()
    {
        QTest::addColumn<int>("screen");
        QTest::newRow("main input screen") << 0;
        QTest::newRow("result screen") << 1;
        QTest::newRow("time zone picker") << 2;
        QTest::newRow("about box") << 3;
        QTest::newRow("help window") << 4;
        QTest::newRow("moon calendar") << 5;
    }

    void everyCommandIsNamedAndReachable()
    {
        QFETCH(int, screen);
        QLineEdit hours;
        QLineEdit minutes;
        std::unique_ptr<QWidget> window;
        switch (screen) {
        case 0:
            window = std::make_unique<frmMain>();
            break;
        case 1:
            window = std::make_unique<frmChineseLunarMansionResult>();
            break;
        case 2:
            window = std::make_unique<frmTimeZone>(nullptr, &hours, &minutes);
            break;
        case 3:
            window = std::make_unique<frmAbout>();
            break;
        case 4:
            window = std::make_unique<frmHelp>();
            break;
        default: {
            auto session = std::make_shared<Session>();
            session->setReading(readingOfRow(7));
            window = std::make_unique<frmMoonCalendar>(session);
            break;
        }
        }
        window->show();
        const QList<Node> nodes = accessibleTree(window.get());
        QVERIFY(!nodes.isEmpty());

        // Access keys that open a menu or press a button from anywhere in
        // the window, and those within each menu, must not clash.
        QStringList windowKeys;
        QHash<QObject *, QStringList> menuKeys;
        int commands = 0;
        for (const Node &node : nodes) {
            QAccessibleInterface *iface = node.iface;
            if (iface->state().invisible)
                continue;  // not offered now (the zone's offset while there is none)
            const QAccessible::Role role = iface->role();
            const QString name = iface->text(QAccessible::Name);
            const QString key = iface->text(QAccessible::Accelerator);
            if (role == QAccessible::PushButton) {
                ++commands;
                QVERIFY2(!name.isEmpty(), qPrintable(node.path));
                auto *button = qobject_cast<QWidget *>(iface->object());
                QVERIFY2(!key.isEmpty() || (button->focusPolicy() & Qt::TabFocus), qPrintable(node.path));
                if (!key.isEmpty())
                    windowKeys.append(key);
            } else if (role == QAccessible::MenuItem) {
                ++commands;
                QVERIFY2(!name.isEmpty(), qPrintable(node.path));
                QVERIFY2(!key.isEmpty(), qPrintable(node.path + QStringLiteral(" has no access key")));
                if (iface->parent()->role() == QAccessible::MenuBar)
                    windowKeys.append(key);
                else
                    menuKeys[iface->parent()->object()].append(key);
                QVERIFY2(iface->actionInterface() && !iface->actionInterface()->actionNames().isEmpty(),
                         qPrintable(node.path));
            } else if (role == QAccessible::Link) {
                ++commands;
                QVERIFY2(!name.isEmpty(), qPrintable(node.path));
                QAccessibleActionInterface *action = iface->actionInterface();
                QVERIFY2(action && action->actionNames().contains(QAccessibleActionInterface::pressAction()),
                         qPrintable(node.path));
            }
        }
        QVERIFY(commands > 0);
        // The Moon calendar's boxes and values are read under their names.
        const QList<QWidget *> boxes = window->findChildren<QWidget *>(
            QRegularExpression(QStringLiteral("^(cboClock|txtSpan\\w+|lstPeriods|lblNow\\w*|lblMonth)$")));
        QVERIFY(screen != 5 || boxes.size() == 7);
        for (const QWidget *box : screen == 5 ? boxes : QList<QWidget *>()) {
            QAccessibleInterface *iface = nodeOf(nodes, box);
            QVERIFY2(iface && !announcedName(iface).isEmpty(), qPrintable(box->objectName()));
            if (const auto *label = qobject_cast<const QLabel *>(box))
                QCOMPARE(iface->text(QAccessible::Value), label->text());
        }
        QCOMPARE(QSet<QString>(windowKeys.cbegin(), windowKeys.cend()).size(), windowKeys.size());
        for (const QStringList &keys : std::as_const(menuKeys))
            QCOMPARE(QSet<QString>(keys.cbegin(), keys.cend()).size(), keys.size());
    }

    void linksCanBePressedByAssistiveTechnology()
    {
        frmMain screen;
        screen.show();
        const QList<Node> nodes = accessibleTree(&screen);
        QAccessibleInterface *banner = nodeOf(nodes, screen.lblCobrand());
        QVERIFY(banner);
        QCOMPARE(banner->role(), QAccessible::Link);
        QCOMPARE(banner->text(QAccessible::Name), screen.lblCobrand()->text());
        banner->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(recorder->openedUrls, QList<QUrl>{webPageUrl(WebPage::CoBrand)});

        // "TZ Help" opens the picker when pressed this way too.
        QAccessibleInterface *tzHelp = nodeOf(nodes, widget<LinkLabel>(&screen, "lblTZHelp"));
        QVERIFY(tzHelp);
        whileModal([&] { tzHelp->actionInterface()->doAction(QAccessibleActionInterface::pressAction()); },
                   [](QWidget *modal) { QVERIFY(qobject_cast<frmTimeZone *>(modal)); });
    }

    void tzHelpOpensWithF1FromTheZoneBoxes_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<bool>("opens"); // the picker; the help pages where it doesn't
        QTest::newRow("zone hours") << "txtZoneHour" << true;
        QTest::newRow("zone minutes") << "txtZoneMinute" << true;
        QTest::newRow("DST") << "chkDST" << true;
        QTest::newRow("name") << "txtName" << false;
        QTest::newRow("longitude") << "txtLonD" << false;
    }

    void tzHelpOpensWithF1FromTheZoneBoxes()
    {
        QFETCH(QString, focus);
        QFETCH(bool, opens);
        frmMain screen;
        screen.show();
        QVERIFY(QTest::qWaitForWindowActive(&screen));
        auto *target = screen.findChild<QWidget *>(focus);
        target->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), target);

        bool opened = false;
        QTimer::singleShot(0, qApp, [&] {
            if (auto *picker = qobject_cast<frmTimeZone *>(QApplication::activeModalWidget())) {
                opened = true;
                // Space chooses the entry the keyboard moved to: the first.
                QTest::keyClick(widget<QListWidget>(picker, "lstTimeZone"), Qt::Key_Home);
                QTest::keyClick(widget<QListWidget>(picker, "lstTimeZone"), Qt::Key_Space);
            }
        });
        QTest::keyClick(target, Qt::Key_F1);
        QCoreApplication::processEvents();
        QCOMPARE(opened, opens);
        QCOMPARE(onlyOpenWindow<frmHelp>() != nullptr, !opens);
        QVERIFY(recorder->messages.isEmpty());  // F1 is no typed character for the key filter
        QCOMPARE(widget<QLineEdit>(&screen, "txtZoneHour")->text(), opens ? QStringLiteral("9") : QString());  // Alaska/Hawaii Daylight Time
        QCOMPARE(widget<QLineEdit>(&screen, "txtZoneMinute")->text(), opens ? QStringLiteral("0") : QString());
    }

    void pickerChoosesWithSpaceAndQuitsWithEnter()
    {
        QLineEdit hours;
        QLineEdit minutes;
        frmTimeZone picker(nullptr, &hours, &minutes);
        picker.show();
        QVERIFY(QTest::qWaitForWindowActive(&picker));
        QCOMPARE(QApplication::focusWidget(), widget<QListWidget>(&picker, "lstTimeZone"));
        QTest::keyClick(widget<QListWidget>(&picker, "lstTimeZone"), Qt::Key_Home);
        for (int i = 0; i < 27; ++i)
            QTest::keyClick(widget<QListWidget>(&picker, "lstTimeZone"), Qt::Key_Down);
        QCOMPARE(widget<QListWidget>(&picker, "lstTimeZone")->currentItem()->text(), QStringLiteral("Eastern Standard Time,EST,-5.0"));
        QTest::keyClick(widget<QListWidget>(&picker, "lstTimeZone"), Qt::Key_Space);
        QCOMPARE(hours.text(), QStringLiteral("5"));
        QCOMPARE(minutes.text(), QStringLiteral("0"));
        QCOMPARE(picker.result(), int(QDialog::Accepted));
        QVERIFY(!picker.isVisible());

        // Enter stays "&Quit"'s, whatever entry the keyboard is on.
        frmTimeZone again(nullptr, &hours, &minutes);
        again.show();
        QVERIFY(QTest::qWaitForWindowActive(&again));
        QTest::keyClick(widget<QListWidget>(&again, "lstTimeZone"), Qt::Key_End);
        QTest::keyClick(widget<QListWidget>(&again, "lstTimeZone"), Qt::Key_Return);
        QCOMPARE(again.result(), int(QDialog::Rejected));
        QCOMPARE(hours.text(), QStringLiteral("5"));
    }

    void aboutBoxLinksFollowOkInTheTabOrder()
    {
        frmAbout about;
        about.show();
        QVERIFY(QTest::qWaitForWindowActive(&about));
        auto *ok = widget<QPushButton>(&about, "cmdOK");
        QTRY_COMPARE(QApplication::focusWidget(), ok);

        QTest::keyClick(ok, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("lblHomePage"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("lblCoBrand"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(recorder->openedUrls, (QList<QUrl>{webPageUrl(WebPage::Home), webPageUrl(WebPage::FullBrand)}));
        QVERIFY(about.isVisible());  // the links leave the box open

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), ok);
        QTest::keyClick(ok, Qt::Key_Escape);
        QVERIFY(!about.isVisible());
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
