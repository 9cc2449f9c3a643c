#include "link/Codecs.h"

#include "platform/Exceptions.h"

#include <algorithm>
#include <array>

namespace {

constexpr char HexDigits[] = "0123456789ABCDEF";

// A NUL ends a received text, like the end of the view.
std::string_view UpToNul(std::string_view text)
{
    return text.substr(0, text.find('\0'));
}

// Value of an upper-case hexadecimal digit (and of a lower-case one when asked), else -1.
int HexValue(char c, bool lowerCaseToo = false)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (lowerCaseToo && c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The byte of the pair at text[2 * pair], or -1 when either character is missing or no digit.
int HexPair(std::string_view text, std::size_t pair, bool lowerCaseToo = false)
{
    const std::size_t at = 2 * pair;
    if (at + 1 >= text.size())
        return -1;
    const int high = HexValue(text[at], lowerCaseToo);
    const int low = HexValue(text[at + 1], lowerCaseToo);
    if (high < 0 || low < 0)
        return -1;
    return high * 16 + low;
}

constexpr std::array<std::uint16_t, 256> MakeCrcTable()
{
    std::array<std::uint16_t, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        unsigned crc = i << 8;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? (crc << 1) ^ 0x1021 : crc << 1;
        table[i] = static_cast<std::uint16_t>(crc);
    }
    return table;
}

constexpr auto CrcTable = MakeCrcTable();

}  // namespace

void AppendText(char*& out, std::string_view text)
{
    text = UpToNul(text);
    for (const char c : text)
        *out++ = c;
}

void AppendHexByte(char*& out, std::uint8_t byte)
{
    *out++ = HexDigits[byte >> 4];
    *out++ = HexDigits[byte & 0x0F];
}

void AppendHexBytes(char*& out, const std::uint8_t* bytes, int count)
{
    for (int i = 0; i < count; ++i)
        AppendHexByte(out, bytes[i]);
}

void PutHex(char*& out, std::uint32_t value, int count)
{
    for (int i = count - 1; i >= 0; --i) {
        // Bytes beyond the value's four are zero.
        const std::uint8_t byte = i < 4 ? static_cast<std::uint8_t>(value >> (8 * i)) : 0;
        AppendHexByte(out, byte);
    }
}

std::uint32_t ParseHexBytes(std::string_view text, int count)
{
    text = UpToNul(text);
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i) {
        const int byte = HexPair(text, static_cast<std::size_t>(i));
        if (byte < 0)
            break;
        value = (value << 8) | static_cast<std::uint32_t>(byte);
    }
    return value;
}

bool DecodeHexBlock(std::uint8_t* out, std::string_view text, int count)
{
    if (count <= 0)
        return false;
    text = UpToNul(text);
    for (int i = 0; i < count; ++i) {
        const int byte = HexPair(text, static_cast<std::size_t>(i));
        if (byte < 0)
            return false;
        out[i] = static_cast<std::uint8_t>(byte);
    }
    return true;
}

bool ParseHex(std::uint32_t& value, std::string_view text, int count)
{
    text = UpToNul(text);
    for (int i = 1; i <= count; ++i) {
        const int byte = HexPair(text, static_cast<std::size_t>(i - 1), true);
        if (byte < 0)
            return false;
        const int position = count - i;  // the first pair goes to the highest byte
        if (position < 4) {
            const unsigned shift = 8u * static_cast<unsigned>(position);
            value = (value & ~(0xFFu << shift)) | (static_cast<std::uint32_t>(byte) << shift);
        }
    }
    return true;
}

std::uint8_t ByteToBcd(std::uint8_t value)
{
    // Double dabble: before each shift, a nibble of 5 or more gets 3 so that it carries at 10.
    unsigned r = 0;
    for (int bit = 7; bit >= 0; --bit) {
        if ((r & 0x0F) >= 0x05)
            r += 0x03;
        if ((r & 0xF0) >= 0x50)
            r += 0x30;
        r = (r << 1) | ((value >> bit) & 1u);
    }
    return static_cast<std::uint8_t>(r);
}

std::uint16_t Swap16(std::uint16_t value)
{
    return static_cast<std::uint16_t>((value << 8) | (value >> 8));
}

QString ContextWordToText(std::uint16_t storedWord)
{
    return QString::number(static_cast<std::int16_t>(Swap16(storedWord)));
}

std::int16_t TextToContextWord(const QString& text)
{
    const auto low16 = static_cast<std::uint16_t>(platform::StrToInt(text));
    return static_cast<std::int16_t>(Swap16(low16));
}

unsigned ReadDecimalDigits(std::string_view& text, int count)
{
    unsigned value = 0;
    for (int i = 0; i < count; ++i) {
        char c = '0';
        if (!text.empty() && text.front() != '\0') {
            c = text.front();
            text.remove_prefix(1);
        }
        value = value * 10u + static_cast<unsigned>(static_cast<unsigned char>(c) - '0');
    }
    return value;
}

std::string FormatDeviceDateTime(std::string_view text)
{
    text = UpToNul(text);
    const std::size_t first = text.find_first_of("0123456789");
    text = first == std::string_view::npos ? std::string_view() : text.substr(first);
    // c0..c13, with "0" for what the text lacks.
    std::array<char, 14> c{};
    for (std::size_t i = 0; i < c.size(); ++i)
        c[i] = i < text.size() ? text[i] : '0';
    std::string_view yearDigits(&c[12], 2);
    const unsigned year = ReadDecimalDigits(yearDigits, 2) + 1980;

    std::string result = std::to_string(year);
    const auto field = [&](char separator, std::size_t at) {
        result += separator;
        result += c[at];
        result += c[at + 1];
    };
    field('/', 10);  // month
    field('/', 8);   // day
    field('-', 4);   // hours
    field(':', 2);   // minutes
    field(':', 0);   // seconds
    return result;
}

int NextNameToken(std::string_view& text, std::span<char> out)
{
    const auto isSeparator = [](unsigned char b) { return b < 0x40 || b >= 0x80; };
    const std::string_view rest = UpToNul(text);
    std::size_t i = 0;
    while (i < rest.size() && isSeparator(static_cast<unsigned char>(rest[i])))
        ++i;
    if (i >= rest.size())
        return 0;
    const std::size_t start = i;
    while (i < rest.size() && static_cast<unsigned char>(rest[i]) >= 0x40 &&
           static_cast<unsigned char>(rest[i]) <= 0x79)
        ++i;
    const std::size_t length = i - start;
    if (!out.empty()) {
        const std::size_t kept = std::min(length, out.size() - 1);
        rest.copy(out.data(), kept, start);
        out[kept] = '\0';
    }
    text.remove_prefix(i);
    return static_cast<int>(length);
}

std::uint16_t Crc16(const void* data, std::size_t length)
{
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    std::uint16_t crc = 0;
    for (std::size_t i = 0; i < length; ++i)
        crc = static_cast<std::uint16_t>(CrcTable[((crc >> 8) ^ bytes[i]) & 0xFF] ^ (crc << 8));
    return crc;
}
