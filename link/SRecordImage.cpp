#include "link/SRecordImage.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

#include "link/Codecs.h"

namespace {

struct DataRecord {
    std::uint32_t address = 0;
    std::string_view dataDigits;  // two characters per byte
};

// A record's bytes in either case; false when a pair is no hexadecimal number.
bool HexByteAt(std::string_view digits, std::size_t index, std::uint8_t& byte)
{
    std::uint32_t value = 0;
    if (!ParseHex(value, digits.substr(2 * index, 2), 1))
        return false;
    byte = static_cast<std::uint8_t>(value);
    return true;
}

// Bytes of address for each data record type; 0 for every other line.
int AddressLength(std::string_view line)
{
    if (line.size() < 2 || line[0] != 'S')
        return 0;
    switch (line[1]) {
    case '1': return 2;
    case '2': return 3;
    case '3': return 4;
    default: return 0;
    }
}

// The record of a data line, or nothing when it is malformed.
std::optional<DataRecord> ParseDataRecord(std::string_view line, int addressLength)
{
    // After "Sn": the byte count, then that many bytes (address, data, checksum).
    const std::string_view digits = line.substr(2);
    if (digits.size() < 2 || digits.size() % 2 != 0)
        return std::nullopt;
    const std::size_t byteTotal = digits.size() / 2;
    unsigned sum = 0;
    for (std::size_t i = 0; i < byteTotal; ++i) {
        std::uint8_t byte = 0;
        if (!HexByteAt(digits, i, byte))
            return std::nullopt;
        sum += byte;
    }
    std::uint8_t count = 0;
    HexByteAt(digits, 0, count);
    if (count != byteTotal - 1 || count < addressLength + 1)
        return std::nullopt;
    // Count, address, data and checksum add up to 0xFF in their low byte.
    if ((sum & 0xFF) != 0xFF)
        return std::nullopt;
    std::uint32_t address = 0;
    for (int i = 0; i < addressLength; ++i) {
        std::uint8_t byte = 0;
        HexByteAt(digits, 1 + static_cast<std::size_t>(i), byte);
        address = (address << 8) | byte;
    }
    const std::size_t dataStart = 2 * (1 + static_cast<std::size_t>(addressLength));
    const std::size_t dataLength = count - static_cast<std::size_t>(addressLength) - 1;
    return DataRecord{address, digits.substr(dataStart, 2 * dataLength)};
}

// The line without its line end and trailing blanks.
std::string_view Trimmed(std::string_view line)
{
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
        line.remove_suffix(1);
    return line;
}

}  // namespace

std::int32_t FillImageFromSRecords(std::span<const char> file, std::span<std::uint8_t> image)
{
    std::fill(image.begin(), image.end(), std::uint8_t{0xFF});
    std::vector<DataRecord> records;
    std::uint64_t end = 0;
    std::string_view rest(file.data(), file.size());
    while (!rest.empty()) {
        const std::size_t lineFeed = rest.find('\n');
        const std::string_view line = Trimmed(rest.substr(0, lineFeed));
        rest.remove_prefix(lineFeed == std::string_view::npos ? rest.size() : lineFeed + 1);
        const int addressLength = AddressLength(line);
        if (addressLength == 0)
            continue;
        const std::optional<DataRecord> record = ParseDataRecord(line, addressLength);
        if (!record)
            return 0;
        const std::uint64_t recordEnd =
            std::uint64_t{record->address} + record->dataDigits.size() / 2;
        if (recordEnd > image.size())
            return 0;
        if (!record->dataDigits.empty())
            end = std::max(end, recordEnd);
        records.push_back(*record);
    }
    // Only a file whose every data record holds reaches the image.
    for (const DataRecord& record : records) {
        for (std::size_t i = 0; i < record.dataDigits.size() / 2; ++i)
            HexByteAt(record.dataDigits, i, image[record.address + i]);
    }
    return static_cast<std::int32_t>(end);
}
