#pragma once
// Conversion between UTF-16 (QString) and the 8-bit Japanese code page (Shift-JIS, code page
// 932) in which protocol text, work files and channel names are kept.
#include <QString>
#include <string>

namespace platform {

QString FromCp932(const std::string& bytes);
std::string ToCp932(const QString& text);
// The characters of the text that the code page has no code for (ToCp932 would write 0xFC 0xFC
// in their place), each once, in the order they first stand; empty when it holds them all.
QString Cp932Unholdable(const QString& text);

// Whether byte opens a double-byte character; the byte after it is never a character of its own,
// even when it equals an ASCII byte (0x5C, the backslash, is such a byte).
constexpr bool IsCp932LeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

}  // namespace platform
