// The bar graph read back from its drawing surface: labels, title, value, the bar's end as values
// come and go, markers, and both directions.
#include "indicators/BarGraph.h"

#include <gtest/gtest.h>
#include <memory>
#include <QWidget>

#include "tests/indicators/IndicatorPixels.h"
#include "tests/support/BoxRecorder.h"

using namespace indicator_pixels;

namespace {

constexpr TColor Back = 0xF0F0F0;

class BarGraphTest : public FaceTest {
protected:
    void SetUp() override
    {
        FaceTest::SetUp();
        bar->SetIoName("THROT");
    }

    const QImage& Face() { return bar->Surface(); }
    const TRect& In() { return bar->Layout().BarBack; }
    TRect Interior() { return {In().Left, In().Top, In().Right + 1, In().Bottom + 1}; }
    // The interior's columns (horizontal) or rows (vertical) that show color from end to end.
    int Lines(TColor color)
    {
        const bool vertical = bar->Vertical() == 1;
        int count = 0;
        for (int x = In().Left, y = In().Top; x <= In().Right && y <= In().Bottom;
             vertical ? ++y : ++x)
            count +=
                LineIs(Face(), x, y, vertical ? In().Right : x, vertical ? y : In().Bottom, color);
        return count;
    }
    int BarLines() { return Lines(bar->ColorBar()); }
    void Show(std::int32_t value)
    {
        Throttle = value;
        bar->SetValue();
    }
    bool ValueShows(const std::string& text)
    {
        const TextLook look{bar->FontName, bar->HeightValue(), bar->ColorValue(), bar->Color};
        return BoxShows(Face(), bar->Layout().DigitalRect, look, text);
    }
    bool MarkerAt(std::int32_t value, TColor color)
    {
        const int x = In().Left + int(std::nearbyint(value * bar->Layout().DR));
        return LineIs(Face(), x, In().Top, x, In().Bottom, color);
    }

    std::unique_ptr<TBarGraph> bar = std::make_unique<TBarGraph>(&panel, SourceIndexQ7);
};

TEST_F(BarGraphTest, TitleAndLabelsKeepTheirOwnHeightsAndTheEmptyBarIsOneLine)
{
    bar->SetHeightTitle(26);
    bar->SetHeightValue(12);
    bar->SetTitle(QStringLiteral("Tacho"));
    bar->SetColorTitle(platform::clRed);
    bar->SetWidth(200);
    bar->Paint();
    const TRect& barRect = bar->Layout().BarRect;
    const TextLook title{bar->FontName, 26, platform::clRed, bar->Color};
    EXPECT_TRUE(TextAt(Face(), 100 - Extent(title, "Tacho").cx / 2, 4, title, "Tacho"));
    const TextLook label{bar->FontName, 12, 0, bar->Color};
    EXPECT_TRUE(
        TextAt(Face(), barRect.Right - Extent(label, "100").cx, barRect.Bottom + 4, label, "100"));
    EXPECT_EQ(BarLines(), 1);
    EXPECT_TRUE(LineIs(Face(), In().Left, In().Top, In().Left, In().Bottom, platform::clRed));
    EXPECT_EQ(Lines(Back), In().Right - In().Left);
}

TEST_F(BarGraphTest, TheEndMovesLineByLineWithTheMarkerShowingThroughAndFreedLinesRestored)
{
    bar->SetMarker1("50");
    bar->SetWidth(208);
    bar->Paint();
    const QImage empty = Face().copy();
    EXPECT_TRUE(MarkerAt(50, platform::clBlack));

    Show(100);
    EXPECT_TRUE(MarkerAt(50, platform::clBlack ^ Back ^ platform::clRed));
    EXPECT_EQ(BarLines(), In().Right - In().Left);  // every column but the marker's
    const QImage full = Face().copy();
    Show(25);
    EXPECT_EQ(BarLines(), int(std::nearbyint(25 * bar->Layout().DR)) + 1);
    Show(0);
    EXPECT_EQ(Face(), empty);
    Show(100);
    bar->Paint();
    EXPECT_EQ(Face(), full);  // a fresh face at 100 looks just the same

    Show(-100000);  // beyond the range the bar stops at its end
    EXPECT_EQ(BarLines(), 1);
}

TEST_F(BarGraphTest, VerticalBarGrowsUpwardsAndLeavesTheTopRowAtFullScale)
{
    bar->SetVertical(1);
    bar->SetHeight(200);
    bar->Paint();
    EXPECT_TRUE(LineIs(Face(), In().Left, In().Bottom, In().Right, In().Bottom, platform::clRed));
    Show(100);
    EXPECT_EQ(BarLines(), In().Bottom - In().Top);
    EXPECT_TRUE(LineIs(Face(), In().Left, In().Top, In().Right, In().Top, Back));
}

// Marker texts are in the channel's units; unreadable ones are left out without a box, since
// they are read at every repaint.
TEST_F(BarGraphTest, MarkersAndValuesUseTheChannelsDecimals)
{
    testing_support::BoxRecorder boxes;
    bar->SetMarker1("1.2.3");
    bar->SetMarker2("   ");
    bar->Paint();
    bar->Paint();
    EXPECT_EQ(CountColor(Face(), Interior(), platform::clBlack), 0);
    EXPECT_TRUE(boxes.Boxes().empty());

    bar->SetIoName("SPEED");
    bar->SetMaxValue(10000);
    bar->SetMarker1("12.5");
    bar->SetColorMarker(platform::clLime);
    bar->Paint();
    EXPECT_TRUE(MarkerAt(1250, platform::clLime));
    EXPECT_EQ(CountColor(Face(), Interior(), platform::clLime), In().Bottom - In().Top + 1);
    Speed = 5;
    bar->SetValue();
    EXPECT_TRUE(ValueShows("0.05"));
}

}  // namespace
