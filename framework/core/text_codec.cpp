#include "text_codec.h"

#include <array>

namespace textcodec {
namespace {

// Code points of the bytes 0x80 to 0xFF; 0 marks the unassigned byte 0x98.
constexpr std::array<char16_t, 64> kHighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
};

int byteFor(char16_t c)
{
    if (c < 0x80)
        return c;
    if (c >= 0x0410 && c <= 0x044F) // А..я occupy 0xC0..0xFF in order
        return 0xC0 + (c - 0x0410);
    for (int i = 0; i < 64; ++i)
        if (kHighHalf[i] == c && c != 0)
            return 0x80 + i;
    return -1;
}

} // namespace

QString fromWindows1251(const QByteArray &bytes)
{
    QString text;
    text.resize(bytes.size());
    QChar *out = text.data();
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        char16_t c;
        if (b < 0x80)
            c = b;
        else if (b >= 0xC0)
            c = char16_t(0x0410 + (b - 0xC0));
        else
            c = kHighHalf[b - 0x80] ? kHighHalf[b - 0x80] : char16_t(0xFFFD);
        *out++ = QChar(c);
    }
    return text;
}

QByteArray toWindows1251(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar ch : text) {
        const int b = byteFor(ch.unicode());
        bytes.append(b < 0 ? '?' : static_cast<char>(b));
    }
    return bytes;
}

bool isWindows1251(const QString &text)
{
    for (const QChar ch : text)
        if (byteFor(ch.unicode()) < 0)
            return false;
    return true;
}

} // namespace textcodec
