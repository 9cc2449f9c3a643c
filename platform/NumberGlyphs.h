#pragma once
// Number texts (digits, sign, point, blank and "#") of one font, built from kept glyphs instead
// of shaping and rendering each text: a live value seldom repeats, yet every one is made of the
// same fourteen glyphs.
//
// Qt places the glyphs of a text one after another at positions in 1/64 pixel, each glyph's
// plain-pixel rendering at the whole pixel its position falls in. The kit does the same with
// each glyph's rendering made once and kept. It builds a font's numbers only where that gives
// exactly the pixels and width of the whole text: advances on the 1/64 grid, no kerning between
// any two of its glyphs, plain pixels, and samples that put every glyph at many fractions of a
// pixel drawn both ways alike. Other fonts (and texts with other characters) are left to
// whole-text drawing.
#include <array>
#include <cstdint>
#include <memory>
#include <QFont>
#include <QImage>
#include <string_view>
#include <vector>

#include "platform/Geometry.h"

namespace platform {

class NumberGlyphs {
public:
    static constexpr std::string_view Characters = "0123456789-.# ";

    // For font (plain pixels), whose cell is cell pixels high with the baseline ascent pixels
    // below its top.
    NumberGlyphs(const QFont& font, int ascent, int cell);
    // The kit of that font, shared by every canvas: its renderings depend on the font alone,
    // and a dashboard's indicators draw their values in a few fonts.
    static std::shared_ptr<NumberGlyphs> Of(const QFont& font, int ascent, int cell);

    // Whether text holds only the kit's characters and is not empty.
    static bool IsNumberText(std::string_view text);
    // Whether this font's numbers are built here.
    bool Usable() const { return usable_; }

    // The text's advance, as QFontMetrics::horizontalAdvance answers it. Usable() only.
    int Width(std::string_view text) const;
    // Draws text with its cell's top-left corner at (x, y), clipped to surface; answers the
    // rectangle of the pixels it set (empty when none). Usable() only.
    TRect Draw(QImage& surface, int x, int y, std::string_view text, QRgb color) const;

private:
    static constexpr int Glyphs = int(Characters.size());
    static constexpr int UnitsPerPixel = 64;  // positions and advances are in 1/64 pixel

    // One row of set pixels, relative to the pen position on the cell's top row.
    struct Run {
        std::int16_t y, left, right;  // right: just past the last pixel
    };
    static int SlotOf(char c);
    // Keeps the glyph's pixels; false when they are not plain or may have been cut.
    bool Render(const QFont& font, int slot);
    bool SampleMatches(const QFont& font);

    int ascent_;
    int cell_;
    bool usable_ = false;
    std::array<std::int64_t, Glyphs> advance_{};  // in 1/64 pixel
    std::array<std::vector<Run>, Glyphs> glyphs_;
};

}  // namespace platform
