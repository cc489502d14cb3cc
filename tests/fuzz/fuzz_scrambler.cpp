// The scrambler that the saved reading file and the settings store use.
#include "FuzzInput.h"
#include "mansions/modRTB.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = utf16FromBytes(data, size);
    const QString scrambled = scrambleText(text);
    const QString unscrambled = unscrambleText(text);
    FUZZ_CHECK(scrambled.size() <= text.size());
    FUZZ_CHECK(unscrambled.size() <= text.size());

    // Every scrambled text is storable as single bytes and comes back whole.
    const QByteArray bytes = toSingleByte(scrambled);
    FUZZ_CHECK(bytes.size() == scrambled.size());
    FUZZ_CHECK(fromSingleByte(bytes) == scrambled);

    // Single-byte texts whose codes stay within 0..170 survive the round trip.
    const QByteArray raw(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    QByteArray low;
    for (char c : raw)
        if (static_cast<unsigned char>(c) <= 170)
            low.append(c);
    const QString lowText = fromSingleByte(low);
    if (lowText.size() <= 32767)
        FUZZ_CHECK(unscrambleText(scrambleText(lowText)) == lowText);
    return 0;
}
