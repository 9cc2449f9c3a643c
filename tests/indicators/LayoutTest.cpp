// The layouts as pure functions: the 8-pixel editing grid and the bar and XY graph faces.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "indicators/BarGraphLayout.h"
#include "indicators/LayoutGrid.h"
#include "indicators/XYGraphLayout.h"

using namespace platform;

TEST(LayoutGrid, SnappingAndTheBandsUnderTheMouse)
{
    const std::pair<int, int> travels[] = {{7, 0}, {8, 8}, {-1, -8}, {-8, -8}, {-9, -16}};
    for (const auto& [travel, snapped] : travels)
        EXPECT_EQ(SnapTravel(travel), snapped) << travel;
    const std::pair<int, int> positions[] = {{1, 1}, {7, 1}, {8, 9}, {17, 17}};
    for (const auto& [position, snapped] : positions)
        EXPECT_EQ(SnapPosition(position), snapped) << position;
    EXPECT_EQ(SnapSize(7), 0);
    EXPECT_EQ(SnapSize(47), 40);

    const struct {
        int x, y, width;
        std::uint8_t bands;
        TCursor cursor;
    } points[] = {
        // clang-format off
        {16, 16, 32, BandInside, crDrag}, {8, 8, 32, BandInside, crDrag},
        {24, 24, 32, BandInside, crDrag}, {7, 16, 32, BandLeft, crSizeWE},
        {25, 16, 32, BandRight, crSizeWE}, {16, 3, 32, BandTop, crSizeNS},
        {16, 30, 32, BandBottom, crSizeNS}, {3, 3, 32, BandLeft | BandTop, crSizeNWSE},
        {30, 30, 32, BandRight | BandBottom, crSizeNWSE}, {30, 2, 32, BandTop | BandRight, crSizeNESW},
        {2, 30, 32, BandLeft | BandBottom, crSizeNESW},
        // 12 wide: the side bands overlap at 5 to 7, where the arrow shows.
        {4, 16, 12, BandLeft, crSizeWE}, {5, 16, 12, BandLeft | BandRight, crDefault},
        {7, 16, 12, BandLeft | BandRight, crDefault}, {8, 16, 12, BandRight, crSizeWE},
        // clang-format on
    };
    for (const auto& c : points) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " of " << c.width);
        EXPECT_EQ(EdgeBands(c.x, c.y, c.width, 32), c.bands);
        EXPECT_EQ(CursorOfBands(c.bands), c.cursor);
    }
}

// A range of 0 to 100 with labels "100" (27 pixels) and "0" (9), 16 high, and a title 60 by 16.
TBarGraphLayoutInput BarInput(bool vertical, int width, int height)
{
    TBarGraphLayoutInput in;
    in.Width = width;
    in.Height = height;
    in.Vertical = vertical;
    in.MaxValWidth = 27;
    in.MinValWidth = 9;
    in.ValueHeight = 16;
    in.Title = {60, 16};
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
        TRect barRect, barBack, digital;
        TPoint titleAt, minLabelAt, maxLabelAt;
        double dr;
        int emptyEnd;
        std::vector<std::array<int, 3>> valueEndMarker;  // marker -1: none
    };
    // clang-format off
    const Case cases[] = {
        {false, {200, 80}, {88, 72}, {4, 24, 196, 44}, {5, 25, 194, 42}, {87, 48, 114, 64},
         {70, 4}, {4, 48}, {169, 48}, 189 / 100.0, 4,
         {{0, 5, -1}, {50, 99, 99}, {100, 194, -1}, {-5, 5, -1}, {200, 194, -1}}},
        {true, {80, 200}, {72, 88}, {35, 24, 55, 196}, {36, 25, 53, 194}, {4, 102, 31, 118},
         {10, 4}, {22, 180}, {4, 24}, 169 / 100.0, 194,
         {{0, 193, -1}, {50, 109, 110}, {100, 25, -1}, {-1, 194, -1}, {150, 25, -1}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.vertical ? "vertical" : "horizontal");
        const TBarGraphLayoutInput in = BarInput(c.vertical, c.control.cx, c.control.cy);
        EXPECT_EQ(BarGraphMinimumSize(in), c.minimum);
        const TBarGraphLayout l = ComputeBarGraphLayout(in);
        EXPECT_EQ(l.OuterRect, (TRect{0, 0, c.control.cx, c.control.cy}));
        EXPECT_EQ(l.BarRect, c.barRect);
        EXPECT_EQ(l.BarBack, c.barBack);
        EXPECT_EQ(l.DigitalRect, c.digital);
        EXPECT_EQ(l.TitleAt, c.titleAt);
        EXPECT_EQ(l.MinLabelAt, c.minLabelAt);
        EXPECT_EQ(l.MaxLabelAt, c.maxLabelAt);
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
    in.TitleWidth = 300;
    EXPECT_EQ(XYGraphMinimumSize(in).cx, 308);

    EXPECT_EQ(l.GraphRect, (TRect{44, 24, 256, 176}));
    EXPECT_DOUBLE_EQ(l.DRX, 209 / 100.0);
    EXPECT_DOUBLE_EQ(l.DRY, 149 / 100.0);
    EXPECT_EQ(l.TitleAt, (TPoint{105, 4}));
    EXPECT_EQ(l.YMaxLabelAt, (TPoint{4, 24}));
    EXPECT_EQ(l.YMinLabelAt, (TPoint{22, 160}));
    EXPECT_EQ(l.XMinLabelAt, (TPoint{44, 180}));
    EXPECT_EQ(l.XMaxLabelAt, (TPoint{220, 180}));
    EXPECT_EQ(l.XValRect, (TRect{132, 180, 168, 196}));
    EXPECT_EQ(l.YValRect, (TRect{4, 92, 40, 108}));

    EXPECT_EQ(XYGraphGridColumns(l, 5), (std::vector<int>{87, 129, 170, 212}));
    EXPECT_EQ(XYGraphGridRows(l, 5), (std::vector<int>{144, 114, 85, 55}));
    EXPECT_TRUE(XYGraphGridColumns(l, 1).empty());
    EXPECT_TRUE(XYGraphGridRows(l, -3).empty());
    // More divisions than pixels: every column from the first division to the last.
    const std::vector<int> dense = XYGraphGridColumns(l, 2000000000);
    ASSERT_EQ(dense.size(), 210u);
    EXPECT_EQ(dense.front(), 45);
    EXPECT_EQ(dense.back(), 254);

    // The crosshair stands on the plot's inner pixels, none beyond the limits (nothing clamped).
    const struct {
        std::int32_t value;
        int column, row;
    } cases[] = {{0, 45, 174}, {100, 254, 25}, {101, -1, -1}, {-1, -1, -1}, {50, 149, 100}};
    for (const auto& c : cases) {
        EXPECT_EQ(XYGraphCrossColumn(l, c.value, 0), c.column) << c.value;
        EXPECT_EQ(XYGraphCrossRow(l, c.value, 0), c.row) << c.value;
    }
    // Over 0 to 1000 a value just beyond the maximum rounds onto the plot's frame: not drawn.
    in.TitleWidth = 50;
    in.XMaxValue = 1000;
    EXPECT_EQ(XYGraphCrossColumn(ComputeXYGraphLayout(in), 1000, 0), 254);
    EXPECT_EQ(XYGraphCrossColumn(ComputeXYGraphLayout(in), 1005, 0), -1);
    // Reversed limits mirror the axis; equal ones make a step at the limit.
    for (const auto& [min, max, value, column] : {std::array{100, 0, 100, 45},
                                                  {100, 0, 0, 254},
                                                  {100, 0, 101, -1},
                                                  {50, 50, 50, 45},
                                                  {50, 50, 51, -1},
                                                  {50, 50, 49, -1}}) {
        in.XMinValue = min;
        in.XMaxValue = max;
        EXPECT_EQ(XYGraphCrossColumn(ComputeXYGraphLayout(in), value, min), column)
            << min << ".." << max << ": " << value;
    }
}
