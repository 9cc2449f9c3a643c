// Feeds arbitrary bytes to every routine that reads text from outside: the property-line parsers
// (work file, copied indicators), the number readers, and the payload readers of the meter's
// replies (a double-byte lead byte as an input's very last byte among them: a seed holds one). The
// sanitizer catches any read past the text; the checks below catch a parser that stops
// consuming (which would make its caller loop for ever) or one that writes outside its output.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "indicators/Etcpas.h"
#include "link/Codecs.h"
#include "platform/Exceptions.h"
#include "platform/MessageBox.h"

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// A property block read the way every indicator kind reads one: key after key, then a number,
// a text or a list item. Each round must consume something.
void ReadPropertyBlock(std::string text)
{
    std::string key;
    int round = 0;
    for (;;) {
        const std::string before = text;
        bool more = false;
        try {
            more = GetKeyFromLine(key, text);
        } catch (const platform::EPlatformError&) {
            Check(text == before);
            return;
        }
        Check(std::string_view(before).ends_with(text));
        if (!more)
            return;
        Check(text.size() < before.size() && !key.empty());
        const std::string afterKey = text;
        switch (round++ % 5) {
        case 0: GetIntFromLine(text); break;
        case 1: {
            std::int32_t value = 0;
            GetIntFromLine(text, value);
            break;
        }
        case 2: GetStrFromLine(text); break;
        case 3: GetListStrFromLine(text); break;
        default: CompNextChar(text, ','); break;
        }
        Check(std::string_view(afterKey).ends_with(text));
    }
}

// The payload readers see the bytes in a buffer of exactly their size.
void ReadPayload(const std::vector<char>& bytes)
{
    const std::string_view text(bytes.data(), bytes.size());
    for (int n : {-1, 0, 1, 2, 4, 5, 72})
        ParseHexBytes(text, n);
    std::array<std::uint8_t, 72 + 1> block{};
    block.back() = 0x5A;
    DecodeHexBlock(block.data(), text, 72);
    Check(block.back() == 0x5A);
    std::uint32_t value = 0;
    ParseHex(value, text, 3);
    ParseHex(value, text, 6);
    FormatDeviceDateTime(text);
    std::string_view rest = text;
    ReadDecimalDigits(rest, 20);

    rest = text;
    std::array<char, 16 + 1> name{};
    name.back() = 0x5A;
    for (;;) {
        const std::size_t before = rest.size();
        if (NextNameToken(rest, std::span<char>(name.data(), 16)) <= 0)
            break;
        Check(rest.size() < before);
        Check(name.back() == 0x5A);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    platform::SetBoxPresenter([](const platform::BoxRequest&) { return platform::BoxResult::Ok; });
    platform::SetBeepSink([] {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    ReadPropertyBlock(text);
    std::int32_t value = 0;
    StrToIntFP(value, text, 2);  // a typed number
    StrCompTopPart(text, "@GET_PORT=");
    ReadPayload(std::vector<char>(text.begin(), text.end()));
    return 0;
}
