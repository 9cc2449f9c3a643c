// The work file's tokenizer and block cutter, on texts as the writer makes them and as a damaged
// or foreign file may hold them (the reading loop is seen loading files in WorkFileTest); the
// window's fit onto the desktop.
#include <gtest/gtest.h>

#include <string>

#include "app/DesktopFit.h"
#include "app/ExtractBlock.h"
#include "app/KestrelErr.h"
#include "app/WorkFileReader.h"
#include "app/WorkTokens.h"

namespace {

// One token read from the input: "kind name integer text|rest", or "!code" for what it raised.
std::string Token(const std::string& input)
{
    const char* pos = input.c_str();
    std::string name, text;
    std::int32_t integer = -7;
    try {
        const int kind = static_cast<int>(NextToken(pos, name, integer, text));
        return std::to_string(kind) + " " + name + " " + std::to_string(integer) + " " + text +
               "|" + pos;
    } catch (const TKestrelErr& error) {
        return "!" + std::to_string(error.Code);
    }
}

TEST(WorkTokens, EachKindWithItsNameValueAndPositionOrTheCodeItRaises)
{
    const std::pair<std::string, std::string> cases[] = {
        {"Header Ver.1.0\r\nMainForm{", "0 Header Ver.1.0\r -7 |MainForm{"},  // line end
        {"  MainPanel {\r\n", "1 MainPanel  -7 |\r\n"},                       // block open
        {"    _BarGraph12{\r\n", "2 _BarGraph 12 |{\r\n"},                    // indicator open
        {"\r\n  }\r\n}", "3  -7 |\r\n}"},                                     // block close
        {"    Left=-25\r\n", "4 Left -25 |\r\n"},                             // value
        // An integer: its digits after whatever comes first, line ends too, within 32 bits.
        {"K=\r\n  Top=20\r\n", "4 K 20 |\r\n"},
        {"K=2147483648", "4 K 2147483647 |"},
        {"K=-99999999999999999999999999999999", "4 K -2147483648 |"},
        {"K=0000000000000000000000000000012", "4 K 12 |"},
        {"Title=\"\x83\x5e\x83\x43 {x}\"\r\n", "4 Title -7 \x83\x5e\x83\x43 {x}|\r\n"},
        {"NumericName={\"TACHO\"}\r\n", "5 NumericName -7 |{\"TACHO\"}\r\n"},  // value block
        // After a byte of the upper half the scan stops: even "_" behind it is a name's byte.
        {"  \x81_Bar1{", "1 _Bar1 -7 |"},
        {"_BarGraph{\r\n  Left=1\r\n", "!2"},  // a malformed header
        {"_BarGr", "!0"},                      // cut short: a normal end
        {"Title=\"abc", "!1"},                 // a bad text
    };
    for (const auto& [input, token] : cases)
        EXPECT_EQ(Token(input), token) << input;
}

TEST(ExtractBlockTest, CopiesOneBlockWithoutIndentationCountingOnlyBracesOutsideTexts)
{
    // Whether the block is whole, the block and what follows it.
    const std::pair<std::string, std::string> cases[] = {
        {"{\r\n      Left=9\r\n      NumericName={\"TACHO\",\"SPEED\"}\r\n    }\r\n  }\r\n",
         "1{\r\nLeft=9\r\nNumericName={\"TACHO\",\"SPEED\"}\r\n}|\r\n  }\r\n"},
        // A quoted value runs to its line's last quote, whatever stands inside, or to its end.
        {"{\r\n  Title=\"a\"b{c\"\r\n}\r\n}x", "1{\r\nTitle=\"a\"b{c\"\r\n}|\r\n}x"},
        {"{\r\n  Title=\"open{\r\n}x", "1{\r\nTitle=\"open{\r\n}|x"},
        {"{\r\n  Key\x83}=1\r\n}x", "1{\r\nKey\x83}=1\r\n}|x"},  // a double-byte tail
        {"{\r\n  Left=9\r\n  Top=", "0{\r\nLeft=9\r\nTop=|"},
        {"no brace", "0|no brace"},
    };
    for (const auto& [input, outcome] : cases) {
        const char* pos = input.c_str();
        std::string block;
        const bool whole = ExtractBlock(block, pos);
        EXPECT_EQ(std::to_string(whole) + block + "|" + pos, outcome) << input;
    }
}

// A window of two controls and bar graphs; what the loop skips, as "part:text".
struct SkipRecorder : TWorkFileTarget {
    bool OpenControl(const std::string& name) override
    {
        return current = name == "MainForm" || name == "MainPanel";
    }
    void CloseControl() override { current = false; }
    bool ControlValue(const std::string& key, std::int32_t) override
    {
        return current && (key == "Left" || key == "Top" || key == "Width" || key == "Height");
    }
    bool CreateIndicator(const std::string& prefix, const char*& pos) override
    {
        std::string block;
        return prefix == "_BarGraph" && (ExtractBlock(block, pos), ++made);
    }
    void Skipped(TSkippedPart part, const std::string& text) override
    {
        skipped.push_back(std::to_string(int(part)) + ":" + text);
    }
    std::vector<std::string> skipped;
    int made = 0;
    bool current = false;
};

TEST(WorkFileReader, NamesWhatNoControlOrIndicatorTakesOnceALineButNeverTheHeader)
{
    using namespace std::string_literals;
    std::string many = "H\r\nMainPanel{\r\n";
    for (int i = 0; i <= WorkFileIndicatorLimit; ++i)
        many += "_BarGraph" + std::to_string(i) + "{\r\n}\r\n";
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"Other=9.0\r\nMainForm{\r\n  Left=1\r\n  _BarGraph1{\r\n    Key=1\r\n  }\r\n  Lef",
         {"3:Lef", "1 made"}},
        {"H\r\nMainForm{\r\n  Caption=\"x\"\r\n  Foo=1\r\n  Bar={\r\n  # Left=1\r\n  free text\r\n"
         "  Panel2{\r\n    Width=1\r\n    Sub{\r\n    }\r\n  }\r\n  _Recorder1{\r\n    Top=1\r\n"
         "  }\r\n  Top=2\r\n}\r\n\r\n trailer\r\n\0\0rest\0"s,
         {"2:Caption", "2:Foo", "2:Bar", "3:# Left=1", "3:free text", "1:Panel2", "0:_Recorder1",
          "2:Top", "3:trailer", "3:rest", "0 made"}},
        {many + "_Recorder1{}\r\n", {"4:_BarGraph1000", "1000 made"}},
    };
    for (const auto& [text, skipped] : cases) {
        SkipRecorder target;
        EXPECT_EQ(ReadWorkText(text.c_str(), target, text.c_str() + text.size()), KestrelEnd);
        target.skipped.push_back(std::to_string(target.made) + " made");
        EXPECT_EQ(target.skipped, skipped) << text.substr(0, 60);
    }
}

TEST(DesktopFitTest, ShrinksThenMovesLeftAndUpButNeverRightOrOntoTheWorkArea)
{
    using platform::TRect;
    const std::pair<TRect, TRect> desktopCases[] = {
        {{823, 0, 823 + 900, 540}, {0, 0, 800, 540}},
        {{300, 20, 5300, 320}, {0, 20, 800, 320}},
        {{700, 500, 800, 650}, {700, 450, 800, 600}},
        {{-50, -20, 150, 180}, {-50, -20, 150, 180}},
    };
    for (const auto& [window, fitted] : desktopCases)
        EXPECT_EQ(FitIntoDesktop(window, {800, 600}), fitted);
    const TRect area{0, 30, 1920, 1080};  // below a 30-pixel panel
    EXPECT_EQ(FitIntoWorkArea({1100, 600, 1953, 1082}, area), (TRect{1067, 598, 1920, 1080}));
    EXPECT_EQ(FitIntoWorkArea({100, 40, 2100, 1200}, area), area);
    // The main window is only moved: across the work area where wider, its top on the work
    // area's where higher.
    EXPECT_EQ(MoveOntoWorkArea({-300, 0, 2100, 1200}, area), (TRect{-300, 30, 2100, 1230}));
    EXPECT_EQ(MoveOntoWorkArea({-700, 100, 1700, 400}, area), (TRect{-480, 100, 1920, 400}));
}

}  // namespace
