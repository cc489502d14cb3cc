#include "ui/ReadingFlow.h"

#include "core/BirthTimeSpan.h"
#include "core/Messages.h"
#include "core/Pipeline.h"
#include "ephemeris/modEphemeris.h"
#include "mansions/Reading.h"
#include "mansions/ReadingFile.h"
#include "ui/Centred.h"
#include "ui/Desktop.h"
#include "ui/Screen.h"
#include "ui/frmChineseLunarMansionResult.h"

#include <QLabel>
#include <QPointer>

namespace {

const char *const readingFileFilter = "Quorvel (*.qvr)";
const char *const readingFileSuffix = "qvr";
const char *const openDialogTitle = "Select the source file";

// The result screen's slots as showMansionReading sees them.
class ResultScreenView final : public ReadingView {
public:
    ResultScreenView(frmChineseLunarMansionResult *screen, QWidget *mainScreen)
        : screen(screen), mainScreen(mainScreen)
    {
    }

    void setResult(int index, const QString &text) override { screen->setResult(index, text); }
    void setTraits(int index, const QString &text) override { screen->setTraits(index, text); }
    void setPicture(int entryNumber) override { screen->setPicture(entryNumber); }
    void showScreen() override { showCentred(screen); }

    void closeMainScreen() override
    {
        if (!mainScreen)
            return;
        if (auto *main = qobject_cast<Screen *>(mainScreen.data()))
            main->closeByProgram();
        else
            mainScreen->close();
    }

private:
    frmChineseLunarMansionResult *screen;
    QPointer<QWidget> mainScreen;
};

// The sentence about the birth's span, only when it speaks of the nakshatra on
// display: a calculation that stopped early shows the name an earlier one
// left, which this birth's span would contradict.
QString birthTimeTooltip(const BirthData &birth, const QString &shownName)
{
    const std::optional<BirthTimeSpan> span = computeBirthTimeSpan(birth);
    if (!span || nakshatraName(span->nakshatraIndex) != shownName)
        return QString();
    return birthTimeSpanText(*span);
}

// The tooltip as rich text, which wraps, at most as wide as `window`: as plain
// text it is one line as long as its words, about twice the result screen's
// width, and cut off on a small screen.
QString wrappedTooltip(const QString &text, const QWidget *window)
{
    if (text.isEmpty())
        return text;
    // The table sets the width the text wraps at; a tenth of the window is
    // left for the tooltip's own frame and margins.
    return QStringLiteral("<table width=\"%1\"><tr><td>%2</td></tr></table>")
        .arg(window->width() * 9 / 10)
        .arg(text.toHtmlEscaped());
}

void showFileMessage(QWidget *parent, MessageIcon icon, const char *text)
{
    desktop().showMessage(parent, icon, QString::fromUtf8(text));
}

} // namespace

void presentReading(const QString &nakshatraName, QWidget *mainScreen, const BirthData *birth)
{
    auto *screen = new frmChineseLunarMansionResult;
    if (birth)
        screen->lblResult(6)->setToolTip(
            wrappedTooltip(birthTimeTooltip(*birth, nakshatraName), screen->centralWidget()));
    ResultScreenView view(screen, mainScreen);
    showMansionReading(nakshatraName, view);
}

void openSavedReading(QWidget *mainScreen)
{
    const FileDialogRequest request{FileDialogRequest::Mode::Open, QString::fromUtf8(openDialogTitle),
                                    QString::fromUtf8(readingFileFilter), QString::fromUtf8(readingFileSuffix)};
    const std::optional<QString> path = desktop().chooseFile(mainScreen, request);
    if (!path || path->isEmpty())
        return;
    if (!hasReadingExtension(*path)) {
        showFileMessage(mainScreen, MessageIcon::Warning, Messages::checkFile);
        return;
    }
    // A file that holds no reading (unreadable, empty, not one of the names)
    // gets the same message; the main input screen stays as it was.
    const std::optional<QString> name = readReadingFile(*path);
    if (!name) {
        showFileMessage(mainScreen, MessageIcon::Warning, Messages::checkFile);
        return;
    }
    currentNakshatraName() = *name;
    presentReading(currentNakshatraName(), mainScreen);
}

void saveReading(QWidget *resultScreen)
{
    const FileDialogRequest request{FileDialogRequest::Mode::Save, QString::fromUtf8(Messages::applicationTitle),
                                    QString::fromUtf8(readingFileFilter), QString::fromUtf8(readingFileSuffix)};
    const std::optional<QString> path = desktop().chooseFile(resultScreen, request);
    if (!path || path->isEmpty())
        return;
    // Open takes only names ending in the extension: a name chosen with
    // another one ("b.txt") gets it added, so the reading opens again.
    const QString target = hasReadingExtension(*path) ? *path : *path + u'.' + QString::fromUtf8(readingFileSuffix);
    if (!writeReadingFile(target, currentNakshatraName()))
        showFileMessage(resultScreen, MessageIcon::Error, Messages::unableToSave);
}
