// The files the tool reads and writes (work.txt, its copy work.txt.bak, ZOLT.ZLC and the user's
// context files) on a full disk, under names that stand for a FIFO or a device, and far larger
// than any real one: nothing is lost or replaced, and a box names the file and says why.
#include <deque>
#include <optional>
#include <QDir>
#include <QToolButton>

#include "app/ProjectOption.h"
#include "platform/FileDialog.h"
#include "platform/RegularFile.h"
#include "tests/app/DashboardFixture.h"
#include "tests/support/FileBytes.h"
#include "tests/support/FileNodes.h"
#include "tests/support/SmallFileSystem.h"

using platform::CannotReadMessage;
using platform::CannotSaveMessage;
using testing_support::Node;
using testing_support::ReadAll;
using testing_support::WriteAll;

namespace {

class FilesKeptWhole : public testing_support::Dashboard {
protected:
    void SetUp() override
    {
        Dashboard::SetUp();
        previousDialogs_ = platform::SetFileDialogPresenter(
            [this](const platform::FileDialogRequest&) -> std::optional<QString> {
                if (chosenFiles.empty())
                    return std::nullopt;
                const QString name = chosenFiles.front();
                chosenFiles.pop_front();
                return name;
            });
    }
    void TearDown() override
    {
        Dashboard::TearDown();
        platform::SetFileDialogPresenter(previousDialogs_);
    }

    QString InFolder(const char* name) const { return folder.filePath(QLatin1String(name)); }

    // Creates the forms and shows the main window, keeping what start-up reported.
    void StartKeepingBoxes()
    {
        boxes.Clear();
        Create();
        MainForm->show();
        MainForm->TimerMonitor->stop();
    }

    // The user opens and then saves the context file of that name from the settings window.
    void OpenAndSaveContextFile(const QString& name)
    {
        chosenFiles = {name, name};
        FProjectOption->ToolButtonOpen->click();
        FProjectOption->ToolButtonSave->click();
    }

    std::deque<QString> chosenFiles;

private:
    platform::FileDialogPresenter previousDialogs_;
};

const QByteArray OldConfig(328, '\x5A');
const QByteArray OldContext(72, '\x3C');

std::string OldWorkFile()
{
    return "PanelWright Work File Ver.1.0\r\nMainForm{\r\n  Left=0\r\n  Top=0\r\n  Width=600\r\n"
           "  Height=400\r\n  MainPanel{\r\n    _BarGraph1{\r\n      Left=9\r\n    }\r\n  "
           "}\r\n}\r\n";
}

const QString DiskFull = QStringLiteral("ディスクの空き容量が足りません");

TEST_F(FilesKeptWhole, OnAFullDiskEachSavedFileKeepsItsOldBytesAndTheBoxNamesIt)
{
    testing_support::SmallFileSystem disk(folder.path());
    if (!disk.Mounted())
        GTEST_SKIP() << "full-disk case not run: " << disk.Why().toStdString();
    WriteWorkFile(OldWorkFile());
    WriteAll(InFolder("ZOLT.ZLC"), OldConfig);
    WriteAll(InFolder("mine.ZLC"), OldContext);
    StartKeepingBoxes();
    ASSERT_TRUE(Messages().empty());
    disk.FillUp();

    chosenFiles = {InFolder("mine.ZLC")};
    FProjectOption->ToolButtonSave->click();
    MainForm->close();
    EXPECT_EQ(Messages(),
              (std::vector<QString>{CannotSaveMessage(InFolder("mine.ZLC"), DiskFull),
                                    CannotSaveMessage(WorkPath(), DiskFull),
                                    CannotSaveMessage(InFolder("ZOLT.ZLC"), DiskFull)}));
    EXPECT_EQ(ReadFile(WorkPath()), OldWorkFile());
    EXPECT_EQ(ReadAll(InFolder("ZOLT.ZLC")), OldConfig);
    EXPECT_EQ(ReadAll(InFolder("mine.ZLC")), OldContext);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files),
              (QStringList{QStringLiteral("mine.ZLC"), QStringLiteral("work.txt"),
                           QStringLiteral("ZOLT.ZLC")}));
}

TEST_F(FilesKeptWhole, OnAFullDiskTheCopyOfAnUnreadWorkFileKeepsItsOldBytesAndTheFileStays)
{
    testing_support::SmallFileSystem disk(folder.path());
    if (!disk.Mounted())
        GTEST_SKIP() << "full-disk case not run: " << disk.Why().toStdString();
    WriteWorkFile("not a work file");
    const QString bak = WorkPath() + QStringLiteral(".bak");
    WriteAll(bak, "an older copy");
    disk.FillUp();

    boxes.Clear();
    Create();
    EXPECT_EQ(Messages(), std::vector<QString>{CannotSaveMessage(bak, DiskFull)});
    MainForm->close();  // the file that could not be kept is not written over
    EXPECT_EQ(Messages().size(), 1u);
    EXPECT_EQ(ReadFile(WorkPath()), "not a work file");
    EXPECT_EQ(ReadAll(bak), QByteArray("an older copy"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files),
              (QStringList{QStringLiteral("work.txt"), QStringLiteral("work.txt.bak")}));
}

TEST_F(FilesKeptWhole, ANameForAFifoOrADeviceIsRefusedForEveryFileAndTheNodeStaysAsItWas)
{
    for (const Node kind : {Node::Fifo, Node::Device}) {
        const bool fifo = kind == Node::Fifo;
        SCOPED_TRACE(fifo ? "FIFO" : "device");
        // The node lies elsewhere, as another user's file or a system device would.
        QTemporaryDir elsewhere;
        const QString node = elsewhere.filePath(QStringLiteral("node"));
        ASSERT_TRUE(testing_support::MakeNode(node, kind)) << "cannot make the node here";
        const auto identity = testing_support::NodeIdentity(node);
        const QString why = fifo ? QStringLiteral("通常のファイルではありません（FIFO）")
                                 : QStringLiteral("通常のファイルではありません（デバイス）");
        const auto linkAt = [&](const QString& name) {
            QFile::remove(name);
            ASSERT_TRUE(QFile::link(node, name));
        };

        // Read at start: reported, and left alone at close.
        linkAt(WorkPath());
        linkAt(InFolder("ZOLT.ZLC"));
        StartKeepingBoxes();
        MainForm->close();
        EXPECT_EQ(Messages(), (std::vector<QString>{CannotReadMessage(WorkPath(), why),
                                                    CannotReadMessage(InFolder("ZOLT.ZLC"), why)}));

        // Such names since the start: written at close, refused.
        QFile::remove(WorkPath());
        QFile::remove(InFolder("ZOLT.ZLC"));
        StartKeepingBoxes();
        linkAt(WorkPath());
        linkAt(InFolder("ZOLT.ZLC"));
        MainForm->close();
        EXPECT_EQ(Messages(), (std::vector<QString>{CannotSaveMessage(WorkPath(), why),
                                                    CannotSaveMessage(InFolder("ZOLT.ZLC"), why)}));

        // The copy of a work file that is none of ours, and the user's context file.
        QFile::remove(WorkPath());
        QFile::remove(InFolder("ZOLT.ZLC"));
        WriteWorkFile("not a work file");
        linkAt(WorkPath() + QStringLiteral(".bak"));
        linkAt(InFolder("mine.ZLC"));
        StartKeepingBoxes();
        OpenAndSaveContextFile(InFolder("mine.ZLC"));
        MainForm->close();
        EXPECT_EQ(Messages(),
                  (std::vector<QString>{CannotSaveMessage(WorkPath() + QStringLiteral(".bak"), why),
                                        CannotReadMessage(InFolder("mine.ZLC"), why),
                                        CannotSaveMessage(InFolder("mine.ZLC"), why)}));
        EXPECT_EQ(ReadFile(WorkPath()), "not a work file");

        EXPECT_EQ(testing_support::NodeIdentity(node), identity);
        EXPECT_TRUE(QFileInfo(InFolder("mine.ZLC")).isSymLink());
        EXPECT_TRUE(QFileInfo(WorkPath() + QStringLiteral(".bak")).isSymLink());
        for (const QString& name : QDir(folder.path()).entryList(QDir::Files | QDir::System))
            QFile::remove(folder.filePath(name));
    }
}

TEST_F(FilesKeptWhole, FilesFarLargerThanAnyRealOneAreRefusedUnreadAndLeftAlone)
{
    const auto makeSparse = [](const QString& name, qint64 size) {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(size));
    };
    makeSparse(WorkPath(), 16 * 1024 * 1024 + 1);
    makeSparse(InFolder("ZOLT.ZLC"), 1024 * 1024 + 1);
    makeSparse(InFolder("mine.ZLC"), 1024 * 1024 + 1);
    StartKeepingBoxes();
    chosenFiles = {InFolder("mine.ZLC")};
    FProjectOption->ToolButtonOpen->click();
    MainForm->close();
    const auto tooLarge = [](qint64 size, qint64 limit) {
        return QStringLiteral("ファイルが大きすぎます（%1 バイト、上限 %2 バイト）")
            .arg(size)
            .arg(limit);
    };
    EXPECT_EQ(Messages(),
              (std::vector<QString>{
                  CannotReadMessage(WorkPath(), tooLarge(16777217, 16777216)),
                  CannotReadMessage(InFolder("ZOLT.ZLC"), tooLarge(1048577, 1048576)),
                  CannotReadMessage(InFolder("mine.ZLC"), tooLarge(1048577, 1048576))}));
    EXPECT_EQ(QFileInfo(WorkPath()).size(), 16 * 1024 * 1024 + 1);
    EXPECT_EQ(QFileInfo(InFolder("ZOLT.ZLC")).size(), 1024 * 1024 + 1);
    EXPECT_FALSE(QFile::exists(WorkPath() + QStringLiteral(".bak")));
}

}  // namespace
