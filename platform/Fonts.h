#pragma once
// The tool names its fonts by their Windows face names ("Tahoma", "MS UI Gothic", "ＭＳ ゴシック").
// None of them is installed here, and the fallback fontconfig picks has no Japanese glyphs, so
// the program and the widget tests map them once, at start, to the IPA Gothic faces.

class QFont;

namespace platform {

// Call once after the application object exists and before any text is drawn.
void InstallFontSubstitutes();

// A font's height is its cell (ascent plus descent), Qt's pixel size the em: the largest pixel
// size, down to 1, at which the font's cell is no taller than cellHeight.
int PixelSizeForCellHeight(QFont font, int cellHeight);

}  // namespace platform
