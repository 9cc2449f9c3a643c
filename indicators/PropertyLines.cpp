#include "indicators/PropertyLines.h"

#include "platform/Cp932.h"

void AddIntPropertyLine(QStringList& list, const std::string& prefix, const std::string& key,
                        std::int32_t value)
{
    list.append(platform::FromCp932(prefix + key + "=" + std::to_string(value)));
}

void AddStrPropertyLine(QStringList& list, const std::string& prefix, const std::string& key,
                        const std::string& text)
{
    list.append(platform::FromCp932(prefix + key + "=\"" + text + "\""));
}

void AddTextPropertyLine(QStringList& list, const std::string& prefix, const std::string& key,
                         const QString& text)
{
    list.append(platform::FromCp932(prefix + key + "=\"") + text + QStringLiteral("\""));
}

void AddListPropertyLine(QStringList& list, const std::string& prefix, const std::string& key,
                         const std::vector<std::string>& texts)
{
    std::string line = prefix + key + "={";
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0)
            line += ",";
        line += "\"" + texts[i] + "\"";
    }
    line += "}";
    list.append(platform::FromCp932(line));
}
