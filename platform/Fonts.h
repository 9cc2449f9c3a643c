#pragma once
// The tool names its fonts by their Windows face names ("Tahoma", "MS UI Gothic", "ＭＳ ゴシック").
// None of them is installed here, and the fallback fontconfig picks has no Japanese glyphs, so
// the program and the widget tests map them once, at start, to the IPA Gothic faces.

namespace platform {

// Call once after the application object exists and before any text is drawn.
void InstallFontSubstitutes();

}  // namespace platform
