// The saved reading file reader, on arbitrary file contents.
#include "FuzzInput.h"
#include "ephemeris/modEphemeris.h"
#include "mansions/ReadingFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("fuzz.qvr"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    }
    const auto name = readReadingFile(path);
    if (name) {
        // Only one of the 27 names is ever taken as a reading.
        FUZZ_CHECK(!name->isEmpty());
        FUZZ_CHECK(std::any_of(nakshatraNames.begin(), nakshatraNames.begin() + 27,
                               [&](const char *known) { return *name == QLatin1String(known); }));
    }
    return 0;
}
