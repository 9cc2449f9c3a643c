#include "indicators/XYGraph.h"

#include <gtest/gtest.h>
#include <memory>
#include <QWidget>
#include <vector>

#include "indicators/Port.h"
#include "indicators/XYGraphLayout.h"
#include "platform/Cp932.h"
#include "tests/indicators/IndicatorPixels.h"

using namespace indicator_pixels;
using platform::TColor;
using platform::TRect;

namespace {

constexpr TColor Back = 0xF0F0F0;
constexpr TColor Cross = platform::clBlue;
constexpr TColor Grid = platform::clGray;

class XYGraphTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Tacho = Speed = Throttle = 0;
        xy = std::make_unique<TXYGraph>(&panel, SourceIndexQ7);
    }
    void TearDown() override
    {
        xy.reset();
        Tacho = Speed = Throttle = 0;
    }

    const QImage& Face() { return xy->Surface(); }
    int L() { return xy->Layout().GraphRect.Left; }
    int T() { return xy->Layout().GraphRect.Top; }
    int R() { return xy->Layout().GraphRect.Right; }
    int B() { return xy->Layout().GraphRect.Bottom; }

    // A crosshair pixel shows the cross's colour, or where it crosses a grid dot, the dot's
    // colour xor the plot's back xor the cross's colour.
    bool IsCrosshair(int x, int y)
    {
        const TColor shown = PixelAt(Face(), x, y);
        return shown == Shown(Cross) || shown == Shown(Grid ^ Back ^ Cross);
    }
    bool CrossColumnIs(int x, int top, int bottom)
    {
        for (int y = top; y <= bottom; ++y)
            if (!IsCrosshair(x, y))
                return false;
        return true;
    }
    bool CrossRowIs(int y, int left, int right)
    {
        for (int x = left; x <= right; ++x)
            if (!IsCrosshair(x, y))
                return false;
        return true;
    }
    // The crosshair's column and row as drawn: the inner column (row) whose pixels all show
    // the crosshair but the one where the other line crosses it; -1 for none.
    int ShownCrossX()
    {
        for (int x = L() + 1; x <= R() - 2; ++x) {
            int shown = 0;
            for (int y = T() + 1; y <= B() - 2; ++y)
                shown += IsCrosshair(x, y);
            if (shown >= B() - T() - 3)
                return x;
        }
        return -1;
    }
    int ShownCrossY()
    {
        for (int y = T() + 1; y <= B() - 2; ++y) {
            int shown = 0;
            for (int x = L() + 1; x <= R() - 2; ++x)
                shown += IsCrosshair(x, y);
            if (shown >= R() - L() - 3)
                return y;
        }
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
        const QImage expected =
            RenderText(xy->FontName, xy->HeightValue(), xy->ColorValue(), xy->Color, text);
        return ShowsAt(Face(), box.Right - expected.width(), box.Top, expected);
    }
    QImage Label(const std::string& text)
    {
        return RenderText(xy->FontName, xy->HeightValue(), xy->ColorScale(), xy->Color, text);
    }
    // Plot with both channels bound, wide and high enough for whole pixels per unit.
    void BindChannels()
    {
        xy->SetXIoName("TACHO");
        xy->SetYIoName("THROT");
        xy->SetBounds(1, 1, 260, 200);
        xy->Paint();
    }

    QWidget panel;
    std::unique_ptr<TXYGraph> xy;
};

// ---- Layout, free of the control ------------------------------------------------------------

// Limits 0 to 100 on both axes, labels " 100" (36 pixels) and " 0" (18), fonts 16 high, a title
// 50 wide, in a control of 260 by 200.
TXYGraphLayoutInput LayoutInput()
{
    TXYGraphLayoutInput in;
    in.Width = 260;
    in.Height = 200;
    in.XMaxValWidth = in.YMaxValWidth = 36;
    in.XMinValWidth = in.YMinValWidth = 18;
    in.TitleWidth = 50;
    return in;
}

TEST(XYGraphLayout, PlotBesideTheYLabelsAndAboveTheXLabels)
{
    TXYGraphLayoutInput in = LayoutInput();
    EXPECT_EQ(XYGraphMinimumSize(in), (platform::TSize{3 * 36 + 44 + 12, 4 * 16 + 16 + 24}));
    in.TitleWidth = 300;
    EXPECT_EQ(XYGraphMinimumSize(in).cx, 308);
    const TXYGraphLayout l = ComputeXYGraphLayout(LayoutInput());
    EXPECT_EQ(l.GraphRect, (TRect{44, 24, 256, 176}));
    EXPECT_DOUBLE_EQ(l.DRX, 209 / 100.0);
    EXPECT_DOUBLE_EQ(l.DRY, 149 / 100.0);
    EXPECT_EQ(l.TitleAt, (platform::TPoint{105, 4}));
    EXPECT_EQ(l.YMaxLabelAt, (platform::TPoint{4, 24}));
    EXPECT_EQ(l.YMinLabelAt, (platform::TPoint{22, 160}));
    EXPECT_EQ(l.XMinLabelAt, (platform::TPoint{44, 180}));
    EXPECT_EQ(l.XMaxLabelAt, (platform::TPoint{220, 180}));
    EXPECT_EQ(l.XValRect, (TRect{132, 180, 168, 196}));
    EXPECT_EQ(l.YValRect, (TRect{4, 92, 40, 108}));
}

TEST(XYGraphLayout, GridLinesAndCrosshairStandOnThePlotsInnerPixels)
{
    const TXYGraphLayout l = ComputeXYGraphLayout(LayoutInput());
    EXPECT_EQ(XYGraphGridColumns(l, 5), (std::vector<int>{87, 129, 170, 212}));
    EXPECT_EQ(XYGraphGridRows(l, 5), (std::vector<int>{144, 114, 85, 55}));
    EXPECT_TRUE(XYGraphGridColumns(l, 1).empty());
    EXPECT_TRUE(XYGraphGridRows(l, -3).empty());
    // More divisions than pixels: every column from the first division to the last.
    const std::vector<int> dense = XYGraphGridColumns(l, 1000);
    ASSERT_EQ(dense.size(), 210u);
    EXPECT_EQ(dense.front(), 45);
    EXPECT_EQ(dense.back(), 254);

    const struct {
        std::int32_t value;
        int column;  // L + 1 .. R - 2, or -1
        int row;     // B - 2 .. T + 1, or -1
    } cases[] = {{0, 45, 174}, {100, 254, 25}, {101, -1, -1}, {-1, -1, -1}, {50, 149, 100}};
    for (const auto& c : cases) {
        EXPECT_EQ(XYGraphCrossColumn(l, c.value, 0), c.column) << c.value;
        EXPECT_EQ(XYGraphCrossRow(l, c.value, 0), c.row) << c.value;
    }
}

TEST_F(XYGraphTest, NewGraphShowsTitleLabelsGridCrosshairAndZeroValues)
{
    xy->Paint();
    const QImage title = RenderText(xy->FontName, 16, 0, xy->Color, "TITLE");
    EXPECT_TRUE(ShowsAt(Face(), xy->Width() / 2 - title.width() / 2, 4, title));

    // Labels: a blank before each number, laid out as wide as the number with a minus sign.
    const QImage zero = Label(" 0");
    const QImage hundred = Label(" 100");
    const int minusHundred = xy->Canvas().TextWidth("-100");
    EXPECT_TRUE(ShowsAt(Face(), L(), B() + 4, zero));
    EXPECT_TRUE(ShowsAt(Face(), R() - minusHundred, B() + 4, hundred));
    EXPECT_TRUE(ShowsAt(Face(), L() - 4 - minusHundred, T(), hundred));
    EXPECT_TRUE(ShowsAt(Face(), L() - 4 - xy->Canvas().TextWidth("-0"), B() - 16, zero));

    // Crosshair through the lower-left inner corner; the crossing pixel shows the plot's back.
    EXPECT_EQ(ShownCrossX(), L() + 1);
    EXPECT_EQ(ShownCrossY(), B() - 2);
    EXPECT_TRUE(CrossColumnIs(L() + 1, T() + 1, B() - 3));
    EXPECT_TRUE(CrossRowIs(B() - 2, L() + 2, R() - 2));
    EXPECT_EQ(PixelAt(Face(), L() + 1, B() - 2), Shown(Back));

    EXPECT_TRUE(BoxShows(xy->Layout().XValRect, "0"));
    EXPECT_TRUE(BoxShows(xy->Layout().YValRect, "0"));

    // Four dotted grid lines per axis.
    const int W = R() - L() - 3;
    const int H = B() - T() - 3;
    for (int i = 1; i < 5; ++i) {
        const int x = int(std::nearbyint(i * (W / 5.0) + L() + 1));
        const int y = int(std::nearbyint(B() - 2 - i * (H / 5.0)));
        EXPECT_GT(CountColor(Face(), TRect{x, T() + 1, x + 1, B() - 1}, Grid), H / 3) << i;
        EXPECT_LT(CountColor(Face(), TRect{x, T() + 1, x + 1, B() - 1}, Grid), H) << i;
        EXPECT_GT(CountColor(Face(), TRect{L() + 1, y, R() - 1, y + 1}, Grid), W / 3) << i;
    }
    EXPECT_EQ(CountColor(Face(), TRect{L() + 3, T() + 1, L() + 4, B() - 3}, Grid), 0);

    // Without both channels SetValue changes nothing.
    const QImage before = Face().copy();
    xy->SetXIoName("TACHO");
    Tacho = 50;
    xy->SetValue();
    EXPECT_EQ(xy->XValue(), 0);
    EXPECT_EQ(Face(), before);
}

TEST_F(XYGraphTest, LimitsLandOnTheInnerEdgesAndOneUnitBeyondDrawsNoLine)
{
    BindChannels();
    ASSERT_GE(xy->Width(), 200);
    Show(100, 100);
    EXPECT_EQ(ShownCrossX(), R() - 2);
    EXPECT_EQ(ShownCrossY(), T() + 1);
    EXPECT_TRUE(CrossRowIs(T() + 1, L() + 1, R() - 3));
    EXPECT_TRUE(CrossColumnIs(R() - 2, T() + 2, B() - 2));
    EXPECT_EQ(PixelAt(Face(), R() - 2, T() + 1), Shown(Back));  // the crossing pixel

    Show(101, 100);
    EXPECT_EQ(ShownCrossX(), -1);
    EXPECT_EQ(ShownCrossY(), T() + 1);
    EXPECT_EQ(CountColor(Face(), TRect{L() + 1, T() + 2, R() - 1, B() - 1}, Cross), 0);
    EXPECT_TRUE(BoxShows(xy->Layout().XValRect, "101"));

    Show(-1, 101);
    EXPECT_EQ(ShownCrossX(), -1);
    EXPECT_EQ(ShownCrossY(), -1);
    EXPECT_EQ(CountColor(Face(), TRect{L(), T(), R(), B()}, Cross), 0);
    EXPECT_TRUE(BoxShows(xy->Layout().YValRect, "101"));

    // Erasing restores every pixel: back at the start the face is as Paint drew it.
    Show(0, 0);
    xy->Paint();
    const QImage painted = Face().copy();
    Show(37, 64);
    Show(100, 101);
    Show(0, 0);
    EXPECT_EQ(Face(), painted);
}

TEST_F(XYGraphTest, AValueWiderThanItsBoxShowsTheOverflowMarkNeverAnotherNumber)
{
    BindChannels();
    const TRect xBox = xy->Layout().XValRect;
    const TRect yBox = xy->Layout().YValRect;
    ASSERT_EQ(yBox.Left, 4);  // nothing but the bevel left of the Y box: 18690 showed as 8690
    Show(-100, 100);          // as wide as the box: whole
    EXPECT_TRUE(BoxShows(xBox, "-100"));
    EXPECT_TRUE(BoxShows(yBox, "100"));
    Show(18690, -18690);
    EXPECT_TRUE(BoxShows(xBox, "###"));
    EXPECT_TRUE(BoxShows(yBox, "###"));
    EXPECT_EQ(CountColor(Face(), TRect{1, xBox.Top, xBox.Left, xBox.Bottom}, xy->ColorValue()), 0);
    EXPECT_EQ(CountColor(Face(), TRect{1, yBox.Top, yBox.Left, yBox.Bottom}, xy->ColorValue()), 0);

    // A box narrower than the mark itself shows as much of it as fits.
    xy->SetXMaxValue(1);
    xy->Paint();
    const TRect narrow = xy->Layout().XValRect;
    ASSERT_LT(narrow.Right - narrow.Left, xy->Canvas().TextWidth("###"));
    Show(5000, 0);
    EXPECT_TRUE(BoxShows(narrow, "##") || BoxShows(narrow, "#"));
    EXPECT_EQ(
        CountColor(Face(), TRect{1, narrow.Top, narrow.Left, narrow.Bottom}, xy->ColorValue()), 0);
}

TEST_F(XYGraphTest, DecimalsOfTheChannelFormatLabelsAndValues)
{
    xy->SetXIoName("SPEED");
    xy->SetYIoName("THROT");
    xy->SetXMaxValue(10000);
    xy->SetBounds(1, 1, 260, 200);
    xy->Paint();
    EXPECT_TRUE(
        ShowsAt(Face(), R() - xy->Canvas().TextWidth("-100.00"), B() + 4, Label(" 100.00")));
    Speed = 5;
    Throttle = 0;
    xy->SetValue();
    EXPECT_TRUE(BoxShows(xy->Layout().XValRect, "0.05"));
    Speed = 10000;
    xy->SetValue();
    EXPECT_EQ(ShownCrossX(), R() - 2);
}

TEST_F(XYGraphTest, TitleAndLabelsKeepTheirOwnHeightsWhenTheControlGrows)
{
    xy->SetHeightTitle(26);
    xy->SetHeightValue(12);
    xy->SetTitle(QStringLiteral("Tacho"));
    xy->Paint();  // grows from 32 x 32, which paints once more on the way
    const QImage title = RenderText(xy->FontName, 26, 0, xy->Color, "Tacho");
    EXPECT_TRUE(ShowsAt(Face(), xy->Width() / 2 - title.width() / 2, 4, title));
    EXPECT_TRUE(ShowsAt(Face(), L(), B() + 4, Label(" 0")));
    EXPECT_EQ(T(), 26 + 8);
}

TEST_F(XYGraphTest, GrowsToItsMinimumSizeAndNeverShrinks)
{
    xy->Paint();
    platform::Canvas& canvas = xy->Canvas();
    canvas.Font.Height = 16;
    const int wX = canvas.TextWidth("-100");
    const int wY = wX;
    canvas.Font.Height = 16;
    const int title = canvas.TextWidth("TITLE");
    EXPECT_EQ(xy->Width(), std::max(title + 8, 3 * wX + wY + 20));
    EXPECT_EQ(xy->Height(), 4 * 16 + 16 + 24);
    EXPECT_EQ(xy->WidthMin, 0);
    EXPECT_EQ(xy->HeightMin, 0);

    xy->SetTitle(QStringLiteral("A much longer title than the scale needs"));
    xy->Paint();
    canvas.Font.Height = 16;
    EXPECT_EQ(xy->Width(), canvas.TextWidth("A much longer title than the scale needs") + 8);

    xy->SetBounds(1, 1, 500, 400);
    xy->Paint();
    EXPECT_EQ(xy->Width(), 500);
    EXPECT_EQ(xy->Height(), 400);
    EXPECT_EQ(R(), 496);
    EXPECT_EQ(B(), 400 - 24);
}

TEST_F(XYGraphTest, ReversedLimitsMirrorTheAxis)
{
    xy->SetXMinValue(100);
    xy->SetXMaxValue(0);
    BindChannels();
    Show(100, 0);
    EXPECT_EQ(ShownCrossX(), L() + 1);
    Show(0, 0);
    EXPECT_EQ(ShownCrossX(), R() - 2);
    Show(25, 0);
    const int quarter = ShownCrossX();
    Show(75, 0);
    EXPECT_LT(ShownCrossX(), quarter);
}

TEST_F(XYGraphTest, EqualLimitsMakeAStepAtTheLimit)
{
    xy->SetXMinValue(50);
    xy->SetXMaxValue(50);
    xy->SetYMinValue(-7);
    xy->SetYMaxValue(-7);
    BindChannels();
    EXPECT_EQ(ShownCrossX(), -1);  // 0 lies below the X limit
    EXPECT_EQ(ShownCrossY(), -1);
    Show(50, -7);
    EXPECT_EQ(ShownCrossX(), L() + 1);
    EXPECT_EQ(ShownCrossY(), B() - 2);
    Show(51, -8);
    EXPECT_EQ(ShownCrossX(), -1);
    EXPECT_EQ(ShownCrossY(), -1);
    EXPECT_EQ(CountColor(Face(), TRect{L(), T(), R(), B()}, Cross), 0);
    EXPECT_TRUE(BoxShows(xy->Layout().XValRect, "51"));
}

TEST_F(XYGraphTest, ValuesBeforeTheFirstPaintAreKeptAndDrawnByThatPaint)
{
    xy->SetXIoName("TACHO");
    xy->SetYIoName("THROT");
    xy->Canvas().Brush.Color = platform::clLime;
    xy->Canvas().FillRect(TRect{0, 0, 32, 32});
    const QImage before = Face().copy();
    Show(100, 50);
    EXPECT_EQ(xy->XValue(), 100);
    EXPECT_EQ(xy->YValue(), 50);
    EXPECT_EQ(Face(), before);
    xy->SetBounds(1, 1, 260, 200);
    xy->Paint();
    EXPECT_EQ(ShownCrossX(), R() - 2);
    EXPECT_TRUE(BoxShows(xy->Layout().XValRect, "100"));
    EXPECT_TRUE(BoxShows(xy->Layout().YValRect, "50"));
}

TEST_F(XYGraphTest, UnchangedValuesDrawNothing)
{
    BindChannels();
    Show(30, 40);
    xy->Canvas().SetPixel(xy->Layout().XValRect.Left, xy->Layout().XValRect.Top, platform::clLime);
    Show(30, 40);
    EXPECT_EQ(PixelAt(Face(), xy->Layout().XValRect.Left, xy->Layout().XValRect.Top),
              platform::clLime);
    Show(30, 41);
    EXPECT_NE(PixelAt(Face(), xy->Layout().XValRect.Left, xy->Layout().XValRect.Top),
              platform::clLime);
}

TEST_F(XYGraphTest, HugeSplitCountsPaintEveryColumnWithoutHanging)
{
    xy->SetXSplit(2000000000);
    xy->SetYSplit(1);
    xy->SetBounds(1, 1, 260, 200);
    xy->Paint();
    // Each column between the first and the last division carries the dotted grid.
    for (int x = L() + 2; x <= R() - 3; ++x) {
        if (x != ShownCrossX()) {
            EXPECT_GT(CountColor(Face(), TRect{x, T() + 1, x + 1, B() - 1}, Grid), 0) << x;
        }
    }
    xy->SetXSplit(1);
    xy->SetYSplit(2000000000);
    xy->Paint();
    for (int y = T() + 2; y <= B() - 4; ++y)
        EXPECT_GT(CountColor(Face(), TRect{L() + 1, y, R() - 1, y + 1}, Grid), 0) << y;
}

TEST_F(XYGraphTest, PropertyLinesRestoreEverythingButTheTitleColour)
{
    xy->SetBounds(33, 41, 320, 240);
    xy->SetXMinValue(-100);
    xy->SetXMaxValue(9000);
    xy->SetXSplit(9);
    xy->SetXIoName("TACHO");
    xy->SetYMinValue(5);
    xy->SetYMaxValue(-5);
    xy->SetYSplit(0);
    xy->SetYIoName("BATTERY");
    xy->SetHeightTitle(22);
    xy->SetHeightValue(11);
    xy->SetColorTitle(platform::clRed);
    xy->SetColorScale(0x010203);
    xy->SetColorValue(0x040506);
    xy->SetColorCross(0x070809);
    xy->SetColorGrid(0x0A0B0C);
    xy->SetColorBack(0x0D0E0F);
    xy->SetTitle(QString::fromUtf8("回転 vs 開度"));

    QStringList lines;
    xy->SaveProperty(lines, "\t");
    const QStringList expected = {
        "\tLeft=33",           "\tTop=41",
        "\tWidth=320",         "\tHeight=240",
        "\tXMinValue=-100",    "\tXMaxValue=9000",
        "\tXSplit=9",          "\tXIoName=\"TACHO\"",
        "\tYMinValue=5",       "\tYMaxValue=-5",
        "\tYSplit=0",          "\tYIoName=\"BATTERY\"",
        "\tHeightTitle=22",    "\tHeightValue=11",
        "\tColorScale=66051",  "\tColorValue=263430",
        "\tColorCross=460809", "\tColorGrid=658188",
        "\tColorBack=855567",  QString::fromUtf8("\tTitle=\"回転 vs 開度\""),
    };
    EXPECT_EQ(lines, expected);

    QStringList mixed;
    for (const QString& line : lines) {
        mixed.prepend(line);
        mixed.prepend(QStringLiteral("\tDecimalPoint=-3\r\n\tSplitX=7"));
    }
    auto loaded = std::make_unique<TXYGraph>(&panel, SourceIndexQ7);
    loaded->LoadProperty(platform::ToCp932(mixed.join("\r\n")) + "\r\n");
    QStringList again;
    loaded->SaveProperty(again, "\t");
    EXPECT_EQ(again, lines);
    EXPECT_EQ(loaded->ColorTitle(), platform::clBlack);
    EXPECT_EQ(loaded->XPortInfo().Address, &Tacho);
    EXPECT_EQ(loaded->YPortInfo().Address, &Battery);
    EXPECT_EQ(loaded->YPortInfo().DecimalPoint, 1);
}

}  // namespace
