// Feeds arbitrary bytes to the work file's reading loop, every indicator block cut out as the
// main window cuts it (whatever follows an indicator's "{" reaches the block cutter: guided by the
// cores' coverage, the fuzzer finds such headers itself). The sanitizer catches any read past the
// text; the checks catch a cutter that hands back something other than a block's beginning, or a
// position that leaves the text.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

#include "app/ExtractBlock.h"
#include "app/WorkFileReader.h"

namespace {

class CuttingTarget : public TWorkFileTarget {
public:
    CuttingTarget(const char* begin, const char* end) : begin_(begin), end_(end) {}

    bool OpenControl(const std::string&) override { return true; }
    void CloseControl() override {}
    bool ControlValue(const std::string&, std::int32_t) override { return true; }
    bool CreateIndicator(const std::string& prefix, const char*& pos) override
    {
        static const std::set<std::string> kinds{"_AnalogMeter", "_BarGraph", "_XYGraph",
                                                 "_NumericList"};
        if (!kinds.contains(prefix))
            return false;  // passed over by the loop itself
        const char* const before = pos;
        std::string block;
        const bool whole = ExtractBlock(block, pos);
        if (*before != '{' || pos < before || pos > end_ || pos < begin_ ||
            (!block.empty() && block[0] != '{') ||
            (whole && (block.back() != '}' || pos == before)))
            std::abort();
        return true;
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
    CuttingTarget target(begin, begin + size);  // up to the terminating 0x00 byte
    if (const std::int8_t code = ReadWorkText(begin, target, begin + size); code < 0 || code > 2)
        std::abort();
    return 0;
}
