#pragma once
// Shared text routines: fixed-point integers as decimal text and back, the consuming parsers with
// which the indicators read their property lines, and the prefix test of the monitor loop.
//
// All text is 8-bit (code page 932). A consuming parser takes its text in/out: on return the text
// holds only what follows the part it read. A NUL byte ends a text like its end does.
// A blank is any byte 0x01..0x20; a key starts with a letter or "_" and goes on with letters,
// digits and "_".
#include <cstdint>
#include <string>
#include <string_view>

// value with decimals implied decimal places: 1234, 2 gives "12.34"; -5, 2 gives "-0.05".
// Negative decimals count as 0.
std::string IntToStrFP(std::int32_t value, std::int32_t decimals);
// The text's number times 10^decimals, truncated toward zero ("12.345", 2 gives 1234). An empty
// text answers false at once. A text of blanks only or with a second "." beeps, shows an error
// box and answers false. What follows the number is ignored; the arithmetic wraps at 32 bits.
bool StrToIntFP(std::int32_t& value, const std::string& text, std::int32_t decimals);
// x to the power y, 1 when y < 1; wraps at 32 bits.
std::int32_t Sqrxy(std::int32_t x, std::int32_t y);

// The key's length when the text begins with it (case-sensitive), else 0 (also for an empty key).
std::int32_t StrCompTopPart(std::string_view text, std::string_view key);

// Takes the next key. True when a key with more text behind it was found; false at the end of
// the text or at a "}" before or right after a key (the "}" is consumed). Raises
// platform::EPlatformError "キーワードに全角文字が含まれています" when a key would hold a byte of
// 0x80 or above; the text is then unchanged.
bool GetKeyFromLine(std::string& key, std::string& text);
// Takes the next integer: passes over other bytes ("-" among them makes it negative) up to the
// first digit; a "}" or the end gives 0 (the "}" consumed). After a byte of 0x80 or above the
// number is read from the very next byte.
std::int32_t GetIntFromLine(std::string& text);
// As above, answering false (value 0) when "}" or the end comes before a digit.
bool GetIntFromLine(std::string& text, std::int32_t& value);
// Takes a text property's value: from the next double quote to the last double quote of that
// quote's line (a line ends at CR or LF), unescaped, so that a text holding quotes and braces
// reads back whole. Without a closing quote on the line the answer is empty and the text
// unchanged.
std::string GetStrFromLine(std::string& text);
// Takes one item of a list property ({"A","B"} on one line): the bytes between the next two
// double quotes. Without both quotes the answer is empty and the text unchanged.
std::string GetListStrFromLine(std::string& text);
// Skips blanks; when the next byte is c it is consumed and the answer is true. Otherwise the text
// keeps what follows the blanks (unchanged when only blanks are left) and the answer is false.
bool CompNextChar(std::string& text, char c);

// One line of a brace-structured configuration text.
enum TCfgLineInfo {
    cliError,         // a quoted text with a control byte or without its closing quote, or no value
    cliEndOf,         // end of the text
    cliNone,          // a key without "=" (blank lines are passed over)
    cliLeftBracket,   // "{"
    cliRightBracket,  // "}"
    cliParameter,     // key = "text" or key = integer
};
// Reads one line from p (NUL-terminated) and leaves p at the start of the next line, or on the
// brace that ended a key. key is the text before "=", "{", "}" or the line end without its
// trailing blanks; after "=" comes a quoted text (into text) or an integer (into value; any "-"
// before its digits makes it negative).
TCfgLineInfo LineSearch(const char*& p, std::string& key, std::int32_t& value, std::string& text);
// Skips blanks and reads unsigned decimal digits; true when there was at least one and they end
// at the end of the text, at a blank or at ",".
bool DecimalStrToInt(const std::string& text, std::int32_t& value);
// Takes the bytes up to the first CR or LF as line and consumes the line end and one LF after it.
// False (line empty, text unchanged) when no line end with text behind it exists.
bool GetLineFromText(std::string& line, std::string& text);
