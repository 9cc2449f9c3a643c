// The drawing helpers on a bare surface, read back pixel by pixel.
#include "indicators/EtcpasCanvas.h"

#include <gtest/gtest.h>
#include <QImage>

#include <set>
#include <utility>

using namespace platform;

namespace {

constexpr TColor Back = 0x203040;
using Pixels = std::set<std::pair<int, int>>;

struct Surface {
    Surface() : image(24, 20, QImage::Format_RGB32), canvas(&image) { image.fill(ToQRgb(Back)); }
    Pixels In(TColor colour) const
    {
        Pixels pixels;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (canvas.Pixel(x, y) == colour)
                    pixels.insert({x, y});
        return pixels;
    }
    QImage image;
    Canvas canvas;
};

Pixels Outline(int left, int top, int right, int bottom)
{
    Pixels pixels;
    for (int x = left; x <= right; ++x)
        pixels.insert({{x, top}, {x, bottom}});
    for (int y = top; y <= bottom; ++y)
        pixels.insert({{left, y}, {right, y}});
    return pixels;
}

}  // namespace

TEST(Square, DrawsTheClosedOutlineThroughBothCorners)
{
    Surface s;
    s.canvas.Pen.Color = clRed;
    Square(s.canvas, {2, 3, 9, 7});
    EXPECT_EQ(s.In(clRed), Outline(2, 3, 9, 7));
}

TEST(SquareFill, FillsInsideTheOutlineWithTheBrush)
{
    Surface s;
    s.canvas.Pen.Color = clRed;
    s.canvas.Brush.Color = clBlue;
    SquareFill(s.canvas, {2, 3, 9, 7});
    EXPECT_EQ(s.In(clRed), Outline(2, 3, 9, 7));
    Pixels inside;
    for (int x = 3; x < 9; ++x)
        for (int y = 4; y < 7; ++y)
            inside.insert({x, y});
    EXPECT_EQ(s.In(clBlue), inside);
}

TEST(Line, PlotsEveryPixelFromEndToEnd)
{
    Surface s;
    Line(s.canvas, 1, 1, 6, 1, clLime, false);
    EXPECT_EQ(s.In(clLime), (Pixels{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}}));

    Surface d;
    Line(d.canvas, 8, 2, 2, 5, clLime, false);  // right to left, mostly horizontal
    const Pixels diagonal = d.In(clLime);
    EXPECT_EQ(diagonal.size(), 7u);
    EXPECT_TRUE(diagonal.count({8, 2}) && diagonal.count({2, 5}));
    for (int x = 2; x <= 8; ++x) {  // one pixel a column, never more than one row apart
        int inColumn = 0;
        for (const auto& [px, py] : diagonal)
            inColumn += px == x;
        EXPECT_EQ(inColumn, 1) << x;
    }

    Surface p;
    Line(p.canvas, 4, 4, 4, 4, clLime, false);
    EXPECT_EQ(p.In(clLime), (Pixels{{4, 4}}));
}

TEST(Line, BoldAddsAPixelBesideEach)
{
    Surface h;
    Line(h.canvas, 1, 1, 3, 1, clLime, true);
    EXPECT_EQ(h.In(clLime), (Pixels{{1, 1}, {2, 1}, {3, 1}, {1, 2}, {2, 2}, {3, 2}}));
    Surface v;
    Line(v.canvas, 5, 3, 5, 1, clLime, true);
    EXPECT_EQ(v.In(clLime), (Pixels{{5, 1}, {5, 2}, {5, 3}, {6, 1}, {6, 2}, {6, 3}}));
    Surface edge;  // pixels off the surface are left out
    Line(edge.canvas, 20, 19, 23, 19, clLime, true);
    EXPECT_EQ(edge.In(clLime).size(), 4u);
}
