// Firmware programming from the main window's button, with every form of the application and
// the meter stand-in on a pseudo-terminal: the monitor loop polls before, stands still during
// and polls again after the exchange.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <optional>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <string>
#include <vector>

#include "app/ApplicationForms.h"
#include "app/Main.h"
#include "link/PcCom.h"
#include "link/Progress.h"
#include "platform/FileDialog.h"
#include "tests/support/BoxRecorder.h"
#include "tests/support/MeterStandIn.h"

using testing_support::MeterStandIn;

namespace {

// ms: generous bound for anything that crosses the line. The whole sample file takes about five
// seconds here (a line per tick or two of 10 ms, with the wait's own 10 ms sleeps between), more
// on a loaded machine: only a fault ever waits this out.
constexpr int Bound = 60000;
const QString kSample = QStringLiteral(ZOLT_TESTDATA_DIR "/firmware/h8-sample.mot");
constexpr std::size_t kSampleLines = 182;

bool IsMonitorRequest(const std::string& request)
{
    return request == "@GET_KIND" || request == "@GET_PORT" || request == "@GET_DATETIME";
}

class FirmwareButton : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        // A meter that is polled and takes firmware: it answers the lines with "@READY" until
        // it is told to keep quiet.
        meter.SetScript([this](const std::string& request) -> std::vector<std::string> {
            if (request == "@GET_KIND")
                return {MeterStandIn::Ack("@GET_KIND=TACHO")};
            if (request == "@GET_PORT")
                return {MeterStandIn::Ack("@GET_PORT=0BB8")};
            if (request == "@GET_DATETIME")
                return {MeterStandIn::Ack("@GET_DATETIME=07451306170936")};
            if (request == "@START_RTSP")
                return {MeterStandIn::Ack("@PROJECT_NAME")};
            std::lock_guard lock(mutex);
            if (quiet)
                return {};
            return {MeterStandIn::Ack("@READY")};
        });
        const QString port = meter.PortName();
        forms = std::make_unique<TApplicationForms>(folder.path() + QStringLiteral("/zolt-tool"),
                                                    [port] { return std::vector<QString>{port}; });
        MainForm->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(MainForm));
        previousPresenter = platform::SetFileDialogPresenter(
            [](const platform::FileDialogRequest&) -> std::optional<QString> { return kSample; });
        // The monitor loop is polling.
        ASSERT_TRUE(QTest::qWaitFor([&] { return Count(IsMonitorRequest) >= 2; }, Bound));
    }
    void TearDown() override
    {
        platform::SetFileDialogPresenter(std::move(previousPresenter));
        forms.reset();
    }

    template <class Predicate>
    std::size_t Count(Predicate predicate) const
    {
        const std::vector<std::string> requests = meter.Requests();
        return static_cast<std::size_t>(std::count_if(requests.begin(), requests.end(), predicate));
    }
    std::size_t MonitorRequests() const { return Count(IsMonitorRequest); }
    std::size_t FileLines() const
    {
        return Count([](const std::string& r) { return r.size() > 1 && r[0] == 'S'; });
    }
    void KeepQuiet()
    {
        std::lock_guard lock(mutex);
        quiet = true;
    }

    QTemporaryDir folder;
    testing_support::BoxRecorder boxes;
    MeterStandIn meter;
    std::mutex mutex;
    bool quiet = false;
    std::unique_ptr<TApplicationForms> forms;
    platform::FileDialogPresenter previousPresenter;
};

}  // namespace

TEST_F(FirmwareButton, ProgramsTheChosenFileAndMonitoringResumesAfterSuccess)
{
    QTest::mouseClick(MainForm->ToolButton2, Qt::LeftButton);
    EXPECT_FALSE(MainForm->TimerMonitor->isActive());
    EXPECT_TRUE(PCom->Timer->isActive());
    EXPECT_TRUE(ProgressForm->isVisible());
    EXPECT_EQ(ProgressForm->windowTitle(), kSample);
    EXPECT_EQ(ProgressForm->ProgressBar->geometry(), QRect(16, 24, 602, 16));
    EXPECT_EQ(ProgressForm->size(), QSize(634, 65));
    EXPECT_EQ(MainForm->OpenDialog.InitialDir, kSample);

    const QPoint offset =
        ProgressForm->frameGeometry().center() - MainForm->frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 2);

    ASSERT_TRUE(QTest::qWaitFor([&] { return FileLines() == kSampleLines; }, Bound));
    meter.Send(MeterStandIn::Ack("@SUCCESS"));
    ASSERT_TRUE(QTest::qWaitFor([] { return !PCom->Timer->isActive(); }, Bound));
    EXPECT_EQ(boxes.Texts(), std::vector<QString>{QStringLiteral("プログラミング完了！\n\r")});
    EXPECT_FALSE(ProgressForm->isVisible());
    EXPECT_TRUE(MainForm->TimerMonitor->isActive());

    // Nothing polled the meter while it was being programmed; then the loop polls again.
    const std::size_t polledWhenProgrammed = MonitorRequests();
    ASSERT_TRUE(QTest::qWaitFor([&] { return MonitorRequests() > polledWhenProgrammed; }, Bound));
    const std::vector<std::string> requests = meter.Requests();
    const auto start = std::find(requests.begin(), requests.end(), "@START_RTSP");
    const auto lastLine =
        std::find_if(requests.rbegin(), requests.rend(), [](const std::string& r) {
            return r.size() > 1 && r[0] == 'S';
        }).base();
    ASSERT_LT(start, lastLine);
    EXPECT_EQ(std::count(start, lastLine, "@PROJECT_ZOLT"), 1);
    EXPECT_TRUE(std::none_of(start, lastLine, IsMonitorRequest));
    EXPECT_TRUE(std::any_of(lastLine, requests.end(), IsMonitorRequest));
}

TEST_F(FirmwareButton, ClosingTheProgressWindowHandsTheMetersLinesToTheMonitorLoop)
{
    KeepQuiet();  // the meter asks for nothing after the project name: the exchange waits
    QTest::mouseClick(MainForm->ToolButton2, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return meter.Requests().back() == "@PROJECT_ZOLT"; }, Bound));
    const std::size_t polledBefore = MonitorRequests();

    ProgressForm->close();
    EXPECT_FALSE(PCom->Timer->isActive());
    EXPECT_TRUE(MainForm->TimerMonitor->isActive());
    EXPECT_TRUE(boxes.Boxes().empty());

    // What the meter still sends is the monitor loop's now: it is taken, never answered with a
    // file line, and polling goes on.
    meter.Send(MeterStandIn::Ack("@READY"));
    ASSERT_TRUE(meter.WaitUntilRead());
    ASSERT_TRUE(QTest::qWaitFor([&] { return MonitorRequests() > polledBefore + 1; }, Bound));
    EXPECT_EQ(FileLines(), 0u);
}

TEST_F(FirmwareButton, APortThatCannotBeReopenedIsReportedAndMonitoringGoesOn)
{
    meter.Vanish();  // the adapter is pulled: the port cannot be opened again
    QTest::mouseClick(MainForm->ToolButton2, Qt::LeftButton);
    // The serial layer's error (the system's text), shown by the default handler.
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_FALSE(boxes.Boxes()[0].text.isEmpty());
    EXPECT_FALSE(boxes.Boxes()[0].text.startsWith(QStringLiteral("ファイルが見つかりません")));
    EXPECT_FALSE(PCom->Timer->isActive());
    EXPECT_FALSE(ProgressForm->isVisible());
    EXPECT_TRUE(MainForm->TimerMonitor->isActive());
}
