#include "link/FirmwareLines.h"

#include <algorithm>
#include <cstring>

int ReadFileLine(char* Dest, const char*& Ptr, const char* End, int Max)
{
    if (Max <= 0 || Ptr >= End)
        return -1;
    const auto limit = static_cast<std::size_t>(std::min<std::ptrdiff_t>(Max, End - Ptr));
    const void* lineFeed = std::memchr(Ptr, '\n', limit);
    if (lineFeed == nullptr)
        return -1;
    const auto length = static_cast<const char*>(lineFeed) - Ptr + 1;
    std::memcpy(Dest, Ptr, static_cast<std::size_t>(length));
    Ptr += length;
    return static_cast<int>(length);
}

bool StartsWith(const char* Text, const char* Keyword)
{
    return std::strncmp(Text, Keyword, std::strlen(Keyword)) == 0;
}
