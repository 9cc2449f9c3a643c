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

class BarGraphTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetChannels();
        bar = std::make_unique<TBarGraph>(&panel, SourceIndexQ7);
        bar->SetIoName("THROT");
    }
    void TearDown() override
    {
        bar.reset();
        ResetChannels();
    }

    const QImage& Face() { return bar->Surface(); }
    const TRect& In() { return bar->Layout().BarBack; }
    TRect Interior() { return {In().Left, In().Top, In().Right + 1, In().Bottom + 1}; }
    // The interior's columns (horizontal) or rows (vertical) that show color from end to end.
    int Lines(TColor color)
    {
        int count = 0;
        if (bar->Vertical() == 1) {
            for (int y = In().Top; y <= In().Bottom; ++y)
                count += LineIs(Face(), In().Left, y, In().Right, y, color);
        } else {
            for (int x = In().Left; x <= In().Right; ++x)
                count += LineIs(Face(), x, In().Top, x, In().Bottom, color);
        }
        return count;
    }
    int BarLines() { return Lines(bar->ColorBar()); }
    void Show(std::int32_t value)
    {
        Throttle = value;
        bar->SetValue();
    }
    TextLook Look(int height = 16) { return {bar->FontName, height, 0, bar->Color}; }
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

    QWidget panel;
    std::unique_ptr<TBarGraph> bar;
};

TEST_F(BarGraphTest, TitleLabelsAndValueKeepTheirOwnHeightsAndTheEmptyBarIsOneLine)
{
    bar->SetHeightTitle(26);
    bar->SetHeightValue(12);
    bar->SetTitle(QStringLiteral("Tacho"));
    bar->SetColorTitle(platform::clRed);
    bar->SetWidth(200);
    bar->Paint();
    const TRect& barRect = bar->Layout().BarRect;
    const TextLook title{bar->FontName, 26, platform::clRed, bar->Color};
    platform::Canvas& canvas = bar->Canvas();
    canvas.Font.Height = 26;
    EXPECT_TRUE(TextAt(Face(), 100 - canvas.TextWidth("Tacho") / 2, 4, title, "Tacho"));
    canvas.Font.Height = 12;
    EXPECT_TRUE(TextAt(Face(), 4, barRect.Bottom + 4, Look(12), "0"));
    EXPECT_TRUE(TextAt(Face(), barRect.Right - canvas.TextWidth("100"), barRect.Bottom + 4,
                       Look(12), "100"));
    EXPECT_TRUE(ValueShows("0"));
    EXPECT_EQ(BarLines(), 1);
    EXPECT_TRUE(LineIs(Face(), In().Left, In().Top, In().Left, In().Bottom, platform::clRed));
    EXPECT_EQ(Lines(Back), In().Right - In().Left);

    // The control grows to its minimum and is never shrunk by a repaint.
    auto small = std::make_unique<TBarGraph>(&panel, SourceIndexQ7);
    small->Paint();
    EXPECT_GT(small->WidthMin, 32);
    EXPECT_EQ(small->geometry().size(), QSize(small->WidthMin, small->HeightMin));
    small->SetBounds(1, 1, 400, 300);
    small->Paint();
    EXPECT_EQ(small->Layout().BarRect.Right, 396);
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
    EXPECT_TRUE(ValueShows("100"));
    const QImage full = Face().copy();
    Show(25);
    EXPECT_EQ(BarLines(), int(std::nearbyint(25 * bar->Layout().DR)) + 1);
    EXPECT_TRUE(LineIs(Face(), In().Left + BarLines() - 1, In().Top, In().Left + BarLines() - 1,
                       In().Bottom, platform::clRed));
    Show(0);
    EXPECT_EQ(Face(), empty);
    Show(100);
    EXPECT_EQ(Face(), full);
    bar->Paint();
    EXPECT_EQ(Face(), full);  // a fresh face at 100 looks just the same

    // Beyond the range the bar stops at its ends; a value too wide for its box shows "###".
    bar->SetMinValue(-20);
    bar->Paint();
    Show(-100000);
    EXPECT_EQ(BarLines(), 1);
    EXPECT_TRUE(ValueShows("###"));
    Show(7);
    EXPECT_EQ(BarLines(), int(std::nearbyint(27 * bar->Layout().DR)) + 1);
    EXPECT_TRUE(ValueShows("7"));
}

TEST_F(BarGraphTest, VerticalBarGrowsUpwardsAndLeavesTheTopRowAtFullScale)
{
    bar->SetVertical(1);
    bar->SetHeight(200);
    bar->Paint();
    EXPECT_EQ(BarLines(), 1);
    EXPECT_TRUE(LineIs(Face(), In().Left, In().Bottom, In().Right, In().Bottom, platform::clRed));
    Show(100);
    EXPECT_EQ(BarLines(), In().Bottom - In().Top);
    EXPECT_TRUE(LineIs(Face(), In().Left, In().Top, In().Right, In().Top, Back));

    // Any other positive direction is horizontal; a negative one draws nothing.
    bar->SetVertical(2);
    bar->Paint();
    EXPECT_EQ(bar->Layout().BarRect.Bottom - bar->Layout().BarRect.Top, 20);
    auto other = std::make_unique<TBarGraph>(&panel, SourceIndexQ7);
    other->SetVertical(-1);
    const QImage before = other->Surface().copy();
    other->Paint();
    EXPECT_EQ(other->Surface(), before);
    EXPECT_EQ(other->Width(), 32);
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
    EXPECT_EQ(boxes.Beeps(), 0);

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
    platform::Canvas& canvas = bar->Canvas();
    canvas.Font.Height = 16;
    const TRect& barRect = bar->Layout().BarRect;
    EXPECT_TRUE(TextAt(Face(), barRect.Right - canvas.TextWidth("100.00"), barRect.Bottom + 4,
                       Look(), "100.00"));
}

TEST_F(BarGraphTest, OnASystemColourTheBarStillShowsItsColourAndLeavesNoTrace)
{
    bar->SetColorBack(platform::clBtnFace);
    bar->Paint();
    const QImage empty = Face().copy();
    Show(100);
    EXPECT_EQ(BarLines(), In().Right - In().Left + 1);
    Show(0);
    EXPECT_EQ(Face(), empty);
}

}  // namespace
