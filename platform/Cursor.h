#pragma once
// The platform's cursor identifiers, as controls store them in their Cursor property. Only the
// shapes the tool uses are named here.
#include <cstdint>

namespace platform {

using TCursor = std::int16_t;

constexpr TCursor crDefault = 0;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crDrag = -12;

}  // namespace platform
