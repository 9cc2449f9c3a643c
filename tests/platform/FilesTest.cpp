// Reading and writing regular files only, and replacing a file so that it is never half written.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <tuple>

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
    // Each kind with the reason it is refused for; none: a file to read and write.
    const std::pair<Node, const char*> cases[] = {{Node::Regular, ""},
                                                  {Node::Folder, "フォルダ"},
                                                  {Node::Fifo, "FIFO"},
                                                  {Node::Device, "デバイス"},
                                                  {Node::Socket, "ソケット"}};
    for (const auto& [kind, why] : cases) {
        for (const bool throughLink : {false, true}) {
            SCOPED_TRACE(testing::Message() << int(kind) << throughLink);
            const QTemporaryDir here;
            const QString name = here.filePath(QStringLiteral("work"));
            const QString node = throughLink ? here.filePath(QStringLiteral("target")) : name;
            ASSERT_TRUE(MakeNode(node, kind));
            ASSERT_TRUE(!throughLink || QFile::link(QStringLiteral("target"), name));
            const auto before = testing_support::NodeIdentity(node);
            // A FIFO opened for reading would wait here for a writer for good.
            const TFileBytes read = ReadRegularFile(name, 1024);
            const TWriteTarget where = RegularWriteTarget(name);
            const bool regular = kind == Node::Regular;
            EXPECT_EQ(read.Outcome, regular ? ReadOutcome::Read : ReadOutcome::Refused);
            EXPECT_EQ(read.Bytes, regular ? "content" : "");
            EXPECT_EQ(where.Path, !regular ? QString() : QFileInfo(node).canonicalFilePath());
            const QString reason = QString::fromUtf8(why);
            EXPECT_TRUE(read.Reason.contains(reason)) << read.Reason.toStdString();
            EXPECT_TRUE(where.Reason.contains(reason)) << where.Reason.toStdString();
            EXPECT_EQ(testing_support::NodeIdentity(node), before);
        }
    }
    // A new name is written as itself; a link to nothing, or one in a loop, is refused.
    EXPECT_EQ(RegularWriteTarget(name).Path, name);
    ASSERT_TRUE(QFile::link(QStringLiteral("target"), name));
    EXPECT_EQ(RegularWriteTarget(name).Reason, QStringLiteral("リンク先のファイルがありません"));
    ASSERT_TRUE(QFile::link(QStringLiteral("ZOLT.ZLC"), folder.filePath(QStringLiteral("target"))));
    EXPECT_EQ(RegularWriteTarget(name).Reason,
              QStringLiteral("シンボリックリンクの階層が多すぎます"));
}

TEST_F(Files, AMissingFileIsUnopenedAndOneBeyondTheSizeLimitRefused)
{
    EXPECT_EQ(ReadRegularFile(name, 16).Outcome, ReadOutcome::Unopened);
    WriteAll(name, {});
    EXPECT_EQ(ReadRegularFile(name, 16).Outcome, ReadOutcome::Read);
    WriteAll(name, QByteArray(16, 'x'));
    EXPECT_EQ(ReadRegularFile(name, 16).Bytes, std::string(16, 'x'));
    WriteAll(name, QByteArray(17, 'x'));
    EXPECT_EQ(ReadRegularFile(name, 16).Outcome, ReadOutcome::Refused);
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

    const QString missing = folder.filePath(QStringLiteral("no such folder/ZOLT.ZLC"));
    TSafeFileWriter writer(missing);
    EXPECT_FALSE(writer.Open() || writer.Write("x") || writer.Commit());
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_TRUE(writer.FailureMessage().startsWith(
        QStringLiteral("ファイル %1 を作成できません\n\r").arg(missing)));
}

// As root any owner can be given; another user gives his own, and the modes are checked alone.
// A copy made anew takes its original's.
TEST_F(Files, AReplacedFileKeepsItsModeAndOwnerAndANewOneGetsTheUsualMode)
{
    const auto status = [](const QString& file) {
        struct stat found {};
        ::stat(QFile::encodeName(file).constData(), &found);
        return std::tuple<mode_t, uid_t, gid_t>{found.st_mode & 07777, found.st_uid, found.st_gid};
    };
    const QString copy = name + QStringLiteral(".bak");
    // The read-only case last: a user could not write the next case over it.
    const std::tuple<mode_t, uid_t, gid_t> cases[] = {
        {0640, 0, 5678}, {04750, 4321, 0}, {0444, 1234, 5678}};
    for (const auto& [mode, owner, group] : cases) {
        WriteAll(name, "old");
        QFile::remove(copy);
        const auto [user, users] =
            ::geteuid() == 0 ? std::pair(owner, group) : std::pair(::geteuid(), ::getegid());
        ASSERT_EQ(::chown(name.toUtf8(), user, users) | ::chmod(name.toUtf8(), mode), 0);
        ReplaceFileContent(name, "new");
        ReplaceFileContent(copy, "old", name);
        EXPECT_EQ(status(name), std::tuple(mode, user, users)) << mode;
        EXPECT_EQ(status(copy), status(name));
    }
    const mode_t mask = ::umask(027);
    ReplaceFileContent(folder.filePath(QStringLiteral("new")), "new");
    ::umask(mask);
    EXPECT_EQ(std::get<0>(status(folder.filePath(QStringLiteral("new")))), 0640u);
}
