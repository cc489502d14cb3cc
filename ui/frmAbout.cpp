// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/frmAbout.h"

#include "core/Messages.h"
#include "ui/BrandingTexts.h"
#include "ui/Centred.h"
#include "ui/LinkLabel.h"
#include "ui/Look.h"
#include "ui/WebPages.h"

#include <QFrame>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace {

const QString iconPath = QStringLiteral(":/content/icon/quorvel-32.png");

constexpr char description[] =
    "Quorvel gives a detailed report that includes the positive and negative characteristics of people born "
    "with the moon in a particular lunar mansion or birth star according to Chinese Astrology.";
constexpr char homePageInvitation[] = "Click here to visit ";

QLabel *addLabel(QWidget *parent, const char *name, const QString &text, const QRect &geometry,
                 const QColor &colour, const QFont &font, bool wrap = false)
{
    QLabel *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(geometry);
    label->setFont(font);
    label->setWordWrap(wrap);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

LinkLabel *addLink(QWidget *parent, const char *name, const QString &text, const QRect &geometry)
{
    auto *link = new LinkLabel(text, parent);
    link->setObjectName(QString::fromLatin1(name));
    link->setTextFormat(Qt::PlainText);
    link->setGeometry(geometry);
    link->setFont(Look::verdana(8.25, false, true));
    link->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette palette = link->palette();
    palette.setColor(QPalette::WindowText, Look::orange);
    link->setPalette(palette);
    return link;
}

} // namespace

frmAbout::frmAbout(QWidget *parent) : QDialog(parent)
{
    Look::applyScreenPalette(this);

    auto *picture1 = new QLabel(this);
    picture1->setObjectName(QStringLiteral("Picture1"));
    picture1->setGeometry(twipRect(150, 90, 480, 480));
    picture1->setPixmap(QPixmap(iconPath));
    picture1->setAccessibleName(QString::fromUtf8(Messages::applicationTitle));

    addLabel(this, "Label2", QString::fromUtf8(Messages::windowTitle), twipRect(750, 90, 4095, 240), Look::white,
             Look::verdana(9.75, true));
    addLabel(this, "Label1", QString::fromUtf8(description), twipRect(750, 360, 6255, 795), Look::lightOrange,
             Look::verdana(8.25), true);
    m_lblHomePage = addLink(this, "lblHomePage",
                          QString::fromUtf8(homePageInvitation) + webPageDisplayAddress(WebPage::Home),
                          twipRect(2955, 1155, 4050, 195));
    addLabel(this, "Label3", QString::fromUtf8(BrandingTexts::fullBrandOffer), twipRect(120, 1590, 6885, 435),
             Look::white, Look::verdana(8.25, true), true);
    m_lblCoBrand = addLink(this, "lblCoBrand", QString::fromUtf8(BrandingTexts::moreDetails),
                         twipRect(4710, 2025, 2295, 195));

    // An orange rule, 2 pixels thick, running past both edges.
    auto *line1 = new QFrame(this);
    line1->setObjectName(QStringLiteral("Line1"));
    line1->setGeometry(twips(-60), twips(2430), twips(7080 + 60), 2);
    line1->setAutoFillBackground(true);
    QPalette linePalette = line1->palette();
    linePalette.setColor(QPalette::Window, Look::orange);
    line1->setPalette(linePalette);

    m_cmdOK = new QPushButton(QStringLiteral("OK"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setGeometry(twipRect(5745, 2520, 1260, 345));
    m_cmdOK->setFont(Look::verdana(8.25));
    m_cmdOK->setDefault(true);
    m_cmdOK->setAutoDefault(true);
    m_cmdOK->setFocus();

    // The two links follow OK in the tab order; Space or Enter opens them.
    m_lblHomePage->setFocusPolicy(Qt::TabFocus);
    m_lblCoBrand->setFocusPolicy(Qt::TabFocus);
    setTabOrder(m_cmdOK, m_lblHomePage);
    setTabOrder(m_lblHomePage, m_lblCoBrand);

    connect(m_lblHomePage, &LinkLabel::clicked, this, &frmAbout::lblHomePage_Click);
    connect(m_lblCoBrand, &LinkLabel::clicked, this, &frmAbout::lblCoBrand_Click);
    connect(m_cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    setWindowTitle(QString::fromUtf8(Messages::windowTitle));
    setWindowIcon(QIcon(iconPath));
    setFixedSize(twips(7095), twips(2955));
}

void frmAbout::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Centred on the screen rather than over the screen that asked for it.
    centreOnScreen(this, screen());
}

void frmAbout::keyPressEvent(QKeyEvent *event)
{
    // OK is the cancel button too: Escape presses it.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        m_cmdOK->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmAbout::lblHomePage_Click()
{
    OpenWebPage(WebPage::Home);
}

void frmAbout::lblCoBrand_Click()
{
    // Belongs to the full-branding offer above it.
    OpenWebPage(WebPage::FullBrand);
}

void frmAbout::cmdOK_Click()
{
    accept();
}
