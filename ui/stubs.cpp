// Placeholders until the screens and the shell land.
#include "ui/Branding.h"
#include "ui/LinkLabel.h"
#include "ui/ReadingFlow.h"

#include <QFrame>

BrandingFrame createBrandingFrame(QWidget *parent, BrandingScreen)
{
    BrandingFrame branding;
    branding.frame = new QFrame(parent);
    branding.lblFullBrand = new LinkLabel(QString(), branding.frame);
    branding.lblCobrand = new LinkLabel(QString(), branding.frame);
    return branding;
}

LinkLabel *createTopLinkLabel(QWidget *parent, BrandingScreen)
{
    return new LinkLabel(QString(), parent);
}

void presentReading(const QString &, QWidget *) {}
void openSavedReading(QWidget *) {}
void saveReading(QWidget *) {}
