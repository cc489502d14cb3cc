// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/frmHelp.h"

#include "core/Messages.h"
#include "ui/Look.h"
#include "ui/WebPages.h"

#include <QDialogButtonBox>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

constexpr double defaultPointSize = 8.25;
constexpr double pagePointSize = 10;
constexpr int windowWidth = 7800;  // twips
constexpr int windowHeight = 7200; // twips

// Pages are read from the resources content/help/, under their file names.
const char *const helpFolder = "qrc:/content/help/";

} // namespace

QStringList helpPages()
{
    return {QStringLiteral("index.html"),    QStringLiteral("reading.html"),    QStringLiteral("birth.html"),
            QStringLiteral("atlas.html"),    QStringLiteral("comparison.html"), QStringLiteral("calendar.html"),
            QStringLiteral("files.html"),
            QStringLiteral("companion.html")};
}

QUrl helpPageUrl(const QString &page)
{
    return QUrl(QString::fromLatin1(helpFolder) + page);
}

frmHelp::frmHelp(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QString::fromUtf8(Messages::windowTitle));
    setFont(Look::verdana(defaultPointSize));

    m_txtHelp = new QTextBrowser(this);
    m_txtHelp->setObjectName(QStringLiteral("txtHelp"));
    m_txtHelp->setFont(Look::verdana(pagePointSize));
    m_txtHelp->setAccessibleName(QStringLiteral("Help page"));
    // Links are followed here, so that a web address never lands in the
    // browser widget, which shows only the built-in pages.
    m_txtHelp->setOpenLinks(false);
    connect(m_txtHelp, &QTextBrowser::anchorClicked, this, &frmHelp::txtHelp_AnchorClicked);

    auto *buttons = new QDialogButtonBox(this);
    const auto addButton = [&](const char *name, const char *caption, QDialogButtonBox::ButtonRole role) {
        QPushButton *button = buttons->addButton(QString::fromLatin1(caption), role);
        button->setObjectName(QString::fromLatin1(name));
        button->setFont(Look::verdana(defaultPointSize, true));
        button->setAutoDefault(false);
        return button;
    };
    connect(addButton("cmdContents", "&Contents", QDialogButtonBox::ActionRole), &QPushButton::clicked, this,
            [this] { showPage(helpPages().constFirst()); });
    m_cmdBack = addButton("cmdBack", "&Back", QDialogButtonBox::ActionRole);
    m_cmdBack->setEnabled(false);
    connect(m_cmdBack, &QPushButton::clicked, m_txtHelp, &QTextBrowser::backward);
    connect(m_txtHelp, &QTextBrowser::backwardAvailable, m_cmdBack, &QWidget::setEnabled);
    addButton("cmdClose", "C&lose", QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_txtHelp);
    layout->addWidget(buttons);
    resize(twips(windowWidth), twips(windowHeight));
    showPage(helpPages().constFirst());
}

void frmHelp::showPage(const QString &page)
{
    m_txtHelp->setSource(helpPageUrl(page));
}

void frmHelp::txtHelp_AnchorClicked(const QUrl &link)
{
    const QUrl target = m_txtHelp->source().resolved(link);
    if (target.scheme() == QLatin1String("qrc"))
        m_txtHelp->setSource(target);
    else
        openWebAddress(target, this);
}

void showHelp()
{
    // One window however often it is asked for; it lives until closed.
    static QPointer<frmHelp> window;
    if (!window) {
        window = new frmHelp;
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->showPage(helpPages().constFirst());
    window->show();
    window->raise();
    window->activateWindow();
}
