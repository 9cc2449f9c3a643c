// The XY graph read back from its drawing surface: title, scale labels, the dotted grid, the
// crosshair as values come and go, and the value boxes.
#include "indicators/XYGraph.h"

#include <gtest/gtest.h>
#include <memory>
#include <QWidget>

#include "tests/indicators/IndicatorPixels.h"

using namespace indicator_pixels;

namespace {

constexpr TColor Back = 0xF0F0F0;
constexpr TColor Cross = platform::clBlue;
constexpr TColor Grid = platform::clGray;

class XYGraphTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetChannels();
        xy = std::make_unique<TXYGraph>(&panel, SourceIndexQ7);
    }
    void TearDown() override
    {
        xy.reset();
        ResetChannels();
    }

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
    // The inner column and row whose pixels all show the crosshair but where the lines cross (which
    // shows the plot's back); -1 for none.
    int ShownCrossX()
    {
        for (int x = L() + 1; x <= R() - 2; ++x)
            if (CrossPixels({x, T() + 1, x + 1, B() - 1}) >= B() - T() - 3)
                return x;
        return -1;
    }
    int ShownCrossY()
    {
        for (int y = T() + 1; y <= B() - 2; ++y)
            if (CrossPixels({L() + 1, y, R() - 1, y + 1}) >= R() - L() - 3)
                return y;
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

    QWidget panel;
    std::unique_ptr<TXYGraph> xy;
};

TEST_F(XYGraphTest, NewGraphShowsTitleLabelsDottedGridAndCrosshairAtZero)
{
    xy->SetHeightTitle(26);
    xy->SetHeightValue(12);
    xy->SetTitle(QStringLiteral("Tacho"));
    BindChannels();
    EXPECT_EQ(T(), 26 + 8);
    xy->Canvas().Font.Height = 26;
    EXPECT_TRUE(
        TextAt(Face(), 130 - Width("Tacho") / 2, 4, {xy->FontName, 26, 0, xy->Color}, "Tacho"));
    xy->Canvas().Font.Height = 12;
    EXPECT_TRUE(LabelAt(L(), B() + 4, "0"));
    EXPECT_TRUE(LabelAt(R() - Width("-100"), B() + 4, "100"));
    EXPECT_TRUE(LabelAt(L() - 4 - Width("-100"), T(), "100"));
    EXPECT_TRUE(LabelAt(L() - 4 - Width("-0"), B() - 12, "0"));

    EXPECT_EQ(ShownCrossX(), L() + 1);
    EXPECT_EQ(ShownCrossY(), B() - 2);
    EXPECT_EQ(PixelAt(Face(), L() + 1, B() - 2), Shown(Back));
    EXPECT_TRUE(BoxShows(xy->Layout().XValRect, "0"));
    EXPECT_TRUE(BoxShows(xy->Layout().YValRect, "0"));

    // Four dotted lines per axis: three pixels of six.
    for (const int x : XYGraphGridColumns(xy->Layout(), 5))
        EXPECT_EQ(CountColor(Face(), {x, T() + 10, x + 1, T() + 16}, Grid), 3) << x;
    for (const int y : XYGraphGridRows(xy->Layout(), 5))
        EXPECT_EQ(CountColor(Face(), {L() + 10, y, L() + 16, y + 1}, Grid), 3) << y;

    // A huge split puts a dotted line on every column, and still paints at once.
    xy->SetXSplit(2000000000);
    xy->Paint();
    for (int x = L() + 2; x <= R() - 3; ++x)
        EXPECT_GT(CountColor(Face(), {x, T() + 1, x + 1, B() - 3}, Grid), 0) << x;
}

TEST_F(XYGraphTest, LimitsLandOnTheInnerEdgesBeyondThemNoLineAndErasingRestoresTheFace)
{
    BindChannels();
    const QImage painted = Face().copy();
    Show(100, 100);
    EXPECT_EQ(ShownCrossX(), R() - 2);
    EXPECT_EQ(ShownCrossY(), T() + 1);
    EXPECT_EQ(PixelAt(Face(), R() - 2, T() + 1), Shown(Back));
    Show(101, 100);
    EXPECT_EQ(ShownCrossX(), -1);
    EXPECT_EQ(ShownCrossY(), T() + 1);
    EXPECT_EQ(CountColor(Face(), {L() + 1, T() + 2, R() - 1, B() - 1}, Cross), 0);
    Show(-1, 101);
    EXPECT_EQ(CountColor(Face(), {L(), T(), R(), B()}, Cross), 0);
    EXPECT_TRUE(BoxShows(xy->Layout().YValRect, "101"));
    Show(37, 64);
    Show(0, 0);
    EXPECT_EQ(Face(), painted);
}

// A value wider than its box shows the overflow mark, never another number; one exactly as wide
// shows whole.
TEST_F(XYGraphTest, ValueBoxesShowTheWholeNumberOrTheOverflowMark)
{
    BindChannels();
    const TRect xBox = xy->Layout().XValRect;
    const TRect yBox = xy->Layout().YValRect;
    ASSERT_EQ(yBox.Left, 4);  // nothing but the bevel left of the Y box: 18690 showed as 8690
    ASSERT_EQ(xBox.Width(), Width("-100"));
    Show(-100, 100);
    EXPECT_TRUE(BoxShows(xBox, "-100"));
    EXPECT_TRUE(BoxShows(yBox, "100"));
    Show(18690, -18690);
    EXPECT_TRUE(BoxShows(xBox, "###"));
    EXPECT_TRUE(BoxShows(yBox, "###"));
    EXPECT_EQ(CountColor(Face(), {1, yBox.Top, yBox.Left, yBox.Bottom}, xy->ColorValue()), 0);

    // A box narrower than the mark shows as much of it as fits.
    xy->SetXMaxValue(1);
    xy->Paint();
    const TRect narrow = xy->Layout().XValRect;
    ASSERT_LT(narrow.Width(), Width("###"));
    Show(5000, 0);
    EXPECT_TRUE(BoxShows(narrow, Width("##") <= narrow.Width() ? "##" : "#"));
}

TEST_F(XYGraphTest, TheChannelsDecimalsFormatLabelsAndValues)
{
    xy->SetXMaxValue(10000);
    BindChannels("SPEED");
    EXPECT_TRUE(LabelAt(R() - Width("-100.00"), B() + 4, "100.00"));
    Speed = 5;
    xy->SetValue();
    EXPECT_TRUE(BoxShows(xy->Layout().XValRect, "0.05"));
    Speed = 10000;
    xy->SetValue();
    EXPECT_EQ(ShownCrossX(), R() - 2);
}

}  // namespace
