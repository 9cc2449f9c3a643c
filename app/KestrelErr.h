#pragma once
// The work-file reader's own exception: one signed byte, the code. Code 0 is not an error: it
// ends every load that is not broken off (the outermost block closed, or the text ended).
#include <cstdint>
#include <QString>

struct TKestrelErr {
    std::int8_t Code = 0;
};

constexpr std::int8_t KestrelEnd = 0;           // normal end
constexpr std::int8_t KestrelBadChar = 1;       // a control byte inside a quoted value
constexpr std::int8_t KestrelBadFormat = 2;     // an indicator header not followed by "{"
constexpr std::int8_t KestrelCellOverflow = 3;  // codes 3 to 5 come from no reader of ours
constexpr std::int8_t KestrelGridZero = 4;
constexpr std::int8_t KestrelGridOver = 5;

// The message a load broken off with this code shows; none for code 0.
QString KestrelErrMessage(std::int8_t code);
