#include "ui/Look.h"

#include <QFontDatabase>
#include <QPalette>
#include <QWidget>

#include <dlfcn.h>
#include <pthread.h>
#include <sched.h>

#include <algorithm>
#include <future>
#include <mutex>
#include <thread>

namespace {

const QString verdanaFamily = QStringLiteral("Verdana");

// The faces the font system tries for Verdana when neither Verdana nor
// verdanaSubstitute is installed. Registered on the user-interface thread
// before any font is looked up: Qt's list of substitutions has no lock.
void registerVerdanaSubstitutes()
{
    static const bool registered = [] {
        // Bitstream Vera Sans, DejaVu Sans's forerunner, where only it is installed.
        QFont::insertSubstitutions(verdanaFamily,
                                   {QString::fromLatin1(Look::verdanaSubstitute), QStringLiteral("Bitstream Vera Sans")});
        return true;
    }();
    Q_UNUSED(registered);
}

// A family counts as installed also where the font database names it by
// foundry ("Verdana [Monotype]").
bool isInstalled(const QStringList &families, const QString &family)
{
    const QString withFoundry = family + QStringLiteral(" [");
    return std::any_of(families.cbegin(), families.cend(), [&](const QString &installed) {
        return installed.compare(family, Qt::CaseInsensitive) == 0
               || installed.startsWith(withFoundry, Qt::CaseInsensitive);
    });
}

QString findScreenFontFamily()
{
    const QStringList families = QFontDatabase::families();
    if (isInstalled(families, verdanaFamily))
        return verdanaFamily;
    const QString substitute = QString::fromLatin1(Look::verdanaSubstitute);
    if (isInstalled(families, substitute))
        return substitute;
    return verdanaFamily;
}

// The family being found by a FontSetUpAhead, once it may use Qt's fonts.
std::mutex familyAheadMutex;
std::shared_future<QString> familyAhead;

// Reads the font configuration as Qt's font database does first of all, by
// the font configuration library's own set-up call. It is looked up among
// the libraries Qt has loaded, so the program needs neither the library's
// headers nor a link of its own; without it there is nothing to do ahead.
void readFontConfiguration()
{
    using FcInitFunction = int (*)();
    if (const auto fcInit = reinterpret_cast<FcInitFunction>(dlsym(RTLD_DEFAULT, "FcInit")))
        fcInit();
}

// Puts the calling thread in the scheduling class that runs only when a
// processor would otherwise be idle: a thread of the user interface or the
// display server that wakes up takes the processor at once. Where the system
// refuses, the thread keeps its normal priority.
void useSpareProcessorTimeOnly()
{
    const sched_param noPriority{};
    pthread_setschedparam(pthread_self(), SCHED_IDLE, &noPriority);
}

} // namespace

namespace Look {

struct FontSetUpAhead::Worker {
    std::promise<bool> applicationReady;
    std::shared_future<QString> family;
    bool released = false;
    std::thread configurationReader;
    std::thread familyFinder;
};

FontSetUpAhead::FontSetUpAhead() : worker(std::make_unique<Worker>())
{
    std::promise<QString> found;
    worker->family = found.get_future().share();
    try {
        // Nothing waits for the reader: Qt's font database reads the
        // configuration itself if it gets there first (the library keeps
        // whichever copy is finished first), so the reader may run on spare
        // processor time only and never slows the start-up it overlaps.
        worker->configurationReader = std::thread([] {
            useSpareProcessorTimeOnly();
            readFontConfiguration();
        });
        worker->familyFinder = std::thread(
            [ready = worker->applicationReady.get_future(), found = std::move(found)]() mutable {
                QString family;
                try {
                    if (ready.get())
                        family = findScreenFontFamily();
                } catch (...) {
                    // The user-interface thread looks for itself.
                }
                found.set_value(family);
            });
    } catch (const std::system_error &) {
        // No second thread: the fonts are set up on first use, as without this.
    }
}

FontSetUpAhead::~FontSetUpAhead()
{
    finish();
}

void FontSetUpAhead::applicationReady()
{
    if (worker->released || !worker->familyFinder.joinable())
        return;
    registerVerdanaSubstitutes();
    {
        const std::lock_guard lock(familyAheadMutex);
        familyAhead = worker->family;
    }
    worker->released = true;
    worker->applicationReady.set_value(true);
}

void FontSetUpAhead::finish()
{
    if (worker->familyFinder.joinable()) {
        if (!worker->released) {
            worker->released = true;
            worker->applicationReady.set_value(false);
        }
        worker->familyFinder.join();
    }
    if (worker->configurationReader.joinable())
        worker->configurationReader.join();
}

QString screenFontFamily()
{
    static const QString family = [] {
        registerVerdanaSubstitutes();
        std::shared_future<QString> ahead;
        {
            const std::lock_guard lock(familyAheadMutex);
            ahead = familyAhead;
        }
        const QString found = ahead.valid() ? ahead.get() : QString();
        return found.isEmpty() ? findScreenFontFamily() : found;
    }();
    return family;
}

QFont verdana(double pointSize, bool bold, bool underline)
{
    QFont font(screenFontFamily());
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

void applyScreenPalette(QWidget *widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, black);
    palette.setColor(QPalette::WindowText, orange);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace Look
