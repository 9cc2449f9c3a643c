#pragma once
// Cuts one brace-balanced indicator block out of a text that ends with a 0x00 byte: from its
// "{" to the matching "}", every line's end kept and every line's indentation dropped.
#include <string>

// True when a complete block was copied; the position then stands after its closing "}". When
// the text ends inside the block, text holds what was found and the answer is false.
//
// Braces between double quotes (a title such as "{Oil}") are copied but not counted: the writer
// puts texts in quotes without escapes, and counting them would end or extend the block in the
// wrong place. A quote is closed at the latest by its line's end, so an odd quote inside a text
// upsets no more than its own line.
bool ExtractBlock(std::string& text, const char*& pos);
