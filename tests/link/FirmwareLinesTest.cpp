#include "link/FirmwareLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The file's bytes in a buffer of exactly their size, so that the sanitizer sees any read past
// them.
struct FileBytes {
    explicit FileBytes(const std::string& text) : bytes(text.begin(), text.end()) {}
    const char* Begin() const { return bytes.data(); }
    const char* End() const { return bytes.data() + bytes.size(); }
    std::vector<char> bytes;
};

}  // namespace

TEST(ReadFileLine, CutsLinesUpToAndWithTheirLineFeed)
{
    const FileBytes file("S00600004844521B\r\nS9030000FC\n");
    const char* ptr = file.Begin();
    char line[256];
    ASSERT_EQ(ReadFileLine(line, ptr, file.End(), 256), 18);
    EXPECT_EQ(std::string(line, 18), "S00600004844521B\r\n");
    ASSERT_EQ(ReadFileLine(line, ptr, file.End(), 256), 11);
    EXPECT_EQ(std::string(line, 11), "S9030000FC\n");
    EXPECT_EQ(ptr, file.End());
    EXPECT_EQ(ReadFileLine(line, ptr, file.End(), 256), -1);
    EXPECT_EQ(ptr, file.End());
}

TEST(ReadFileLine, ALineOfMaxBytesWithItsLineEndFitsAndOneMoreIsBad)
{
    const std::string longest = std::string(254, 'A') + "\r\n";
    const FileBytes file(longest + "B" + longest);
    const char* ptr = file.Begin();
    char line[256];
    EXPECT_EQ(ReadFileLine(line, ptr, file.End(), 256), 256);
    const char* const before = ptr;
    EXPECT_EQ(ReadFileLine(line, ptr, file.End(), 256), -1);
    EXPECT_EQ(ptr, before);
}

TEST(ReadFileLine, ALastLineWithoutLineFeedIsBadAndNothingIsReadPastTheFile)
{
    const FileBytes file("S1\nS9030000FC");
    const char* ptr = file.Begin();
    char line[256];
    EXPECT_EQ(ReadFileLine(line, ptr, file.End(), 256), 3);
    const char* const before = ptr;
    EXPECT_EQ(ReadFileLine(line, ptr, file.End(), 256), -1);
    EXPECT_EQ(ptr, before);

    const FileBytes empty("");
    const char* start = empty.Begin();
    EXPECT_EQ(ReadFileLine(line, start, empty.End(), 256), -1);
}

TEST(ReadFileLine, NoRoomGivesMinusOne)
{
    const FileBytes file("\n");
    const char* ptr = file.Begin();
    char line[4];
    EXPECT_EQ(ReadFileLine(line, ptr, file.End(), 0), -1);
    EXPECT_EQ(ReadFileLine(line, ptr, file.End(), -5), -1);
    EXPECT_EQ(ReadFileLine(line, ptr, file.End(), 1), 1);
}

TEST(StartsWith, ComparesEveryByteOfTheKeyword)
{
    EXPECT_TRUE(StartsWith("@READY", "@READY"));
    EXPECT_TRUE(StartsWith("@READY\x03", "@READY"));
    EXPECT_TRUE(StartsWith("@ERR_CODE=5", "@ERR"));
    EXPECT_FALSE(StartsWith("@REA", "@READY"));
    EXPECT_FALSE(StartsWith("@ready", "@READY"));
    EXPECT_TRUE(StartsWith("anything", ""));
}
