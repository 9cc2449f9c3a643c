// The canvas's texts: fonts by face and cell height, measuring and drawing. Numbers are built
// from kept glyphs; other texts are shaped once and kept, and drawn from their kept pixels when
// they come back.
#include <algorithm>
#include <cstdint>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <QTextLayout>
#include <unordered_map>

#include "platform/Canvas.h"
#include "platform/Cp932.h"
#include "platform/Fonts.h"
#include "platform/NumberGlyphs.h"

namespace platform {
namespace {

constexpr QRgb RgbMask = 0x00FFFFFF;

int Saturated(std::int64_t value)
{
    return int(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

struct Canvas::TextInk {
    QString text;
    int width = 0;
    // The glyphs as shaped, and the offset from the cell's top to their origin; none for a text
    // with control characters, which is drawn as a whole each time.
    QList<QGlyphRun> glyphs;
    qreal glyphTop = 0;
    // How often the text was drawn; it is rendered for keeping when it comes back, so that a
    // text shown once costs no more than drawing it directly.
    int drawn = 0;
    // Whether ink holds every pixel the text sets: false until rendered, and for a text too
    // large to keep or whose rendering is not plain on-or-off pixels.
    bool exact = false;
    struct Offset {
        std::int16_t x, y;
    };
    std::vector<Offset> ink;
    TRect inkBounds;  // around the ink, relative to the cell's top-left corner
};

struct Canvas::TextFace {
    QFont font;
    QFontMetrics metrics;
    int cell;  // the cell height texts are measured and placed with
    // Made when the face's first number is measured or drawn.
    std::shared_ptr<NumberGlyphs> numbers;
    std::unordered_map<std::string, std::unique_ptr<TextInk>> texts;
};

// Here, where the kept faces are complete types.
Canvas::Canvas(QImage* surface, std::function<void(const TRect&)> changed,
               std::function<void()> prepare)
    : surface_(surface), changed_(std::move(changed)), prepare_(std::move(prepare))
{}

Canvas::~Canvas() = default;

QFont Canvas::MakeTextFont() const
{
    QFont font(Font.Name);
    // Plain pixels in the exact text colour, the same on every machine.
    font.setStyleStrategy(QFont::NoAntialias);
    if (Font.Height >= 1)
        font.setPixelSize(PixelSizeForCellHeight(font, Font.Height));
    return font;
}

Canvas::TextFace& Canvas::CurrentFace()
{
    const int height = Font.Height >= 1 ? Font.Height : 0;
    if (lastFace_ != nullptr && lastFaceHeight_ == height && lastFaceName_ == Font.Name)
        return *lastFace_;
    const auto key = std::make_pair(Font.Name, height);
    auto found = faces_.find(key);
    if (found == faces_.end()) {
        const QFont font = MakeTextFont();
        const QFontMetrics metrics(font);
        auto face = std::make_unique<TextFace>(
            TextFace{font, metrics, height >= 1 ? height : metrics.height(), nullptr, {}});
        found = faces_.emplace(key, std::move(face)).first;
    }
    lastFace_ = found->second.get();
    lastFaceName_ = Font.Name;
    lastFaceHeight_ = height;
    return *lastFace_;
}

NumberGlyphs* Canvas::NumbersOf(TextFace& face, const std::string& text)
{
    if (!NumberGlyphs::IsNumberText(text))
        return nullptr;
    if (!face.numbers)
        face.numbers = NumberGlyphs::Of(face.font, face.metrics.ascent(), face.cell);
    return face.numbers->Usable() ? face.numbers.get() : nullptr;
}

Canvas::TextInk& Canvas::InkOf(TextFace& face, const std::string& text)
{
    // Texts kept at most per face: the titles, labels and descriptions of a dashboard, while a
    // dashboard of 127 indicators stays within a few megabytes.
    constexpr std::size_t MaxTexts = 256;

    if (const auto found = face.texts.find(text); found != face.texts.end())
        return *found->second;
    if (face.texts.size() >= MaxTexts)
        face.texts.clear();
    auto entry = std::make_unique<TextInk>();
    entry->text = FromCp932(text);
    const bool printable =
        std::all_of(entry->text.begin(), entry->text.end(), [](QChar c) { return c.isPrint(); });
    if (!entry->text.isEmpty() && printable) {
        // Shaped once: the advance for measuring and the glyphs for drawing.
        QTextLayout layout(entry->text, face.font);
        QTextOption option;
        option.setWrapMode(QTextOption::NoWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        const QTextLine line = layout.createLine();
        layout.endLayout();
        entry->width = qRound(line.horizontalAdvance());
        entry->glyphs = layout.glyphRuns();
        entry->glyphTop = face.metrics.ascent() - line.ascent();
    } else {
        entry->width = face.metrics.horizontalAdvance(entry->text);
    }
    return *face.texts.emplace(text, std::move(entry)).first->second;
}

void Canvas::DrawShaped(QPainter& painter, const TextFace& face, const TextInk& ink, int x, int y,
                        const QColor& color)
{
    painter.setPen(color);
    if (ink.glyphs.isEmpty()) {
        painter.setFont(face.font);
        painter.drawText(QPoint(x, y + face.metrics.ascent()), ink.text);
        return;
    }
    for (const QGlyphRun& run : ink.glyphs)
        painter.drawGlyphRun(QPointF(x, y + ink.glyphTop), run);
}

void Canvas::RenderInk(const TextFace& face, TextInk& entry)
{
    // Larger texts (titles in big faces) are drawn directly each time.
    constexpr int MaxCell = 64;
    constexpr int MaxWidth = 512;
    if (entry.text.isEmpty() || face.cell > MaxCell || entry.width > MaxWidth)
        return;
    // White on black with room for overhangs all round; any grey pixel means the face does not
    // render plain pixels, and ink on the scratch's edge that an overhang may have been cut:
    // such texts are not kept.
    const int pad = face.cell;
    QImage scratch(entry.width + 2 * pad, face.cell + 2 * pad, QImage::Format_RGB32);
    scratch.fill(0);
    {
        QPainter painter(&scratch);
        DrawShaped(painter, face, entry, pad, pad, Qt::white);
    }
    bool exact = true;
    for (int y = 0; y < scratch.height() && exact; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        for (int x = 0; x < scratch.width(); ++x) {
            const QRgb pixel = line[x] & RgbMask;
            const bool edge =
                x == 0 || y == 0 || x == scratch.width() - 1 || y == scratch.height() - 1;
            if (pixel == RgbMask && !edge) {
                const TPoint at{x - pad, y - pad};
                entry.ink.push_back({std::int16_t(at.X), std::int16_t(at.Y)});
                TRect& b = entry.inkBounds;
                b = entry.ink.size() == 1 ? TRect{at.X, at.Y, at.X + 1, at.Y + 1}
                                          : TRect{std::min(b.Left, at.X), std::min(b.Top, at.Y),
                                                  std::max(b.Right, at.X + 1), at.Y + 1};
            } else if (pixel != 0)
                exact = false;
        }
    }
    entry.exact = exact;
    if (!exact)
        entry.ink.clear();
}

void Canvas::TextOut(int x, int y, const std::string& text)
{
    Prepare();
    TextFace& face = CurrentFace();
    NumberGlyphs* numbers = NumbersOf(face, text);
    const int width = numbers ? numbers->Width(text) : InkOf(face, text).width;
    // A text far off the surface, or in a font taller than any surface, must not overflow.
    if (Background == TextBackground::Opaque)
        FillRect(
            {x, y, Saturated(std::int64_t(x) + width), Saturated(std::int64_t(y) + face.cell)});
    if (numbers) {
        Changed(numbers->Draw(*surface_, x, y, text, ToQRgb(Font.Color)));
        return;
    }
    TextInk& ink = InkOf(face, text);
    if (ink.text.isEmpty())
        return;
    if (!ink.exact && ink.drawn++ == 1)
        RenderInk(face, ink);
    const std::int64_t baseline = std::int64_t(y) + face.metrics.ascent();
    if (surface_->isNull() || y >= surface_->height() || baseline + face.metrics.descent() < 0 ||
        x >= surface_->width())
        return;
    if (ink.exact) {
        const QRgb color = ToQRgb(Font.Color);
        const int w = surface_->width();
        const int h = surface_->height();
        uchar* const bits = surface_->bits();
        const qsizetype stride = surface_->bytesPerLine();
        for (const TextInk::Offset& p : ink.ink) {
            const std::int64_t px = std::int64_t(x) + p.x;
            const std::int64_t py = std::int64_t(y) + p.y;
            if (px >= 0 && py >= 0 && px < w && py < h)
                reinterpret_cast<QRgb*>(bits + py * stride)[px] = color;
        }
        const TRect& b = ink.inkBounds;
        const auto clamped = [](std::int64_t value, int limit) {
            return int(std::clamp<std::int64_t>(value, 0, limit));
        };
        Changed({clamped(std::int64_t(x) + b.Left, w), clamped(std::int64_t(y) + b.Top, h),
                 clamped(std::int64_t(x) + b.Right, w), clamped(std::int64_t(y) + b.Bottom, h)});
        return;
    }
    {
        QPainter painter(surface_);
        DrawShaped(painter, face, ink, x, y, QColor::fromRgb(ToQRgb(Font.Color)));
    }
    // Where a shaped text's pixels end is the painter's business: the whole surface may have
    // changed. This path draws a text the first time only, mostly within a repaint.
    Changed({0, 0, surface_->width(), surface_->height()});
}

int Canvas::TextWidth(const std::string& text)
{
    return TextExtent(text).cx;
}

int Canvas::TextHeight(const std::string& text)
{
    return TextExtent(text).cy;
}

TSize Canvas::TextExtent(const std::string& text)
{
    TextFace& face = CurrentFace();
    if (NumberGlyphs* numbers = NumbersOf(face, text))
        return {numbers->Width(text), face.cell};
    return {InkOf(face, text).width, face.cell};
}

}  // namespace platform
