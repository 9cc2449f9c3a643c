#include "app/WorkFileEncoding.h"

#include "platform/Cp932.h"

std::string EncodeWorkLines(const QStringList& lines)
{
    std::string bytes;
    for (const QString& line : lines) {
        bytes += platform::ToCp932(line);
        bytes += "\r\n";
    }
    return bytes;
}
