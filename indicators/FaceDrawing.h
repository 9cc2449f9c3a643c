#pragma once
// Drawing steps that every indicator face repeats: the raised panel of the whole control, the
// sunken well of a scale or plot area, a value right-aligned in its box and one-pixel lines with
// both ends included. Scale positions are rounded to whole pixels as PixelRounding.h says.
#include <string>

#include "platform/Canvas.h"
#include "platform/Color.h"
#include "platform/Geometry.h"

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
// The same for a text that may reach left of the box (the overflow mark of a narrow box):
// drawnLeft holds where the text drawn before began (box.Left after a repaint of the face), and
// what that text left beside the box is cleared with the box; it then holds this text's.
void DrawValueRightAligned(platform::Canvas& canvas, const platform::TRect& box,
                           const std::string& text, int& drawnLeft);

// What a value box width pixels wide shows in the canvas's current font: the value's text when
// it fits, else the overflow mark "###", whole, so that right-aligned it may reach left of the
// box. Never a number with digits cut off, which would read as another number.
std::string ValueOrOverflowMark(platform::Canvas& canvas, const std::string& text, int width);
// The same, with the mark shortened where even it is wider than the box: nothing leaves it.
std::string FitValueText(platform::Canvas& canvas, const std::string& text, int width);

// Column x from row top to row bottom, and row y from column left to column right, both ends
// included, with the canvas's current pen.
void DrawColumn(platform::Canvas& canvas, int x, int top, int bottom);
void DrawRow(platform::Canvas& canvas, int y, int left, int right);

// The exclusive-or pen colour for a moving part over a face: a face pixel drawn once shows the
// part's colour and drawn twice shows the face again. System colours are resolved to what the
// screen shows first, since their identifiers do not combine bitwise.
platform::TColor XorPenColor(platform::TColor face, platform::TColor part);
