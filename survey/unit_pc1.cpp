#include "survey/unit_pc1.h"

#include "core/text_codec.h"

#include <array>
#include <cstdint>

namespace survey {

namespace {

constexpr int kKeyBytes = 16;
constexpr int kKeyWords = kKeyBytes / 2;

// The running state of one encryption or decryption. The working key is kept as its eight
// big-endian words: XOR-ing every key byte with a plain byte p is XOR-ing every word with
// p * 0x0101, which is all the cipher ever does to it.
class Pc1State {
public:
    explicit Pc1State(const QByteArray &key16)
    {
        for (int k = 0; k < kKeyWords; ++k)
            m_key[k] = std::uint16_t(byteAt(key16, 2 * k) << 8 | byteAt(key16, 2 * k + 1));
    }

    // One keystream byte from the current working key; advances the carried words.
    // The words are 16-bit; they are computed in 32 bits and cut only where the high bits
    // would show, since the low 16 bits of sums, products and XORs depend on low bits only.
    std::uint8_t keystreamByte()
    {
        std::uint32_t x = m_x, s = m_s, w = 0, m = 0;
        for (std::uint32_t i = 0; i < kKeyWords; ++i) {
            // Each key word is mixed with the word the previous generator step stored.
            w ^= m_key[i];
            x = (x + i) * 20021u + 346u * w + s;
            s = 346u * w;
            w = w * 20021u + 1u;
            m ^= w ^ x;
        }
        m_x = std::uint16_t(x);
        m_s = std::uint16_t(s);
        return std::uint8_t((m >> 8) ^ m);
    }

    // Every plain byte feeds back into the whole working key.
    void feedBack(std::uint8_t plain)
    {
        const auto mask = std::uint16_t(plain * 0x0101u);
        for (auto &word : m_key)
            word ^= mask;
    }

private:
    static unsigned byteAt(const QByteArray &bytes, int i)
    {
        return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0u;
    }

    std::array<std::uint16_t, kKeyWords> m_key{};
    std::uint16_t m_x = 0; // sum word
    std::uint16_t m_s = 0; // carry word
};

// 'a'..'p' stand for 0..15; every other character for 0.
constexpr std::array<std::uint8_t, 256> makeNibbleTable()
{
    std::array<std::uint8_t, 256> table{};
    for (int c = 'a'; c <= 'p'; ++c)
        table[std::size_t(c)] = std::uint8_t(c - 'a');
    return table;
}
constexpr std::array<std::uint8_t, 256> kNibble = makeNibbleTable();

} // namespace

QByteArray pc1KeyBytes(const QString &keyText)
{
    QByteArray key = textcodec::toWindows1251(keyText.left(kKeyBytes));
    key.append(kKeyBytes - key.size(), '\0');
    return key;
}

QByteArray Pc1Decrypt(const QByteArray &key16, const QByteArray &cipherText)
{
    Pc1State state(key16);
    const auto *in = reinterpret_cast<const unsigned char *>(cipherText.constData());
    const qsizetype pairs = cipherText.size() / 2;
    QByteArray plain(pairs, Qt::Uninitialized);
    char *out = plain.data();
    qsizetype produced = 0;
    for (; produced < pairs; ++produced) {
        const auto b = std::uint8_t(kNibble[in[0]] << 4 | kNibble[in[1]]);
        in += 2;
        const auto p = std::uint8_t(b ^ state.keystreamByte());
        if (p == 0)
            break; // the plain text ends at its first zero byte
        state.feedBack(p);
        out[produced] = char(p);
    }
    plain.truncate(produced);
    return plain;
}

QByteArray Pc1Encrypt(const QByteArray &key16, const QByteArray &plain)
{
    Pc1State state(key16);
    QByteArray letters(plain.size() * 2, Qt::Uninitialized);
    char *out = letters.data();
    for (const char ch : plain) {
        const auto p = static_cast<std::uint8_t>(ch);
        const std::uint8_t b = p ^ state.keystreamByte();
        state.feedBack(p);
        *out++ = char('a' + (b >> 4));
        *out++ = char('a' + (b & 15));
    }
    return letters;
}

QString programKeyText()
{
    return QStringLiteral("h7q4n2wж5гьe;851");
}

QByteArray programKey()
{
    return pc1KeyBytes(programKeyText());
}

} // namespace survey
