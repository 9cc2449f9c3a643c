#pragma once
// Small drawing helpers on a canvas.
#include "platform/Canvas.h"
#include "platform/Color.h"
#include "platform/Geometry.h"

// The rectangle's outline with the canvas pen, through its corners (Left, Top) and
// (Right, Bottom).
void Square(platform::Canvas& canvas, const platform::TRect& rect);
// The outline, then the brush over the rectangle with its left and top edges one pixel inward.
void SquareFill(platform::Canvas& canvas, const platform::TRect& rect);
// A Bresenham line from (x1, y1) to (x2, y2), both ends included, plotted pixel by pixel in
// colour; when bold, each pixel gets a second one beside it (below it on a mostly horizontal
// line, to its right on a mostly vertical one).
void Line(platform::Canvas& canvas, int x1, int y1, int x2, int y2, platform::TColor colour,
          bool bold);
