#pragma once
// A drawing canvas over a 32-bit pixel surface, with the semantics the indicators are written
// for: lines leave out their end point, the exclusive-or pen works bitwise on the colour value so
// that drawing the same pixels twice restores them, text is measured and drawn in the owner's
// font face at a pixel cell height, on an opaque or a transparent background.
//
// Pen, brush, font and background persist between uses, as on the platform's canvas: a pen left
// in exclusive-or mode stays so until someone sets it back.
#include <functional>
#include <map>
#include <memory>
#include <QFont>
#include <QImage>
#include <QString>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/Color.h"
#include "platform/Geometry.h"

class QPainter;

namespace platform {

class NumberGlyphs;

enum class PenMode { Copy, Xor };
enum class PenStyle { Solid, Dot };
enum class TextBackground { Opaque, Transparent };

struct CanvasPen {
    TColor Color = clBlack;
    int Width = 1;  // 0 and 1 both draw one-pixel lines; wider pens draw round-ended strokes
    PenMode Mode = PenMode::Copy;
    // Dotted: three pixels on, three off, counted from the line's start; gaps keep what was
    // there. Like the platform's, a pen wider than one pixel always draws solid.
    PenStyle Style = PenStyle::Solid;
};

struct CanvasBrush {
    TColor Color = clWhite;
};

struct CanvasFont {
    QString Name;  // face name; the Windows names map to installed fonts
    TColor Color = clBlack;
    int Height = 12;  // cell height (ascent + descent) in pixels; below 1: the face's default
};

class Canvas {
public:
    // Draws on *surface (Format_RGB32), which must outlive the canvas; changed (if set) is called
    // after each operation that altered pixels with a rectangle on the surface that holds them,
    // so that a control can bring just those to the screen; prepare (if set) runs before each
    // operation, so that an owner can bring the surface to its current size first.
    explicit Canvas(QImage* surface, std::function<void(const TRect&)> changed = {},
                    std::function<void()> prepare = {});
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    CanvasPen Pen;
    CanvasBrush Brush;
    CanvasFont Font;
    TextBackground Background = TextBackground::Opaque;

    TPoint PenPos() const { return penPos_; }
    void MoveTo(int x, int y);
    // From the pen position to (x, y) without the end point; the pen position becomes (x, y).
    void LineTo(int x, int y);
    // Fills Left..Right-1, Top..Bottom-1 with the brush colour.
    void FillRect(const TRect& rect);
    // Fills the polygon (even-odd, right and bottom edges left out) with the brush colour and
    // outlines it with the pen, closing it. Like the platform, the pen mode applies to the fill
    // too.
    void Polygon(std::span<const TPoint> points);

    // Text is code page 932 bytes; drawn in the font colour (always copied, whatever the pen
    // mode) with its cell's top-left corner at (x, y), the extent filled with the brush colour
    // first when the background is opaque. Width is the text's advance, height the cell height.
    void TextOut(int x, int y, const std::string& text);
    int TextWidth(const std::string& text);
    int TextHeight(const std::string& text);
    TSize TextExtent(const std::string& text);

    // A one-pixel frame on the edge of rect: top and left in topLeft, bottom and right in
    // bottomRight; rect shrinks by width on each side.
    void Frame3D(TRect& rect, TColor topLeft, TColor bottomRight, int width = 1);

    // Reads and writes one pixel (copy); outside the surface Pixel answers clBlack.
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

private:
    using PixelList = std::vector<TPoint>;

    void Prepare() const;
    // Reports the rectangle an operation drew in (nothing when it is empty).
    void Changed(const TRect& rect) const;
    // Applies colour to every listed pixel once in mode; a list that may repeat pixels is made
    // unique first.
    void Apply(PixelList& pixels, QRgb color, PenMode mode, bool unique = false);
    // The pixels of one stroke, each listed once.
    void PenStroke(TPoint from, TPoint to, PixelList& out);
    // The rows a pen wider than one pixel covers from one point to another: strokeRuns_[r] is
    // the run of columns on row strokeTop_ + r (empty when first > second).
    void WideStroke(TPoint from, TPoint to);
    void StraightLine(TPoint to);

    // The font of the current face and cell height, with its metrics and the texts kept for it,
    // made once per pair.
    struct TextFace;
    TextFace& CurrentFace();
    QFont MakeTextFont() const;
    // The face's number glyphs when text is a number they build; null for other texts.
    static NumberGlyphs* NumbersOf(TextFace& face, const std::string& text);
    // A text shaped once: its advance, its glyphs and, once it is drawn again, the pixels they
    // cover relative to its cell's top-left corner, kept per face and text: a title or label
    // drawn at every repaint costs a few pixel writes.
    struct TextInk;
    TextInk& InkOf(TextFace& face, const std::string& text);
    void RenderInk(const TextFace& face, TextInk& entry);
    // Draws the shaped text with its cell's top-left corner at (x, y).
    static void DrawShaped(QPainter& painter, const TextFace& face, const TextInk& ink, int x,
                           int y, const QColor& color);

    QImage* surface_;
    std::function<void(const TRect&)> changed_;
    std::function<void()> prepare_;
    TPoint penPos_;
    std::map<std::pair<QString, int>, std::unique_ptr<TextFace>> faces_;
    // The face last asked for, found again without a look-up while face and height stay (a
    // value redraw asks several times).
    TextFace* lastFace_ = nullptr;
    QString lastFaceName_;
    int lastFaceHeight_ = 0;
    // Scratch of the line strokes, kept so that a stroke allocates nothing once they have grown:
    // the pixels of a one-pixel line, the runs of a wide one and the rows of the last pen tip.
    PixelList linePixels_;
    std::vector<std::pair<int, int>> strokeRuns_;
    int strokeTop_ = 0;
    int tipWidth_ = 0;
    std::vector<std::pair<int, int>> tipRows_;
};

}  // namespace platform
