// The work file's tokenizer, block cutter and reading loop, on texts as the writer makes them and
// as a damaged or foreign file may hold them.
#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "app/DesktopFit.h"
#include "app/ExtractBlock.h"
#include "app/IndexedName.h"
#include "app/KestrelErr.h"
#include "app/WorkFileEncoding.h"
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

struct Token {
    TWorkToken kind;
    std::string name;
    std::int32_t integer = 0;
    std::string text;
    std::string rest;  // what follows the read position
};

Token ReadToken(const std::string& input)
{
    const char* pos = input.c_str();
    Token token{};
    token.integer = -777;
    token.kind = NextToken(pos, token.name, token.integer, token.text);
    token.rest = pos;
    return token;
}

TEST(WorkTokens, EachKindWithItsResultsAndPosition)
{
    Token t = ReadToken("PanelWright Work File Ver.1.0\r\nMainForm{");
    EXPECT_EQ(t.kind, TWorkToken::wtLineEnd);
    EXPECT_EQ(t.name, "PanelWright Work File Ver.1.0\r");
    EXPECT_EQ(t.rest, "MainForm{");

    t = ReadToken("  MainPanel {\r\n");
    EXPECT_EQ(t.kind, TWorkToken::wtBlockOpen);
    EXPECT_EQ(t.name, "MainPanel ");  // blanks before "{" belong to the name
    EXPECT_EQ(t.rest, "\r\n");

    t = ReadToken("    _BarGraph12{\r\n");
    EXPECT_EQ(t.kind, TWorkToken::wtIndicatorOpen);
    EXPECT_EQ(t.name, "_BarGraph");
    EXPECT_EQ(t.integer, 12);
    EXPECT_EQ(t.rest, "{\r\n");

    t = ReadToken("\r\n  }\r\n}");
    EXPECT_EQ(t.kind, TWorkToken::wtBlockClose);
    EXPECT_EQ(t.name, "");
    EXPECT_EQ(t.rest, "\r\n}");

    t = ReadToken("Tail}x");
    EXPECT_EQ(t.kind, TWorkToken::wtBlockClose);
    EXPECT_EQ(t.name, "Tail");
    EXPECT_EQ(t.rest, "x");

    t = ReadToken("    Left=-25\r\n");
    EXPECT_EQ(t.kind, TWorkToken::wtValue);
    EXPECT_EQ(t.name, "Left");
    EXPECT_EQ(t.integer, -25);
    EXPECT_EQ(t.rest, "\r\n");

    t = ReadToken("Title=\"\x83\x5e\x83\x43\x83\x67\x83\x8b {x}\"\r\n");
    EXPECT_EQ(t.kind, TWorkToken::wtValue);
    EXPECT_EQ(t.name, "Title");
    EXPECT_EQ(t.text, "\x83\x5e\x83\x43\x83\x67\x83\x8b {x}");
    EXPECT_EQ(t.integer, -777);  // a text value leaves the integer alone
    EXPECT_EQ(t.rest, "\r\n");

    t = ReadToken("NumericName={\"TACHO\"}\r\n");
    EXPECT_EQ(t.kind, TWorkToken::wtValueBlock);
    EXPECT_EQ(t.name, "NumericName");
    EXPECT_EQ(t.rest, "{\"TACHO\"}\r\n");
}

TEST(WorkTokens, ByteOfTheUpperHalfEndsTheScanWhateverFollows)
{
    // "ー" is 0x81 0x5B: its tail is "[" (inside "A" to "z"); after a lead byte the scan stops
    // at once, so even a "_" behind it is a name's byte and no indicator header.
    Token t = ReadToken("  \x81_Bar1{");
    EXPECT_EQ(t.kind, TWorkToken::wtBlockOpen);
    EXPECT_EQ(t.name, "_Bar1");
    t = ReadToken("\x83\x5b\x83\x4e{");
    EXPECT_EQ(t.kind, TWorkToken::wtBlockOpen);
    EXPECT_EQ(t.name, "\x5b\x83\x4e");  // the lead byte that stopped the scan is passed over
}

TEST(WorkTokens, MalformedIndicatorHeadersAndTheEndOfTheText)
{
    // No digits: the kind name runs on to the first digit of the next line.
    EXPECT_EQ(RaisedCode([] { ReadToken("_BarGraph{\r\n  Left=1\r\n"); }), KestrelBadFormat);
    EXPECT_EQ(RaisedCode([] { ReadToken("_BarGraph3 {\r\n"); }), KestrelBadFormat);
    EXPECT_EQ(RaisedCode([] { ReadToken("_BarGraph3\r\n{"); }), KestrelBadFormat);
    // Cut short inside a header, a name or before any token: a normal end.
    EXPECT_EQ(RaisedCode([] { ReadToken("_BarGr"); }), KestrelEnd);
    EXPECT_EQ(RaisedCode([] { ReadToken("_BarGraph3"); }), KestrelEnd);
    EXPECT_EQ(RaisedCode([] { ReadToken("MainFo"); }), KestrelEnd);
    EXPECT_EQ(RaisedCode([] { ReadToken(" \r\n\t "); }), KestrelEnd);
    EXPECT_EQ(RaisedCode([] { ReadToken(""); }), KestrelEnd);
    EXPECT_EQ(RaisedCode([] { ReadToken("Left="); }), KestrelEnd);
    EXPECT_EQ(RaisedCode([] { ReadToken("Title=\"abc"); }), KestrelBadChar);
}

TEST(WorkTokens, QuotedStringRefusesControlBytesAndKeepsDoubleBytes)
{
    const std::string good = "x=\"\x83\x8c\x83\x52 \xdf\"rest";
    const char* pos = good.c_str();
    EXPECT_EQ(ReadQuotedString(pos), "\x83\x8c\x83\x52 \xdf");
    EXPECT_STREQ(pos, "rest");

    for (const char* bad : {"\"a\tb\"", "\"a\rb\"", "\"a\nb\"", "\"a\x01\""}) {
        const std::string text = bad;
        EXPECT_EQ(RaisedCode([&] {
                      const char* p = text.c_str();
                      ReadQuotedString(p);
                  }),
                  KestrelBadChar)
            << bad;
    }
    EXPECT_EQ(RaisedCode([] {
                  const std::string none = "no quote at all";
                  const char* p = none.c_str();
                  ReadQuotedString(p);
              }),
              KestrelEnd);
}

TEST(WorkTokens, IntegersPassOverLineEndsAndSaturateBeyond32Bits)
{
    const auto read = [](const std::string& text, std::string* rest = nullptr) {
        const char* pos = text.c_str();
        const std::int32_t value = ReadInteger(pos);
        if (rest)
            *rest = pos;
        return value;
    };
    std::string rest;
    EXPECT_EQ(read("=\r\n  Top=20\r\n", &rest), 20);  // the line end is no stop
    EXPECT_EQ(rest, "\r\n");
    EXPECT_EQ(read("= - 7x", &rest), -7);
    EXPECT_EQ(rest, "x");
    EXPECT_EQ(read("=2147483647"), 2147483647);
    EXPECT_EQ(read("=-2147483648"), INT32_MIN);
    EXPECT_EQ(read("=2147483648"), INT32_MAX);
    EXPECT_EQ(read("=99999999999999999999999999999999"), INT32_MAX);
    EXPECT_EQ(read("=-99999999999999999999999999999999"), INT32_MIN);
    EXPECT_EQ(read("=0000000000000000000000000000012"), 12);
}

TEST(ExtractBlockTest, CopiesOneBlockWithoutIndentationKeepingLineEnds)
{
    const std::string file =
        "{\r\n      Left=9\r\n      Title=\"A\"\r\n      NumericName={\"TACHO\",\"SPEED\"}\r\n"
        "    }\r\n  }\r\n";
    const char* pos = file.c_str();
    std::string block;
    ASSERT_TRUE(ExtractBlock(block, pos));
    EXPECT_EQ(block, "{\r\nLeft=9\r\nTitle=\"A\"\r\nNumericName={\"TACHO\",\"SPEED\"}\r\n}");
    EXPECT_STREQ(pos, "\r\n  }\r\n");
}

TEST(ExtractBlockTest, CopyTextFormAndEmptyBlock)
{
    std::string block;
    const std::string copy = "{Left=17\r\nTop=25\r\n}";
    const char* pos = copy.c_str();
    ASSERT_TRUE(ExtractBlock(block, pos));
    EXPECT_EQ(block, copy);
    EXPECT_EQ(*pos, '\0');

    const std::string empty = "{}";
    pos = empty.c_str();
    ASSERT_TRUE(ExtractBlock(block, pos));
    EXPECT_EQ(block, "{}");
}

TEST(ExtractBlockTest, BracesInQuotedTextsAndDoubleByteTailsAreNotCounted)
{
    std::string block;
    const std::string quoted = "{\r\n  Title=\"}{ }}\"\r\n  Left=1\r\n}\r\nAfter";
    const char* pos = quoted.c_str();
    ASSERT_TRUE(ExtractBlock(block, pos));
    EXPECT_EQ(block, "{\r\nTitle=\"}{ }}\"\r\nLeft=1\r\n}");
    EXPECT_STREQ(pos, "\r\nAfter");

    // A quoted value runs to its line's last quote, whatever quotes and braces stand inside;
    // list lines count the braces around their items. With a single quote the value runs to
    // the line's end, and the next line counts again.
    for (const char* line : {"Title=\"a\"b{c\"", "Title=\"}x{\"", "Title=\"\"\"",
                             "NumericName={\"A\",\"B}\"}", "Title=\"open{"}) {
        const std::string text = std::string("{\r\n  ") + line + "\r\n}\r\n}x";
        pos = text.c_str();
        ASSERT_TRUE(ExtractBlock(block, pos)) << line;
        EXPECT_EQ(block, std::string("{\r\n") + line + "\r\n}") << line;
    }

    // 0x83 0x7D is a double-byte character whose tail is "}".
    const std::string tail = "{\r\n  Key\x83}=1\r\n}x";
    pos = tail.c_str();
    ASSERT_TRUE(ExtractBlock(block, pos));
    EXPECT_STREQ(pos, "x");
}

TEST(ExtractBlockTest, TextEndingInsideOrBeforeTheBlock)
{
    std::string block;
    const std::string cut = "{\r\n  Left=9\r\n  Top=";
    const char* pos = cut.c_str();
    EXPECT_FALSE(ExtractBlock(block, pos));
    EXPECT_EQ(block, "{\r\nLeft=9\r\nTop=");
    EXPECT_EQ(pos, cut.c_str() + cut.size());

    // Only indentation left after a whole line: the position does not move.
    const std::string blanks = "{\r\n   \r\n  ";
    pos = blanks.c_str();
    EXPECT_FALSE(ExtractBlock(block, pos));
    EXPECT_EQ(pos, blanks.c_str());

    const std::string none = "no brace";
    pos = none.c_str();
    EXPECT_FALSE(ExtractBlock(block, pos));
    EXPECT_EQ(block, "");
    EXPECT_EQ(pos, none.c_str());
}

TEST(IndexedNameTest, PrefixDirectlyFollowedByDigits)
{
    std::int32_t number = -1;
    EXPECT_TRUE(ParseIndexedName("_BarGraph", QStringLiteral("_BarGraph3"), number));
    EXPECT_EQ(number, 3);
    EXPECT_TRUE(ParseIndexedName("_XYGraph", QStringLiteral("_XYGraph12x"), number));
    EXPECT_EQ(number, 12);
    // Leading characters below "A" ("_" is above it) are skipped.
    EXPECT_TRUE(ParseIndexedName("NumericList", QStringLiteral("  NumericList7"), number));
    EXPECT_EQ(number, 7);
    EXPECT_FALSE(ParseIndexedName("_BarGraph", QStringLiteral("_BarGraph"), number));
    EXPECT_FALSE(ParseIndexedName("_BarGraph", QStringLiteral("_BarGraphX1"), number));
    EXPECT_FALSE(ParseIndexedName("_AnalogMeter", QStringLiteral("_BarGraph1"), number));
    EXPECT_FALSE(ParseIndexedName("_BarGraph", QStringLiteral("_bargraph1"), number));
    EXPECT_FALSE(ParseIndexedName("_Bar", QStringLiteral("    "), number));
    EXPECT_FALSE(ParseIndexedName("_Bar", QString(), number));
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

std::vector<std::string> Read(const std::string& text, int expectedCode = 0)
{
    RecordingTarget target;
    EXPECT_EQ(ReadWorkText(text.c_str(), target), expectedCode);
    return target.events;
}

using Events = std::vector<std::string>;

TEST(WorkFileReaderTest, WalksAFileAsTheWriterMakesIt)
{
    const std::string file = "PanelWright Work File Ver.1.0\r\n"
                             "MainForm{\r\n"
                             "  Left=823\r\n  Top=0\r\n  Width=845\r\n  Height=540\r\n"
                             "  MainPanel{\r\n"
                             "    Left=0\r\n    Top=30\r\n    Width=845\r\n    Height=491\r\n"
                             "    _AnalogMeter5{\r\n      Left=9\r\n      Title=\"{\"\r\n    }\r\n"
                             "    _AnalogMeter9{\r\n      Left=17\r\n    }\r\n"
                             "  }\r\n"
                             "}\r\n"
                             "Left=1\r\n";  // behind the outermost block: never read
    EXPECT_EQ(Read(file),
              (Events{"open MainForm", "Left=823", "Top=0", "Width=845", "Height=540",
                      "open MainPanel", "Left=0", "Top=30", "Width=845", "Height=491",
                      "make _AnalogMeter {\r\nLeft=9\r\nTitle=\"{\"\r\n}", "close",
                      "make _AnalogMeter {\r\nLeft=17\r\n}", "close", "close", "close"}));
}

TEST(WorkFileReaderTest, KindWithoutClassIsPassedOverWithItsBraces)
{
    const std::string file =
        "MainForm{\r\n  MainPanel{\r\n"
        "    _Recorder1{\r\n      Left=5\r\n      Sub={\r\n      }\r\n    }\r\n"
        "    _BarGraph1{\r\n      Left=33\r\n    }\r\n"
        "  }\r\n  Width=100\r\n}\r\n";
    EXPECT_EQ(Read(file),
              (Events{"open MainForm", "open MainPanel", "close",
                      "make _BarGraph {\r\nLeft=33\r\n}", "close", "close", "Width=100", "close"}));
}

TEST(WorkFileReaderTest, ForeignBlocksKeysAndTextsCostNothing)
{
    const std::string file = "Some other first line\r\n"
                             "MainForm{\r\n  Colour=5\r\n  Caption=\"x\"\r\n"
                             "  NoSuchPanel{\r\n    Left=3\r\n  }\r\n"
                             "  Left=2\r\n}\r\n";
    EXPECT_EQ(Read(file), (Events{"open MainForm", "Colour=5", "open NoSuchPanel", "Left=3",
                                  "close", "Left=2", "close"}));
}

TEST(WorkFileReaderTest, MalformedHeaderStopsTheLoadAfterWhatCameBefore)
{
    const std::string file =
        "MainForm{\r\n  MainPanel{\r\n    _XYGraph1{\r\n    }\r\n"
        "    _BarGraph{\r\n      Left=1\r\n    }\r\n    _XYGraph2{\r\n    }\r\n  }\r\n}\r\n";
    EXPECT_EQ(Read(file, KestrelBadFormat),
              (Events{"open MainForm", "open MainPanel", "make _XYGraph {\r\n}", "close"}));
    EXPECT_EQ(Read("MainForm{\r\n  Left=1\r\n  Name=\"a\x07\"\r\n  Top=2\r\n}", KestrelBadChar),
              (Events{"open MainForm", "Left=1"}));
}

TEST(WorkFileReaderTest, CutShortEmptyOrBinaryTextsEndNormally)
{
    EXPECT_EQ(
        Read("MainForm{\r\n  MainPanel{\r\n    _BarGraph1{\r\n      Left=9\r\n      To"),
        (Events{"open MainForm", "open MainPanel", "make _BarGraph {\r\nLeft=9\r\nTo", "close"}));
    EXPECT_EQ(Read(""), Events{});
    EXPECT_EQ(Read(std::string("MainForm{\r\n  Left=4\0\r\n  Top=5\r\n}", 32)),
              (Events{"open MainForm", "Left=4"}));
}

TEST(WorkFileReaderTest, LargeRandomTextsEndInOnePass)
{
    std::mt19937 random(20261206);
    // Bytes drawn so that braces, quotes, "_", digits and line ends are frequent.
    const std::string alphabet = "{}{}\"\"__=0123456789\r\n\r\n  AZaz\x81\x83\xdf\x01-";
    for (int round = 0; round < 3; ++round) {
        std::string text(5 * 1024 * 1024, ' ');
        for (char& c : text)
            c = alphabet[random() % alphabet.size()];
        RecordingTarget target;
        const int code = ReadWorkText(text.c_str(), target);
        EXPECT_GE(code, 0);
        EXPECT_LE(code, 2);
    }
}

TEST(DesktopFitTest, ShrinksThenMovesLeftAndUpButNeverRight)
{
    const platform::TSize desktop{800, 600};
    using platform::TRect;
    EXPECT_EQ(FitIntoDesktop({823, 0, 823 + 900, 540}, desktop), (TRect{0, 0, 800, 540}));
    EXPECT_EQ(FitIntoDesktop({700, 500, 800, 650}, desktop), (TRect{700, 450, 800, 600}));
    EXPECT_EQ(FitIntoDesktop({-50, -20, 150, 180}, desktop), (TRect{-50, -20, 150, 180}));
    EXPECT_EQ(FitIntoDesktop({10, 10, 20, 20}, desktop), (TRect{10, 10, 20, 20}));
    EXPECT_EQ(FitIntoDesktop({-16777215, 0, 16777215, 16777215}, desktop),
              (TRect{-16777215, 0, -16777215 + 800, 600}));
}

TEST(DesktopFitTest, OnTheWorkAreaAWindowIsMovedInsideWholeAndShrunkOnlyWhereLarger)
{
    // A work area below a 30-pixel panel, 1920 by 1050.
    const platform::TRect area{0, 30, 1920, 1080};
    using platform::TRect;
    // Inside already: unchanged.
    EXPECT_EQ(FitIntoWorkArea({823, 30, 1662, 540}, area), (TRect{823, 30, 1662, 540}));
    // Past the right and bottom edges: moved left and up, size kept.
    EXPECT_EQ(FitIntoWorkArea({1100, 600, 1953, 1082}, area), (TRect{1067, 598, 1920, 1080}));
    // Above and left of the work area: moved right and down.
    EXPECT_EQ(FitIntoWorkArea({-20, 0, 600, 400}, area), (TRect{0, 30, 620, 430}));
    // Larger than the work area: as large as the work area, on it.
    EXPECT_EQ(FitIntoWorkArea({100, 40, 2100, 1200}, area), area);
}

TEST(WorkFileEncodingTest, CodePage932WithCrLfAfterEveryLine)
{
    const QStringList lines{QString::fromLatin1(WorkFileHeader),
                            QStringLiteral("  Title=\"油温\"")};
    EXPECT_EQ(EncodeWorkLines(lines),
              "PanelWright Work File Ver.1.0\r\n  Title=\"\x96\xfb\x89\xb7\"\r\n");
    EXPECT_EQ(EncodeWorkLines({}), "");
}

TEST(KestrelErrTest, MessagesOfTheCodes)
{
    EXPECT_EQ(KestrelErrMessage(1), QStringLiteral("不正文字検出"));
    EXPECT_EQ(KestrelErrMessage(2), QStringLiteral("不正フォーマット"));
    EXPECT_EQ(KestrelErrMessage(3), QStringLiteral("Cellサイズオーバーフロー"));
    EXPECT_EQ(KestrelErrMessage(4), QStringLiteral("グリッドカウントがゼロ"));
    EXPECT_EQ(KestrelErrMessage(5), QStringLiteral("グリッドカウントがオーバー"));
    EXPECT_EQ(KestrelErrMessage(6), QStringLiteral("不明なエラー"));
    EXPECT_EQ(KestrelErrMessage(-1), QStringLiteral("不明なエラー"));
}

}  // namespace
