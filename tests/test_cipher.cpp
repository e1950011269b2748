#include "core/text_codec.h"
#include "result_files.h"
#include "survey/unit_pc1.h"

#include <QRandomGenerator>
#include <algorithm>
#include <array>
#include <cstdint>
#include <gtest/gtest.h>

using namespace survey;
using testfiles::programKey;

namespace {

// The cipher written out step by step, with its explicit step counter and key words, to
// check the word-wise implementation against.
QByteArray referenceDecrypt(const QByteArray &key, const QByteArray &cipher)
{
    std::array<std::uint8_t, 16> k{};
    for (int n = 0; n < 16 && n < key.size(); ++n)
        k[n] = std::uint8_t(key[n]);
    std::uint16_t w[8] = {}, x = 0, s = 0, i = 0, r = 0;
    auto generator = [&] {
        const std::uint16_t d = std::uint16_t(x + i);
        const std::uint16_t word = w[i];
        const std::uint16_t t = std::uint16_t(d * 20021 + 346 * word);
        x = std::uint16_t(t + s);
        s = std::uint16_t(346 * word);
        w[i] = std::uint16_t(word * 20021 + 1);
        r = std::uint16_t(w[i] ^ x);
        ++i;
    };
    auto nibble = [](char c) { return c >= 'a' && c <= 'p' ? c - 'a' : 0; };
    QByteArray plain;
    for (int pos = 0; pos < int(cipher.size()) - 1; pos += 2) {
        const int b = nibble(cipher[pos]) * 16 + nibble(cipher[pos + 1]);
        w[0] = std::uint16_t(k[0] * 256 + k[1]);
        generator();
        std::uint16_t m = r;
        for (int n = 1; n < 8; ++n) {
            w[n] = std::uint16_t((k[2 * n] * 256 + k[2 * n + 1]) ^ w[n - 1]);
            generator();
            m ^= r;
        }
        i = 0;
        const auto p = std::uint8_t(b ^ ((m >> 8) ^ (m & 255)));
        for (auto &byte : k)
            byte ^= p;
        plain.append(char(p));
    }
    return plain.left(plain.indexOf('\0') < 0 ? plain.size() : plain.indexOf('\0'));
}

QByteArray randomBytes(QRandomGenerator &random, int size, int lowest)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &c : bytes)
        c = char(random.bounded(lowest, 256));
    return bytes;
}

} // namespace

TEST(Pc1Key, IsTheCaptionInWindows1251)
{
    ASSERT_EQ(programKey().size(), 16);
    EXPECT_EQ(programKey(), QByteArray("h7q4n2w\xe6"
                                       "5\xe3\xfc"
                                       "e;851"));
    EXPECT_EQ(pc1KeyBytes(QStringLiteral("abc")), QByteArray("abc") + QByteArray(13, '\0'));
    EXPECT_EQ(pc1KeyBytes(QString()), QByteArray(16, '\0'));
    EXPECT_EQ(pc1KeyBytes(programKeyText() + QStringLiteral("xyz")), programKey());
}

TEST(Pc1, KnownVectors)
{
    const QByteArray clan = textcodec::toWindows1251(QStringLiteral("Клан"));
    EXPECT_EQ(Pc1Encrypt(programKey(), "A"), QByteArray("bl"));
    EXPECT_EQ(Pc1Encrypt(programKey(), "OCAI"), QByteArray("bffibdna"));
    EXPECT_EQ(Pc1Encrypt(programKey(), clan), QByteArray("jaiepchb"));
    EXPECT_EQ(Pc1Decrypt(programKey(), "bl"), QByteArray("A"));
    EXPECT_EQ(Pc1Decrypt(programKey(), "bffibdna"), QByteArray("OCAI"));
    EXPECT_EQ(Pc1Decrypt(programKey(), "jaiepchb"), clan);
}

TEST(Pc1, AgreesWithTheStepByStepCipher)
{
    QRandomGenerator random(12345);
    for (int round = 0; round < 50; ++round) {
        const QByteArray key = randomBytes(random, random.bounded(0, 20), 0);
        // Any characters, letters mostly, of any length, odd ones included.
        QByteArray cipher = randomBytes(random, random.bounded(0, 400), 0);
        for (char &c : cipher)
            if (random.bounded(4) != 0)
                c = char('a' + random.bounded(16));
        ASSERT_EQ(Pc1Decrypt(key, cipher), referenceDecrypt(key, cipher)) << "round " << round;
    }
}

TEST(Pc1, RoundTrips)
{
    QRandomGenerator random(99);
    for (const int size : {1, 2, 17, 1000, 32767}) {
        const QByteArray plain = randomBytes(random, size, 1);
        const QByteArray cipher = Pc1Encrypt(programKey(), plain);
        ASSERT_EQ(cipher.size(), 2 * size);
        EXPECT_TRUE(
            std::all_of(cipher.begin(), cipher.end(), [](char c) { return c >= 'a' && c <= 'p'; }));
        EXPECT_EQ(Pc1Decrypt(programKey(), cipher), plain) << size;
    }
    EXPECT_EQ(Pc1Encrypt(programKey(), {}), QByteArray());
}

TEST(Pc1, ShortTextsAndOddCharacters)
{
    EXPECT_TRUE(Pc1Decrypt(programKey(), {}).isEmpty());
    EXPECT_TRUE(Pc1Decrypt(programKey(), "b").isEmpty());
    EXPECT_TRUE(Pc1Decrypt(programKey(), "p").isEmpty());
    EXPECT_EQ(Pc1Decrypt(programKey(), "blx"), QByteArray("A"));
    EXPECT_EQ(Pc1Decrypt(programKey(), "blp"), QByteArray("A"));
    EXPECT_EQ(Pc1Decrypt(programKey(), "bffibdnaa"), QByteArray("OCAI"));
}

TEST(Pc1, CharactersOutsideAToPCountAsZero)
{
    const QByteArray cipher = Pc1Encrypt(programKey(), "OCAI result");
    QByteArray withA = cipher;
    withA[2] = 'a';
    const QByteArray expected = Pc1Decrypt(programKey(), withA);
    ASSERT_FALSE(expected.isEmpty());
    for (const char other : {'A', 'P', 'q', 'z', '0', ' ', '\r', '\n', '\xe0', '\xff'}) {
        QByteArray changed = cipher;
        changed[2] = other;
        EXPECT_EQ(Pc1Decrypt(programKey(), changed), expected)
            << int(static_cast<unsigned char>(other));
    }
}

TEST(Pc1, TrailingLineBreakAddsOneByte)
{
    const QByteArray plain = "OCAI";
    const QByteArray decrypted = Pc1Decrypt(programKey(), Pc1Encrypt(programKey(), plain) + "\r\n");
    // The CR LF pair is cipher byte 0; its plain byte follows the text unless it is zero.
    EXPECT_TRUE(decrypted.startsWith(plain));
    EXPECT_LE(decrypted.size(), plain.size() + 1);
    EXPECT_EQ(decrypted, Pc1Decrypt(programKey(), Pc1Encrypt(programKey(), plain) + "aa"));
}

TEST(Pc1, LineBreakInsideGarblesTheRest)
{
    const QByteArray plain = "12.03.2026\r\nivn01\r\n";
    const QByteArray cipher = Pc1Encrypt(programKey(), plain);
    const QByteArray broken = cipher.left(8) + "\r\n" + cipher.mid(8);
    const QByteArray decrypted = Pc1Decrypt(programKey(), broken);
    EXPECT_EQ(decrypted.left(4), plain.left(4));
    EXPECT_NE(decrypted.mid(4, 8), plain.mid(4, 8));
}

TEST(Pc1, PlainTextEndsAtItsFirstZeroByte)
{
    EXPECT_EQ(Pc1Decrypt(programKey(), Pc1Encrypt(programKey(), QByteArray("AB\0CD", 5))),
              QByteArray("AB"));
    EXPECT_TRUE(Pc1Decrypt(programKey(), Pc1Encrypt(programKey(), QByteArray(1, '\0'))).isEmpty());
}

TEST(Pc1, CarriesNothingFromOneCallToTheNext)
{
    const QByteArray cipher = Pc1Encrypt(programKey(), "Иванова, отдел логистики");
    const QByteArray first = Pc1Decrypt(programKey(), cipher);
    Pc1Decrypt(programKey(), Pc1Encrypt(programKey(), "something else entirely"));
    EXPECT_EQ(Pc1Decrypt(programKey(), cipher), first);
    EXPECT_EQ(Pc1Encrypt(programKey(), first), cipher);
}

TEST(Pc1, KeyIsZeroFilledAndCutAtSixteenBytes)
{
    const QByteArray cipher = Pc1Encrypt(programKey(), "OCAI result file");
    const QByteArray shortKey = "h7q4";
    EXPECT_EQ(Pc1Decrypt(shortKey, cipher), Pc1Decrypt(shortKey + QByteArray(12, '\0'), cipher));
    EXPECT_EQ(Pc1Decrypt(programKey() + "extra", cipher), Pc1Decrypt(programKey(), cipher));
    EXPECT_NE(Pc1Decrypt(shortKey, cipher), Pc1Decrypt(programKey(), cipher));
    EXPECT_EQ(Pc1Decrypt(pc1KeyBytes(programKeyText() + QStringLiteral("!")), cipher),
              QByteArray("OCAI result file"));
}
