#pragma once
// Cuts one brace-balanced indicator block out of a text that ends with a 0x00 byte: from its
// "{" to the matching "}", every line's end kept and every line's indentation dropped.
#include <string>

// True when a complete block was copied; the position then stands after its closing "}". When
// the text ends inside the block, text holds what was found and the answer is false.
//
// Braces inside a quoted value (a title such as "{Oil}" or "a"b{c") are copied but not counted:
// the writer puts texts in quotes without escapes, one property a line with the text last, so a
// quoted value runs from the line's first double quote to its last one (to the line's end when
// there is no other), as the property reader takes it.
bool ExtractBlock(std::string& text, const char*& pos);
