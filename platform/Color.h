#pragma once
// TColor is the platform's 32-bit colour: 0x00BBGGRR for plain colours; a top byte of 0xFF names
// a system colour. Indicators keep and save colours in this form.
#include <cstdint>
#include <QRgb>

namespace platform {

using TColor = std::int32_t;

constexpr TColor clBtnFace = TColor(0xFF00000F);
constexpr TColor clBtnShadow = TColor(0xFF000010);
constexpr TColor clBtnHighlight = TColor(0xFF000014);

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clGray = 0x808080;

constexpr TColor RGBToColor(int r, int g, int b)
{
    return TColor(r | (g << 8) | (b << 16));
}

// The screen colour of a TColor (system colours resolved); alpha is always opaque.
QRgb ToQRgb(TColor color);
// The TColor of a screen colour.
TColor FromQRgb(QRgb rgb);

}  // namespace platform
