#include "app/ExtractBlock.h"

namespace {

using Byte = unsigned char;

Byte At(const char* pos)
{
    return static_cast<Byte>(*pos);
}

// Indentation, and a line's leading bytes of 0x80 and above, are not copied.
bool IsDropped(Byte c)
{
    return (c >= 0x01 && c <= 0x20) || c >= 0x80;
}

// A quoted value runs from its opening quote to the last quote of its line: the writer puts
// every property on a line of its own, the text last, without escapes. Answers that last quote,
// or the line's end when the opening quote is the only one.
const char* QuotedValueEnd(const char* open)
{
    const char* end = open;
    for (const char* p = open + 1; At(p) != 0 && At(p) != '\r' && At(p) != '\n'; ++p) {
        if (At(p) == '"')
            end = p;
    }
    if (end != open)
        return end;
    while (At(end) != 0 && At(end) != '\r' && At(end) != '\n')
        ++end;
    return end;
}

}  // namespace

bool ExtractBlock(std::string& text, const char*& pos)
{
    text.clear();
    const char* p = pos;
    while (At(p) != '{') {
        if (At(p) == 0)
            return false;
        ++p;
    }
    int depth = 0;
    const char* quotedUntil = nullptr;  // inside a quoted value up to this byte
    Byte previous = 0;  // a brace behind a byte of 0x80 or above is a double-byte character's tail
    for (;;) {
        while (IsDropped(At(p))) {
            previous = At(p);
            ++p;
        }
        if (At(p) == 0)
            return false;
        for (;;) {
            const Byte c = At(p);
            if (c == 0) {
                pos = p;
                return false;
            }
            text += static_cast<char>(c);
            if (quotedUntil) {
                if (p >= quotedUntil)
                    quotedUntil = nullptr;
            } else if (c == '"') {
                quotedUntil = QuotedValueEnd(p);
            } else if (previous < 0x80 && c == '{') {
                ++depth;
            } else if (previous < 0x80 && c == '}') {
                if (--depth == 0) {
                    pos = p + 1;
                    return true;
                }
            }
            ++p;
            previous = c;
            if (c == '\n')
                break;
        }
    }
}
