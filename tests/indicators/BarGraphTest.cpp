// The bar graph read back from its drawing surface: labels, title, the bar's end as values
// come and go, and markers (the vertical bar's geometry is in the layout table).
#include "indicators/BarGraph.h"

#include <gtest/gtest.h>
#include <memory>

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
    // The interior's columns that show color from end to end.
    int Lines(TColor color)
    {
        int count = 0;
        for (int x = In().Left; x <= In().Right; ++x)
            count += LineIs(Face(), x, In().Top, x, In().Bottom, color);
        return count;
    }
    int BarLines() { return Lines(bar->ColorBar()); }
    void Show(std::int32_t value)
    {
        Throttle = value;
        bar->SetValue();
    }
    bool MarkerAt(std::int32_t value, TColor color)
    {
        const int x = In().Left + int(std::nearbyint(value * bar->Layout().DR));
        return LineIs(Face(), x, In().Top, x, In().Bottom, color);
    }

    std::unique_ptr<TBarGraph> bar = std::make_unique<TBarGraph>(&panel, SourceIndexQ7);
};

TEST_F(BarGraphTest, TitleAndLabelsKeepTheirOwnHeights)
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

    // In a box as narrow as "9" the value shows the whole mark "###" right-aligned, reaching
    // left of the box; the next value clears that.
    bar->SetMaxValue(9);
    bar->Paint();
    const TRect& box = bar->Layout().DigitalRect;
    const TextLook value{bar->FontName, bar->HeightValue(), bar->ColorValue(), bar->Color};
    const int markLeft = box.Right - Extent(value, "###").cx;
    EXPECT_TRUE(TextAt(Face(), markLeft, box.Top, value, "###"));
    Show(5);
    EXPECT_EQ(CountColor(Face(), {markLeft, box.Top, box.Left, box.Bottom}, bar->Color),
              (box.Left - markLeft) * box.Height());
}

// Marker texts are in the channel's units; unreadable ones are left out without a box, since
// they are read at every repaint.
TEST_F(BarGraphTest, MarkersUseTheChannelsDecimals)
{
    testing_support::BoxRecorder boxes;
    bar->SetMarker1("1.2.3");
    bar->SetMarker2("   ");
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
}

// Vertical as a work file may hold it: 1 stands the bar up (full, its bottom row shows it end to
// end, no column does), 0 and every other value above lay it down (full, every column does), a
// negative one paints nothing.
TEST_F(BarGraphTest, EveryValueOfVerticalIsDrawnAsItSays)
{
    Throttle = 100;
    for (const auto& [vertical, columns, painted] :
         {std::tuple{0, true, true}, {1, false, true}, {2, true, true}, {-1, false, false}}) {
        SCOPED_TRACE(vertical);
        bar = std::make_unique<TBarGraph>(&panel, SourceIndexQ7);
        bar->LoadProperty("Width=96\r\nHeight=96\r\nVertical=" + std::to_string(vertical) +
                          "\r\nIoName=\"THROT\"\r\n}");
        bar->Paint();
        bar->SetValue();
        EXPECT_EQ(BarLines(), columns ? In().Right - In().Left + 1 : 0);
        EXPECT_EQ(LineIs(Face(), In().Left, In().Bottom, In().Right, In().Bottom, bar->ColorBar()),
                  painted);
    }
}

}  // namespace
