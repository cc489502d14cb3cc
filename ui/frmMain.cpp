#include "ui/frmMain.h"

#include "core/Messages.h"
#include "core/Validation.h"
#include "ui/LinkLabel.h"

#include <QFrame>

frmMain::frmMain(QWidget *parent) : Screen(parent)
{
    auto *central = new QWidget(this);
    setCentralWidget(central);
    branding = createBrandingFrame(central, BrandingScreen::Main);
    setWindowTitle(QString::fromUtf8(Messages::windowTitle));
}

ScreenInput frmMain::screenInput() const { return {}; }
bool frmMain::validateInput() { return false; }
void frmMain::cmdCalculate_Click() {}
void frmMain::cmdBrowser_Click() {}
void frmMain::cmdOpen_Click() {}
void frmMain::lblTZHelp_Click() {}
bool frmMain::eventFilter(QObject *watched, QEvent *event) { return Screen::eventFilter(watched, event); }
void frmMain::createMenus() {}
void frmMain::createControls(QWidget *) {}
void frmMain::createInputFrame(QFrame *) {}
void frmMain::createZoneFrame(QFrame *) {}
void frmMain::createCoordinateFrames(QFrame *) {}
void frmMain::connectControls() {}
void frmMain::setFocusOrder() {}
void frmMain::Form_Load() {}
void frmMain::focusBox(InputBox) {}
