#pragma once
// The work file's bytes: every line in code page 932, each one (the last included) ended by
// CR LF, no byte-order mark.
#include <QStringList>
#include <string>

inline constexpr const char* WorkFileHeader = "PanelWright Work File Ver.1.0";

std::string EncodeWorkLines(const QStringList& lines);
