// Placeholders until the shell lands.
#include "app/modHelp.h"
#include "app/modSettings.h"

QUrl webPageUrl(WebPage) { return {}; }
void OpenWebPage(WebPage) {}
void addHelpMenu(QMenuBar *, QWidget *) {}
void showAboutBox(QWidget *) {}
void CoBrand_Randomize(QWidget *, QWidget *) {}
QString ReadSetting(const QString &) { return {}; }
void WriteSetting(const QString &, const QString &) {}
void UpdateReminder() {}
void seedRandomGenerator() {}
void searchCoordinates(QLineEdit *, QLineEdit *, QLineEdit *) {}
