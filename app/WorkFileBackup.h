#pragma once
// A work file the tool could not read as its own is kept beside it, under its name with ".bak"
// added, before anything is saved over it: closing the window writes only what was loaded.
#include <cstdint>
#include <QString>
#include <string_view>

// No real work file comes near this size: a larger one is not read.
inline constexpr std::int64_t WorkFileMaxSize = 16 * 1024 * 1024;

// Whether a text that loaded to its end still was not a work file of this tool's: it does not
// start with the header line, or it holds indicator blocks of which none gave an indicator (an
// editor's UTF-16, NUL bytes, an empty file).
bool IsForeignWorkText(std::string_view text, int indicatorsMade);

// The box that says, once, that a foreign work file was kept.
void TellWorkFileKept(const QString& fileName);
