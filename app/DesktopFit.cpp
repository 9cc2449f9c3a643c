#include "app/DesktopFit.h"

#include <algorithm>
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

platform::TRect FitIntoWorkArea(platform::TRect window, platform::TRect workArea)
{
    const int width = std::min(window.Width(), workArea.Width());
    const int height = std::min(window.Height(), workArea.Height());
    const int left = std::max(std::min(window.Left, workArea.Right - width), workArea.Left);
    const int top = std::max(std::min(window.Top, workArea.Bottom - height), workArea.Top);
    return {left, top, left + width, top + height};
}

platform::TRect MoveOntoWorkArea(platform::TRect window, platform::TRect workArea)
{
    const int width = window.Width();
    const int height = window.Height();
    // The two bounds of the left edge swap over when the window is wider than the work area.
    const int flushRight = workArea.Right - width;
    const int left = std::clamp(window.Left, std::min(workArea.Left, flushRight),
                                std::max(workArea.Left, flushRight));
    const int top = std::max(std::min(window.Top, workArea.Bottom - height), workArea.Top);
    return {left, top, left + width, top + height};
}
