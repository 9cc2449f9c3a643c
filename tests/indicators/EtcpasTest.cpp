#include "indicators/Etcpas.h"

#include <gtest/gtest.h>

#include <tuple>

#include "platform/Exceptions.h"
#include "tests/support/BoxRecorder.h"

using testing_support::BoxRecorder;

TEST(IntToStrFP, PlacesThePointAndPadsShortValues)
{
    const struct {
        std::int32_t value, decimals;
        const char* text;
    } cases[] = {
        {1234, 2, "12.34"},   {12, 2, "0.12"},
        {5, 2, "0.05"},       {0, 2, "0.00"},
        {-5, 2, "-0.05"},     {1000, 3, "1.000"},
        {-1234, 1, "-123.4"}, {7, 0, "7"},
        {-12, 2, "-0.12"},    {INT32_MIN, 3, "-2147483.648"},
        {42, -1, "42"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IntToStrFP(c.value, c.decimals), c.text) << c.value << ", " << c.decimals;
}

TEST(StrToIntFP, ScalesAndTruncatesTowardZero)
{
    BoxRecorder boxes;
    const struct {
        const char* text;
        std::int32_t value;
    } cases[] = {
        {"12.345", 1234}, {"-12.349", -1234}, {"1.", 100}, {".5", 50},
        {"-0.5", -50},    {"12abc", 1200},    {"abc", 0},  {".", 0},
        {"+3", 300},      {"  7.1 kg", 710},  {"-", 0},    {"1.23", 123},
    };
    for (const auto& c : cases) {
        std::int32_t value = 99;
        EXPECT_TRUE(StrToIntFP(value, c.text, 2)) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
    std::int32_t value = 99;
    EXPECT_TRUE(StrToIntFP(value, "12.9", 0));
    EXPECT_EQ(value, 12);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(boxes.Beeps(), 0);
}

TEST(StrToIntFP, WrapsAtThirtyTwoBitsWithoutComplaint)
{
    std::int32_t value = 0;
    EXPECT_TRUE(StrToIntFP(value, "4294967296", 0));
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(StrToIntFP(value, "21474836.48", 2));
    EXPECT_EQ(value, INT32_MIN);
}

TEST(StrToIntFP, SecondPointOrBlanksOnlyBeepAndShowTheTextInAnErrorBox)
{
    BoxRecorder boxes;
    std::int32_t value = 99;
    EXPECT_FALSE(StrToIntFP(value, "1.2.3", 2));
    EXPECT_EQ(value, 12);  // the digits read so far, unscaled
    EXPECT_FALSE(StrToIntFP(value = 99, "  \t", 2));
    EXPECT_EQ(value, 99);
    EXPECT_FALSE(StrToIntFP(value, "1..\xDF", 1));
    EXPECT_EQ(boxes.Beeps(), 3);
    ASSERT_EQ(boxes.Boxes().size(), 3u);
    EXPECT_EQ(boxes.Boxes()[0].text, QStringLiteral("\"1.2.3\"は整数ではありません。"));
    EXPECT_EQ(boxes.Boxes()[0].icon, platform::BoxIcon::Error);
    EXPECT_EQ(boxes.Boxes()[0].buttons, platform::BoxButtons::Ok);
    EXPECT_EQ(boxes.Boxes()[1].text, QStringLiteral("\"  \t\"は整数ではありません。"));
    // Code page 932 text reaches the box as what it says.
    EXPECT_EQ(boxes.Boxes()[2].text, QStringLiteral("\"1..ﾟ\"は整数ではありません。"));
}

TEST(StrToIntFP, EmptyTextAnswersFalseQuietlyAndKeepsTheValue)
{
    BoxRecorder boxes;
    std::int32_t value = 99;
    EXPECT_FALSE(StrToIntFP(value, "", 2));
    EXPECT_EQ(value, 99);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(boxes.Beeps(), 0);
}

TEST(Sqrxy, PowersWrapAndNonPositiveExponentsGiveOne)
{
    EXPECT_EQ(Sqrxy(10, 0), 1);
    EXPECT_EQ(Sqrxy(10, -3), 1);
    EXPECT_EQ(Sqrxy(10, 3), 1000);
    EXPECT_EQ(Sqrxy(-2, 3), -8);
    EXPECT_EQ(Sqrxy(2, 31), INT32_MIN);
    EXPECT_EQ(Sqrxy(2, 32), 0);
    // Wrapped like repeated multiplication, and quick for any exponent.
    std::uint32_t product = 1;
    for (int i = 0; i < 1001; ++i)
        product *= 7u;
    EXPECT_EQ(Sqrxy(7, 1001), static_cast<std::int32_t>(product));
    EXPECT_EQ(Sqrxy(-1, INT32_MAX), -1);
    EXPECT_EQ(Sqrxy(10, INT32_MAX), 0);
}

TEST(StrCompTopPart, AnswersTheKeyLengthOnlyForAWholeCaseSensitivePrefix)
{
    EXPECT_EQ(StrCompTopPart("@GET_PORT=0BB8FF38", "@GET_PORT="), 10);
    EXPECT_EQ(StrCompTopPart("@GET", "@GET_KIND"), 0);
    EXPECT_EQ(StrCompTopPart("@get_kind=A", "@GET_KIND"), 0);
    EXPECT_EQ(StrCompTopPart("@GET_KIND", "@GET_KIND"), 9);
    EXPECT_EQ(StrCompTopPart("", "@GET_KIND"), 0);
    EXPECT_EQ(StrCompTopPart("@GET_KIND", ""), 0);
}

TEST(GetKeyFromLine, TakesTheKeyAndLeavesWhatFollowsIt)
{
    std::string key = "old";
    std::string text = "  Left=10\r\nTop=20";
    EXPECT_TRUE(GetKeyFromLine(key, text));
    EXPECT_EQ(key, "Left");
    EXPECT_EQ(text, "=10\r\nTop=20");
    EXPECT_TRUE(GetKeyFromLine(key, text));  // passes over the number and the line end
    EXPECT_EQ(key, "Top");
    EXPECT_EQ(text, "=20");
    EXPECT_FALSE(GetKeyFromLine(key, text));
    EXPECT_EQ(text, "");

    text = "_Key9x-1";
    EXPECT_TRUE(GetKeyFromLine(key, text));
    EXPECT_EQ(key, "_Key9x");
    EXPECT_EQ(text, "-1");
}

TEST(GetKeyFromLine, ClosingBraceOrEndReportNoKey)
{
    std::string key;
    std::string text = " }\r\nNext=1";
    EXPECT_FALSE(GetKeyFromLine(key, text));
    EXPECT_EQ(text, "\r\nNext=1");

    text = "Last}rest";
    EXPECT_FALSE(GetKeyFromLine(key, text));
    EXPECT_EQ(key, "Last");
    EXPECT_EQ(text, "rest");

    text = "  Alone";  // a key that ends the text is not reported
    EXPECT_FALSE(GetKeyFromLine(key, text));
    EXPECT_EQ(text, "");

    text = "=12, -3\r\n";
    EXPECT_FALSE(GetKeyFromLine(key, text));
    EXPECT_EQ(text, "");

    text = "";
    EXPECT_FALSE(GetKeyFromLine(key, text));
    EXPECT_EQ(key, "");

    text = std::string("A=1\0B=2", 7);  // a NUL ends the text
    EXPECT_TRUE(GetKeyFromLine(key, text));
    EXPECT_FALSE(GetKeyFromLine(key, text));
    EXPECT_EQ(text, "");
}

TEST(GetKeyFromLine, ADoubleByteCharacterInAKeyPositionRaisesAndChangesNothing)
{
    std::string key;
    // "あ" is 0x82 0xA0: its second byte cannot start a key.
    for (std::string text :
         {std::string("=\x82\xA0=1"), std::string("  \xDF Left=1"), std::string("=1 \x82")}) {
        const std::string before = text;
        try {
            GetKeyFromLine(key, text);
            ADD_FAILURE() << "no exception for " << before;
        } catch (const platform::EPlatformError& error) {
            EXPECT_EQ(error.Message(), QStringLiteral("キーワードに全角文字が含まれています"));
        }
        EXPECT_EQ(text, before);
    }
    // "ア" is 0x83 0x41: its second byte is a letter and starts the key.
    std::string text = "\x83"
                       "A1=5";
    EXPECT_TRUE(GetKeyFromLine(key, text));
    EXPECT_EQ(key, "A1");
    EXPECT_EQ(text, "=5");
}

TEST(GetIntFromLine, ReadsTheNextNumberWithASignAnywhereBeforeIt)
{
    std::string text = "=-25,\"x\"";
    EXPECT_EQ(GetIntFromLine(text), -25);
    EXPECT_EQ(text, ",\"x\"");

    text = "- = 7 8";  // the sign need not stand next to the digits
    EXPECT_EQ(GetIntFromLine(text), -7);
    EXPECT_EQ(text, " 8");

    text = "=4294967297";  // wraps without a check
    EXPECT_EQ(GetIntFromLine(text), 1);

    text = "=}Top=3";
    EXPECT_EQ(GetIntFromLine(text), 0);
    EXPECT_EQ(text, "Top=3");

    text = "= ";
    EXPECT_EQ(GetIntFromLine(text), 0);
    EXPECT_EQ(text, "");

    text = "=\x82"
           "12x";  // the number is read right after a double-byte lead
    EXPECT_EQ(GetIntFromLine(text), 12);
    EXPECT_EQ(text, "x");
    text = "=\x82\x60"
           "12";
    EXPECT_EQ(GetIntFromLine(text), 0);
    EXPECT_EQ(text, "\x60"
                    "12");
    text = "=\x82";
    EXPECT_EQ(GetIntFromLine(text), 0);
    EXPECT_EQ(text, "");
}

TEST(GetIntFromLine, BooleanFormTellsWhetherANumberCame)
{
    std::int32_t value = 5;
    std::string text = "=-3}";
    EXPECT_TRUE(GetIntFromLine(text, value));
    EXPECT_EQ(value, -3);
    EXPECT_EQ(text, "}");
    EXPECT_FALSE(GetIntFromLine(text, value = 5));
    EXPECT_EQ(value, 0);
    EXPECT_EQ(text, "");
    EXPECT_FALSE(GetIntFromLine(text = " , ", value = 5));
    EXPECT_EQ(value, 0);
}

TEST(GetStrFromLine, TakesTheTextUpToTheLastQuoteOfItsLine)
{
    std::string text = "=\"Bar Graph\"\r\nTop=1";
    EXPECT_EQ(GetStrFromLine(text), "Bar Graph");
    EXPECT_EQ(text, "\r\nTop=1");

    // The text's own quotes and braces come whole; a quote on a later line is not taken.
    for (const char* inner : {"a\"b{c", "}x{", "\"", "\",\""}) {
        text = std::string("=\"") + inner + "\"\r\nTitle=\"x\"";
        EXPECT_EQ(GetStrFromLine(text), inner);
        EXPECT_EQ(text, "\r\nTitle=\"x\"");
    }
    text = "=\"open\rKey=\"x\"";
    EXPECT_EQ(GetStrFromLine(text), "");
    EXPECT_EQ(text, "=\"open\rKey=\"x\"");

    text = "=\"\"rest";
    EXPECT_EQ(GetStrFromLine(text), "");
    EXPECT_EQ(text, "rest");

    text = "=\"\x82\xA0\t\x01\"";  // double bytes and control bytes come as they are
    EXPECT_EQ(GetStrFromLine(text), "\x82\xA0\t\x01");
    EXPECT_EQ(text, "");

    for (const char* unchanged : {"=\"", "=\"open", "=12", ""}) {
        text = unchanged;
        EXPECT_EQ(GetStrFromLine(text), "");
        EXPECT_EQ(text, unchanged);
    }
}

TEST(GetListStrFromLine, TakesOneItemOfAListAtATime)
{
    std::string text = "{\"TACHO\",\"SPEED\"}\r\n";
    EXPECT_EQ(GetListStrFromLine(text), "TACHO");
    EXPECT_EQ(text, ",\"SPEED\"}\r\n");
    EXPECT_EQ(GetListStrFromLine(text), "SPEED");
    EXPECT_EQ(text, "}\r\n");
    EXPECT_EQ(GetListStrFromLine(text), "");
    EXPECT_EQ(text, "}\r\n");
}

TEST(CompNextChar, ConsumesTheCharacterOnlyWhenItIsNext)
{
    std::string text = " \r\n,\"B\"";
    EXPECT_TRUE(CompNextChar(text, ','));
    EXPECT_EQ(text, "\"B\"");
    EXPECT_FALSE(CompNextChar(text, ','));
    EXPECT_EQ(text, "\"B\"");

    text = "  }";
    EXPECT_FALSE(CompNextChar(text, ','));
    EXPECT_EQ(text, "}");

    text = " \t\r\n";
    EXPECT_FALSE(CompNextChar(text, ','));
    EXPECT_EQ(text, " \t\r\n");
    text = "";
    EXPECT_FALSE(CompNextChar(text, ','));
}

// How each indicator kind reads its block: keys in any order, foreign keys passed over.
TEST(PropertyBlockReading, OtherOrderAndForeignKeysReadTheSameProperties)
{
    const auto read = [](std::string text) {
        std::int32_t left = 0, width = 0;
        std::string title, ioName;
        std::string key;
        while (GetKeyFromLine(key, text)) {
            if (key == "Left")
                left = GetIntFromLine(text);
            else if (key == "Width")
                width = GetIntFromLine(text);
            else if (key == "Title")
                title = GetStrFromLine(text);
            else if (key == "IoName")
                ioName = GetStrFromLine(text);
        }
        return std::tuple(left, width, title, ioName);
    };
    const auto written = read("  Left=9\r\n  Width=-120\r\n  IoName=\"TACHO\"\r\n"
                              "  Title=\"Dial Meter\"\r\n");
    EXPECT_EQ(written, std::tuple(9, -120, std::string("Dial Meter"), std::string("TACHO")));
    EXPECT_EQ(read("Title=\"Dial Meter\"\r\nDecimalPoint=2\r\nIoName=\"TACHO\"\r\n"
                   "ColorTitle=-16777201\r\nWidth=-120\r\nLeft=9\r\n}\r\nLeft=1\r\n"),
              written);
    // The words of a foreign text property are keys in their turn: "Left" inside one matches.
    EXPECT_EQ(std::get<0>(read("Caption=\"Left 5\"\r\n")), 5);
}

TEST(LineSearch, ReadsBracesParametersAndErrorsLineByLine)
{
    const char* text = "Panel {\r\n"
                       "  Name = \"Dial\"\r\n"
                       "  Left = -40\n"
                       "  Top=- 12 ;\n"
                       "\n"
                       "  Bad = \"open\r\n"
                       "  Ctl = \"a\tb\"\n"
                       "  Empty =\n"
                       "}";
    std::string key, str;
    std::int32_t value = 0;
    EXPECT_EQ(LineSearch(text, key, value, str), cliNone);
    EXPECT_EQ(key, "Panel");
    EXPECT_EQ(LineSearch(text, key, value, str), cliLeftBracket);
    EXPECT_EQ(LineSearch(text, key, value, str), cliParameter);
    EXPECT_EQ(key, "Name");
    EXPECT_EQ(str, "Dial");
    EXPECT_EQ(LineSearch(text, key, value, str), cliParameter);
    EXPECT_EQ(key, "Left");
    EXPECT_EQ(value, -40);
    EXPECT_EQ(LineSearch(text, key, value, str), cliParameter);
    EXPECT_EQ(key, "Top");
    EXPECT_EQ(value, -12);
    EXPECT_EQ(LineSearch(text, key, value, str), cliError);  // the quote is not closed
    EXPECT_EQ(LineSearch(text, key, value, str), cliError);  // a control byte inside
    EXPECT_EQ(key, "Ctl");
    EXPECT_EQ(LineSearch(text, key, value, str), cliError);  // no value
    EXPECT_EQ(LineSearch(text, key, value, str), cliRightBracket);
    EXPECT_EQ(LineSearch(text, key, value, str), cliEndOf);
    EXPECT_EQ(LineSearch(text, key, value, str), cliEndOf);
}

TEST(DecimalStrToInt, DigitsMustEndAtTheEndABlankOrAComma)
{
    std::int32_t value = 0;
    EXPECT_TRUE(DecimalStrToInt(" 42", value));
    EXPECT_EQ(value, 42);
    EXPECT_TRUE(DecimalStrToInt("7,8", value));
    EXPECT_EQ(value, 7);
    EXPECT_TRUE(DecimalStrToInt("9 x", value));
    EXPECT_FALSE(DecimalStrToInt("12a", value));
    EXPECT_FALSE(DecimalStrToInt("-1", value));
    EXPECT_FALSE(DecimalStrToInt("  ", value));
}

TEST(GetLineFromText, TakesOneLineAndItsLineEnd)
{
    std::string line, text = "first\r\nsecond\n\nthird\rfourth\n";
    EXPECT_TRUE(GetLineFromText(line, text));
    EXPECT_EQ(line, "first");
    EXPECT_TRUE(GetLineFromText(line, text));
    EXPECT_EQ(line, "second");  // LF and the one LF behind it
    EXPECT_EQ(text, "third\rfourth\n");
    EXPECT_TRUE(GetLineFromText(line, text));
    EXPECT_EQ(line, "third");
    EXPECT_FALSE(GetLineFromText(line, text));  // nothing behind the last line end
    EXPECT_EQ(line, "");
    EXPECT_EQ(text, "fourth\n");
    text = "no line end";
    EXPECT_FALSE(GetLineFromText(line, text));
    EXPECT_EQ(text, "no line end");
}
