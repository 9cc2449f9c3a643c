#pragma once
// CRC-16/XMODEM computed bit by bit, apart from the tool's table-driven one, so that tests check
// the block replies against an independent reckoning.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace testing_support {

inline std::uint16_t XmodemCrc(std::string_view text)
{
    std::uint16_t crc = 0;
    for (const char c : text) {
        crc ^= static_cast<std::uint16_t>(static_cast<unsigned char>(c) << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = static_cast<std::uint16_t>((crc & 0x8000) ? (crc << 1) ^ 0x1021 : crc << 1);
    }
    return crc;
}

// Four upper-case hexadecimal digits.
inline std::string XmodemCrcDigits(std::string_view text)
{
    char digits[5];
    std::snprintf(digits, sizeof digits, "%04X", XmodemCrc(text));
    return digits;
}

}  // namespace testing_support
