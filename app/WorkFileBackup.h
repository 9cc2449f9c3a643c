#pragma once
// What a work-file load could not take in. The tool writes back only what it loaded, so a file
// that held anything else (a kind of indicator, a control or a key this version does not know,
// free text, more indicators than one load makes) is kept as it was, under its name with ".bak"
// added, before anything is saved over it; one box per load says what was left out.
#include <cstdint>
#include <QString>
#include <QStringList>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/WorkFileReader.h"

// No real work file comes near this size: a larger one is not read.
inline constexpr std::int64_t WorkFileMaxSize = 16 * 1024 * 1024;

// The parts a load skipped: how many, and the first few as the box names them.
class TSkippedParts {
public:
    static constexpr int Named = 3;

    void Add(TSkippedPart part, const std::string& text);
    // Whether the file held anything a save would drop.
    bool Any() const { return count_ > 0 || beyondLimit_; }
    bool BeyondLimit() const { return beyondLimit_; }
    int Count() const { return count_; }
    // "_Recorder1{…}", "Panel2{…}", "NeedleWidth=…", "「a note」".
    const QStringList& First() const { return first_; }

private:
    int count_ = 0;
    bool beyondLimit_ = false;
    QStringList first_;
};

// The lines of an indicator's block (as the file holds it, from "{" to "}") that the kind's own
// property lines, as it writes them after loading the block, do not hold: keys it does not
// know, and lines without a key. A list without items ("={}") holds nothing to lose.
std::vector<std::pair<TSkippedPart, std::string>> UnwrittenPropertyLines(
    std::string_view block, const QStringList& written);

// The box text of a load that left parts out: what, and that the file was kept as backupName.
QString LeftOutMessage(const QString& fileName, const QString& backupName,
                       const TSkippedParts& skipped);
// The box of a file from which nothing at all could be loaded, kept beside it as backupName.
QString ForeignFileMessage(const QString& fileName, const QString& backupName);
