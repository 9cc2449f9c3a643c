#include "indicators/EtcpasCanvas.h"

#include <cstdlib>

void Square(platform::Canvas& canvas, const platform::TRect& rect)
{
    canvas.MoveTo(rect.Left, rect.Top);
    canvas.LineTo(rect.Right, rect.Top);
    canvas.LineTo(rect.Right, rect.Bottom);
    canvas.LineTo(rect.Left, rect.Bottom);
    canvas.LineTo(rect.Left, rect.Top);
}

void SquareFill(platform::Canvas& canvas, const platform::TRect& rect)
{
    Square(canvas, rect);
    canvas.FillRect({rect.Left + 1, rect.Top + 1, rect.Right, rect.Bottom});
}

void Line(platform::Canvas& canvas, int x1, int y1, int x2, int y2, platform::TColor colour,
          bool bold)
{
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int stepX = x1 < x2 ? 1 : -1;
    const int stepY = y1 < y2 ? 1 : -1;
    const bool mostlyHorizontal = dx >= -dy;
    int error = dx + dy;
    int x = x1;
    int y = y1;
    for (;;) {
        canvas.SetPixel(x, y, colour);
        if (bold) {
            if (mostlyHorizontal)
                canvas.SetPixel(x, y + 1, colour);
            else
                canvas.SetPixel(x + 1, y, colour);
        }
        if (x == x2 && y == y2)
            break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y += stepY;
        }
    }
}
