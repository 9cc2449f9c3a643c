// The real application against a meter stand-in over a pseudo-terminal: start, polling, the
// settings window's commands and files, the configuration file through start and close, and
// firmware programming from the main window's button (the panel's timer runs the exchange while
// the monitor loop stands still, the progress window shows it, and the line goes back to the
// monitor loop when it ends). Polling ticks are driven by hand: the monitor timer is stopped
// after start-up and the test runs its handler once it knows what the line holds.
#include <deque>
#include <QCursor>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <tuple>

#include "app/IndicatorLifecycle.h"
#include "app/ProjectOption.h"
#include "indicators/BarGraph.h"
#include "indicators/Port.h"
#include "link/PcCom.h"
#include "link/Progress.h"
#include "platform/Cp932.h"
#include "platform/FileDialog.h"
#include "platform/LocalTime.h"
#include "platform/SerialDevice.h"
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
            [this, queue](const platform::FileDialogRequest& request) -> std::optional<QString> {
                asked << request.InitialDir + QLatin1Char(' ') + request.Filter;
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
        EXPECT_TRUE(PCom->Port->isEnabled());
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
    QStringList asked;  // the file dialogs' folders and filters

private:
    platform::FileDialogPresenter previousDialogs_;
};

TEST_F(OnMeter, PollsTheMeterUntilItIsPulledThenTheOneChosenUnderItsNameAfreshUntilClosed)
{
    // The meter's line is listed under a name of its own, as an adapter's device is. Each clock
    // reply comes with a value reply nobody asked for: one line more every second, for a minute
    // of the loop's time.
    const QString name = Path(QStringLiteral("ttyUSB0"));
    ASSERT_TRUE(QFile::link(meter.PortName(), name));
    meter.SetScript([](const std::string& request) {
        std::vector<std::string> answers = Meter(request);
        if (request == "@GET_DATETIME")
            answers.push_back(MeterStandIn::Ack("@GET_PORT=0BB8FF380001"));
        return answers;
    });
    ASSERT_NO_FATAL_FAILURE(Start({name}));
    EXPECT_EQ(MainForm->size(), QSize(839, 489));
    EXPECT_TRUE(PCom->Comm && PCom->Comm->HandleCheck(false));
    auto* tacho = static_cast<TBarGraph*>(CreateIndicator("_BarGraph", nullptr));
    auto* speed = static_cast<TBarGraph*>(CreateIndicator("_BarGraph", nullptr));
    tacho->SetIoName("TACHO");
    speed->SetIoName("SPEED");

    Tick();
    ASSERT_EQ(meter.Requests(), std::vector<std::string>{"@GET_KIND"});
    for (int i = 0; i < 599 && Messages().empty(); ++i) {
        ASSERT_NO_FATAL_FAILURE(Tick());
        ASSERT_EQ(meter.Requests().size(), i + 2u);
        // The clock is asked once a second, every tenth tick.
        EXPECT_EQ(meter.Requests().back(), i % 10 == 9 ? "@GET_DATETIME" : "@GET_PORT") << i;
    }
    EXPECT_EQ(std::tuple(Tacho, Speed, tacho->Value(), speed->Value()),
              std::tuple(3000, -200, 3000, -200));
    EXPECT_EQ(MainForm->StatusText->text(), QStringLiteral("2016/09/17-13:45:07"));
    EXPECT_TRUE(boxes.Boxes().empty());

    // Pulled with a reply waiting: said once, and the dashboard is left as after a time-out, with
    // no clock that is not running; what came before it is not taken for news.
    ASSERT_TRUE(QTest::qWaitFor([] { return !PCom->Rx.Empty(); }, Bound));
    meter.Vanish();
    ASSERT_TRUE(QTest::qWaitFor([] { return !PCom->Comm->HandleCheck(false); }, Bound));
    MainForm->TimerMonitorTimer();
    EXPECT_EQ(Messages(),
              std::vector<QString>{QStringLiteral("通信ポートが切断されました\n\r") + name});
    EXPECT_EQ(
        std::tuple(Tacho, Speed, tacho->Value(), speed->Value(), MainForm->StatusText->text()),
        std::tuple(0, 0, 0, 0, QString()));

    // Another meter comes back under the name, its channels the other way round, and the user
    // chooses it: polling starts over from its channel list.
    MeterStandIn back;
    back.SetScript([](const std::string& request) {
        if (request == "@GET_KIND" || request == "@GET_PORT")
            return std::vector{MeterStandIn::Ack(request == "@GET_KIND" ? "@GET_KIND=SPEED,TACHO"
                                                                        : "@GET_PORT=00C81388")};
        return Meter(request);
    });
    ASSERT_TRUE(QFile::remove(name) && QFile::link(back.PortName(), name));
    MainForm->ShowCommPanel();
    testing_support::ChooseFromList(*PCom->Port, 0);
    EXPECT_EQ(MainForm->PortCount, 0);  // nothing of the old meter's channel list holds
    MainForm->TimerMonitorTimer();      // the first tick after the opening, within the second
    ASSERT_TRUE(back.WaitForRequests(1));
    EXPECT_EQ(back.Requests().front(), "@GET_KIND");
    MainForm->TimerMonitor->start();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return tacho->Value() == 5000 && speed->Value() == 200; }, Bound));

    QTest::mouseClick(MainForm->ToolButton1, Qt::LeftButton);
    EXPECT_FALSE(MainForm->isVisible() || PCom->Comm->HandleCheck(false) ||
                 MainForm->TimerMonitor->isActive());
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

TEST_F(OnMeter, AWholeFileIsProgrammedOverTheLineAndMonitoringResumesAfterAnOverflowACloseOrAPull)
{
    std::vector<std::string> lines;
    const QString file = FirmwareFile(lines);
    StartOnMeter();
    MainForm->TimerMonitor->start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Count(IsMonitorRequest) >= 2; }, Bound));

    // The whole file goes, line by line, the progress window showing it.
    Program(file);
    EXPECT_FALSE(MainForm->TimerMonitor->isActive());
    EXPECT_FALSE(PCom->Port->isEnabled());  // the line is the exchange's meanwhile
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

    // Again, and the meter floods the line faster than the exchange takes it: its next tick
    // reports the overflow, ends the exchange, and polling comes back.
    Program(file);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Count(isFileLine) == 2 * lines.size(); }, Bound));
    const std::size_t polled = Count(IsMonitorRequest);
    meter.Send(QByteArray::fromStdString(MeterStandIn::Nak("@BUSY")).repeated(40).toStdString());
    ASSERT_TRUE(QTest::qWaitFor([&] { return Messages().size() == 2; }, Bound));
    EXPECT_EQ(Messages().back(), QStringLiteral("受信バッファオーバーフロー"));
    EXPECT_FALSE(PCom->Firmware.Running());
    ExpectMonitoring();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Count(IsMonitorRequest) > polled; }, Bound));

    // Closed by the user while the meter waits: the exchange stops, and polling goes on.
    meter.SetScript([](const std::string& request) {
        return request.starts_with('S') ? std::vector<std::string>{} : Meter(request);  // waits
    });
    Program(file);
    ASSERT_TRUE(QTest::qWaitFor([&] { return meter.Requests().back() == lines.front(); }, Bound));
    ProgressForm->close();
    ExpectMonitoring();
    ASSERT_TRUE(QTest::qWaitFor([&] { return IsMonitorRequest(meter.Requests().back()); }, Bound));

    // Pulled while programming: the exchange ends with one message, and monitoring goes on.
    const int beeps = boxes.Beeps();
    Program(file);
    ASSERT_TRUE(QTest::qWaitFor([&] { return meter.Requests().back() == lines.front(); }, Bound));
    meter.Vanish();
    ASSERT_TRUE(QTest::qWaitFor([] { return !PCom->Comm->HandleCheck(false); }, Bound));
    EXPECT_EQ(Messages().back(),
              QStringLiteral("通信ポートが切断されました\n\r") + meter.PortName());
    EXPECT_EQ(boxes.Beeps(), beeps + 1);
    ExpectMonitoring();
}

TEST_F(OnMeter, TheConfigurationReadAtStartAlsoBesideABusyPortComesBackAtCloseWithTheFirmwareFile)
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
    MeterStandIn other;
    const auto create = [&] {
        forms.reset();
        forms =
            std::make_unique<TApplicationForms>(Path(QStringLiteral("dossier-é/zolt-tool")), [&] {
                return std::vector<QString>{meter.PortName(), other.PortName()};
            });
    };
    create();
    FProjectOption->Context[0] = 0xEE;
    MainForm->close();  // closed before it was ever shown: the configuration was not read
    EXPECT_EQ(ReadAll(config), original);

    // A first instance of the tool holds the first port: this one says so and opens no other
    // port in its place, and reads its configuration all the same.
    platform::SerialDevice firstInstance;
    ASSERT_TRUE(firstInstance.Open(meter.PortName()));
    create();
    MainForm->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(MainForm));
    EXPECT_TRUE(Messages().at(0).startsWith(QStringLiteral("通信ポート %1 を開けません\n\r他のプロ"
                                                           "グラムが使用中です (")
                                                .arg(meter.PortName())));
    EXPECT_FALSE(PCom->Comm->HandleCheck(false));
    EXPECT_EQ(FProjectOption->EditTireLength->text(), QString::number(qint16(0x1316)));
    QTest::mouseClick(MainForm->ToolButton2, Qt::LeftButton);
    EXPECT_EQ(Messages().size(), 2u);  // it is not there, but the choice is kept
    QTest::mouseClick(MainForm->ToolButton2, Qt::LeftButton);  // cancelled: nothing starts
    EXPECT_EQ(Messages().size(), 2u);
    EXPECT_TRUE(MainForm->TimerMonitor->isActive());
    const QString mot = QStringLiteral(" MOTファイル(*.mot)|*.mot");
    EXPECT_EQ(asked, (QStringList{QStringLiteral("/fw/v2.mot") + mot, firmware + mot}));
    MainForm->close();
    const QByteArray name = QByteArray::fromStdString(platform::ToCp932(firmware)) + '\0';
    original.replace(72, name.size(), name);
    EXPECT_EQ(ReadAll(config), original);
}

// The dashboard sizes the window to its one indicator: when the panel refits it (copying does)
// and when the indicator is dragged with the mouse, during which the window stays put so that
// the indicator stays under the pointer; the drop brings the window back onto the work area.
TEST_F(OnMeter, TheWindowIsFixedAndStaysWithTheCommunicationPanelOnTheWorkArea)
{
    Start();
    const QRect area = QGuiApplication::primaryScreen()->availableVirtualGeometry();
    TIndicator& indicator = *CreateIndicator("_BarGraph", nullptr);
    const auto extendTo = [&](int right, int bottom) {
        indicator.setGeometry(9, 9, right - 9, bottom - 9);  // on the grid
        MainForm->MainPanel->UpdateSize();
        return SettledOuterGeometry(*MainForm);
    };
    const auto f2 = [](bool shown) {
        QTest::keyClick(MainForm->windowHandle(), Qt::Key_F2);
        EXPECT_EQ(PCom->isVisible(), shown);
        return SettledOuterGeometry(*PCom);
    };
    // The left button at a point of the screen; on a desktop the drag reads the window system's
    // pointer.
    const auto mouse = [](QTest::MouseAction action, QPoint global) {
        if (testing_support::OnRealDesktop())
            QCursor::setPos(global);
        QTest::mouseEvent(action, MainForm->windowHandle(), Qt::LeftButton, {},
                          global - MainForm->mapToGlobal(QPoint(0, 0)));
    };
    const QRect small = extendTo(400, 100);
    platform::MoveOuter(*MainForm, area.topLeft());
    const QRect top = SettledOuterGeometry(*MainForm);
    EXPECT_EQ(f2(true).topLeft(), top.bottomLeft() + QPoint(0, 1));  // right below it
    f2(false);

    // In the work area's bottom right corner, the indicator dragged 64 right and 32 down.
    platform::MoveOuter(*MainForm,
                        area.bottomRight() - QPoint(small.width(), small.height()) + QPoint(1, 1));
    const QRect corner = SettledOuterGeometry(*MainForm);
    const QPoint grab = indicator.mapToGlobal(QPoint(16, 16));
    mouse(QTest::MouseMove, grab);
    mouse(QTest::MousePress, grab);
    for (const QPoint& at : {grab + QPoint(32, 16), grab + QPoint(64, 32)}) {
        mouse(QTest::MouseMove, at);
        // Until the drop the window stays put, and the indicator under the pointer.
        EXPECT_EQ(SettledOuterGeometry(*MainForm).topLeft(), corner.topLeft());
        EXPECT_EQ(indicator.mapToGlobal(QPoint(16, 16)), at);
    }
    mouse(QTest::MouseRelease, grab + QPoint(64, 32));
    const QRect dropped = SettledOuterGeometry(*MainForm);
    EXPECT_EQ(dropped.size(), small.size() + QSize(64, 32));
    EXPECT_EQ(dropped.bottomRight(), area.bottomRight());
    EXPECT_TRUE(area.contains(f2(true)));  // no room below: on the work area all the same
    f2(false);

    // Larger than the work area: no smaller than the dashboard, its title bar on the work area.
    const QRect large = extendTo(area.width() + 100, area.height() + 100);
    EXPECT_EQ(large,
              QRect(area.topLeft(), small.size() + QSize(area.width() - 300, area.height())));
}

}  // namespace
