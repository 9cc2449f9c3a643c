#pragma once
// The program's folder as the main window keeps it: 8-bit text that always ends with the path
// delimiter.
#include <string>

// Appends delimiter unless the text's last whole character is already one. The text is code
// page 932, so the second byte of a double-byte character never counts, even when it equals the
// delimiter's byte (0x5C, the backslash, is such a byte).
std::string IncludeTrailingDelimiter(std::string path, char delimiter = '/');
