// The layouts as pure functions: the 8-pixel editing grid, the bar and XY graph faces and the dial
// (its figures, the limit band polygon, the hub and the scale limits that decide whether a scale
// can be drawn).
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include "indicators/BarGraphLayout.h"
#include "indicators/DialGeometry.h"
#include "indicators/LayoutGrid.h"
#include "indicators/PixelRounding.h"
#include "indicators/XYGraphLayout.h"

using namespace platform;

// The snapping to the grid is seen in the drags of IndicatorMouseTest.
TEST(LayoutGrid, TheBandsUnderTheMouse)
{
    const std::tuple<int, int, int, int, TCursor> points[] = {
        // x, y, width, bands, cursor
        // clang-format off
        {8, 8, 32, BandInside, crDrag}, {24, 24, 32, BandInside, crDrag},
        {7, 16, 32, BandLeft, crSizeWE}, {16, 30, 32, BandBottom, crSizeNS},
        {30, 30, 32, BandRight | BandBottom, crSizeNWSE},
        {30, 2, 32, BandTop | BandRight, crSizeNESW},
        // 12 wide: the side bands overlap at 5 to 7, where the arrow shows.
        {4, 16, 12, BandLeft, crSizeWE}, {7, 16, 12, BandLeft | BandRight, crDefault},
        // clang-format on
    };
    for (const auto& [x, y, width, bands, cursor] : points) {
        EXPECT_EQ(EdgeBands(x, y, width, 32), bands) << x << "," << y << " of " << width;
        EXPECT_EQ(CursorOfBands(std::uint8_t(bands)), cursor) << x << "," << y << " of " << width;
    }
}

// A range of 0 to 100 with labels "100" (27 pixels) and "0" (9), 16 high, and a title 40 by 16.
TBarGraphLayoutInput BarInput(bool vertical, int width, int height)
{
    TBarGraphLayoutInput in;
    in.Width = width;
    in.Height = height;
    in.Vertical = vertical;
    in.MaxValWidth = 27;
    in.MinValWidth = 9;
    in.ValueHeight = 16;
    in.Title = {40, 16};
    return in;
}

// Horizontal: the bar under the title, the labels and the value below it, covering the columns up
// to its end. Vertical: the bar right of the labels, the value halfway down, covering the rows
// below its end (the minimum one row, the maximum all but the top).
TEST(BarGraphLayout, BothDirections)
{
    struct Case {
        bool vertical;
        TSize control, minimum;
        std::vector<TRect> rects;    // bar, its interior, value box
        std::vector<TPoint> points;  // title, minimum and maximum labels
        double dr;
        int emptyEnd;
        std::vector<std::array<int, 3>> valueEndMarker;  // marker -1: none
    };
    // clang-format off
    const Case cases[] = {
        {false, {200, 80}, {88, 72}, {{4, 24, 196, 44}, {5, 25, 194, 42}, {87, 48, 114, 64}},
         {{80, 4}, {4, 48}, {169, 48}}, 189 / 100.0, 4,
         {{0, 5, -1}, {50, 99, 99}, {100, 194, -1}, {-5, 5, -1}, {200, 194, -1}}},
        {true, {80, 200}, {64, 88}, {{35, 24, 55, 196}, {36, 25, 53, 194}, {4, 102, 31, 118}},
         {{20, 4}, {22, 180}, {4, 24}}, 169 / 100.0, 194,
         {{0, 193, -1}, {50, 109, 110}, {100, 25, -1}, {-1, 194, -1}, {150, 25, -1}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.vertical ? "vertical" : "horizontal");
        const TBarGraphLayoutInput in = BarInput(c.vertical, c.control.cx, c.control.cy);
        EXPECT_EQ(BarGraphMinimumSize(in), c.minimum);
        const TBarGraphLayout l = ComputeBarGraphLayout(in);
        EXPECT_EQ((std::vector{l.BarRect, l.BarBack, l.DigitalRect}), c.rects);
        EXPECT_EQ((std::vector{l.TitleAt, l.MinLabelAt, l.MaxLabelAt}), c.points);
        EXPECT_DOUBLE_EQ(l.DR, c.dr);
        EXPECT_EQ(l.EmptyEnd, c.emptyEnd);
        for (const auto& [value, end, marker] : c.valueEndMarker) {
            EXPECT_EQ(BarGraphEnd(l, value, 0), end) << value;
            EXPECT_EQ(BarGraphMarkerLine(l, value, 0).value_or(-1), marker) << value;
        }
    }
    // Equal limits make a step at the limit, with no marker line anywhere.
    TBarGraphLayoutInput in = BarInput(false, 200, 80);
    in.MinValue = in.MaxValue = 50;
    const TBarGraphLayout l = ComputeBarGraphLayout(in);
    for (const auto& [value, end] : {std::pair{49, 5}, {50, 5}, {51, 194}}) {
        EXPECT_EQ(BarGraphEnd(l, value, 50), end) << value;
        EXPECT_FALSE(BarGraphMarkerLine(l, value, 50)) << value;
    }
    in.Title.cx = 300;  // a wide title widens the least width
    EXPECT_EQ(BarGraphMinimumSize(in).cx, 312);
}

TEST(XYGraphLayout, PlotGridAndCrosshair)
{
    // Limits 0 to 100 on both axes, labels " 100" (36 pixels) and " 0" (18), fonts 16 high, a title
    // 50 wide, in a control of 260 by 200.
    TXYGraphLayoutInput in;
    in.Width = 260;
    in.Height = 200;
    in.XMaxValWidth = in.YMaxValWidth = 36;
    in.XMinValWidth = in.YMinValWidth = 18;
    in.TitleWidth = 50;
    EXPECT_EQ(XYGraphMinimumSize(in), (TSize{3 * 36 + 44 + 12, 4 * 16 + 16 + 24}));
    const TXYGraphLayout l = ComputeXYGraphLayout(in);

    EXPECT_DOUBLE_EQ(l.DRX, 209 / 100.0);
    EXPECT_DOUBLE_EQ(l.DRY, 149 / 100.0);
    EXPECT_EQ((std::vector{l.TitleAt, l.YMaxLabelAt, l.YMinLabelAt, l.XMinLabelAt, l.XMaxLabelAt}),
              (std::vector<TPoint>{{105, 4}, {4, 24}, {22, 160}, {44, 180}, {220, 180}}));
    EXPECT_EQ((std::vector{l.GraphRect, l.XValRect, l.YValRect}),
              (std::vector<TRect>{{44, 24, 256, 176}, {132, 180, 168, 196}, {4, 92, 40, 108}}));

    EXPECT_EQ(XYGraphGridColumns(l, 5), (std::vector<int>{87, 129, 170, 212}));
    EXPECT_EQ(XYGraphGridRows(l, 5), (std::vector<int>{144, 114, 85, 55}));
    EXPECT_TRUE(XYGraphGridRows(l, -3).empty());
    // More divisions than pixels: every column from the first division to the last.
    const std::vector<int> dense = XYGraphGridColumns(l, 2000000000);
    ASSERT_EQ(dense.size(), 210u);
    EXPECT_EQ(dense.front(), 45);
    EXPECT_EQ(dense.back(), 254);

    // The crosshair stands on the plot's inner pixels, none beyond the limits (nothing clamped).
    for (const auto& [value, column, row] :
         {std::array{0, 45, 174}, {100, 254, 25}, {101, -1, -1}, {-1, -1, -1}}) {
        EXPECT_EQ(XYGraphCrossColumn(l, value, 0), column) << value;
        EXPECT_EQ(XYGraphCrossRow(l, value, 0), row) << value;
    }
    // Over 0 to 1000 a value just beyond the maximum rounds onto the plot's frame: not drawn.
    in.XMaxValue = 1000;
    EXPECT_EQ(XYGraphCrossColumn(ComputeXYGraphLayout(in), 1000, 0), 254);
    EXPECT_EQ(XYGraphCrossColumn(ComputeXYGraphLayout(in), 1005, 0), -1);
    // Reversed limits mirror the axis; equal ones make a step at the limit.
    for (const auto& [min, max, value, column] :
         {std::array{100, 0, 100, 45}, {100, 0, 0, 254}, {50, 50, 50, 45}, {50, 50, 51, -1}}) {
        in.XMinValue = min;
        in.XMaxValue = max;
        EXPECT_EQ(XYGraphCrossColumn(ComputeXYGraphLayout(in), value, min), column)
            << min << ".." << max << ": " << value;
    }
    in.TitleWidth = 300;  // a wide title widens the least width
    EXPECT_EQ(XYGraphMinimumSize(in).cx, 308);
}

namespace {

constexpr int IntMin = std::numeric_limits<int>::min();
constexpr int IntMax = std::numeric_limits<int>::max();

TDialLayout Layout(int width, int height, int angle = 270, int title = 16)
{
    TDialLayoutInput in;
    in.Width = width;
    in.Height = height;
    in.ScaleAngle = angle;
    in.HeightTitle = title;
    return ComputeDialLayout(in);
}

}  // namespace

TEST(DialGeometry, HalvesRoundToTheEvenNeighbourAndExtremesSaturate)
{
    const std::pair<double, int> cases[] = {
        {0.5, 0}, {1.5, 2}, {-1.5, -2}, {std::nan(""), 0}, {1e300, IntMax}, {-HUGE_VAL, IntMin}};
    for (const auto& [value, rounded] : cases)
        EXPECT_EQ(NearestInt(value), rounded) << value;
}

TEST(DialGeometry, Layouts)
{
    struct Case {
        int width, height, angle, title;
        std::vector<int> figures;  // width, height, r1, hub, r2, r3, centre, scale and value fonts
        TRect inner;
    };
    const Case cases[] = {
        // A new dial grows to 120 by 128.
        {32, 32, 270, 16, {120, 128, 49, 7, 45, 41, 60, 79, 7, 11}, {4, 24, 116, 124}},
        // A square of 240 is limited by its width.
        {240, 240, 270, 16, {240, 240, 110, 17, 101, 92, 120, 140, 17, 26}, {4, 24, 236, 228}},
        // Limited by the room for the value text, whose height follows the radius: the radius
        // that fits with its own value text (122 would leave room for a text of 0).
        {240, 176, 90, 16, {240, 176, 102, 16, 94, 85, 120, 132, 16, 24}, {4, 24, 236, 172}},
        // 125 leaves room for the value text of 124, and 124 for that of 125: the smaller.
        {200, 208, 90, 16, {200, 208, 124, 19, 114, 104, 100, 154, 19, 29}, {4, 24, 196, 202}},
        // A small sweep with a tall title leaves no height for the scale: a hub of radius 0.
        {120, 32, 60, 20, {120, 48, 0, 0, 0, 0, 60, 34, 0, 0}, {4, 28, 116, 44}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " " << c.angle);
        const TDialLayout l = Layout(c.width, c.height, c.angle, c.title);
        EXPECT_EQ((std::vector{l.Width, l.Height, l.ScaleR1, l.Boss, l.ScaleR2, l.ScaleR3, l.DCX,
                               l.DCY, l.ScaleFH, l.DigitalFH}),
                  c.figures);
        EXPECT_EQ(l.InnerRect, c.inner);
    }
    // The least height follows the sweep.
    for (const auto& [angle, heightMin] : {std::pair{60, 48}, {180, 88}, {300, 136}, {360, 144}})
        EXPECT_EQ(Layout(32, 32, angle).Height, heightMin) << angle;
}

TEST(DialGeometry, BrokenAnglesAndHeightsGiveAFiniteLayout)
{
    for (int angle : {0, 361, IntMin, IntMax}) {
        const TDialLayout lay = Layout(120, 128, angle);
        EXPECT_GT(lay.ScaleR1, 0) << angle;
        EXPECT_LE(lay.ScaleR1, 81) << angle;  // the value box's bound
    }
    EXPECT_LE(Layout(120, 32, 270, IntMax).Height, 2000);
}

// The bands and the hub are seen drawn in the dial's own tests; here only that broken input stays
// within their buffers.
TEST(DialGeometry, BandAndHubPointsStayWithinTheirBuffers)
{
    EXPECT_LE(DialBandPoints(0, 0, 10, 5, 1e6, 0).size(), 200u);
    EXPECT_TRUE(DialBandPoints(0, 0, 10, 5, 0, DialDegToRad).empty());
    EXPECT_TRUE(DialHubLines(0, 0, -3).empty());
}

TEST(DialGeometry, ScaleUsableOnlyWithinTheLimitsTheDrawingReliesOn)
{
    // Angle, limits, divisions, exponent and whether the scale can be drawn.
    const std::array<int, 7> cases[] = {
        {1, 0, 10, 10, 1, -4, true},       {360, IntMin, IntMax, 20, 10, 9, true},
        {270, 0, 10000, 60, 60, 3, true},  {270, 5000, 5000, 10, 5, 3, false},
        {361, 0, 10000, 10, 5, 3, false},  {270, 0, 5, 10, 5, 3, false},  // main step 0
        {270, 0, 10000, 10, 5, 10, false}, {270, 0, 10000, 10, -5, 3, false},
        {270, 0, 10000, 61, 60, 3, false},
    };
    for (const auto& [angle, min, max, mainDiv, subDiv, exp, usable] : cases)
        EXPECT_EQ(CheckDialScale(angle, min, max, mainDiv, subDiv, exp).Usable, bool(usable))
            << angle << " " << min << ".." << max << " " << mainDiv << "/" << subDiv << " " << exp;
    EXPECT_EQ(CheckDialScale(270, 0, 10000, 10, 5, 3).MainStep, 1000);
    EXPECT_EQ(CheckDialScale(270, 0, 10000, 10, 5, 3).Ticks, 50);
}
