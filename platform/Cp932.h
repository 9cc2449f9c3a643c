#pragma once
// Conversion between UTF-16 (QString) and the 8-bit Japanese code page (Shift-JIS, code page
// 932) in which protocol text, work files and channel names are kept.
#include <QString>
#include <string>

namespace platform {

QString FromCp932(const std::string& bytes);
std::string ToCp932(const QString& text);

}  // namespace platform
