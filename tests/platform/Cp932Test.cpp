#include <gtest/gtest.h>

#include <QStringDecoder>
#include <QStringEncoder>

#include "platform/Cp932.h"

using platform::FromCp932;
using platform::ToCp932;

TEST(Cp932, HalfWidthSemiVoicedMarkIsOneByte)
{
    EXPECT_EQ(ToCp932(QStringLiteral("Coolant temp[ﾟc]")), std::string("Coolant temp[\xDF"
                                                                       "c]"));
    EXPECT_EQ(FromCp932("\xDF"), QStringLiteral("ﾟ"));
}

TEST(Cp932, JapaneseTextRoundTrips)
{
    const QString text = QStringLiteral("受信バッファオーバーフロー");
    const std::string bytes = ToCp932(text);
    EXPECT_EQ(bytes.size(), std::size_t(2 * text.size()));
    EXPECT_EQ(FromCp932(bytes), text);
}

TEST(Cp932, LeadByteAtTheEndDoesNotReadPastTheText)
{
    // 0x82 is a lead byte whose trail byte is missing.
    const QString decoded = FromCp932(std::string("A\x82", 2));
    ASSERT_FALSE(decoded.isEmpty());
    EXPECT_EQ(decoded[0], QLatin1Char('A'));
}

TEST(Cp932, EveryByteAndCharacterConvertsAsTheCodePageConverterDoes)
{
    // Printable ASCII takes a short cut; everything else, control bytes included, must come out
    // exactly as the converter makes it.
    QStringDecoder decoder("windows-31j");
    QStringEncoder encoder("windows-31j");
    for (int b = 0; b < 256; ++b) {
        const std::string bytes = std::string("x") + char(b) + "7";
        EXPECT_EQ(FromCp932(bytes), decoder.decode(QByteArrayView(bytes.data(), 3))) << b;
        decoder.resetState();
    }
    for (char16_t c = 0; c < 0x100; ++c) {
        const QString text = QStringLiteral("x") + QChar(c) + QStringLiteral("7");
        const QByteArray expected = encoder.encode(text);
        encoder.resetState();
        EXPECT_EQ(ToCp932(text), std::string(expected.constData(), std::size_t(expected.size())))
            << int(c);
    }
    EXPECT_EQ(FromCp932("Left=10 \"Dial Meter\" {}~"),
              QStringLiteral("Left=10 \"Dial Meter\" {}~"));
    EXPECT_EQ(ToCp932(QStringLiteral("-100.00 ###")), "-100.00 ###");
}

TEST(Cp932, NamesEachCharacterItCannotHoldOnceAndWhole)
{
    EXPECT_EQ(platform::Cp932Unholdable(QStringLiteral("油温 ① ～ ﾟ [rpm]")), QString());
    // An accented letter, a wave dash other than the code page's, an emoji (a surrogate pair).
    EXPECT_EQ(platform::Cp932Unholdable(QStringLiteral("é〜😀 油 é😀")), QStringLiteral("é〜😀"));
    EXPECT_EQ(ToCp932(QStringLiteral("é")), "\xFC\xFC");  // what the check spares the user
}
