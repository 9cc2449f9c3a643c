// The numeric list read back from its drawing surface: its rows, their value boxes and sizes,
// and the rows its property line names.
#include "indicators/NumericList.h"

#include <gtest/gtest.h>

#include "tests/indicators/IndicatorPixels.h"

using namespace indicator_pixels;

namespace {

class NumericListTest : public FaceTest {
protected:
    std::unique_ptr<TNumericList> MakeList(TPLUT table = SourceIndexQ7)
    {
        return std::make_unique<TNumericList>(&panel, table);
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
};

TEST_F(NumericListTest, RowsGetBoxesOfTheirDigitTemplatesAndTheListFitsThem)
{
    auto list = MakeList();
    list->SetNumStrList(QStringList{"Tacho[rpm]", "No such channel", "Speed[km/h]"});
    list->Paint();
    const int tachoBox = TextWidth(*list, "88888"), speedBox = TextWidth(*list, "888888");
    EXPECT_EQ(list->Width(), std::max({TextWidth(*list, "Tacho[rpm]") + tachoBox,
                                       TextWidth(*list, "No such channel"),
                                       TextWidth(*list, "Speed[km/h]") + speedBox}) +
                                 16);
    EXPECT_EQ(list->Height(), 3 * 18 + 16 + 12);
    const int right = list->Width() - 8;
    EXPECT_EQ(list->NumRectArray[2].ValueRect, (TRect{right - speedBox, 61, right, 77}));
    Speed = 1234;
    list->SetValue();
    EXPECT_TRUE(Shows(*list, list->NumRectArray[2].ValueRect, "12.34"));
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
    for (const auto& [value, gearValue] : {std::pair{12345, 123}, {7, 45}, {-32768, -3}}) {
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
}

// The rows read are seen in the line the list writes back, which it leaves out when it has none.
TEST_F(NumericListTest, TheNumericNameLineGivesOneRowPerQuotedDesignator)
{
    // The text, the line written back and the height a later line gives unless the list's brace
    // ended the block.
    const std::tuple<const char*, const char*, int> cases[] = {
        {"  NumericName = { \"TACHO\" , \"NOPE\" }\r\n", "NumericName={\"TACHO\",\"\"}", 16},
        {"NumericName=\"SPEED\"\r\nHeightList=30\r\n", "", 30},  // no "{"
        {"NumericName={}\r\nHeightList=30\r\n", "", 16},
        {"NumericName={\"THROT\",\"\",\"TACHO\"}", "NumericName={\"THROT\"}", 16},  // "" ends them
        // Quoted texts behind the closing brace count as rows too.
        {"NumericName={\"TACHO\"}\r\nMarker=\"SPEED\"", "NumericName={\"TACHO\",\"SPEED\"}", 16},
    };
    for (const auto& [text, line, heightList] : cases) {
        auto list = MakeList();
        list->LoadProperty(text);
        QStringList saved;
        list->SaveProperty(saved, "");
        EXPECT_EQ(saved.filter(QStringLiteral("NumericName")).join('|'), line) << text;
        EXPECT_EQ(list->HeightList(), heightList) << text;
    }
}

}  // namespace
