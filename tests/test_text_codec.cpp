#include "core/text_codec.h"

#include <gtest/gtest.h>

using namespace textcodec;

TEST(TextCodec, RoundTripsEveryAssignedByte)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        if (b != 0x98)
            all.append(char(b));
    const QString text = fromWindows1251(all);
    ASSERT_EQ(text.size(), all.size());
    EXPECT_EQ(toWindows1251(text), all);
    EXPECT_TRUE(isWindows1251(text));
}

TEST(TextCodec, CyrillicLettersAndSpecials)
{
    EXPECT_EQ(toWindows1251(QStringLiteral("Клан")), QByteArray("\xCA\xEB\xE0\xED"));
    EXPECT_EQ(toWindows1251(QStringLiteral("ёЁ№")), QByteArray("\xB8\xA8\xB9"));
    EXPECT_EQ(fromWindows1251(QByteArray("\xE6\xE3\xFC")), QStringLiteral("жгь"));
    EXPECT_EQ(fromWindows1251(QByteArray("\x98")), QString(QChar(0xFFFD)));
}

TEST(TextCodec, CharactersOutsideTheCodePage)
{
    EXPECT_FALSE(isWindows1251(QStringLiteral("日本")));
    EXPECT_FALSE(isWindows1251(QString(QChar(0xFFFD))));
    EXPECT_EQ(toWindows1251(QStringLiteral("a日b")), QByteArray("a?b"));
}
