#pragma once
// What the indicator tests share: colours read back from a face as the screen shows them, texts
// drawn the way a face draws them to compare against, and the live channels put back to 0.
#include <gtest/gtest.h>
#include <QImage>
#include <QString>
#include <QWidget>
#include <string>

#include "indicators/Port.h"
#include "platform/Canvas.h"
#include "platform/Color.h"
#include "platform/Geometry.h"

namespace indicator_pixels {

using platform::TColor;
using platform::TRect;

inline void ResetChannels()
{
    for (int row = 0; row < SourceIndexRows; ++row)
        if (SourceIndexQ7[row].Address != nullptr)
            *SourceIndexQ7[row].Address = 0;
}

// Indicators on a panel, every channel at 0 before and after.
class FaceTest : public ::testing::Test {
protected:
    void SetUp() override { ResetChannels(); }
    void TearDown() override { ResetChannels(); }
    QWidget panel;
};

// The colour a TColor shows as on the surface (system colours resolved).
inline TColor Shown(TColor color)
{
    return platform::FromQRgb(platform::ToQRgb(color));
}

inline TColor PixelAt(const QImage& face, int x, int y)
{
    return platform::FromQRgb(face.pixel(x, y));
}

// How many pixels of rect (right and bottom edges outside), or of the whole face, show color.
inline int CountColor(const QImage& face, const TRect& rect, TColor color)
{
    int count = 0;
    for (int y = rect.Top; y < rect.Bottom; ++y)
        for (int x = rect.Left; x < rect.Right; ++x)
            count += PixelAt(face, x, y) == Shown(color);
    return count;
}
inline int CountColor(const QImage& face, TColor color)
{
    return CountColor(face, {0, 0, face.width(), face.height()}, color);
}

// Whether every pixel of a column or a row from (x0, y0) to (x1, y1), both ends included,
// shows color.
inline bool LineIs(const QImage& face, int x0, int y0, int x1, int y1, TColor color)
{
    return CountColor(face, {x0, y0, x1 + 1, y1 + 1}, color) == (x1 - x0 + 1) * (y1 - y0 + 1);
}

// A text's font, colour and background.
struct TextLook {
    QString face;
    int height;
    TColor ink, back;
};

inline platform::TSize Extent(const TextLook& look, const std::string& text)
{
    QImage probe(1, 1, QImage::Format_RGB32);
    platform::Canvas canvas(&probe);
    canvas.Font.Name = look.face;
    canvas.Font.Height = look.height;
    return canvas.TextExtent(text);
}

// Whether box shows text on the look's background and nothing else: with its top-left corner at
// the box's, or right-aligned.
inline bool BoxShows(const QImage& face, const TRect& box, const TextLook& look,
                     const std::string& text, bool rightAligned = true)
{
    QImage image(box.Width(), box.Height(), QImage::Format_RGB32);
    platform::Canvas canvas(&image);
    canvas.Font.Name = look.face;
    canvas.Font.Height = look.height;
    canvas.Font.Color = look.ink;
    canvas.Brush.Color = look.back;
    canvas.FillRect({0, 0, box.Width(), box.Height()});
    canvas.TextOut(rightAligned ? box.Width() - canvas.TextWidth(text) : 0, 0, text);
    return face.copy(box.Left, box.Top, box.Width(), box.Height()) ==
           image.convertToFormat(face.format());
}

// Whether the face shows text with its top-left corner at (x, y).
inline bool TextAt(const QImage& face, int x, int y, const TextLook& look, const std::string& text)
{
    const platform::TSize size = Extent(look, text);
    return BoxShows(face, {x, y, x + size.cx, y + size.cy}, look, text, false);
}

}  // namespace indicator_pixels
