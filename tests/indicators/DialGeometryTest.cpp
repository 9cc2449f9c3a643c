// The dial's geometry without a widget: the layout figures, the limit band polygon, the hub and
// the scale limits that decide whether a scale can be drawn.
#include "indicators/DialGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "indicators/PixelRounding.h"

using platform::TPoint;
using platform::TRect;

namespace {

constexpr int IntMin = std::numeric_limits<int>::min();
constexpr int IntMax = std::numeric_limits<int>::max();

TDialLayout Layout(int width, int height, int angle = 270, int title = 16, int previousFH = 0)
{
    TDialLayoutInput in;
    in.Width = width;
    in.Height = height;
    in.ScaleAngle = angle;
    in.HeightTitle = title;
    in.PreviousDigitalFH = previousFH;
    return ComputeDialLayout(in);
}

}  // namespace

TEST(DialGeometry, HalvesRoundToTheEvenNeighbourAndExtremesSaturate)
{
    const std::pair<double, int> cases[] = {{0.5, 0},        {1.5, 2},           {2.5, 2},
                                            {-1.5, -2},      {2.4999, 2},        {std::nan(""), 0},
                                            {1e300, IntMax}, {-HUGE_VAL, IntMin}};
    for (const auto& [value, rounded] : cases)
        EXPECT_EQ(NearestInt(value), rounded) << value;
}

TEST(DialGeometry, Layouts)
{
    struct Case {
        int width, height, angle, title, previousFH;
        int outWidth, outHeight, r1, boss, r2, r3, dcx, dcy;
        TRect inner;
        int scaleFH, digitalFH;
    };
    const Case cases[] = {
        // A new dial grows to 120 by 128.
        {32, 32, 270, 16, 0, 120, 128, 49, 7, 45, 41, 60, 79, {4, 24, 116, 124}, 7, 11},
        // A square of 240 is limited by its width; the value height of an earlier layout
        // changes nothing.
        {240, 240, 270, 16, 0, 240, 240, 110, 17, 101, 92, 120, 140, {4, 24, 236, 228}, 17, 26},
        {240, 240, 270, 16, 26, 240, 240, 110, 17, 101, 92, 120, 140, {4, 24, 236, 228}, 17, 26},
        // A small sweep with a tall title leaves no height for the scale: a hub of radius 0.
        {120, 32, 60, 20, 0, 120, 48, 0, 0, 0, 0, 60, 48 - 4, {4, 28, 116, 44}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " " << c.angle);
        const TDialLayout l = Layout(c.width, c.height, c.angle, c.title, c.previousFH);
        EXPECT_EQ(l.Width, c.outWidth);
        EXPECT_EQ(l.Height, c.outHeight);
        EXPECT_EQ(l.ScaleR1, c.r1);
        EXPECT_EQ(l.Boss, c.boss);
        if (c.r1 == 0) {
            EXPECT_TRUE(DialHubLines(l.DCX, l.DCY, l.Boss).empty());
            continue;
        }
        EXPECT_EQ(l.ScaleR2, c.r2);
        EXPECT_EQ(l.Needle, c.r2);
        EXPECT_EQ(l.ScaleR3, c.r3);
        EXPECT_EQ(l.DCX, c.dcx);
        EXPECT_EQ(l.DCY, c.dcy);
        EXPECT_EQ(l.InnerRect, c.inner);
        EXPECT_EQ(l.OuterRect, (TRect{0, 0, c.outWidth, c.outHeight}));
        EXPECT_EQ(l.ScaleFH, c.scaleFH);
        EXPECT_EQ(l.DigitalFH, c.digitalFH);
    }
    EXPECT_EQ(Layout(32, 32).WidthMin, 120);

    // The least height follows the sweep; a larger control is never shrunk.
    const std::pair<int, int> sweeps[] = {{60, 48},   {90, 56},   {180, 88},
                                          {270, 128}, {300, 136}, {360, 144}};
    for (const auto& [angle, heightMin] : sweeps) {
        EXPECT_EQ(Layout(32, 32, angle).HeightMin, heightMin) << angle;
        EXPECT_EQ(Layout(32, 32, angle).Height, heightMin) << angle;
    }
    EXPECT_EQ(Layout(300, 400).Height, 400);
    EXPECT_EQ(Layout(300, 400).Width, 300);
}

TEST(DialGeometry, BrokenAnglesAndHeightsGiveAFiniteLayout)
{
    for (int angle : {0, -90, 361, 720, IntMin, IntMax}) {
        const TDialLayout lay = Layout(120, 128, angle);
        EXPECT_EQ(lay.Width, 120) << angle;
        EXPECT_GT(lay.ScaleR1, 0) << angle;
        EXPECT_LE(lay.ScaleR1, 81) << angle;  // the value box's bound
    }
    EXPECT_LE(Layout(120, 32, 270, IntMax).Height, 2000);
    TDialLayoutInput in;
    in.Width = 240;
    in.Height = 240;
    in.HeightValue = IntMax;
    in.HeightScale = IntMin;
    in.PreviousDigitalFH = IntMax;
    const TDialLayout lay = ComputeDialLayout(in);
    EXPECT_LT(lay.ScaleR1, 0);
    EXPECT_EQ(lay.Height, 240);
}

TEST(DialGeometry, PointsBandsAndHub)
{
    EXPECT_EQ(DialPoint(60, 79, 0, 49), (TPoint{109, 79}));
    EXPECT_EQ(DialPoint(60, 79, DialDegToRad * 90, 49), (TPoint{60, 30}));
    EXPECT_EQ(DialPoint(60, 79, DialDegToRad * 225, 49), (TPoint{25, 114}));  // 34.648 each way

    // The upper band from 8000 on 0 to 10000 spans 9 to -45 degrees in 11 steps: 12 points on
    // each arc, the outer one first.
    const double a = DialDegToRad * 9, b = DialDegToRad * -45;
    const auto points = DialBandPoints(120, 140, 111, 101, a, b);
    ASSERT_EQ(points.size(), 24u);
    EXPECT_EQ(points[0], (TPoint{230, 123}));
    EXPECT_EQ(points[11], DialPoint(120, 140, b, 111));
    EXPECT_EQ(points[12], DialPoint(120, 140, b, 101));
    EXPECT_EQ(points[23], DialPoint(120, 140, a, 101));
    // Narrow bands take one step, reversed ones none, and never more points than the buffer.
    EXPECT_EQ(DialBandPoints(0, 0, 10, 5, 1e-12, 0).size(), 4u);
    EXPECT_TRUE(DialBandPoints(0, 0, 10, 5, 0, DialDegToRad).empty());
    EXPECT_TRUE(DialBandPoints(0, 0, 10, 5, std::nan(""), 0).empty());
    EXPECT_LE(DialBandPoints(0, 0, 10, 5, 1e6, 0).size(), 200u);

    // The hub's scan lines: symmetric, the centre row as wide as its neighbours.
    const auto lines = DialHubLines(60, 79, 7);
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ(lines[0].Y, 86);  // nearest(sqrt(49 - 42.25)) = 3
    EXPECT_EQ(lines[1].Y, 72);
    EXPECT_EQ(lines[0].X1, 57);
    EXPECT_EQ(lines[0].X2, 63);
    EXPECT_EQ(lines[12].Y, 80);  // nearest(sqrt(49 - 0.25)) = 7
    EXPECT_EQ(lines[12].X1, 53);
    EXPECT_EQ(lines[14].Y, 79);
    EXPECT_EQ(lines[14].X1, 53);
    EXPECT_EQ(lines[14].X2, 67);
    EXPECT_TRUE(DialHubLines(0, 0, -3).empty());
}

TEST(DialGeometry, ScaleUsableOnlyWithinTheLimitsTheDrawingReliesOn)
{
    const struct {
        int angle, min, max, mainDiv, subDiv, exp;
        bool usable;
    } cases[] = {
        {270, 0, 10000, 10, 5, 3, true},        {1, 0, 10, 10, 1, -4, true},
        {360, IntMin, IntMax, 20, 10, 9, true}, {270, 0, 10000, 60, 60, 3, true},
        {270, 5000, 5000, 10, 5, 3, false},     {270, 6000, 5000, 10, 5, 3, false},
        {0, 0, 10000, 10, 5, 3, false},         {361, 0, 10000, 10, 5, 3, false},
        {-90, 0, 10000, 10, 5, 3, false},       {270, 0, 5, 10, 5, 3, false},  // main step 0
        {270, 0, 10000, 10, 5, 10, false},      {270, 0, 10000, -3, 5, 3, false},
        {270, 0, 10000, 10, -5, 3, false},      {270, 0, 10000, 65536, 65536, 3, false},
        {270, 0, 10000, 61, 60, 3, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.angle << " " << c.min << ".." << c.max << " "
                                        << c.mainDiv << "/" << c.subDiv << " 10^" << c.exp);
        EXPECT_EQ(CheckDialScale(c.angle, c.min, c.max, c.mainDiv, c.subDiv, c.exp).Usable,
                  c.usable);
    }
    EXPECT_EQ(CheckDialScale(270, 0, 10000, 10, 5, 3).MainStep, 1000);
    EXPECT_EQ(CheckDialScale(270, 0, 10000, 10, 5, 3).Ticks, 50);
}
