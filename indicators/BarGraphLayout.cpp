#include "indicators/BarGraphLayout.h"

#include <algorithm>

#include "indicators/PixelRounding.h"

using platform::TRect;

namespace {

// The wider of the two end labels: the value box is as wide.
int LabelWidth(const TBarGraphLayoutInput& in)
{
    return std::max(in.MaxValWidth, in.MinValWidth);
}

// Pixels from the empty end of the interior for value.
int Offset(const TBarGraphLayout& layout, std::int32_t value, std::int32_t minValue)
{
    return RoundToPixel(WrappingDifference(value, minValue) * layout.DR);
}

}  // namespace

platform::TSize BarGraphMinimumSize(const TBarGraphLayoutInput& in)
{
    int w =
        in.Vertical ? LabelWidth(in) + 24 : in.MaxValWidth + LabelWidth(in) + in.MinValWidth + 16;
    const int h =
        in.Vertical ? 3 * in.ValueHeight + in.Title.cy + 20 : in.Title.cy + in.ValueHeight + 36;
    w = std::max(w, in.Title.cx);
    // The width keeps a grid step beyond what the content needs.
    return {8 * ((w + 15) / 8), 8 * ((h + 7) / 8)};
}

TBarGraphLayout ComputeBarGraphLayout(const TBarGraphLayoutInput& in)
{
    TBarGraphLayout out;
    out.Vertical = in.Vertical;
    out.OuterRect = TRect{0, 0, in.Width, in.Height};
    TRect& bar = out.BarRect;
    if (in.Vertical)
        bar = TRect{LabelWidth(in) + 8, in.Title.cy + 8, LabelWidth(in) + 28, in.Height - 4};
    else
        bar = TRect{4, in.Title.cy + 8, in.Width - 4, in.Title.cy + 28};
    out.BarBack = TRect{bar.Left + 1, bar.Top + 1, bar.Right - 2, bar.Bottom - 2};
    // The interior's length minus one: the maximum lands on its last line.
    const int length = in.Vertical ? bar.Bottom - bar.Top - 3 : bar.Right - bar.Left - 3;
    out.DR = PixelsPerUnit(length, WrappingDifference(in.MaxValue, in.MinValue));

    out.TitleAt = {
        (out.OuterRect.Right - out.OuterRect.Left) / 2 + out.OuterRect.Left - in.Title.cx / 2, 4};
    TRect& box = out.DigitalRect;
    if (in.Vertical) {
        out.MaxLabelAt = {bar.Left - 4 - in.MaxValWidth, bar.Top};
        out.MinLabelAt = {bar.Left - 4 - in.MinValWidth, bar.Bottom - in.HeightValue};
        // Left of the bar, halfway down.
        box.Left = 4;
        box.Right = bar.Left - 4;
        box.Top = (bar.Bottom - bar.Top - in.HeightValue) / 2 + bar.Top;
    } else {
        out.MinLabelAt = {4, bar.Bottom + 4};
        out.MaxLabelAt = {bar.Right - in.MaxValWidth, bar.Bottom + 4};
        // Under the bar, centred between the labels.
        box.Left = (bar.Right - bar.Left) / 2 + bar.Left - LabelWidth(in) / 2;
        box.Right = box.Left + LabelWidth(in);
        box.Top = bar.Bottom + 4;
    }
    box.Bottom = box.Top + in.ValueHeight;
    out.EmptyEnd = in.Vertical ? out.BarBack.Bottom : out.BarBack.Left - 1;
    return out;
}

int BarGraphEnd(const TBarGraphLayout& layout, std::int32_t value, std::int32_t minValue)
{
    const TRect& in = layout.BarBack;
    const int offset = Offset(layout, value, minValue);
    if (layout.Vertical)
        return std::clamp(in.Bottom - offset - 1, in.Top, in.Bottom);
    return std::clamp(offset + in.Left, in.Left, in.Right);
}

std::optional<int> BarGraphMarkerLine(const TBarGraphLayout& layout, std::int32_t value,
                                      std::int32_t minValue)
{
    const TRect& in = layout.BarBack;
    const int offset = Offset(layout, value, minValue);
    if (layout.Vertical) {
        const int y = in.Bottom - offset;
        if (in.Top < y && y < in.Bottom)
            return y;
    } else {
        const int x = in.Left + offset;
        if (in.Left < x && x < in.Right)
            return x;
    }
    return std::nullopt;
}
