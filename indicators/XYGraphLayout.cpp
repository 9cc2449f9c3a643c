#include "indicators/XYGraphLayout.h"

#include <algorithm>
#include <cmath>

#include "indicators/PixelRounding.h"

using platform::TRect;

namespace {

// Halving that rounds down, also for the odd negative sizes a work file may hold.
int HalfDown(int value)
{
    return value >= 0 ? value / 2 : -((1 - value) / 2);
}

// The wider label of each axis, and the margins they and the fonts leave round the plot.
struct TMargins {
    int WX;
    int WY;
    int Left;    // L
    int Top;     // T
    int Bottom;  // below B
};

TMargins MarginsOf(const TXYGraphLayoutInput& in)
{
    const int wY = std::max(in.YMaxValWidth, in.YMinValWidth);
    return {std::max(in.XMaxValWidth, in.XMinValWidth), wY, wY + 8, in.HeightTitle + 8,
            in.HeightValue + 8};
}

// The grid lines 1 .. split - 1 of one axis at position(i). Walking pixels instead of divisions
// when there are more divisions than pixels keeps a huge count from hanging.
template <class Position>
std::vector<int> GridLines(std::int32_t split, double step, Position position)
{
    std::vector<int> lines;
    if (std::abs(step) >= 1.0) {
        for (std::int32_t i = 1; i < split; ++i)
            lines.push_back(position(i));
        return lines;
    }
    const int first = position(1);
    const int last = position(double(split) - 1);
    for (int p = std::min(first, last); p <= std::max(first, last); ++p)
        lines.push_back(p);
    return lines;
}

}  // namespace

platform::TSize XYGraphMinimumSize(const TXYGraphLayoutInput& in)
{
    const TMargins m = MarginsOf(in);
    return {std::max(in.TitleWidth + 8, 3 * m.WX + m.Left + 12),
            3 * in.HeightValue + m.Top + 8 + m.Bottom};
}

TXYGraphLayout ComputeXYGraphLayout(const TXYGraphLayoutInput& in)
{
    const TMargins m = MarginsOf(in);
    TXYGraphLayout out;
    out.OuterRect = TRect{0, 0, in.Width, in.Height};
    const int L = m.Left;
    const int T = m.Top;
    const int R = out.OuterRect.Right - 4;
    const int B = out.OuterRect.Bottom - m.Bottom;
    out.GraphRect = TRect{L, T, R, B};
    out.DRX = PixelsPerUnit(R - L - 3, WrappingDifference(in.XMaxValue, in.XMinValue));
    out.DRY = PixelsPerUnit(B - T - 3, WrappingDifference(in.YMaxValue, in.YMinValue));

    out.TitleAt = {HalfDown(out.OuterRect.Right - out.OuterRect.Left) - HalfDown(in.TitleWidth), 4};
    out.YMaxLabelAt = {L - 4 - in.YMaxValWidth, T};
    out.YMinLabelAt = {L - 4 - in.YMinValWidth, B - in.HeightValue};
    out.XMinLabelAt = {L, B + 4};
    out.XMaxLabelAt = {R - in.XMaxValWidth, B + 4};

    // Value boxes: under the plot between the X labels, and left of it beside the Y labels.
    TRect& x = out.XValRect;
    x.Left = HalfDown(R - L) + L - HalfDown(m.WX);
    x.Right = x.Left + m.WX;
    x.Top = B + 4;
    x.Bottom = x.Top + in.HeightValue;
    TRect& y = out.YValRect;
    y.Right = L - 4;
    y.Left = y.Right - m.WY;
    y.Top = HalfDown(B - T) + T - HalfDown(in.HeightValue);
    y.Bottom = y.Top + in.HeightValue;
    return out;
}

std::vector<int> XYGraphGridColumns(const TXYGraphLayout& layout, std::int32_t split)
{
    if (split <= 1)
        return {};
    const TRect& g = layout.GraphRect;
    const double step = double(g.Right - g.Left - 3) / split;
    return GridLines(split, step, [&](double i) { return RoundToPixel(i * step + g.Left + 1); });
}

std::vector<int> XYGraphGridRows(const TXYGraphLayout& layout, std::int32_t split)
{
    if (split <= 1)
        return {};
    const TRect& g = layout.GraphRect;
    const double step = double(g.Bottom - g.Top - 3) / split;
    return GridLines(split, step, [&](double i) { return RoundToPixel(g.Bottom - 2 - i * step); });
}

int XYGraphCrossColumn(const TXYGraphLayout& layout, std::int32_t value, std::int32_t minValue)
{
    const TRect& g = layout.GraphRect;
    const int x = g.Left + 1 + RoundToPixel(WrappingDifference(value, minValue) * layout.DRX);
    return g.Left < x && x < g.Right - 1 ? x : -1;
}

int XYGraphCrossRow(const TXYGraphLayout& layout, std::int32_t value, std::int32_t minValue)
{
    const TRect& g = layout.GraphRect;
    const int y = g.Bottom - 2 - RoundToPixel(WrappingDifference(value, minValue) * layout.DRY);
    return g.Top < y && y < g.Bottom - 1 ? y : -1;
}
