#pragma once
// The 8-pixel grid of mouse layout editing: which edge bands a point lies in, the cursor each
// classification shows, and the snapping of travel, positions and sizes.
#include <cstdint>

#include "platform/Cursor.h"

// Edge-band bits of a point in a control (MousePosi).
constexpr std::uint8_t BandLeft = 1;
constexpr std::uint8_t BandTop = 2;
constexpr std::uint8_t BandRight = 4;
constexpr std::uint8_t BandBottom = 8;
constexpr std::uint8_t BandInside = 16;

constexpr int Grid = 8;

// The bands of x, y in a control of the given size: the 8-pixel edge bands it lies in, or
// BandInside alone. A control narrower or lower than 16 pixels has overlapping bands.
constexpr std::uint8_t EdgeBands(int x, int y, int width, int height)
{
    if (x >= Grid && y >= Grid && width - x >= Grid && height - y >= Grid)
        return BandInside;
    std::uint8_t bands = 0;
    if (x < Grid)
        bands |= BandLeft;
    if (y < Grid)
        bands |= BandTop;
    if (width - x < Grid)
        bands |= BandRight;
    if (height - y < Grid)
        bands |= BandBottom;
    return bands;
}

// The cursor for a band classification; both opposite bands at once show the default arrow.
constexpr platform::TCursor CursorOfBands(std::uint8_t bands)
{
    switch (bands) {
    case BandLeft:
    case BandRight: return platform::crSizeWE;
    case BandTop:
    case BandBottom: return platform::crSizeNS;
    case BandLeft | BandTop:
    case BandRight | BandBottom: return platform::crSizeNWSE;
    case BandTop | BandRight:
    case BandLeft | BandBottom: return platform::crSizeNESW;
    case BandInside: return platform::crDrag;
    default: return platform::crDefault;
    }
}

// Mouse travel rounded down to the grid, toward minus infinity: 7 gives 0, -1 gives -8.
constexpr int SnapTravel(int travel)
{
    return static_cast<int>(static_cast<unsigned>(travel) & ~static_cast<unsigned>(Grid - 1));
}

// A position on the grid: the grid line at or before it (div truncating toward zero), one pixel
// in.
constexpr int SnapPosition(int position)
{
    return (position / Grid) * Grid + 1;
}

// A size on the grid: a multiple of 8.
constexpr int SnapSize(int size)
{
    return (size / Grid) * Grid;
}
