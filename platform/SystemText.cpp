#include "platform/SystemText.h"

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <locale.h>

namespace platform {

void UseJapaneseSystemTexts()
{
    ::setenv("LANGUAGE", "ja", 1);
}

QString SystemErrorText(int error)
{
    // Made once and kept for the program's life: the port's threads ask for texts too.
    static const locale_t utf8 = ::newlocale(LC_ALL_MASK, "C.UTF-8", locale_t{});
    if (utf8 == locale_t{}) {
        char buffer[256];
        return QString::fromLocal8Bit(strerror_r(error, buffer, sizeof buffer));
    }
    return QString::fromUtf8(::strerror_l(error, utf8));
}

}  // namespace platform
