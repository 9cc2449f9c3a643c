#pragma once
// Motorola S-record files as the meter takes them: each line one record, "S", the type digit, the
// byte count, then that many bytes (address, data, checksum) as hexadecimal pairs, ended by LF or
// CR LF. The meter writes what the lines say into its flash, so a file is checked whole before
// the first of its lines goes out.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

// What is wrong with a line, in the order the checks run.
enum class SRecordFault {
    None,
    LineEnd,     // a CR that is not part of a CR LF line end (a CR-only file, a stray CR)
    LineLength,  // more than the longest line with its line end, or no LF at the end of the file
    NotARecord,  // no "S" and record type (S0 to S3, S5 to S9) at its start; an empty line
    BadDigit,    // a character after the type that is no hexadecimal digit
    ByteCount,   // the byte count does not match the line, or leaves no room for the address
    Checksum,    // count, address, data and checksum do not add up to 0xFF
    PastImage,   // data (S1, S2, S3) reaching past the end of the image
};

struct SRecord {
    char type = '0';
    std::uint32_t address = 0;
    std::string_view dataDigits;  // two characters per byte

    std::size_t DataLength() const { return dataDigits.size() / 2; }
    std::uint8_t DataByte(std::size_t index) const;
};

// True for the data records S1, S2 and S3.
bool IsDataRecordLine(std::string_view line);

// Reads one record from a line without its line end (digits in either case). None with record
// filled, or the first of NotARecord, BadDigit, ByteCount and Checksum that applies.
SRecordFault ParseSRecord(std::string_view line, SRecord& record);

struct SRecordFileCheck {
    SRecordFault fault = SRecordFault::None;
    std::int32_t lineNumber = 0;  // from 1; 0 when the file is whole
};

// Checks every line of the file: its line end, its length (at most maxLineBytes with the line
// end), its record, and that no data lies at or beyond imageSize. Answers the first bad line.
SRecordFileCheck CheckSRecordFile(std::span<const char> file, std::uint32_t imageSize,
                                  int maxLineBytes);
