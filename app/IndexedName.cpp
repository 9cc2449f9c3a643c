#include "app/IndexedName.h"

bool ParseIndexedName(const std::string& prefix, const QString& name, std::int32_t& number)
{
    qsizetype at = 0;
    while (at < name.size() && name[at].unicode() < u'A')
        ++at;
    if (at >= name.size())
        return false;
    for (const char byte : prefix) {
        if (at >= name.size() || name[at].unicode() != static_cast<unsigned char>(byte))
            return false;
        ++at;
    }
    const auto isDigit = [&](qsizetype i) {
        return i < name.size() && name[i] >= u'0' && name[i] <= u'9';
    };
    if (!isDigit(at))
        return false;
    std::uint32_t value = 0;  // wraps at 32 bits; the number is never used to find anything
    for (; isDigit(at); ++at)
        value = value * 10u + std::uint32_t(name[at].unicode() - u'0');
    number = static_cast<std::int32_t>(value);
    return true;
}
