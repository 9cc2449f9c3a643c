#pragma once
// Drawing steps that every indicator face repeats: the raised panel of the whole control, the
// sunken well of a scale or plot area, a value right-aligned in its box, one-pixel lines with
// both ends included, and scale positions rounded to whole pixels.
#include <cstdint>
#include <string>

#include "platform/Canvas.h"
#include "platform/Color.h"
#include "platform/Geometry.h"

// A scale position in pixels: nearest integer, halves to the even one. Infinite or huge
// products (a scale whose two limits are equal, or values far outside it) saturate well beyond
// any control's size instead of overflowing; NaN (0 times infinity: a value on the limit of
// such a scale) counts as 0.
int RoundToPixel(double position);

// A value difference in 32-bit arithmetic, wrapping as the indicators' fixed-point scales do.
inline std::int32_t WrappingDifference(std::int32_t a, std::int32_t b)
{
    return std::int32_t(std::uint32_t(a) - std::uint32_t(b));
}

// Raised one-pixel frame on rect's outermost ring (highlight top and left, shadow bottom and
// right), its inside filled with fill.
void DrawRaisedPanel(platform::Canvas& canvas, platform::TRect rect, platform::TColor fill);
// Sunken one-pixel frame on rect's outermost ring (shadow top and left, highlight bottom and
// right), its inside filled with fill.
void DrawSunkenWell(platform::Canvas& canvas, platform::TRect rect, platform::TColor fill);

// Fills box with the brush and draws text with its right end at box.Right and its top at
// box.Top, in the canvas's current font.
void DrawValueRightAligned(platform::Canvas& canvas, const platform::TRect& box,
                           const std::string& text);

// Column x from row top to row bottom, and row y from column left to column right, both ends
// included, with the canvas's current pen.
void DrawColumn(platform::Canvas& canvas, int x, int top, int bottom);
void DrawRow(platform::Canvas& canvas, int y, int left, int right);

// The exclusive-or pen colour for a moving part over a face: a face pixel drawn once shows the
// part's colour and drawn twice shows the face again. System colours are resolved to what the
// screen shows first, since their identifiers do not combine bitwise.
platform::TColor XorPenColor(platform::TColor face, platform::TColor part);
