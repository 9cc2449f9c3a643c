#pragma once
// Reading an indicator's face back from its surface: colours as the screen shows them, text
// rendered the same way on a scratch surface to compare against, and colour counts.
#include <QImage>
#include <QString>
#include <string>

#include "platform/Canvas.h"
#include "platform/Color.h"
#include "platform/Geometry.h"

namespace indicator_pixels {

// The colour a TColor shows as on the surface (system colours resolved).
inline platform::TColor Shown(platform::TColor color)
{
    return platform::FromQRgb(platform::ToQRgb(color));
}

inline platform::TColor PixelAt(const QImage& surface, int x, int y)
{
    return platform::FromQRgb(surface.pixel(x, y));
}

// text drawn opaque at (0, 0) on a scratch surface of the given background, cut to its extent.
inline QImage RenderText(const QString& face, int height, platform::TColor color,
                         platform::TColor background, const std::string& text)
{
    QImage scratch(400, 200, QImage::Format_RGB32);
    scratch.fill(platform::ToQRgb(background));
    platform::Canvas canvas(&scratch);
    canvas.Font.Name = face;
    canvas.Font.Height = height;
    canvas.Font.Color = color;
    canvas.Brush.Color = background;
    canvas.Background = platform::TextBackground::Opaque;
    canvas.TextOut(0, 0, text);
    const platform::TSize extent = canvas.TextExtent(text);
    return scratch.copy(0, 0, extent.cx, extent.cy);
}

// Whether the surface shows exactly expected with its top-left corner at (x, y).
inline bool ShowsAt(const QImage& surface, int x, int y, const QImage& expected)
{
    if (expected.isNull() || x < 0 || y < 0 || x + expected.width() > surface.width() ||
        y + expected.height() > surface.height())
        return false;
    return surface.copy(x, y, expected.width(), expected.height()) ==
           expected.convertToFormat(surface.format());
}

// How many pixels of rect (right and bottom edges outside) show color.
inline int CountColor(const QImage& surface, const platform::TRect& rect, platform::TColor color)
{
    int count = 0;
    for (int y = rect.Top; y < rect.Bottom; ++y)
        for (int x = rect.Left; x < rect.Right; ++x)
            if (PixelAt(surface, x, y) == Shown(color))
                ++count;
    return count;
}

// Whether every pixel of column x from top to bottom (both included) shows color.
inline bool ColumnIs(const QImage& surface, int x, int top, int bottom, platform::TColor color)
{
    for (int y = top; y <= bottom; ++y)
        if (PixelAt(surface, x, y) != Shown(color))
            return false;
    return true;
}

inline bool RowIs(const QImage& surface, int y, int left, int right, platform::TColor color)
{
    for (int x = left; x <= right; ++x)
        if (PixelAt(surface, x, y) != Shown(color))
            return false;
    return true;
}

}  // namespace indicator_pixels
