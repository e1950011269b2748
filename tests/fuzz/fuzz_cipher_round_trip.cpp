// Plain text through encryption and back: with the program's key and with a key taken from
// the input, the letters decrypt to the text up to its first zero byte. The Windows-1251
// conversion of the text is checked the same way.
#include "core/text_codec.h"
#include "fuzz_check.h"
#include "survey/unit_pc1.h"

#include <cstdint>

using namespace survey;

namespace {

void checkRoundTrip(const QByteArray &key, const QByteArray &plain)
{
    const QByteArray letters = Pc1Encrypt(key, plain);
    FUZZ_CHECK(letters.size() == 2 * plain.size());
    for (const char letter : letters)
        FUZZ_CHECK(letter >= 'a' && letter <= 'p');
    const qsizetype zero = plain.indexOf('\0');
    FUZZ_CHECK(Pc1Decrypt(key, letters) == (zero < 0 ? plain : plain.left(zero)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    static const QByteArray key = programKey();
    checkRoundTrip(key, bytes);
    checkRoundTrip(bytes.left(16), bytes.mid(16));

    // Every byte but the one unassigned (0x98) has its character and comes back.
    QByteArray expected = bytes;
    expected.replace('\x98', '?');
    const QString text = textcodec::fromWindows1251(bytes);
    FUZZ_CHECK(text.size() == bytes.size());
    FUZZ_CHECK(textcodec::toWindows1251(text) == expected);
    return 0;
}
