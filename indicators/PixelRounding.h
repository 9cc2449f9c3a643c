#pragma once
// Pixel positions from floating-point geometry: the nearest integer with halves going to the even
// integer, as the platform's own rounding does. Values beyond the int range saturate and NaN
// gives 0, so that degenerate geometry never reaches undefined conversions.
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

// An int64 intermediate result brought back into int, saturating.
inline int SaturateInt(std::int64_t v)
{
    if (v > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (v < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}
