#include "app/AppDir.h"

#include "platform/Cp932.h"

std::string IncludeTrailingDelimiter(std::string path, char delimiter)
{
    // Walk whole characters to find where the last one starts.
    std::size_t last = std::string::npos;
    for (std::size_t i = 0; i < path.size();) {
        last = i;
        const bool doubleByte =
            platform::IsCp932LeadByte(static_cast<unsigned char>(path[i])) && i + 1 < path.size();
        i += doubleByte ? 2 : 1;
    }
    const bool endsWithDelimiter =
        last != std::string::npos && last + 1 == path.size() && path[last] == delimiter;
    if (!endsWithDelimiter)
        path += delimiter;
    return path;
}
