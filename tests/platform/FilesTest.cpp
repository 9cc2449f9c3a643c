// Reading and writing regular files only, and replacing a file so that it is never half written.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/RegularFile.h"
#include "platform/SafeFileWrite.h"
#include "tests/support/FileNodes.h"

using namespace platform;
using testing_support::Node;
using testing_support::ReadAll;
using testing_support::WriteAll;

namespace {

class Files : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QString name = folder.filePath(QStringLiteral("ZOLT.ZLC"));
};

}  // namespace

TEST_F(Files, OnlyRegularFilesAreReadOrWrittenAndLinksLeadToTheirTarget)
{
    struct Case {
        Node kind;
        const char* reason;  // empty: a file to read and write
    };
    const Case cases[] = {{Node::Regular, ""},
                          {Node::Folder, "フォルダ"},
                          {Node::Fifo, "FIFO"},
                          {Node::Device, "デバイス"},
                          {Node::Socket, "ソケット"}};
    for (const Case& c : cases) {
        for (const bool throughLink : {false, true}) {
            SCOPED_TRACE(testing::Message() << (*c.reason ? c.reason : "file") << throughLink);
            const QTemporaryDir here;
            const QString name = here.filePath(QStringLiteral("work"));
            const QString node = throughLink ? here.filePath(QStringLiteral("target")) : name;
            ASSERT_TRUE(MakeNode(node, c.kind));
            ASSERT_TRUE(!throughLink || QFile::link(QStringLiteral("target"), name));
            const auto before = testing_support::NodeIdentity(node);
            // A FIFO opened for reading would wait here for a writer for good.
            const TFileBytes read = ReadRegularFile(name, 1024);
            const TWriteTarget where = RegularWriteTarget(name);
            const bool regular = !*c.reason;
            EXPECT_EQ(read.Outcome, regular ? ReadOutcome::Read : ReadOutcome::Refused);
            EXPECT_EQ(read.Bytes, regular ? "content" : "");
            EXPECT_EQ(where.Path, !regular ? QString() : QFileInfo(node).canonicalFilePath());
            const QString reason = QString::fromUtf8(c.reason);
            EXPECT_TRUE(read.Reason.contains(reason)) << read.Reason.toStdString();
            EXPECT_TRUE(where.Reason.contains(reason)) << where.Reason.toStdString();
            EXPECT_EQ(testing_support::NodeIdentity(node), before);
        }
    }
    // A new name is written as itself; a link to nothing is refused.
    EXPECT_EQ(RegularWriteTarget(name).Path, name);
    ASSERT_TRUE(QFile::link(QStringLiteral("target"), name));
    EXPECT_EQ(RegularWriteTarget(name).Reason, QStringLiteral("リンク先のファイルがありません"));
}

TEST_F(Files, AMissingFileIsUnopenedAndOneBeyondTheSizeLimitRefused)
{
    EXPECT_EQ(ReadRegularFile(name, 16).Outcome, ReadOutcome::Unopened);
    WriteAll(name, {});
    EXPECT_EQ(ReadRegularFile(name, 16).Outcome, ReadOutcome::Read);
    WriteAll(name, QByteArray(16, 'x'));
    EXPECT_EQ(ReadRegularFile(name, 16).Bytes, std::string(16, 'x'));
    WriteAll(name, QByteArray(17, 'x'));
    const TFileBytes beyond = ReadRegularFile(name, 16);
    EXPECT_EQ(beyond.Outcome, ReadOutcome::Refused);
    EXPECT_TRUE(beyond.Bytes.empty());
    EXPECT_EQ(beyond.Reason, QStringLiteral("ファイルが大きすぎます（17 バイト、上限 16 バイト）"));
}

TEST_F(Files, ReplacingWritesExactlyTheBytesOrLeavesTheOldFileWhole)
{
    ReplaceFileContent(name, std::string_view("first\0x", 7));
    EXPECT_EQ(ReadAll(name), QByteArray("first\0x", 7));
    {
        TSafeFileWriter uncommitted(name);
        ASSERT_TRUE(uncommitted.Open() && uncommitted.Write("new"));
    }
    EXPECT_EQ(ReadAll(name), QByteArray("first\0x", 7));
    ReplaceFileContent(name, "2nd");
    EXPECT_EQ(ReadAll(name), QByteArray("2nd"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("ZOLT.ZLC")});
    // A process dying between writing and renaming: no destructor, as in a crash or power cut.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        TSafeFileWriter writer(name);
        _exit(writer.Open() && writer.Write("dying") ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(ReadAll(name), QByteArray("2nd"));

    const QString missing = folder.filePath(QStringLiteral("no such folder/ZOLT.ZLC"));
    TSafeFileWriter writer(missing);
    EXPECT_FALSE(writer.Open() || writer.Write("x") || writer.Commit());
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_TRUE(writer.FailureMessage().startsWith(
        QStringLiteral("ファイル %1 を作成できません\n\r").arg(missing)));
}
