#include <gtest/gtest.h>

#include "platform/Exceptions.h"
#include "tests/support/BoxRecorder.h"

using platform::EConvertError;
using platform::StrToInt;

TEST(StrToInt, AcceptsWholeNumbersWithinThirtyTwoBits)
{
    EXPECT_EQ(StrToInt(QStringLiteral("0")), 0);
    EXPECT_EQ(StrToInt(QStringLiteral("-1")), -1);
    EXPECT_EQ(StrToInt(QStringLiteral("+42")), 42);
    EXPECT_EQ(StrToInt(QStringLiteral("  7")), 7);
    EXPECT_EQ(StrToInt(QStringLiteral("2147483647")), 2147483647);
    EXPECT_EQ(StrToInt(QStringLiteral("-2147483648")), INT32_MIN);
    EXPECT_EQ(StrToInt(QStringLiteral("$FF")), 255);
}

TEST(StrToInt, RejectsEverythingElseWithTheConversionMessage)
{
    for (const char* text : {"", "abc", "12 ", "1.5", "2147483648", "-", "12a"}) {
        try {
            StrToInt(QString::fromLatin1(text));
            ADD_FAILURE() << "accepted " << text;
        } catch (const EConvertError& error) {
            EXPECT_EQ(error.Message(),
                      QStringLiteral("''%1'' は整数ではありません").arg(QString::fromLatin1(text)));
        }
    }
}

TEST(DefaultErrorHandler, ShowsTheMessageInAnErrorBoxAndSwallowsTheException)
{
    testing_support::BoxRecorder boxes;
    bool after = false;
    platform::Guarded([&] {
        StrToInt(QStringLiteral("x"));
        after = true;
    });
    EXPECT_FALSE(after);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, QStringLiteral("''x'' は整数ではありません"));
    EXPECT_EQ(boxes.Boxes()[0].icon, platform::BoxIcon::Error);
    EXPECT_EQ(boxes.Boxes()[0].buttons, platform::BoxButtons::Ok);
}
