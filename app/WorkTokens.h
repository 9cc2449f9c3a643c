#pragma once
// The work file's tokenizer. It reads in place from a read position into a text that ends with
// a 0x00 byte; reaching that byte ends the load normally (TKestrelErr code 0), and the two
// faults it knows raise codes 1 and 2.
#include <cstdint>
#include <string>

enum class TWorkToken {
    wtLineEnd = 0,        // a line without "{", "}" or "=": name holds its bytes (CR included)
    wtBlockOpen = 1,      // name "{": position after "{"
    wtIndicatorOpen = 2,  // "_Kind12{": name "_Kind", integer 12, position at "{"
    wtBlockClose = 3,     // "}" alone or after a name: position after "}"
    wtValue = 4,          // key "=" and a quoted text or an integer
    wtValueBlock = 5,     // key "=" "{": position at "{"
};

// Reads one token. name is emptied first; intValue and textValue are written only by the
// tokens that carry them.
TWorkToken NextToken(const char*& pos, std::string& name, std::int32_t& intValue,
                     std::string& textValue);
// The bytes between the next two double quotes; a byte below 0x20 between them raises code 1.
std::string ReadQuotedString(const char*& pos);
// The next run of decimal digits, negative when a "-" came before it. A value past 32 bits
// saturates at the nearest 32-bit limit.
std::int32_t ReadInteger(const char*& pos);
