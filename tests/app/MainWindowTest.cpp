// The real main window (offscreen) with all its forms, polling a meter stand-in over a
// pseudo-terminal. Ticks are driven by hand: the monitor timer is stopped after start-up and the
// test runs the timer's handler once it knows what the line holds.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <string>
#include <vector>

#include "app/ABOUT.h"
#include "app/AnalogMeterSetup.h"
#include "app/ApplicationForms.h"
#include "app/BarGraphSetup.h"
#include "app/Main.h"
#include "app/NumEntry.h"
#include "app/NumericListSetup.h"
#include "app/ProjectOption.h"
#include "app/SourceList.h"
#include "app/XYGraphSetup.h"
#include "indicators/Indicator.h"
#include "indicators/Port.h"
#include "indicators/ZpMainPanel.h"
#include "link/PcCom.h"
#include "link/Progress.h"
#include "platform/FileDialog.h"
#include "platform/WindowFrame.h"
#include "tests/support/ApplicationOnMeter.h"
#include "tests/support/BoxRecorder.h"
#include "tests/support/ComboChoice.h"
#include "tests/support/FileBytes.h"
#include "tests/support/KeyProbe.h"
#include "tests/support/MeterStandIn.h"
#include "tests/support/WindowSystem.h"

using testing_support::KeyProbe;
using testing_support::MeterStandIn;
using testing_support::ReadAll;
using testing_support::SettledOuterGeometry;
using testing_support::UserMayResize;
using testing_support::WriteAll;

namespace {

// A registered indicator that counts the calls of the monitor loop and the repaint-all.
class CountingIndicator : public TIndicator {
public:
    using TIndicator::TIndicator;
    int values = 0;
    int paints = 0;
    void SetValue() override { ++values; }
    void Paint() override { ++paints; }
};

void ZeroAllChannels()
{
    for (int row = 0; !SourceIndexQ7[row].Designator.empty(); ++row)
        *SourceIndexQ7[row].Address = 0;
}

// A meter that knows three channels, two of them in the table.
std::vector<std::string> AnsweringMeter(const std::string& request)
{
    if (request == "@GET_KIND")
        return {MeterStandIn::Ack("@GET_KIND=TACHO,SPEED,NOSUCH")};
    if (request == "@GET_PORT")
        return {MeterStandIn::Ack("@GET_PORT=0BB8FF380001")};
    if (request == "@GET_DATETIME")
        return {MeterStandIn::Ack("@GET_DATETIME=07451306170936")};
    return {};
}

class MainWindow : public testing_support::ApplicationOnMeter {
protected:
    void SetUp() override
    {
        ApplicationOnMeter::SetUp();
        ZeroAllChannels();
    }
    void TearDown() override
    {
        ApplicationOnMeter::TearDown();
        ZeroAllChannels();
    }

    std::vector<std::unique_ptr<CountingIndicator>> AddIndicators(int count)
    {
        std::vector<std::unique_ptr<CountingIndicator>> added;
        for (int i = 0; i < count; ++i) {
            MouseDownPos = {i * 40, 8};
            added.push_back(
                std::make_unique<CountingIndicator>(MainForm->MainPanel, SourceIndexQ7));
            added.back()->show();
        }
        MouseDownPos = {0, 0};
        return added;
    }
};

}  // namespace

TEST_F(MainWindow, StartsWithItsCaptionSizeFolderAndOpenPort)
{
    Start(AnsweringMeter);
    EXPECT_EQ(MainForm->windowTitle(), QStringLiteral("ZOLT Tool Ver.1"));
    EXPECT_EQ(MainForm->size(), QSize(839, 489));
    // A fixed border: no size but this one for the user.
    EXPECT_EQ(MainForm->minimumSize(), MainForm->size());
    EXPECT_EQ(MainForm->maximumSize(), MainForm->size());
    EXPECT_EQ(MainForm->ToolBar->geometry(), QRect(0, 0, 839, 30));
    EXPECT_EQ(MainForm->MainPanel->geometry().top(), 30);
    EXPECT_EQ(MainForm->ToolButton1->text(), QStringLiteral("終了"));
    EXPECT_EQ(MainForm->ToolButtonSetting->toolTip(), QStringLiteral("設定フォームを開く"));
    EXPECT_EQ(MainForm->ToolButton2->toolTip(), QStringLiteral("ファームウェアの更新"));
    EXPECT_TRUE(MainForm->StatusText->text().isEmpty());

    const std::string folderText = folder.path().toStdString() + "/";
    EXPECT_EQ(MainForm->AppDir, folderText);
    EXPECT_EQ(MainForm->WorkFileName, folderText + "work.txt");
    EXPECT_EQ(MainForm->OpenDialog.InitialDir, folder.path() + QLatin1Char('/'));
    EXPECT_EQ(FProjectOption->OpenDialog.InitialDir, folder.path() + QLatin1Char('/'));
    EXPECT_EQ(FProjectOption->SaveDialog.InitialDir, folder.path() + QLatin1Char('/'));

    EXPECT_TRUE(PCom->Comm && PCom->Comm->HandleCheck(false));
    EXPECT_EQ(MainForm->TimerMonitor->interval(), 100);
    EXPECT_TRUE(MainForm->AppConfigRead);
    EXPECT_TRUE(boxes.Boxes().empty());
    for (int i = 0; i < TMonitorLoop::MaxPorts; ++i)
        EXPECT_EQ(MainForm->PortMap[i], -1);
}

TEST_F(MainWindow, PollsTheMeterAndFeedsChannelsIndicatorsAndStatusBar)
{
    Start(AnsweringMeter);
    auto indicators = AddIndicators(3);

    Tick();
    ASSERT_EQ(meter.Requests(), std::vector<std::string>{"@GET_KIND"});
    std::vector<std::pair<int, std::string>> polled;
    for (int i = 0; i < 25; ++i) {
        const int tick = MainForm->MonitorTick;
        const auto before = meter.Requests().size();
        Tick();
        ASSERT_EQ(meter.Requests().size(), before + 1);
        polled.emplace_back(tick, meter.Requests().back());
    }
    for (const auto& [tick, request] : polled)
        EXPECT_EQ(request, tick == 0 ? "@GET_DATETIME" : "@GET_PORT") << "tick " << tick;

    EXPECT_EQ(MainForm->PortCount, 3);
    EXPECT_EQ(MainForm->PortMap[2], -1);
    EXPECT_EQ(Tacho, 3000);
    EXPECT_EQ(Speed, -200);
    EXPECT_EQ(MainForm->StatusText->text(), QStringLiteral("2016/09/17-13:45:07"));
    for (const auto& indicator : indicators)
        EXPECT_EQ(indicator->values, 25);  // one round per reply
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(MainWindow, ANakRunsOutAfterTwentyTicksAndTheChannelsAreAskedForAgain)
{
    Start(AnsweringMeter);
    Ticks(3);  // "@GET_KIND", its reply, a value reply
    ASSERT_EQ(Tacho, 3000);
    UseScript([](const std::string& request) {
        return request == "@GET_KIND" ? AnsweringMeter(request)
                                      : std::vector<std::string>{MeterStandIn::Nak("")};
    });
    Tick();  // takes the value reply, sends "@GET_PORT", answered with NAK
    ASSERT_TRUE(QTest::qWaitFor([] { return !PCom->Rx.Empty(); }, Bound));
    Ticks(19);
    EXPECT_EQ(Tacho, 3000);
    EXPECT_EQ(MainForm->RequestState, eReqPoll);
    Tick();
    EXPECT_EQ(Tacho, 0);
    EXPECT_EQ(Speed, 0);
    EXPECT_EQ(MainForm->RequestState, eReqIdle);
    const auto before = meter.Requests().size();
    Ticks(10);
    const auto requests = meter.Requests();
    EXPECT_NE(std::find(requests.begin() + before - 1, requests.end(), "@GET_KIND"),
              requests.end());
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(MainWindow, ASilentMeterIsAskedOnceEveryTwoSeconds)
{
    Start([](const std::string&) { return std::vector<std::string>{}; });
    Ticks(61);
    EXPECT_EQ(meter.Requests(), (std::vector<std::string>(4, "@GET_KIND")));
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(MainWindow, FortyChannelNamesSubscribeThirtyTwo)
{
    std::string names = "@GET_KIND=";
    for (int i = 0; i < 40; ++i)
        names += i % 2 ? "SPEED," : "TACHO,";
    Start([names](const std::string& request) {
        return request == "@GET_KIND" ? std::vector<std::string>{MeterStandIn::Ack(names)}
                                      : std::vector<std::string>{};
    });
    Ticks(2);
    EXPECT_EQ(MainForm->PortCount, 32);
    EXPECT_EQ(MainForm->PortMap[31], 6);  // SPEED's row
}

TEST_F(MainWindow, AReceiveOverflowIsReportedOnceAndThePortRestsUntilOpenedAgain)
{
    Start([](const std::string&) { return std::vector<std::string>{}; });
    Tick();  // "@GET_KIND", no answer
    // 32 replies arrive before the next tick: the ring overflows.
    std::string flood;
    for (int i = 0; i < 32; ++i)
        flood += MeterStandIn::Ack("@HELLO");
    meter.Send(flood);
    ASSERT_TRUE(QTest::qWaitFor([] { return PCom->Rx.ErrorFlags() != 0; }, Bound));
    Ticks(60);
    EXPECT_EQ(boxes.Texts(), std::vector<QString>{QStringLiteral("受信バッファオーバーフロー")});
    EXPECT_FALSE(PCom->Comm->HandleCheck(false));
    EXPECT_EQ(meter.Requests().size(), 1u);
    EXPECT_FALSE(MainForm->WaitingReply);
    EXPECT_EQ(MainForm->RequestState, eReqIdle);

    // The user opens the port again (from the communication panel): polling starts over.
    PCom->SetPortOpen(true);
    Ticks(10);
    ASSERT_TRUE(meter.WaitForRequests(2));
    EXPECT_EQ(meter.Requests().back(), "@GET_KIND");
    EXPECT_EQ(boxes.Texts().size(), 1u);
}

TEST_F(MainWindow, APulledMeterIsReportedOnceAndPollingResumesWhenItIsChosenAgain)
{
    // The meter's line is listed under a name of its own, as an adapter's device is.
    const QString name = folder.filePath(QStringLiteral("ttyUSB0"));
    ASSERT_TRUE(QFile::link(meter.PortName(), name));
    Start(AnsweringMeter, name);
    Ticks(3);
    ASSERT_EQ(Tacho, 3000);

    meter.Vanish();
    ASSERT_TRUE(QTest::qWaitFor([] { return !PCom->Comm->HandleCheck(false); }, Bound));
    for (int i = 0; i < 30; ++i)
        MainForm->TimerMonitorTimer();  // monitoring goes on quietly
    EXPECT_EQ(boxes.Texts(),
              std::vector<QString>{QStringLiteral("通信ポートが切断されました\n\r") + name});
    EXPECT_TRUE(PCom->Port->isEnabled());

    // The meter is back under the same name; the user chooses it in the panel.
    MeterStandIn back;
    back.SetScript(AnsweringMeter);
    ASSERT_TRUE(QFile::remove(name));
    ASSERT_TRUE(QFile::link(back.PortName(), name));
    MainForm->ShowCommPanel();
    testing_support::ChooseFromList(*PCom->Port, 0);
    ASSERT_TRUE(PCom->Comm->HandleCheck(false));
    ZeroAllChannels();
    MainForm->TimerMonitor->start();
    EXPECT_TRUE(QTest::qWaitFor([] { return Tacho == 3000 && Speed == -200; }, Bound));
    EXPECT_EQ(boxes.Boxes().size(), 1u);
}

TEST_F(MainWindow, AMonitorTickRunsInsideAnOpenMessageBox)
{
    Start(AnsweringMeter);
    Ticks(2);
    UseScript([](const std::string&) { return std::vector<std::string>{}; });
    Tick();  // the value reply; the next "@GET_PORT" stays unanswered
    ASSERT_EQ(MainForm->RequestState, eReqPoll);
    // A bad context reply is waiting; while its box is open the running timer takes the value
    // reply behind it.
    Tacho = 0;
    std::string bad(144, '0');
    bad[3] = 'g';
    meter.Send(MeterStandIn::Ack("@GET_SYS=" + bad) + MeterStandIn::Ack("@GET_PORT=0BB8"));
    ASSERT_TRUE(QTest::qWaitFor([] { return !PCom->Rx.Empty(); }, Bound));
    int nested = 0;
    auto previous = platform::SetBoxPresenter([&](const platform::BoxRequest&) {
        MainForm->TimerMonitor->start(10);
        nested = QTest::qWaitFor([] { return Tacho == 3000; }, Bound);
        MainForm->TimerMonitor->stop();
        return platform::BoxResult::Abort;
    });
    MainForm->TimerMonitorTimer();
    platform::SetBoxPresenter(std::move(previous));
    EXPECT_TRUE(nested);
    EXPECT_EQ(boxes.Beeps(), 1);
}

TEST_F(MainWindow, F2ShowsTheCommunicationPanelBelowTheWindowAndHidesItAgain)
{
    Start(AnsweringMeter);
    auto* probe = new KeyProbe(MainForm->MainPanel);
    probe->show();
    QApplication::setActiveWindow(MainForm);
    probe->setFocus();

    // A window small enough to leave room below it, in the work area's top left corner.
    auto added = AddIndicators(1);
    added.front()->setGeometry(8, 8, 200, 100);
    MainForm->MainPanel->UpdateSize();
    const QRect area = QGuiApplication::primaryScreen()->availableVirtualGeometry();
    platform::MoveOuter(*MainForm, area.topLeft());
    const QRect main = SettledOuterGeometry(*MainForm);

    QTest::keyClick(MainForm->windowHandle(), Qt::Key_F2);
    ASSERT_TRUE(PCom->isVisible());
    EXPECT_EQ(SettledOuterGeometry(*PCom).topLeft(), main.bottomLeft() + QPoint(0, 1));
    QTest::keyClick(MainForm->windowHandle(), Qt::Key_F2);
    EXPECT_FALSE(PCom->isVisible());
    QTest::keyClick(MainForm->windowHandle(), Qt::Key_F3);
    EXPECT_EQ(probe->keys, std::vector<int>{Qt::Key_F3});  // F2 never reached the control

    // A held F2 repeats: each key-down toggles.
    QTest::keyPress(probe, Qt::Key_F2);
    QTest::keyPress(probe, Qt::Key_F2);
    QTest::keyPress(probe, Qt::Key_F2);
    EXPECT_TRUE(PCom->isVisible());
    QTest::keyClick(probe, Qt::Key_F2);
    EXPECT_FALSE(PCom->isVisible());
    EXPECT_EQ(probe->keys, std::vector<int>{Qt::Key_F3});

    // Not while the numeric entry dialog is shown.
    NumEntryForm->show();
    QTest::keyClick(NumEntryForm->EditValue, Qt::Key_F2);
    EXPECT_FALSE(PCom->isVisible());
    NumEntryForm->hide();

    // Shift as the last message had it.
    QTest::mouseClick(probe, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_TRUE(MainForm->ShiftDown);
    QTest::mouseClick(probe, Qt::LeftButton);
    EXPECT_FALSE(MainForm->ShiftDown);
}

TEST_F(MainWindow, ItsBorderIsFixedAndItAndTheCommunicationPanelStayOnTheWorkArea)
{
    Start(AnsweringMeter);
    EXPECT_FALSE(UserMayResize(*MainForm));
    const QRect area = QGuiApplication::primaryScreen()->availableVirtualGeometry();
    auto added = AddIndicators(1);
    TIndicator& indicator = *added.front();
    const auto extendTo = [&](int right, int bottom) {
        indicator.setGeometry(8, 8, right - 8, bottom - 8);
        MainForm->MainPanel->UpdateSize();  // as every step of a drag does
        return SettledOuterGeometry(*MainForm);
    };

    // A window that fits, in the work area's bottom right corner.
    const QRect small = extendTo(400, 100);
    platform::MoveOuter(*MainForm,
                        area.bottomRight() - QPoint(small.width(), small.height()) + QPoint(1, 1));
    EXPECT_EQ(SettledOuterGeometry(*MainForm).bottomRight(), area.bottomRight());

    // A drag that grows it past the work area's edges moves it back inside, its size kept.
    QRect grown = extendTo(500, 150);
    EXPECT_TRUE(area.contains(grown)) << grown.x() << "," << grown.y();
    EXPECT_EQ(grown.size(), small.size() + QSize(100, 50));
    EXPECT_EQ(grown.bottomRight(), area.bottomRight());

    // F2 with no room below the window: the communication panel stands on the work area.
    QTest::keyClick(MainForm->windowHandle(), Qt::Key_F2);
    ASSERT_TRUE(PCom->isVisible());
    const QRect panel = SettledOuterGeometry(*PCom);
    EXPECT_TRUE(area.contains(panel)) << panel.x() << "," << panel.y();
    QTest::keyClick(MainForm->windowHandle(), Qt::Key_F2);
    EXPECT_FALSE(PCom->isVisible());

    // Larger than the work area: as large as the work area, on it, and still fixed.
    grown = extendTo(area.width() + 100, area.height() + 100);
    EXPECT_EQ(grown, area);
    EXPECT_EQ(MainForm->minimumSize(), MainForm->maximumSize());
    EXPECT_FALSE(UserMayResize(*MainForm));
}

TEST_F(MainWindow, TheFirmwareButtonStopsMonitoringOnlyWhileAFileIsUsed)
{
    Start(AnsweringMeter);
    MainForm->TimerMonitor->start();
    platform::FileDialogRequest seen;
    std::optional<QString> answer;
    auto previous =
        platform::SetFileDialogPresenter([&](const platform::FileDialogRequest& request) {
            seen = request;
            EXPECT_FALSE(MainForm->TimerMonitor->isActive());
            return answer;
        });
    QTest::mouseClick(MainForm->ToolButton2, Qt::LeftButton);
    EXPECT_EQ(seen.Filter, QStringLiteral("MOTファイル(*.mot)|*.mot"));
    EXPECT_EQ(seen.InitialDir, folder.path() + QLatin1Char('/'));
    EXPECT_TRUE(MainForm->TimerMonitor->isActive());

    answer = folder.path() + QStringLiteral("/new.mot");
    QTest::mouseClick(MainForm->ToolButton2, Qt::LeftButton);
    EXPECT_EQ(MainForm->OpenDialog.InitialDir, *answer);
    // The file cannot be used (it does not exist): monitoring goes on.
    EXPECT_TRUE(MainForm->TimerMonitor->isActive());
    platform::SetFileDialogPresenter(std::move(previous));
}

TEST_F(MainWindow, RepaintAllPaintsEveryRegisteredIndicator)
{
    Start(AnsweringMeter);
    auto indicators = AddIndicators(2);
    for (auto& indicator : indicators)
        indicator->paints = 0;
    MainForm->PaintAllIndicators();
    for (const auto& indicator : indicators)
        EXPECT_EQ(indicator->paints, 1);
}

TEST_F(MainWindow, ClosingClosesThePortAndEndsTheMonitorLoop)
{
    Start(AnsweringMeter);
    MainForm->TimerMonitor->start();
    bool closed = false;
    QObject::connect(MainForm, &TMainForm::Closed, [&] { closed = true; });
    QTest::mouseClick(MainForm->ToolButton1, Qt::LeftButton);
    EXPECT_TRUE(closed);
    EXPECT_FALSE(MainForm->isVisible());
    EXPECT_FALSE(PCom->Comm->HandleCheck(false));
    EXPECT_FALSE(MainForm->TimerMonitor->isActive());
}

TEST_F(MainWindow, APortThatDoesNotOpenIsReportedAndStartUpGoesOn)
{
    meter.SetScript(AnsweringMeter);
    const QString port = meter.PortName();
    forms = std::make_unique<TApplicationForms>(folder.path() + QStringLiteral("/zolt-tool"),
                                                [port] { return std::vector<QString>{port}; });
    // The device goes away between the port scan and the window's showing.
    meter.Vanish();
    MainForm->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(MainForm));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_FALSE(PCom->Comm->HandleCheck(false));
    EXPECT_TRUE(MainForm->TimerMonitor->isActive());
    EXPECT_TRUE(MainForm->AppConfigRead);
    MainForm->TimerMonitor->stop();
    for (int i = 0; i < 30; ++i)
        MainForm->TimerMonitorTimer();
    EXPECT_EQ(boxes.Boxes().size(), 1u);  // no report on every tick
}

namespace {

QByteArray Pattern(int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(i * 7 + 1);
    return bytes;
}

}  // namespace

TEST_F(MainWindow, TheConfigurationReadAtStartIsWrittenBackAtClose)
{
    // A folder whose name code page 932 cannot hold still names the right files.
    const QString programFolder = folder.path() + QStringLiteral("/dossier-é");
    ASSERT_TRUE(QDir().mkpath(programFolder));
    const QString config = programFolder + QStringLiteral("/ZOLT.ZLC");
    QByteArray stored = Pattern(72);
    stored += QByteArray("/tmp/fw.mot");
    stored += QByteArray(328 - stored.size(), '\0');
    ASSERT_NO_FATAL_FAILURE(WriteAll(config, stored));

    meter.SetScript(AnsweringMeter);
    const QString port = meter.PortName();
    forms = std::make_unique<TApplicationForms>(programFolder + QStringLiteral("/zolt-tool"),
                                                [port] { return std::vector<QString>{port}; });
    EXPECT_EQ(MainForm->AppFolder, programFolder + QLatin1Char('/'));
    MainForm->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(MainForm));
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(FProjectOption->Context), 72), Pattern(72));
    EXPECT_EQ(MainForm->OpenDialog.InitialDir, QStringLiteral("/tmp/fw.mot"));

    MainForm->close();
    EXPECT_EQ(ReadAll(config), stored);
}

TEST_F(MainWindow, AConfigurationNeverReadIsNeverOverwritten)
{
    const QString config = folder.path() + QStringLiteral("/ZOLT.ZLC");
    ASSERT_NO_FATAL_FAILURE(WriteAll(config, Pattern(328)));
    meter.SetScript(AnsweringMeter);
    const QString port = meter.PortName();
    forms = std::make_unique<TApplicationForms>(folder.path() + QStringLiteral("/zolt-tool"),
                                                [port] { return std::vector<QString>{port}; });
    // Closed before it was ever shown: the configuration was not read.
    FProjectOption->Context[0] = 0xEE;
    MainForm->close();
    EXPECT_FALSE(MainForm->AppConfigRead);
    EXPECT_EQ(ReadAll(config), Pattern(328));
}

TEST_F(MainWindow, AFirstRunWritesAZeroContext)
{
    Start(AnsweringMeter);
    MainForm->close();
    const QByteArray written = ReadAll(folder.path() + QStringLiteral("/ZOLT.ZLC"));
    ASSERT_EQ(written.size(), 328);
    EXPECT_EQ(written.left(72), QByteArray(72, '\0'));
    EXPECT_EQ(written.mid(72, folder.path().toUtf8().size() + 1), folder.path().toUtf8() + '/');
}

TEST_F(MainWindow, TheElevenFormsStandWithTheirCaptions)
{
    Start(AnsweringMeter);
    EXPECT_EQ(AboutBox->windowTitle(), QStringLiteral("バージョン情報"));
    EXPECT_EQ(PCom->windowTitle(), QStringLiteral("シリアル通信パネル"));
    EXPECT_EQ(NumEntryForm->windowTitle(), QStringLiteral("数値入力"));
    EXPECT_EQ(FBarGraphSetting->windowTitle(), QStringLiteral("バーグラフ設定"));
    EXPECT_EQ(FNumericListSetup->windowTitle(), QStringLiteral("数値リスト設定"));
    EXPECT_EQ(FSourceList->windowTitle(), QStringLiteral("ソースセレクト"));
    EXPECT_EQ(FProjectOption->windowTitle(), QStringLiteral("設定"));
    EXPECT_EQ(FAnalogMeterSetting->windowTitle(), QStringLiteral("ダイヤルメーター設定"));
    EXPECT_EQ(FXYGraphSetting->windowTitle(), QStringLiteral("XY-グラフ設定"));
    ASSERT_NE(ProgressForm, nullptr);
    for (QWidget* form : std::initializer_list<QWidget*>{
             AboutBox, PCom, NumEntryForm, FBarGraphSetting, FNumericListSetup, FSourceList,
             FProjectOption, FAnalogMeterSetting, FXYGraphSetting, ProgressForm})
        EXPECT_FALSE(form->isVisible()) << form->objectName().toStdString();
    forms.reset();
    EXPECT_EQ(MainForm, nullptr);
    EXPECT_EQ(PCom, nullptr);
    EXPECT_EQ(ProgressForm, nullptr);
}

TEST_F(MainWindow, TheNumericEntryDialogClosesWithEnterAndEsc)
{
    Start(AnsweringMeter);
    int result = 0;
    auto press = [&](Qt::Key key) {
        QTimer::singleShot(0, [key] {
            NumEntryForm->EditValue->setText(QStringLiteral("123"));
            QTest::keyClick(NumEntryForm->EditValue, key);
        });
        result = NumEntryForm->exec();
    };
    press(Qt::Key_Return);
    EXPECT_EQ(result, 1);
    press(Qt::Key_Escape);
    EXPECT_EQ(result, -1);
    EXPECT_EQ(NumEntryForm->EditValue->maxLength(), 10);
    QTimer::singleShot(0, [] { NumEntryForm->ButtonCancel->click(); });
    EXPECT_EQ(NumEntryForm->exec(), -1);
    QTimer::singleShot(0, [] { NumEntryForm->ButtonOk->click(); });
    EXPECT_EQ(NumEntryForm->exec(), 1);
}
