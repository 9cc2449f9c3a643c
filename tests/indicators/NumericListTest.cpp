// The numeric list read back from its drawing surface: its rows, their value boxes and sizes,
// the row buffer, and the rows its property line names.
#include "indicators/NumericList.h"

#include <gtest/gtest.h>
#include <QListWidget>

#include "tests/indicators/IndicatorPixels.h"

using namespace indicator_pixels;

namespace {

class NumericListTest : public ::testing::Test {
protected:
    void SetUp() override { ResetChannels(); }
    void TearDown() override { ResetChannels(); }

    std::unique_ptr<TNumericList> MakeList(TPLUT table = SourceIndexQ7)
    {
        return std::make_unique<TNumericList>(&panel, table);
    }
    // A list with the TACHO and SPEED rows, painted.
    std::unique_ptr<TNumericList> TachoSpeed()
    {
        auto list = MakeList();
        list->SetNumStrList(QStringList{"Tacho[rpm]", "Speed[km/h]"});
        list->Paint();
        return list;
    }
    static int TextWidth(TNumericList& list, const std::string& text)
    {
        list.Canvas().Font.Height = list.HeightList();
        return list.Canvas().TextWidth(text);
    }
    static bool Shows(TNumericList& list, const TRect& box, const std::string& text)
    {
        return BoxShows(list.Surface(), box,
                        {list.FontName, list.HeightList(), list.ColorList(), list.ColorBack()},
                        text);
    }
    static std::vector<std::string> Designators(const TNumericList& list)
    {
        std::vector<std::string> rows;
        for (int i = 0; i < list.NumRectCount; ++i)
            rows.push_back(list.NumRectArray[i].PortInfo.Designator);
        return rows;
    }

    QWidget panel;
};

TEST_F(NumericListTest, RowsGetBoxesOfTheirDigitTemplatesAndTheListFitsThemAndItsTitle)
{
    auto empty = MakeList();
    empty->Paint();
    EXPECT_GE(empty->Width(), TextWidth(*empty, "Numeric List") + 8);
    EXPECT_EQ(empty->Inner(), (TRect{4, 24, empty->Width() - 4, empty->Height() - 4}));

    auto list = TachoSpeed();
    const int tachoBox = TextWidth(*list, "88888"), speedBox = TextWidth(*list, "888888");
    EXPECT_EQ(list->Width(), std::max(TextWidth(*list, "Tacho[rpm]") + tachoBox,
                                      TextWidth(*list, "Speed[km/h]") + speedBox) +
                                 16);
    EXPECT_EQ(list->Height(), 2 * 18 + 16 + 12);
    const int right = list->Width() - 8;
    EXPECT_EQ(list->NumRectArray[0].ValueRect, (TRect{right - tachoBox, 25, right, 41}));
    EXPECT_EQ(list->NumRectArray[1].ValueRect, (TRect{right - speedBox, 43, right, 59}));
    Speed = 1234;
    list->SetValue();
    EXPECT_TRUE(Shows(*list, list->NumRectArray[1].ValueRect, "12.34"));
    EXPECT_TRUE(Shows(*list, list->NumRectArray[0].ValueRect, "0"));

    // Made larger it stays so; made too small it comes back to its size.
    const QSize size = list->geometry().size();
    list->SetBounds(9, 9, 400, 300);
    list->Paint();
    EXPECT_EQ(list->geometry().size(), QSize(400, 300));
    list->SetBounds(9, 9, 0, 0);
    list->Paint();
    EXPECT_EQ(list->geometry().size(), size);

    EXPECT_EQ(DigitTemplate(0), "");
    EXPECT_EQ(DigitTemplate(9), "8888888888");
    EXPECT_EQ(DigitTemplate(12), "8888888888");
}

// A value wider than its box is drawn whole, never "###"; whatever the values did, the face is
// what a whole repaint draws.
TEST_F(NumericListTest, ValuesLeaveNoDigitsBehindAndAWholeRepaintDrawsTheSame)
{
    static std::int32_t gear = 0;
    static const TPortInfo table[] = {
        {"GEAR", "Gear position", &gear, 0, 1}, {"TACHO", "Tacho", &Tacho, 0, 5}, {}};
    auto list = MakeList(table);
    list->LoadProperty("NumericName={\"TACHO\",\"GEAR\"}");
    list->Paint();
    const TRect tacho = list->NumRectArray[0].ValueRect;
    // The gear's box holds one digit: more, then fewer that still overrun.
    for (const auto& [value, gearValue] : {std::pair{12345, 123}, {7, 45}, {-32768, -3}, {7, 0}}) {
        Tacho = value;
        gear = gearValue;
        list->SetValue();
        const int width = std::max(tacho.Width(), TextWidth(*list, std::to_string(value)));
        const TRect drawn{tacho.Right - width, tacho.Top, tacho.Right, tacho.Bottom};
        EXPECT_TRUE(Shows(*list, drawn, std::to_string(value))) << value;
        const QImage face = list->Surface().copy();
        list->Canvas().SetPixel(tacho.Left, tacho.Top, platform::clRed);
        list->Paint();
        EXPECT_EQ(list->Surface(), face) << value;
    }
    gear = 0;
}

TEST_F(NumericListTest, RowsWithoutAChannelKeepTheirPlaceAndARowChangeKeepsValuesAndBoxes)
{
    auto list = MakeList();
    list->SetNumStrList(QStringList{"Tacho[rpm]", "No such channel", "Speed[km/h]"});
    list->Paint();
    EXPECT_EQ(list->NumRectArray[1].ValueRect.Width(), 0);
    EXPECT_EQ(list->NumRectArray[2].ValueRect.Top, 24 + 1 + 2 * 18);
    Tacho = 42;
    Speed = 55;
    list->SetValue();
    EXPECT_EQ(list->NumRectArray[1].Value, 0);
    EXPECT_EQ(list->NumRectArray[2].Value, 55);

    const TRect tachoBox = list->NumRectArray[0].ValueRect;
    QListWidget box;
    box.addItems({"Speed[km/h]", "Speed", QString::fromUtf8("Coolant temp[ﾟc]")});
    list->SetNumStrList(&box);
    EXPECT_EQ(Designators(*list), (std::vector<std::string>{"SPEED", "", "COOLANT"}));
    EXPECT_EQ(list->NumRectArray[0].Value, 42);
    EXPECT_EQ(list->NumRectArray[0].ValueRect, tachoBox);
}

TEST_F(NumericListTest, TheRowBufferGrowsInBlocksWithOneSpareRowAndNeverShrinks)
{
    auto list = MakeList();
    list->GetNumListMemory(15);
    EXPECT_EQ(list->RowCapacity(), 16);
    for (int i = 0; i < 15; ++i)
        list->NumRectArray[i].Value = 100 + i;
    list->GetNumListMemory(16);
    EXPECT_EQ(list->RowCapacity(), 32);
    EXPECT_EQ(list->NumRectArray[14].Value, 114);
    EXPECT_EQ(list->NumRectArray[31].Value, 0);
    TNumRect* grown = list->NumRectArray.get();
    list->GetNumListMemory(15);
    EXPECT_EQ(list->NumRectArray.get(), grown);
}

TEST_F(NumericListTest, TheNumericNameLineGivesOneRowPerQuotedDesignator)
{
    const struct {
        const char* text;
        std::vector<std::string> rows;
        int heightList;  // a later line: applied unless the list's brace ended the block
    } cases[] = {
        {"  NumericName = { \"TACHO\" , \"SPEED\" }\r\n", {"TACHO", "SPEED"}, 16},
        {"NumericName={\"TACHO\",\"NOPE\",\"SPEED\"}", {"TACHO", "", "SPEED"}, 16},
        {"NumericName={\"THROT\",\"\",\"TACHO\"}", {"THROT"}, 16},  // an empty text ends it
        {"NumericName={\"tacho\"}", {""}, 16},
        {"NumericName{\"TACHO\",\"SPEED\"}", {}, 16},            // no "="
        {"NumericName=\"SPEED\"\r\nHeightList=30\r\n", {}, 30},  // no "{"
        {"NumericName={}\r\nHeightList=30\r\n", {}, 16},
        // Quoted texts behind the closing brace count as rows too.
        {"NumericName={\"TACHO\"}\r\nMarker=\"SPEED\"", {"TACHO", "SPEED"}, 16},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        auto list = MakeList();
        list->LoadProperty(c.text);
        EXPECT_EQ(Designators(*list), c.rows);
        EXPECT_EQ(list->HeightList(), c.heightList);
        EXPECT_TRUE(list->NumRectCount == 0 || list->RowCapacity() > list->NumRectCount);
    }
}

}  // namespace
