// The pieces of the firmware exchange that read bytes: the image the S-records fill (against
// what srec_cat makes of the same files) and the meter's block requests.
#include <gtest/gtest.h>

#include <algorithm>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "link/FirmwareBlocks.h"
#include "link/SRecordImage.h"
#include "tests/support/SRecordFiles.h"

using testing_support::ReadBytes;
using testing_support::SrecCat;

namespace {

// The image and its end, filled from exactly the text's bytes.
std::pair<std::vector<std::uint8_t>, std::int32_t> Filled(const std::string& text)
{
    const std::vector<char> bytes(text.begin(), text.end());
    std::vector<std::uint8_t> image(FirmwareImageSize, 0);
    const std::int32_t end = FillImageFromSRecords(bytes, image);
    return {image, end};
}

bool AllErased(const std::vector<std::uint8_t>& image)
{
    return std::all_of(image.begin(), image.end(), [](std::uint8_t b) { return b == 0xFF; });
}

}  // namespace

TEST(SRecordImage, FilesOfEveryRecordKindFillWhatSrecCatFills)
{
    QTemporaryDir dir;
    const auto path = [&](const char* name) { return dir.filePath(name).toStdString(); };
    std::vector<std::string> files;
    ASSERT_NO_FATAL_FAILURE(
        testing_support::MakeWholeFirmwareFiles(dir.path().toStdString(), files));
    testing_support::WritePattern(path("a.bin"), 3000, 1);
    testing_support::WritePattern(path("b.bin"), 1000, 2);
    // S2 records with a gap between two parts; S3 records whose last byte is the image's last.
    files.push_back(path("gap.mot"));
    SrecCat("'" + path("a.bin") + "' -binary -offset 0x10000 '" + path("b.bin") +
            "' -binary -offset 0x20101 -o '" + files.back() +
            "' -motorola -address-length=3 -crlf");
    files.push_back(path("end.mot"));
    SrecCat("'" + path("b.bin") + "' -binary -offset 0x53C18 -o '" + files.back() +
            "' -motorola -address-length=4 -crlf -line-length=200");

    const std::int32_t ends[] = {600, 0x30000 + 600, 0x40000 + 600, 0x20101 + 1000,
                                 FirmwareImageSize};
    for (std::size_t i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(files[i]);
        SrecCat("'" + files[i] + "' -fill 0xFF 0 0x54000 -o '" + path("filled.bin") + "' -binary");
        const std::vector<std::uint8_t> bytes = ReadBytes(files[i]);
        const auto [image, end] = Filled(std::string(bytes.begin(), bytes.end()));
        EXPECT_EQ(end, ends[i]);
        EXPECT_TRUE(image == ReadBytes(path("filled.bin")));
    }
}

TEST(SRecordImage, OtherLinesAreLeftAloneAndALaterRecordWritesOverAnEarlierOne)
{
    const auto [image, end] = Filled("S00600004844521B\n\nS1050100AAAAA5\r\nS5030001FB\n"
                                     "S1050010abcd72\nS1040100BB3F\nS9030000FC");
    EXPECT_EQ(end, 0x102);
    const std::uint8_t expected[] = {0xFF, 0xAB, 0xCD, 0xFF};
    EXPECT_TRUE(std::equal(expected, expected + 4, image.begin() + 0x0F));
    EXPECT_EQ(image[0x100], 0xBB);
    EXPECT_EQ(image[0x101], 0xAA);
}

TEST(SRecordImage, AnyBrokenDataRecordOrNoDataLeavesTheImageEmpty)
{
    const char* const broken[] = {
        "S1050010ABCD73\n",        // checksum
        "S1060010ABCD72\n",        // byte count larger than the line
        "S30800053FFFAABBCC83\n",  // data up to 0x54002, past the image
    };
    for (const char* line : broken) {
        SCOPED_TRACE(line);
        const auto [image, end] = Filled(std::string("S1050010ABCD72\n") + line);
        EXPECT_EQ(end, 0);
        EXPECT_TRUE(AllErased(image));
    }
    for (const std::string& text : {std::string(), std::string("S9030000FC\n"),
                                    std::string("\x7f"
                                                "ELF\x01\x01\x01\0\0\0",
                                                10)}) {
        const auto [image, end] = Filled(text);
        EXPECT_EQ(end, 0);
        EXPECT_TRUE(AllErased(image));
    }
}

TEST(BlockRequest, ReadsEitherCaseAndChecksCharactersAddressSizeEndInThatOrder)
{
    const struct {
        std::string_view text;
        std::int32_t imageEnd;
        BlockVerdict verdict;
    } cases[] = {
        {"00000G0010", 0x1000, BlockVerdict::BadCharacter},
        {"000000001", 0x1000, BlockVerdict::BadCharacter},
        {"", 0x1000, BlockVerdict::BadCharacter},
        {"053FFF0002", 0x1000, BlockVerdict::BadAddress},
        {"053FFF0001", 0x54000, BlockVerdict::Send},
        {"FFFFFFFFFF", 0x1000, BlockVerdict::BadAddress},
        {"0000000201", 0x1000, BlockVerdict::BadSize},
        {"0000000200", 0x1000, BlockVerdict::Send},
        {"0010000010", 0x1000, BlockVerdict::End},
        {"000FFF0010", 0x1000, BlockVerdict::Send},
        {"0000000010", 0, BlockVerdict::End},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExamineBlockRequest(c.text, c.imageEnd, FirmwareImageSize).verdict, c.verdict)
            << c.text;
    const BlockRequest lower = ExamineBlockRequest("000abc01ff;x", 0x1000, FirmwareImageSize);
    EXPECT_EQ(lower.verdict, BlockVerdict::Send);
    EXPECT_EQ(lower.address, 0xABCu);
    EXPECT_EQ(lower.size, 0x1FFu);
}
