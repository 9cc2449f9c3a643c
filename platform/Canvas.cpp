#include "platform/Canvas.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>

namespace platform {
namespace {

constexpr int DotOn = 3;      // a dotted pen draws three pixels...
constexpr int DotPeriod = 6;  // ...then leaves three out
constexpr QRgb RgbMask = 0x00FFFFFF;

std::int64_t FloorDiv(std::int64_t n, std::int64_t d)  // d > 0
{
    return n >= 0 ? n / d : -((-n + d - 1) / d);
}

std::int64_t CeilDiv(std::int64_t n, std::int64_t d)  // d > 0
{
    return -FloorDiv(-n, d);
}

// The pixels of a one-pixel line from a to b without b, as Bresenham walks it: step i along the
// major axis has the minor offset i*minor/major rounded to nearest (halves away from a). The
// pixel of step i is computed directly, so only the steps near the visible range [lo, hi) of
// the major axis are visited, however far away the end points lie; margin widens that range.
template <typename Visit>
void WalkLine(TPoint a, TPoint b, int loX, int hiX, int loY, int hiY, int margin, Visit visit)
{
    const std::int64_t dx = std::int64_t(b.X) - a.X;
    const std::int64_t dy = std::int64_t(b.Y) - a.Y;
    const std::int64_t adx = std::llabs(dx);
    const std::int64_t ady = std::llabs(dy);
    const int sx = dx < 0 ? -1 : 1;
    const int sy = dy < 0 ? -1 : 1;
    const bool xMajor = adx >= ady;
    const std::int64_t steps = xMajor ? adx : ady;
    if (steps == 0)
        return;
    const std::int64_t minor = xMajor ? ady : adx;
    // Steps whose major coordinate lies within [lo - margin, hi + margin).
    const std::int64_t start = xMajor ? a.X : a.Y;
    const int sign = xMajor ? sx : sy;
    const std::int64_t lo = (xMajor ? loX : loY) - std::int64_t(margin);
    const std::int64_t hi = (xMajor ? hiX : hiY) + std::int64_t(margin);
    std::int64_t first = 0;
    std::int64_t last = steps - 1;
    if (sign > 0) {
        first = std::max<std::int64_t>(first, lo - start);
        last = std::min<std::int64_t>(last, hi - 1 - start);
    } else {
        first = std::max<std::int64_t>(first, start - (hi - 1));
        last = std::min<std::int64_t>(last, start - lo);
    }
    for (std::int64_t i = first; i <= last; ++i) {
        // 128-bit: end points may lie anywhere in the 32-bit plane.
        const auto offset = std::int64_t((__int128(2) * i * minor + steps) / (__int128(2) * steps));
        const std::int64_t x = xMajor ? a.X + sx * i : a.X + sx * offset;
        const std::int64_t y = xMajor ? a.Y + sy * offset : a.Y + sy * i;
        visit(i, int(x), int(y));
    }
}

// Offsets of the round pen tip of a given width, centred on the line's pixel.
std::vector<TPoint> PenTip(int width)
{
    std::vector<TPoint> tip;
    const int lo = -(width / 2);
    const int hi = lo + width - 1;
    const double centre = (lo + hi) / 2.0;
    const double radius2 = (width / 2.0) * (width / 2.0);
    for (int dy = lo; dy <= hi; ++dy)
        for (int dx = lo; dx <= hi; ++dx)
            if ((dx - centre) * (dx - centre) + (dy - centre) * (dy - centre) <= radius2)
                tip.push_back({dx, dy});
    return tip;
}

}  // namespace

void Canvas::Prepare() const
{
    if (prepare_)
        prepare_();
}

void Canvas::Changed(const TRect& rect) const
{
    if (changed_ && rect.Left < rect.Right && rect.Top < rect.Bottom)
        changed_(rect);
}

void Canvas::MoveTo(int x, int y)
{
    penPos_ = {x, y};
}

void Canvas::PenStroke(TPoint from, TPoint to, PixelList& out)
{
    const int w = surface_->width();
    const int h = surface_->height();
    if (Pen.Width <= 1) {
        const bool dotted = Pen.Style == PenStyle::Dot;
        WalkLine(from, to, 0, w, 0, h, 0, [&](std::int64_t i, int x, int y) {
            if (dotted && i % DotPeriod >= DotOn)
                return;
            if (x >= 0 && y >= 0 && x < w && y < h)
                out.push_back({x, y});
        });
        return;
    }
    WideStroke(from, to);
    for (std::size_t r = 0; r < strokeRuns_.size(); ++r) {
        const auto& run = strokeRuns_[r];
        for (int px = std::max(run.first, 0); px <= std::min(run.second, w - 1); ++px)
            out.push_back({px, strokeTop_ + int(r)});
    }
}

void Canvas::WideStroke(TPoint from, TPoint to)
{
    const int w = surface_->width();
    const int h = surface_->height();
    const int width = Pen.Width;
    if (tipWidth_ != width) {
        // The rows of the round tip, each an unbroken run of offsets.
        const int tipTop = -(width / 2);
        tipRows_.assign(std::size_t(width), {INT_MAX, INT_MIN});
        for (const TPoint& t : PenTip(width)) {
            auto& row = tipRows_[std::size_t(t.Y - tipTop)];
            row = {std::min(row.first, t.X), std::max(row.second, t.X)};
        }
        tipWidth_ = width;
    }
    // The round tip is convex and moves at most one pixel per step, so on every surface row the
    // tips of a stroke cover one unbroken run: keep each row's run instead of every tip pixel,
    // for the rows the stroke can reach only (a needle touches a few rows of a large dial).
    const int tipTop = -(width / 2);
    const std::int64_t top =
        std::max<std::int64_t>(std::int64_t(std::min(from.Y, to.Y)) + tipTop, 0);
    const std::int64_t bottom =
        std::min<std::int64_t>(std::int64_t(std::max(from.Y, to.Y)) + tipTop + width, h);
    strokeTop_ = int(top);
    strokeRuns_.assign(std::size_t(std::max<std::int64_t>(bottom - top, 0)), {INT_MAX, INT_MIN});
    WalkLine(from, to, 0, w, 0, h, width, [&](std::int64_t, int x, int y) {
        for (int r = 0; r < width; ++r) {
            const std::int64_t py = std::int64_t(y) + tipTop + r;
            const auto& span = tipRows_[std::size_t(r)];
            if (py < top || py >= bottom || span.first > span.second)
                continue;
            // Held within one pixel beyond the surface: x may lie anywhere in the 32-bit plane.
            const auto left = int(std::clamp<std::int64_t>(std::int64_t(x) + span.first, -1, w));
            const auto right = int(std::clamp<std::int64_t>(std::int64_t(x) + span.second, -1, w));
            auto& run = strokeRuns_[std::size_t(py - top)];
            run = {std::min(run.first, left), std::max(run.second, right)};
        }
    });
}

void Canvas::Apply(PixelList& pixels, QRgb color, PenMode mode, bool unique)
{
    if (pixels.empty())
        return;
    uchar* const bits = surface_->bits();
    const qsizetype stride = surface_->bytesPerLine();
    const auto put = [&](const TPoint& p) {
        auto* line = reinterpret_cast<QRgb*>(bits + p.Y * stride);
        if (mode == PenMode::Xor)
            line[p.X] ^= color & RgbMask;
        else
            line[p.X] = color;
    };
    int left = pixels[0].X, right = left, top = pixels[0].Y, bottom = top;
    for (const TPoint& p : pixels) {
        left = std::min(left, p.X);
        right = std::max(right, p.X);
        top = std::min(top, p.Y);
        bottom = std::max(bottom, p.Y);
    }
    const TRect touched{left, top, right + 1, bottom + 1};
    if (unique) {
        for (const TPoint& p : pixels)
            put(p);
        Changed(touched);
        return;
    }
    // Each pixel exactly once (an exclusive-or pen drawn twice on a pixel would restore it),
    // marked in a bitmap of the list's bounding box.
    const std::size_t boxWidth = std::size_t(right - left) + 1;
    std::vector<bool> done(boxWidth * (std::size_t(bottom - top) + 1), false);
    for (const TPoint& p : pixels) {
        const std::size_t mark = std::size_t(p.Y - top) * boxWidth + std::size_t(p.X - left);
        if (done[mark])
            continue;
        done[mark] = true;
        put(p);
    }
    Changed(touched);
}

void Canvas::LineTo(int x, int y)
{
    Prepare();
    if (Pen.Width <= 1 && (penPos_.X == x || penPos_.Y == y)) {
        StraightLine({x, y});
        return;
    }
    const TPoint from = penPos_;
    penPos_ = {x, y};
    if (Pen.Width <= 1) {
        linePixels_.clear();
        PenStroke(from, {x, y}, linePixels_);
        Apply(linePixels_, ToQRgb(Pen.Color), Pen.Mode, true);
        return;
    }
    // A wide stroke's runs are written in place, each pixel once.
    WideStroke(from, {x, y});
    const int w = surface_->width();
    const QRgb color = ToQRgb(Pen.Color);
    const bool xorMode = Pen.Mode == PenMode::Xor;
    TRect touched{w, surface_->height(), 0, 0};
    for (std::size_t r = 0; r < strokeRuns_.size(); ++r) {
        const int left = std::max(strokeRuns_[r].first, 0);
        const int right = std::min(strokeRuns_[r].second, w - 1);
        if (left > right)
            continue;
        const int row = strokeTop_ + int(r);
        touched = {std::min(touched.Left, left), std::min(touched.Top, row),
                   std::max(touched.Right, right + 1), row + 1};
        auto* line = reinterpret_cast<QRgb*>(surface_->scanLine(row));
        for (int px = left; px <= right; ++px) {
            if (xorMode)
                line[px] ^= color & RgbMask;
            else
                line[px] = color;
        }
    }
    Changed(touched);
}

void Canvas::StraightLine(TPoint to)
{
    // A one-pixel line along a row or a column: the pixels the general walk would list, unique
    // by construction, written in place.
    const TPoint from = penPos_;
    penPos_ = to;
    const bool alongX = from.Y == to.Y;
    const std::int64_t steps =
        alongX ? std::llabs(std::int64_t(to.X) - from.X) : std::llabs(std::int64_t(to.Y) - from.Y);
    const int sign = (alongX ? to.X < from.X : to.Y < from.Y) ? -1 : 1;
    const int w = surface_->width();
    const int h = surface_->height();
    const int fixed = alongX ? from.Y : from.X;
    if (steps == 0 || fixed < 0 || fixed >= (alongX ? h : w))
        return;
    // Steps whose moving coordinate lies on the surface.
    const std::int64_t start = alongX ? from.X : from.Y;
    const std::int64_t limit = alongX ? w : h;
    std::int64_t first = 0;
    std::int64_t last = steps - 1;
    if (sign > 0) {
        first = std::max<std::int64_t>(first, -start);
        last = std::min<std::int64_t>(last, limit - 1 - start);
    } else {
        first = std::max<std::int64_t>(first, start - (limit - 1));
        last = std::min<std::int64_t>(last, start);
    }
    if (first > last)
        return;
    const bool dotted = Pen.Style == PenStyle::Dot;
    const QRgb color = ToQRgb(Pen.Color);
    const bool xorMode = Pen.Mode == PenMode::Xor;
    uchar* const bits = surface_->bits();
    const qsizetype stride = surface_->bytesPerLine();
    for (std::int64_t i = first; i <= last; ++i) {
        if (dotted && i % DotPeriod >= DotOn)
            continue;
        const int moving = int(start + sign * i);
        const int px = alongX ? moving : fixed;
        const int py = alongX ? fixed : moving;
        QRgb& pixel = reinterpret_cast<QRgb*>(bits + py * stride)[px];
        if (xorMode)
            pixel ^= color & RgbMask;
        else
            pixel = color;
    }
    const int near = int(start + sign * first);
    const int far = int(start + sign * last);
    const int low = std::min(near, far);
    const int high = std::max(near, far) + 1;
    Changed(alongX ? TRect{low, fixed, high, fixed + 1} : TRect{fixed, low, fixed + 1, high});
}

void Canvas::FillRect(const TRect& rect)
{
    Prepare();
    const int left = std::max(rect.Left, 0);
    const int top = std::max(rect.Top, 0);
    const int right = std::min(rect.Right, surface_->width());
    const int bottom = std::min(rect.Bottom, surface_->height());
    if (left >= right || top >= bottom)
        return;
    const QRgb color = ToQRgb(Brush.Color);
    for (int y = top; y < bottom; ++y) {
        auto* line = reinterpret_cast<QRgb*>(surface_->scanLine(y));
        std::fill(line + left, line + right, color);
    }
    Changed({left, top, right, bottom});
}

void Canvas::Polygon(std::span<const TPoint> points)
{
    Prepare();
    if (points.size() < 2)
        return;
    const int w = surface_->width();
    const int h = surface_->height();
    const std::size_t n = points.size();

    // Interior: the pixels whose (integer) position lies inside by the even-odd rule, an edge
    // counting for the rows from its upper end up to but without its lower end.
    PixelList fill;
    int minY = points[0].Y;
    int maxY = points[0].Y;
    for (const TPoint& p : points) {
        minY = std::min(minY, p.Y);
        maxY = std::max(maxY, p.Y);
    }
    std::vector<std::int64_t> crossings;
    for (int y = std::max(minY, 0); y < std::min(maxY, h); ++y) {
        crossings.clear();
        for (std::size_t k = 0; k < n; ++k) {
            TPoint a = points[k];
            TPoint b = points[(k + 1) % n];
            if (a.Y == b.Y)
                continue;
            if (a.Y > b.Y)
                std::swap(a, b);
            if (y < a.Y || y >= b.Y)
                continue;
            // First pixel at or right of the crossing.
            const std::int64_t d = std::int64_t(b.Y) - a.Y;
            crossings.push_back(CeilDiv(
                std::int64_t(a.X) * d + (std::int64_t(y) - a.Y) * (std::int64_t(b.X) - a.X), d));
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t k = 0; k + 1 < crossings.size(); k += 2) {
            const auto from = std::max<std::int64_t>(crossings[k], 0);
            const auto to = std::min<std::int64_t>(crossings[k + 1], w);
            for (auto x = from; x < to; ++x)
                fill.push_back({int(x), y});
        }
    }
    PixelList outline;
    for (std::size_t k = 0; k < n; ++k)
        PenStroke(points[k], points[(k + 1) % n], outline);

    Apply(fill, ToQRgb(Brush.Color), Pen.Mode);
    Apply(outline, ToQRgb(Pen.Color), Pen.Mode);
}

void Canvas::Frame3D(TRect& rect, TColor topLeft, TColor bottomRight, int width)
{
    Prepare();
    const QRgb light = ToQRgb(topLeft);
    const QRgb dark = ToQRgb(bottomRight);
    const int w = surface_->width();
    const int h = surface_->height();
    auto put = [&](int x, int y, QRgb color) {
        if (x >= 0 && y >= 0 && x < w && y < h)
            reinterpret_cast<QRgb*>(surface_->scanLine(y))[x] = color;
    };
    // Only the part of each edge that lies on the surface is walked: a frame on a rectangle far
    // larger than the surface costs no more than one on the surface's own edge.
    const auto saturated = [](std::int64_t value) {
        return int(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
    };
    const TRect touched{std::max(rect.Left, 0), std::max(rect.Top, 0), std::min(rect.Right, w),
                        std::min(rect.Bottom, h)};
    for (int ring = 0; ring < width; ++ring) {
        const std::int64_t right = std::int64_t(rect.Right) - 1;
        const std::int64_t bottom = std::int64_t(rect.Bottom) - 1;
        if (right >= rect.Left && bottom >= rect.Top) {
            const int x0 = std::max(rect.Left, 0);
            const int y0 = std::max(rect.Top, 0);
            const int xEnd = int(std::min<std::int64_t>(right, w));
            const int yEnd = int(std::min<std::int64_t>(bottom, h));
            // Top row and left column, without the two far corners...
            for (int x = x0; x < xEnd; ++x)
                put(x, rect.Top, light);
            for (int y = y0; y < yEnd; ++y)
                put(rect.Left, y, light);
            // ...which belong to the bottom row and right column.
            if (right < w)
                for (int y = y0; y <= std::min<std::int64_t>(bottom, h - 1); ++y)
                    put(int(right), y, dark);
            if (bottom < h)
                for (int x = x0; x <= std::min<std::int64_t>(right, w - 1); ++x)
                    put(x, int(bottom), dark);
        }
        rect = {saturated(std::int64_t(rect.Left) + 1), saturated(std::int64_t(rect.Top) + 1),
                saturated(std::int64_t(rect.Right) - 1), saturated(std::int64_t(rect.Bottom) - 1)};
    }
    Changed(touched);
}

TColor Canvas::Pixel(int x, int y) const
{
    Prepare();
    if (x < 0 || y < 0 || x >= surface_->width() || y >= surface_->height())
        return clBlack;
    return FromQRgb(surface_->pixel(x, y));
}

void Canvas::SetPixel(int x, int y, TColor color)
{
    Prepare();
    if (x < 0 || y < 0 || x >= surface_->width() || y >= surface_->height())
        return;
    reinterpret_cast<QRgb*>(surface_->scanLine(y))[x] = ToQRgb(color);
    Changed({x, y, x + 1, y + 1});
}

}  // namespace platform
