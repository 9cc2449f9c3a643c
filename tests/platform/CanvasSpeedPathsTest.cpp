// The canvas keeps each text's rendering, builds numbers from kept glyphs and draws straight
// one-pixel lines in place: each must give exactly the pixels of the general paths, wherever
// the text or line lies.
#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <QFontMetrics>
#include <QPainter>
#include <utility>

#include "platform/Canvas.h"
#include "platform/Cp932.h"
#include "platform/NumberGlyphs.h"

using namespace platform;

namespace {

constexpr QRgb Background = 0xFF204060;

QImage Blank()
{
    QImage image(120, 60, QImage::Format_RGB32);
    image.fill(Background);
    return image;
}

// The font the canvas documents: the face, plain pixels, the largest pixel size whose cell is no
// taller than the asked height.
QFont FontOfCell(const QString& face, int height)
{
    QFont font(face);
    font.setStyleStrategy(QFont::NoAntialias);
    int size = height;
    for (; size > 1; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).height() <= height)
            break;
    }
    font.setPixelSize(size);
    return font;
}

TEST(CanvasKeptText, DrawsTheSamePixelsAsDrawingDirectlyWhereverItLies)
{
    const QString face = QStringLiteral("MS UI Gothic");
    const std::string texts[] = {"0",
                                 "100",
                                 "-12.34",
                                 "###",
                                 "Bar Graph",
                                 "Wj_|",
                                 platform::ToCp932(QString::fromUtf8("回転数[ﾟc]"))};
    const std::pair<int, int> places[] = {{10, 10}, {-7, 3}, {100, -9}, {30, 52}, {-200, -200}};
    for (const int height : {9, 12, 16, 23}) {
        const QFont font = FontOfCell(face, height);
        const QFontMetrics metrics(font);
        for (const std::string& text : texts) {
            for (const auto& [x, y] : places) {
                for (const TColor colour : {clRed, clBtnShadow, TColor(0x123456)}) {
                    QImage drawn = Blank();
                    Canvas canvas(&drawn);
                    canvas.Font.Name = face;
                    canvas.Font.Height = height;
                    canvas.Font.Color = colour;
                    canvas.Background = TextBackground::Transparent;
                    canvas.TextOut(-1000, -1000, text);  // drawn once directly, off the surface
                    canvas.TextOut(x, y, text);          // then from what was kept

                    QImage expected = Blank();
                    {
                        QPainter painter(&expected);
                        painter.setFont(font);
                        painter.setPen(QColor::fromRgb(ToQRgb(colour)));
                        painter.drawText(QPoint(x, y + metrics.ascent()), FromCp932(text));
                    }
                    ASSERT_EQ(drawn, expected) << text << " " << height << " at " << x << "," << y;
                    EXPECT_EQ(canvas.TextWidth(text), metrics.horizontalAdvance(FromCp932(text)));
                }
            }
        }
    }
}

TEST(CanvasKeptText, TextsAreKeptPerFaceAndHeightAndColourIsTheCurrentOne)
{
    QImage drawn = Blank();
    Canvas canvas(&drawn);
    canvas.Font.Name = QStringLiteral("MS UI Gothic");
    canvas.Font.Height = 16;
    const int narrow = canvas.TextWidth("100");
    canvas.Font.Height = 30;
    EXPECT_GT(canvas.TextWidth("100"), narrow);
    canvas.Font.Height = 16;
    EXPECT_EQ(canvas.TextWidth("100"), narrow);

    canvas.Font.Color = clRed;
    canvas.Background = TextBackground::Transparent;
    canvas.TextOut(0, 0, "8");
    canvas.Font.Color = clBlue;
    canvas.TextOut(0, 0, "8");
    int red = 0, blue = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < narrow; ++x) {
            red += drawn.pixel(x, y) == ToQRgb(clRed);
            blue += drawn.pixel(x, y) == ToQRgb(clBlue);
        }
    EXPECT_EQ(red, 0);
    EXPECT_GT(blue, 10);
}

TEST(CanvasNumberText, GlyphBuiltNumbersDrawThePixelsAndWidthOfTheWholeText)
{
    // Value texts as the indicators write them, at whole and fractional pen positions of every
    // glyph; faces with and without kerning between digit and sign (C059: drawn whole); cells
    // up to beyond what the glyph kit keeps.
    const std::string texts[] = {"0",       "7",          "-1",          "10000", "-100.00",
                                 "0.05",    "12.34",      "-32768",      "99999", "1234567890",
                                 "###",     "#",          " 100",        " -0.5", "1.1.1-1",
                                 "-.-.-.-", "8888888888", "11111111111", " ",     "-"};
    const std::pair<QString, bool> faces[] = {{QStringLiteral("MS UI Gothic"), true},
                                              {QString::fromUtf8("ＭＳ ゴシック"), true},
                                              {QStringLiteral("DejaVu Sans"), true},
                                              {QStringLiteral("C059"), false}};
    for (const auto& [face, kitted] : faces) {
        for (const int height : {7, 11, 12, 16, 23, 36, 64, 140}) {
            const QFont font = FontOfCell(face, height);
            const QFontMetrics metrics(font);
            EXPECT_EQ(NumberGlyphs(font, metrics.ascent(), height).Usable(),
                      kitted && height <= 128)
                << face.toStdString() << " " << height;
            for (const std::string& text : texts) {
                for (const int x : {2, -3}) {
                    const int width = metrics.horizontalAdvance(QString::fromLatin1(text));
                    QImage drawn(width + 2 * height, 2 * height, QImage::Format_RGB32);
                    drawn.fill(Background);
                    QImage expected = drawn.copy();
                    Canvas canvas(&drawn);
                    canvas.Font.Name = face;
                    canvas.Font.Height = height;
                    canvas.Font.Color = clRed;
                    canvas.Background = TextBackground::Transparent;
                    canvas.TextOut(x, height / 2, text);
                    {
                        QPainter painter(&expected);
                        painter.setFont(font);
                        painter.setPen(QColor::fromRgb(ToQRgb(clRed)));
                        painter.drawText(QPoint(x, height / 2 + metrics.ascent()),
                                         QString::fromLatin1(text));
                    }
                    ASSERT_EQ(drawn, expected)
                        << face.toStdString() << " " << height << " " << text << " at " << x;
                    ASSERT_EQ(canvas.TextWidth(text), width)
                        << face.toStdString() << " " << height << " " << text;
                }
            }
        }
    }
}

// Whether a one-pixel line from a to b (axis-parallel) covers (x, y): from a towards b without
// b, a dotted pen keeping steps 0-2 of every 6.
bool OnStraightLine(QPoint a, QPoint b, int x, int y, bool dotted)
{
    const bool alongX = a.y() == b.y();
    if (alongX ? y != a.y() : x != a.x())
        return false;
    const std::int64_t from = alongX ? a.x() : a.y();
    const std::int64_t to = alongX ? b.x() : b.y();
    const std::int64_t at = alongX ? x : y;
    const std::int64_t step = to >= from ? at - from : from - at;
    if (step < 0 || step >= std::llabs(to - from))
        return false;
    return !dotted || step % 6 < 3;
}

TEST(CanvasStraightLine, CoversExactlyItsPixelsInEveryDirectionAndClips)
{
    const std::pair<QPoint, QPoint> lines[] = {
        {{5, 7}, {90, 7}},    {{90, 8}, {5, 8}},     {{3, 2}, {3, 50}},
        {{4, 50}, {4, 2}},    {{-30, 9}, {200, 9}},  {{60, 100}, {60, -40}},
        {{10, 70}, {50, 70}}, {{130, 5}, {130, 40}}, {{-2000000000, 11}, {2000000000, 11}},
        {{7, 7}, {7, 7}}};
    for (const bool dotted : {false, true}) {
        for (const PenMode mode : {PenMode::Copy, PenMode::Xor}) {
            for (const auto& [a, b] : lines) {
                QImage image = Blank();
                Canvas canvas(&image);
                canvas.Pen.Color = 0x0F0F0F;
                canvas.Pen.Mode = mode;
                canvas.Pen.Style = dotted ? PenStyle::Dot : PenStyle::Solid;
                canvas.MoveTo(a.x(), a.y());
                canvas.LineTo(b.x(), b.y());
                EXPECT_EQ(canvas.PenPos(), (TPoint{b.x(), b.y()}));
                const QRgb line = mode == PenMode::Xor ? (Background ^ 0x0F0F0F) : ToQRgb(0x0F0F0F);
                for (int y = 0; y < image.height(); ++y)
                    for (int x = 0; x < image.width(); ++x)
                        ASSERT_EQ(image.pixel(x, y),
                                  OnStraightLine(a, b, x, y, dotted) ? line : Background)
                            << a.x() << "," << a.y() << " to " << b.x() << "," << b.y() << " pixel "
                            << x << "," << y;
            }
        }
    }
}

}  // namespace
