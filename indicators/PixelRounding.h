#pragma once
// Pixel positions from floating-point geometry: the nearest integer with halves going to the even
// integer, as the platform's own rounding does. Values beyond the int range saturate and NaN
// gives 0, so that degenerate geometry never reaches undefined conversions. And the scale factors
// and value differences the indicators' scales are computed with.
#include <cmath>
#include <cstdint>
#include <limits>

inline int NearestInt(double x)
{
    if (std::isnan(x))
        return 0;
    const double r = std::nearbyint(x);  // default rounding mode: halves to even
    if (r >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (r <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(r);
}

// A scale position in pixels: nearest integer, halves to the even one. Infinite or huge
// products (a scale whose two limits are equal, or values far outside it) saturate well beyond
// any control's size, yet far from overflowing when a caller adds a control's offset; NaN (0
// times infinity: a value on the limit of such a scale) counts as 0.
inline int RoundToPixel(double position)
{
    constexpr double Limit = 1 << 30;
    if (std::isnan(position))
        return 0;
    if (position >= Limit)
        return int(Limit);
    if (position <= -Limit)
        return -int(Limit);
    return int(std::nearbyint(position));
}

// A value difference in 32-bit arithmetic, wrapping as the indicators' fixed-point scales do.
inline std::int32_t WrappingDifference(std::int32_t a, std::int32_t b)
{
    return std::int32_t(std::uint32_t(a) - std::uint32_t(b));
}

// Pixels per value unit of a scale pixels long over range units. Equal limits leave no scale:
// the factor is then infinite, which makes the scale a step at its limit (a value on it stands
// at the start, any other beyond either end) instead of dividing by zero.
inline double PixelsPerUnit(int pixels, std::int32_t range)
{
    if (range == 0)
        return std::numeric_limits<double>::infinity();
    return double(pixels) / double(range);
}
