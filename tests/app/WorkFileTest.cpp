// The work file with the real main window (offscreen): what a save writes, what a load rebuilds,
// and what damaged or foreign files do.
#include <QDir>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <random>

#include "app/WorkFile.h"
#include "indicators/AnalogMeter.h"
#include "indicators/BarGraph.h"
#include "indicators/NumericList.h"
#include "indicators/XYGraph.h"
#include "platform/Cp932.h"
#include "platform/Exceptions.h"
#include "tests/app/DashboardFixture.h"

namespace {

class WorkFile : public testing_support::Dashboard {
protected:
    // Every indicator's face drawn since its last change.
    bool AllDrawn() const
    {
        const std::vector<TIndicator*> all = Indicators();
        return std::none_of(all.begin(), all.end(), [](TIndicator* i) { return i->Invalidated(); });
    }
};

std::size_t Count(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// A work file around the panel's body: the main window at 0, 0 and 600 by 400.
std::string FileWithPanel(const std::string& panelBody, const std::string& beforePanel = "")
{
    return "PanelWright Work File Ver.1.0\r\nMainForm{\r\n"
           "  Left=0\r\n  Top=0\r\n  Width=600\r\n  Height=400\r\n" +
           beforePanel +
           "  MainPanel{\r\n    Left=0\r\n    Top=30\r\n    Width=600\r\n    Height=351\r\n" +
           panelBody + "  }\r\n}\r\n";
}

std::string BarBlock(const std::string& header, int left, const std::string& extra = "")
{
    return "    " + header + "{\r\n      Left=" + std::to_string(left) +
           "\r\n      Top=9\r\n      Width=64\r\n      Height=160\r\n" + extra + "    }\r\n";
}

TEST_F(WorkFile, RoundTripOfTheFourKindsIsByteForByte)
{
    Start();
    MainForm->move(0, 0);

    MouseDownPos = {16, 16};
    auto* dial = static_cast<TAnalogMeter*>(CreateIndicator("_AnalogMeter", nullptr));
    dial->SetTitle(QStringLiteral("油温 }"));  // an unmatched brace inside a quoted text
    dial->SetColorNeedle(0x0000FF);
    dial->SetIoName("OILTMP");
    MouseDownPos = {200, 16};
    auto* bar = static_cast<TBarGraph*>(CreateIndicator("_BarGraph", nullptr));
    bar->SetTitle(QStringLiteral("{水温}"));
    bar->SetColorBar(0x00FF00);
    bar->SetIoName("COOLANT");
    MouseDownPos = {300, 16};
    auto* xy = static_cast<TXYGraph*>(CreateIndicator("_XYGraph", nullptr));
    xy->SetTitle(QStringLiteral("横G"));
    xy->SetHeightTitle(20);
    MouseDownPos = {16, 200};
    auto* list = static_cast<TNumericList*>(CreateIndicator("_NumericList", nullptr));
    list->SetTitle(QStringLiteral("数値"));
    list->SetNumStrList(QStringList{QStringLiteral("Tacho[rpm]"), QStringLiteral("Speed[km/h]"),
                                    platform::FromCp932("Oil temp[\xDF"
                                                        "c]")});
    list->SetColorBack(0x808080);
    for (TIndicator* indicator : Indicators())
        indicator->Paint();  // each grows to what its face needs, as on screen
    MainForm->MainPanel->UpdateSize();
    QCoreApplication::processEvents();
    ASSERT_LE(MainForm->width(), Desktop().width());
    ASSERT_LE(MainForm->height(), Desktop().height());

    SaveWorkFile(WorkPath());
    const std::string first = ReadFile(WorkPath());
    const QWidget* panel = MainForm->MainPanel;
    const std::string opening =
        "PanelWright Work File Ver.1.0\r\nMainForm{\r\n  Left=0\r\n  Top=0\r\n  Width=" +
        std::to_string(MainForm->width()) + "\r\n  Height=" + std::to_string(MainForm->height()) +
        "\r\n  MainPanel{\r\n    Left=0\r\n    Top=30\r\n    Width=" +
        std::to_string(panel->width()) + "\r\n    Height=" + std::to_string(panel->height()) +
        "\r\n    _AnalogMeter1{\r\n";
    ASSERT_EQ(first.substr(0, opening.size()), opening);
    EXPECT_EQ(first.substr(first.size() - 15), "    }\r\n  }\r\n}\r\n");
    EXPECT_EQ(Count(first, "\n"), Count(first, "\r\n"));
    EXPECT_EQ(first.substr(first.size() - 3), "}\r\n");
    EXPECT_NE(first.find("    _AnalogMeter1{\r\n      Left=17\r\n      Top=17\r\n"),
              std::string::npos);
    EXPECT_NE(first.find("\"\x96\xfb\x89\xb7 }\""), std::string::npos);  // code page 932
    EXPECT_NE(first.find("{\"TACHO\",\"SPEED\",\"OILTMP\"}"), std::string::npos);
    EXPECT_EQ(first.find("StatusBar"), std::string::npos);
    EXPECT_EQ(first.find("ToolBar"), std::string::npos);
    EXPECT_TRUE(Messages().empty());

    Start();
    EXPECT_EQ(Names(),
              (std::vector<QString>{QStringLiteral("_AnalogMeter1"), QStringLiteral("_BarGraph1"),
                                    QStringLiteral("_XYGraph1"), QStringLiteral("_NumericList1")}));
    EXPECT_EQ(static_cast<TAnalogMeter*>(Indicators()[0])->Title(), QStringLiteral("油温 }"));
    EXPECT_EQ(static_cast<TNumericList*>(Indicators()[3])->NumRectCount, 3);
    const QString again = folder.path() + QStringLiteral("/again.txt");
    SaveWorkFile(again);
    EXPECT_EQ(ReadFile(again), first);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(WorkFile, TheStarterDashboardIsTheToolsOwnFileWithOneIndicatorOfEachKindSideBySide)
{
    QFile starter(QStringLiteral(ZOLT_SOURCE_DIR "/app/starter/work.txt"));
    ASSERT_TRUE(starter.open(QIODevice::ReadOnly));
    const QByteArray bytes = starter.readAll();
    const std::string shipped(bytes.constData(), std::size_t(bytes.size()));
    WriteWorkFile(shipped);
    Start();
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(Names(), (std::vector<QString>{
                           QStringLiteral("_AnalogMeter1"), QStringLiteral("_NumericList1"),
                           QStringLiteral("_BarGraph1"), QStringLiteral("_XYGraph1")}));
    EXPECT_EQ(static_cast<TAnalogMeter*>(Indicators()[0])->IoName(), "TACHO");
    EXPECT_GE(static_cast<TNumericList*>(Indicators()[1])->NumRectCount, 3);
    // The designed window's dashboard: 839 by 489 less the tool bar and the status bar.
    const QRect designed(0, 0, 839, 489 - 30 - 19);
    for (TIndicator* indicator : Indicators()) {
        EXPECT_TRUE(designed.contains(indicator->geometry()))
            << indicator->objectName().toStdString();
        for (TIndicator* other : Indicators())
            EXPECT_TRUE(other == indicator || !other->geometry().intersects(indicator->geometry()));
    }

    // Saved again unchanged, byte for byte from the first indicator on (the window's place and
    // size follow the desktop it was loaded on).
    SaveWorkFile(WorkPath());
    const std::string saved = ReadFile(WorkPath());
    const std::size_t firstAt = shipped.find("    _AnalogMeter1{\r\n");
    ASSERT_NE(firstAt, std::string::npos);
    EXPECT_EQ(saved.substr(saved.find("    _AnalogMeter1{\r\n")), shipped.substr(firstAt));
}

TEST_F(WorkFile, TextsWithQuotesAndBracesComeBackWholeAfterARestartAndACopy)
{
    Start();
    MouseDownPos = {8, 8};
    auto* dial = static_cast<TAnalogMeter*>(CreateIndicator("_AnalogMeter", nullptr));
    dial->SetTitle(QStringLiteral("}x{"));
    dial->SetLowerLimit("{1\"");
    MouseDownPos = {200, 8};
    auto* bar = static_cast<TBarGraph*>(CreateIndicator("_BarGraph", nullptr));
    bar->SetTitle(QStringLiteral("a\"b{c"));
    bar->SetMarker1("5\"}");
    MouseDownPos = {300, 8};
    auto* xy = static_cast<TXYGraph*>(CreateIndicator("_XYGraph", nullptr));
    xy->SetTitle(QStringLiteral("\""));
    MouseDownPos = {8, 200};
    auto* list = static_cast<TNumericList*>(CreateIndicator("_NumericList", nullptr));
    list->SetTitle(QStringLiteral("油温\"計}"));
    list->SetNumStrList(QStringList{QStringLiteral("Tacho[rpm]"), QStringLiteral("Speed[km/h]")});
    const auto titles = [this] {
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
    const std::vector<QString> made = titles();
    ASSERT_EQ(made, (std::vector<QString>{QStringLiteral("}x{{1\""), QStringLiteral("a\"b{c5\"}"),
                                          QStringLiteral("\""), QStringLiteral("油温\"計}2")}));
    ASSERT_TRUE(QTest::qWaitFor([this] { return AllDrawn(); }, 10000));  // grown as drawn
    const std::vector<QString> names = Names();
    MainForm->close();  // saves
    const std::string saved = ReadFile(WorkPath());
    EXPECT_NE(saved.find("      Title=\"a\"b{c\"\r\n"), std::string::npos);

    Start();
    EXPECT_EQ(Names(), names);
    EXPECT_EQ(titles(), made);
    SaveWorkFile(WorkPath());
    const auto indicatorLines = [](const std::string& file) {
        return file.substr(file.find("    _AnalogMeter1{"));  // the window is fitted on load
    };
    EXPECT_EQ(indicatorLines(ReadFile(WorkPath())), indicatorLines(saved));

    for (TIndicator* indicator : Indicators()) {
        SelectIndicator = indicator;
        MainForm->MenuIndicatorCopyClick(nullptr);
    }
    std::vector<QString> twice = made;
    twice.insert(twice.end(), made.begin(), made.end());
    EXPECT_EQ(titles(), twice);
    EXPECT_TRUE(Messages().empty());
    EXPECT_FALSE(QFile::exists(WorkPath() + QStringLiteral(".bak")));
}

TEST_F(WorkFile, AFileWrittenBeforeQuotesWereReadToTheLineEndLoadsAsBefore)
{
    WriteWorkFile(FileWithPanel(
        BarBlock("_BarGraph1", 9,
                 "      Title=\"{" + platform::ToCp932(QStringLiteral("水温")) + "}\"\r\n") +
        "    _NumericList1{\r\n      Left=200\r\n      Title=\"Oil } {\"\r\n"
        "      NumericName={\"TACHO\",\"SPEED\"}\r\n    }\r\n" +
        BarBlock("_BarGraph2", 300, "      IoName=\"TACHO\"\r\n")));
    Create();
    EXPECT_TRUE(Messages().empty());
    ASSERT_EQ(Names(),
              (std::vector<QString>{QStringLiteral("_BarGraph1"), QStringLiteral("_NumericList1"),
                                    QStringLiteral("_BarGraph2")}));
    EXPECT_EQ(static_cast<TBarGraph*>(Indicators()[0])->Title(), QStringLiteral("{水温}"));
    const auto* list = static_cast<TNumericList*>(Indicators()[1]);
    EXPECT_EQ(list->Title(), QStringLiteral("Oil } {"));
    ASSERT_EQ(list->NumRectCount, 2);
    EXPECT_EQ(list->NumRectArray[1].PortInfo.Designator, std::string("SPEED"));
    EXPECT_EQ(static_cast<TBarGraph*>(Indicators()[2])->IoName(), "TACHO");
    EXPECT_EQ(Indicators()[2]->Left(), 300);
}

TEST_F(WorkFile, SavedSizesComeBackExactlyAfterARestartAndACopy)
{
    // Each kind twice with properties under which its face needs less than under its defaults:
    // at a size it fits in, and at 8 by 8, below its minimum.
    struct Kind {
        const char* header;
        int width, height;
        const char* properties;
    };
    const Kind kinds[] = {
        {"_AnalogMeter1", 128, 72, "ScaleAngle=90"},
        {"_BarGraph1", 64, 80, "Title=\"T\"\r\n      MaxValue=9"},
        {"_XYGraph1", 72, 96,
         "Title=\"T\"\r\n      XMaxValue=9\r\n      YMaxValue=9\r\n"
         "      HeightValue=10"},
        {"_NumericList1", 24, 32, "Title=\"T\""},
    };
    std::string body;
    int left = 1;
    for (const Kind& kind : kinds) {
        for (const QRect rect : {QRect(left, 1, kind.width, kind.height), QRect(left, 177, 8, 8)}) {
            body += "    " + std::string(kind.header) +
                    "{\r\n      Left=" + std::to_string(rect.x()) +
                    "\r\n      Top=" + std::to_string(rect.y()) +
                    "\r\n      Width=" + std::to_string(rect.width()) +
                    "\r\n      Height=" + std::to_string(rect.height()) + "\r\n      " +
                    kind.properties + "\r\n    }\r\n";
        }
        left += 144;  // all inside the window, where they are drawn
    }
    WriteWorkFile(FileWithPanel(body));
    const auto sizes = [this] {
        std::vector<QSize> found;
        for (TIndicator* indicator : Indicators())
            found.push_back(indicator->size());
        return found;
    };
    Create();  // not drawn yet: every indicator as its block says
    const std::vector<QSize> inFile{{128, 72}, {8, 8}, {64, 80}, {8, 8},
                                    {72, 96},  {8, 8}, {24, 32}, {8, 8}};
    EXPECT_EQ(sizes(), inFile);

    Start();  // drawn: the small ones grow to their minimum, the others stay
    ASSERT_TRUE(QTest::qWaitFor([this] { return AllDrawn(); }, 10000));
    std::vector<QSize> shown = sizes();
    for (std::size_t i = 0; i < shown.size(); i += 2) {
        EXPECT_EQ(shown[i], inFile[i]) << i;
        EXPECT_GT(shown[i + 1].width(), 8) << i;
        EXPECT_GT(shown[i + 1].height(), 8) << i;
    }
    for (std::size_t i : {1, 3}) {  // the kinds that know their minimum
        EXPECT_EQ(shown[i], QSize(Indicators()[i]->WidthMin, Indicators()[i]->HeightMin)) << i;
    }

    MainForm->close();  // saves
    Start();
    EXPECT_EQ(sizes(), shown);
    const std::vector<TIndicator*> originals = Indicators();
    for (TIndicator* indicator : originals) {
        SelectIndicator = indicator;
        MainForm->MenuIndicatorCopyClick(nullptr);
    }
    ASSERT_TRUE(QTest::qWaitFor([this] { return AllDrawn(); }, 10000));
    for (std::size_t i = 0; i < originals.size(); ++i) {
        const TIndicator* copy = Indicators()[originals.size() + i];
        EXPECT_EQ(copy->geometry(), originals[i]->geometry().translated(16, 16)) << i;
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(WorkFile, IndicatorsAreNumberedInFileOrderWhateverTheFileSays)
{
    WriteWorkFile(FileWithPanel(BarBlock("_AnalogMeter5", 9) + BarBlock("_BarGraph7", 200) +
                                BarBlock("_AnalogMeter9", 300)));
    Start();
    EXPECT_EQ(Names(),
              (std::vector<QString>{QStringLiteral("_AnalogMeter1"), QStringLiteral("_BarGraph1"),
                                    QStringLiteral("_AnalogMeter2")}));
    EXPECT_EQ(AnalogMeterCount, 2);
    EXPECT_EQ(BarGraphCount, 1);
    SaveWorkFile(WorkPath());
    const std::string saved = ReadFile(WorkPath());
    EXPECT_NE(saved.find("_AnalogMeter2{"), std::string::npos);
    EXPECT_EQ(saved.find("_AnalogMeter5{"), std::string::npos);
    EXPECT_EQ(saved.find("_AnalogMeter9{"), std::string::npos);
}

TEST_F(WorkFile, RecorderBlocksForeignKeysAndUnknownControlsChangeNothing)
{
    WriteWorkFile(FileWithPanel(BarBlock("_BarGraph1", 9) + BarBlock("_BarGraph2", 200)));
    Start();
    SaveWorkFile(WorkPath());
    const std::string plain = ReadFile(WorkPath());

    WriteWorkFile(FileWithPanel(
        BarBlock("_BarGraph1", 9, "      Foreign=77\r\n      Other=\"x y\"\r\n") +
            "    _Recorder1{\r\n      Left=50\r\n      Inner={\r\n      }\r\n    }\r\n" +
            BarBlock("_BarGraph2", 200),
        "  NoSuchControl{\r\n    Left=5\r\n    Inner{\r\n      Top=7\r\n    }\r\n  }\r\n"
        "  timermonitor{\r\n    Left=5\r\n  }\r\n"));
    Start();
    EXPECT_EQ(Names(),
              (std::vector<QString>{QStringLiteral("_BarGraph1"), QStringLiteral("_BarGraph2")}));
    EXPECT_EQ(RecorderCount, 0);
    SaveWorkFile(WorkPath());
    EXPECT_EQ(ReadFile(WorkPath()), plain);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(WorkFile, MalformedHeaderKeepsWhatCameBeforeAndShowsTheMessage)
{
    WriteWorkFile(FileWithPanel(BarBlock("_BarGraph1", 9) + BarBlock("_BarGraph", 200) +
                                BarBlock("_BarGraph3", 300)));
    Create();
    ASSERT_EQ(Messages(), std::vector<QString>{QStringLiteral("不正フォーマット")});
    EXPECT_EQ(boxes.Boxes()[0].text, QStringLiteral("不正フォーマット"));
    EXPECT_EQ(boxes.Boxes()[0].icon, platform::BoxIcon::Error);
    EXPECT_EQ(boxes.Boxes()[0].buttons, platform::BoxButtons::Abort);
    EXPECT_EQ(Names(), std::vector<QString>{QStringLiteral("_BarGraph1")});

    boxes.Clear();
    WriteWorkFile(FileWithPanel(BarBlock("_BarGraph1", 9) + BarBlock("_BarGraph2 ", 200)));
    Create();
    EXPECT_EQ(Messages(), std::vector<QString>{QStringLiteral("不正フォーマット")});
    EXPECT_EQ(Indicators().size(), 1u);
}

TEST_F(WorkFile, ControlByteInAQuotedValueShowsItsMessageAndTheWindowIsNotFitted)
{
    WriteWorkFile("MainForm{\r\n  Left=700\r\n  Width=600\r\n  Caption=\"a\tb\"\r\n}\r\n");
    Create();
    EXPECT_EQ(Messages(), std::vector<QString>{QStringLiteral("不正文字検出")});
    EXPECT_EQ(MainForm->x(), 700);
}

TEST_F(WorkFile, FileCutShortInsideABlockEndsNormallyWithWhatWasRead)
{
    const std::string whole = FileWithPanel(BarBlock("_BarGraph1", 9) +
                                            BarBlock("_BarGraph2", 200, "      Title=\"Cut\"\r\n"));
    WriteWorkFile(whole.substr(0, whole.find("Title=\"Cut\"") + 13) + "      Wid");
    Create();
    EXPECT_TRUE(Messages().empty());
    ASSERT_EQ(Indicators().size(), 2u);
    EXPECT_EQ(static_cast<TBarGraph*>(Indicators()[1])->Title(), QStringLiteral("Cut"));
    EXPECT_EQ(Indicators()[1]->Left(), 200);
}

TEST_F(WorkFile, MissingEmptyBinaryAndHugeFilesNeitherCrashNorHang)
{
    Create();  // no file: no message, the designed place
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(MainForm->pos(), QPoint(823, 0));
    EXPECT_TRUE(Indicators().empty());

    std::mt19937 random(8);
    for (int round = 0; round < 4; ++round) {
        std::string binary(64 * 1024, '\0');
        for (char& c : binary)
            c = char(random());
        WriteWorkFile(binary);
        Create();
    }

    // 5 MB of lines the main window has no use for, then one indicator.
    std::string filler;
    while (filler.size() < 5 * 1024 * 1024)
        filler += "  Unknown=12345\r\n  Other{\r\n    X=\"}{\"\r\n  }\r\n";
    WriteWorkFile(FileWithPanel(BarBlock("_BarGraph1", 9), filler));
    boxes.Clear();
    Create();
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(Indicators().size(), 1u);

    std::string noise(5 * 1024 * 1024, '\0');
    for (char& c : noise)
        c = "{}_=\"\r\n 0123456789AZaz\x81\xff"[random() % 23];
    WriteWorkFile(noise);
    Create();
}

TEST_F(WorkFile, WindowLargerThanTheDesktopComesBackInside)
{
    const std::string header = "PanelWright Work File Ver.1.0\r\n";
    WriteWorkFile(header +
                  "MainForm{\r\n  Left=300\r\n  Top=20\r\n  Width=5000\r\n  Height=300\r\n}\r\n");
    Create();
    EXPECT_EQ(MainForm->width(), Desktop().width());
    EXPECT_EQ(MainForm->maximumSize(), MainForm->minimumSize());  // the file's size, fixed
    EXPECT_EQ(MainForm->x(), 0);
    EXPECT_EQ(MainForm->y(), 20);

    WriteWorkFile(header + "MainForm{\r\n  Left=-50\r\n  Top=-10\r\n  Width=400\r\n  "
                           "Height=99999999999999\r\n}\r\n");
    Create();
    EXPECT_EQ(MainForm->x(), -50);  // never moved right or down
    EXPECT_EQ(MainForm->height(), Desktop().height());
    EXPECT_EQ(MainForm->y(), -10);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(WorkFile, AWindowSavedWithNoSizeStillHoldsItsToolBarAndStatusBar)
{
    WriteWorkFile("PanelWright Work File Ver.1.0\r\nMainForm{\r\n  Left=10\r\n  Top=10\r\n"
                  "  Width=0\r\n  Height=0\r\n}\r\n");
    Start();
    EXPECT_GE(MainForm->height(), MainForm->ToolBar->height() + MainForm->StatusBar->height());
    EXPECT_EQ(MainForm->StatusBar->geometry().bottom(), MainForm->height() - 1);
    for (QToolButton* button :
         {MainForm->ToolButton1, MainForm->ToolButtonSetting, MainForm->ToolButton2}) {
        EXPECT_TRUE(button->isVisible());
        EXPECT_LE(button->mapTo(MainForm, button->rect().bottomRight()).x(), MainForm->width() - 1);
    }
}

TEST_F(WorkFile, IndicatorsBeyondTheRegistryAreReportedOnceAndStillSaved)
{
    std::string body;
    for (int i = 1; i <= 140; ++i)
        body += BarBlock("_BarGraph" + std::to_string(i), 9 + 8 * (i % 60));
    WriteWorkFile(FileWithPanel(body));
    Create();
    const QString tooMany = QStringLiteral("インジケーターが多すぎます。");
    EXPECT_EQ(Messages(), std::vector<QString>{tooMany});
    EXPECT_EQ(Indicators().size(), 140u);
    EXPECT_EQ(IndicatorCount, 127);
    EXPECT_EQ(Indicators().back()->objectName(), QStringLiteral("_BarGraph140"));

    SaveWorkFile(WorkPath());
    const std::string saved = ReadFile(WorkPath());
    EXPECT_EQ(Count(saved, "    _BarGraph"), 140u);
    EXPECT_NE(saved.find("    _BarGraph140{\r\n"), std::string::npos);

    // Once per load: one made afterwards is reported again.
    CreateIndicator("_BarGraph", nullptr);
    EXPECT_EQ(Messages(), (std::vector<QString>{tooMany, tooMany}));
}

TEST_F(WorkFile, LoadBrokenOffKeepsTheFileAsItWasBesideIt)
{
    const std::string bad = FileWithPanel(BarBlock("_BarGraph1", 9) + BarBlock("_BarGraph", 200) +
                                          BarBlock("_BarGraph3", 300));
    WriteWorkFile(bad);
    Start();
    EXPECT_EQ(ReadFile(WorkPath() + QStringLiteral(".bak")), bad);
    MainForm->close();  // writes what was loaded over work.txt
    EXPECT_EQ(Count(ReadFile(WorkPath()), "_BarGraph"), 1u);
    EXPECT_EQ(ReadFile(WorkPath() + QStringLiteral(".bak")), bad);

    // A normal load leaves no copy behind it.
    QFile::remove(WorkPath() + QStringLiteral(".bak"));
    Create();
    EXPECT_FALSE(QFile::exists(WorkPath() + QStringLiteral(".bak")));
}

TEST_F(WorkFile, AFileThatIsNoWorkFileOfOursIsKeptBesideItAndToldOnce)
{
    const std::string ours = FileWithPanel(BarBlock("_BarGraph1", 9));
    std::string utf16 = "\xFF\xFE";  // as an editor saves it
    for (const char c : ours)
        utf16 += std::string{c, '\0'};
    const struct {
        const char* label;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"NUL bytes", std::string(4096, '\0')},
        {"UTF-16", utf16},
        {"other text", "hello\r\n"},
        {"header, then a NUL before its blocks",
         ours.substr(0, 31) + std::string(1, '\0') + ours.substr(31)},
    };
    const QString bak = WorkPath() + QStringLiteral(".bak");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        QFile::remove(bak);
        WriteWorkFile(c.bytes);
        boxes.Clear();
        Create();
        EXPECT_TRUE(Indicators().empty());
        MainForm->close();
        EXPECT_EQ(ReadFile(bak), c.bytes);
        EXPECT_EQ(ReadFile(WorkPath()).rfind("PanelWright Work File Ver.1.0\r\n", 0), 0u);
        EXPECT_EQ(Messages(),
                  std::vector<QString>{
                      QStringLiteral("ファイル %1 は作業ファイルとして読み込めませんでした。\n\r"
                                     "元の内容を %2 に残しました。")
                          .arg(WorkPath(), bak)});
    }

    // The tool's own file, also with line feeds alone, leaves no copy and says nothing.
    QFile::remove(bak);
    for (const std::string& own :
         {ours, std::string("PanelWright Work File Ver.1.0\nMainForm{\n}\n")}) {
        WriteWorkFile(own);
        boxes.Clear();
        Create();
        EXPECT_TRUE(Messages().empty());
        EXPECT_FALSE(QFile::exists(bak));
    }
}

TEST_F(WorkFile, KeyRefusedByAKindIsReportedAndTheProgramStarts)
{
    // A double-byte character where a key stands: the kind's reader raises.
    const std::string bad = FileWithPanel(BarBlock("_BarGraph1", 9) +
                                          BarBlock("_BarGraph2", 200, "      X=\x83\x83=1\r\n") +
                                          BarBlock("_BarGraph3", 300));
    WriteWorkFile(bad);
    Create();
    EXPECT_EQ(Messages(),
              std::vector<QString>{QStringLiteral("キーワードに全角文字が含まれています")});
    EXPECT_EQ(Indicators().size(), 2u);
    EXPECT_EQ(ReadFile(WorkPath() + QStringLiteral(".bak")), bad);
}

TEST_F(WorkFile, SaveReplacesTheFileWholeOrNotAtAll)
{
    WriteWorkFile(FileWithPanel(""));
    Create();
    SaveWorkFile(WorkPath());
    EXPECT_EQ(ReadFile(WorkPath()).rfind("PanelWright Work File Ver.1.0\r\n", 0), 0u);
    // Nothing is left beside it.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("work.txt")});

    // A folder that does not exist: the platform's file-creation error, the old file untouched.
    const std::string before = ReadFile(WorkPath());
    EXPECT_THROW(SaveWorkFile(folder.path() + QStringLiteral("/missing/work.txt")),
                 platform::EPlatformError);
    EXPECT_EQ(ReadFile(WorkPath()), before);
}

}  // namespace
