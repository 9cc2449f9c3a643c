#include "link/SRecordFile.h"

#include <algorithm>

#include "link/Codecs.h"

namespace {

// Bytes of address of each record type; 0 for no record type (S4 is reserved).
int AddressLength(char type)
{
    switch (type) {
    case '0':
    case '1':
    case '5':
    case '9': return 2;
    case '2':
    case '6':
    case '8': return 3;
    case '3':
    case '7': return 4;
    default: return 0;
    }
}

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

std::uint8_t HexByteAt(std::string_view digits, std::size_t index)
{
    std::uint32_t value = 0;
    ParseHex(value, digits.substr(2 * index, 2), 1);
    return static_cast<std::uint8_t>(value);
}

}  // namespace

std::uint8_t SRecord::DataByte(std::size_t index) const
{
    return HexByteAt(dataDigits, index);
}

bool IsDataRecordLine(std::string_view line)
{
    return line.size() >= 2 && line[0] == 'S' && line[1] >= '1' && line[1] <= '3';
}

SRecordFault ParseSRecord(std::string_view line, SRecord& record)
{
    if (line.size() < 2 || line[0] != 'S' || AddressLength(line[1]) == 0)
        return SRecordFault::NotARecord;
    const int addressLength = AddressLength(line[1]);
    const std::string_view digits = line.substr(2);
    if (!std::all_of(digits.begin(), digits.end(), IsHexDigit))
        return SRecordFault::BadDigit;
    if (digits.size() < 2 || digits.size() % 2 != 0)
        return SRecordFault::ByteCount;
    const std::size_t byteTotal = digits.size() / 2;
    const std::uint8_t count = HexByteAt(digits, 0);
    if (count != byteTotal - 1 || count < addressLength + 1)
        return SRecordFault::ByteCount;
    unsigned sum = 0;
    for (std::size_t i = 0; i < byteTotal; ++i)
        sum += HexByteAt(digits, i);
    if ((sum & 0xFF) != 0xFF)
        return SRecordFault::Checksum;
    record.type = line[1];
    record.address = 0;
    for (int i = 0; i < addressLength; ++i)
        record.address = (record.address << 8) | HexByteAt(digits, 1 + static_cast<std::size_t>(i));
    const std::size_t dataStart = 2 * (1 + static_cast<std::size_t>(addressLength));
    const std::size_t dataLength = count - static_cast<std::size_t>(addressLength) - 1;
    record.dataDigits = digits.substr(dataStart, 2 * dataLength);
    return SRecordFault::None;
}

namespace {

SRecordFault CheckLine(std::string_view rest, std::size_t lineFeed, int maxLineBytes)
{
    const std::string_view line = rest.substr(0, lineFeed);
    const std::string_view record = line.substr(0, line.find_last_not_of(" \t\r") + 1);
    // Framing cuts a line at its first control byte, so a CR inside the record would cut off what
    // follows it; CR-only line ends leave no LF to cut the file at all.
    if (record.find('\r') != std::string_view::npos)
        return SRecordFault::LineEnd;
    if (lineFeed == std::string_view::npos || lineFeed + 1 > static_cast<std::size_t>(maxLineBytes))
        return SRecordFault::LineLength;
    SRecord parsed;
    return record.empty() ? SRecordFault::None : ParseSRecord(record, parsed);
}

}  // namespace

SRecordFileCheck CheckSRecordFile(std::span<const char> file, int maxLineBytes)
{
    if (file.empty())
        return {SRecordFault::LineLength, 1};
    std::string_view rest(file.data(), file.size());
    for (std::int32_t lineNumber = 1; !rest.empty(); ++lineNumber) {
        const std::size_t lineFeed = rest.find('\n');
        if (const SRecordFault fault = CheckLine(rest, lineFeed, maxLineBytes);
            fault != SRecordFault::None)
            return {fault, lineNumber};
        rest.remove_prefix(lineFeed + 1);
    }
    return {};
}
