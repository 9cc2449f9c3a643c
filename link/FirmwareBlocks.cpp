#include "link/FirmwareBlocks.h"

#include <algorithm>

#include "link/Codecs.h"
#include "link/FrameBytes.h"

BlockRequest ExamineBlockRequest(std::string_view text, std::int32_t imageEnd,
                                 std::uint32_t imageSize)
{
    BlockRequest request;
    if (!ParseHex(request.address, text.substr(0, 6), 3) ||
        !ParseHex(request.size, text.substr(std::min<std::size_t>(6, text.size()), 4), 2)) {
        request.verdict = BlockVerdict::BadCharacter;
    } else if (request.address + request.size > imageSize) {
        request.verdict = BlockVerdict::BadAddress;
    } else if (request.size > MaxBlockSize) {
        request.verdict = BlockVerdict::BadSize;
    } else if (static_cast<std::int64_t>(request.address) >= imageEnd) {
        request.verdict = BlockVerdict::End;
    } else {
        request.verdict = BlockVerdict::Send;
    }
    return request;
}

int BuildBlockReply(char* frame, std::span<const std::uint8_t> image, std::uint32_t address,
                    std::uint32_t count)
{
    const std::span<const std::uint8_t> bytes = image.subspan(address, count);
    const bool allErased =
        std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t byte) { return byte == 0xFF; });
    const std::uint32_t sent = allErased ? 0 : count;
    char* out = frame;
    *out++ = Stx;
    PutHex(out, address, 3);
    PutHex(out, sent, 2);
    AppendHexBytes(out, bytes.data(), static_cast<int>(sent));
    PutHex(out, Crc16(frame + 1, static_cast<std::size_t>(out - frame - 1)), 2);
    *out++ = Etx;
    *out = '\0';
    return static_cast<int>(out - frame);
}
