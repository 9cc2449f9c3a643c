#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/RegularFile.h"
#include "tests/support/FileBytes.h"
#include "tests/support/FileNodes.h"

using platform::ReadOutcome;
using testing_support::MakeNode;
using testing_support::Node;
using testing_support::NodeIdentity;
using testing_support::WriteAll;

namespace {

struct NodeCase {
    const char* label;
    Node kind;
    bool throughLink;  // the name is a symbolic link to the node
    bool readable;     // read as a file / written as a file
    const char* reason;
};

const NodeCase NodeCases[] = {
    {"regular file", Node::Regular, false, true, ""},
    {"link to a regular file", Node::Regular, true, true, ""},
    {"folder", Node::Folder, false, false, "フォルダ"},
    {"link to a folder", Node::Folder, true, false, "フォルダ"},
    {"FIFO", Node::Fifo, false, false, "FIFO"},
    {"link to a FIFO", Node::Fifo, true, false, "FIFO"},
    {"device", Node::Device, false, false, "デバイス"},
    {"link to a device", Node::Device, true, false, "デバイス"},
    {"socket", Node::Socket, false, false, "ソケット"},
    {"link to a socket", Node::Socket, true, false, "ソケット"},
};

class RegularFile : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QString name = folder.filePath(QStringLiteral("work.txt"));
    QString target = folder.filePath(QStringLiteral("target"));

    // Makes the case's node under the name (or under target, linked from the name); false when
    // the node cannot be made here.
    bool Make(const NodeCase& c)
    {
        const QString node = c.throughLink ? target : name;
        if (!MakeNode(node, c.kind))
            return false;
        return !c.throughLink || QFile::link(QStringLiteral("target"), name);
    }
};

}  // namespace

TEST_F(RegularFile, ReadsOnlyRegularFilesAndNeverOpensTheOthers)
{
    for (const NodeCase& c : NodeCases) {
        SCOPED_TRACE(c.label);
        QFile::remove(name);
        QFile::remove(target);
        ::rmdir(QFile::encodeName(name).constData());
        ::rmdir(QFile::encodeName(target).constData());
        if (!Make(c)) {
            ADD_FAILURE() << "cannot make a " << c.label << " here";
            continue;
        }
        // A FIFO opened for reading would wait here for a writer for good.
        const platform::TFileBytes read = platform::ReadRegularFile(name, 1024);
        if (c.readable) {
            EXPECT_EQ(read.Outcome, ReadOutcome::Read);
            EXPECT_EQ(read.Bytes, "content");
            EXPECT_TRUE(read.Reason.isEmpty());
        } else {
            EXPECT_EQ(read.Outcome, ReadOutcome::Refused);
            EXPECT_TRUE(read.Bytes.empty());
            EXPECT_TRUE(read.Reason.contains(QString::fromUtf8(c.reason)))
                << read.Reason.toStdString();
        }
    }
}

TEST_F(RegularFile, AMissingFileIsUnopenedAndAFileBeyondTheLimitRefused)
{
    EXPECT_EQ(platform::ReadRegularFile(name, 16).Outcome, ReadOutcome::Unopened);

    WriteAll(name, QByteArray(16, 'x'));
    const platform::TFileBytes atLimit = platform::ReadRegularFile(name, 16);
    EXPECT_EQ(atLimit.Outcome, ReadOutcome::Read);
    EXPECT_EQ(atLimit.Bytes, std::string(16, 'x'));

    WriteAll(name, QByteArray(17, 'x'));
    const platform::TFileBytes beyond = platform::ReadRegularFile(name, 16);
    EXPECT_EQ(beyond.Outcome, ReadOutcome::Refused);
    EXPECT_TRUE(beyond.Bytes.empty());
    EXPECT_EQ(beyond.Reason, QStringLiteral("ファイルが大きすぎます（17 バイト、上限 16 バイト）"));

    WriteAll(name, QByteArray());
    EXPECT_EQ(platform::ReadRegularFile(name, 16).Outcome, ReadOutcome::Read);
}

TEST_F(RegularFile, WritesGoToRegularFilesOrNewNamesAndLinksAreFollowedToTheirTarget)
{
    for (const NodeCase& c : NodeCases) {
        SCOPED_TRACE(c.label);
        QFile::remove(name);
        QFile::remove(target);
        ::rmdir(QFile::encodeName(name).constData());
        ::rmdir(QFile::encodeName(target).constData());
        if (!Make(c)) {
            ADD_FAILURE() << "cannot make a " << c.label << " here";
            continue;
        }
        const auto before = NodeIdentity(c.throughLink ? target : name);
        const platform::TWriteTarget where = platform::RegularWriteTarget(name);
        if (c.readable) {
            const QString expected = c.throughLink ? QFileInfo(target).canonicalFilePath() : name;
            EXPECT_EQ(where.Path, expected);
            EXPECT_TRUE(where.Reason.isEmpty());
        } else {
            EXPECT_TRUE(where.Path.isEmpty());
            EXPECT_TRUE(where.Reason.contains(QString::fromUtf8(c.reason)))
                << where.Reason.toStdString();
        }
        EXPECT_EQ(NodeIdentity(c.throughLink ? target : name), before);
    }

    // Nothing there yet: the name itself. A link to nothing is refused: where it leads is not
    // known to be a place for a file.
    QFile::remove(name);
    QFile::remove(target);
    EXPECT_EQ(platform::RegularWriteTarget(name).Path, name);
    ASSERT_TRUE(QFile::link(QStringLiteral("target"), name));
    EXPECT_TRUE(platform::RegularWriteTarget(name).Path.isEmpty());
    EXPECT_EQ(platform::RegularWriteTarget(name).Reason,
              QStringLiteral("リンク先のファイルがありません"));
}
