// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/Desktop.h"

#include <QList>
#include <QPrinter>
#include <QStringList>

#include <deque>

// A desktop for tests: records every message, page and search, and answers
// dialogs from queues set up in advance. Installs itself while it lives.
class RecordingDesktop final : public Desktop {
public:
    struct Message {
        MessageIcon icon;
        QString text;
        bool yesNo;
        QString details{};
    };

    RecordingDesktop() { setDesktop(this); }
    ~RecordingDesktop() override { setDesktop(nullptr); }

    MessageAnswer showMessage(QWidget *, MessageIcon icon, const QString &text, bool yesNo) override
    {
        messages.append({icon, text, yesNo});
        if (!yesNo)
            return MessageAnswer::Ok;
        if (answers.empty())
            return MessageAnswer::No;
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    void showDetailedMessage(QWidget *, MessageIcon icon, const QString &text, const QString &details) override
    {
        messages.append({icon, text, false, details});
    }

    std::optional<QString> chooseFile(QWidget *, const FileDialogRequest &request) override
    {
        fileRequests.append(request);
        if (fileNames.empty())
            return std::nullopt;
        const std::optional<QString> name = fileNames.front();
        fileNames.pop_front();
        return name;
    }

    // Answers the print dialog from `printerAnswers`: a file name sends the
    // page there as PDF, nothing cancels.
    bool choosePrinter(QWidget *, QPrinter &printer) override
    {
        ++printDialogs;
        if (printerAnswers.empty())
            return false;
        const std::optional<QString> answer = printerAnswers.front();
        printerAnswers.pop_front();
        if (!answer)
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(*answer);
        return true;
    }

    // Records the address; no browser takes it while `browserMissing` is set.
    bool openUrl(const QUrl &url) override { openedUrls.append(url); return !browserMissing; }
    void clearClipboard() override { ++clipboardClears; }
    void copyText(const QString &text) override { copiedTexts.append(text); }
    // Records the query, and answers with the next of `places` (nothing
    // chosen when none is left).
    std::optional<ChosenPlace> choosePlace(const PlaceQuery &query) override
    {
        queries.append(query);
        if (places.empty())
            return std::nullopt;
        const std::optional<ChosenPlace> place = places.front();
        places.pop_front();
        return place;
    }

    QDateTime now() override { return moment.isValid() ? moment : QDateTime::currentDateTime(); }

    QStringList messageTexts() const
    {
        QStringList texts;
        for (const Message &m : messages)
            texts.append(m.text);
        return texts;
    }

    QList<Message> messages;
    std::deque<MessageAnswer> answers;                 // for Yes/No questions; No when empty
    std::deque<std::optional<QString>> fileNames;      // nullopt = the user cancels
    QList<FileDialogRequest> fileRequests;
    std::deque<std::optional<QString>> printerAnswers;  // nullopt = the user cancels
    int printDialogs = 0;
    QList<QUrl> openedUrls;
    bool browserMissing = false;
    QList<PlaceQuery> queries;
    std::deque<std::optional<ChosenPlace>> places;     // the atlas window's answers, in turn
    int clipboardClears = 0;
    QStringList copiedTexts;
    QDateTime moment;                                  // now, where set
};
