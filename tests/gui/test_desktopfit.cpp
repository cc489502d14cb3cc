// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The screens on a Linux desktop: Verdana or its declared substitute, and
// every caption readable in full within its control. The checks hold at
// 96 dpi and, run again with QT_SCALE_FACTOR, at 1.5 and 2 times that.

#include "RecordingDesktop.h"
#include "TestWindows.h"

#include "core/Reading.h"
#include "mansions/modChineseLunarMansionInformation.h"
#include "ui/Look.h"
#include "ui/frmAbout.h"
#include "ui/frmChineseLunarMansionResult.h"
#include "ui/frmComparison.h"
#include "ui/frmHelp.h"
#include "ui/frmMain.h"
#include "ui/frmMoonCalendar.h"
#include "ui/frmTimeZone.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>
#include <QTest>

#include <memory>

namespace {

enum class Window { Main, Result, Picker, About, Comparison, Help, MoonCalendar };

// A screen as the user sees it; the result screen shows the reading of
// catalogue row `row`.
std::unique_ptr<QWidget> openScreen(Window screen, int row = 0)
{
    std::unique_ptr<QWidget> window;
    switch (screen) {
    case Window::Main:
        window = std::make_unique<frmMain>();
        // The longest offset text under the zone boxes shows.
        widget<QLineEdit>(window.get(), "txtZoneHour")->setText(QStringLiteral("-14"));
        widget<QLineEdit>(window.get(), "txtZoneMinute")->setText(QStringLiteral("0"));
        break;
    case Window::Result: {
        auto result = std::make_unique<frmChineseLunarMansionResult>();
        result->setReading(readingOfRow(row));
        window = std::move(result);
        break;
    }
    case Window::Picker:
        window = std::make_unique<frmTimeZone>(nullptr, nullptr, nullptr);
        break;
    case Window::About:
        window = std::make_unique<frmAbout>();
        break;
    case Window::Comparison:
        window = std::make_unique<frmComparison>(readingPair(readingOfRow(row), readingOfRow(0)),
                                                 std::make_shared<Session>());
        break;
    case Window::Help:
        window = std::make_unique<frmHelp>();
        break;
    case Window::MoonCalendar: {
        auto session = std::make_shared<Session>();
        session->setReading(readingOfRow(row));
        window = std::make_unique<frmMoonCalendar>(session);
        break;
    }
    }
    window->show();
    return window;
}

bool isInMenus(const QWidget *widget)
{
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        if (qobject_cast<const QMenuBar *>(w) || qobject_cast<const QMenu *>(w))
            return true;
    }
    return false;
}

// The widgets a user sees, menus left aside (they follow the desktop's font).
QList<QWidget *> shownWidgets(QWidget *window)
{
    QList<QWidget *> shown;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (widget->isVisibleTo(window) && !widget->isWindow() && !isInMenus(widget))
            shown.append(widget);
    }
    return shown;
}

QString describe(const QWidget *widget)
{
    const QString name = widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className())
                                                        : widget->objectName();
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return QStringLiteral("%1 \"%2\"").arg(name, label->text().left(40));
    return name;
}

// Where a label's text lands, in its parent's coordinates.
QRect labelTextRect(const QLabel *label)
{
    const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    return label->fontMetrics().boundingRect(label->contentsRect(), flags, label->text()).translated(label->pos());
}

bool isBanner(const QWidget *widget)
{
    return widget->parentWidget() && widget->parentWidget()->objectName() == QStringLiteral("fraFullBrand");
}

// Every caption of the window that doesn't fit its control, one line each.
QStringList captionProblems(QWidget *window)
{
    QStringList problems;
    const auto report = [&problems](const QWidget *widget, const QString &what, int needed, int room) {
        if (needed > room)
            problems.append(QStringLiteral("%1: %2 needs %3, has %4").arg(describe(widget), what).arg(needed).arg(room));
    };

    const QList<QWidget *> widgets = shownWidgets(window);
    for (QWidget *widget : widgets) {
        const QFontMetrics metrics = widget->fontMetrics();
        QStyle *style = widget->style();

        if (auto *label = qobject_cast<QLabel *>(widget); label && !label->text().isEmpty()) {
            const QRect room = label->contentsRect();
            if (label->wordWrap()) {
                report(label, QStringLiteral("wrapped height"), label->heightForWidth(label->width()), label->height());
                // A word wider than the label would run past its edge.
                for (const QString &word : label->text().split(u' ', Qt::SkipEmptyParts))
                    report(label, QStringLiteral("word \"%1\"").arg(word), metrics.horizontalAdvance(word), room.width());
            } else {
                report(label, QStringLiteral("width"), metrics.horizontalAdvance(label->text()), room.width());
                report(label, QStringLiteral("height"), metrics.height(), room.height());
            }
            const QRect text = labelTextRect(label);
            if (!label->parentWidget()->rect().contains(text))
                problems.append(QStringLiteral("%1: runs past its frame").arg(describe(label)));
            // The text must not run into a neighbour (the two banners lie on
            // each other on purpose).
            for (QWidget *sibling : widgets) {
                if (sibling == label || sibling->parentWidget() != label->parentWidget()
                    || (isBanner(label) && isBanner(sibling)))
                    continue;
                const auto *other = qobject_cast<const QLabel *>(sibling);
                const QRect occupied = other && !other->text().isEmpty() ? labelTextRect(other) : sibling->geometry();
                if (text.intersects(occupied))
                    problems.append(QStringLiteral("%1: runs into %2").arg(describe(label), describe(sibling)));
            }
        } else if (auto *push = qobject_cast<QPushButton *>(widget); push && !push->text().isEmpty()) {
            QStyleOptionButton option;
            option.initFrom(push);
            option.text = push->text();
            const QRect room = style->subElementRect(QStyle::SE_PushButtonContents, &option, push);
            const QSize needed = metrics.size(Qt::TextShowMnemonic, push->text());
            report(push, QStringLiteral("caption width"), needed.width(), room.width());
            report(push, QStringLiteral("caption height"), needed.height(), room.height());
        } else if (auto *choice = qobject_cast<QAbstractButton *>(widget); choice && !choice->text().isEmpty()) {
            QStyleOptionButton option;
            option.initFrom(choice);
            option.text = choice->text();
            const QStyle::SubElement contents =
                qobject_cast<QRadioButton *>(choice) ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents;
            const QRect room = style->subElementRect(contents, &option, choice);
            const QSize needed = metrics.size(Qt::TextShowMnemonic, choice->text());
            report(choice, QStringLiteral("caption width"), needed.width(), room.width());
            report(choice, QStringLiteral("caption height"), needed.height(), room.height());
        } else if (auto *frame = qobject_cast<QGroupBox *>(widget); frame && !frame->title().isEmpty()) {
            QStyleOptionGroupBox option;
            option.initFrom(frame);
            option.text = frame->title();
            option.textAlignment = frame->alignment();
            option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
            const QRect caption = style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame);
            report(frame, QStringLiteral("caption width"), metrics.horizontalAdvance(frame->title()), caption.width());
            if (!frame->rect().contains(caption))
                problems.append(QStringLiteral("%1: caption runs past the frame").arg(describe(frame)));
        } else if (auto *list = qobject_cast<QComboBox *>(widget)) {
            QStyleOptionComboBox option;
            option.initFrom(list);
            option.editable = list->isEditable();
            option.frame = list->hasFrame();
            const QRect field = style->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
            for (int i = 0; i < list->count(); ++i)
                report(list, QStringLiteral("entry \"%1\"").arg(list->itemText(i)),
                       metrics.horizontalAdvance(list->itemText(i)), field.width());
        } else if (auto *zones = qobject_cast<QListWidget *>(widget)) {
            // Every entry reads in full without scrolling sideways.
            report(zones, QStringLiteral("widest entry"), zones->sizeHintForColumn(0), zones->viewport()->width());
        }
    }
    return problems;
}

// The room a line edit gives its text, as QLineEdit lays it out.
int lineEditTextWidth(const QLineEdit *box)
{
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth = box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box) : 0;
    const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
    const QMargins margins = box->textMargins();
    constexpr int horizontalMargin = 2;  // QLineEdit's own inner margin on each side
    return contents.width() - margins.left() - margins.right() - 2 * horizontalMargin;
}

} // namespace

class TestDesktopFit : public QObject {
    Q_OBJECT

    std::unique_ptr<RecordingDesktop> recorder;

private slots:
    void initTestCase()
    {
        // Fonts are sized for 96 dpi; the design's 15 twips are one pixel.
        QCOMPARE(QGuiApplication::primaryScreen()->logicalDotsPerInchY(), 96.0);
        QCOMPARE(twips(1440), 96);
    }
    void init() { recorder = std::make_unique<RecordingDesktop>(); }
    void cleanup()
    {
        QApplication::closeAllWindows();
        recorder.reset();
    }

    // --- fonts ---

    void verdanaOrItsSubstitute_data()
    {
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bold");
        QTest::newRow("8.25") << 8.25 << false;
        QTest::newRow("8.25 bold") << 8.25 << true;
        QTest::newRow("9 bold") << 9.0 << true;
        QTest::newRow("9.75 bold") << 9.75 << true;
        QTest::newRow("11.25 bold") << 11.25 << true;
        QTest::newRow("14.25 bold") << 14.25 << true;
    }

    void verdanaOrItsSubstitute()
    {
        QFETCH(double, points);
        QFETCH(bool, bold);
        const bool haveVerdana = QFontDatabase::families().contains(QStringLiteral("Verdana"));
        const QString expected = haveVerdana ? QStringLiteral("Verdana") : QString::fromLatin1(Look::verdanaSubstitute);
        QVERIFY2(QFontDatabase::families().contains(expected), qPrintable(expected + QStringLiteral(" is not installed")));

        const QFontInfo info(Look::verdana(points, bold));
        QCOMPARE(info.family(), expected);
        QCOMPARE(info.bold(), bold);
        // Point sizes become whole pixels at 96 dpi: 8.25 pt is 11 px.
        QCOMPARE(info.pixelSize(), qRound(points * 96.0 / 72.0));
    }

    void everyControlUsesTheScreenFont_data()
    {
        QTest::addColumn<int>("screen");
        QTest::newRow("main input screen") << int(Window::Main);
        QTest::newRow("result screen") << int(Window::Result);
        QTest::newRow("time zone picker") << int(Window::Picker);
        QTest::newRow("about box") << int(Window::About);
        QTest::newRow("comparison") << int(Window::Comparison);
        QTest::newRow("help window") << int(Window::Help);
        QTest::newRow("moon calendar") << int(Window::MoonCalendar);
    }

    void everyControlUsesTheScreenFont()
    {
        QFETCH(int, screen);
        const std::unique_ptr<QWidget> window = openScreen(Window(screen));
        const QString verdana = QFontInfo(Look::verdana(8.25)).family();
        QStringList others;
        for (const QWidget *widget : shownWidgets(window.get())) {
            const QString family = QFontInfo(widget->font()).family();
            if (family != verdana)
                others.append(describe(widget) + QStringLiteral(": ") + family);
        }
        QVERIFY2(others.isEmpty(), qPrintable(others.join(u'\n')));
    }

    // --- captions ---

    void captionsFitTheirControls_data() { everyControlUsesTheScreenFont_data(); }

    void captionsFitTheirControls()
    {
        QFETCH(int, screen);
        // The result screen and the comparison with each reading, since their values differ.
        const bool eachReading = Window(screen) == Window::Result || Window(screen) == Window::Comparison;
        const int readings = eachReading ? nakshatraRowCount : 1;
        for (int row = 0; row < readings; ++row) {
            const std::unique_ptr<QWidget> window = openScreen(Window(screen), row);
            QVERIFY(QTest::qWaitForWindowExposed(window.get()));
            const QStringList problems = captionProblems(window.get());
            QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
        }
    }

    void numberBoxesShowTheirLongestValue_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("value");
        QTest::newRow("latitude degrees") << "txtLatD" << "90";
        QTest::newRow("latitude minutes") << "txtLatM" << "59";
        QTest::newRow("longitude degrees") << "txtLonD" << "180";
        QTest::newRow("longitude minutes") << "txtLonM" << "59";
        // The picker writes signed values the keyboard can't type.
        QTest::newRow("zone hours") << "txtZoneHour" << "-13";
        QTest::newRow("zone minutes") << "txtZoneMinute" << "-30";
    }

    void numberBoxesShowTheirLongestValue()
    {
        QFETCH(QString, box);
        QFETCH(QString, value);
        frmMain screen;
        screen.show();
        auto *edit = screen.findChild<QLineEdit *>(box);
        QVERIFY(edit);
        edit->setText(value);
        QVERIFY2(edit->fontMetrics().horizontalAdvance(value) <= lineEditTextWidth(edit),
                 qPrintable(QStringLiteral("needs %1, has %2")
                                .arg(edit->fontMetrics().horizontalAdvance(value))
                                .arg(lineEditTextWidth(edit))));
    }
};

QTEST_MAIN(TestDesktopFit)
#include "test_desktopfit.moc"
