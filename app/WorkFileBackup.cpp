#include "app/WorkFileBackup.h"

#include <algorithm>
#include <set>

#include "platform/Cp932.h"

namespace {

// Long enough to recognise a name or a line by, short enough for a box.
constexpr qsizetype NamedLength = 20;

QString Shown(const std::string& bytes)
{
    QString text = platform::FromCp932(bytes);
    for (QChar& c : text) {
        if (c.unicode() < 0x20)
            c = QLatin1Char(' ');
    }
    if (text.size() > NamedLength)
        text = text.left(NamedLength) + QStringLiteral("…");
    return text;
}

}  // namespace

void TSkippedParts::Add(TSkippedPart part, const std::string& text)
{
    if (part == TSkippedPart::spIndicatorLimit) {
        beyondLimit_ = true;
        return;
    }
    if (++count_ > Named)
        return;
    switch (part) {
    case TSkippedPart::spBlock:
    case TSkippedPart::spControl: first_.append(Shown(text) + QStringLiteral("{…}")); break;
    case TSkippedPart::spKey: first_.append(Shown(text) + QStringLiteral("=…")); break;
    default: first_.append(QStringLiteral("「%1」").arg(Shown(text))); break;
    }
}

std::vector<std::pair<TSkippedPart, std::string>> UnwrittenPropertyLines(std::string_view block,
                                                                         const QStringList& written)
{
    std::set<std::string, std::less<>> keys;
    for (const QString& line : written)
        keys.insert(platform::ToCp932(line.left(line.indexOf(QLatin1Char('='))).trimmed()));
    // The block's own braces.
    if (block.starts_with('{'))
        block.remove_prefix(1);
    if (block.ends_with('}'))
        block.remove_suffix(1);

    std::vector<std::pair<TSkippedPart, std::string>> unwritten;
    while (!block.empty()) {
        const std::size_t lineEnd = std::min(block.find('\n'), block.size());
        const std::string_view line = TrimmedOfBlanks(block.substr(0, lineEnd));
        block.remove_prefix(std::min(lineEnd + 1, block.size()));
        if (line.empty() || line == "{" || line == "}")
            continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            unwritten.emplace_back(TSkippedPart::spText, line);
            continue;
        }
        const std::string_view key = TrimmedOfBlanks(line.substr(0, equals));
        if (!keys.contains(key) && TrimmedOfBlanks(line.substr(equals + 1)) != "{}")
            unwritten.emplace_back(TSkippedPart::spKey, key);
    }
    return unwritten;
}

QString LeftOutMessage(const QString& fileName, const QString& backupName,
                       const TSkippedParts& skipped)
{
    QStringList lines;
    if (skipped.BeyondLimit())
        lines.append(QStringLiteral("ファイル %1 のインジケーターは %2 個までしか読み込めません。")
                         .arg(fileName)
                         .arg(WorkFileIndicatorLimit));
    if (skipped.Count() > 0) {
        lines.append(QStringLiteral("ファイル %1 に読み込めない項目がありました。").arg(fileName));
        // One a line: a box wraps a long line wherever it likes, also inside a name.
        for (const QString& part : skipped.First())
            lines.append(QStringLiteral("・") + part);
        if (skipped.Count() > skipped.First().size())
            lines.append(
                QStringLiteral("ほか %1 件").arg(skipped.Count() - skipped.First().size()));
    }
    lines.append(QStringLiteral("元の内容を %1 に残しました。").arg(backupName));
    return lines.join(QStringLiteral("\n\r"));
}

QString ForeignFileMessage(const QString& fileName, const QString& backupName)
{
    return QStringLiteral("ファイル %1 は作業ファイルとして読み込めませんでした。\n\r"
                          "元の内容を %2 に残しました。")
        .arg(fileName, backupName);
}
