#include <gtest/gtest.h>

#include "app/AppDir.h"

TEST(AppDir, TheFolderEndsWithExactlyOneDelimiter)
{
    EXPECT_EQ(IncludeTrailingDelimiter("/opt/zolt"), "/opt/zolt/");
    EXPECT_EQ(IncludeTrailingDelimiter("/opt/zolt/"), "/opt/zolt/");
    EXPECT_EQ(IncludeTrailingDelimiter("/"), "/");
    EXPECT_EQ(IncludeTrailingDelimiter(""), "/");
    EXPECT_EQ(IncludeTrailingDelimiter("C:\\Tools\\", '\\'), "C:\\Tools\\");
    EXPECT_EQ(IncludeTrailingDelimiter("C:\\Tools", '\\'), "C:\\Tools\\");
}

TEST(AppDir, TheSecondByteOfADoubleByteCharacterIsNoDelimiter)
{
    // "表" in code page 932 is 0x95 0x5C: its second byte is the backslash's.
    EXPECT_EQ(IncludeTrailingDelimiter("C:\\\x95\x5C", '\\'), "C:\\\x95\x5C\\");
    EXPECT_EQ(IncludeTrailingDelimiter("C:\\\x95\x5C\\", '\\'), "C:\\\x95\x5C\\");
    // A lead byte at the very end stands alone.
    EXPECT_EQ(IncludeTrailingDelimiter("/opt/\x95"), "/opt/\x95/");
    // Half-width katakana are single bytes.
    EXPECT_EQ(IncludeTrailingDelimiter("/opt/\xB1/"), "/opt/\xB1/");
}
