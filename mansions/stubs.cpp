// Placeholders until the catalogue, reading and file code land.
#include "mansions/ReadingFile.h"
#include "mansions/Reading.h"
#include "mansions/modChineseLunarMansionInformation.h"
#include "mansions/modRTB.h"

#include <array>

QString positiveTraits(int) { return {}; }
QString negativeTraits(int) { return {}; }
QString picturePath(int) { return {}; }
QString scrambleText(const QString &t) { return t; }
QString unscrambleText(const QString &t) { return t; }
QByteArray toSingleByte(const QString &t) { return t.toLatin1(); }
QString fromSingleByte(const QByteArray &b) { return QString::fromLatin1(b); }
bool hasReadingExtension(const QString &p) { return p.endsWith(QStringLiteral("qvr")); }
bool writeReadingFile(const QString &, const QString &) { return false; }
std::optional<QString> readReadingFile(const QString &) { return std::nullopt; }
