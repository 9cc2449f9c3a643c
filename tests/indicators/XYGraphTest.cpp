// The XY graph read back from its drawing surface: scale labels, the dotted grid, the crosshair as
// values come and go, and the value boxes.
#include "indicators/XYGraph.h"

#include <gtest/gtest.h>
#include <memory>

#include "tests/indicators/IndicatorPixels.h"

using namespace indicator_pixels;

namespace {

constexpr TColor Back = 0xF0F0F0;
constexpr TColor Cross = platform::clBlue;
constexpr TColor Grid = platform::clGray;

class XYGraphTest : public FaceTest {
protected:
    const QImage& Face() { return xy->Surface(); }
    int L() { return xy->Layout().GraphRect.Left; }
    int T() { return xy->Layout().GraphRect.Top; }
    int R() { return xy->Layout().GraphRect.Right; }
    int B() { return xy->Layout().GraphRect.Bottom; }

    // Crosshair pixels show the cross's colour or, over a grid dot, dot xor back xor cross.
    int CrossPixels(const TRect& rect)
    {
        return CountColor(Face(), rect, Cross) + CountColor(Face(), rect, Grid ^ Back ^ Cross);
    }
    // The inner column whose pixels all show the crosshair but where the lines cross (which shows
    // the plot's back); -1 for none.
    int ShownCrossX()
    {
        for (int x = L() + 1; x <= R() - 2; ++x)
            if (CrossPixels({x, T() + 1, x + 1, B() - 1}) >= B() - T() - 3)
                return x;
        return -1;
    }
    void Show(std::int32_t x, std::int32_t y)
    {
        Tacho = x;
        Throttle = y;
        xy->SetValue();
    }
    bool BoxShows(const TRect& box, const std::string& text)
    {
        const TextLook look{xy->FontName, xy->HeightValue(), xy->ColorValue(), xy->Color};
        return indicator_pixels::BoxShows(Face(), box, look, text);
    }
    // A scale label: a blank before the number, laid out as wide as the number with a minus.
    bool LabelAt(int x, int y, const std::string& number)
    {
        return TextAt(Face(), x, y, {xy->FontName, xy->HeightValue(), xy->ColorScale(), xy->Color},
                      " " + number);
    }
    int Width(const std::string& text) { return xy->Canvas().TextWidth(text); }
    void BindChannels(const char* x = "TACHO")
    {
        xy->SetXIoName(x);
        xy->SetYIoName("THROT");
        xy->SetBounds(1, 1, 260, 200);
        xy->Paint();
    }

    std::unique_ptr<TXYGraph> xy = std::make_unique<TXYGraph>(&panel, SourceIndexQ7);
};

TEST_F(XYGraphTest, NewGraphShowsLabelsAndValuesInTheChannelsDecimalsAndADottedGrid)
{
    xy->SetHeightTitle(26);
    xy->SetHeightValue(12);
    xy->SetXMaxValue(10000);
    Speed = 5;
    xy->SetXIoName("SPEED");
    xy->SetValue();         // one channel alone: nothing is read, nothing is drawn
    BindChannels("SPEED");  // two decimals
    xy->Canvas().Font.Height = 12;
    EXPECT_TRUE(LabelAt(R() - Width("-100.00"), B() + 4, "100.00"));
    EXPECT_TRUE(LabelAt(L() - 4 - Width("-0"), B() - 12, "0"));

    EXPECT_TRUE(BoxShows(xy->Layout().XValRect, "0.00"));
    xy->SetValue();
    EXPECT_TRUE(BoxShows(xy->Layout().XValRect, "0.05"));

    // Dotted lines: three pixels of six.
    for (const int x : XYGraphGridColumns(xy->Layout(), 5))
        EXPECT_EQ(CountColor(Face(), {x, T() + 10, x + 1, T() + 16}, Grid), 3) << x;
}

TEST_F(XYGraphTest, LimitsLandOnTheInnerEdgesBeyondThemNoLineOrNumber)
{
    BindChannels();
    const QImage painted = Face().copy();
    Show(100, 100);
    EXPECT_EQ(ShownCrossX(), R() - 2);
    EXPECT_EQ(PixelAt(Face(), R() - 2, T() + 1), Shown(Back));  // where the lines cross
    Show(-1, 101);
    EXPECT_EQ(CountColor(Face(), {L(), T(), R(), B()}, Cross), 0);
    Show(37, 64);
    Show(0, 0);
    EXPECT_EQ(Face(), painted);

    // A value wider than its box shows the overflow mark, never another number; one exactly as
    // wide shows whole.
    const TRect xBox = xy->Layout().XValRect;
    const TRect yBox = xy->Layout().YValRect;
    ASSERT_EQ(xBox.Width(), Width("-100"));
    Show(-100, 100);
    EXPECT_TRUE(BoxShows(xBox, "-100"));
    EXPECT_TRUE(BoxShows(yBox, "100"));
    Show(18690, -18690);
    EXPECT_TRUE(BoxShows(xBox, "###"));
    EXPECT_TRUE(BoxShows(yBox, "###"));
    EXPECT_EQ(CountColor(Face(), {1, yBox.Top, yBox.Left, yBox.Bottom}, xy->ColorValue()), 0);
}

}  // namespace
