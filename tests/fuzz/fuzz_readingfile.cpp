// SPDX-FileCopyrightText: 2026 The Quorvel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The saved reading file reader, on arbitrary file contents.
#include "FuzzInput.h"
#include "mansions/ReadingFile.h"
#include "mansions/modChineseLunarMansionInformation.h"
#include "mansions/modRTB.h"

#include <QFile>
#include <QTemporaryDir>


namespace {

bool isKnownName(const QString &name)
{
    return findMansionRow(name).has_value();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("fuzz.qvr"));
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(bytes);
    }
    const auto name = readReadingFile(path);
    if (name) {
        // Only one of the 27 names is ever taken as a reading.
        FUZZ_CHECK(!name->isEmpty());
        FUZZ_CHECK(isKnownName(*name));
    }

    // A first line that is exactly a scrambled name, ended by CR, LF or the
    // end of the file, always opens as that name, whatever follows it.
    const qsizetype lineEnd = std::min(bytes.indexOf('\r') < 0 ? bytes.size() : bytes.indexOf('\r'),
                                       bytes.indexOf('\n') < 0 ? bytes.size() : bytes.indexOf('\n'));
    const QString line = fromSingleByte(bytes.left(lineEnd));
    const QString unscrambled = unscrambleText(line);
    if (scrambleText(unscrambled) == line && isKnownName(unscrambled))
        FUZZ_CHECK(name == unscrambled);

    return 0;
}
