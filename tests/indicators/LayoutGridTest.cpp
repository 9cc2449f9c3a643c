// The 8-pixel grid arithmetic of mouse layout editing.
#include <gtest/gtest.h>

#include "indicators/LayoutGrid.h"

using namespace platform;

TEST(LayoutGrid, TravelRoundsDownTowardMinusInfinity)
{
    EXPECT_EQ(SnapTravel(0), 0);
    EXPECT_EQ(SnapTravel(5), 0);
    EXPECT_EQ(SnapTravel(7), 0);
    EXPECT_EQ(SnapTravel(8), 8);
    EXPECT_EQ(SnapTravel(-1), -8);
    EXPECT_EQ(SnapTravel(-8), -8);
    EXPECT_EQ(SnapTravel(-9), -16);
}

TEST(LayoutGrid, PositionsLandOnEightPlusOneAndSizesOnEight)
{
    EXPECT_EQ(SnapPosition(1), 1);
    EXPECT_EQ(SnapPosition(7), 1);
    EXPECT_EQ(SnapPosition(8), 9);
    EXPECT_EQ(SnapPosition(17), 17);
    EXPECT_EQ(SnapSize(7), 0);
    EXPECT_EQ(SnapSize(47), 40);
}

TEST(LayoutGrid, BandsAndTheirCursors)
{
    // A 32 by 32 control.
    EXPECT_EQ(EdgeBands(16, 16, 32, 32), BandInside);
    EXPECT_EQ(EdgeBands(8, 8, 32, 32), BandInside);
    EXPECT_EQ(EdgeBands(24, 24, 32, 32), BandInside);
    EXPECT_EQ(EdgeBands(7, 16, 32, 32), BandLeft);
    EXPECT_EQ(EdgeBands(25, 16, 32, 32), BandRight);
    EXPECT_EQ(EdgeBands(3, 3, 32, 32), BandLeft | BandTop);
    EXPECT_EQ(EdgeBands(30, 2, 32, 32), BandTop | BandRight);
    EXPECT_EQ(EdgeBands(30, 30, 32, 32), BandRight | BandBottom);

    EXPECT_EQ(CursorOfBands(BandInside), crDrag);
    EXPECT_EQ(CursorOfBands(BandLeft), crSizeWE);
    EXPECT_EQ(CursorOfBands(BandRight), crSizeWE);
    EXPECT_EQ(CursorOfBands(BandTop), crSizeNS);
    EXPECT_EQ(CursorOfBands(BandBottom), crSizeNS);
    EXPECT_EQ(CursorOfBands(BandLeft | BandTop), crSizeNWSE);
    EXPECT_EQ(CursorOfBands(BandRight | BandBottom), crSizeNWSE);
    EXPECT_EQ(CursorOfBands(BandTop | BandRight), crSizeNESW);
    EXPECT_EQ(CursorOfBands(BandLeft | BandBottom), crSizeNESW);
    for (std::uint8_t both : {5, 7, 10, 11, 13, 14, 15, 0})
        EXPECT_EQ(CursorOfBands(both), crDefault) << int(both);
}

TEST(LayoutGrid, NarrowControlsHaveOverlappingBands)
{
    // 12 pixels wide, at its middle height: the two side bands overlap at 5 to 7.
    for (int x = 0; x <= 4; ++x)
        EXPECT_EQ(EdgeBands(x, 16, 12, 32), BandLeft) << x;
    for (int x = 5; x <= 7; ++x)
        EXPECT_EQ(EdgeBands(x, 16, 12, 32), BandLeft | BandRight) << x;
    for (int x = 8; x <= 11; ++x)
        EXPECT_EQ(EdgeBands(x, 16, 12, 32), BandRight) << x;
}
