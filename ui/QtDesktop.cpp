// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/Desktop.h"

#include "ui/AtlasWindowLoader.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace {

// A file dialog whose Save gives every chosen name the suffix before it
// checks for a file to replace: "b.txt" becomes "b.txt.qvr", and the question
// about replacing a file names the one that will be written. (Qt adds its
// default suffix only to a name without any extension.) A desktop's native
// save dialog would not call accept() here, so saving uses Qt's own.
class FileDialog final : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override
    {
        const QStringList chosen = selectedFiles();
        const QString suffix = defaultSuffix();
        if (acceptMode() == AcceptSave && chosen.size() == 1 && !suffix.isEmpty() && !chosen.first().endsWith(suffix))
            selectFile(chosen.first() + u'.' + suffix);
        QFileDialog::accept();
    }
};

class QtDesktop final : public Desktop {
public:
    MessageAnswer showMessage(QWidget *parent, MessageIcon icon, const QString &text, bool yesNo) override
    {
        QMessageBox box(iconOf(icon), QString::fromUtf8(Messages::applicationTitle), text,
                        yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent);
        // A message's text can be selected and copied, an address among it.
        box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        const int answer = box.exec();
        if (!yesNo)
            return MessageAnswer::Ok;
        return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    }

    void showDetailedMessage(QWidget *parent, MessageIcon icon, const QString &text, const QString &details) override
    {
        QMessageBox box(iconOf(icon), QString::fromUtf8(Messages::applicationTitle), text, QMessageBox::Ok, parent);
        box.setDetailedText(details);
        box.exec();
    }

    std::optional<QString> chooseFile(QWidget *parent, const FileDialogRequest &request) override
    {
        FileDialog dialog(parent, request.title, QString(), request.filter);
        const bool saving = request.mode == FileDialogRequest::Mode::Save;
        if (saving)
            dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        dialog.setDefaultSuffix(request.defaultSuffix);
        if (!request.folder.isEmpty())
            dialog.setDirectory(request.folder);
        if (saving && !request.fileName.isEmpty())
            dialog.selectFile(request.fileName);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().constFirst();
    }

    bool choosePrinter(QWidget *parent, QPrinter &printer) override
    {
        QPrintDialog dialog(&printer, parent);
        // A reading is one page: there is no range or selection to choose.
        dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
        return dialog.exec() == QDialog::Accepted;
    }

    bool openUrl(const QUrl &url) override { return QDesktopServices::openUrl(url); }

    void clearClipboard() override
    {
        if (QClipboard *clipboard = QGuiApplication::clipboard())
            clipboard->clear();
    }

    void copyText(const QString &text) override
    {
        if (QClipboard *clipboard = QGuiApplication::clipboard())
            clipboard->setText(text);
    }

    std::optional<ChosenPlace> choosePlace(const PlaceQuery &query) override
    {
        const AtlasWindowRun ran = runAtlasWindow(query, atlasWindowFolders());
        if (!ran)
            showMessage(QApplication::activeWindow(), MessageIcon::Warning, ran.why, false);
        return ran ? *ran.value : std::nullopt;
    }

private:
    static QMessageBox::Icon iconOf(MessageIcon icon)
    {
        switch (icon) {
        case MessageIcon::Error: return QMessageBox::Critical;
        case MessageIcon::Information: return QMessageBox::Information;
        case MessageIcon::Warning: return QMessageBox::Warning;
        }
        return QMessageBox::NoIcon;
    }
};

Desktop *installed = nullptr;

} // namespace

Desktop &desktop()
{
    static QtDesktop qtDesktop;
    return installed ? *installed : qtDesktop;
}

void setDesktop(Desktop *replacement)
{
    installed = replacement;
}
