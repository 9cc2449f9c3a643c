// Feeds arbitrary bytes to the work file's reading loop (with indicator blocks cut out as the
// main window cuts them) and to the block cutter alone. The sanitizer catches any read past the
// text; the checks catch a cutter that hands back something other than a block's beginning, or
// a position that leaves the text.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

#include "app/ExtractBlock.h"
#include "app/WorkFileReader.h"

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

class CuttingTarget : public TWorkFileTarget {
public:
    CuttingTarget(const char* begin, const char* end) : begin_(begin), end_(end) {}

    void OpenControl(const std::string&) override {}
    void CloseControl() override {}
    void ControlValue(const std::string&, std::int32_t) override {}
    bool CreateIndicator(const std::string& prefix, const char*& pos) override
    {
        static const std::set<std::string> kinds{"_AnalogMeter", "_BarGraph", "_XYGraph",
                                                 "_NumericList"};
        if (!kinds.contains(prefix))
            return false;
        Check(*pos == '{');
        CheckedCut(pos);
        return true;
    }

    void CheckedCut(const char*& pos)
    {
        const char* const before = pos;
        std::string block;
        const bool whole = ExtractBlock(block, pos);
        Check(pos >= before && pos <= end_ && pos >= begin_);
        if (!block.empty())
            Check(block.front() == '{');
        if (whole)
            Check(block.back() == '}' && pos > before);
    }

private:
    const char* begin_;
    const char* end_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const char* const begin = text.c_str();
    const char* const end = begin + size;  // the terminating 0x00 byte
    CuttingTarget target(begin, end);

    const std::int8_t code = ReadWorkText(begin, target);
    Check(code >= 0 && code <= 2);

    // The cutter from every "{" of the first kilobyte, as the loader and the copy item call it.
    for (const char* p = begin; p < end && p < begin + 1024; ++p) {
        if (*p == '{') {
            const char* pos = p;
            target.CheckedCut(pos);
        }
    }
    return 0;
}
