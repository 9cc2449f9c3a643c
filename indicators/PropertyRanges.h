#pragma once
// The ranges the numbers of property lines are read into. A work file, or the copy of an
// indicator, may hold any 32-bit number (and the reader wraps longer ones); each is brought into
// a range the drawing can take where it is read, so that a hostile file draws something sane and
// is written back with sane numbers. Every value the settings dialogs' up-downs offer lies
// inside and comes back unchanged, as does every bound of a dashboard laid out with the mouse
// whose faces are drawn whole.
//
// Read as they stand, since every 32-bit value is a legitimate one: colours; scale limits
// (fixed-point channel values, which the dialogs' conversion also wraps at 32 bits, and which
// every scale maps in 64-bit or floating-point arithmetic); the bar graph's Vertical (any value
// has its meaning); the dial's ScaleHeight (nothing draws with it).
#include <algorithm>
#include <cstdint>
#include <string>

#include "indicators/DialGeometry.h"
#include "indicators/Etcpas.h"

struct TPropertyRange {
    std::int32_t Min;
    std::int32_t Max;
};

// An indicator's left and top edge in the dashboard panel: as far each way as a widget may be
// large (Qt's QWIDGETSIZE_MAX), as for the window and the panel; a position plus a size then
// stays far inside int.
constexpr TPropertyRange PositionRange{-16777215, 16777215};
// Width and height: up to the largest surface a face is drawn on. A larger control would show
// no more of its face, and its drawing (a bar moved line by line, the hub row by row) would
// grow with it. The face still grows past it where its texts need the room.
constexpr TPropertyRange SizeRange{0, 4096};
// Font cell heights in pixels, also the dial's title: a quarter of the largest surface, so that
// the XY graph's five rows of text take about one surface. Below 1 the canvas takes the face's
// own height, so a negative height means nothing more than 0.
constexpr TPropertyRange FontPixelRange{0, DialMaxTitleHeight};
// The dial's scale and value fonts, in percent of its scale radius: up to ten times the radius,
// as far as the drawing takes them. The entries take any number typed, so a file may hold one
// above the up-downs' range; it comes back as it was.
constexpr TPropertyRange FontPercentRange{0, DialMaxFontPercent};
// The dial's sweep in degrees: its layout divides by 1 - cos and by sin of the half angle.
constexpr TPropertyRange ScaleAngleRange{1, 360};
// The dial's main and sub divisions: a repaint makes 0 a 1; more ticks than the scale's limit
// draw no scale, whichever of the two holds them.
constexpr TPropertyRange ScaleDivisionRange{0, DialMaxTicks};
// The dial's scale exponent: 10 to its power fits 32 bits; below 0 it draws as 0.
constexpr TPropertyRange ScaleExpRange{0, DialMaxScaleExp};
// The XY graph's divisions: 1 or less draw no grid; more than the largest surface has pixels
// put a line on every pixel, as this many do.
constexpr TPropertyRange GridSplitRange{0, SizeRange.Max};

// The next integer of the text (GetIntFromLine), brought into the range.
inline std::int32_t GetIntFromLine(std::string& text, TPropertyRange range)
{
    return std::clamp(GetIntFromLine(text), range.Min, range.Max);
}
