#include "link/FirmwareBlocks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/Xmodem.h"

namespace {

constexpr std::uint32_t Image = 0x54000;

std::string CrcDigits(const std::string& text)
{
    return testing_support::XmodemCrcDigits(text);
}

BlockVerdict Verdict(std::string_view text, std::int32_t imageEnd = 0x1000)
{
    return ExamineBlockRequest(text, imageEnd, Image).verdict;
}

}  // namespace

TEST(BlockRequest, ReadsAddressAndSizeInEitherCase)
{
    const BlockRequest upper = ExamineBlockRequest("0000A00010", 0x1000, Image);
    EXPECT_EQ(upper.verdict, BlockVerdict::Send);
    EXPECT_EQ(upper.address, 0xA0u);
    EXPECT_EQ(upper.size, 0x10u);
    const BlockRequest lower = ExamineBlockRequest("000abc01ff;trailing", 0x1000, Image);
    EXPECT_EQ(lower.verdict, BlockVerdict::Send);
    EXPECT_EQ(lower.address, 0xABCu);
    EXPECT_EQ(lower.size, 0x1FFu);
}

TEST(BlockRequest, ChecksInOrderCharactersAddressSizeEnd)
{
    EXPECT_EQ(Verdict("00000G0010"), BlockVerdict::BadCharacter);
    EXPECT_EQ(Verdict("000000001"), BlockVerdict::BadCharacter);  // short text
    EXPECT_EQ(Verdict(""), BlockVerdict::BadCharacter);
    EXPECT_EQ(Verdict("0000"), BlockVerdict::BadCharacter);
    EXPECT_EQ(Verdict("053FFF0002"), BlockVerdict::BadAddress);
    EXPECT_EQ(Verdict("053FFF0001", 0x54000), BlockVerdict::Send);
    EXPECT_EQ(Verdict("FFFFFFFFFF"), BlockVerdict::BadAddress);  // address error comes first
    EXPECT_EQ(Verdict("0000000201"), BlockVerdict::BadSize);
    EXPECT_EQ(Verdict("0000000200"), BlockVerdict::Send);
    EXPECT_EQ(Verdict("0010000010"), BlockVerdict::End);
    EXPECT_EQ(Verdict("000FFF0010"), BlockVerdict::Send);
    EXPECT_EQ(Verdict("0000000010", 0), BlockVerdict::End);
}

TEST(BlockReply, CarriesAddressCountDataAndTheCrcOfTheText)
{
    std::vector<std::uint8_t> image(Image, 0xFF);
    image[0x123] = 0x00;
    image[0x124] = 0xAB;
    char frame[BlockReplyBufferSize];
    const int length = BuildBlockReply(frame, image, 0x122, 4);
    const std::string body = "000122"
                             "0004"
                             "FF00ABFF";
    EXPECT_EQ(std::string(frame, static_cast<std::size_t>(length)),
              "\x02" + body + CrcDigits(body) + "\x03");
    EXPECT_EQ(frame[length], '\0');
}

TEST(BlockReply, AnErasedBlockHasCountZeroAndNoData)
{
    std::vector<std::uint8_t> image(Image, 0xFF);
    char frame[BlockReplyBufferSize];
    const int length = BuildBlockReply(frame, image, 0x53E00, 512);
    const std::string body = "053E000000";
    EXPECT_EQ(std::string(frame, static_cast<std::size_t>(length)),
              "\x02" + body + CrcDigits(body) + "\x03");
}

TEST(BlockReply, TheLargestBlockFillsTheBufferExactly)
{
    std::vector<std::uint8_t> image(Image, 0x5A);
    char frame[BlockReplyBufferSize];
    EXPECT_EQ(BuildBlockReply(frame, image, Image - 512, 512), 1040);
    EXPECT_EQ(frame[1039], '\x03');
}
