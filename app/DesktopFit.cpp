#include "app/DesktopFit.h"

#include <cstdint>

platform::TRect FitIntoDesktop(platform::TRect window, platform::TSize desktop)
{
    // 64-bit: a saved geometry may sit anywhere in the 32-bit range.
    std::int64_t left = window.Left;
    std::int64_t top = window.Top;
    std::int64_t width = std::int64_t(window.Right) - window.Left;
    std::int64_t height = std::int64_t(window.Bottom) - window.Top;
    if (width > desktop.cx)
        width = desktop.cx;
    if (height > desktop.cy)
        height = desktop.cy;
    if (left + width > desktop.cx)
        left = desktop.cx - width;
    if (top + height > desktop.cy)
        top = desktop.cy - height;
    return {int(left), int(top), int(left + width), int(top + height)};
}
