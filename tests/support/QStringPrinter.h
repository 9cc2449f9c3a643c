#pragma once
// GoogleTest shows a QString in a failure message as its text, not as its UTF-16 code units.
#include <ostream>
#include <QString>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
