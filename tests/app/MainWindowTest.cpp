// The real application against a meter stand-in over a pseudo-terminal: start, polling, the
// settings window's commands and the configuration file through start and close. Ticks are
// driven by hand: the monitor timer is stopped after start-up and the test runs its handler once
// it knows what the line holds.
#include <deque>
#include <functional>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

#include "app/NumEntry.h"
#include "app/ProjectOption.h"
#include "indicators/Port.h"
#include "link/PcCom.h"
#include "platform/Cp932.h"
#include "platform/FileDialog.h"
#include "platform/LocalTime.h"
#include "platform/WindowFrame.h"
#include "tests/app/DashboardFixture.h"
#include "tests/support/KeyProbe.h"
#include "tests/support/MeterStandIn.h"

using testing_support::MeterStandIn;
using testing_support::ReadAll;
using testing_support::SettledOuterGeometry;
using testing_support::WriteAll;

namespace {

// The meter's context: word i holds 100 * i.
std::string MeterContextDigits()
{
    std::string digits;
    for (int word = 0; word < 36; ++word)
        digits += QByteArray::number(100 * word, 16).toUpper().rightJustified(4, '0').toStdString();
    return digits;
}

// A meter that knows three channels, two of them in the table, and takes every command.
std::vector<std::string> Meter(const std::string& request)
{
    const std::pair<const char*, std::string> replies[] = {
        {"@GET_KIND", "@GET_KIND=TACHO,SPEED,NOSUCH"},
        {"@GET_PORT", "@GET_PORT=0BB8FF380001"},
        {"@GET_DATETIME", "@GET_DATETIME=07451306170936"},
        {"@GET_SYS", "@GET_SYS=" + MeterContextDigits()},
        {"@SET_SYS(", "@SET_SYS"},
        {"@SET_DATETIME(", "@SET_DATETIME"}};
    for (const auto& [asked, reply] : replies) {
        if (request.starts_with(asked))
            return {MeterStandIn::Ack(reply)};
    }
    return {};
}

// A registered indicator that counts the monitor loop's calls.
class CountingIndicator : public TIndicator {
public:
    using TIndicator::TIndicator;
    int values = 0;
    void SetValue() override { ++values; }
    void Paint() override {}
};

CountingIndicator* AddIndicator(int left)
{
    MouseDownPos = {left, 8};
    auto* indicator = new CountingIndicator(MainForm->MainPanel, SourceIndexQ7);
    indicator->show();
    return indicator;
}

class OnMeter : public testing_support::Dashboard {
protected:
    void TearDown() override
    {
        Dashboard::TearDown();
        for (int row = 0; !SourceIndexQ7[row].Designator.empty(); ++row)
            *SourceIndexQ7[row].Address = 0;
        platform::SetFileDialogPresenter(std::move(previousDialogs_));
    }

    void StartOnMeter()
    {
        meter.SetScript(Meter);
        ASSERT_NO_FATAL_FAILURE(Start({meter.PortName()}));
        answers_ = taken_ = 0;
    }

    // One tick after the line has settled: a reply the meter sends to the waiting request is in
    // the ring before the tick runs.
    void Tick()
    {
        if (MainForm->WaitingReply && answers_ > taken_) {
            ASSERT_TRUE(QTest::qWaitFor([] { return !PCom->Rx.Empty(); }, Bound));
            ++taken_;
        }
        ASSERT_TRUE(QTest::qWaitFor([] { return !PCom->Comm->Sending(); }, Bound));
        const auto before = meter.Requests().size();
        const int tick = MainForm->MonitorTick;
        MainForm->TimerMonitorTimer();
        // A tick that reported a bad context reply ends at once, without counting itself.
        if (MainForm->MonitorTick != tick && MainForm->WaitingReply &&
            MainForm->ReplyTimeout == TMonitorLoop::ReplyTimeoutTicks) {
            ASSERT_TRUE(meter.WaitForRequests(before + 1));
            answers_ += !Meter(meter.Requests().back()).empty();
        }
    }
    void Ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            Tick();
    }

    void ChooseFiles(std::vector<QString> names)
    {
        auto queue = std::make_shared<std::deque<QString>>(names.begin(), names.end());
        previousDialogs_ = platform::SetFileDialogPresenter(
            [queue](const platform::FileDialogRequest&) -> std::optional<QString> {
                if (queue->empty())
                    return std::nullopt;
                const QString name = queue->front();
                queue->pop_front();
                return name;
            });
    }

    MeterStandIn meter;

private:
    platform::FileDialogPresenter previousDialogs_;
    int answers_ = 0;
    int taken_ = 0;
};

TEST_F(OnMeter, StartsOnTheLinePollsTheMeterIntoChannelsIndicatorsAndStatusBarAndClosesIt)
{
    StartOnMeter();
    EXPECT_EQ(MainForm->size(), QSize(839, 489));
    EXPECT_EQ(MainForm->AppDir, folder.path().toStdString() + "/");
    EXPECT_TRUE(PCom->Comm && PCom->Comm->HandleCheck(false));
    EXPECT_EQ(MainForm->TimerMonitor->interval(), 100);
    const CountingIndicator* indicators[] = {AddIndicator(0), AddIndicator(40), AddIndicator(80)};

    Tick();
    ASSERT_EQ(meter.Requests(), std::vector<std::string>{"@GET_KIND"});
    for (int i = 0; i < 25; ++i) {
        const int tick = MainForm->MonitorTick;
        Tick();
        ASSERT_EQ(meter.Requests().size(), i + 2u);
        EXPECT_EQ(meter.Requests().back(), tick == 0 ? "@GET_DATETIME" : "@GET_PORT") << tick;
    }
    EXPECT_EQ(MainForm->PortCount, 3);
    EXPECT_EQ(Tacho, 3000);
    EXPECT_EQ(Speed, -200);
    EXPECT_EQ(MainForm->StatusText->text(), QStringLiteral("2016/09/17-13:45:07"));
    for (const CountingIndicator* indicator : indicators)
        EXPECT_EQ(indicator->values, 25);  // one round per reply
    EXPECT_TRUE(boxes.Boxes().empty());

    MainForm->TimerMonitor->start();
    QTest::mouseClick(MainForm->ToolButton1, Qt::LeftButton);
    EXPECT_FALSE(MainForm->isVisible());
    EXPECT_FALSE(PCom->Comm->HandleCheck(false));
    EXPECT_FALSE(MainForm->TimerMonitor->isActive());
}

TEST_F(OnMeter, F2TogglesTheCommunicationPanelBelowTheWindowAndTheWindowStaysOnTheWorkArea)
{
    StartOnMeter();
    auto* probe = new testing_support::KeyProbe(MainForm->MainPanel);
    probe->show();
    QApplication::setActiveWindow(MainForm);
    probe->setFocus();
    TIndicator* indicator = AddIndicator(8);
    const QRect area = QGuiApplication::primaryScreen()->availableVirtualGeometry();
    const auto extendTo = [&](int right, int bottom) {
        indicator->setGeometry(8, 8, right - 8, bottom - 8);
        MainForm->MainPanel->UpdateSize();  // as every step of a drag does
        return SettledOuterGeometry(*MainForm);
    };
    const QRect small = extendTo(400, 100);
    platform::MoveOuter(*MainForm, area.topLeft());
    const QRect main = SettledOuterGeometry(*MainForm);

    QTest::keyClick(MainForm->windowHandle(), Qt::Key_F2);
    ASSERT_TRUE(PCom->isVisible());
    EXPECT_EQ(SettledOuterGeometry(*PCom).topLeft(), main.bottomLeft() + QPoint(0, 1));
    QTest::keyPress(probe, Qt::Key_F2);  // held: each key-down toggles
    QTest::keyPress(probe, Qt::Key_F2);
    EXPECT_TRUE(PCom->isVisible());
    QTest::keyClick(probe, Qt::Key_F2);
    EXPECT_FALSE(PCom->isVisible());
    NumEntryForm->show();  // not while the numeric entry dialog is shown
    QTest::keyClick(NumEntryForm->EditValue, Qt::Key_F2);
    EXPECT_FALSE(PCom->isVisible());
    NumEntryForm->hide();
    QTest::keyClick(probe, Qt::Key_F3);
    EXPECT_EQ(probe->keys, std::vector<int>{Qt::Key_F3});  // F2 never reached the control

    // In the bottom right corner a drag that grows the window moves it back, its size kept;
    // larger than the work area it is as large as the work area. The border stays fixed.
    platform::MoveOuter(*MainForm,
                        area.bottomRight() - QPoint(small.width(), small.height()) + QPoint(1, 1));
    QRect grown = extendTo(500, 150);
    EXPECT_EQ(grown.size(), small.size() + QSize(100, 50));
    EXPECT_EQ(grown.bottomRight(), area.bottomRight());
    QTest::keyClick(MainForm->windowHandle(), Qt::Key_F2);
    EXPECT_TRUE(area.contains(SettledOuterGeometry(*PCom)));
    grown = extendTo(area.width() + 100, area.height() + 100);
    EXPECT_EQ(grown, area);
    EXPECT_FALSE(testing_support::UserMayResize(*MainForm));
}

TEST_F(OnMeter, TheNumericEntryDialogAnswersEnterAndOkWithOneEscAndCancelWithMinusOne)
{
    StartOnMeter();
    const std::pair<std::function<void()>, int> cases[] = {
        {[] { QTest::keyClick(NumEntryForm->EditValue, Qt::Key_Return); }, 1},
        {[] { QTest::keyClick(NumEntryForm->EditValue, Qt::Key_Escape); }, -1},
        {[] { NumEntryForm->ButtonOk->click(); }, 1},
        {[] { NumEntryForm->ButtonCancel->click(); }, -1},
    };
    for (const auto& c : cases) {
        QTimer::singleShot(0, [&c] {
            NumEntryForm->EditValue->setText(QStringLiteral("123"));
            c.first();
        });
        EXPECT_EQ(NumEntryForm->exec(), c.second);
    }
    EXPECT_EQ(NumEntryForm->EditValue->maxLength(), 10);
}

TEST_F(OnMeter, TheSettingsWindowReadsWritesAndSetsTheClockThroughTheMonitorLoop)
{
    const platform::LocalClock systemClock =
        platform::SetLocalClock([] { return platform::LocalTime{2016, 9, 6, 17, 13, 45, 7, 250}; });
    StartOnMeter();
    Tick();  // "@GET_KIND", answered
    std::vector<std::string> whileShown;
    QTimer::singleShot(0, FProjectOption, [&] {
        const QPoint offset = SettledOuterGeometry(*FProjectOption).center() -
                              SettledOuterGeometry(*MainForm).center();
        EXPECT_LE(offset.manhattanLength(), 8);  // centred on the main window
        EXPECT_EQ(FProjectOption->EditTireLength->text(), QStringLiteral("500"));
        Ticks(25);  // the reply that was waiting is taken; then the loop sends nothing
        EXPECT_EQ(meter.Requests().size(), 1u);

        QTest::mouseClick(FProjectOption->ToolButtonRead, Qt::LeftButton);
        Ticks(2);
        EXPECT_EQ(FProjectOption->EditTireLength->text(), QStringLiteral("300"));   // word 3
        EXPECT_EQ(FProjectOption->EditAlarmTacho->text(), QStringLiteral("3100"));  // word 31
        EXPECT_EQ(FProjectOption->EditIntval[11]->text(), QStringLiteral("3000"));  // word 30

        FProjectOption->EditTireLength->setText(QStringLiteral("-1"));
        FProjectOption->EditAlarmOilTemp->setText(QStringLiteral("12x"));
        QTest::mouseClick(FProjectOption->ToolButtonWrite, Qt::LeftButton);
        EXPECT_EQ(Messages(), std::vector<QString>{QStringLiteral("''12x'' は整数ではありません")});
        EXPECT_EQ(MainForm->RequestState, eReqIdle);
        Ticks(12);
        EXPECT_EQ(meter.Requests().size(), 2u);  // no "@SET_SYS(" for it
        FProjectOption->EditAlarmOilTemp->setText(QStringLiteral("12"));
        QTest::mouseClick(FProjectOption->ToolButtonWrite, Qt::LeftButton);
        Ticks(2);
        QTest::mouseClick(FProjectOption->ToolButtonDatetime, Qt::LeftButton);
        Ticks(17);
        whileShown = meter.Requests();
        QTest::keyClick(FProjectOption->EditSector, Qt::Key_F2);  // the main window's hook rests
        EXPECT_FALSE(PCom->isVisible());
        QTest::keyClick(FProjectOption->EditSector, Qt::Key_Escape);
    });
    QTest::mouseClick(MainForm->ToolButtonSetting, Qt::LeftButton);
    ASSERT_FALSE(FProjectOption->isVisible());
    platform::SetLocalClock(systemClock);

    ASSERT_EQ(whileShown.size(), 4u);
    EXPECT_EQ(whileShown[1], "@GET_SYS");
    std::string written = MeterContextDigits();
    written.replace(12, 4, "FFFF");   // word 3
    written.replace(132, 4, "000C");  // word 33, the oil temperature alarm
    EXPECT_EQ(whileShown[2], "@SET_SYS(" + written);
    EXPECT_EQ(whileShown[3], "@SET_DATETIME(07451306170936)");
    EXPECT_EQ(boxes.Beeps(), 2);  // the write's and the clock's acknowledgements

    // Closed: the main window's hook is back and the loop asks for the channel list again.
    QTest::keyClick(MainForm->windowHandle(), Qt::Key_F2);
    EXPECT_TRUE(PCom->isVisible());
    Ticks(10);
    ASSERT_GT(meter.Requests().size(), 4u);
    EXPECT_EQ(meter.Requests()[4], "@GET_KIND");
}

TEST_F(OnMeter, TheConfigurationReadAtStartComesBackAtCloseWithTheChosenFirmwareFile)
{
    // A program folder whose name code page 932 cannot hold still names the right files.
    ASSERT_TRUE(QDir().mkpath(Path(QStringLiteral("dossier-é"))));
    const QString config = Path(QStringLiteral("dossier-é/ZOLT.ZLC"));
    QByteArray original(328, '\0');
    for (int i = 0; i < 328; ++i)
        original[i] = char(i * 3 + 1);
    const QByteArray firmwareFolder =
        QByteArray::fromStdString(platform::ToCp932(QStringLiteral("/ファーム/v2.mot")));
    original.replace(72, firmwareFolder.size() + 1, firmwareFolder + '\0');
    WriteAll(config, original);
    const QString firmware = Path(QStringLiteral("新版/zolt.mot"));  // not there
    ChooseFiles({firmware});
    meter.SetScript(Meter);
    forms = std::make_unique<TApplicationForms>(
        Path(QStringLiteral("dossier-é/zolt-tool")),
        [port = meter.PortName()] { return std::vector<QString>{port}; });
    MainForm->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(MainForm));
    EXPECT_EQ(MainForm->OpenDialog.InitialDir, QStringLiteral("/ファーム/v2.mot"));
    EXPECT_EQ(FProjectOption->EditTireLength->text(), QString::number(qint16(0x1316)));

    QTest::mouseClick(MainForm->ToolButton2, Qt::LeftButton);
    EXPECT_EQ(boxes.Boxes().size(), 1u);  // it is not there, but the choice is kept
    MainForm->close();
    const QByteArray name = QByteArray::fromStdString(platform::ToCp932(firmware)) + '\0';
    original.replace(72, name.size(), name);
    EXPECT_EQ(ReadAll(config), original);
}

TEST_F(OnMeter, AConfigurationNeverReadIsNeverOverwritten)
{
    const QByteArray original(328, '\x5A');
    WriteAll(Path(QStringLiteral("ZOLT.ZLC")), original);
    Create({meter.PortName()});
    FProjectOption->Context[0] = 0xEE;
    MainForm->close();  // closed before it was ever shown: the configuration was not read
    EXPECT_FALSE(MainForm->AppConfigRead);
    EXPECT_EQ(ReadAll(Path(QStringLiteral("ZOLT.ZLC"))), original);
}

// The settings window alone, its monitor loop standing still.
class SettingsWindow : public OnMeter {
protected:
    void SetUp() override
    {
        OnMeter::SetUp();
        ASSERT_NO_FATAL_FAILURE(Create());
        window = FProjectOption;
    }
    TFProjectOption* window = nullptr;
};

TEST_F(SettingsWindow, EnterClosesWithOneEscAndTheTitleBarWithMinusOneAndTheHookComesBack)
{
    int mainHookCalls = 0;
    const platform::MessageHook before =
        platform::SetApplicationMessageHook([&](platform::TMessage& message, bool&) {
            mainHookCalls += message.Kind == platform::MessageKind::KeyDown;
        });
    const std::pair<std::function<void()>, int> cases[] = {
        {[this] {
             QTest::keyClick(window->EditSector, Qt::Key_5);
             QTest::keyClick(window->EditSector, Qt::Key_Return);
         },
         1},
        {[this] { QTest::keyClick(window->EditIntval[3], Qt::Key_Escape); }, -1},
        {[this] { window->ToolButtonClose->click(); }, 1},
        {[this] { window->close(); }, -1},
        // Keys through the window system: a window opened on top gets its own Enter and Esc.
        {[this] {
             window->activateWindow();
             window->EditAlarmCoolant->setFocus();
             QWidget other;
             other.show();
             QTest::keyClick(&other, Qt::Key_Return);
             QTest::keyClick(&other, Qt::Key_Escape);
             EXPECT_TRUE(window->isVisible());
             other.close();
             QTest::keyClick(window->windowHandle(), Qt::Key_7);
             QTest::keyClick(window->windowHandle(), Qt::Key_Return);
         },
         1},
    };
    for (const auto& [keys, result] : cases) {
        QTimer::singleShot(0, window, keys);
        EXPECT_EQ(window->Execute(), result);
        EXPECT_FALSE(window->isVisible());
    }
    EXPECT_EQ(window->EditSector->text(), QStringLiteral("05"));
    EXPECT_EQ(window->EditAlarmCoolant->text(), QStringLiteral("07"));
    EXPECT_EQ(mainHookCalls, 0);  // not even the digits
    QWidget other;
    QTest::keyClick(&other, Qt::Key_F2);
    EXPECT_EQ(mainHookCalls, 1);
    platform::SetApplicationMessageHook(before);
}

TEST_F(SettingsWindow, OpenAndSaveUseTheConfigExtensionAndABadEditOrFolderKeepsTheFile)
{
    window->SaveDialog.InitialDir = folder.path();  // Open starts in the save folder
    WriteAll(Path(QStringLiteral("meter.ZLC")), QByteArray("\x00\x00\x00\x00\x00\x0A\x01\xF4", 8));
    window->Context[20] = 0x01;
    std::vector<platform::FileDialogRequest> dialogs;
    std::deque<QString> chosen{Path(QStringLiteral("meter.txt")), Path(QStringLiteral("none")),
                               Path(QStringLiteral("saved")), Path(QStringLiteral("meter.ZLC")),
                               Path(QStringLiteral("missing/x.ZLC"))};
    const platform::FileDialogPresenter previous = platform::SetFileDialogPresenter(
        [&](const platform::FileDialogRequest& request) -> std::optional<QString> {
            dialogs.push_back(request);
            const QString name = chosen.front();
            chosen.pop_front();
            return name;
        });
    window->ToolButtonOpen->click();
    EXPECT_EQ(dialogs[0].Kind, platform::FileDialogKind::Open);
    EXPECT_EQ(dialogs[0].InitialDir, folder.path());
    EXPECT_EQ(dialogs[0].Filter, QStringLiteral("コンフィグレーションファイル(*.ZLC)|*.ZLC"));
    EXPECT_EQ(window->EditNewFileIntval->text(), QStringLiteral("10"));
    EXPECT_EQ(window->EditTireLength->text(), QStringLiteral("500"));
    EXPECT_EQ(window->EditRevLimit[3]->text(), QStringLiteral("256"));  // the context's old bytes
    window->EditSector->setText(QStringLiteral("-2"));
    window->ToolButtonOpen->click();  // not there: nothing changes
    EXPECT_EQ(window->EditSector->text(), QStringLiteral("-2"));

    window->ToolButtonSave->click();
    EXPECT_EQ(dialogs[2].Kind, platform::FileDialogKind::Save);
    const QByteArray saved = ReadAll(Path(QStringLiteral("saved.ZLC")));
    ASSERT_EQ(saved.size(), 72);
    EXPECT_EQ(saved.mid(6, 2), QByteArray("\x01\xF4"));
    EXPECT_EQ(saved.mid(32, 2), QByteArray("\xFF\xFE"));
    EXPECT_TRUE(Messages().empty());

    window->EditSpeedPulse->setText(QStringLiteral("1.5"));
    window->ToolButtonSave->click();
    window->EditSpeedPulse->setText(QStringLiteral("3"));
    window->ToolButtonSave->click();
    EXPECT_EQ(ReadAll(Path(QStringLiteral("meter.ZLC"))).size(), 8);
    EXPECT_EQ(Messages(), (std::vector<QString>{QStringLiteral("''1.5'' は整数ではありません"),
                                                QStringLiteral("ファイル %1 を作成できません\n\r"
                                                               "ファイルまたはフォルダがありません")
                                                    .arg(Path(QStringLiteral("missing/x.ZLC")))}));
    platform::SetFileDialogPresenter(previous);
}

}  // namespace
