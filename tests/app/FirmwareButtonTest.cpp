// Firmware programming from the main window's button: the panel's timer runs the exchange while
// the monitor loop stands still, the progress window shows it, and the line goes back to the
// monitor loop when it ends. Whole files go over a pseudo-terminal to the meter stand-in.
#include <QProgressBar>
#include <QToolButton>

#include "link/PcCom.h"
#include "link/Progress.h"
#include "platform/FileDialog.h"
#include "tests/app/DashboardFixture.h"
#include "tests/support/ComboChoice.h"
#include "tests/support/MeterStandIn.h"
#include "tests/support/SRecordFiles.h"

using testing_support::MeterStandIn;

namespace {

bool IsMonitorRequest(const std::string& request)
{
    return request == "@GET_KIND" || request == "@GET_PORT" || request == "@GET_DATETIME";
}

// A meter that is polled and takes firmware: it asks for the next line as soon as it has one.
std::vector<std::string> Meter(const std::string& request)
{
    if (IsMonitorRequest(request))
        return {MeterStandIn::Ack(request == "@GET_KIND" ? "@GET_KIND=TACHO" : request)};
    if (request == "@START_RTSP")
        return {MeterStandIn::Ack("@PROJECT_NAME")};
    if (request == "@PROJECT_ZOLT" || (request.size() > 1 && request[0] == 'S'))
        return {MeterStandIn::Ack("@READY")};
    return {};
}

class FirmwareButton : public testing_support::Dashboard {
protected:
    void SetUp() override
    {
        Dashboard::SetUp();
        std::vector<std::string> files;
        ASSERT_NO_FATAL_FAILURE(
            testing_support::MakeWholeFirmwareFiles(folder.path().toStdString(), files));
        file = QString::fromStdString(files[1]);
        lines = testing_support::LinesOf(files[1]);
        previous_ = platform::SetFileDialogPresenter(
            [this](const platform::FileDialogRequest&) { return std::optional<QString>(chosen); });
    }
    void TearDown() override
    {
        platform::SetFileDialogPresenter(std::move(previous_));
        Dashboard::TearDown();
    }

    void Program(const QString& name)
    {
        chosen = name;
        QTest::mouseClick(MainForm->ToolButton2, Qt::LeftButton);
    }
    void ExpectMonitoring()
    {
        EXPECT_FALSE(PCom->Timer->isActive());
        EXPECT_FALSE(ProgressForm->isVisible());
        EXPECT_TRUE(MainForm->TimerMonitor->isActive());
    }
    std::size_t Count(const MeterStandIn& meter, bool (*which)(const std::string&)) const
    {
        const std::vector<std::string> requests = meter.Requests();
        return std::size_t(std::count_if(requests.begin(), requests.end(), which));
    }

    QString file;
    std::vector<std::string> lines;  // of the file, as the meter is sent them
    QString chosen;

private:
    platform::FileDialogPresenter previous_;
};

TEST_F(FirmwareButton, AWholeFileIsProgrammedOverTheLineAndMonitoringResumes)
{
    MeterStandIn meter;
    meter.SetScript(Meter);
    ASSERT_NO_FATAL_FAILURE(Start({meter.PortName()}));
    MainForm->TimerMonitor->start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Count(meter, IsMonitorRequest) >= 2; }, Bound));

    EXPECT_EQ(meter.Requests().size(), Count(meter, IsMonitorRequest));

    // The whole file goes, line by line, the progress window showing it.
    Program(file);
    EXPECT_FALSE(MainForm->TimerMonitor->isActive());
    EXPECT_TRUE(ProgressForm->isVisible());
    EXPECT_EQ(ProgressForm->windowTitle(), file);
    EXPECT_EQ(ProgressForm->ProgressBar->maximum(), 1531);
    const auto isFileLine = [](const std::string& r) { return r.size() > 1 && r[0] == 'S'; };
    ASSERT_TRUE(QTest::qWaitFor([&] { return Count(meter, isFileLine) == lines.size(); }, Bound));
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

TEST_F(FirmwareButton, APulledDeviceEndsTheExchangeWithOneMessageAndChoosingItAgainResumesPolling)
{
    // The meter's line is listed under a name of its own, as an adapter's device is.
    auto meter = std::make_unique<MeterStandIn>();
    meter->SetScript([](const std::string& request) {
        return request.starts_with('S') ? std::vector<std::string>{} : Meter(request);  // waits
    });
    const QString name = Path(QStringLiteral("ttyUSB0"));
    ASSERT_TRUE(QFile::link(meter->PortName(), name));
    ASSERT_NO_FATAL_FAILURE(Start({name}));
    MainForm->TimerMonitor->start();
    Program(file);
    ASSERT_TRUE(QTest::qWaitFor([] { return PCom->Firmware.LineNumber == 1; }, Bound));
    ASSERT_TRUE(meter->WaitForRequests(3));

    meter->Vanish();
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
    MainForm->close();  // while the meter still answers
}

}  // namespace
