#include "indicators/DialGeometry.h"

#include <algorithm>
#include <cmath>

#include "indicators/PixelRounding.h"

using platform::TPoint;
using platform::TRect;

namespace {

// Coordinates and radii far beyond any surface; keeps sums of layout fields inside int.
constexpr std::int64_t CoordLimit = 1 << 24;
// More than any real dial's radius needs to settle (a handful); a bound for broken heights.
constexpr int DialRadiusRounds = 64;

int ClampCoord(std::int64_t v)
{
    return static_cast<int>(std::clamp<std::int64_t>(v, -CoordLimit, CoordLimit));
}

}  // namespace

int DialEffectiveAngle(int scaleAngle)
{
    return std::clamp(scaleAngle, 1, 360);
}

int DialEffectiveTitleHeight(int heightTitle)
{
    return std::clamp(heightTitle, 0, DialMaxTitleHeight);
}

TDialLayout ComputeDialLayout(const TDialLayoutInput& in)
{
    TDialLayout out;
    const int angle = DialEffectiveAngle(in.ScaleAngle);
    const std::int64_t titleH = DialEffectiveTitleHeight(in.HeightTitle);
    const std::int64_t scalePct =
        std::clamp(in.HeightScale, -DialMaxFontPercent, DialMaxFontPercent);
    const std::int64_t valuePct =
        std::clamp(in.HeightValue, -DialMaxFontPercent, DialMaxFontPercent);

    // 1. Minimum width.
    out.WidthMin = 120;
    out.Width = std::max(in.Width, out.WidthMin);

    // 2. Minimum height from the scale's height, the title and the margins; a multiple of 8.
    const double c = std::cos(DialDegToRad * angle / 2);
    std::int64_t heightMin = NearestInt(50 - 50 * c) + 6 + 10 + titleH + 12;
    heightMin = heightMin / 8 * 8;
    out.HeightMin = static_cast<int>(heightMin);
    out.Height = std::max<std::int64_t>(in.Height, heightMin);
    const std::int64_t width = out.Width;
    const std::int64_t height = out.Height;

    // 3. The scale radius: the least that fits the height, the value box and the width.
    const int a = NearestInt(static_cast<double>(height - (titleH + 28)) / (1 - c));
    int e = static_cast<int>(width / 2 - 10);
    if (angle < 180)
        e = NearestInt(e / std::sin(DialDegToRad * angle / 2));
    const auto radiusFor = [&](std::int64_t digitalFH) {
        const int b =
            NearestInt(static_cast<double>(height - (titleH + 6 + digitalFH + 12)) * 0.862);
        return ClampCoord(std::min({a, b, e}));
    };
    const auto digitalFHOf = [&](std::int64_t radius) {
        return ClampCoord(radius * valuePct / 100);
    };
    // The value box's room depends on the value text's height, which follows the radius. Taken
    // from the layout before, the radius would change from one repaint to the next; instead
    // the radius is where that sequence settles, run here from a text height of 0 as a new dial
    // starts: its fixed point, or of the two radii it flips between the smaller, whose own value
    // text fits.
    std::int64_t before = radiusFor(0);
    std::int64_t r1 = radiusFor(digitalFHOf(before));
    for (int round = 0; round < DialRadiusRounds; ++round) {
        const std::int64_t next = radiusFor(digitalFHOf(r1));
        if (next == r1)
            break;
        if (next == before) {
            r1 = std::min(r1, next);
            break;
        }
        before = r1;
        r1 = next;
    }
    out.ScaleR1 = static_cast<int>(r1);

    // 4.-6. Hub, tick ends, needle and font heights (integer division truncates toward zero).
    out.Boss = static_cast<int>(r1 * 16 / 100);
    const std::int64_t t = r1 / 6;
    out.ScaleR2 = static_cast<int>(r1 - t / 2);
    out.ScaleR3 = static_cast<int>(r1 - t);
    out.Needle = out.ScaleR2;
    out.ScaleFH = ClampCoord(r1 * scalePct / 100);
    out.DigitalFH = ClampCoord(r1 * valuePct / 100);

    // 7.-9. Frames and centre.
    out.OuterRect = TRect{0, 0, out.Width, out.Height};
    out.InnerRect.Left = 4;
    out.InnerRect.Right = out.Width - 4;
    out.InnerRect.Top = static_cast<int>(titleH + 8);
    out.DCX = out.Width / 2;
    out.DCY = ClampCoord(out.InnerRect.Top + r1 + 6);
    const std::int64_t scaleBottom = NearestInt(r1 - c * r1) + std::int64_t{out.InnerRect.Top} + 16;
    const std::int64_t boxBottom = std::int64_t{out.DCY} + out.Boss + out.DigitalFH;
    std::int64_t bottom = std::max(scaleBottom, boxBottom);
    if (height - bottom < 4)
        bottom = height - 4;
    out.InnerRect.Bottom = ClampCoord(bottom);
    return out;
}

TPoint DialPoint(int dcx, int dcy, double theta, double r)
{
    return TPoint{NearestInt(dcx + r * std::cos(theta)), NearestInt(dcy - r * std::sin(theta))};
}

std::vector<TPoint> DialBandPoints(int dcx, int dcy, int ro, int ri, double a, double b)
{
    std::vector<TPoint> points;
    if (!(a > b))
        return points;
    // Sectors up to a full turn; a wider one would be drawn over itself anyway.
    const int steps = std::clamp(NearestInt((a - b) / DialBandStep), 1, 99);
    const double step = (a - b) / steps;
    points.reserve(2 * (steps + 1));
    double angle = a;
    for (int i = 0; i <= steps; ++i) {
        points.push_back(DialPoint(dcx, dcy, angle, ro));
        angle -= step;
    }
    angle = b;
    for (int i = 0; i <= steps; ++i) {
        points.push_back(DialPoint(dcx, dcy, angle, ri));
        angle += step;
    }
    return points;
}

std::vector<TDialScanLine> DialHubLines(int dcx, int dcy, int boss)
{
    std::vector<TDialScanLine> lines;
    if (boss < 1)
        return lines;
    lines.reserve(2 * static_cast<std::size_t>(boss) + 1);
    int w = 0;
    for (int i = boss; i >= 1; --i) {
        w = NearestInt(std::sqrt(double(boss) * boss - (i - 0.5) * (i - 0.5)));
        lines.push_back({dcx - w, dcx + w, dcy + i});
        lines.push_back({dcx - w, dcx + w, dcy - i});
    }
    lines.push_back({dcx - w, dcx + w, dcy});  // the half-width of the row next to the centre
    return lines;
}

TDialScaleCheck CheckDialScale(int scaleAngle, int minValue, int maxValue, int mainScaleDiv,
                               int subScaleDiv, int mainScaleExp)
{
    TDialScaleCheck check;
    if (scaleAngle < 1 || scaleAngle > 360 || mainScaleExp > DialMaxScaleExp)
        return check;
    if (mainScaleDiv < 1 || subScaleDiv < 1)
        return check;
    const std::int64_t ticks = std::int64_t{mainScaleDiv} * subScaleDiv;
    if (ticks > DialMaxTicks)
        return check;
    const std::int64_t range = std::int64_t{maxValue} - minValue;
    if (range <= 0)
        return check;
    check.MainStep = range / mainScaleDiv;
    check.Ticks = static_cast<int>(ticks);
    check.Usable = check.MainStep >= 1;
    return check;
}
