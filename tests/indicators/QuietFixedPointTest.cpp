#include "indicators/QuietFixedPoint.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "indicators/Etcpas.h"
#include "tests/support/BoxRecorder.h"

TEST(QuietFixedPoint, RefusesWithoutABoxWhatTheLoudConversionWouldReport)
{
    testing_support::BoxRecorder boxes;
    std::int32_t value = 77;
    for (const std::string& text :
         std::vector<std::string>{"", " ", "\t \r\n", "1.2.3", " -4..", std::string("\0 1", 3)}) {
        EXPECT_FALSE(QuietStrToIntFP(value, text, 2)) << text;
        EXPECT_EQ(value, 77);
    }
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(boxes.Beeps(), 0);
}

TEST(QuietFixedPoint, ConvertsWhatTheLoudConversionAccepts)
{
    testing_support::BoxRecorder boxes;
    for (const std::string& text : std::vector<std::string>{"12.5", "-12.349", "+3", "-", "1.2x.3",
                                                            "  7abc", "99999999999"}) {
        std::int32_t quiet = 0, loud = 0;
        EXPECT_TRUE(QuietStrToIntFP(quiet, text, 2)) << text;
        EXPECT_TRUE(StrToIntFP(loud, text, 2)) << text;
        EXPECT_EQ(quiet, loud) << text;
    }
    std::int32_t value = 0;
    EXPECT_TRUE(QuietStrToIntFP(value, "12.5", 2));
    EXPECT_EQ(value, 1250);
    EXPECT_TRUE(boxes.Boxes().empty());
}
