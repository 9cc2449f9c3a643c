// The text routines of the property lines: fixed-point numbers both ways and the consuming parsers.
#include "indicators/Etcpas.h"

#include <gtest/gtest.h>

#include "indicators/QuietFixedPoint.h"
#include "tests/support/BoxRecorder.h"

TEST(FixedPoint, TextsBothWaysAndBadTexts)
{
    const std::tuple<std::int32_t, std::int32_t, const char*> out[] = {
        {1234, 2, "12.34"},
        {5, 2, "0.05"},
        {-12, 2, "-0.12"},
        {INT32_MIN, 3, "-2147483.648"},
        {42, -1, "42"}};
    for (const auto& [value, decimals, text] : out)
        EXPECT_EQ(IntToStrFP(value, decimals), text) << value << ", " << decimals;

    testing_support::BoxRecorder boxes;
    const std::tuple<const char*, std::int32_t, std::int32_t> in[] = {
        {"-12.349", 2, -1234}, {".5", 2, 50},   {"  7.1 kg", 2, 710},
        {"1.25", 1, 12},       {"12.9", 0, 12}, {"4294967296", 0, 0}};
    for (const auto& [text, decimals, expected] : in) {
        std::int32_t loud = 99, quiet = 99;
        EXPECT_TRUE(StrToIntFP(loud, text, decimals) && loud == expected) << text;
        EXPECT_TRUE(QuietStrToIntFP(quiet, text, decimals) && quiet == expected) << text;
    }

    // Bad texts beep with an error box, but not quietly (the one beep and box at the end); an
    // empty one is just false.
    std::int32_t value = 99;
    for (const std::string& text : {std::string(" \r\n"), std::string("1.2.3"), std::string()})
        EXPECT_FALSE(QuietStrToIntFP(value, text, 2)) << text;

    EXPECT_FALSE(StrToIntFP(value, "", 2));
    EXPECT_EQ(value, 99);
    EXPECT_FALSE(StrToIntFP(value, "1..\xDF", 1));
    EXPECT_EQ(boxes.Beeps(), 1);
    ASSERT_EQ(boxes.Texts(), std::vector{QStringLiteral("\"1..ﾟ\"は整数ではありません。")});
}

// Each consuming parser: what it reads from the front of a text ("-" for no key), and the text it
// leaves.
TEST(Etcpas, KeysNumbersAndTextsAreTakenFromTheFrontOfTheText)
{
    using Parser = std::string (*)(std::string&);
    const Parser key = [](std::string& text) {
        std::string key;
        return GetKeyFromLine(key, text) ? key : std::string("-");
    };
    const Parser number = [](std::string& text) { return std::to_string(GetIntFromLine(text)); };
    const Parser quoted = [](std::string& text) { return GetStrFromLine(text); };
    const std::tuple<Parser, std::string, std::string, std::string> cases[] = {
        {key, "  Left=10\r\nTop=20", "Left", "=10\r\nTop=20"},
        {key, "=10\r\nTop=20", "Top", "=20"},  // over the number and the line end
        {key, " }\r\nNext=1", "-", "\r\nNext=1"},
        {key, "  Alone", "-", ""},      // a key that ends the text is not reported
        {key, "\203A1=5", "A1", "=5"},  // a double byte's letter second byte starts the key
        {number, "=-25,\"x\"", "-25", ",\"x\""},
        {number, "- = 7 8", "-7", " 8"},
        {number, "=4294967297", "1", ""},
        {number, "=}Top=3", "0", "Top=3"},
        {number, "=\20212x", "12", "x"},  // read right after a lead byte
        // The text's own quotes and braces come whole; a quote on a later line is not taken.
        {quoted, "=\"a\"b{c\"\r\nTitle=\"x\"", "a\"b{c", "\r\nTitle=\"x\""},
        {quoted, "=\"open\rKey=\"x\"", "", "=\"open\rKey=\"x\""},
        {quoted, "=12", "", "=12"},
    };
    for (const auto& [parse, in, read, rest] : cases) {
        std::string text = in;
        EXPECT_EQ(parse(text), read) << in;
        EXPECT_EQ(text, rest) << in;
    }
}
