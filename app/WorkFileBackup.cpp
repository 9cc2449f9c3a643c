#include "app/WorkFileBackup.h"

#include <cctype>

#include "app/BackupCopy.h"
#include "app/IndicatorKinds.h"
#include "app/WorkFileEncoding.h"
#include "platform/MessageBox.h"

namespace {

bool StartsWithHeaderLine(std::string_view text)
{
    const std::string_view header(WorkFileHeader);
    if (text.substr(0, header.size()) != header)
        return false;
    const std::string_view rest = text.substr(header.size());
    return rest.starts_with("\r\n") || rest.starts_with('\n');
}

// An indicator block's header anywhere: the prefix of a kind with a class, decimal digits, "{".
bool HasIndicatorBlock(std::string_view text)
{
    for (const TIndicatorKind& kind : IndicatorKinds()) {
        if (!kind.Class)
            continue;
        const std::string_view prefix(kind.Prefix);
        for (auto at = text.find(prefix); at != std::string_view::npos;
             at = text.find(prefix, at + 1)) {
            std::size_t end = at + prefix.size();
            while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end])))
                ++end;
            if (end > at + prefix.size() && end < text.size() && text[end] == '{')
                return true;
        }
    }
    return false;
}

}  // namespace

bool IsForeignWorkText(std::string_view text, int indicatorsMade)
{
    return !StartsWithHeaderLine(text) || (indicatorsMade == 0 && HasIndicatorBlock(text));
}

void TellWorkFileKept(const QString& fileName)
{
    platform::ShowMessageBox(
        QStringLiteral("ファイル %1 は作業ファイルとして読み込めませんでした。\n\r元の内容を %2 "
                       "に残しました。")
            .arg(fileName, BackupName(fileName)),
        QString(), platform::BoxIcon::Information, platform::BoxButtons::Ok);
}
