#pragma once
// The system's own texts for its error numbers, in Japanese as every text of the tool is. The C
// library carries their translations (Debian's libc-l10n) and picks them by the LANGUAGE
// variable, which it honours only under a locale other than plain "C": the texts are looked up
// under the C.UTF-8 locale, whatever the user's locale is, and come out in UTF-8.

#include <QString>

namespace platform {

// Asks the C library for Japanese texts. Call once, first thing in main: the environment may be
// changed only while no other thread can read it.
void UseJapaneseSystemTexts();

// The system's text for an error number; English where no translation is installed.
QString SystemErrorText(int error);

}  // namespace platform
