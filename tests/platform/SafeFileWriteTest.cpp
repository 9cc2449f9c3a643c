#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/Exceptions.h"
#include "platform/SafeFileWrite.h"
#include "tests/support/FileBytes.h"
#include "tests/support/SmallFileSystem.h"

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
    platform::ReplaceFileContent(name, std::string_view("first\0x", 7));
    EXPECT_EQ(ReadAll(name), QByteArray("first\0x", 7));
    platform::ReplaceFileContent(name, "2nd");
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
    platform::TSafeFileWriter writer(missing);
    EXPECT_FALSE(writer.Open());
    EXPECT_FALSE(writer.Write("x"));
    EXPECT_FALSE(writer.Commit());
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_TRUE(writer.FailureMessage().startsWith(
        QStringLiteral("ファイル %1 を作成できません\n\r").arg(missing)));
}

// Each file the tool saves is a small one: on a full disk the first write or the sync fails.
TEST(SafeFileWriteOnAFullDisk, KeepsTheOldFileByteForByteLeavesNoTemporaryFileAndSaysWhy)
{
    QTemporaryDir folder;
    testing_support::SmallFileSystem disk(folder.path());
    if (!disk.Mounted())
        GTEST_SKIP() << "full-disk case not run: " << disk.Why().toStdString();
    const QString name = disk.FilePath(QStringLiteral("ZOLT.ZLC"));
    WriteAll(name, QByteArray(328, 'A'));
    disk.FillUp();
    for (const std::size_t size : {std::size_t(1), std::size_t(328), std::size_t(800'000)}) {
        try {
            platform::ReplaceFileContent(name, std::string(size, 'B'));
            ADD_FAILURE() << size << " bytes saved on a full disk";
        } catch (const platform::EPlatformError& error) {
            EXPECT_EQ(
                error.Message(),
                QStringLiteral("ファイル %1 を作成できません\n\rディスクの空き容量が足りません")
                    .arg(name));
        }
        EXPECT_EQ(ReadAll(name), QByteArray(328, 'A'));
        EXPECT_EQ(QDir(disk.FilePath(QString())).entryList(QDir::Files),
                  QStringList{QStringLiteral("ZOLT.ZLC")});
    }
}
