#include "app/WorkFileReader.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "app/ExtractBlock.h"
#include "app/KestrelErr.h"
#include "app/WorkTokens.h"

namespace {

using Byte = unsigned char;

bool IsBlank(char c)
{
    return Byte(c) <= 0x20;
}

// A block of a kind without a class ("_Recorder"), or one beyond the limit, is passed over
// whole, with the same rules as any indicator block, so that its closing brace is not taken for
// the end of its container's.
void PassOverBlock(const char*& pos)
{
    std::string ignored;
    if (!ExtractBlock(ignored, pos))
        pos += std::strlen(pos);  // the text ended inside it
}

class TReading {
public:
    TReading(const char* text, const char* end, TWorkFileTarget& target)
        : text_(text), end_(end), target_(target)
    {
        // The header line counts as named: it is compared with nothing.
        const char* lineEnd = std::strchr(text, '\n');
        namedUpTo_ = lineEnd ? lineEnd + 1 : text + std::strlen(text);
    }

    std::int8_t Run()
    {
        try {
            for (;;) {
                PassedOver();
                NextTokenActed();
            }
        } catch (const TKestrelErr& error) {
            if (error.Code == KestrelEnd)
                TextEnded();
            return error.Code;
        }
    }

private:
    // Bytes the tokenizer's scan passes over without a word: blanks and line ends in the tool's
    // own files, but anything outside "A" to "z" in a hand-edited one ("# note", "2024-05-01").
    void PassedOver()
    {
        for (const char* at = pos_;; ++at) {
            const Byte c = Byte(*at);
            if (c == 0 || c == '}' || c >= 0x80 || (c >= 'A' && c <= 'z'))
                return;
            if (!IsBlank(*at))
                SkippedText(at);
        }
    }

    void NextTokenActed()
    {
        const TWorkToken token = NextToken(pos_, name_, intValue_, textValue_);
        switch (token) {
        case TWorkToken::wtBlockOpen:
            ++depth_;
            if (!target_.OpenControl(name_) && unknownFrom_ == 0) {
                Skip(TSkippedPart::spControl, std::string(TrimmedOfBlanks(name_)), pos_ - 1);
                unknownFrom_ = depth_;
            }
            break;
        case TWorkToken::wtIndicatorOpen: IndicatorBlock(); break;
        case TWorkToken::wtBlockClose:
            target_.CloseControl();
            if (depth_ == unknownFrom_)
                unknownFrom_ = 0;
            if (--depth_ == 0)
                throw TKestrelErr{KestrelEnd};
            break;
        case TWorkToken::wtValue:
            // A quoted value ends on its closing quote, an integer on its last digit; only
            // integers are geometry.
            if (pos_[-1] == '"' || !target_.ControlValue(name_, intValue_))
                Skip(TSkippedPart::spKey, std::string(TrimmedOfBlanks(name_)), pos_ - 1);
            break;
        case TWorkToken::wtValueBlock:
            Skip(TSkippedPart::spKey, std::string(TrimmedOfBlanks(name_)), pos_);
            break;
        case TWorkToken::wtLineEnd: {
            // The line's bytes from the first the scan stopped at (the lead byte of a double-byte
            // character included).
            const char* start = pos_ - 1 - name_.size();
            if (start > text_ && Byte(start[-1]) >= 0x80)
                --start;
            SkippedText(start);
            break;
        }
        }
    }

    void IndicatorBlock()
    {
        const std::string header = name_ + std::to_string(std::uint32_t(intValue_));
        if (made_ >= WorkFileIndicatorLimit) {
            if (!beyondLimit_)
                target_.Skipped(TSkippedPart::spIndicatorLimit, header);
            beyondLimit_ = true;
            PassOverBlock(pos_);
        } else if (target_.CreateIndicator(name_, pos_)) {
            ++made_;
        } else {
            Skip(TSkippedPart::spBlock, header, pos_);
            PassOverBlock(pos_);
        }
        target_.CloseControl();
    }

    // The load ended (the outermost block closed, the text ended, or a 0x00 byte inside it):
    // nothing after is read, neither a line cut short nor what follows the block or that byte.
    void TextEnded()
    {
        const char* stop = pos_ + std::strlen(pos_);
        if (const char* at = std::find_if_not(pos_, stop, IsBlank); at != stop)
            SkippedText(at);
        if (end_ && stop < end_) {
            if (const char* at = std::find_if_not(stop, end_, IsBlank); at != end_)
                SkippedText(at);
        }
    }

    // The end of the line that holds at: its line feed, or the end of the text.
    const char* LineEnd(const char* at) const
    {
        while (at != end_ && *at != '\n' && (*at != 0 || end_))
            ++at;
        return at;
    }

    // The line from at on.
    void SkippedText(const char* at)
    {
        if (at < namedUpTo_)
            return;
        const std::string_view line(at, std::size_t(LineEnd(at) - at));
        Skip(TSkippedPart::spText, std::string(TrimmedOfBlanks(line)), at);
    }

    // Reports a part that stands in the line of inLine: once a line, never the header line, nor
    // anything within the block of a control already reported. Each line is looked at once.
    void Skip(TSkippedPart part, const std::string& text, const char* inLine)
    {
        if (inLine < namedUpTo_)
            return;
        namedUpTo_ = LineEnd(inLine);
        if (unknownFrom_ == 0)
            target_.Skipped(part, text);
    }

    const char* const text_;
    const char* const end_;
    TWorkFileTarget& target_;
    const char* pos_ = text_;
    const char* namedUpTo_ = nullptr;  // the end of the last line named, the header's at first
    int depth_ = 0;
    int unknownFrom_ = 0;  // the depth of the outermost block of a control the window lacks
    int made_ = 0;
    bool beyondLimit_ = false;
    std::string name_;
    std::string textValue_;
    std::int32_t intValue_ = 0;
};

}  // namespace

std::string_view TrimmedOfBlanks(std::string_view bytes)
{
    const auto first = std::find_if_not(bytes.begin(), bytes.end(), IsBlank);
    const auto last = std::find_if_not(bytes.rbegin(), bytes.rend(), IsBlank).base();
    return first < last ? bytes.substr(first - bytes.begin(), last - first) : std::string_view();
}

std::int8_t ReadWorkText(const char* text, TWorkFileTarget& target, const char* end)
{
    return TReading(text, end, target).Run();
}
