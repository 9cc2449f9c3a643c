#include "indicators/QuietFixedPoint.h"

#include "indicators/Etcpas.h"

namespace {

bool IsBlank(unsigned char byte)
{
    return byte >= 0x01 && byte <= 0x20;
}
bool IsDigit(char byte)
{
    return byte >= '0' && byte <= '9';
}

// Walks the number as StrToIntFP reads it: blanks, an optional sign, then digits and points up
// to the first other byte. A NUL ends the text as its end does.
bool StrToIntFPWouldComplain(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && IsBlank(static_cast<unsigned char>(text[i])))
        ++i;
    if (i == text.size() || text[i] == '\0')
        return true;
    if (text[i] == '-' || text[i] == '+')
        ++i;
    bool fraction = false;
    for (; i < text.size(); ++i) {
        if (text[i] == '.') {
            if (fraction)
                return true;
            fraction = true;
        } else if (!IsDigit(text[i])) {
            break;
        }
    }
    return false;
}

}  // namespace

bool QuietStrToIntFP(std::int32_t& value, const std::string& text, std::int32_t decimals)
{
    if (text.empty() || StrToIntFPWouldComplain(text))
        return false;
    return StrToIntFP(value, text, decimals);
}
