#include "app/AppDir.h"

namespace {

// Lead bytes of a double-byte character in code page 932.
bool IsLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

}  // namespace

std::string IncludeTrailingDelimiter(std::string path, char delimiter)
{
    // Walk whole characters to find where the last one starts.
    std::size_t last = std::string::npos;
    for (std::size_t i = 0; i < path.size();) {
        last = i;
        i += IsLeadByte(static_cast<unsigned char>(path[i])) && i + 1 < path.size() ? 2 : 1;
    }
    const bool endsWithDelimiter =
        last != std::string::npos && last + 1 == path.size() && path[last] == delimiter;
    if (!endsWithDelimiter)
        path += delimiter;
    return path;
}
