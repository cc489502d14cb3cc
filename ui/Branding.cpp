// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/Branding.h"

#include "ui/BrandingTexts.h"
#include "ui/LinkLabel.h"
#include "ui/Look.h"
#include "ui/WebPages.h"

#include <QFrame>

namespace {

// The co-branding banner; the result screen's caption has one blank before
// "Click" where the main input screen's has four.
QString coBrandCaption(BrandingScreen screen)
{
    const QString gap = screen == BrandingScreen::Main ? QStringLiteral("    ") : QStringLiteral(" ");
    return QStringLiteral("Co-brand this software for your site.  Increase loyalty and traffic to your site. "
                          "Put your site's name &  link here. See \"Help\" for details.")
           + gap + QStringLiteral("Click Here for more info on co-branding.");
}

QString fullBrandCaption()
{
    return QString::fromUtf8(BrandingTexts::fullBrandOffer) + u' ' + QString::fromUtf8(BrandingTexts::moreDetails)
           + u'.';
}

// The top strip's invitation, ending with the board's address.
QString invitationCaption(BrandingScreen screen)
{
    const QString invitation = screen == BrandingScreen::Main
                                   ? QStringLiteral("Visit the Quorvel discussion board at ")
                                   : QStringLiteral("Share your reading on the Quorvel discussion board at ");
    return invitation + webPageDisplayAddress(WebPage::Home);
}

struct BrandingGeometry {
    QRect frame;      // only the size is used: the screen places the frame
    QRect fullBrand;  // inside the frame
    QRect coBrand;
};

BrandingGeometry brandingGeometry(BrandingScreen screen)
{
    if (screen == BrandingScreen::Main)
        return {twipRect(0, 0, 7215, 855), twipRect(120, 165, 6945, 615), twipRect(120, 160, 6945, 615)};
    return {twipRect(0, 0, 7455, 855), twipRect(120, 165, 7215, 615), twipRect(120, 165, 7215, 615)};
}

void paintOpaque(QWidget *widget, const QColor &text)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, Look::black);
    palette.setColor(QPalette::WindowText, text);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// A banner: opaque black with white bold underlined text, so the one in
// front hides the other completely.
LinkLabel *createBanner(QWidget *frame, const char *name, const QString &caption, const QRect &geometry,
                        WebPage page)
{
    auto *banner = new LinkLabel(caption, frame);
    banner->setObjectName(QString::fromLatin1(name));
    banner->setTextFormat(Qt::PlainText);
    banner->setGeometry(geometry);
    banner->setFont(Look::verdana(8.25, true, true));
    banner->setAlignment(Qt::AlignCenter);
    banner->setWordWrap(true);
    paintOpaque(banner, Look::white);
    QObject::connect(banner, &LinkLabel::clicked, banner, [page] { OpenWebPage(page); });
    return banner;
}

} // namespace

BrandingFrame createBrandingFrame(QWidget *parent, BrandingScreen screen)
{
    const BrandingGeometry geometry = brandingGeometry(screen);
    BrandingFrame branding;
    branding.frame = new QFrame(parent);
    branding.frame->setObjectName(QStringLiteral("fraFullBrand"));
    branding.frame->setFrameShape(QFrame::NoFrame);
    branding.frame->resize(geometry.frame.size());
    paintOpaque(branding.frame, Look::white);

    // Created in this order, the co-branding banner lies on top.
    branding.lblFullBrand = createBanner(branding.frame, "lblFullBrand", fullBrandCaption(), geometry.fullBrand,
                                         WebPage::FullBrand);
    branding.lblCobrand = createBanner(branding.frame, "lblCobrand", coBrandCaption(screen), geometry.coBrand,
                                       WebPage::CoBrand);
    branding.lblCobrand->raise();
    return branding;
}

LinkLabel *createTopLinkLabel(QWidget *parent, BrandingScreen screen)
{
    auto *label = new LinkLabel(invitationCaption(screen), parent);
    label->setObjectName(screen == BrandingScreen::Main ? QStringLiteral("Label11") : QStringLiteral("Label61"));
    label->setTextFormat(Qt::PlainText);
    label->resize(screen == BrandingScreen::Main ? twipRect(0, 0, 5040, 435).size() : twipRect(0, 0, 5040, 390).size());
    label->setFont(Look::verdana(8.25, true, true));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Look::orange);
    label->setPalette(palette);
    QObject::connect(label, &LinkLabel::clicked, label, [] { OpenWebPage(WebPage::Home); });
    return label;
}
