#include "indicators/PropertyLines.h"

#include <gtest/gtest.h>

#include "platform/Cp932.h"

TEST(PropertyLines, NumbersAndTextsCarryTheCallersIndentation)
{
    QStringList list;
    AddIntPropertyLine(list, "    ", "Left", 9);
    AddIntPropertyLine(list, "    ", "ColorValue", 0xFF0000);
    AddIntPropertyLine(list, "", "MinValue", -25);
    AddIntPropertyLine(list, "", "ColorScale", std::int32_t(0xFF00000F));
    AddStrPropertyLine(list, "\t", "IoName", "TACHO");
    AddStrPropertyLine(list, "", "Marker1", "");
    ASSERT_EQ(list.size(), 6);
    EXPECT_EQ(list[0], "    Left=9");
    EXPECT_EQ(list[1], "    ColorValue=16711680");
    EXPECT_EQ(list[2], "MinValue=-25");
    EXPECT_EQ(list[3], "ColorScale=-16777201");
    EXPECT_EQ(list[4], "\tIoName=\"TACHO\"");
    EXPECT_EQ(list[5], "Marker1=\"\"");
}

TEST(PropertyLines, TextsAreCodePage932OnTheWayInAndUnescaped)
{
    QStringList list;
    // "ﾟ" is the single byte 0xDF in the 8-bit text.
    AddStrPropertyLine(list, "", "Name",
                       "Oil temp[\xDF"
                       "c]");
    AddTextPropertyLine(list, "  ", "Title", QString::fromUtf8("回転 \"x\""));
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[0], QString::fromUtf8("Name=\"Oil temp[ﾟc]\""));
    EXPECT_EQ(list[1], QString::fromUtf8("  Title=\"回転 \"x\"\""));
    EXPECT_EQ(platform::ToCp932(list[1]).substr(0, 9), "  Title=\"");
}

TEST(PropertyLines, ListLineHoldsEveryTextOnOneLine)
{
    QStringList list;
    AddListPropertyLine(list, " ", "NumericName", {"TACHO", "SPEED"});
    AddListPropertyLine(list, "", "NumericName", {});
    AddListPropertyLine(list, "", "NumericName", {""});
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(list[0], " NumericName={\"TACHO\",\"SPEED\"}");
    EXPECT_EQ(list[1], "NumericName={}");
    EXPECT_EQ(list[2], "NumericName={\"\"}");
}
