#include <gtest/gtest.h>
#include <QListWidget>

#include "NumericListTestSupport.h"
#include "platform/Cp932.h"
#include "platform/Exceptions.h"

using namespace numeric_list_test;
using platform::TColor;
using platform::TRect;

namespace {

class NumericListTest : public ::testing::Test {
protected:
    void SetUp() override { ResetChannels(); }
    void TearDown() override { ResetChannels(); }

    std::unique_ptr<TNumericList> MakeList(TPLUT table = SourceIndexQ7)
    {
        auto list = std::make_unique<TNumericList>(&panel, table);
        list->setParent(&panel);
        return list;
    }

    // A list with the TACHO and SPEED rows, painted.
    std::unique_ptr<TNumericList> MakeTachoSpeed()
    {
        auto list = MakeList();
        list->SetNumStrList(QStringList{"Tacho[rpm]", "Speed[km/h]"});
        list->Paint();
        return list;
    }

    static TColor Screen(TColor color) { return platform::FromQRgb(platform::ToQRgb(color)); }

    QWidget panel;
};

TEST_F(NumericListTest, NewListHasItsDefaultsAndPaintsTitleOverAnEmptyList)
{
    auto list = MakeList();
    EXPECT_EQ(list->HeightTitle(), 16);
    EXPECT_EQ(list->HeightList(), 16);
    EXPECT_EQ(list->ColorTitle(), 0);
    EXPECT_EQ(list->ColorList(), 0xFF0000);
    EXPECT_EQ(list->ColorBack(), 0xF0F0F0);
    EXPECT_EQ(list->Title(), QStringLiteral("Numeric List"));
    EXPECT_EQ(list->NumRectCount, 0);
    EXPECT_EQ(list->NumRectArray, nullptr);
    EXPECT_EQ(list->RowCapacity(), 0);

    list->Paint();
    const int width = list->Width();
    const int height = list->Height();
    EXPECT_GE(height, 16 + 12);
    EXPECT_GE(width, TextWidthAt(*list, 16, "Numeric List") + 8);
    EXPECT_EQ(list->Inner(), (TRect{4, 24, width - 4, height - 4}));

    platform::Canvas& canvas = list->Canvas();
    EXPECT_EQ(canvas.Pixel(0, 0), Screen(platform::clBtnHighlight));
    EXPECT_EQ(canvas.Pixel(width - 1, height - 1), Screen(platform::clBtnShadow));
    EXPECT_EQ(canvas.Pixel(4, 24), Screen(platform::clBtnShadow));
    EXPECT_EQ(canvas.Pixel(width - 5, height - 5), Screen(platform::clBtnHighlight));
    EXPECT_EQ(canvas.Pixel(width / 2, height - 6), 0xF0F0F0);
    int titleInk = 0;
    for (int y = 4; y < 20; ++y)
        for (int x = 1; x < width - 1; ++x)
            titleInk += canvas.Pixel(x, y) == 0;
    EXPECT_GT(titleInk, 20);
}

TEST_F(NumericListTest, TachoAndSpeedRowsGetBoxesOfTheirTemplatesAndRoomForDescriptions)
{
    auto list = MakeTachoSpeed();
    const int tachoNeed =
        TextWidthAt(*list, 16, "Tacho[rpm]") + TextWidthAt(*list, 16, "88888") + 16;
    const int speedNeed =
        TextWidthAt(*list, 16, "Speed[km/h]") + TextWidthAt(*list, 16, "888888") + 16;
    EXPECT_EQ(list->Width(), std::max(tachoNeed, speedNeed));
    EXPECT_EQ(list->Height(), 2 * 18 + 16 + 12);

    const TRect tacho = list->NumRectArray[0].ValueRect;
    const TRect speed = list->NumRectArray[1].ValueRect;
    EXPECT_EQ(tacho, (TRect{list->Width() - 8 - TextWidthAt(*list, 16, "88888"), 25,
                            list->Width() - 8, 41}));
    EXPECT_EQ(speed, (TRect{list->Width() - 8 - TextWidthAt(*list, 16, "888888"), 43,
                            list->Width() - 8, 59}));
    // The description ends before its value box.
    EXPECT_LE(8 + TextWidthAt(*list, 16, "Speed[km/h]"), speed.Left);

    Speed = 1234;
    list->SetValue();
    EXPECT_EQ(Region(*list, speed), ExpectedBox(*list, speed, "12.34"));
    EXPECT_EQ(Region(*list, tacho), ExpectedBox(*list, tacho, "0"));
}

TEST_F(NumericListTest, ThePaintedSizeNeverShrinksAndComesBackAfterBeingMadeTooSmall)
{
    auto list = MakeTachoSpeed();
    const int width = list->Width();
    const int height = list->Height();
    list->SetBounds(9, 9, 400, 300);
    list->Paint();
    EXPECT_EQ(list->Width(), 400);
    EXPECT_EQ(list->Height(), 300);
    list->SetBounds(9, 9, 0, 0);  // a mouse resize may narrow a list to nothing
    list->Paint();
    EXPECT_EQ(list->Width(), width);
    EXPECT_EQ(list->Height(), height);
}

TEST_F(NumericListTest, AShorterValueLeavesNoDigitsOfTheLongerOne)
{
    auto list = MakeTachoSpeed();
    const TRect tacho = list->NumRectArray[0].ValueRect;
    Tacho = 12345;
    list->SetValue();
    EXPECT_EQ(Region(*list, tacho), ExpectedBox(*list, tacho, "12345"));
    Tacho = 7;
    list->SetValue();
    EXPECT_EQ(Region(*list, tacho), ExpectedBox(*list, tacho, "7"));

    // What SetValue leaves is exactly what a whole repaint draws.
    const QImage drawn = list->Surface().copy();
    list->Paint();
    EXPECT_EQ(list->Surface(), drawn);
}

TEST_F(NumericListTest, OnlyChangedValuesAreRedrawnAndPaintRedrawsThemAll)
{
    auto list = MakeTachoSpeed();
    const TRect tacho = list->NumRectArray[0].ValueRect;
    Tacho = 3000;
    list->SetValue();
    EXPECT_EQ(list->NumRectArray[0].Value, 3000);

    list->Canvas().SetPixel(tacho.Left, tacho.Top, platform::clRed);
    list->SetValue();  // nothing changed: the box is left alone
    EXPECT_EQ(list->Canvas().Pixel(tacho.Left, tacho.Top), platform::clRed);
    list->Paint();
    EXPECT_EQ(Region(*list, tacho), ExpectedBox(*list, tacho, "3000"));
}

TEST_F(NumericListTest, AValueWiderThanItsBoxIsDrawnWholeAndGivesTheDescriptionBackLater)
{
    auto list = MakeTachoSpeed();
    const TRect tacho = list->NumRectArray[0].ValueRect;
    const std::string wide = "-32768";  // the meter's most negative reading
    const int wideWidth = TextWidthAt(*list, 16, wide);
    ASSERT_GT(wideWidth, tacho.Width());

    Tacho = -32768;
    list->SetValue();
    const TRect drawn{tacho.Right - wideWidth, tacho.Top, tacho.Right, tacho.Bottom};
    EXPECT_EQ(Region(*list, drawn), ExpectedBox(*list, drawn, wide));  // whole, no "###"

    Tacho = 7;
    list->SetValue();
    const QImage afterValue = list->Surface().copy();
    list->Paint();
    EXPECT_EQ(list->Surface(), afterValue);
}

TEST_F(NumericListTest, ANarrowerValueThatStillOverrunsLeavesNoDigitOfTheWiderOne)
{
    static std::int32_t gear = 0;
    static const TPortInfo table[] = {
        {"GEAR", "Gear position", &gear, 0, 1},
        {"", "", nullptr, 0, 0},
    };
    auto list = MakeList(table);
    list->LoadProperty("NumericName={\"GEAR\"}");
    list->Paint();
    gear = 123;  // three digits in a box of one
    list->SetValue();
    gear = 45;
    list->SetValue();
    const QImage afterValue = list->Surface().copy();
    list->Paint();
    EXPECT_EQ(list->Surface(), afterValue);
    gear = 0;
}

TEST_F(NumericListTest, RowsWithoutChannelKeepTheirPlaceAndShowNothing)
{
    auto list = MakeList();
    list->SetNumStrList(QStringList{"Tacho[rpm]", "No such channel", "Speed[km/h]"});
    list->Paint();
    ASSERT_EQ(list->NumRectCount, 3);
    const TRect empty = list->NumRectArray[1].ValueRect;
    EXPECT_EQ(empty.Width(), 0);
    EXPECT_EQ(empty.Top, 24 + 1 + 18);
    EXPECT_EQ(list->NumRectArray[2].ValueRect.Top, 24 + 1 + 2 * 18);
    Speed = 55;
    list->SetValue();
    EXPECT_EQ(list->NumRectArray[1].Value, 0);
    EXPECT_EQ(list->NumRectArray[2].Value, 55);
}

TEST_F(NumericListTest, ATableRowWithMoreThanNineDigitsTakesTheWidestTemplate)
{
    static std::int32_t wideValue = 0;
    static const TPortInfo table[] = {
        {"WIDE", "Wide[-]", &wideValue, 0, 12},
        {"", "", nullptr, 0, 0},
    };
    EXPECT_EQ(DigitTemplate(9), "8888888888");
    EXPECT_EQ(DigitTemplate(12), "8888888888");
    EXPECT_EQ(DigitTemplate(0), "");

    auto list = MakeList(table);
    list->LoadProperty("NumericName={\"WIDE\"}");
    list->Paint();
    EXPECT_EQ(list->NumRectArray[0].ValueRect.Width(), TextWidthAt(*list, 16, "8888888888"));
}

TEST_F(NumericListTest, ValuesWaitForTheFirstPaint)
{
    auto list = MakeList();
    list->LoadProperty("NumericName={\"TACHO\"}");
    const QImage before = list->Surface().copy();
    Tacho = 5;
    list->SetValue();  // no value boxes yet
    EXPECT_EQ(list->Surface(), before);
    EXPECT_EQ(list->NumRectArray[0].Value, 0);
    list->Paint();
    const TRect tacho = list->NumRectArray[0].ValueRect;
    EXPECT_EQ(Region(*list, tacho), ExpectedBox(*list, tacho, "5"));
}

TEST_F(NumericListTest, TheRowBufferGrowsInBlocksWithOneSpareRowAndNeverShrinks)
{
    auto list = MakeList();
    list->GetNumListMemory(15);
    EXPECT_EQ(list->RowCapacity(), 16);
    for (int i = 0; i < 15; ++i)
        list->NumRectArray[i].Value = 100 + i;
    TNumRect* first = list->NumRectArray.get();

    list->GetNumListMemory(16);
    EXPECT_EQ(list->RowCapacity(), 32);
    EXPECT_NE(list->NumRectArray.get(), first);
    for (int i = 0; i < 15; ++i)
        EXPECT_EQ(list->NumRectArray[i].Value, 100 + i);
    EXPECT_EQ(list->NumRectArray[31].Value, 0);

    TNumRect* grown = list->NumRectArray.get();
    list->GetNumListMemory(15);
    EXPECT_EQ(list->RowCapacity(), 16);
    EXPECT_EQ(list->NumRectArray.get(), grown);
    EXPECT_EQ(list->NumRectArray[14].Value, 114);
}

TEST_F(NumericListTest, SetNumStrListTakesDescriptionsAndKeepsValuesAndBoxes)
{
    auto list = MakeTachoSpeed();
    Tacho = 42;
    list->SetValue();
    const TRect tachoBox = list->NumRectArray[0].ValueRect;

    QListWidget box;
    box.addItems({"Speed[km/h]", "Speed", QString::fromUtf8("Coolant temp[ﾟc]")});
    list->SetNumStrList(&box);
    ASSERT_EQ(list->NumRectCount, 3);
    EXPECT_EQ(list->NumRectArray[0].PortInfo.Designator, "SPEED");
    EXPECT_EQ(list->NumRectArray[0].Value, 42);
    EXPECT_EQ(list->NumRectArray[0].ValueRect, tachoBox);
    EXPECT_EQ(list->NumRectArray[1].PortInfo.Address, nullptr);
    EXPECT_EQ(list->NumRectArray[2].PortInfo.Designator, "COOLANT");
}

// Property lines

std::string Joined(const QStringList& lines)
{
    std::string text;
    for (const QString& line : lines)
        text += platform::ToCp932(line) + "\r\n";
    return text;
}

std::vector<std::string> Designators(const TNumericList& list)
{
    std::vector<std::string> rows;
    for (int i = 0; i < list.NumRectCount; ++i)
        rows.push_back(list.NumRectArray[i].PortInfo.Designator);
    return rows;
}

TEST_F(NumericListTest, SavedLinesFollowTheKeyOrderAndTheRowsComeLast)
{
    auto list = MakeList();
    list->SetBounds(9, 17, 120, 64);
    QStringList lines;
    list->SaveProperty(lines, "  ");
    EXPECT_EQ(lines,
              (QStringList{"  Left=9", "  Top=17", "  Width=120", "  Height=64", "  HeightTitle=16",
                           "  HeightList=16", "  ColorTitle=0", "  ColorList=16711680",
                           "  ColorBack=15790320", "  Title=\"Numeric List\""}));

    list->SetNumStrList(QStringList{"Throttle[%]", "nothing", "Tacho[rpm]"});
    lines.clear();
    list->SaveProperty(lines, "");
    ASSERT_EQ(lines.size(), 11);
    EXPECT_EQ(lines.back(), "NumericName={\"THROT\",\"\",\"TACHO\"}");
}

TEST_F(NumericListTest, PropertiesRoundTripWithForeignKeysInBetween)
{
    auto list = MakeList();
    list->SetBounds(33, 41, 200, 150);
    list->SetHeightTitle(20);
    list->SetHeightList(13);
    list->SetColorTitle(0x0000FF);
    list->SetColorList(std::int32_t(0xFF000010));
    list->SetColorBack(0x123456);
    list->SetTitle(QString::fromUtf8("計器 一覧"));
    list->SetNumStrList(QStringList{"Tacho[rpm]", "Speed[km/h]"});

    QStringList lines;
    list->SaveProperty(lines, "    ");
    lines.insert(4, "    ScaleAngle=270");
    lines.insert(7, "    IoName=\"TACHO\"");
    lines.insert(9, "    Vertical=-1");

    auto loaded = MakeList();
    loaded->LoadProperty(Joined(lines));
    EXPECT_EQ(loaded->Left(), 33);
    EXPECT_EQ(loaded->Top(), 41);
    EXPECT_EQ(loaded->Width(), 200);
    EXPECT_EQ(loaded->Height(), 150);
    EXPECT_EQ(loaded->HeightTitle(), 20);
    EXPECT_EQ(loaded->HeightList(), 13);
    EXPECT_EQ(loaded->ColorTitle(), 0x0000FF);
    EXPECT_EQ(loaded->ColorList(), std::int32_t(0xFF000010));
    EXPECT_EQ(loaded->ColorBack(), 0x123456);
    EXPECT_EQ(loaded->Title(), QString::fromUtf8("計器 一覧"));
    EXPECT_EQ(Designators(*loaded), (std::vector<std::string>{"TACHO", "SPEED"}));
    EXPECT_EQ(loaded->NumRectArray[1].PortInfo.Address, &Speed);
}

struct NumericNameCase {
    const char* text;
    std::vector<std::string> rows;
};

TEST_F(NumericListTest, TheNumericNameLineGivesOneRowPerQuotedDesignator)
{
    const NumericNameCase cases[] = {
        {"NumericName={\"TACHO\",\"SPEED\"}", {"TACHO", "SPEED"}},
        {"  NumericName = { \"TACHO\" , \"SPEED\" }\r\n", {"TACHO", "SPEED"}},
        {"NumericName={\"TACHO\",\"NOPE\",\"SPEED\"}", {"TACHO", "", "SPEED"}},  // empty row kept
        {"NumericName={\"THROT\",\"\",\"TACHO\"}", {"THROT"}},  // an empty text ends the list
        {"NumericName={\"tacho\"}", {""}},                      // designators are case-sensitive
        {"NumericName{\"TACHO\",\"SPEED\"}", {}},               // no "="
        {"NumericName=\"TACHO\",\"SPEED\"", {}},                // no "{"
        {"NumericName", {}},
        {"NumericName={}", {}},
        {"NumericName={\"\"}", {}},
        // Quoted texts behind the closing brace count as rows too.
        {"NumericName={\"TACHO\"}\r\nMarker=\"SPEED\"", {"TACHO", "SPEED"}},
    };
    for (const NumericNameCase& c : cases) {
        SCOPED_TRACE(c.text);
        auto list = MakeList();
        list->LoadProperty(c.text);
        EXPECT_EQ(Designators(*list), c.rows);
        if (list->NumRectCount > 0) {
            EXPECT_GE(list->RowCapacity(), list->NumRectCount + 1);
        }
    }
}

TEST_F(NumericListTest, AnEmptyNumericNameListStillTakesABlockAndEndsTheBlock)
{
    auto list = MakeList();
    list->LoadProperty("NumericName={}\r\nHeightList=30\r\n");
    EXPECT_EQ(list->NumRectCount, 0);
    EXPECT_EQ(list->RowCapacity(), 16);
    EXPECT_EQ(list->HeightList(), 16);  // the list's closing brace ended the block
}

TEST_F(NumericListTest, AMissingBraceLeavesTheRowsAsTheyWere)
{
    auto list = MakeList();
    list->SetNumStrList(QStringList{"Tacho[rpm]"});
    list->LoadProperty("NumericName=\"SPEED\"\r\nHeightList=30\r\n");
    EXPECT_EQ(Designators(*list), (std::vector<std::string>{"TACHO"}));
    EXPECT_EQ(list->HeightList(), 30);
}

TEST_F(NumericListTest, AKeyWithAFullWidthCharacterStopsLoadingKeepingWhatWasApplied)
{
    auto list = MakeList();
    EXPECT_THROW(list->LoadProperty("HeightList=20\r\n\x82\xA0=1\r\nHeightTitle=30\r\n"),
                 platform::EPlatformError);
    EXPECT_EQ(list->HeightList(), 20);
    EXPECT_EQ(list->HeightTitle(), 16);
}

}  // namespace

// Mouse editing on the dashboard panel, with real mouse input.

#include <optional>

#include "tests/indicators/MainWindowStandIn.h"
#include "tests/support/MouseDriver.h"

namespace {

class NumericListMouseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        MouseDownPos = {0, 0};
        mouse.emplace(window);
        list = new TNumericList(&window, SourceIndexQ7);
        list->setParent(window.Panel);
        list->SetNumStrList(QStringList{"Tacho[rpm]", "Speed[km/h]"});
        list->SetBounds(9, 9, 240, 96);
        list->show();
        list->Paint();
        window.Panel->UpdateSize();
    }

    QPoint At(int x, int y) const { return list->mapTo(&window, QPoint(x, y)); }

    testing_support::MainWindowStandIn window;
    std::optional<testing_support::MouseDriver> mouse;
    TNumericList* list = nullptr;  // the window's child
};

TEST_F(NumericListMouseTest, InsideTheListAreaTheCursorIsTheArrowAndOnTheTitleStripTheDrag)
{
    const platform::TRect inner = list->Inner();
    ASSERT_EQ(inner, (platform::TRect{4, 24, 236, 92}));
    const std::tuple<int, int, platform::TCursor> cases[] = {
        {80, 16, platform::crDrag},     // title strip
        {80, 40, platform::crDefault},  // list area
        {9, 25, platform::crDefault},
        {235, 91, platform::crDefault},  // just inside the list area's corner
        {80, 24, platform::crDrag},      // on its top edge: not strictly inside
        {2, 40, platform::crSizeWE},     // edge band
        {238, 40, platform::crSizeWE},
    };
    for (const auto& [x, y, cursor] : cases) {
        mouse->Move(At(x, y));
        EXPECT_EQ(list->Cursor(), cursor) << x << "," << y;
    }
}

TEST_F(NumericListMouseTest, APressInsideTheListMovesNothingAndOneOnTheTitleStripMovesIt)
{
    const QPoint inside = At(80, 50);
    mouse->Move(inside);
    mouse->Press(inside);
    mouse->Move(inside + QPoint(40, 24));
    mouse->Release(mouse->Pointer());
    EXPECT_EQ(list->geometry(), QRect(9, 9, 240, 96));
    EXPECT_EQ(SelectIndicator, list);

    const QPoint title = At(80, 14);
    mouse->Move(title);
    mouse->Press(title);
    mouse->Move(title + QPoint(40, 24));
    mouse->Release(mouse->Pointer());
    EXPECT_EQ(list->geometry(), QRect(49, 33, 240, 96));
}

}  // namespace
