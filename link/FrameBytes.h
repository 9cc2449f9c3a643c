#pragma once
// The control bytes of the meter's line: a frame is STX, text, ETX; a reply starts with ACK
// (done) or NAK (refused) and ends with ETX.
#include <cstddef>

inline constexpr char Stx = 0x02;
inline constexpr char Etx = 0x03;
inline constexpr char Ack = 0x06;
inline constexpr char Nak = 0x15;

// The length of the text a frame carries: the bytes of Text before its first byte outside
// 0x20..0x7F (a NUL, CR, LF, tab or any other control byte ends it), at most Max.
inline std::size_t FrameTextLength(const char* Text, std::size_t Max)
{
    std::size_t length = 0;
    for (; length < Max; ++length) {
        const auto byte = static_cast<unsigned char>(Text[length]);
        if (byte < 0x20 || byte > 0x7F)
            break;
    }
    return length;
}
