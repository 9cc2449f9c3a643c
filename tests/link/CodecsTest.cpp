#include "link/Codecs.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

TEST(Codecs, HexReadersTakeTheCompletePairsBeforeTheFirstBadOne)
{
    // Upper case only; a NUL or the view's end ends the text; only the last four pairs stay.
    const struct {
        std::string_view text;
        int count;
        std::uint32_t value;
    } cases[] = {
        {"01FF", 2, 0x01FF},
        {"0G12", 2, 0},
        {"12G4", 2, 0x12},
        {"123", 2, 0x12},
        {"00ff", 2, 0},
        {"FFFF", 0, 0},
        {"0102030405", 5, 0x02030405},
        {{"12\00034", 5}, 2, 0x12},
        {{"123456", 3}, 3, 0x12},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseHexBytes(c.text, c.count), c.value) << c.text;

    // Bytes there and back; a block stops at its first bad pair, the bytes before it stored.
    const std::vector<std::uint8_t> record{0x00, 0x25, 0x9A, 0xFF};
    char text[8];
    char* out = text;
    AppendHexBytes(out, record.data(), 4);
    EXPECT_EQ(std::string_view(text, 8), "00259AFF");
    std::vector<std::uint8_t> back(4, 0xEE);
    EXPECT_TRUE(DecodeHexBlock(back.data(), std::string_view(text, 8), 4));
    EXPECT_EQ(back, record);
    EXPECT_FALSE(DecodeHexBlock(back.data(), "00259AF", 4));
    EXPECT_FALSE(DecodeHexBlock(back.data(), "0102a3", 4));
    EXPECT_EQ(back, (std::vector<std::uint8_t>{0x01, 0x02, 0x9A, 0xFF}));
}

TEST(Codecs, ByteToBcdPacksTensAndUnits)
{
    for (int v = 0; v <= 99; ++v)
        EXPECT_EQ(ByteToBcd(std::uint8_t(v)), ((v / 10) << 4) | (v % 10)) << v;
}

TEST(Codecs, DeviceDateTimeFromTheFirstDigitMissingDigitsCountAsZero)
{
    const struct {
        std::string_view reply;
        const char* shown;
    } cases[] = {
        {"@GET_DATETIME=56341202151236", "2016/12/15-12:34:56"},
        {"59595906311299xyz", "2079/12/31-59:59:59"},
        {"=5634", "1980/00/00-00:34:56"},
        {{"56341202151236", 4}, "1980/00/00-00:34:56"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatDeviceDateTime(c.reply), c.shown) << c.reply;
}

TEST(Codecs, NameListsSplitOnEverythingOutside40To79)
{
    std::string_view text = "\x06@GET_KIND=THROT 12\xDF"
                            "Oil_a\x82\xA0[x]^`y\tBREAKzFUEL";
    char name[256] = "";
    std::vector<std::string> names;
    while (NextNameToken(text, name) > 0)
        names.emplace_back(name);
    EXPECT_EQ(names, (std::vector<std::string>{"@GET_KIND", "THROT", "Oil_a", "[x]^`y", "BREAK"}));
    EXPECT_EQ(text, "zFUEL");

    // A long name is cut to the buffer but passed over whole.
    const std::string list = std::string(300, 'A') + ",FUEL";
    text = list;
    EXPECT_EQ(NextNameToken(text, name), 300);
    EXPECT_EQ(std::strlen(name), 255u);
    EXPECT_EQ(NextNameToken(text, name), 4);
    EXPECT_EQ(NextNameToken(text, name), 0);  // the end leaves the name alone
    EXPECT_STREQ(name, "FUEL");
}
