// The text routines of the property lines: fixed-point numbers both ways, the consuming parsers
// and the line writers.
#include "indicators/Etcpas.h"

#include <gtest/gtest.h>

#include "indicators/PropertyLines.h"
#include "indicators/QuietFixedPoint.h"
#include "platform/Exceptions.h"
#include "tests/support/BoxRecorder.h"

using testing_support::BoxRecorder;

TEST(FixedPoint, TextsBothWays)
{
    const struct {
        std::int32_t value, decimals;
        const char* text;
    } out[] = {{1234, 2, "12.34"}, {12, 2, "0.12"}, {5, 2, "0.05"},
               {-12, 2, "-0.12"},  {7, 0, "7"},     {INT32_MIN, 3, "-2147483.648"},
               {42, -1, "42"}};
    for (const auto& c : out)
        EXPECT_EQ(IntToStrFP(c.value, c.decimals), c.text) << c.value << ", " << c.decimals;

    BoxRecorder boxes;
    const struct {
        const char* text;
        std::int32_t decimals, value;
    } in[] = {{"12.345", 2, 1234}, {"-12.349", 2, -1234}, {".5", 2, 50},       {"1.", 2, 100},
              {"12abc", 2, 1200},  {"  7.1 kg", 2, 710},  {"+3", 2, 300},      {"-", 2, 0},
              {"1.25", 1, 12},     {"12.9", 0, 12},       {"4294967296", 0, 0}};
    for (const auto& c : in) {
        std::int32_t loud = 99, quiet = 99;
        EXPECT_TRUE(StrToIntFP(loud, c.text, c.decimals)) << c.text;
        EXPECT_EQ(loud, c.value) << c.text;
        EXPECT_TRUE(QuietStrToIntFP(quiet, c.text, c.decimals)) << c.text;
        EXPECT_EQ(quiet, c.value) << c.text;
    }
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST(FixedPoint, BadTextsBeepWithAnErrorBoxButNotQuietlyAndEmptyIsJustFalse)
{
    BoxRecorder boxes;
    std::int32_t value = 99;
    for (const std::string& text : {std::string(" "), std::string("\t \r\n"), std::string("1.2.3"),
                                    std::string("\0 1", 3), std::string()})
        EXPECT_FALSE(QuietStrToIntFP(value, text, 2)) << text;
    EXPECT_EQ(value, 99);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(boxes.Beeps(), 0);

    EXPECT_FALSE(StrToIntFP(value, "", 2));
    EXPECT_FALSE(StrToIntFP(value, "  \t", 2));
    EXPECT_EQ(value, 99);
    EXPECT_FALSE(StrToIntFP(value, "1..\xDF", 1));
    EXPECT_EQ(boxes.Beeps(), 2);
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[0].text, QStringLiteral("\"  \t\"は整数ではありません。"));
    EXPECT_EQ(boxes.Boxes()[1].text, QStringLiteral("\"1..ﾟ\"は整数ではありません。"));
    EXPECT_EQ(boxes.Boxes()[1].icon, platform::BoxIcon::Error);
    EXPECT_EQ(boxes.Boxes()[1].buttons, platform::BoxButtons::Ok);
}

TEST(Etcpas, PowersAndPrefixes)
{
    EXPECT_EQ(Sqrxy(10, -3), 1);
    EXPECT_EQ(Sqrxy(10, 3), 1000);
    EXPECT_EQ(Sqrxy(-2, 3), -8);
    EXPECT_EQ(Sqrxy(2, 31), INT32_MIN);
    EXPECT_EQ(Sqrxy(10, INT32_MAX), 0);  // wraps, and is quick for any exponent
    EXPECT_EQ(StrCompTopPart("@GET_PORT=0BB8FF38", "@GET_PORT="), 10);
    EXPECT_EQ(StrCompTopPart("@GET", "@GET_KIND"), 0);
    EXPECT_EQ(StrCompTopPart("@get_kind=A", "@GET_KIND"), 0);
    EXPECT_EQ(StrCompTopPart("@GET_KIND", ""), 0);
}

// Each consuming parser: its answer and the text it leaves.
TEST(Etcpas, KeysNumbersAndTextsAreTakenFromTheFrontOfTheText)
{
    const struct {
        const char* in;
        bool found;
        const char* key;
        const char* rest;
    } keys[] = {
        // clang-format off
        {"  Left=10\r\nTop=20", true, "Left", "=10\r\nTop=20"},
        {"=10\r\nTop=20", true, "Top", "=20"},  // over the number and the line end
        {"_Key9x-1", true, "_Key9x", "-1"}, {" }\r\nNext=1", false, "", "\r\nNext=1"},
        {"Last}rest", false, "Last", "rest"},
        {"  Alone", false, nullptr, ""},  // a key that ends the text is not reported
        {"\203A1=5", true, "A1", "=5"},  // a double byte's letter second byte starts the key
        // clang-format on
    };
    for (const auto& c : keys) {
        std::string key, text = c.in;
        EXPECT_EQ(GetKeyFromLine(key, text), c.found) << c.in;
        EXPECT_EQ(key, c.key ? c.key : key) << c.in;
        EXPECT_EQ(text, c.rest) << c.in;
    }
    for (std::string text : {std::string("=\x82\xA0=1"), std::string("  \xDF Left=1")}) {
        const std::string before = text;
        std::string key;
        try {
            GetKeyFromLine(key, text);
            ADD_FAILURE() << before;
        } catch (const platform::EPlatformError& error) {
            EXPECT_EQ(error.Message(), QStringLiteral("キーワードに全角文字が含まれています"));
        }
        EXPECT_EQ(text, before);
    }

    const struct {
        const char* in;
        std::int32_t value;
        const char* rest;
    } numbers[] = {
        // clang-format off
        {"=-25,\"x\"", -25, ",\"x\""}, {"- = 7 8", -7, " 8"}, {"=4294967297", 1, ""},
        {"=}Top=3", 0, "Top=3"}, {"= ", 0, ""},
        {"=\20212x", 12, "x"}, {"=\202\14012", 0, "\14012"},  // read right after a lead byte
        // clang-format on
    };
    for (const auto& c : numbers) {
        std::string text = c.in;
        EXPECT_EQ(GetIntFromLine(text), c.value) << c.in;
        EXPECT_EQ(text, c.rest) << c.in;
    }
    std::int32_t value = 5;
    std::string text = "=-3}";
    EXPECT_TRUE(GetIntFromLine(text, value));
    EXPECT_EQ(value, -3);
    EXPECT_FALSE(GetIntFromLine(text, value));
    EXPECT_EQ(value, 0);

    const struct {
        std::string in, value, rest;
    } texts[] = {
        {"=\"Bar Graph\"\r\nTop=1", "Bar Graph", "\r\nTop=1"},
        // The text's own quotes and braces come whole; a quote on a later line is not taken.
        {"=\"a\"b{c\"\r\nTitle=\"x\"", "a\"b{c", "\r\nTitle=\"x\""},
        {"=\"\",\"\"\nX", "\",\"", "\nX"},
        {"=\"open\rKey=\"x\"", "", "=\"open\rKey=\"x\""},
        {"=\"\x82\xA0\t\x01\"", "\x82\xA0\t\x01", ""},
        {"=12", "", "=12"},
    };
    for (const auto& c : texts) {
        std::string text = c.in;
        EXPECT_EQ(GetStrFromLine(text), c.value) << c.in;
        EXPECT_EQ(text, c.rest) << c.in;
    }

    text = "{\"TACHO\",\"SPEED\"}\r\n";
    EXPECT_EQ(GetListStrFromLine(text), "TACHO");
    EXPECT_TRUE(CompNextChar(text, ','));
    EXPECT_EQ(GetListStrFromLine(text), "SPEED");
    EXPECT_FALSE(CompNextChar(text, ','));
    EXPECT_EQ(GetListStrFromLine(text), "");
    EXPECT_EQ(text, "}\r\n");
}

TEST(Etcpas, ConfigurationLinesAndPlainLines)
{
    const char* p = "Panel {\r\n  Name = \"Dial\"\r\n  Top=- 12 ;\n\n  Bad = \"open\r\n"
                    "  Ctl = \"a\tb\"\n  Empty =\n}";
    std::string key, str;
    std::int32_t value = 0;
    const TCfgLineInfo expected[] = {cliNone,      cliLeftBracket,  cliParameter,
                                     cliParameter, cliError,        cliError,
                                     cliError,     cliRightBracket, cliEndOf};
    for (const TCfgLineInfo info : expected) {
        EXPECT_EQ(LineSearch(p, key, value, str), info) << key;
        EXPECT_EQ(str, key == "Name" ? "Dial" : str);
        EXPECT_EQ(value, key == "Top" ? -12 : value);
    }

    EXPECT_TRUE(DecimalStrToInt(" 42", value));
    EXPECT_EQ(value, 42);
    EXPECT_TRUE(DecimalStrToInt("7,8", value));
    EXPECT_FALSE(DecimalStrToInt("12a", value));
    EXPECT_FALSE(DecimalStrToInt("-1", value));

    std::string line, text = "first\r\nsecond\n\nthird\rfourth\n";
    for (const char* expectedLine : {"first", "second", "third"}) {
        EXPECT_TRUE(GetLineFromText(line, text));
        EXPECT_EQ(line, expectedLine);
    }
    EXPECT_FALSE(GetLineFromText(line, text));  // nothing behind the last line end
    EXPECT_EQ(text, "fourth\n");
}

TEST(PropertyLines, EachLineCarriesTheIndentationAndTextsAreQuoted)
{
    QStringList list;
    AddIntPropertyLine(list, "    ", "ColorScale", std::int32_t(0xFF00000F));
    AddStrPropertyLine(list, "\t", "Name",
                       "Oil temp[\xDF"
                       "c]");  // code page 932 in
    AddTextPropertyLine(list, "", "Title", QString::fromUtf8("回転 \"x\""));
    AddListPropertyLine(list, " ", "NumericName", {"TACHO", "", "SPEED"});
    AddListPropertyLine(list, "", "NumericName", {});
    EXPECT_EQ(list,
              (QStringList{"    ColorScale=-16777201", QString::fromUtf8("\tName=\"Oil temp[ﾟc]\""),
                           QString::fromUtf8("Title=\"回転 \"x\"\""),
                           " NumericName={\"TACHO\",\"\",\"SPEED\"}", "NumericName={}"}));
}
