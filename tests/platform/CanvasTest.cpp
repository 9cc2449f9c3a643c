// The canvas on a bare surface, read back pixel by pixel.
#include <gtest/gtest.h>
#include <QFontInfo>
#include <QImage>
#include <QRect>

#include <array>
#include <cstdint>
#include <functional>
#include <set>
#include <utility>

#include "platform/Canvas.h"
#include "platform/Cp932.h"

using namespace platform;

namespace {

constexpr TColor Back = 0x203040;

struct Surface {
    explicit Surface(int w = 40, int h = 30) : image(w, h, QImage::Format_RGB32), canvas(&image)
    {
        image.fill(ToQRgb(Back));
    }
    // Pixels that differ from the background.
    std::set<std::pair<int, int>> Marked() const
    {
        std::set<std::pair<int, int>> marked;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (canvas.Pixel(x, y) != Back)
                    marked.insert({x, y});
        return marked;
    }
    QImage image;
    Canvas canvas;
};

// A background where every pixel differs, so that a pixel drawn twice or missed shows.
void FillNoise(QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(
                x, y, qRgb((x * 37 + y * 11) & 0xFF, (x * 5 + y * 71) & 0xFF, (x ^ y) * 3 & 0xFF));
}

}  // namespace

TEST(CanvasColor, PlainColoursOnlyReorderBytesSystemColoursAreGreys)
{
    EXPECT_EQ(ToQRgb(0x00332211), qRgb(0x11, 0x22, 0x33));
    EXPECT_EQ(FromQRgb(qRgb(0x11, 0x22, 0x33)), 0x00332211);
    EXPECT_EQ(ToQRgb(0x123456 ^ 0x0F0F0F) & 0xFFFFFF,
              (ToQRgb(0x123456) ^ ToQRgb(0x0F0F0F)) & 0xFFFFFF);
    EXPECT_EQ(ToQRgb(clBtnFace), qRgb(0xF0, 0xF0, 0xF0));
    EXPECT_EQ(ToQRgb(clBtnHighlight), qRgb(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(ToQRgb(clBtnShadow), qRgb(0xA0, 0xA0, 0xA0));
}

TEST(CanvasLine, LeavesOutItsEndPoint)
{
    Surface s;
    s.canvas.Pen.Color = clRed;
    s.canvas.MoveTo(0, 0);
    s.canvas.LineTo(10, 0);
    std::set<std::pair<int, int>> expected;
    for (int x = 0; x < 10; ++x)
        expected.insert({x, 0});
    EXPECT_EQ(s.Marked(), expected);
    EXPECT_EQ(s.canvas.PenPos(), (TPoint{10, 0}));
    EXPECT_EQ(s.canvas.Pixel(0, 0), clRed);

    // Backwards, vertical and diagonal lines leave out their end point too.
    Surface t;
    t.canvas.MoveTo(20, 5);
    t.canvas.LineTo(15, 5);
    t.canvas.MoveTo(3, 20);
    t.canvas.LineTo(3, 10);
    t.canvas.MoveTo(30, 10);
    t.canvas.LineTo(35, 15);
    const auto marked = t.Marked();
    EXPECT_EQ(marked.size(), 5u + 10u + 5u);
    EXPECT_TRUE(marked.count({20, 5}) && marked.count({3, 20}) && marked.count({34, 14}));
    EXPECT_FALSE(marked.count({15, 5}) || marked.count({3, 10}) || marked.count({35, 15}));

    // A line to its own start draws nothing.
    Surface u;
    u.canvas.MoveTo(5, 5);
    u.canvas.LineTo(5, 5);
    EXPECT_TRUE(u.Marked().empty());
}

TEST(CanvasLine, ConsecutiveLinesTouchEachJoinOnce)
{
    Surface s;
    s.canvas.Pen.Mode = PenMode::Xor;
    s.canvas.Pen.Color = 0x0000FF;
    s.canvas.MoveTo(2, 2);
    s.canvas.LineTo(12, 2);
    s.canvas.LineTo(12, 12);
    s.canvas.LineTo(2, 2);
    // Every pixel of the closed triangle was xored exactly once: none is back to the background.
    for (const auto& [x, y] : s.Marked())
        EXPECT_EQ(s.canvas.Pixel(x, y), Back ^ 0x0000FF) << x << "," << y;
    EXPECT_EQ(s.canvas.Pixel(12, 2), Back ^ 0x0000FF);
}

TEST(CanvasLine, ClipsFarEndPointsWithoutWalkingThem)
{
    Surface s;
    s.canvas.Pen.Color = clWhite;
    s.canvas.MoveTo(-2000000000, 5);
    s.canvas.LineTo(2000000000, 5);
    EXPECT_EQ(s.Marked().size(), 40u);
    s.canvas.Pen.Width = 5;
    s.canvas.MoveTo(20, -2000000000);
    s.canvas.LineTo(20, 2000000000);
    EXPECT_EQ(s.canvas.Pixel(20, 29), clWhite);
}

TEST(CanvasXor, EveryPrimitiveDrawnTwiceRestoresEveryPixel)
{
    Surface s(64, 48);
    FillNoise(s.image);
    const QImage before = s.image.copy();
    auto drawAll = [&] {
        s.canvas.Pen.Mode = PenMode::Xor;
        s.canvas.Pen.Color = 0x5A33C7;
        for (int width : {1, 2, 3, 4, 7}) {
            s.canvas.Pen.Width = width;
            s.canvas.MoveTo(3, 40);
            s.canvas.LineTo(60, 7 + width);
            s.canvas.MoveTo(32, 24);
            s.canvas.LineTo(31 - 3 * width, 2);
        }
        s.canvas.Pen.Width = 1;
        s.canvas.Pen.Style = PenStyle::Dot;
        s.canvas.MoveTo(0, 47);
        s.canvas.LineTo(63, 0);
        s.canvas.Pen.Style = PenStyle::Solid;
        s.canvas.Brush.Color = 0x0F0F0F;
        const std::array<TPoint, 5> star{{{10, 2}, {20, 40}, {0, 15}, {25, 15}, {2, 40}}};
        s.canvas.Polygon(star);
    };
    drawAll();
    EXPECT_NE(s.image, before);
    drawAll();
    EXPECT_EQ(s.image, before);
}

TEST(CanvasChanged, EveryStepReportsTheRectangleOfThePixelsItChanged)
{
    // Each step on a noisy surface (so that every pixel drawn shows): the reported rectangle is
    // the bounding box of the changed pixels, on the surface; for a text the painter draws, all
    // of the surface.
    struct Step {
        const char* name;
        std::function<void(Canvas&)> draw;
        bool whole = false;
        std::function<void(Canvas&)> before = [](Canvas&) {};
    };
    const auto line = [](int width, TPoint from, TPoint to, PenMode mode = PenMode::Copy) {
        return [=](Canvas& c) {
            c.Pen.Width = width;
            c.Pen.Mode = mode;
            c.MoveTo(from.X, from.Y);
            c.LineTo(to.X, to.Y);
        };
    };
    const Step steps[] = {
        {"row", line(1, {50, 7}, {-9, 7})},
        {"column", line(1, {3, 2}, {3, 90}, PenMode::Xor)},
        {"diagonal", line(1, {5, 40}, {60, 3})},
        {"wide", line(5, {-4, 30}, {30, 12}, PenMode::Xor)},
        {"fill",
         [](Canvas& c) {
             c.FillRect({-5, 40, 12, 70});
         }},
        {"polygon",
         [](Canvas& c) {
             const std::array<TPoint, 4> points{{{10, 2}, {50, 20}, {30, 44}, {12, 30}}};
             c.Polygon(points);
         }},
        {"frame",
         [](Canvas& c) {
             TRect r{20, 10, 90, 30};
             c.Frame3D(r, clWhite, clBlack);
         }},
        {"pixel", [](Canvas& c) { c.SetPixel(63, 47, clWhite); }},
        {"number", [](Canvas& c) { c.TextOut(-3, 20, "-12.34"); }},
        {"text", [](Canvas& c) { c.TextOut(5, 5, "Tacho"); }, true},
        {"kept text", [](Canvas& c) { c.TextOut(10, 30, "Tacho"); }, false,
         [](Canvas& c) {
             c.TextOut(5, 5, "Tacho");
             c.TextOut(5, 5, "Tacho");  // kept from now on
         }},
    };
    for (const Step& step : steps) {
        QImage image(64, 48, QImage::Format_RGB32);
        QRect told;
        Canvas canvas(&image,
                      [&](const TRect& r) { told |= QRect(r.Left, r.Top, r.Width(), r.Height()); });
        canvas.Font.Name = QStringLiteral("MS UI Gothic");
        canvas.Font.Height = 16;
        canvas.Background = TextBackground::Transparent;
        canvas.Pen.Color = 0x5A33C7;
        canvas.Brush.Color = 0x0F0F0F;
        canvas.Font.Color = 0x0F0F0F;
        step.before(canvas);
        FillNoise(image);
        const QImage before = image.copy();
        told = QRect();
        step.draw(canvas);
        QRect changed;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != before.pixel(x, y))
                    changed |= QRect(x, y, 1, 1);
        EXPECT_FALSE(changed.isEmpty()) << step.name;
        EXPECT_EQ(told, step.whole ? image.rect() : changed) << step.name;
    }
}

TEST(CanvasPen, DottedDrawsThreeOnThreeOffFromTheStart)
{
    Surface s;
    s.canvas.Pen.Style = PenStyle::Dot;
    s.canvas.Pen.Color = clWhite;
    s.canvas.MoveTo(0, 0);
    s.canvas.LineTo(14, 0);
    std::string pattern;
    for (int x = 0; x < 16; ++x)
        pattern += s.canvas.Pixel(x, 0) == clWhite ? '#' : '.';
    EXPECT_EQ(pattern, "###...###...##..");
}

TEST(CanvasPen, WidePenWidensTheLineWithoutItsEndPoint)
{
    Surface s;
    s.canvas.Pen.Width = 3;
    s.canvas.Pen.Color = clWhite;
    s.canvas.MoveTo(5, 10);
    s.canvas.LineTo(15, 10);
    // The one-pixel line covers 5..14; a three-pixel pen covers one more on each side of it.
    std::set<std::pair<int, int>> expected;
    for (int y = 9; y <= 11; ++y)
        for (int x = 4; x <= 15; ++x)
            expected.insert({x, y});
    EXPECT_EQ(s.Marked(), expected);

    Surface d;
    d.canvas.Pen.Width = 2;
    d.canvas.Pen.Style = PenStyle::Dot;  // the platform draws wide pens solid
    d.canvas.MoveTo(1, 5);
    d.canvas.LineTo(11, 5);
    EXPECT_EQ(d.Marked().size(), 2u * 11u);

    Surface z;
    z.canvas.Pen.Width = 4;
    z.canvas.MoveTo(5, 5);
    z.canvas.LineTo(5, 5);
    EXPECT_TRUE(z.Marked().empty());
}

TEST(CanvasFill, RectangleLeavesOutRightAndBottom)
{
    Surface s;
    s.canvas.Brush.Color = clBlue;
    s.canvas.FillRect({2, 3, 6, 5});
    std::set<std::pair<int, int>> expected;
    for (int y = 3; y < 5; ++y)
        for (int x = 2; x < 6; ++x)
            expected.insert({x, y});
    EXPECT_EQ(s.Marked(), expected);
    EXPECT_EQ(s.canvas.Pixel(2, 3), clBlue);
    // Empty, inverted and off-surface rectangles draw nothing.
    Surface t;
    t.canvas.FillRect({5, 5, 5, 9});
    t.canvas.FillRect({8, 8, 4, 4});
    t.canvas.FillRect({-10, -10, 0, 0});
    EXPECT_TRUE(t.Marked().empty());
}

TEST(CanvasFill, PolygonFilledWithTheBrushOutlinedWithThePen)
{
    Surface s;
    s.canvas.Brush.Color = clBlue;
    s.canvas.Pen.Color = clRed;
    const std::array<TPoint, 4> square{{{2, 2}, {12, 2}, {12, 10}, {2, 10}}};
    s.canvas.Polygon(square);
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 16; ++x) {
            const bool onEdge = ((x == 2 || x == 12) && y >= 2 && y <= 10) ||
                                ((y == 2 || y == 10) && x >= 2 && x <= 12);
            const bool inside = x > 2 && x < 12 && y > 2 && y < 10;
            const TColor expected = onEdge ? clRed : inside ? clBlue : Back;
            EXPECT_EQ(s.canvas.Pixel(x, y), expected) << x << "," << y;
        }

    // A triangle's interior lies within its outline; its area is about half the box.
    Surface t;
    t.canvas.Brush.Color = clBlue;
    t.canvas.Pen.Color = clBlue;
    const std::array<TPoint, 3> triangle{{{0, 0}, {20, 0}, {0, 20}}};
    t.canvas.Polygon(triangle);
    const auto marked = t.Marked();
    EXPECT_NEAR(double(marked.size()), 21.0 * 22.0 / 2.0, 21.0);
    for (const auto& [x, y] : marked)
        EXPECT_LE(x + y, 20) << x << "," << y;
}

TEST(CanvasFrame, RaisedAndSunkenFramesInTheirColours)
{
    Surface s;
    TRect rect{1, 1, 9, 7};
    s.canvas.Frame3D(rect, clBtnHighlight, clBtnShadow);
    EXPECT_EQ(rect, (TRect{2, 2, 8, 6}));
    const TColor light = FromQRgb(ToQRgb(clBtnHighlight));
    const TColor dark = FromQRgb(ToQRgb(clBtnShadow));
    EXPECT_EQ(s.canvas.Pixel(1, 1), light);
    EXPECT_EQ(s.canvas.Pixel(7, 1), light);  // top row up to the far corner
    EXPECT_EQ(s.canvas.Pixel(8, 1), dark);   // which belongs to the right column
    EXPECT_EQ(s.canvas.Pixel(1, 5), light);
    EXPECT_EQ(s.canvas.Pixel(1, 6), dark);  // as does the bottom-left corner to the bottom row
    EXPECT_EQ(s.canvas.Pixel(8, 6), dark);
    EXPECT_EQ(s.canvas.Pixel(4, 6), dark);
    EXPECT_EQ(s.canvas.Pixel(4, 4), Back);
    EXPECT_EQ(s.Marked().size(), 2u * 8u + 2u * 4u);

    TRect inner{12, 2, 20, 10};
    s.canvas.Frame3D(inner, clBtnShadow, clBtnHighlight, 2);
    EXPECT_EQ(inner, (TRect{14, 4, 18, 8}));
    EXPECT_EQ(s.canvas.Pixel(12, 2), dark);
    EXPECT_EQ(s.canvas.Pixel(13, 3), dark);
    EXPECT_EQ(s.canvas.Pixel(19, 9), light);
    EXPECT_EQ(s.canvas.Pixel(18, 8), light);
    EXPECT_EQ(s.canvas.Pixel(15, 5), Back);
}

TEST(CanvasFrame, AFrameFarLargerThanTheSurfaceDrawsOnlyItsVisibleEdges)
{
    Surface s(20, 10);
    TRect huge{-5, INT32_MIN, INT32_MAX, 5};
    s.canvas.Frame3D(huge, clWhite, clBlue);
    EXPECT_EQ(huge, (TRect{-4, INT32_MIN + 1, INT32_MAX - 1, 4}));
    // Only the bottom row lies on the surface.
    const auto marked = s.Marked();
    EXPECT_EQ(marked.size(), 20u);
    for (const auto& [x, y] : marked) {
        EXPECT_EQ(y, 4);
        EXPECT_EQ(s.canvas.Pixel(x, y), clBlue);
    }
}

TEST(CanvasText, CellHeightIsTheAskedHeight)
{
    Surface s;
    s.canvas.Font.Name = QStringLiteral("MS UI Gothic");
    for (int height : {7, 11, 12, 16, 24, 40}) {
        s.canvas.Font.Height = height;
        EXPECT_EQ(s.canvas.TextHeight("Tacho"), height);
        const TSize extent = s.canvas.TextExtent("Tacho[rpm]");
        EXPECT_EQ(extent.cy, height);
        EXPECT_GT(extent.cx, s.canvas.TextWidth("Tacho"));
    }
    EXPECT_EQ(s.canvas.TextWidth(""), 0);
}

TEST(CanvasText, OpaqueTextFillsItsExtentWithTheBrush)
{
    Surface s(80, 30);
    s.canvas.Font = {QStringLiteral("MS UI Gothic"), clWhite, 16};
    s.canvas.Brush.Color = clBlue;
    s.canvas.Background = TextBackground::Opaque;
    s.canvas.TextOut(5, 4, "12.34");
    const TSize extent = s.canvas.TextExtent("12.34");
    int glyph = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 80; ++x) {
            const TColor pixel = s.canvas.Pixel(x, y);
            const bool inExtent = x >= 5 && x < 5 + extent.cx && y >= 4 && y < 4 + extent.cy;
            if (!inExtent)
                EXPECT_EQ(pixel, Back) << x << "," << y;
            else if (pixel == clWhite)
                ++glyph;
            else
                EXPECT_EQ(pixel, clBlue) << x << "," << y;
        }
    EXPECT_GT(glyph, 10);

    // Transparent: only the glyphs change pixels, in the font colour.
    Surface t(80, 30);
    t.canvas.Font = {QStringLiteral("MS UI Gothic"), clWhite, 16};
    t.canvas.Background = TextBackground::Transparent;
    t.canvas.TextOut(5, 4, "12.34");
    const auto marked = t.Marked();
    EXPECT_EQ(int(marked.size()), glyph);
    for (const auto& [x, y] : marked)
        EXPECT_EQ(t.canvas.Pixel(x, y), clWhite);
}

TEST(CanvasText, FarPositionsAndHugeFontsDrawOnlyWhatLiesOnTheSurface)
{
    Surface s;
    s.canvas.Font = {QStringLiteral("MS UI Gothic"), clWhite, 16};
    s.canvas.Brush.Color = clBlue;
    s.canvas.Background = TextBackground::Opaque;
    const std::pair<int, int> far[] = {
        {INT32_MAX - 3, 5}, {5, INT32_MAX - 3}, {INT32_MIN, 5}, {5, INT32_MIN}, {5, 1 << 30}};
    for (const auto& [x, y] : far)
        s.canvas.TextOut(x, y, "12.34");
    EXPECT_TRUE(s.Marked().empty());

    s.canvas.Font.Height = INT32_MAX;  // a height from a damaged file
    s.canvas.TextOut(0, 1 << 30, "8");
    EXPECT_TRUE(s.Marked().empty());
    s.canvas.TextOut(0, 0, "8");
    EXPECT_FALSE(s.Marked().empty());
}

TEST(CanvasText, WindowsFaceNamesDrawJapanese)
{
    for (const char* face : {"Tahoma", "MS UI Gothic", "ＭＳ ゴシック"}) {
        QFont font(QString::fromUtf8(face));
        EXPECT_TRUE(QFontInfo(font).family().startsWith(QStringLiteral("IPA"))) << face;
    }
    Surface s(80, 30);
    s.canvas.Font = {QStringLiteral("MS UI Gothic"), clWhite, 16};
    s.canvas.Background = TextBackground::Transparent;
    // "ﾟ" (0xDF) and a kanji must come out as glyphs, not as nothing.
    s.canvas.TextOut(0, 0, ToCp932(QString::fromUtf8("計")));
    EXPECT_GT(s.Marked().size(), 10u);
    EXPECT_GT(s.canvas.TextWidth("\xDF"), 0);
}
