#pragma once
// The XY graph's layout, free of widgets: its minimum size and its rectangles from the control's
// size, the limits and the measured texts, the grid lines of each axis, and where the
// crosshair's lines stand for a pair of values.
#include <cstdint>
#include <vector>

#include "platform/Geometry.h"

struct TXYGraphLayoutInput {
    int Width = 0;  // the control's size
    int Height = 0;
    int HeightTitle = 16;  // font heights of the title and of the labels and values
    int HeightValue = 16;
    std::int32_t XMinValue = 0;
    std::int32_t XMaxValue = 100;
    std::int32_t YMinValue = 0;
    std::int32_t YMaxValue = 100;
    // Measured: the scale labels' widths (each as wide as its number with a minus sign) and
    // the title's width.
    int XMaxValWidth = 0;
    int XMinValWidth = 0;
    int YMaxValWidth = 0;
    int YMinValWidth = 0;
    int TitleWidth = 0;
};

struct TXYGraphLayout {
    platform::TRect OuterRect;
    // The plot area with its bevel: L, T, R and B of the face.
    platform::TRect GraphRect;
    platform::TRect XValRect;
    platform::TRect YValRect;
    double DRX = 0.0;  // pixels per value unit along X and along Y
    double DRY = 0.0;
    // Top-left corners of the title and the scale labels.
    platform::TPoint TitleAt;
    platform::TPoint XMaxLabelAt;
    platform::TPoint XMinLabelAt;
    platform::TPoint YMaxLabelAt;
    platform::TPoint YMinLabelAt;
};

// The least size of the face; Paint grows the control to it (mouse resizing does not know it).
platform::TSize XYGraphMinimumSize(const TXYGraphLayoutInput& in);

// The layout at the control's size in (already grown to the minimum).
TXYGraphLayout ComputeXYGraphLayout(const TXYGraphLayoutInput& in);

// The grid's inner columns for split X divisions and its inner rows for split Y divisions; none
// for a split of 1 or less. More divisions than pixels put a line on every pixel between the
// first and the last one.
std::vector<int> XYGraphGridColumns(const TXYGraphLayout& layout, std::int32_t split);
std::vector<int> XYGraphGridRows(const TXYGraphLayout& layout, std::int32_t split);

// The crosshair's column for an X value and its row for a Y value; -1 when the value lies off
// the plot (nothing is clamped).
int XYGraphCrossColumn(const TXYGraphLayout& layout, std::int32_t value, std::int32_t minValue);
int XYGraphCrossRow(const TXYGraphLayout& layout, std::int32_t value, std::int32_t minValue);
