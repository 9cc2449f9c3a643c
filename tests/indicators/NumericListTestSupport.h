#pragma once
// What the numeric list tests share: a list on a panel, the live channels put back to 0 after
// each test, and pixel comparisons against text drawn on a canvas of its own.
#include <ostream>
#include <QImage>
#include <string>

#include "indicators/NumericList.h"
#include "indicators/Port.h"
#include "platform/Canvas.h"

namespace platform {
inline void PrintTo(const TRect& rect, std::ostream* out)
{
    *out << "(" << rect.Left << ", " << rect.Top << ", " << rect.Right << ", " << rect.Bottom
         << ")";
}
}  // namespace platform

namespace numeric_list_test {

inline void ResetChannels()
{
    for (int row = 0; row < SourceIndexRows; ++row)
        if (SourceIndexQ7[row].Address != nullptr)
            *SourceIndexQ7[row].Address = 0;
}

// The box as the list would draw it: text right-aligned at the list's row font on ColorBack.
inline QImage ExpectedBox(TNumericList& list, const platform::TRect& box, const std::string& text)
{
    QImage image(box.Width(), box.Height(), QImage::Format_RGB32);
    platform::Canvas canvas(&image);
    canvas.Font.Name = list.FontName;
    canvas.Font.Height = list.HeightList();
    canvas.Font.Color = list.ColorList();
    canvas.Brush.Color = list.ColorBack();
    canvas.FillRect({0, 0, box.Width(), box.Height()});
    canvas.TextOut(box.Width() - canvas.TextWidth(text), 0, text);
    return image;
}

inline QImage Region(TNumericList& list, const platform::TRect& rect)
{
    return list.Surface().copy(rect.Left, rect.Top, rect.Width(), rect.Height());
}

inline int TextWidthAt(TNumericList& list, int height, const std::string& text)
{
    platform::Canvas& canvas = list.Canvas();
    const int saved = canvas.Font.Height;
    canvas.Font.Height = height;
    const int width = canvas.TextWidth(text);
    canvas.Font.Height = saved;
    return width;
}

}  // namespace numeric_list_test
