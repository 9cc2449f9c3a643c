// Any file content: checking the file, filling the image and cutting lines stay inside the file's
// bytes and the image, the end of the image data lies inside the image, and a file that passes
// the check is cut into lines to its very end (the exchange never meets a bad line in it).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "link/FirmwareBlocks.h"
#include "link/FirmwareLines.h"
#include "link/SRecordFile.h"
#include "link/SRecordImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<char> file(data, data + size);
    const SRecordFileCheck check = CheckSRecordFile(file, 256);
    const bool whole = check.fault == SRecordFault::None;
    if (whole != (check.lineNumber == 0))
        std::abort();
    static std::vector<std::uint8_t> image(FirmwareImageSize);
    const std::int32_t end = FillImageFromSRecords(file, image);
    if (end < 0 || end > FirmwareImageSize)
        std::abort();

    char line[256];
    const char* ptr = file.data();
    const char* const fileEnd = file.data() + file.size();
    int length = 0;
    while ((length = ReadFileLine(line, ptr, fileEnd, 256)) > 0) {
        if (line[length - 1] != '\n' || ptr > fileEnd)
            std::abort();
        // Each line may also stand for a block request.
        const BlockRequest request = ExamineBlockRequest(
            std::string_view(line, static_cast<std::size_t>(length)), end, FirmwareImageSize);
        if (request.verdict == BlockVerdict::Send) {
            char frame[BlockReplyBufferSize];
            BuildBlockReply(frame, image, request.address, request.size);
        }
    }
    if (whole && ptr != fileEnd)
        std::abort();
    return 0;
}
