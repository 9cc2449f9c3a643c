// The dial's geometry without a widget: the layout figures, the limit band polygon, the hub and
// the scale limits that decide whether a scale can be drawn.
#include "indicators/DialGeometry.h"

#include <gtest/gtest.h>

#include <cmath>

#include "indicators/PixelRounding.h"

using platform::TPoint;
using platform::TRect;

namespace {

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

TEST(DialRounding, HalvesGoToTheEvenNeighbourAndExtremesSaturate)
{
    EXPECT_EQ(NearestInt(0.5), 0);
    EXPECT_EQ(NearestInt(1.5), 2);
    EXPECT_EQ(NearestInt(2.5), 2);
    EXPECT_EQ(NearestInt(-0.5), 0);
    EXPECT_EQ(NearestInt(-1.5), -2);
    EXPECT_EQ(NearestInt(2.4999), 2);
    EXPECT_EQ(NearestInt(std::nan("")), 0);
    EXPECT_EQ(NearestInt(1e300), std::numeric_limits<int>::max());
    EXPECT_EQ(NearestInt(-HUGE_VAL), std::numeric_limits<int>::min());
}

TEST(DialLayout, NewDialGrowsTo120By128)
{
    const TDialLayout lay = Layout(32, 32);
    EXPECT_EQ(lay.Width, 120);
    EXPECT_EQ(lay.Height, 128);
    EXPECT_EQ(lay.WidthMin, 120);
    EXPECT_EQ(lay.HeightMin, 128);
    EXPECT_EQ(lay.ScaleR1, 49);
    EXPECT_EQ(lay.Boss, 7);
    EXPECT_EQ(lay.ScaleR2, 45);
    EXPECT_EQ(lay.Needle, 45);
    EXPECT_EQ(lay.ScaleR3, 41);
    EXPECT_EQ(lay.DCX, 60);
    EXPECT_EQ(lay.DCY, 79);
    EXPECT_EQ(lay.InnerRect, (TRect{4, 24, 116, 124}));
    EXPECT_EQ(lay.OuterRect, (TRect{0, 0, 120, 128}));
    EXPECT_EQ(lay.ScaleFH, 7);
    EXPECT_EQ(lay.DigitalFH, 11);
}

TEST(DialLayout, A240SquareDialIsLimitedByItsWidth)
{
    // The second layout takes the value height of the first into account; neither changes it.
    for (int previous : {0, 26}) {
        const TDialLayout lay = Layout(240, 240, 270, 16, previous);
        EXPECT_EQ(lay.Width, 240);
        EXPECT_EQ(lay.Height, 240);
        EXPECT_EQ(lay.ScaleR1, 110);
        EXPECT_EQ(lay.Boss, 17);
        EXPECT_EQ(lay.ScaleR2, 101);
        EXPECT_EQ(lay.ScaleR3, 92);
        EXPECT_EQ(lay.DCX, 120);
        EXPECT_EQ(lay.DCY, 140);
        EXPECT_EQ(lay.InnerRect, (TRect{4, 24, 236, 228}));
        EXPECT_EQ(lay.DigitalFH, 26);
    }
}

TEST(DialLayout, MinimumHeightFollowsTheSweep)
{
    const std::pair<int, int> table[] = {{60, 48},   {90, 56},   {180, 88},
                                         {270, 128}, {300, 136}, {360, 144}};
    for (const auto& [angle, heightMin] : table) {
        const TDialLayout lay = Layout(32, 32, angle);
        EXPECT_EQ(lay.HeightMin, heightMin) << angle;
        EXPECT_EQ(lay.Height, heightMin) << angle;
    }
    // A larger control is never shrunk.
    EXPECT_EQ(Layout(300, 400).Height, 400);
    EXPECT_EQ(Layout(300, 400).Width, 300);
}

TEST(DialLayout, BrokenAnglesAndHeightsGiveAFiniteLayout)
{
    for (int angle :
         {0, -90, 361, 720, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()}) {
        const TDialLayout lay = Layout(120, 128, angle);
        EXPECT_EQ(lay.Width, 120) << angle;
        EXPECT_GT(lay.ScaleR1, 0) << angle;
        EXPECT_LE(lay.ScaleR1, 81) << angle;  // the value box's bound
    }
    // A huge title does not make the control millions of pixels high.
    EXPECT_LE(Layout(120, 32, 270, std::numeric_limits<int>::max()).Height, 2000);
    TDialLayoutInput in;
    in.Width = 240;
    in.Height = 240;
    in.HeightValue = std::numeric_limits<int>::max();
    in.HeightScale = std::numeric_limits<int>::min();
    in.PreviousDigitalFH = std::numeric_limits<int>::max();
    const TDialLayout lay = ComputeDialLayout(in);
    EXPECT_LT(lay.ScaleR1, 0);   // no room: a scale of negative radius draws nothing sensible but
    EXPECT_EQ(lay.Height, 240);  // nothing overflows
}

TEST(DialLayout, ASmallSweepWithATallTitleLeavesAHubOfRadiusZero)
{
    // 55 cut down to 48 leaves no height for the scale at all.
    const TDialLayout lay = Layout(120, 32, 60, 20);
    EXPECT_EQ(lay.Height, 48);
    EXPECT_EQ(lay.ScaleR1, 0);
    EXPECT_EQ(lay.Boss, 0);
    EXPECT_TRUE(DialHubLines(lay.DCX, lay.DCY, lay.Boss).empty());
}

TEST(DialBand, UpperBandFrom8000On0To10000SpansNineToMinus45DegreesIn11Steps)
{
    const double d = 270.0 / 10000;
    const double a = DialDegToRad * ((10000 - 8000) * d + 90 - 135);
    const double b = DialDegToRad * (90 - 135);
    EXPECT_NEAR(a / DialDegToRad, 9, 1e-9);
    EXPECT_NEAR(b / DialDegToRad, -45, 1e-9);
    const auto points = DialBandPoints(120, 140, 111, 101, a, b);
    ASSERT_EQ(points.size(), 24u);  // 11 steps: 12 points on each arc
    EXPECT_EQ(points[0], DialPoint(120, 140, a, 111));
    EXPECT_EQ(points[11], DialPoint(120, 140, b, 111));
    EXPECT_EQ(points[12], DialPoint(120, 140, b, 101));
    EXPECT_EQ(points[23], DialPoint(120, 140, a, 101));
    // The first point at 9 degrees on radius 111: (120 + 109.63, 140 - 17.36) rounded.
    EXPECT_EQ(points[0], (TPoint{230, 123}));
}

TEST(DialBand, NarrowBandsTakeOneStepAndReversedOnesNone)
{
    const double one = DialDegToRad;
    EXPECT_EQ(DialBandPoints(0, 0, 10, 5, one, 0).size(), 4u);
    EXPECT_EQ(DialBandPoints(0, 0, 10, 5, 1e-12, 0).size(), 4u);
    EXPECT_TRUE(DialBandPoints(0, 0, 10, 5, 0, one).empty());
    EXPECT_TRUE(DialBandPoints(0, 0, 10, 5, 0, 0).empty());
    EXPECT_TRUE(DialBandPoints(0, 0, 10, 5, std::nan(""), 0).empty());
    // Never more points than the band buffer held.
    EXPECT_LE(DialBandPoints(0, 0, 10, 5, 1e6, 0).size(), 200u);
}

TEST(DialPointTest, CoordinatesRoundAsWholes)
{
    EXPECT_EQ(DialPoint(60, 79, 0, 49), (TPoint{109, 79}));
    EXPECT_EQ(DialPoint(60, 79, DialDegToRad * 90, 49), (TPoint{60, 30}));
    // 225 degrees: (60 - 34.648, 79 + 34.648).
    EXPECT_EQ(DialPoint(60, 79, DialDegToRad * 225, 49), (TPoint{25, 114}));
}

TEST(DialHub, ScanLinesAreSymmetricWithTheCentreRowAsWideAsItsNeighbours)
{
    const auto lines = DialHubLines(60, 79, 7);
    ASSERT_EQ(lines.size(), 15u);
    // Outermost rows: w = nearest(sqrt(49 - 42.25)) = nearest(2.598) = 3.
    EXPECT_EQ(lines[0].Y, 86);
    EXPECT_EQ(lines[1].Y, 72);
    EXPECT_EQ(lines[0].X1, 57);
    EXPECT_EQ(lines[0].X2, 63);
    // Rows next to the centre: w = nearest(sqrt(49 - 0.25)) = 7; the centre row takes it.
    EXPECT_EQ(lines[12].Y, 80);
    EXPECT_EQ(lines[12].X1, 53);
    EXPECT_EQ(lines[14].Y, 79);
    EXPECT_EQ(lines[14].X1, 53);
    EXPECT_EQ(lines[14].X2, 67);
    EXPECT_TRUE(DialHubLines(0, 0, -3).empty());
}

TEST(DialScale, UsableOnlyWithinTheLimitsTheDrawingReliesOn)
{
    EXPECT_TRUE(CheckDialScale(270, 0, 10000, 10, 5, 3).Usable);
    EXPECT_EQ(CheckDialScale(270, 0, 10000, 10, 5, 3).MainStep, 1000);
    EXPECT_EQ(CheckDialScale(270, 0, 10000, 10, 5, 3).Ticks, 50);
    EXPECT_TRUE(CheckDialScale(1, 0, 10, 10, 1, -4).Usable);
    EXPECT_TRUE(CheckDialScale(360, -2147483647 - 1, 2147483647, 20, 10, 9).Usable);

    EXPECT_FALSE(CheckDialScale(270, 5000, 5000, 10, 5, 3).Usable);  // empty range
    EXPECT_FALSE(CheckDialScale(270, 6000, 5000, 10, 5, 3).Usable);  // reversed range
    EXPECT_FALSE(CheckDialScale(0, 0, 10000, 10, 5, 3).Usable);
    EXPECT_FALSE(CheckDialScale(361, 0, 10000, 10, 5, 3).Usable);
    EXPECT_FALSE(CheckDialScale(-90, 0, 10000, 10, 5, 3).Usable);
    EXPECT_FALSE(CheckDialScale(270, 0, 5, 10, 5, 3).Usable);       // main step 0
    EXPECT_FALSE(CheckDialScale(270, 0, 10000, 10, 5, 10).Usable);  // 10^10 does not fit
    EXPECT_FALSE(CheckDialScale(270, 0, 10000, -3, 5, 3).Usable);
    EXPECT_FALSE(CheckDialScale(270, 0, 10000, 10, -5, 3).Usable);
    EXPECT_FALSE(CheckDialScale(270, 0, 10000, 65536, 65536, 3).Usable);  // 2^32 ticks
    EXPECT_TRUE(CheckDialScale(270, 0, 10000, 60, 60, 3).Usable);
    EXPECT_FALSE(CheckDialScale(270, 0, 10000, 61, 60, 3).Usable);
}
