// The canvas on a bare surface, read back pixel by pixel. Kept text renderings, numbers built
// from kept glyphs and straight one-pixel lines drawn in place must give exactly the pixels of
// the general paths, wherever they lie.
#include <gtest/gtest.h>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QRect>

#include <array>
#include <cstdint>
#include <functional>
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
    // The surface as rows of letters: '.' the background, W white, S the button shadow's grey,
    // R red, B blue, ? anything else. (Colours are blue-green-red numbers.)
    std::vector<std::string> Picture() const
    {
        const std::pair<TColor, char> letters[] = {
            {Back, '.'}, {clWhite, 'W'}, {0xA0A0A0, 'S'}, {0x0000FF, 'R'}, {0xFF0000, 'B'}};
        std::vector<std::string> rows(std::size_t(image.height()), std::string());
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                char letter = '?';
                for (const auto& [colour, l] : letters)
                    letter = canvas.Pixel(x, y) == colour ? l : letter;
                rows[std::size_t(y)] += letter;
            }
        return rows;
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

// The font the canvas documents: the face, plain pixels, the largest pixel size whose cell is no
// taller than the asked height.
QFont FontOfCell(const QString& face, int height)
{
    QFont font(face);
    font.setStyleStrategy(QFont::NoAntialias);
    for (int size = height + 1; size > 1;) {
        font.setPixelSize(--size);
        if (QFontMetrics(font).height() <= height)
            break;
    }
    return font;
}

}  // namespace

TEST(CanvasSteps, EachDrawsItsPixelsOnceAndReportsTheRectangleItChanged)
{
    // Each step on a noisy surface, so that every pixel drawn shows: how many pixels change and
    // their bounding box, which is what the step reports as changed (for a text the painter
    // draws: all of the surface). Lines leave out their end point, each joint of a path is
    // drawn once, wide pens draw solid, far end points are clipped and not walked, and in the
    // exclusive-or mode drawing a step again restores every pixel.
    struct Step {
        const char* name;
        std::function<void(Canvas&)> draw;
        int pixels = -1;  // -1: a text, whatever the font makes of it
        QRect box;        // the changed pixels' bounding box (a text: whatever they span)
        bool whole = false;
        bool kept = false;  // drawn twice before, the text is kept from then on
    };
    const auto path = [](std::vector<TPoint> points, int width = 1, PenMode mode = PenMode::Copy,
                         PenStyle style = PenStyle::Solid) {
        return [=](Canvas& c) {
            c.Pen = {0x5A33C7, width, mode, style};
            c.MoveTo(points[0].X, points[0].Y);
            for (std::size_t i = 1; i < points.size(); ++i)
                c.LineTo(points[i].X, points[i].Y);
        };
    };
    const auto text = [](std::string t) { return [=](Canvas& c) { c.TextOut(-3, 20, t); }; };
    const auto frame = [](TRect r) {
        return [=](Canvas& c) mutable { c.Frame3D(r, clWhite, clBlack); };
    };
    const auto fill = [](TRect r) { return [=](Canvas& c) { c.FillRect(r); }; };
    const auto star = [](Canvas& c) {
        c.Pen.Mode = PenMode::Xor;
        c.Polygon(std::array<TPoint, 5>{{{10, 2}, {20, 40}, {0, 15}, {25, 15}, {2, 40}}});
    };
    constexpr auto Xor = PenMode::Xor;
    constexpr auto Dot = PenStyle::Dot;
    constexpr int Far = 2'000'000'000;
    const Step steps[] = {
        {"row", path({{50, 7}, {-9, 7}}), 51, {0, 7, 51, 1}},
        {"dotted row back", path({{60, 9}, {3, 9}}, 1, Xor, Dot), 30, {4, 9, 57, 1}},
        {"column", path({{3, 2}, {3, 90}}, 1, Xor), 46, {3, 2, 1, 46}},
        {"column up", path({{5, 47}, {5, 40}}), 7, {5, 41, 1, 7}},
        {"far row", path({{-Far, 11}, {Far, 11}}, 1, Xor), 64, {0, 11, 64, 1}},
        {"no length", path({{7, 7}, {7, 7}}, 4), 0, {}},
        {"diagonal", path({{5, 40}, {60, 3}}), 55, {5, 4, 55, 37}},
        {"closed path", path({{2, 2}, {12, 2}, {12, 12}, {2, 2}}, 1, Xor), 30, {2, 2, 11, 11}},
        {"dotted diagonal", path({{0, 47}, {63, 0}}, 1, Xor, Dot), 33, {0, 1, 63, 47}},
        {"wide", path({{5, 10}, {15, 10}}, 3, Xor), 36, {4, 9, 12, 3}},
        {"even wide slanted", path({{3, 40}, {60, 11}}, 4, Xor), 264, {1, 10, 60, 32}},
        {"wide dotted", path({{1, 5}, {11, 5}}, 2, Xor, Dot), 22, {0, 4, 11, 2}},
        {"wide slanted", path({{-4, 30}, {30, 12}, {3, 40}}, 5, Xor), 298, {0, 10, 33, 32}},
        {"fill", fill({-5, 40, 12, 70}), 96, {0, 40, 12, 8}},
        {"star", star, 306, {0, 2, 26, 39}},
        {"frame", frame({20, 10, 90, 30}), 106, {20, 10, 44, 20}},
        {"number", text("-12.34"), -1, {}},
        {"text", text("Tacho"), -1, {}, true},
        {"kept text", text("Tacho"), -1, {}, false, true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        QImage image(64, 48, QImage::Format_RGB32);
        QRect told;
        Canvas canvas(&image,
                      [&](const TRect& r) { told |= QRect(r.Left, r.Top, r.Width(), r.Height()); });
        canvas.Font = {QStringLiteral("MS UI Gothic"), 0x0F0F0F, 16};
        canvas.Background = TextBackground::Transparent;
        canvas.Pen.Color = 0x5A33C7;
        canvas.Brush.Color = 0x0F0F0F;
        for (int time = 0; step.kept && time < 2; ++time)
            step.draw(canvas);
        FillNoise(image);
        const QImage before = image.copy();
        told = QRect();
        step.draw(canvas);
        QRect changed;
        int pixels = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != before.pixel(x, y)) {
                    changed |= QRect(x, y, 1, 1);
                    ++pixels;
                }
        EXPECT_EQ(told, step.whole ? image.rect() : changed);
        if (step.pixels >= 0) {
            EXPECT_EQ(pixels, step.pixels);
            EXPECT_EQ(changed, step.box);
        }
        if (canvas.Pen.Mode == PenMode::Xor) {
            step.draw(canvas);
            EXPECT_EQ(image, before);
        }
    }
}

TEST(CanvasAreas, FillsPolygonsAndRaisedAndSunkenFramesCoverTheirPixelsInTheirColours)
{
    Surface s(38, 10);
    s.canvas.Brush.Color = clBlue;
    s.canvas.Pen.Color = clRed;
    s.canvas.FillRect({1, 1, 5, 3});
    // Empty, inverted and off-surface rectangles draw nothing.
    for (const TRect& nothing : {TRect{5, 5, 5, 9}, TRect{8, 8, 4, 4}, TRect{-10, -10, 0, 0}})
        s.canvas.FillRect(nothing);
    const std::array<TPoint, 4> diamond{{{11, 1}, {14, 4}, {11, 7}, {8, 4}}};
    s.canvas.Polygon(diamond);
    TRect raised{17, 1, 25, 7};
    s.canvas.Frame3D(raised, clBtnHighlight, clBtnShadow);
    EXPECT_EQ(raised, (TRect{18, 2, 24, 6}));
    TRect sunken{27, 1, 35, 9};
    s.canvas.Frame3D(sunken, clBtnShadow, clBtnHighlight, 2);
    EXPECT_EQ(sunken, (TRect{29, 3, 33, 7}));
    const std::vector<std::string> expected = {
        "......................................",  //
        ".BBBB......R.....WWWWWWWS..SSSSSSSW...",  //
        ".BBBB.....RBR....W......S..SSSSSSWW...",  //
        ".........RBBBR...W......S..SS....WW...",  //
        "........RBBBBBR..W......S..SS....WW...",  //
        ".........RBBBR...W......S..SS....WW...",  //
        "..........RBR....SSSSSSSS..SS....WW...",  //
        "...........R...............SWWWWWWW...",  //
        "...........................WWWWWWWW...",  //
        "......................................",
    };
    EXPECT_EQ(s.Picture(), expected);
}

TEST(CanvasText, KeptTextsAndGlyphBuiltNumbersDrawWhatThePainterDrawsInTheCellAskedFor)
{
    // Value texts as the indicators write them, and captions; faces with and without kerning
    // between digit and sign (C059: numbers drawn whole); cells up to beyond what the glyph kit
    // keeps; whole and fractional pen positions, partly off the surface; colours changing while
    // the rendering is kept.
    const std::string texts[] = {
        "0",     "-1",        "10000", "-100.00",
        "0.05",  "-32768",    "99999", "###",
        " -0.5", "1.1.1-1",   "-",     " ",
        "",      "Bar Graph", "Wj_|",  ToCp932(QString::fromUtf8("回転数[ﾟc]"))};
    const QPoint places[] = {{2, 10}, {-3, 3}, {100, -9}, {30, 52}};
    QImage blank(150, 80, QImage::Format_RGB32);
    blank.fill(ToQRgb(Back));
    for (const char* face : {"MS UI Gothic", "ＭＳ ゴシック", "DejaVu Sans", "C059"}) {
        QImage drawn = blank;
        Canvas canvas(&drawn);
        canvas.Font.Name = QString::fromUtf8(face);
        canvas.Brush.Color = clBlue;
        for (const int height : {7, 12, 16, 23, 64, 140}) {
            canvas.Font.Height = height;
            const QFont font = FontOfCell(canvas.Font.Name, height);
            for (const std::string& text : texts) {
                const int width = QFontMetrics(font).horizontalAdvance(FromCp932(text));
                EXPECT_EQ(canvas.TextExtent(text), (TSize{width, height})) << text;
                EXPECT_EQ(canvas.TextHeight(text), height);
                for (const QPoint at : places) {
                    for (const bool opaque : {false, true}) {
                        drawn = blank;
                        canvas.Font.Color = opaque ? clRed : clBtnShadow;
                        canvas.Background =
                            opaque ? TextBackground::Opaque : TextBackground::Transparent;
                        canvas.TextOut(at.x(), at.y(), text);
                        QImage expected = blank;
                        QPainter painter(&expected);
                        if (opaque)
                            painter.fillRect(QRect(at, QSize(width, height)), ToQRgb(clBlue));
                        painter.setFont(font);
                        painter.setPen(QColor::fromRgb(ToQRgb(canvas.Font.Color)));
                        painter.drawText(at + QPoint(0, QFontMetrics(font).ascent()),
                                         FromCp932(text));
                        painter.end();
                        ASSERT_EQ(drawn, expected) << face << " " << height << " " << text << " at "
                                                   << at.x() << "," << at.y();
                    }
                }
            }
        }
    }
}

TEST(CanvasText, WindowsFacesAreIpaGothicAndNothingIsDrawnOffTheSurface)
{
    for (const char* face : {"Tahoma", "MS UI Gothic", "ＭＳ ゴシック"})
        EXPECT_TRUE(QFontInfo(QFont(QString::fromUtf8(face))).family().startsWith(u"IPA")) << face;
    Surface s(80, 30);
    const QImage blank = s.image;
    s.canvas.Font = {QStringLiteral("MS UI Gothic"), clWhite, 16};
    const std::pair<int, int> far[] = {
        {INT32_MAX - 3, 5}, {5, INT32_MAX - 3}, {INT32_MIN, 5}, {5, INT32_MIN}, {5, 1 << 30}};
    for (const auto& [x, y] : far)
        s.canvas.TextOut(x, y, "12.34");
    s.canvas.Font.Height = INT32_MAX;  // a height from a damaged file
    s.canvas.TextOut(0, 1 << 30, "8");
    EXPECT_EQ(s.image, blank);
}
