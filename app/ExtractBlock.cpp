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
    bool quoted = false;
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
            ++p;
            if (c == '"') {
                quoted = !quoted;
            } else if (!quoted && previous < 0x80 && c == '{') {
                ++depth;
            } else if (!quoted && previous < 0x80 && c == '}') {
                if (--depth == 0) {
                    pos = p;
                    return true;
                }
            }
            previous = c;
            if (c == '\n') {
                quoted = false;
                break;
            }
        }
    }
}
