#pragma once
// Fixed-point text conversion for drawing code that runs at every repaint and so must not raise
// a box each time: StrToIntFP's result where it converts, false without a box or beep where it
// would complain (an empty text, blanks only, or a second "." in the number).
#include <cstdint>
#include <string>

bool QuietStrToIntFP(std::int32_t& value, const std::string& text, std::int32_t decimals);
