#pragma once
// The firmware image that the meter's block requests read, filled from the data records (S1, S2,
// S3) of the Motorola S-record file being programmed.
#include <cstdint>
#include <span>

constexpr std::int32_t FirmwareImageSize = 0x54000;

// Sets every byte of image to 0xFF, then writes the data of each S1, S2 and S3 record of file
// (lines ended by LF, after any blanks, tabs and CRs) at its address, a later record over an
// earlier one. Data at or beyond the image's end are not in the image: only the meter knows
// what lies there. Answers the end (exclusive) of the highest data in the image.
//
// The image is all or nothing: when any data record is malformed (a character that is no
// hexadecimal digit, a byte count that does not match the line, a checksum that does not hold),
// the image stays all 0xFF and the answer is 0, so that the meter is never sent a partial or
// corrupted image. Other lines (headers, counts, start addresses, empty lines) are left alone.
std::int32_t FillImageFromSRecords(std::span<const char> file, std::span<std::uint8_t> image);
