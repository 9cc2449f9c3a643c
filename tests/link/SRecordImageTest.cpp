#include "link/SRecordImage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "tests/support/SRecordFiles.h"

namespace {

using testing_support::ReadBytes;
using testing_support::SrecCat;

struct Filled {
    std::vector<std::uint8_t> image = std::vector<std::uint8_t>(FirmwareImageSize, 0);
    std::int32_t end = -1;
};

Filled Fill(const std::string& text)
{
    // Exactly the file's bytes, so that the sanitizer sees any read past them.
    const std::vector<char> bytes(text.begin(), text.end());
    Filled filled;
    filled.end = FillImageFromSRecords(bytes, filled.image);
    return filled;
}

Filled FillFile(const std::string& path)
{
    const std::vector<std::uint8_t> bytes = ReadBytes(path);
    return Fill(std::string(bytes.begin(), bytes.end()));
}

bool AllErased(const std::vector<std::uint8_t>& image)
{
    return std::all_of(image.begin(), image.end(), [](std::uint8_t b) { return b == 0xFF; });
}

// What srec_cat makes of the same file: the image with 0xFF in the gaps, and the end of its
// highest data (the length of its plain binary output).
struct SrecCatView {
    std::vector<std::uint8_t> image;
    std::int32_t end = 0;
};

SrecCatView AsSrecCatSeesIt(const QTemporaryDir& dir, const std::string& mot)
{
    const std::string filled = dir.filePath("filled.bin").toStdString();
    const std::string plain = dir.filePath("plain.bin").toStdString();
    SrecCat("'" + mot + "' -fill 0xFF 0 0x54000 -o '" + filled + "' -binary");
    SrecCat("'" + mot + "' -o '" + plain + "' -binary");
    return {ReadBytes(filled), static_cast<std::int32_t>(ReadBytes(plain).size())};
}

class SRecordImageFiles : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    std::string Path(const char* name) const { return dir.filePath(name).toStdString(); }
    QTemporaryDir dir;
};

}  // namespace

TEST_F(SRecordImageFiles, ObjcopyAndSrecCatFilesMatchSrecCat)
{
    std::vector<std::string> files;
    ASSERT_NO_FATAL_FAILURE(
        testing_support::MakeWholeFirmwareFiles(dir.path().toStdString(), files));
    const std::int32_t ends[] = {600, 0x30000 + 600, 0x40000 + 600};
    for (std::size_t i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(files[i]);
        const Filled filled = FillFile(files[i]);
        const SrecCatView expected = AsSrecCatSeesIt(dir, files[i]);
        EXPECT_EQ(filled.end, ends[i]);
        EXPECT_EQ(filled.end, expected.end);
        EXPECT_TRUE(filled.image == expected.image);
    }
}

TEST_F(SRecordImageFiles, S2AndS3FilesWithCrLfMatchSrecCat)
{
    testing_support::WritePattern(Path("a.bin"), 3000, 1);
    testing_support::WritePattern(Path("b.bin"), 1000, 2);
    const std::string s2 = Path("s2.mot");
    SrecCat("'" + Path("a.bin") + "' -binary -offset 0x10000 '" + Path("b.bin") +
            "' -binary -offset 0x20101 -o '" + s2 + "' -motorola -address-length=3 -crlf");
    const std::string s3 = Path("s3.mot");
    // The last byte of the image is the last byte of the data: that still fits.
    SrecCat("'" + Path("b.bin") + "' -binary -offset 0x53C18 -o '" + s3 +
            "' -motorola -address-length=4 -crlf -line-length=200");

    for (const std::string& mot : {s2, s3}) {
        SCOPED_TRACE(mot);
        const Filled filled = FillFile(mot);
        const SrecCatView expected = AsSrecCatSeesIt(dir, mot);
        EXPECT_GT(filled.end, 0);
        EXPECT_EQ(filled.end, expected.end);
        EXPECT_TRUE(filled.image == expected.image);
    }
    EXPECT_EQ(FillFile(s3).end, FirmwareImageSize);
}

TEST(SRecordImage, OtherLinesAreLeftAloneAndLowerCaseDigitsCount)
{
    const Filled filled = Fill("S00600004844521B\n"
                               "\n"
                               "S1050010abcd72\r\n"
                               "S5030001FB\n"
                               "S9030000FC");
    EXPECT_EQ(filled.end, 0x12);
    EXPECT_EQ(filled.image[0x10], 0xAB);
    EXPECT_EQ(filled.image[0x11], 0xCD);
    EXPECT_EQ(filled.image[0x0F], 0xFF);
    EXPECT_EQ(filled.image[0x12], 0xFF);
}

TEST(SRecordImage, ALaterRecordWritesOverAnEarlierOneAndTheHighestEndWins)
{
    const Filled filled = Fill("S1050100AAAAA5\nS104002011CA\nS1040100BB3F\n");
    EXPECT_EQ(filled.end, 0x102);
    EXPECT_EQ(filled.image[0x20], 0x11);
    EXPECT_EQ(filled.image[0x100], 0xBB);
    EXPECT_EQ(filled.image[0x101], 0xAA);
}

TEST(SRecordImage, AnyBrokenDataRecordLeavesTheImageEmpty)
{
    const char* const good = "S1050010ABCD72\n";
    const char* const broken[] = {
        "S1050010ABCD73\n",        // checksum
        "S1050010ABCG72\n",        // no hexadecimal digit
        "S1060010ABCD72\n",        // byte count larger than the line
        "S1040010ABCD72\n",        // byte count smaller than the line
        "S1050010ABCD7\n",         // odd number of digits
        "S102001\n",               // shorter than its address
        "S10200FD\n",              // a count with no room for the address
        "S1\n",                    // nothing after the type
        "S30800053FFFAABBCC83\n",  // data up to 0x54002, past the image
        "S2070FFFFFAABBCCBA\n",    // far past the image
    };
    for (const char* line : broken) {
        SCOPED_TRACE(line);
        const Filled filled = Fill(std::string(good) + line);
        EXPECT_EQ(filled.end, 0);
        EXPECT_TRUE(AllErased(filled.image));
    }
}

TEST(SRecordImage, FilesWithoutDataGiveAnEmptyImage)
{
    for (const std::string& text : {std::string(), std::string("S9030000FC\n"),
                                    std::string("\x7f"
                                                "ELF\x01\x01\x01\0\0\0",
                                                10)}) {
        const Filled filled = Fill(text);
        EXPECT_EQ(filled.end, 0);
        EXPECT_TRUE(AllErased(filled.image));
    }
}
