#pragma once
// Motorola S-record files as the meter takes them: each line one record, "S", the type digit, the
// byte count, then that many bytes (address, data, checksum) as hexadecimal pairs, or empty;
// blanks, tabs and CRs may follow it before the LF. A line goes out up to its first control byte,
// so the record goes whole. The meter writes what the lines say into its flash, so a file is
// checked whole before the first of its lines goes out.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

// What is wrong with a line, in the order the checks run.
enum class SRecordFault {
    None,
    LineEnd,     // a CR inside the record, which would cut it (a CR-only file, a stray CR)
    LineLength,  // more than the longest line with its line end, no LF at the end, no line at all
    NotARecord,  // no "S" and record type (S0 to S3, S5 to S9) at its start
    BadDigit,    // a character after the type that is no hexadecimal digit
    ByteCount,   // the byte count does not match the line, or leaves no room for the address
    Checksum,    // count, address, data and checksum do not add up to 0xFF
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
// end) and its record. Answers the first bad line; an empty file has a bad first line, since the
// meter would wait for it for ever. Where the data lie is the meter's business: it knows its
// memory.
SRecordFileCheck CheckSRecordFile(std::span<const char> file, int maxLineBytes);
