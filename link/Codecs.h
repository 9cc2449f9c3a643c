#pragma once
// The protocol's payload codecs: raw bytes as upper-case hexadecimal pairs, time fields as packed
// BCD, the meter's big-endian settings words, channel-name lists, and the CRC-16 of the firmware
// block replies.
//
// Writers take a write position by reference, advance it past what they wrote and write no
// terminating NUL; the caller's buffer must have room (two characters per byte).
// Readers take their text as a string_view and never look past its end; a NUL byte inside the
// view ends the text as well, as it ends a received frame.
#include <cstddef>
#include <cstdint>
#include <QString>
#include <span>
#include <string>
#include <string_view>

// Copies the text's bytes (no NUL) and advances out past them.
void AppendText(char*& out, std::string_view text);
// Two upper-case hexadecimal digits.
void AppendHexByte(char*& out, std::uint8_t byte);
// Two upper-case digits per byte, 2 * count characters; nothing for count <= 0.
void AppendHexBytes(char*& out, const std::uint8_t* bytes, int count);
// The low 2 * count hexadecimal digits of value, most significant first (count 3: six digits).
void PutHex(char*& out, std::uint32_t value, int count);

// Up to count pairs of upper-case digits as one number, the first pair most significant. Stops
// silently at the first pair that is not two digits, keeping only the complete pairs before it;
// with count > 4 only the last four pairs remain.
std::uint32_t ParseHexBytes(std::string_view text, int count);
// Decodes count upper-case pairs into out[0..count-1]. False for count <= 0 and at the first pair
// that is not two digits; the bytes before that pair are already stored.
bool DecodeHexBlock(std::uint8_t* out, std::string_view text, int count);
// Decodes count pairs (either case) into the count low bytes of value, the first pair into the
// highest of them; bytes above them are untouched, so clear value first. False at the first pair
// that is not two digits, with the bytes before it stored. Pairs beyond the value's four bytes
// are checked but have no place to go. count <= 0 gives true.
bool ParseHex(std::uint32_t& value, std::string_view text, int count);

// Packed BCD of 0..99 (tens in the high nibble); larger values are out of range.
std::uint8_t ByteToBcd(std::uint8_t value);
std::uint16_t Swap16(std::uint16_t value);

// A settings word as it lies in memory (big-endian bytes read as a host 16-bit value): the
// decimal text of its signed value. The bytes 0x01 0x2C give "300", 0xFF 0xFE give "-2".
QString ContextWordToText(std::uint16_t storedWord);
// The text's integer value cut to 16 bits, ready to store big-endian: "300" gives the bytes
// 0x01 0x2C. A text that is no integer raises platform::EConvertError.
std::int16_t TextToContextWord(const QString& text);

// The value of count decimal digits (not validated); text is advanced past them. Missing
// characters at the end of the text count as "0".
unsigned ReadDecimalDigits(std::string_view& text, int count);
// The meter's date-time from the first decimal digit of the reply on: fourteen digits, two per
// field (seconds, minutes, hours, day of week, day, month, year - 1980), as
// "YYYY/MM/DD-hh:mm:ss". Characters missing at the end of the text count as "0".
std::string FormatDeviceDateTime(std::string_view text);

// The next channel name of a list: skips bytes below 0x40 and bytes of 0x80 and above, then takes
// the run of bytes 0x40..0x79 (so "z" and above end a name). Writes at most out.size() - 1 bytes
// of it and a NUL into out, advances text past the whole run and answers its full length (a
// length of out.size() or more means the name did not fit). At the end of the text answers 0 and
// leaves text and out unchanged.
int NextNameToken(std::string_view& text, std::span<char> out);

// CRC-16/XMODEM (polynomial 0x1021, initial 0, no reflection, no final XOR).
std::uint16_t Crc16(const void* data, std::size_t length);
