// The dashboard of the real main window: the work file it saves and loads, damaged and foreign
// files, files it must refuse or cannot save, and the indicator menu.
#include <fcntl.h>
#include <optional>
#include <QDir>
#include <QTimer>
#include <QToolButton>

#include "app/BarGraphSetup.h"
#include "app/BesidePlacement.h"
#include "app/IndicatorKinds.h"
#include "app/ProjectOption.h"
#include "app/WorkFile.h"
#include "app/WorkFileReader.h"
#include "indicators/AnalogMeter.h"
#include "indicators/BarGraph.h"
#include "indicators/NumericList.h"
#include "indicators/XYGraph.h"
#include "platform/FileDialog.h"
#include "platform/RegularFile.h"
#include "platform/SafeFileWrite.h"
#include "tests/app/DashboardFixture.h"
#include "tests/support/FileNodes.h"
#include "tests/support/SmallFileSystem.h"

using platform::CannotReadMessage;
using platform::CannotSaveMessage;
using testing_support::Node;
using testing_support::ReadAll;
using testing_support::WriteAll;

namespace {

class WorkFile : public testing_support::Dashboard {
protected:
    void SetUp() override
    {
        Dashboard::SetUp();
        previous_ = platform::SetFileDialogPresenter(
            [this](const platform::FileDialogRequest&) { return std::optional(Path("mine.ZLC")); });
    }
    void TearDown() override
    {
        Dashboard::TearDown();
        platform::SetFileDialogPresenter(previous_);
    }
    QString Path(const char* name) const { return Dashboard::Path(QLatin1String(name)); }
    bool AllDrawn() const
    {
        const std::vector<TIndicator*> all = Indicators();
        return std::none_of(all.begin(), all.end(), [](TIndicator* i) { return i->Invalidated(); });
    }
    // The indicator blocks of a saved file (the window's place follows the desktop).
    std::string IndicatorLines() const
    {
        const std::string file = ReadFile(WorkPath());
        return file.substr(std::min(file.find("    _"), file.size()));
    }
    TIndicator* Make(const char* prefix, int left, int top)
    {
        MouseDownPos = {left, top};
        return CreateIndicator(prefix, nullptr);
    }

private:
    platform::FileDialogPresenter previous_;
};

std::string FileWithPanel(const std::string& panelBody)
{
    return "PanelWright Work File Ver.1.0\r\nMainForm{\r\n  Left=0\r\n  Top=0\r\n  Width=600\r\n"
           "  Height=400\r\n  MainPanel{\r\n    Left=0\r\n    Top=30\r\n" +
           panelBody + "  }\r\n}\r\n";
}

std::string Block(const std::string& header, QRect at = {9, 9, 64, 160},
                  const std::string& extra = "")
{
    return "    " + header + "{\r\n      Left=" + std::to_string(at.x()) +
           "\r\n      Top=" + std::to_string(at.y()) +
           "\r\n      Width=" + std::to_string(at.width()) +
           "\r\n      Height=" + std::to_string(at.height()) + "\r\n" + extra + "    }\r\n";
}

// Texts the block cutter must pass over, in code page 932. (A copy's block is cut as a loaded one
// is; the copies of each kind are seen below.)
TEST_F(WorkFile, FourKindsWithQuotesAndBracesInTheirTextsComeBackAfterARestart)
{
    Start();
    auto* dial = static_cast<TAnalogMeter*>(Make("_AnalogMeter", 16, 16));
    dial->SetTitle(QStringLiteral("油温 }x{"));
    dial->SetLowerLimit("{1\"");
    static_cast<TBarGraph*>(Make("_BarGraph", 200, 16))->SetTitle(QStringLiteral("a\"b{c"));
    static_cast<TXYGraph*>(Make("_XYGraph", 300, 16))->SetTitle(QStringLiteral("\""));
    static_cast<TNumericList*>(Make("_NumericList", 16, 200))->SetTitle(QStringLiteral("\"計}"));
    new QWidget(MainForm->MainPanel);  // a control without a name gets no block
    ASSERT_TRUE(QTest::qWaitFor([this] { return AllDrawn(); }, Bound));  // grown as drawn
    MainForm->close();                                                   // saves

    const std::string first = ReadFile(WorkPath());
    EXPECT_EQ(first.rfind("PanelWright Work File Ver.1.0\r\nMainForm{\r\n  Left=", 0), 0u);
    EXPECT_NE(first.find("\"\x96\xfb\x89\xb7 }x{\""), std::string::npos);  // code page 932
    EXPECT_EQ(first.find("Bar{"), std::string::npos);    // no tool bar or status bar blocks
    EXPECT_EQ(first.find(" {\r\n"), std::string::npos);  // nor nameless ones

    Start();
    SaveWorkFile(WorkPath());
    EXPECT_EQ(IndicatorLines(), first.substr(first.find("    _")));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(WorkFile, AFileWrittenBeforeQuotesWereReadToTheLineEndLoadsAsBefore)
{
    WriteWorkFile(FileWithPanel(
        Block("_BarGraph1", {9, 9, 64, 160},
              "      Title=\"{" + platform::ToCp932(QStringLiteral("水温")) + "}\"\r\n") +
        Block("_NumericList1", {200, 9, 96, 96},
              "      Title=\"Oil } {\"\r\n      NumericName={\"TACHO\",\"SPEED\"}\r\n")));
    Start();
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(MainForm->size(), QSize(600, 400));
    ASSERT_EQ(Names(), (std::vector<QString>{QStringLiteral("_BarGraph1"),
                                             QStringLiteral("_NumericList1")}));
    EXPECT_EQ(static_cast<TBarGraph*>(Indicators()[0])->Title(), QStringLiteral("{水温}"));
    const auto* list = static_cast<TNumericList*>(Indicators()[1]);
    EXPECT_EQ(list->Title(), QStringLiteral("Oil } {"));
    ASSERT_EQ(list->NumRectCount, 2);
    EXPECT_EQ(list->NumRectArray[1].PortInfo.Designator, std::string("SPEED"));
}

// Each kind under properties that need less room than its defaults, saved at a size it fits
// in and at 8 by 8, below its minimum (the bounds come before the other properties).
TEST_F(WorkFile, SavedSizesComeBackExactlyAfterARestartAndACopy)
{
    const struct {
        std::string header, properties;
        QSize size;
    } kinds[] = {{"_AnalogMeter1", "ScaleAngle=90", {128, 72}},
                 {"_BarGraph1", "Title=\"T\"\r\n      MaxValue=9", {64, 80}},
                 {"_XYGraph1",
                  "Title=\"T\"\r\n      XMaxValue=9\r\n      YMaxValue=9\r\n      HeightValue=10",
                  {72, 96}},
                 {"_NumericList1", "Title=\"T\"", {24, 32}}};
    std::string body;
    std::vector<QRect> saved;
    for (const auto& kind : kinds) {
        const int left = 1 + 144 * int(saved.size() / 2);
        for (const QRect at : {QRect({left, 1}, kind.size), QRect(left, 177, 8, 8)}) {
            saved.push_back(at);
            body += Block(kind.header, at, "      " + kind.properties + "\r\n");
        }
    }
    WriteWorkFile(FileWithPanel(body));
    const auto bounds = [this] {
        std::vector<QRect> found;
        for (TIndicator* indicator : Indicators())
            found.push_back(indicator->geometry());
        return found;
    };
    Start();
    ASSERT_TRUE(QTest::qWaitFor([this] { return AllDrawn(); }, Bound));
    const std::vector<QRect> shown = bounds();
    ASSERT_EQ(shown.size(), saved.size());
    for (std::size_t i = 0; i < shown.size(); i += 2) {
        EXPECT_EQ(shown[i], saved[i]) << i;
        EXPECT_TRUE(shown[i + 1].width() > 8 && shown[i + 1].height() > 8) << i;
    }
    for (const std::size_t i : {1, 3})  // the kinds that know their minimum grew to it
        EXPECT_EQ(shown[i].size(), QSize(Indicators()[i]->WidthMin, Indicators()[i]->HeightMin));
    MainForm->close();  // saves
    Start();
    ASSERT_TRUE(QTest::qWaitFor([this] { return AllDrawn(); }, Bound));
    EXPECT_EQ(bounds(), shown);
    for (TIndicator* indicator : Indicators()) {
        SelectIndicator = indicator;
        MainForm->MenuIndicatorCopyClick(nullptr);
    }
    ASSERT_TRUE(QTest::qWaitFor([this] { return AllDrawn(); }, Bound));
    for (std::size_t i = 0; i < shown.size(); ++i)
        EXPECT_EQ(bounds().at(shown.size() + i), shown[i].translated(16, 16)) << i;
    EXPECT_TRUE(Messages().empty());
}

TEST_F(WorkFile, TheStarterDashboardHoldsOneIndicatorOfEachKindSideBySide)
{
    const std::string shipped =
        ReadAll(QStringLiteral(ZOLT_SOURCE_DIR "/app/starter/work.txt")).toStdString();
    WriteWorkFile(shipped);
    Start();
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(Names(), (std::vector<QString>{
                           QStringLiteral("_AnalogMeter1"), QStringLiteral("_NumericList1"),
                           QStringLiteral("_BarGraph1"), QStringLiteral("_XYGraph1")}));
    const QRect designed(0, 0, 839, 489 - 30 - 19);  // less the tool bar and the status bar
    for (TIndicator* indicator : Indicators()) {
        EXPECT_TRUE(designed.contains(indicator->geometry())) << indicator->Left();
        for (TIndicator* other : Indicators())
            EXPECT_TRUE(other == indicator || !other->geometry().intersects(indicator->geometry()));
    }
    SaveWorkFile(WorkPath());  // unchanged, byte for byte from the first indicator on
    EXPECT_EQ(IndicatorLines(), shipped.substr(shipped.find("    _")));
}

// A file is kept beside it before the save at close writes only what was loaded: a damaged one,
// one from which nothing could be loaded, one that held parts the tool does not know, one of more
// indicator blocks than a load makes (the first thousand of thirty thousand are). One box each; a
// first line of another text is no reason.
TEST_F(WorkFile, ADamagedOrForeignFileIsReportedAndKeptBesideItWhatCameBeforeTheFaultLoaded)
{
    const std::string ours = FileWithPanel(Block("_BarGraph1"));
    std::string utf16 = "\xFF\xFE";  // as an editor saves it
    for (const char c : ours)
        utf16 += std::string{c, '\0'};
    std::string newer = ours;  // with a note, a kind, a key and a control unknown here
    newer.replace(newer.find("    }"), 0, "      NeedleWidth=7\r\n");
    newer.replace(newer.find("    _"), 0, Block("_Recorder1") + "    Panel2{\r\n    }\r\n");
    newer.replace(newer.find("Main"), 0, "a note\r\n");
    const QString bak = WorkPath() + QStringLiteral(".bak");
    const QString kept = QStringLiteral("ファイル %1 は作業ファイルとして読み込めませんでした。\n\r"
                                        "元の内容を %2 に残しました。")
                             .arg(WorkPath(), bak);
    const struct {
        std::string bytes;
        QString message;  // none: nothing kept
        std::size_t indicators;
    } cases[] = {
        // A kind of a newer version, its inner block included, is passed over.
        {FileWithPanel(Block("_Recorder1", {}, "      Sub={\r\n      }\r\n") + Block("_BarGraph1") +
                       Block("_BarGraph") + Block("_BarGraph3")),
         QStringLiteral("不正フォーマット"), 1},
        {"", kept, 0},
        {utf16, kept, 0},
        {ours.substr(0, 31) + std::string(1, '\0') + ours.substr(31), kept, 0},  // NUL after header
        {newer,
         QStringLiteral(
             "ファイル %1 に読み込めない項目がありました。\n\r・「a note」\n\r・_Recorder1{…}\n\r"
             "・Panel2{…}\n\rほか 1 件\n\r元の内容を %2 に残しました。")
             .arg(WorkPath(), bak),
         1},
        {"PanelWright Work File Ver.2.0" + ours.substr(29), {}, 1},
        {FileWithPanel(QByteArray("    _BarGraph1{\r\n    }\r\n").repeated(30000).toStdString()),
         QStringLiteral(
             "インジケーターが多すぎます。\n\rファイル %1 のインジケーターは 1000 個までしか"
             "読み込めません。\n\r元の内容を %2 に残しました。")
             .arg(WorkPath(), bak),
         std::size_t(WorkFileIndicatorLimit)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.substr(0, 150));
        QFile::remove(bak);
        WriteWorkFile(c.bytes);
        boxes.Clear();
        Start();
        EXPECT_EQ(Messages(), std::vector<QString>(c.message.isEmpty() ? 0 : 1, c.message));
        EXPECT_EQ(Indicators().size(), c.indicators);
        MainForm->close();  // writes what was loaded over work.txt
        EXPECT_EQ(ReadFile(bak), c.message.isEmpty() ? "<missing>" : c.bytes);
        EXPECT_EQ(QByteArray::fromStdString(ReadFile(WorkPath())).count("    _BarGraph"),
                  qsizetype(c.indicators));
    }
}

// Another program, or the tool started twice, wrote the files while the tool ran: other bytes
// of the same size and time, the same bytes at another time, a file where there was none.
TEST_F(WorkFile, FilesWrittenMeanwhileAreKeptBesideThemBeforeTheSaveAtClose)
{
    const QString config = Path("ZOLT.ZLC");
    const std::string ours = FileWithPanel(Block("_BarGraph1"));
    std::string theirs = ours;
    theirs[theirs.find("Left=9") + 5] = '8';
    const auto rewritten = [](const QString& name) {
        return QStringLiteral("ファイル %1 は、起動時に読み込んだ後で書き換えられていました。\n\r"
                              "書き換えられた内容を %1.bak に残し、%1 には現在の内容を保存します。")
            .arg(name);
    };
    for (const bool sameTime : {true, false}) {
        WriteWorkFile(ours);
        sameTime ? WriteAll(config, QByteArray(328, '\x11')) : void(QFile::remove(config));
        Start();
        for (const auto& [name, bytes] : {std::pair{WorkPath(), sameTime ? theirs : ours},
                                          std::pair{config, std::string(328, '\x22')}}) {
            const QByteArray path = QFile::encodeName(name);
            struct stat before {};
            const bool existed = ::stat(path.constData(), &before) == 0;
            WriteAll(name, QByteArray::fromStdString(bytes));
            before.st_mtim.tv_sec += sameTime ? 0 : 1;
            const timespec times[] = {before.st_atim, before.st_mtim};
            ASSERT_TRUE(!existed || ::utimensat(AT_FDCWD, path.constData(), times, 0) == 0);
        }
        boxes.Clear();
        MainForm->close();
        EXPECT_EQ(Messages(), (std::vector{rewritten(WorkPath()), rewritten(config)}));
        EXPECT_EQ(ReadFile(WorkPath() + QStringLiteral(".bak")), sameTime ? theirs : ours);
        EXPECT_EQ(ReadAll(config + QStringLiteral(".bak")), QByteArray(328, '\x22'));
        EXPECT_NE(ReadFile(WorkPath()).find("Title=\"Bar Graph\""), std::string::npos);  // saved
    }
}

// The temporary files of saves killed before their rename; a user's files of like names stay.
TEST_F(WorkFile, AtStartWhatKilledSavesLeftIsRemovedAndNothingElse)
{
    const QDir dir(folder.path());
    QStringList leftovers;
    for (const char* name : {"work.txt", "ZOLT.ZLC.bak"}) {
        platform::TSafeFileWriter writer(Path(name));
        ASSERT_TRUE(writer.Open());
        leftovers += dir.entryList(QDir::Files);
    }
    ASSERT_EQ(leftovers.size(), 2);
    WriteAll(folder.filePath(leftovers[0]), "half a work file");
    ASSERT_TRUE(QFile::link(QStringLiteral("mine"), folder.filePath(leftovers[1])));  // a link
    QStringList kept{leftovers[1], QStringLiteral("work.txt.backup"), leftovers[0].chopped(1),
                     leftovers[0] + QLatin1Char('x')};
    for (const QString& name : kept.mid(1))
        WriteAll(folder.filePath(name), "mine");
    Start();
    kept.sort();
    EXPECT_EQ(dir.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name),
              kept);
}

// The files the tool reads and writes (work.txt, work.txt.bak, ZOLT.ZLC and the user's context
// files) as links to a FIFO or a device, and far larger than any real one: nothing is lost or
// replaced, and a box names the file and says why.
TEST_F(WorkFile, OddFilesAreRefusedWithTheirReasonAndLeftAsTheyWere)
{
    const QString work = WorkPath(), bak = WorkPath() + QStringLiteral(".bak");
    const QString config = Path("ZOLT.ZLC"), mine = Path("mine.ZLC");
    const struct {
        std::optional<Node> node;  // none: sparse files one byte over their limits
        QString why;
    } cases[] = {
        {Node::Fifo, QStringLiteral("通常のファイルではありません（FIFO）")},
        {Node::Device, QStringLiteral("通常のファイルではありません（デバイス）")},
        {std::nullopt, QStringLiteral("ファイルが大きすぎます（%1 バイト、上限 %2 バイト）")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why.toStdString());
        QTemporaryDir elsewhere;  // as another user's file or a system device would lie
        const QString node = elsewhere.filePath(QStringLiteral("node"));
        ASSERT_TRUE(!c.node || testing_support::MakeNode(node, *c.node))
            << "cannot make the node here";
        const auto identity = testing_support::NodeIdentity(node);
        const auto oddAt = [&](const QString& name, qint64 limit) {
            QFile::remove(name);
            QFile file(name);
            ASSERT_TRUE(c.node ? QFile::link(node, name)
                               : file.open(QIODevice::WriteOnly) && file.resize(limit + 1));
        };
        const auto why = [&](qint64 limit) {
            return c.node ? c.why : c.why.arg(limit + 1).arg(limit);
        };

        // Read at start and from the settings window: reported, and left alone at close.
        oddAt(work, 16 * 1024 * 1024);
        oddAt(config, 1024 * 1024);
        oddAt(mine, 1024 * 1024);
        boxes.Clear();
        Start();
        FProjectOption->ToolButtonOpen->click();
        MainForm->close();
        EXPECT_EQ(Messages(), (std::vector<QString>{CannotReadMessage(work, why(16777216)),
                                                    CannotReadMessage(config, why(1048576)),
                                                    CannotReadMessage(mine, why(1048576))}));
        EXPECT_EQ(QFileInfo(work).size(), c.node ? 0 : 16 * 1024 * 1024 + 1);
        EXPECT_FALSE(QFile::exists(bak));
        if (!c.node)
            continue;

        // Such names written: the copy of a work file none of ours (which is then not saved
        // over), the user's context and the configuration at close.
        for (const QString& name : {work, config, mine})
            QFile::remove(name);
        WriteWorkFile("not a work file");
        oddAt(bak, 0);
        boxes.Clear();
        Start();
        oddAt(config, 0);
        oddAt(mine, 0);
        FProjectOption->ToolButtonSave->click();
        MainForm->close();
        EXPECT_EQ(Messages(), (std::vector<QString>{CannotSaveMessage(bak, c.why),
                                                    CannotSaveMessage(mine, c.why),
                                                    CannotSaveMessage(config, c.why)}));
        EXPECT_EQ(ReadFile(work), "not a work file");
        EXPECT_EQ(testing_support::NodeIdentity(node), identity);
        EXPECT_TRUE(QFileInfo(mine).isSymLink());
        QFile::remove(work);
        QFile::remove(bak);
    }
}

TEST_F(WorkFile, OnAFullDiskEverySavedFileAndTheCopyOfAnUnreadOneKeepOldBytesAndTheBoxNamesThem)
{
    testing_support::SmallFileSystem disk(folder.path());
    if (!disk.Mounted())
        GTEST_SKIP() << "full-disk case not run: " << disk.Why().toStdString();
    const std::string oldWork = FileWithPanel(Block("_BarGraph1"));
    WriteWorkFile(oldWork);
    WriteAll(Path("ZOLT.ZLC"), QByteArray(328, '\x5A'));
    WriteAll(Path("mine.ZLC"), QByteArray(72, '\x3C'));
    Start();
    ASSERT_TRUE(Messages().empty());
    disk.FillUp();
    FProjectOption->ToolButtonSave->click();
    MainForm->close();
    const QString full = QStringLiteral("ディスクの空き容量が足りません");
    EXPECT_EQ(Messages(), (std::vector<QString>{CannotSaveMessage(Path("mine.ZLC"), full),
                                                CannotSaveMessage(WorkPath(), full),
                                                CannotSaveMessage(Path("ZOLT.ZLC"), full)}));
    EXPECT_EQ(ReadFile(WorkPath()), oldWork);
    EXPECT_EQ(ReadAll(Path("ZOLT.ZLC")), QByteArray(328, '\x5A'));
    EXPECT_EQ(ReadAll(Path("mine.ZLC")), QByteArray(72, '\x3C'));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files),  // and no other file is left
              (QStringList{QStringLiteral("mine.ZLC"), QStringLiteral("work.txt"),
                           QStringLiteral("ZOLT.ZLC")}));

    // The copy of an unread work file, made at start, keeps its old bytes, and the file stays.
    QFile::remove(Path(".filler"));
    WriteWorkFile("not a work file");
    const QString bak = WorkPath() + QStringLiteral(".bak");
    WriteAll(bak, "an older copy");
    disk.FillUp();
    boxes.Clear();
    Start();
    EXPECT_EQ(Messages(), std::vector<QString>{CannotSaveMessage(bak, full)});
    MainForm->close();  // the file that could not be kept is not written over
    EXPECT_EQ(Messages(), (std::vector<QString>{CannotSaveMessage(bak, full),
                                                CannotSaveMessage(Path("ZOLT.ZLC"), full)}));
    EXPECT_EQ(ReadFile(WorkPath()), "not a work file");
    EXPECT_EQ(ReadAll(bak), QByteArray("an older copy"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 4);
}

// The indicator menu's items on the indicator a right click chose (the clicks themselves are
// driven on the way through the settings dialogs).
TEST_F(WorkFile, TheMenuCopiesUnderANewNameDeletesAfterYesOnlyAndEditsOnlyWithoutShift)
{
    Start();
    TIndicator* bar = Make("_BarGraph", 200, 8);
    ASSERT_TRUE(QTest::qWaitFor([this] { return AllDrawn(); }, Bound));
    bar->move(MainForm->MainPanel->width() - bar->width() - 8, bar->y());  // the copy reaches past
    SelectIndicator = bar;
    MainForm->MenuIndicatorCopyClick(nullptr);
    TIndicator* copy = Indicators().back();
    EXPECT_EQ(copy->objectName(), QStringLiteral("_BarGraph2"));
    EXPECT_TRUE(QTest::qWaitFor(  // the window grows to hold it
        [&] { return MainForm->MainPanel->rect().contains(copy->geometry()); }, Bound));
    boxes.Clear();  // the box and beep of a machine without serial ports
    boxes.Answer(platform::BoxResult::No);
    for (int i = 0; i < 2; ++i) {
        SelectIndicator = copy;
        MainForm->MenuIndicatorDeleteClick(nullptr);
    }
    EXPECT_EQ(Indicators(), std::vector<TIndicator*>{bar});
    EXPECT_EQ(Messages(), std::vector<QString>(2, QStringLiteral("インジケータを削除します。"
                                                                 "\n\r\n\rよろしいですか？")));
    EXPECT_EQ(boxes.Beeps(), 2);

    int opened = 0;  // the dialog is modal: Esc closes it, should it open
    QRect at;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (FBarGraphSetting->isVisible() && FBarGraphSetting->Indicator == bar) {
            ++opened;
            at = testing_support::SettledOuterGeometry(*FBarGraphSetting);
            QTest::keyClick(FBarGraphSetting->windowHandle(), Qt::Key_Escape);
        }
    });
    closer.start(10);
    for (const bool shift : {true, false}) {
        SelectIndicator = bar;
        MainForm->ShiftDown = shift;
        MainForm->MenuIndicatorEditClick(nullptr);
    }
    EXPECT_EQ(opened, 1);
    // The dialog opened beside the indicator's corner.
    const QPoint corner = bar->mapToGlobal(QPoint());
    const QScreen* screen = QGuiApplication::primaryScreen();
    const platform::TPoint beside = PlaceBeside(
        corner.x(), corner.y(), bar->width(), {at.width(), at.height()},
        {screen->virtualGeometry().right() + 1, screen->availableGeometry().bottom() + 1});
    EXPECT_EQ(at.topLeft(), QPoint(beside.X, beside.Y));
}

}  // namespace
