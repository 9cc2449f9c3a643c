#include "platform/NumberGlyphs.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <QFontMetricsF>
#include <QPainter>
#include <QString>

namespace platform {
namespace {

// Larger fonts (a huge dial's value) are left to whole-text drawing: their renderings would
// keep megabytes.
constexpr int MaxCell = 128;
constexpr QRgb Ink = 0x00FFFFFF;
constexpr QRgb RgbMask = 0x00FFFFFF;

// Texts drawn both ways when the kit is made; together they put every glyph at several
// fractions and next to most others.
constexpr std::string_view Samples[] = {"-0123456789.# 9", "# 8-7.6 5432109", "1111.1-1 11"};

QImage Scratch(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(0);
    return image;
}

}  // namespace

NumberGlyphs::NumberGlyphs(const QFont& font, int ascent, int cell) : ascent_(ascent), cell_(cell)
{
    if (cell < 1 || cell > MaxCell)
        return;
    const QFontMetricsF metrics(font);
    for (int slot = 0; slot < Glyphs; ++slot) {
        const double advance =
            metrics.horizontalAdvance(QChar(Characters[std::size_t(slot)])) * UnitsPerPixel;
        if (advance < 0 || advance != std::floor(advance))
            return;
        advance_[std::size_t(slot)] = std::int64_t(advance);
    }
    // Kerning (or anything else the shaper does) between two glyphs would move the second.
    for (int a = 0; a < Glyphs; ++a) {
        for (int b = 0; b < Glyphs; ++b) {
            const QString pair =
                QString(QChar(Characters[std::size_t(a)])) + QChar(Characters[std::size_t(b)]);
            if (metrics.horizontalAdvance(pair) * UnitsPerPixel !=
                double(advance_[std::size_t(a)] + advance_[std::size_t(b)]))
                return;
        }
    }
    for (int slot = 0; slot < Glyphs; ++slot)
        if (!Render(font, slot))
            return;
    usable_ = SampleMatches(font);
}

std::shared_ptr<NumberGlyphs> NumberGlyphs::Of(const QFont& font, int ascent, int cell)
{
    // Kept for the whole run: one kit per font and cell height in use.
    static std::map<std::pair<QString, int>, std::shared_ptr<NumberGlyphs>> kits;
    auto& kit = kits[{font.key(), cell}];
    if (!kit)
        kit = std::make_shared<NumberGlyphs>(font, ascent, cell);
    return kit;
}

bool NumberGlyphs::IsNumberText(std::string_view text)
{
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return SlotOf(c) >= 0; });
}

int NumberGlyphs::SlotOf(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    switch (c) {
    case '-': return 10;
    case '.': return 11;
    case '#': return 12;
    case ' ': return 13;
    default: return -1;
    }
}

int NumberGlyphs::Width(std::string_view text) const
{
    std::int64_t advance = 0;
    for (const char c : text)
        advance += advance_[std::size_t(SlotOf(c))];
    // Rounded as Qt rounds the shaped advance: halves up.
    return int((advance + UnitsPerPixel / 2) / UnitsPerPixel);
}

bool NumberGlyphs::Render(const QFont& font, int slot)
{
    // White on black with room for overhangs all round: any other colour means the font does not
    // draw plain pixels, and ink on the edge that an overhang may have been cut.
    const int pad = cell_;
    const int width = int(advance_[std::size_t(slot)] / UnitsPerPixel) + 2 * pad + 2;
    QImage scratch = Scratch(width, cell_ + 2 * pad);
    std::vector<Run> runs;
    {
        QPainter painter(&scratch);
        painter.setFont(font);
        painter.setPen(QColor(Qt::white));
        painter.drawText(QPoint(pad, pad + ascent_), QString(QChar(Characters[std::size_t(slot)])));
    }
    for (int y = 0; y < scratch.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        for (int x = 0; x < scratch.width();) {
            const QRgb pixel = line[x] & RgbMask;
            if (pixel == 0) {
                ++x;
                continue;
            }
            const bool edge = x == 0 || y == 0 || y == scratch.height() - 1;
            if (pixel != Ink || edge)
                return false;
            const int left = x;
            while (x < scratch.width() && (line[x] & RgbMask) == Ink)
                ++x;
            if (x == scratch.width())
                return false;
            runs.push_back(
                {std::int16_t(y - pad), std::int16_t(left - pad), std::int16_t(x - pad)});
        }
    }
    glyphs_[std::size_t(slot)] = std::move(runs);
    return true;
}

TRect NumberGlyphs::Draw(QImage& surface, int x, int y, std::string_view text, QRgb color) const
{
    const std::int64_t w = surface.width();
    const std::int64_t h = surface.height();
    std::int64_t left = w, top = h, right = 0, bottom = 0;
    std::int64_t pen = 0;  // in 1/64 pixel from x
    for (const char c : text) {
        const int slot = SlotOf(c);
        const std::int64_t gx = std::int64_t(x) + pen / UnitsPerPixel;
        pen += advance_[std::size_t(slot)];
        for (const Run& run : glyphs_[std::size_t(slot)]) {
            const std::int64_t py = std::int64_t(y) + run.y;
            if (py < 0 || py >= h)
                continue;
            const std::int64_t from = std::max<std::int64_t>(gx + run.left, 0);
            const std::int64_t to = std::min<std::int64_t>(gx + run.right, w);
            if (from >= to)
                continue;
            auto* line = reinterpret_cast<QRgb*>(surface.scanLine(int(py)));
            std::fill(line + from, line + to, color);
            left = std::min(left, from);
            right = std::max(right, to);
            top = std::min(top, py);
            bottom = std::max(bottom, py + 1);
        }
    }
    if (left >= right)
        return TRect{};
    return TRect{int(left), int(top), int(right), int(bottom)};
}

bool NumberGlyphs::SampleMatches(const QFont& font)
{
    const int pad = cell_;
    for (const std::string_view sample : Samples) {
        const int width = Width(sample) + 2 * pad;
        QImage whole = Scratch(width, cell_ + 2 * pad);
        {
            QPainter painter(&whole);
            painter.setFont(font);
            painter.setPen(QColor(Qt::white));
            painter.drawText(QPoint(pad, pad + ascent_), QString::fromLatin1(sample));
        }
        QImage built = Scratch(width, cell_ + 2 * pad);
        Draw(built, pad, pad, sample, Ink | 0xFF000000);
        if (built != whole)
            return false;
    }
    return true;
}

}  // namespace platform
