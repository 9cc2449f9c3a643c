#include "platform/Color.h"

namespace platform {
namespace {

// The system colours, resolved to the fixed greys of the platform's default scheme, so that a
// face looks (and tests read) the same whatever desktop theme runs the tool.
QRgb SystemColor(int index)
{
    switch (index) {
    case 0x05: return qRgb(0xFF, 0xFF, 0xFF);  // window background
    case 0x08: return qRgb(0x00, 0x00, 0x00);  // window text
    case 0x0F: return qRgb(0xF0, 0xF0, 0xF0);  // button face
    case 0x10: return qRgb(0xA0, 0xA0, 0xA0);  // button shadow
    case 0x12: return qRgb(0x00, 0x00, 0x00);  // button text
    case 0x14: return qRgb(0xFF, 0xFF, 0xFF);  // button highlight
    default: return qRgb(0x00, 0x00, 0x00);    // unknown index, as the platform answers it
    }
}

}  // namespace

QRgb ToQRgb(TColor color)
{
    const auto value = std::uint32_t(color);
    if ((value >> 24) == 0xFF)
        return SystemColor(int(value & 0xFF));
    return qRgb(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

TColor FromQRgb(QRgb rgb)
{
    return RGBToColor(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

}  // namespace platform
