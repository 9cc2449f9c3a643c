#pragma once
// The bar graph's layout, free of widgets: its minimum size and its rectangles from the
// control's size, the range and the measured texts, where the bar ends for a value and where a
// marker line stands.
#include <cstdint>
#include <optional>

#include "platform/Geometry.h"

struct TBarGraphLayoutInput {
    int Width = 0;  // the control's size
    int Height = 0;
    bool Vertical = false;
    std::int32_t MinValue = 0;
    std::int32_t MaxValue = 100;
    int HeightValue = 16;  // font height of the end labels and the value
    // Measured: the end labels' widths, the maximum's text height, and the title's extent.
    int MaxValWidth = 0;
    int MinValWidth = 0;
    int ValueHeight = 0;
    platform::TSize Title;
};

struct TBarGraphLayout {
    bool Vertical = false;
    platform::TRect OuterRect;
    platform::TRect BarRect;
    // The bar's interior, its Right column and Bottom row included.
    platform::TRect BarBack;
    platform::TRect DigitalRect;
    double DR = 0.0;  // pixels per value unit
    // Top-left corners of the title and the end labels.
    platform::TPoint TitleAt;
    platform::TPoint MaxLabelAt;
    platform::TPoint MinLabelAt;
    // The end of an empty bar: the horizontal bar covers the columns BarBack.Left up to its end,
    // the vertical one the rows below its end down to BarBack.Bottom.
    int EmptyEnd = 0;
};

// The least size mouse resizing may set (WidthMin, HeightMin); Paint grows the control to it.
platform::TSize BarGraphMinimumSize(const TBarGraphLayoutInput& in);

// The layout at the control's size in (already grown to the minimum).
TBarGraphLayout ComputeBarGraphLayout(const TBarGraphLayoutInput& in);

// The bar's end for value, clamped to the interior.
int BarGraphEnd(const TBarGraphLayout& layout, std::int32_t value, std::int32_t minValue);

// The line of a marker at value; none when it falls on the interior's first or last line or
// outside it.
std::optional<int> BarGraphMarkerLine(const TBarGraphLayout& layout, std::int32_t value,
                                      std::int32_t minValue);
