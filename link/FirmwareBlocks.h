#pragma once
// The meter's block requests during firmware programming and the panel's block replies.
//
// A request is 6 hexadecimal digits of address and 4 of size (either case; what follows is
// ignored). A reply frame is STX, the address (6 digits), the count (4 digits: the size, or 0
// when every requested byte is 0xFF), the bytes (2 digits each), the CRC-16/XMODEM of those
// characters (4 digits), ETX; all digits upper case.
#include <cstdint>
#include <span>
#include <string_view>

constexpr std::uint32_t MaxBlockSize = 512;
// STX, address, count, 512 bytes, CRC, ETX, and a NUL behind it for the log.
constexpr int BlockReplyBufferSize = 1 + 6 + 4 + 2 * 512 + 4 + 1 + 1;

enum class BlockVerdict {
    BadCharacter,  // a character that is no hexadecimal digit among the first ten
    BadAddress,    // address + size beyond the image
    BadSize,       // more than MaxBlockSize bytes
    End,           // at or past the end of the image data: the meter is told "@END"
    Send,          // answered with a block reply
};

struct BlockRequest {
    BlockVerdict verdict = BlockVerdict::BadCharacter;
    std::uint32_t address = 0;
    std::uint32_t size = 0;
};

// Reads a block request's text and decides how it is answered; the first check that fails wins,
// in the order of BlockVerdict.
BlockRequest ExamineBlockRequest(std::string_view text, std::int32_t imageEnd,
                                 std::uint32_t imageSize);

// Writes the reply to a request of count bytes at address (which lie inside image) into frame
// (at least BlockReplyBufferSize bytes), with a NUL behind the ETX; answers the frame's length
// without the NUL.
int BuildBlockReply(char* frame, std::span<const std::uint8_t> image, std::uint32_t address,
                    std::uint32_t count);
