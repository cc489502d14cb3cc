// Placeholders until the traits texts and pictures land.
#include "mansions/modChineseLunarMansionInformation.h"

QString positiveTraits(int) { return {}; }
QString negativeTraits(int) { return {}; }
QString picturePath(int) { return {}; }
