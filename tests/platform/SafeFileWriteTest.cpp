#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/SafeFileWrite.h"
#include "tests/support/FileBytes.h"

using testing_support::ReadAll;
using testing_support::WriteAll;

namespace {

class SafeFileWrite : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QString name = folder.filePath(QStringLiteral("ZOLT.ZLC"));
};

}  // namespace

TEST_F(SafeFileWrite, CreatesAndReplacesWithExactlyTheBytesGiven)
{
    ASSERT_TRUE(platform::WriteFileReplacing(name, std::string_view("first\0x", 7)));
    EXPECT_EQ(ReadAll(name), QByteArray("first\0x", 7));
    ASSERT_TRUE(platform::WriteFileReplacing(name, "2nd"));
    EXPECT_EQ(ReadAll(name), QByteArray("2nd"));
    // Nothing but the file itself is left in the folder.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("ZOLT.ZLC")});
}

TEST_F(SafeFileWrite, AWriteThatIsNotCommittedLeavesTheOldFileAsItWas)
{
    WriteAll(name, "old content");
    {
        platform::TSafeFileWriter writer(name);
        ASSERT_TRUE(writer.Open());
        ASSERT_TRUE(writer.Write("new"));
    }
    EXPECT_EQ(ReadAll(name), QByteArray("old content"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("ZOLT.ZLC")});
}

TEST_F(SafeFileWrite, AProcessDyingBetweenWritingAndRenamingLeavesTheOldFileWhole)
{
    WriteAll(name, QByteArray(328, 'A'));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The child writes the new content and dies before the rename: no destructor, no
        // clean-up, as in a crash or a power cut.
        platform::TSafeFileWriter writer(name);
        const bool written = writer.Open() && writer.Write(std::string(328, 'B'));
        _exit(written ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadAll(name), QByteArray(328, 'A'));
}

TEST_F(SafeFileWrite, AFolderThatCannotTakeTheFileFailsWithoutTouchingAnything)
{
    const QString missing = folder.filePath(QStringLiteral("no such folder/ZOLT.ZLC"));
    EXPECT_FALSE(platform::WriteFileReplacing(missing, "x"));
    EXPECT_FALSE(QFile::exists(missing));

    platform::TSafeFileWriter writer(missing);
    EXPECT_FALSE(writer.Open());
    EXPECT_FALSE(writer.Write("x"));
    EXPECT_FALSE(writer.Commit());
}
