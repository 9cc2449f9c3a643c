// The work file's tokenizer, block cutter and reading loop, on texts as the writer makes them and
// as a damaged or foreign file may hold them; the window's fit onto the desktop.
#include <gtest/gtest.h>

#include <QString>
#include <set>
#include <string>
#include <vector>

#include "app/DesktopFit.h"
#include "app/ExtractBlock.h"
#include "app/IndexedName.h"
#include "app/KestrelErr.h"
#include "app/WorkFileReader.h"
#include "app/WorkTokens.h"

namespace {

// Runs a reader routine and answers the code it raised, or -1 when it returned.
template <class Read>
int RaisedCode(Read&& read)
{
    try {
        read();
    } catch (const TKestrelErr& error) {
        return error.Code;
    }
    return -1;
}

TEST(WorkTokens, EachKindWithItsNameValueAndPosition)
{
    const struct {
        std::string input;
        TWorkToken kind;
        std::string name;
        std::int32_t integer;
        std::string text, rest;
    } cases[] = {
        {"Header Ver.1.0\r\nMainForm{", TWorkToken::wtLineEnd, "Header Ver.1.0\r", -7, "",
         "MainForm{"},
        {"  MainPanel {\r\n", TWorkToken::wtBlockOpen, "MainPanel ", -7, "", "\r\n"},
        {"    _BarGraph12{\r\n", TWorkToken::wtIndicatorOpen, "_BarGraph", 12, "", "{\r\n"},
        {"\r\n  }\r\n}", TWorkToken::wtBlockClose, "", -7, "", "\r\n}"},
        {"Tail}x", TWorkToken::wtBlockClose, "Tail", -7, "", "x"},
        {"    Left=-25\r\n", TWorkToken::wtValue, "Left", -25, "", "\r\n"},
        {"Title=\"\x83\x5e\x83\x43 {x}\"\r\n", TWorkToken::wtValue, "Title", -7,
         "\x83\x5e\x83\x43 {x}", "\r\n"},
        {"NumericName={\"TACHO\"}\r\n", TWorkToken::wtValueBlock, "NumericName", -7, "",
         "{\"TACHO\"}\r\n"},
        // After a byte of the upper half the scan stops: even "_" behind it is a name's byte.
        {"  \x81_Bar1{", TWorkToken::wtBlockOpen, "_Bar1", -7, "", ""},
        {"\x83\x5b\x83\x4e{", TWorkToken::wtBlockOpen, "\x5b\x83\x4e", -7, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        const char* pos = c.input.c_str();
        std::string name, text;
        std::int32_t integer = -7;
        EXPECT_EQ(NextToken(pos, name, integer, text), c.kind);
        EXPECT_EQ(name, c.name);
        EXPECT_EQ(integer, c.integer);
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(pos, c.rest);
    }
}

TEST(WorkTokens, MalformedHeadersBadTextsAndTheEndOfTheTextRaiseTheirCodes)
{
    const std::pair<std::string, int> cases[] = {
        {"_BarGraph{\r\n  Left=1\r\n", KestrelBadFormat},  // no digits
        {"_BarGraph3 {\r\n", KestrelBadFormat},
        {"_BarGraph3\r\n{", KestrelBadFormat},
        {"_BarGr", KestrelEnd},  // cut short: a normal end
        {"_BarGraph3", KestrelEnd},
        {"MainFo", KestrelEnd},
        {" \r\n\t ", KestrelEnd},
        {"Left=", KestrelEnd},
        {"Title=\"abc", KestrelBadChar},
        {"Title=\"a\tb\"", KestrelBadChar},
        {"Title=\"a\x01\"", KestrelBadChar},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RaisedCode([&c] {
                      const char* pos = c.first.c_str();
                      std::string name, text;
                      std::int32_t integer = 0;
                      NextToken(pos, name, integer, text);
                  }),
                  c.second)
            << c.first;
    }
}

TEST(WorkTokens, IntegersPassOverLineEndsAndSaturateBeyond32Bits)
{
    const std::pair<std::string, std::int32_t> cases[] = {
        {"=\r\n  Top=20\r\n", 20},  // the line end is no stop
        {"= - 7x", -7},
        {"=2147483647", INT32_MAX},
        {"=-2147483648", INT32_MIN},
        {"=2147483648", INT32_MAX},
        {"=99999999999999999999999999999999", INT32_MAX},
        {"=-99999999999999999999999999999999", INT32_MIN},
        {"=0000000000000000000000000000012", 12},
    };
    for (const auto& [input, value] : cases) {
        const char* pos = input.c_str();
        EXPECT_EQ(ReadInteger(pos), value) << input;
    }
}

TEST(ExtractBlockTest, CopiesOneBlockWithoutIndentationCountingOnlyBracesOutsideTexts)
{
    const struct {
        std::string input, block, rest;
        bool whole;
    } cases[] = {
        {"{\r\n      Left=9\r\n      NumericName={\"TACHO\",\"SPEED\"}\r\n    }\r\n  }\r\n",
         "{\r\nLeft=9\r\nNumericName={\"TACHO\",\"SPEED\"}\r\n}", "\r\n  }\r\n", true},
        {"{Left=17\r\nTop=25\r\n}", "{Left=17\r\nTop=25\r\n}", "", true},  // as a copy makes it
        {"{}", "{}", "", true},
        // A quoted value runs to its line's last quote, whatever stands inside.
        {"{\r\n  Title=\"}{ }}\"\r\n  Left=1\r\n}\r\nAfter", "{\r\nTitle=\"}{ }}\"\r\nLeft=1\r\n}",
         "\r\nAfter", true},
        {"{\r\n  Title=\"a\"b{c\"\r\n}\r\n}x", "{\r\nTitle=\"a\"b{c\"\r\n}", "\r\n}x", true},
        {"{\r\n  Title=\"\"\"\r\n}x", "{\r\nTitle=\"\"\"\r\n}", "x", true},
        {"{\r\n  NumericName={\"A\",\"B}\"}\r\n}x", "{\r\nNumericName={\"A\",\"B}\"}\r\n}", "x",
         true},
        {"{\r\n  Title=\"open{\r\n}x", "{\r\nTitle=\"open{\r\n}", "x", true},  // to the line end
        {"{\r\n  Key\x83}=1\r\n}x", "{\r\nKey\x83}=1\r\n}", "x", true},        // a double-byte tail
        {"{\r\n  Left=9\r\n  Top=", "{\r\nLeft=9\r\nTop=", "", false},
        {"{\r\n   \r\n  ", "?", "{\r\n   \r\n  ", false},  // the position stays
        {"no brace", "", "no brace", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        const char* pos = c.input.c_str();
        std::string block;
        EXPECT_EQ(ExtractBlock(block, pos), c.whole);
        if (c.block != "?") {
            EXPECT_EQ(block, c.block);
        }
        EXPECT_EQ(pos, c.rest);
    }
}

TEST(IndexedNameTest, PrefixDirectlyFollowedByDigits)
{
    const struct {
        const char* prefix;
        QString name;
        int number;  // -1: refused
    } cases[] = {
        {"_BarGraph", QStringLiteral("_BarGraph3"), 3},
        {"_XYGraph", QStringLiteral("_XYGraph12x"), 12},
        {"NumericList", QStringLiteral("  NumericList7"), 7},  // bytes below "A" skipped
        {"_BarGraph", QStringLiteral("_BarGraph"), -1},
        {"_BarGraph", QStringLiteral("_BarGraphX1"), -1},
        {"_AnalogMeter", QStringLiteral("_BarGraph1"), -1},
        {"_BarGraph", QStringLiteral("_bargraph1"), -1},
        {"_Bar", QString(), -1},
    };
    for (const auto& c : cases) {
        std::int32_t number = -1;
        EXPECT_EQ(ParseIndexedName(c.prefix, c.name, number), c.number >= 0) << c.prefix;
        if (c.number >= 0) {
            EXPECT_EQ(number, c.number);
        }
    }
}

// Records what the reading loop hands over; makes indicators of the four kinds (and no other)
// by cutting their blocks out, as the main window does.
class RecordingTarget : public TWorkFileTarget {
public:
    std::vector<std::string> events;

    void OpenControl(const std::string& name) override { events.push_back("open " + name); }
    void CloseControl() override { events.push_back("close"); }
    void ControlValue(const std::string& key, std::int32_t value) override
    {
        events.push_back(key + "=" + std::to_string(value));
    }
    bool CreateIndicator(const std::string& prefix, const char*& pos) override
    {
        static const std::set<std::string> kinds{"_AnalogMeter", "_BarGraph", "_XYGraph",
                                                 "_NumericList"};
        if (!kinds.contains(prefix))
            return false;
        std::string block;
        ExtractBlock(block, pos);
        events.push_back("make " + prefix + " " + block);
        return true;
    }
};

TEST(WorkFileReaderTest, WalksTheBlocksPassingOverForeignOnesAndStopsAtAFault)
{
    const struct {
        std::string text;
        int code;
        std::vector<std::string> events;
    } cases[] = {
        {"Header\r\nMainForm{\r\n  Left=823\r\n  MainPanel{\r\n    Top=30\r\n"
         "    _AnalogMeter5{\r\n      Left=9\r\n      Title=\"{\"\r\n    }\r\n"
         "    _Recorder1{\r\n      Left=5\r\n      Sub={\r\n      }\r\n    }\r\n"
         "    _AnalogMeter9{\r\n      Left=17\r\n    }\r\n  }\r\n"
         "  NoSuchPanel{\r\n    Left=3\r\n  }\r\n  Caption=\"x\"\r\n}\r\nLeft=1\r\n",
         0,
         {"open MainForm", "Left=823", "open MainPanel", "Top=30",
          "make _AnalogMeter {\r\nLeft=9\r\nTitle=\"{\"\r\n}", "close", "close",
          "make _AnalogMeter {\r\nLeft=17\r\n}", "close", "close", "open NoSuchPanel", "Left=3",
          "close", "close"}},
        {"MainForm{\r\n  MainPanel{\r\n    _XYGraph1{\r\n    }\r\n"
         "    _BarGraph{\r\n      Left=1\r\n    }\r\n    _XYGraph2{\r\n    }\r\n  }\r\n}\r\n",
         KestrelBadFormat,
         {"open MainForm", "open MainPanel", "make _XYGraph {\r\n}", "close"}},
        {"MainForm{\r\n  Left=1\r\n  Name=\"a\x07\"\r\n  Top=2\r\n}",
         KestrelBadChar,
         {"open MainForm", "Left=1"}},
        {"MainForm{\r\n  MainPanel{\r\n    _BarGraph1{\r\n      Left=9\r\n      To",
         0,
         {"open MainForm", "open MainPanel", "make _BarGraph {\r\nLeft=9\r\nTo", "close"}},
        {"", 0, {}},
        {std::string("MainForm{\r\n  Left=4\0\r\n  Top=5\r\n}", 32),
         0,
         {"open MainForm", "Left=4"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 40));
        RecordingTarget target;
        EXPECT_EQ(ReadWorkText(c.text.c_str(), target), c.code);
        EXPECT_EQ(target.events, c.events);
    }
}

TEST(DesktopFitTest, ShrinksThenMovesLeftAndUpButNeverRightOrOntoTheWorkArea)
{
    using platform::TRect;
    const platform::TSize desktop{800, 600};
    const std::pair<TRect, TRect> desktopCases[] = {
        {{823, 0, 823 + 900, 540}, {0, 0, 800, 540}},
        {{300, 20, 5300, 320}, {0, 20, 800, 320}},
        {{700, 500, 800, 650}, {700, 450, 800, 600}},
        {{-50, -20, 150, 180}, {-50, -20, 150, 180}},
        {{10, 10, 20, 20}, {10, 10, 20, 20}},
        {{-16777215, 0, 16777215, 16777215}, {-16777215, 0, -16777215 + 800, 600}},
    };
    for (const auto& [window, fitted] : desktopCases)
        EXPECT_EQ(FitIntoDesktop(window, desktop), fitted);

    const TRect area{0, 30, 1920, 1080};  // below a 30-pixel panel
    const std::pair<TRect, TRect> areaCases[] = {
        {{823, 30, 1662, 540}, {823, 30, 1662, 540}},
        {{1100, 600, 1953, 1082}, {1067, 598, 1920, 1080}},  // size kept
        {{-20, 0, 600, 400}, {0, 30, 620, 430}},
        {{100, 40, 2100, 1200}, area},
    };
    for (const auto& [window, fitted] : areaCases)
        EXPECT_EQ(FitIntoWorkArea(window, area), fitted);
}

}  // namespace
