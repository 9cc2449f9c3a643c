#include "indicators/FaceDrawing.h"

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

std::string FitValueText(platform::Canvas& canvas, const std::string& text, int width)
{
    if (canvas.TextWidth(text) <= width)
        return text;
    std::string mark = "###";
    while (!mark.empty() && canvas.TextWidth(mark) > width)
        mark.pop_back();
    return mark;
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
