// The real application against a meter stand-in over a pseudo-terminal: start, polling, the
// settings window's commands and files, the configuration file through start and close, and
// firmware programming from the main window's button (the panel's timer runs the exchange while
// the monitor loop stands still, the progress window shows it, and the line goes back to the
// monitor loop when it ends). Polling ticks are driven by hand: the monitor timer is stopped
// after start-up and the test runs its handler once it knows what the line holds.
#include <deque>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

#include "app/IndicatorLifecycle.h"
#include "app/ProjectOption.h"
#include "indicators/Port.h"
#include "link/PcCom.h"
#include "link/Progress.h"
#include "platform/Cp932.h"
#include "platform/FileDialog.h"
#include "platform/LocalTime.h"
#include "platform/WindowFrame.h"
#include "tests/app/DashboardFixture.h"
#include "tests/support/ComboChoice.h"
#include "tests/support/MeterStandIn.h"
#include "tests/support/SRecordFiles.h"

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

// A meter that knows three channels, two of them in the table, and takes every command; it
// asks for the next firmware line as soon as it has one.
std::vector<std::string> Meter(const std::string& request)
{
    const std::pair<const char*, std::string> replies[] = {
        {"@GET_KIND", "@GET_KIND=TACHO,SPEED,NOSUCH"},
        {"@GET_PORT", "@GET_PORT=0BB8FF380001"},
        {"@GET_DATETIME", "@GET_DATETIME=07451306170936"},
        {"@GET_SYS", "@GET_SYS=" + MeterContextDigits()},
        {"@SET_SYS(", "@SET_SYS"},
        {"@SET_DATETIME(", "@SET_DATETIME"},
        {"@START_RTSP", "@PROJECT_NAME"},
        {"@PROJECT_ZOLT", "@READY"},
        {"S", "@READY"}};
    for (const auto& [asked, reply] : replies) {
        if (request.starts_with(asked))
            return {MeterStandIn::Ack(reply)};
    }
    return {};
}

bool IsMonitorRequest(const std::string& request)
{
    return request == "@GET_KIND" || request == "@GET_PORT" || request == "@GET_DATETIME";
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
    }

    // One tick after the line has settled: a reply the meter sends to the waiting request is in
    // the ring before the tick runs, and a request the tick sends has reached the meter after it.
    void Tick()
    {
        const std::vector<std::string> asked = meter.Requests();
        if (MainForm->WaitingReply && !asked.empty() && !Meter(asked.back()).empty()) {
            ASSERT_TRUE(QTest::qWaitFor([] { return !PCom->Rx.Empty(); }, Bound));
        }
        // A request made while the last one is still going out would be dropped.
        ASSERT_TRUE(QTest::qWaitFor([] { return !PCom->Comm->Sending(); }, Bound));
        MainForm->TimerMonitorTimer();
        if (MainForm->WaitingReply && MainForm->ReplyTimeout == TMonitorLoop::ReplyTimeoutTicks) {
            ASSERT_TRUE(meter.WaitForRequests(asked.size() + 1, std::chrono::milliseconds(Bound)));
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

    // A firmware file made by srec_cat, and its lines as the meter is sent them.
    QString FirmwareFile(std::vector<std::string>& lines) const
    {
        std::vector<std::string> files;
        testing_support::MakeWholeFirmwareFiles(folder.path().toStdString(), files);
        lines = testing_support::LinesOf(files.at(1));
        return QString::fromStdString(files[1]);
    }
    void Program(const QString& file)
    {
        ChooseFiles({file});
        QTest::mouseClick(MainForm->ToolButton2, Qt::LeftButton);
    }
    void ExpectMonitoring()
    {
        EXPECT_FALSE(PCom->Timer->isActive());
        EXPECT_FALSE(ProgressForm->isVisible());
        EXPECT_TRUE(MainForm->TimerMonitor->isActive());
    }
    std::size_t Count(bool (*which)(const std::string&)) const
    {
        const std::vector<std::string> requests = meter.Requests();
        return std::size_t(std::count_if(requests.begin(), requests.end(), which));
    }

    MeterStandIn meter;

private:
    platform::FileDialogPresenter previousDialogs_;
};

TEST_F(OnMeter, StartsOnTheLinePollsTheMeterIntoChannelsAndStatusBarAndClosesIt)
{
    StartOnMeter();
    EXPECT_EQ(MainForm->size(), QSize(839, 489));
    EXPECT_TRUE(PCom->Comm && PCom->Comm->HandleCheck(false));

    Tick();
    ASSERT_EQ(meter.Requests(), std::vector<std::string>{"@GET_KIND"});
    for (int i = 0; i < 25; ++i) {
        Tick();
        ASSERT_EQ(meter.Requests().size(), i + 2u);
        // The clock is asked once a second, every tenth tick.
        EXPECT_EQ(meter.Requests().back(), i % 10 == 9 ? "@GET_DATETIME" : "@GET_PORT") << i;
    }
    EXPECT_EQ(MainForm->PortCount, 3);
    EXPECT_EQ(Tacho, 3000);
    EXPECT_EQ(Speed, -200);
    EXPECT_EQ(MainForm->StatusText->text(), QStringLiteral("2016/09/17-13:45:07"));
    EXPECT_TRUE(boxes.Boxes().empty());

    MainForm->TimerMonitor->start();
    QTest::mouseClick(MainForm->ToolButton1, Qt::LeftButton);
    EXPECT_FALSE(MainForm->isVisible());
    EXPECT_FALSE(PCom->Comm->HandleCheck(false));
    EXPECT_FALSE(MainForm->TimerMonitor->isActive());
}

TEST_F(OnMeter, TheSettingsWindowReadsWritesAndSetsTheClockThroughTheMonitorLoop)
{
    const platform::LocalClock systemClock =
        platform::SetLocalClock([] { return platform::LocalTime{2016, 9, 6, 17, 13, 45, 7, 250}; });
    StartOnMeter();
    Tick();  // "@GET_KIND", answered
    std::vector<std::string> whileShown;
    QTimer::singleShot(0, FProjectOption, [&] {
        EXPECT_EQ(FProjectOption->EditTireLength->text(), QStringLiteral("500"));
        Ticks(25);  // the reply that was waiting is taken; then the loop sends nothing
        EXPECT_EQ(meter.Requests().size(), 1u);

        QTest::mouseClick(FProjectOption->ToolButtonRead, Qt::LeftButton);
        Ticks(2);
        EXPECT_EQ(FProjectOption->EditTireLength->text(), QStringLiteral("300"));   // word 3
        EXPECT_EQ(FProjectOption->EditAlarmTacho->text(), QStringLiteral("3100"));  // word 31

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

TEST_F(OnMeter, AWholeFileIsProgrammedOverTheLineAndMonitoringResumes)
{
    std::vector<std::string> lines;
    const QString file = FirmwareFile(lines);
    StartOnMeter();
    MainForm->TimerMonitor->start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Count(IsMonitorRequest) >= 2; }, Bound));

    // The whole file goes, line by line, the progress window showing it.
    Program(file);
    EXPECT_FALSE(MainForm->TimerMonitor->isActive());
    EXPECT_TRUE(ProgressForm->isVisible());
    EXPECT_EQ(ProgressForm->windowTitle(), file);
    EXPECT_EQ(ProgressForm->ProgressBar->maximum(), 1531);
    const auto isFileLine = [](const std::string& r) { return r.size() > 1 && r[0] == 'S'; };
    ASSERT_TRUE(QTest::qWaitFor([&] { return Count(isFileLine) == lines.size(); }, Bound));
    EXPECT_EQ(ProgressForm->ProgressBar->value(), PCom->Firmware.BytesSent);
    // A poll may have gone out just before the start; nothing was polled after it.
    const std::vector<std::string> got = meter.Requests();
    const auto start = std::find(got.begin(), got.end(), "@START_RTSP");
    std::vector<std::string> expected{"@START_RTSP", "@PROJECT_ZOLT"};
    expected.insert(expected.end(), lines.begin(), lines.end());
    EXPECT_EQ(std::vector<std::string>(start, got.end()), expected);

    meter.Send(MeterStandIn::Ack("@SUCCESS"));
    ASSERT_TRUE(QTest::qWaitFor([] { return !PCom->Timer->isActive(); }, Bound));
    EXPECT_EQ(Messages(), std::vector<QString>{QStringLiteral("プログラミング完了！\n\r")});
    EXPECT_EQ(boxes.Beeps(), 1);
    ExpectMonitoring();
    ASSERT_TRUE(QTest::qWaitFor([&] { return meter.Requests().size() > got.size(); }, Bound));
    EXPECT_TRUE(IsMonitorRequest(meter.Requests().back()));
    MainForm->close();  // while the meter still answers
}

TEST_F(OnMeter, APulledDeviceGivesOneMessageWhileProgrammingOrMonitoringAndChoosingItAgainResumes)
{
    // The meter's line is listed under a name of its own, as an adapter's device is.
    std::vector<std::string> lines;
    const QString file = FirmwareFile(lines);
    meter.SetScript([](const std::string& request) {
        return request.starts_with('S') ? std::vector<std::string>{} : Meter(request);  // waits
    });
    const QString name = Path(QStringLiteral("ttyUSB0"));
    ASSERT_TRUE(QFile::link(meter.PortName(), name));
    ASSERT_NO_FATAL_FAILURE(Start({name}));
    MainForm->TimerMonitor->start();
    Program(file);
    ASSERT_TRUE(QTest::qWaitFor([] { return PCom->Firmware.LineNumber == 1; }, Bound));
    ASSERT_TRUE(meter.WaitForRequests(3));

    meter.Vanish();
    ASSERT_TRUE(QTest::qWaitFor([] { return !PCom->Comm->HandleCheck(false); }, Bound));
    EXPECT_EQ(Messages(),
              std::vector<QString>{QStringLiteral("通信ポートが切断されました\n\r") + name});
    EXPECT_EQ(boxes.Beeps(), 1);
    EXPECT_FALSE(PCom->Firmware.Running());
    EXPECT_TRUE(PCom->Port->isEnabled());
    ExpectMonitoring();

    // The meter is back under the same name; the user chooses it in the panel.
    MeterStandIn back;
    back.SetScript(Meter);
    ASSERT_TRUE(QFile::remove(name));
    ASSERT_TRUE(QFile::link(back.PortName(), name));
    MainForm->ShowCommPanel();
    testing_support::ChooseFromList(*PCom->Port, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return back.Requests().size() >= 2; }, Bound));
    for (const std::string& request : back.Requests())
        EXPECT_TRUE(IsMonitorRequest(request)) << request;
    EXPECT_EQ(Messages().size(), 1u);

    // Pulled again while only monitoring: one more message, and the box is free again.
    back.Vanish();
    ASSERT_TRUE(QTest::qWaitFor([] { return !PCom->Comm->HandleCheck(false); }, Bound));
    EXPECT_EQ(Messages(),
              std::vector<QString>(2, QStringLiteral("通信ポートが切断されました\n\r") + name));
    EXPECT_TRUE(PCom->Port->isEnabled());
}

TEST_F(OnMeter, TheConfigurationReadAtStartComesBackAtCloseWithTheChosenFirmwareFile)
{
    // A program folder whose name code page 932 cannot hold still names the right files.
    ASSERT_TRUE(QDir().mkpath(Path(QStringLiteral("dossier-é"))));
    const QString config = Path(QStringLiteral("dossier-é/ZOLT.ZLC"));
    QByteArray original(328, '\0');
    for (int i = 0; i < 328; ++i)
        original[i] = char(i * 3 + 1);
    original.replace(72, 11, QByteArray("/fw/v2.mot\0", 11));
    WriteAll(config, original);
    const QString firmware = Path(QStringLiteral("新版/zolt.mot"));  // not there
    ChooseFiles({firmware});
    const auto create = [&] {
        forms.reset();
        forms = std::make_unique<TApplicationForms>(
            Path(QStringLiteral("dossier-é/zolt-tool")),
            [port = meter.PortName()] { return std::vector<QString>{port}; });
    };
    create();
    FProjectOption->Context[0] = 0xEE;
    MainForm->close();  // closed before it was ever shown: the configuration was not read
    EXPECT_EQ(ReadAll(config), original);

    meter.SetScript(Meter);
    create();
    MainForm->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(MainForm));
    EXPECT_EQ(MainForm->OpenDialog.InitialDir, QStringLiteral("/fw/v2.mot"));
    EXPECT_EQ(FProjectOption->EditTireLength->text(), QString::number(qint16(0x1316)));
    QTest::mouseClick(MainForm->ToolButton2, Qt::LeftButton);
    EXPECT_EQ(Messages().size(), 1u);  // it is not there, but the choice is kept
    QTest::mouseClick(MainForm->ToolButton2, Qt::LeftButton);  // cancelled: nothing starts
    EXPECT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(MainForm->TimerMonitor->isActive());
    MainForm->close();
    const QByteArray name = QByteArray::fromStdString(platform::ToCp932(firmware)) + '\0';
    original.replace(72, name.size(), name);
    EXPECT_EQ(ReadAll(config), original);
}

// Sizes the window by its one indicator, as every step of a drag does.
TEST_F(OnMeter, TheWindowIsFixedAndStaysWithTheCommunicationPanelOnTheWorkArea)
{
    Start();
    const QRect area = QGuiApplication::primaryScreen()->availableVirtualGeometry();
    TIndicator& indicator = *CreateIndicator("_BarGraph", nullptr);
    const auto extendTo = [&](int right, int bottom) {
        indicator.setGeometry(8, 8, right - 8, bottom - 8);
        MainForm->MainPanel->UpdateSize();
        return SettledOuterGeometry(*MainForm);
    };
    const auto f2 = [](bool shown) {
        QTest::keyClick(MainForm->windowHandle(), Qt::Key_F2);
        EXPECT_EQ(PCom->isVisible(), shown);
        return SettledOuterGeometry(*PCom);
    };
    const QRect small = extendTo(400, 100);
    platform::MoveOuter(*MainForm, area.topLeft());
    const QRect top = SettledOuterGeometry(*MainForm);
    EXPECT_EQ(f2(true).topLeft(), top.bottomLeft() + QPoint(0, 1));  // right below it
    f2(false);

    // A drag past the work area's corner moves it back inside, its size kept.
    platform::MoveOuter(*MainForm,
                        area.bottomRight() - QPoint(small.width(), small.height()) + QPoint(1, 1));
    const QRect grown = extendTo(500, 150);
    EXPECT_EQ(grown.size(), small.size() + QSize(100, 50));
    EXPECT_EQ(grown.bottomRight(), area.bottomRight());
    EXPECT_TRUE(area.contains(f2(true)));  // no room below: on the work area all the same
    f2(false);
    EXPECT_EQ(extendTo(area.width() + 100, area.height() + 100), area);
    EXPECT_EQ(MainForm->minimumSize(), MainForm->maximumSize());  // no user resize
}

}  // namespace
