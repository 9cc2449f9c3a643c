// The small drawing helpers on a bare surface, read back pixel by pixel and compared with a
// picture: "R" the pen or line colour, "B" the brush, "." the background.
#include "indicators/EtcpasCanvas.h"

#include <functional>
#include <gtest/gtest.h>
#include <QImage>

using namespace platform;

TEST(EtcpasCanvas, OutlinesFillsAndLines)
{
    const struct {
        const char* what;
        std::function<void(Canvas&)> draw;
        const char* picture;  // 12 by 6
    } cases[] = {
        // clang-format off
        {"square", [](Canvas& c) { Square(c, {2, 1, 9, 4}); },
         "............"
         "..RRRRRRRR.."
         "..R......R.."
         "..R......R.."
         "..RRRRRRRR.."
         "............"},
        {"filled square", [](Canvas& c) { SquareFill(c, {2, 1, 9, 4}); },
         "............"
         "..RRRRRRRR.."
         "..RBBBBBBR.."
         "..RBBBBBBR.."
         "..RRRRRRRR.."
         "............"},
        // Right to left, one pixel a column; a line of one pixel.
        {"lines", [](Canvas& c) { Line(c, 8, 0, 2, 3, clRed, false), Line(c, 10, 5, 10, 5, clRed, false); },
         "........R..."
         "......RR...."
         "....RR......"
         "..RR........"
         "............"
         "..........R."},
        // A pixel below each of a mostly horizontal line, right of each of a vertical one; none
        // off the surface.
        {"bold lines", [](Canvas& c) {
             Line(c, 1, 1, 3, 1, clRed, true), Line(c, 6, 3, 6, 1, clRed, true), Line(c, 9, 5, 11, 5, clRed, true);
         },
         "............"
         ".RRR..RR...."
         ".RRR..RR...."
         "......RR...."
         "............"
         ".........RRR"},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QImage image(12, 6, QImage::Format_RGB32);
        image.fill(ToQRgb(0x203040));
        Canvas canvas(&image);
        canvas.Pen.Color = clRed;
        canvas.Brush.Color = clBlue;
        c.draw(canvas);
        std::string drawn;
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 12; ++x)
                drawn += canvas.Pixel(x, y) == clRed    ? 'R'
                         : canvas.Pixel(x, y) == clBlue ? 'B'
                                                        : '.';
        EXPECT_EQ(drawn, c.picture);
    }
}
