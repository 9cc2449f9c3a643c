#pragma once
// The 8-pixel grid of mouse layout editing: which edge bands a point lies in, the cursor each
// classification shows, and the snapping of travel, positions and sizes.
#include <cstdint>

#include "platform/Cursor.h"

// Edge-band bits of a point in a control (MousePosi).
constexpr std::uint8_t kBandLeft = 1;
constexpr std::uint8_t kBandTop = 2;
constexpr std::uint8_t kBandRight = 4;
constexpr std::uint8_t kBandBottom = 8;
constexpr std::uint8_t kBandInside = 16;

constexpr int kGrid = 8;

// The bands of x, y in a control of the given size: the 8-pixel edge bands it lies in, or
// kBandInside alone. A control narrower or lower than 16 pixels has overlapping bands.
constexpr std::uint8_t EdgeBands(int x, int y, int width, int height)
{
    if (x >= kGrid && y >= kGrid && width - x >= kGrid && height - y >= kGrid)
        return kBandInside;
    std::uint8_t bands = 0;
    if (x < kGrid)
        bands |= kBandLeft;
    if (y < kGrid)
        bands |= kBandTop;
    if (width - x < kGrid)
        bands |= kBandRight;
    if (height - y < kGrid)
        bands |= kBandBottom;
    return bands;
}

// The cursor for a band classification; both opposite bands at once show the default arrow.
constexpr platform::TCursor CursorOfBands(std::uint8_t bands)
{
    switch (bands) {
    case kBandLeft:
    case kBandRight: return platform::crSizeWE;
    case kBandTop:
    case kBandBottom: return platform::crSizeNS;
    case kBandLeft | kBandTop:
    case kBandRight | kBandBottom: return platform::crSizeNWSE;
    case kBandTop | kBandRight:
    case kBandLeft | kBandBottom: return platform::crSizeNESW;
    case kBandInside: return platform::crDrag;
    default: return platform::crDefault;
    }
}

// Mouse travel rounded down to the grid, toward minus infinity: 7 gives 0, -1 gives -8.
constexpr int SnapTravel(int travel)
{
    return static_cast<int>(static_cast<unsigned>(travel) & ~static_cast<unsigned>(kGrid - 1));
}

// A position on the grid: the grid line at or before it (div truncating toward zero), one pixel
// in.
constexpr int SnapPosition(int position)
{
    return (position / kGrid) * kGrid + 1;
}

// A size on the grid: a multiple of 8.
constexpr int SnapSize(int size)
{
    return (size / kGrid) * kGrid;
}
