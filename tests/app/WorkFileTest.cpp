// The dashboard of the real main window: the work file it saves and loads, damaged and foreign
// files, files it must refuse or cannot save, and the indicator menu.
#include <optional>
#include <QAction>
#include <QDir>
#include <QMenu>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "app/BarGraphSetup.h"
#include "app/IndicatorKinds.h"
#include "app/ProjectOption.h"
#include "app/WorkFile.h"
#include "indicators/AnalogMeter.h"
#include "indicators/BarGraph.h"
#include "indicators/NumericList.h"
#include "indicators/XYGraph.h"
#include "platform/Cp932.h"
#include "platform/FileDialog.h"
#include "platform/RegularFile.h"
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
    bool AllDrawn() const
    {
        const std::vector<TIndicator*> all = Indicators();
        return std::none_of(all.begin(), all.end(), [](TIndicator* i) { return i->Invalidated(); });
    }
    void CopyEach()
    {
        for (TIndicator* indicator : Indicators()) {
            SelectIndicator = indicator;
            MainForm->MenuIndicatorCopyClick(nullptr);
        }
    }
    // The indicator blocks of a saved file (the window's place follows the desktop).
    std::string IndicatorLines() const
    {
        const std::string file = ReadFile(WorkPath());
        return file.substr(std::min(file.find("    _"), file.size()));
    }
};

std::string FileWithPanel(const std::string& panelBody, const std::string& beforePanel = "")
{
    return "PanelWright Work File Ver.1.0\r\nMainForm{\r\n  Left=0\r\n  Top=0\r\n  Width=600\r\n"
           "  Height=400\r\n" +
           beforePanel + "  MainPanel{\r\n    Left=0\r\n    Top=30\r\n" + panelBody +
           "  }\r\n}\r\n";
}

std::string Block(const std::string& header, int left, const std::string& extra = "")
{
    return "    " + header + "{\r\n      Left=" + std::to_string(left) +
           "\r\n      Top=9\r\n      Width=64\r\n      Height=160\r\n" + extra + "    }\r\n";
}

TEST_F(WorkFile, FourKindsWithQuotesAndBracesInTheirTextsComeBackAfterARestartAndACopy)
{
    Start();
    MainForm->move(0, 0);
    MouseDownPos = {16, 16};
    auto* dial = static_cast<TAnalogMeter*>(CreateIndicator("_AnalogMeter", nullptr));
    dial->SetTitle(QStringLiteral("油温 }x{"));
    dial->SetLowerLimit("{1\"");
    dial->SetIoName("OILTMP");
    MouseDownPos = {200, 16};
    auto* bar = static_cast<TBarGraph*>(CreateIndicator("_BarGraph", nullptr));
    bar->SetTitle(QStringLiteral("a\"b{c"));
    bar->SetMarker1("5\"}");
    bar->SetColorBar(0x00FF00);
    MouseDownPos = {300, 16};
    static_cast<TXYGraph*>(CreateIndicator("_XYGraph", nullptr))->SetTitle(QStringLiteral("\""));
    MouseDownPos = {16, 200};
    auto* list = static_cast<TNumericList*>(CreateIndicator("_NumericList", nullptr));
    list->SetTitle(QStringLiteral("油温\"計}"));
    list->SetNumStrList(QStringList{QStringLiteral("Tacho[rpm]"), QStringLiteral("Speed[km/h]"),
                                    platform::FromCp932("Oil temp[\xDF"
                                                        "c]")});
    const auto texts = [this] {
        std::vector<QString> found;
        for (TIndicator* indicator : Indicators()) {
            if (auto* d = qobject_cast<TAnalogMeter*>(indicator))
                found.push_back(d->Title() + platform::FromCp932(d->LowerLimit()));
            else if (auto* b = qobject_cast<TBarGraph*>(indicator))
                found.push_back(b->Title() + platform::FromCp932(b->Marker1()));
            else if (auto* x = qobject_cast<TXYGraph*>(indicator))
                found.push_back(x->Title());
            else if (auto* l = qobject_cast<TNumericList*>(indicator))
                found.push_back(l->Title() + QString::number(l->NumRectCount));
        }
        return found;
    };
    const std::vector<QString> made = texts();
    ASSERT_EQ(made,
              (std::vector<QString>{QStringLiteral("油温 }x{{1\""), QStringLiteral("a\"b{c5\"}"),
                                    QStringLiteral("\""), QStringLiteral("油温\"計}3")}));
    ASSERT_TRUE(QTest::qWaitFor([this] { return AllDrawn(); }, Bound));  // grown as drawn
    MainForm->close();                                                   // saves

    const std::string first = ReadFile(WorkPath());
    const std::string opening =
        "PanelWright Work File Ver.1.0\r\nMainForm{\r\n  Left=0\r\n  Top=0\r\n  Width=" +
        std::to_string(MainForm->width()) + "\r\n  Height=" + std::to_string(MainForm->height()) +
        "\r\n  MainPanel{\r\n    Left=0\r\n    Top=30\r\n    Width=" +
        std::to_string(MainForm->MainPanel->width()) +
        "\r\n    Height=" + std::to_string(MainForm->MainPanel->height()) +
        "\r\n    _AnalogMeter1{\r\n      Left=17\r\n      Top=17\r\n";
    EXPECT_EQ(first.substr(0, opening.size()), opening);
    EXPECT_EQ(first.substr(first.size() - 15), "    }\r\n  }\r\n}\r\n");
    EXPECT_EQ(std::count(first.begin(), first.end(), '\n'),
              QByteArray::fromStdString(first).count("\r\n"));
    EXPECT_NE(first.find("\"\x96\xfb\x89\xb7 }x{\""), std::string::npos);  // code page 932
    EXPECT_NE(first.find("      Title=\"a\"b{c\"\r\n"), std::string::npos);
    EXPECT_NE(first.find("{\"TACHO\",\"SPEED\",\"OILTMP\"}"), std::string::npos);
    EXPECT_EQ(first.find("Bar{"), std::string::npos);    // no tool bar or status bar blocks
    EXPECT_EQ(first.find(" {\r\n"), std::string::npos);  // nor nameless ones

    Start();
    EXPECT_EQ(Names(),
              (std::vector<QString>{QStringLiteral("_AnalogMeter1"), QStringLiteral("_BarGraph1"),
                                    QStringLiteral("_XYGraph1"), QStringLiteral("_NumericList1")}));
    EXPECT_EQ(texts(), made);
    SaveWorkFile(WorkPath());
    EXPECT_EQ(IndicatorLines(), first.substr(first.find("    _")));
    CopyEach();
    std::vector<QString> twice = made;
    twice.insert(twice.end(), made.begin(), made.end());
    EXPECT_EQ(texts(), twice);
    EXPECT_TRUE(Messages().empty());
    EXPECT_FALSE(QFile::exists(WorkPath() + QStringLiteral(".bak")));
}

TEST_F(WorkFile, SavedSizesComeBackAfterARestartAndACopyAndOnlyTheTooSmallGrow)
{
    // Each kind twice with properties under which its face needs less than under its defaults:
    // at a size it fits in, and at 8 by 8, below its minimum.
    const std::pair<const char*, QSize> kinds[] = {
        {"_AnalogMeter1{\r\n      ScaleAngle=90", {128, 72}},
        {"_BarGraph1{\r\n      Title=\"T\"\r\n      MaxValue=9", {64, 80}},
        {"_XYGraph1{\r\n      Title=\"T\"\r\n      XMaxValue=9\r\n      YMaxValue=9\r\n"
         "      HeightValue=10",
         {72, 96}},
        {"_NumericList1{\r\n      Title=\"T\"", {24, 32}},
    };
    std::string body;
    std::vector<QSize> inFile;
    int left = 1;
    for (const auto& [header, size] : kinds) {
        for (const QRect rect : {QRect(QPoint(left, 1), size), QRect(left, 177, 8, 8)}) {
            body += "    " + std::string(header) + "\r\n      Left=" + std::to_string(rect.x()) +
                    "\r\n      Top=" + std::to_string(rect.y()) +
                    "\r\n      Width=" + std::to_string(rect.width()) +
                    "\r\n      Height=" + std::to_string(rect.height()) + "\r\n    }\r\n";
            inFile.push_back(rect.size());
        }
        left += 144;
    }
    WriteWorkFile(FileWithPanel(body));
    const auto sizes = [this] {
        std::vector<QSize> found;
        for (TIndicator* indicator : Indicators())
            found.push_back(indicator->size());
        return found;
    };
    Create();  // not drawn yet: every indicator as its block says
    EXPECT_EQ(sizes(), inFile);
    Start();
    ASSERT_TRUE(QTest::qWaitFor([this] { return AllDrawn(); }, Bound));
    const std::vector<QSize> shown = sizes();
    for (std::size_t i = 0; i < shown.size(); i += 2) {
        EXPECT_EQ(shown[i], inFile[i]) << i;
        EXPECT_GT(shown[i + 1].width(), 8) << i;
        EXPECT_GT(shown[i + 1].height(), 8) << i;
    }
    for (std::size_t i : {1, 3})  // the kinds that know their minimum
        EXPECT_EQ(shown[i], QSize(Indicators()[i]->WidthMin, Indicators()[i]->HeightMin)) << i;

    MainForm->close();
    Start();
    EXPECT_EQ(sizes(), shown);
    const std::vector<TIndicator*> originals = Indicators();
    CopyEach();
    ASSERT_TRUE(QTest::qWaitFor([this] { return AllDrawn(); }, Bound));
    for (std::size_t i = 0; i < originals.size(); ++i) {
        EXPECT_EQ(Indicators()[originals.size() + i]->geometry(),
                  originals[i]->geometry().translated(16, 16))
            << i;
    }
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

TEST_F(WorkFile, IndicatorsAreNumberedInFileOrderAndForeignBlocksAndKeysAreDropped)
{
    WriteWorkFile(FileWithPanel(
        Block("_AnalogMeter5", 9, "      Foreign=77\r\n      Other=\"x y\"\r\n") +
            "    _Recorder1{\r\n      Left=50\r\n      Inner={\r\n      }\r\n    }\r\n" +
            Block("_BarGraph7", 200) + Block("_AnalogMeter9", 300),
        "  NoSuchControl{\r\n    Left=5\r\n    Inner{\r\n      Top=7\r\n    }\r\n  }\r\n"));
    Start();
    EXPECT_EQ(Names(),
              (std::vector<QString>{QStringLiteral("_AnalogMeter1"), QStringLiteral("_BarGraph1"),
                                    QStringLiteral("_AnalogMeter2")}));
    EXPECT_EQ(AnalogMeterCount, 2);
    EXPECT_EQ(BarGraphCount, 1);
    EXPECT_EQ(RecorderCount, 0);
    SaveWorkFile(WorkPath());
    const std::string saved = ReadFile(WorkPath());
    for (const char* dropped : {"Foreign", "Other", "_Recorder", "NoSuchControl", "_AnalogMeter5"})
        EXPECT_EQ(saved.find(dropped), std::string::npos) << dropped;
    EXPECT_TRUE(Messages().empty());
}

TEST_F(WorkFile, ADamagedOrForeignFileIsReportedAndKeptBesideItWhatCameBeforeTheFaultLoaded)
{
    const std::string ours = FileWithPanel(Block("_BarGraph1", 9));
    std::string utf16 = "\xFF\xFE";  // as an editor saves it
    for (const char c : ours)
        utf16 += std::string{c, '\0'};
    const QString bak = WorkPath() + QStringLiteral(".bak");
    const QString kept = QStringLiteral("ファイル %1 は作業ファイルとして読み込めませんでした。\n\r"
                                        "元の内容を %2 に残しました。")
                             .arg(WorkPath(), bak);
    const struct {
        const char* label;
        std::string bytes;
        QString message;
        std::size_t indicators;
    } cases[] = {
        {"malformed header",
         FileWithPanel(Block("_BarGraph1", 9) + Block("_BarGraph", 200) + Block("_BarGraph3", 300)),
         QStringLiteral("不正フォーマット"), 1},
        {"key refused by its kind",
         FileWithPanel(Block("_BarGraph1", 9) + Block("_BarGraph2", 200, "      X=\x83\x83=1\r\n") +
                       Block("_BarGraph3", 300)),
         QStringLiteral("キーワードに全角文字が含まれています"), 2},
        {"empty", "", kept, 0},
        {"NUL bytes", std::string(4096, '\0'), kept, 0},
        {"UTF-16", utf16, kept, 0},
        {"other text", "hello\r\n", kept, 0},
        {"header, then a NUL", ours.substr(0, 31) + std::string(1, '\0') + ours.substr(31), kept,
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        QFile::remove(bak);
        WriteWorkFile(c.bytes);
        boxes.Clear();
        Start();
        EXPECT_EQ(Messages(), std::vector<QString>{c.message});
        if (&c == &cases[0]) {
            const auto box = std::find_if(boxes.Boxes().begin(), boxes.Boxes().end(),
                                          [&](const auto& b) { return b.text == c.message; });
            EXPECT_EQ(box->icon, platform::BoxIcon::Error);
            EXPECT_EQ(box->buttons, platform::BoxButtons::Abort);
        }
        EXPECT_EQ(Indicators().size(), c.indicators);
        MainForm->close();  // writes what was loaded over work.txt
        EXPECT_EQ(ReadFile(bak), c.bytes);
        EXPECT_EQ(ReadFile(WorkPath()).rfind("PanelWright Work File Ver.1.0\r\n", 0), 0u);
        EXPECT_EQ(std::size_t(QByteArray::fromStdString(ReadFile(WorkPath())).count("_BarGraph")),
                  c.indicators);
    }

    // A control byte in a text: its message, and the window is not fitted. The tool's own file,
    // also with line feeds alone, and no file at all leave no copy and say nothing.
    QFile::remove(bak);
    WriteWorkFile("MainForm{\r\n  Left=700\r\n  Width=600\r\n  Caption=\"a\tb\"\r\n}\r\n");
    boxes.Clear();
    Create();
    EXPECT_EQ(Messages(), std::vector<QString>{QStringLiteral("不正文字検出")});
    EXPECT_EQ(MainForm->x(), 700);
    QFile::remove(bak);
    for (const std::string& own :
         {ours, std::string("PanelWright Work File Ver.1.0\nMainForm{\n}\n")}) {
        WriteWorkFile(own);
        boxes.Clear();
        Create();
        EXPECT_TRUE(Messages().empty());
        EXPECT_FALSE(QFile::exists(bak));
    }
    QFile::remove(WorkPath());
    Create();
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(MainForm->pos(), QPoint(823, 0));  // the designed place
}

TEST_F(WorkFile, IndicatorsBeyondTheRegistryAreReportedOncePerLoadAndStillSaved)
{
    std::string body;
    for (int i = 1; i <= 140; ++i)
        body += Block("_BarGraph" + std::to_string(i), 9 + 8 * (i % 60));
    WriteWorkFile(FileWithPanel(body));
    Create();
    const QString tooMany = QStringLiteral("インジケーターが多すぎます。");
    EXPECT_EQ(Messages(), std::vector<QString>{tooMany});
    EXPECT_EQ(Indicators().size(), 140u);
    EXPECT_EQ(IndicatorCount, 127);
    SaveWorkFile(WorkPath());
    EXPECT_EQ(QByteArray::fromStdString(ReadFile(WorkPath())).count("    _BarGraph"), 140);
    CreateIndicator("_BarGraph", nullptr);
    EXPECT_EQ(Messages(), (std::vector<QString>{tooMany, tooMany}));
}

TEST_F(WorkFile, AWindowSavedWithNoSizeStillHoldsItsToolBarAndStatusBar)
{
    WriteWorkFile("PanelWright Work File Ver.1.0\r\nMainForm{\r\n  Left=10\r\n  Top=10\r\n"
                  "  Width=0\r\n  Height=0\r\n}\r\n");
    Start();
    EXPECT_EQ(MainForm->StatusBar->geometry().bottom(), MainForm->height() - 1);
    EXPECT_GE(MainForm->height(), MainForm->ToolBar->height() + MainForm->StatusBar->height());
    for (QToolButton* button :
         {MainForm->ToolButton1, MainForm->ToolButtonSetting, MainForm->ToolButton2}) {
        EXPECT_TRUE(button->isVisible());
        EXPECT_LE(button->mapTo(MainForm, button->rect().bottomRight()).x(), MainForm->width() - 1);
    }
}

// The files the tool reads and writes (work.txt, work.txt.bak, ZOLT.ZLC and the user's context
// files) on a full disk, as links to a FIFO or a device, and far larger than any real one:
// nothing is lost or replaced, and a box names the file and says why.
class Files : public WorkFile {
protected:
    void SetUp() override
    {
        WorkFile::SetUp();
        previous_ = platform::SetFileDialogPresenter([this](const platform::FileDialogRequest&) {
            return std::optional<QString>(InFolder("mine.ZLC"));
        });
    }
    void TearDown() override
    {
        WorkFile::TearDown();
        platform::SetFileDialogPresenter(previous_);
    }
    QString InFolder(const char* name) const { return Path(QLatin1String(name)); }
    QStringList FilesThere() const
    {
        return QDir(folder.path()).entryList(QDir::Files | QDir::System);
    }

private:
    platform::FileDialogPresenter previous_;
};

TEST_F(Files, OddFilesAreRefusedWithTheirReasonAndLeftAsTheyWere)
{
    const QString work = WorkPath(), bak = WorkPath() + QStringLiteral(".bak");
    const QString config = InFolder("ZOLT.ZLC"), mine = InFolder("mine.ZLC");
    const auto tooLarge = [](qint64 limit) {
        return QStringLiteral("ファイルが大きすぎます（%1 バイト、上限 %2 バイト）")
            .arg(limit + 1)
            .arg(limit);
    };
    const struct {
        const char* label;
        std::optional<Node> node;  // none: sparse files one byte over their limits
        QString why;
    } cases[] = {
        {"FIFO", Node::Fifo, QStringLiteral("通常のファイルではありません（FIFO）")},
        {"device", Node::Device, QStringLiteral("通常のファイルではありません（デバイス）")},
        {"too large", std::nullopt, QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        for (const QString& name : FilesThere())
            QFile::remove(Path(name));
        QTemporaryDir elsewhere;  // as another user's file or a system device would lie
        const QString node = elsewhere.filePath(QStringLiteral("node"));
        if (c.node) {
            ASSERT_TRUE(testing_support::MakeNode(node, *c.node)) << "cannot make the node here";
        }
        const auto identity = testing_support::NodeIdentity(node);
        const auto oddAt = [&](const QString& name, qint64 limit) {
            QFile::remove(name);
            QFile file(name);
            ASSERT_TRUE(c.node ? QFile::link(node, name)
                               : file.open(QIODevice::WriteOnly) && file.resize(limit + 1));
        };
        const auto why = [&](qint64 limit) { return c.node ? c.why : tooLarge(limit); };

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

        // Such names since the start: written at close, refused.
        for (const QString& name : FilesThere())
            QFile::remove(Path(name));
        boxes.Clear();
        Start();
        oddAt(work, 0);
        oddAt(config, 0);
        oddAt(mine, 0);
        FProjectOption->ToolButtonSave->click();
        MainForm->close();
        EXPECT_EQ(Messages(), (std::vector<QString>{CannotSaveMessage(mine, c.why),
                                                    CannotSaveMessage(work, c.why),
                                                    CannotSaveMessage(config, c.why)}));

        // The copy of a work file that is none of ours: refused, and the file is not saved over.
        QFile::remove(work);
        WriteWorkFile("not a work file");
        oddAt(bak, 0);
        boxes.Clear();
        Create();
        MainForm->close();
        EXPECT_EQ(Messages().front(), CannotSaveMessage(bak, c.why));
        EXPECT_EQ(ReadFile(work), "not a work file");
        EXPECT_EQ(testing_support::NodeIdentity(node), identity);
        EXPECT_TRUE(QFileInfo(mine).isSymLink());
        EXPECT_TRUE(QFileInfo(bak).isSymLink());
    }
}

TEST_F(Files, OnAFullDiskEverySavedFileKeepsItsOldBytesAndTheBoxNamesIt)
{
    testing_support::SmallFileSystem disk(folder.path());
    if (!disk.Mounted())
        GTEST_SKIP() << "full-disk case not run: " << disk.Why().toStdString();
    const std::string oldWork = FileWithPanel(Block("_BarGraph1", 9));
    WriteWorkFile(oldWork);
    WriteAll(InFolder("ZOLT.ZLC"), QByteArray(328, '\x5A'));
    WriteAll(InFolder("mine.ZLC"), QByteArray(72, '\x3C'));
    Start();
    ASSERT_TRUE(Messages().empty());
    disk.FillUp();
    FProjectOption->ToolButtonSave->click();
    MainForm->close();
    const QString full = QStringLiteral("ディスクの空き容量が足りません");
    EXPECT_EQ(Messages(), (std::vector<QString>{CannotSaveMessage(InFolder("mine.ZLC"), full),
                                                CannotSaveMessage(WorkPath(), full),
                                                CannotSaveMessage(InFolder("ZOLT.ZLC"), full)}));
    EXPECT_EQ(ReadFile(WorkPath()), oldWork);
    EXPECT_EQ(ReadAll(InFolder("ZOLT.ZLC")), QByteArray(328, '\x5A'));
    EXPECT_EQ(ReadAll(InFolder("mine.ZLC")), QByteArray(72, '\x3C'));

    // The copy of an unreadable work file: its old copy stays, and so does the file.
    const QString bak = WorkPath() + QStringLiteral(".bak");
    QFile::remove(InFolder(".filler"));
    WriteAll(bak, "an older copy");
    WriteWorkFile("not a work file");
    disk.FillUp();
    boxes.Clear();
    Create();
    MainForm->close();
    EXPECT_EQ(Messages(), std::vector<QString>{CannotSaveMessage(bak, full)});
    EXPECT_EQ(ReadFile(WorkPath()), "not a work file");
    EXPECT_EQ(ReadAll(bak), QByteArray("an older copy"));
    EXPECT_EQ(FilesThere(),
              (QStringList{QStringLiteral("mine.ZLC"), QStringLiteral("work.txt"),
                           QStringLiteral("work.txt.bak"), QStringLiteral("ZOLT.ZLC")}));
}

// The indicator menu, driven with real right clicks on the indicators and left clicks on its
// items. Offscreen only: on a desktop a press reads the real pointer and the menu opens under it.
class IndicatorMenu : public WorkFile {
protected:
    void SetUp() override
    {
        if (testing_support::OnRealDesktop())
            GTEST_SKIP() << "the menu is driven with input of the test's own";
        WorkFile::SetUp();
        ASSERT_NO_FATAL_FAILURE(Start());
        boxes.Clear();
    }
    void RightClick(QPoint inPanel, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        const QPoint at = MainForm->MainPanel->mapTo(MainForm, inPanel);
        QTest::mousePress(MainForm->windowHandle(), Qt::RightButton, modifiers, at);
        QTest::mouseRelease(MainForm->windowHandle(), Qt::RightButton, modifiers, at);
    }
    // Clicks an item of a visible menu (a submenu's item opens it first).
    static void Choose(QMenu* menu, QAction* item, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, Bound));
        const QPoint at = menu->actionGeometry(item).center();
        QTest::mouseMove(menu, at);
        QTest::mouseClick(menu, Qt::LeftButton, modifiers, at);
    }
    void ChooseOn(TIndicator* indicator, QAction* item, Qt::KeyboardModifiers modifiers = {})
    {
        RightClick(indicator->geometry().topLeft() + QPoint(21, 45), modifiers);
        Choose(MainForm->PopupMenuIndicator, item, modifiers);
    }
    void CloseMenus()
    {
        MainForm->MenuIndicatorCreate->hide();
        MainForm->PopupMenuIndicator->hide();
        QCoreApplication::processEvents();
    }
    TIndicator* Make(const char* prefix, QPoint at)
    {
        MouseDownPos = {at.x(), at.y()};
        TIndicator* made = CreateIndicator(prefix, nullptr);
        made->Paint();
        MainForm->MainPanel->UpdateSize();
        QCoreApplication::processEvents();
        return made;
    }
};

TEST_F(IndicatorMenu, CreatesAtTheSnappedClickPointOnlyOverIndicators)
{
    RightClick({100, 100});  // the bare panel
    QCoreApplication::processEvents();
    EXPECT_FALSE(MainForm->PopupMenuIndicator->isVisible());
    TIndicator* bar = Make("_BarGraph", {0, 0});
    ChooseOn(bar, MainForm->MenuIndicatorCreate->menuAction());
    Choose(MainForm->MenuIndicatorCreate, CreateItem("NewDialGauge"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return Indicators().size() == 2; }, Bound));
    TIndicator* dial = Indicators().back();
    EXPECT_EQ(dial->objectName(), QStringLiteral("_AnalogMeter1"));
    EXPECT_EQ(dial->Left(), (bar->Left() + 21) / 8 * 8 + 1);
    EXPECT_EQ(dial->Top(), (bar->Top() + 45) / 8 * 8 + 1);
    EXPECT_EQ(SelectIndicator, nullptr);
    CloseMenus();
    ChooseOn(bar, MainForm->MenuIndicatorCreate->menuAction());
    Choose(MainForm->MenuIndicatorCreate, CreateItem("NewRecorder"));
    CloseMenus();
    EXPECT_EQ(Indicators().size(), 2u);  // a kind without a class makes nothing
}

TEST_F(IndicatorMenu, DeletesAfterYesOnlyAndCopiesSixteenAwayWithTheWindowGrowing)
{
    auto* bar = static_cast<TBarGraph*>(Make("_BarGraph", {200, 8}));
    bar->SetTitle(QStringLiteral("{油圧"));
    const QSize before = MainForm->size();
    ChooseOn(bar, MainForm->MenuIndicatorCopy);
    ASSERT_TRUE(QTest::qWaitFor([this] { return Indicators().size() == 2; }, Bound));
    auto* copy = static_cast<TBarGraph*>(Indicators().back());
    EXPECT_EQ(copy->objectName(), QStringLiteral("_BarGraph2"));
    EXPECT_EQ(copy->geometry(), bar->geometry().translated(16, 16));
    EXPECT_EQ(copy->Title(), bar->Title());
    EXPECT_EQ(MainForm->size(), before + QSize(16, 16));
    EXPECT_EQ(MainForm->minimumSize(), MainForm->maximumSize());  // still fixed for the user

    boxes.Answer(platform::BoxResult::No);
    ChooseOn(copy, MainForm->MenuIndicatorDelete);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !boxes.Boxes().empty(); }, Bound));
    EXPECT_EQ(boxes.Boxes()[0].text,
              QStringLiteral("インジケータを削除します。\n\r\n\rよろしいですか？"));
    EXPECT_EQ(boxes.Boxes()[0].buttons, platform::BoxButtons::YesNo);
    EXPECT_EQ(Indicators().size(), 2u);
    boxes.Answer(platform::BoxResult::Yes);
    ChooseOn(copy, MainForm->MenuIndicatorDelete);
    ASSERT_TRUE(QTest::qWaitFor([this] { return Indicators().size() == 1; }, Bound));
    EXPECT_EQ(IndicatorCount, 1);
    EXPECT_EQ(boxes.Beeps(), 2);
    EXPECT_EQ(SelectIndicator, nullptr);
}

TEST_F(IndicatorMenu, ShiftHeldBlocksEditWhichOtherwiseOpensTheKindsDialog)
{
    TIndicator* bar = Make("_BarGraph", {8, 8});
    int opened = 0;  // the dialog is modal: Esc closes it, should it open
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (FBarGraphSetting->isVisible() && FBarGraphSetting->Indicator == bar) {
            ++opened;
            QTest::keyClick(FBarGraphSetting->windowHandle(), Qt::Key_Escape);
        }
    });
    closer.start(10);
    ChooseOn(bar, MainForm->MenuIndicatorEdit, Qt::ShiftModifier);
    QCoreApplication::processEvents();
    EXPECT_TRUE(MainForm->ShiftDown);
    EXPECT_EQ(SelectIndicator, bar);  // nothing opened, the selection stays
    EXPECT_EQ(opened, 0);
    CloseMenus();

    ChooseOn(bar, MainForm->MenuIndicatorEdit);
    ASSERT_TRUE(QTest::qWaitFor([] { return SelectIndicator == nullptr; }, Bound));
    EXPECT_EQ(opened, 1);
}

TEST_F(WorkFile, TheNewestOfAKindGivesItsNumberBackAnOlderOnesStaysUnused)
{
    Create();
    const int before = BarGraphCount;
    TIndicator* a = CreateIndicator("_BarGraph", nullptr);
    DeleteIndicator(CreateIndicator("_BarGraph", nullptr));
    EXPECT_EQ(CreateIndicator("_BarGraph", nullptr)->objectName(),
              QStringLiteral("_BarGraph%1").arg(before + 2));
    DeleteIndicator(a);
    EXPECT_EQ(CreateIndicator("_BarGraph", nullptr)->objectName(),
              QStringLiteral("_BarGraph%1").arg(before + 3));
}

}  // namespace
