#include "ui/Desktop.h"

#include "ui/WebSearchLoader.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace {

class QtDesktop final : public Desktop {
public:
    MessageAnswer showMessage(QWidget *parent, MessageIcon icon, const QString &text, bool yesNo) override
    {
        QMessageBox box(iconOf(icon), QString::fromUtf8(Messages::applicationTitle), text,
                        yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent);
        const int answer = box.exec();
        if (!yesNo)
            return MessageAnswer::Ok;
        return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    }

    std::optional<QString> chooseFile(QWidget *parent, const FileDialogRequest &request) override
    {
        QFileDialog dialog(parent, request.title, QString(), request.filter);
        const bool saving = request.mode == FileDialogRequest::Mode::Save;
        dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        dialog.setDefaultSuffix(request.defaultSuffix);
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

    void openUrl(const QUrl &url) override { QDesktopServices::openUrl(url); }

    void clearClipboard() override
    {
        if (QClipboard *clipboard = QGuiApplication::clipboard())
            clipboard->clear();
    }

    void webSearch(const QString &query, const QString &site) override
    {
        runWebSearchPlugin(query, site, webSearchPluginFolders());
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
