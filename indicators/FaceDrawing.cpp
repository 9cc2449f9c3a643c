#include "indicators/FaceDrawing.h"

#include <algorithm>

void DrawRaisedPanel(platform::Canvas& canvas, platform::TRect rect, platform::TColor fill)
{
    canvas.Frame3D(rect, platform::clBtnHighlight, platform::clBtnShadow);
    canvas.Brush.Color = fill;
    canvas.FillRect(rect);
}

void DrawSunkenWell(platform::Canvas& canvas, platform::TRect rect, platform::TColor fill)
{
    canvas.Frame3D(rect, platform::clBtnShadow, platform::clBtnHighlight);
    canvas.Brush.Color = fill;
    canvas.FillRect(rect);
}

void DrawValueRightAligned(platform::Canvas& canvas, const platform::TRect& box,
                           const std::string& text)
{
    canvas.FillRect(box);
    canvas.TextOut(box.Right - canvas.TextWidth(text), box.Top, text);
}

void DrawValueRightAligned(platform::Canvas& canvas, const platform::TRect& box,
                           const std::string& text, int& drawnLeft)
{
    canvas.FillRect({std::min(box.Left, drawnLeft), box.Top, box.Right, box.Bottom});
    drawnLeft = box.Right - canvas.TextWidth(text);
    canvas.TextOut(drawnLeft, box.Top, text);
}

std::string ValueOrOverflowMark(platform::Canvas& canvas, const std::string& text, int width)
{
    return canvas.TextWidth(text) <= width ? text : "###";
}

std::string FitValueText(platform::Canvas& canvas, const std::string& text, int width)
{
    std::string shown = ValueOrOverflowMark(canvas, text, width);
    while (!shown.empty() && canvas.TextWidth(shown) > width)
        shown.pop_back();
    return shown;
}

void DrawColumn(platform::Canvas& canvas, int x, int top, int bottom)
{
    canvas.MoveTo(x, top);
    canvas.LineTo(x, bottom + 1);
}

void DrawRow(platform::Canvas& canvas, int y, int left, int right)
{
    canvas.MoveTo(left, y);
    canvas.LineTo(right + 1, y);
}

platform::TColor XorPenColor(platform::TColor face, platform::TColor part)
{
    return platform::FromQRgb(platform::ToQRgb(face) ^ platform::ToQRgb(part)) & 0xFFFFFF;
}
