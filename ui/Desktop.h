// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/Messages.h"
#include "places/ChosenPlace.h"

#include <QDateTime>
#include <QString>
#include <QUrl>

#include <optional>

class QPrinter;
class QWidget;

// A file dialog's settings, as the command that shows it prepares them.
struct FileDialogRequest {
    enum class Mode { Open, Save };
    Mode mode = Mode::Open;
    QString title;
    QString filter;         // Qt form, e.g. "Quorvel (*.qvr)"
    QString defaultSuffix;  // added when the user types a name without one
    QString folder{};       // where the dialog starts; empty: wherever the toolkit chooses
    QString fileName{};     // the name a Save dialog proposes; may be empty
};

enum class MessageAnswer { Ok, Yes, No };

// Every call that would block or leave the program: message boxes, file
// dialogs, the browser, the clipboard and the atlas window. The
// program uses the Qt implementation; tests install a recording one.
class Desktop {
public:
    virtual ~Desktop() = default;
    // A modal message titled "Quorvel"; OK only, or Yes and No.
    virtual MessageAnswer showMessage(QWidget *parent, MessageIcon icon, const QString &text,
                                      bool yesNo = false) = 0;
    // An OK message with `details` behind the box's "Show Details..."; a
    // desktop that can't show them shows the text alone.
    virtual void showDetailedMessage(QWidget *parent, MessageIcon icon, const QString &text,
                                     const QString & /*details*/)
    {
        showMessage(parent, icon, text);
    }
    // The chosen path, or nothing when the user cancels.
    virtual std::optional<QString> chooseFile(QWidget *parent, const FileDialogRequest &request) = 0;
    // The print dialog for `printer`, which it sets up as the user chooses;
    // false when the user cancels. A desktop without one cancels.
    virtual bool choosePrinter(QWidget * /*parent*/, QPrinter & /*printer*/) { return false; }
    // Hands the address to the user's browser; false when none took it.
    virtual bool openUrl(const QUrl &url) = 0;
    virtual void clearClipboard() = 0;
    // Puts `text` on the clipboard; a desktop without one copies nothing.
    virtual void copyText(const QString & /*text*/) {}
    // Shows the atlas window for the query; the place the user chose there,
    // or nothing. Where no window can run (none installed, or one refused
    // as unsafe), a message says why.
    virtual std::optional<ChosenPlace> choosePlace(const PlaceQuery &query) = 0;
    // The moment the program takes as now, so that a test can set it.
    virtual QDateTime now() { return QDateTime::currentDateTime(); }
};

// The desktop in use: the Qt one unless a test installed another.
Desktop &desktop();
// Installs `replacement` (not owned); nullptr restores the Qt desktop.
void setDesktop(Desktop *replacement);
