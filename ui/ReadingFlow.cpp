// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/ReadingFlow.h"

#include "core/Messages.h"
#include "core/Reading.h"
#include "core/ReadingPair.h"
#include "core/SavedReading.h"
#include "mansions/ReadingFile.h"
#include "ui/Centred.h"
#include "ui/Desktop.h"
#include "ui/RecentReadings.h"
#include "ui/Screen.h"
#include "ui/Session.h"
#include "ui/frmChineseLunarMansionResult.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const char *const readingFileFilter = "Quorvel (*.qvr)";
const char *const readingFileSuffix = "qvr";
const char *const openDialogTitle = "Select the source file";

void showFileMessage(QWidget *parent, MessageIcon icon, const char *text)
{
    desktop().showMessage(parent, icon, QString::fromUtf8(text));
}

// Puts the reading at `path` at the top of Open Recent.
void rememberReadingAt(const QString &path, const Reading &reading)
{
    rememberReading({QFileInfo(path).absoluteFilePath(), reading.birth ? reading.birth->name : QString()});
}

} // namespace

QString readingDialogFolder(const Session &session)
{
    if (!session.readingFolder().isEmpty())
        return session.readingFolder();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QString proposedReadingFileName(const Session &session, const QString &suffix)
{
    return session.reading() ? readingFileStem(*session.reading()) + u'.' + suffix : QString();
}

void presentReading(const Reading &reading, const std::shared_ptr<Session> &session, QWidget *screen)
{
    presentReading(reading, BirthPlace{}, session, screen);
}

void presentReading(const Reading &reading, const BirthPlace &place, const std::shared_ptr<Session> &session,
                    QWidget *screen)
{
    auto *result = new frmChineseLunarMansionResult(session);
    result->setReading(reading, place);
    showCentred(result);
    if (auto *replaced = qobject_cast<Screen *>(screen))
        replaced->closeByProgram();
    else if (screen)
        screen->close();
}

namespace {

// The reading saved at `path`, or "Please Check The File." with the path
// and why as its details for a path that holds none (no extension, a
// folder, unreadable, not one of the names). The dialogs start in the
// folder of a reading that opened.
std::optional<OpenedReading> readReading(const QString &path, Session &session, QWidget *parent)
{
    ReadingFileProblem problem = ReadingFileProblem::NotAReading;
    std::optional<OpenedReading> opened = hasReadingExtension(path) ? openReading(path, &problem) : std::nullopt;
    if (!opened) {
        desktop().showDetailedMessage(parent, MessageIcon::Warning, QString::fromUtf8(Messages::checkFile),
                                      unreadableReason(path, problem) + u'.');
        return std::nullopt;
    }
    session.setReadingFolder(QFileInfo(path).absolutePath());
    rememberReadingAt(path, opened->reading);
    return opened;
}

// The Open dialog; the chosen path, or nothing after a cancel.
std::optional<QString> chooseReadingFile(const Session &session, QWidget *parent, const QString &title)
{
    const FileDialogRequest request{FileDialogRequest::Mode::Open, title,
                                    QString::fromUtf8(readingFileFilter), QString::fromUtf8(readingFileSuffix),
                                    readingDialogFolder(session)};
    std::optional<QString> path = desktop().chooseFile(parent, request);
    if (path && path->isEmpty())
        return std::nullopt;
    return path;
}

} // namespace

bool openReadingFile(const QString &path, const std::shared_ptr<Session> &session, QWidget *screen)
{
    const std::optional<OpenedReading> opened = readReading(path, *session, screen);
    if (opened)
        presentReading(opened->reading, opened->place, session, screen);
    return opened.has_value();
}

void openSavedReading(const std::shared_ptr<Session> &session, QWidget *mainScreen)
{
    if (const std::optional<QString> path = chooseReadingFile(*session, mainScreen, QString::fromUtf8(openDialogTitle)))
        openReadingFile(*path, session, mainScreen);
}

std::optional<Reading> chooseSavedReading(Session &session, QWidget *parent, const QString &title)
{
    const std::optional<QString> path = chooseReadingFile(session, parent, title);
    const std::optional<OpenedReading> opened = path ? readReading(*path, session, parent) : std::nullopt;
    return opened ? std::optional<Reading>(opened->reading) : std::nullopt;
}

void saveReading(Session &session, QWidget *resultScreen)
{
    if (!session.reading())
        return;
    const FileDialogRequest request{
        FileDialogRequest::Mode::Save,        QString::fromUtf8(Messages::applicationTitle),
        QString::fromUtf8(readingFileFilter), QString::fromUtf8(readingFileSuffix),
        readingDialogFolder(session),         proposedReadingFileName(session, QString::fromUtf8(readingFileSuffix))};
    const std::optional<QString> path = desktop().chooseFile(resultScreen, request);
    if (!path || path->isEmpty())
        return;
    // Open takes only names ending in the extension: a name chosen with
    // another one ("b.txt") gets it added, so the reading opens again.
    const QString target = hasReadingExtension(*path) ? *path : *path + u'.' + QString::fromUtf8(readingFileSuffix);
    if (saveReading(target, *session.reading(), session.birthPlace())) {
        session.setReadingFolder(QFileInfo(target).absolutePath());
        rememberReadingAt(target, *session.reading());
        // A reading without a person's name goes by its file's name from now on.
        Reading saved = *session.reading();
        saved.sourcePath = target;
        session.setReading(saved, session.birthPlace());
    } else
        showFileMessage(resultScreen, MessageIcon::Error, Messages::unableToSave);
}
