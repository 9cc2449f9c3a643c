#pragma once
// Writing an indicator's properties as text lines: the caller's indentation, the key, "=" and
// the value. Integers and colours are plain signed decimals; texts stand between double quotes
// unchanged, with no escaping: a text's line ends with its closing quote, which is how the
// reader tells it from quotes inside the text.
// The lines are built as 8-bit (code page 932) text and enter the list as UTF-16.
#include <cstdint>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

// prefix key=value
void AddIntPropertyLine(QStringList& list, const std::string& prefix, const std::string& key,
                        std::int32_t value);
// prefix key="text", the text 8-bit.
void AddStrPropertyLine(QStringList& list, const std::string& prefix, const std::string& key,
                        const std::string& text);
// prefix key="text", the text already UTF-16 (a caption), appended as it is.
void AddTextPropertyLine(QStringList& list, const std::string& prefix, const std::string& key,
                         const QString& text);
// prefix key={"a","b",...} on one line, each text 8-bit.
void AddListPropertyLine(QStringList& list, const std::string& prefix, const std::string& key,
                         const std::vector<std::string>& texts);
