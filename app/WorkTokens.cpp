#include "app/WorkTokens.h"

#include <limits>

#include "app/KestrelErr.h"

namespace {

using Byte = unsigned char;

Byte At(const char* pos)
{
    return static_cast<Byte>(*pos);
}

bool IsDigit(Byte c)
{
    return c >= '0' && c <= '9';
}

[[noreturn]] void EndOfText()
{
    throw TKestrelErr{KestrelEnd};
}

}  // namespace

std::string ReadQuotedString(const char*& pos)
{
    const char* p = pos;
    while (At(p) != '"') {
        if (At(p) == 0)
            EndOfText();
        ++p;
    }
    ++p;
    const char* const start = p;
    while (At(p) != '"') {
        // The end of the text counts as a control byte here: a value cut short is malformed.
        if (At(p) < 0x20)
            throw TKestrelErr{KestrelBadChar};
        ++p;
    }
    std::string text(start, p);
    pos = p + 1;
    return text;
}

std::int32_t ReadInteger(const char*& pos)
{
    const char* p = pos;
    bool negative = false;
    while (!IsDigit(At(p))) {
        if (At(p) == 0)
            EndOfText();
        if (At(p) == '-')
            negative = true;
        ++p;
    }
    // A hand-edited geometry line may hold any number of digits: stop growing one past the
    // 32-bit range, so the value saturates instead of wrapping to some unrelated size.
    constexpr std::int64_t Cap = std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1;
    std::int64_t value = 0;
    for (; IsDigit(At(p)); ++p) {
        if (value < Cap)
            value = value * 10 + (At(p) - '0');
    }
    pos = p;
    if (value > Cap)
        value = Cap;
    if (negative)
        return static_cast<std::int32_t>(-value);
    return static_cast<std::int32_t>(value == Cap ? Cap - 1 : value);
}

TWorkToken NextToken(const char*& pos, std::string& name, std::int32_t& intValue,
                     std::string& textValue)
{
    name.clear();
    const char* p = pos;

    // Pass over everything outside "A" to "z"; a byte of 0x80 or above stops the scan after
    // itself, since the byte behind it belongs to the same double-byte character.
    Byte last = 0;
    while (last < 0x80 && (At(p) < 0x41 || At(p) > 0x7A)) {
        const Byte c = At(p);
        if (c == 0)
            EndOfText();
        ++p;
        if (c == '}') {
            pos = p;
            return TWorkToken::wtBlockClose;
        }
        last = c;
    }

    // Indicator header: "_", the kind's letters, its number, "{".
    if (last < 0x80 && At(p) == '_') {
        const char* const kindStart = p;
        ++p;
        while (At(p) != 0 && !IsDigit(At(p)))
            ++p;
        const char* const kindEnd = p;
        std::uint32_t number = 0;  // never read back: wrapping is harmless
        for (; IsDigit(At(p)); ++p)
            number = number * 10u + std::uint32_t(At(p) - '0');
        // A header cut short by the end of the text is a file cut short, not a malformed one.
        if (At(p) == 0)
            EndOfText();
        if (At(p) != '{')
            throw TKestrelErr{KestrelBadFormat};
        name.assign(kindStart, kindEnd);
        intValue = static_cast<std::int32_t>(number);
        pos = p;
        return TWorkToken::wtIndicatorOpen;
    }

    for (;;) {
        const Byte c = At(p);
        if (c == 0)
            EndOfText();
        ++p;
        switch (c) {
        case '\n': pos = p; return TWorkToken::wtLineEnd;
        case '{': pos = p; return TWorkToken::wtBlockOpen;
        case '}': pos = p; return TWorkToken::wtBlockClose;
        case '=':
            if (At(p) == '{') {
                pos = p;
                return TWorkToken::wtValueBlock;
            }
            if (At(p) == '"')
                textValue = ReadQuotedString(p);
            else
                intValue = ReadInteger(p);
            pos = p;
            return TWorkToken::wtValue;
        default: name += static_cast<char>(c);
        }
    }
}
