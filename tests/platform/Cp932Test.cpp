#include <gtest/gtest.h>

#include "platform/Cp932.h"

using platform::FromCp932;
using platform::ToCp932;

TEST(Cp932, HalfWidthSemiVoicedMarkIsOneByte)
{
    EXPECT_EQ(ToCp932(QStringLiteral("Coolant temp[ﾟc]")), std::string("Coolant temp[\xDF" "c]"));
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
