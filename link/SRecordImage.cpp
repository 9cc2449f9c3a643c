#include "link/SRecordImage.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "link/SRecordFile.h"

namespace {

// The line without its line end and trailing blanks.
std::string_view Trimmed(std::string_view line)
{
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
        line.remove_suffix(1);
    return line;
}

// How many of the record's data bytes lie in the image.
std::size_t BytesInImage(const SRecord& record, std::size_t imageSize)
{
    return record.address < imageSize ? std::min(record.DataLength(), imageSize - record.address)
                                      : 0;
}

}  // namespace

std::int32_t FillImageFromSRecords(std::span<const char> file, std::span<std::uint8_t> image)
{
    std::fill(image.begin(), image.end(), std::uint8_t{0xFF});
    std::vector<SRecord> records;
    std::uint64_t end = 0;
    std::string_view rest(file.data(), file.size());
    while (!rest.empty()) {
        const std::size_t lineFeed = rest.find('\n');
        const std::string_view line = Trimmed(rest.substr(0, lineFeed));
        rest.remove_prefix(lineFeed == std::string_view::npos ? rest.size() : lineFeed + 1);
        if (!IsDataRecordLine(line))
            continue;
        SRecord record;
        if (ParseSRecord(line, record) != SRecordFault::None)
            return 0;
        if (const std::size_t inImage = BytesInImage(record, image.size()); inImage > 0)
            end = std::max<std::uint64_t>(end, record.address + inImage);
        records.push_back(record);
    }
    // Only a file whose every data record holds reaches the image.
    for (const SRecord& record : records) {
        for (std::size_t i = 0; i < BytesInImage(record, image.size()); ++i)
            image[record.address + i] = record.DataByte(i);
    }
    return static_cast<std::int32_t>(end);
}
