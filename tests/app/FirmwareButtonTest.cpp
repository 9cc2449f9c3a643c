// Firmware programming from the main window's button, with every form of the application: the
// panel's timer runs the exchange while the monitor loop stands still, the progress window shows
// it, and the line goes back to the monitor loop when it ends. The meter's lines are put into the
// receive ring directly; one test programs a whole file over a pseudo-terminal with the meter
// stand-in, from start to success.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <QComboBox>
#include <QFile>
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
#include "tests/support/ComboChoice.h"
#include "tests/support/FileNodes.h"
#include "tests/support/MeterStandIn.h"
#include "tests/support/SRecordFiles.h"
#include "tests/support/WindowSystem.h"
#include "tests/support/Xmodem.h"

using testing_support::MeterStandIn;

using testing_support::SettledOuterGeometry;

namespace {

// ms: generous bound for anything that crosses the line or waits for ticks; only a fault ever
// waits it out.
constexpr int Bound = 60000;
const QString Done = QStringLiteral("プログラミング完了！\n\r");

class FirmwareButton : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        ASSERT_NO_FATAL_FAILURE(
            testing_support::MakeWholeFirmwareFiles(folder.path().toStdString(), wholeFiles));
        lines = testing_support::LinesOf(wholeFiles[1]);
        ASSERT_EQ(lines.size(), 21u);
        damaged = folder.filePath(QStringLiteral("damaged.mot"));
        std::string text = testing_support::ReadText(wholeFiles[1]);
        text[text.find('\n') + 10] = 'x';  // a character of line 2 that is no digit
        ASSERT_NO_FATAL_FAILURE(testing_support::WriteText(damaged.toStdString(), text));
        previousPresenter = platform::SetFileDialogPresenter(
            [this](const platform::FileDialogRequest&) -> std::optional<QString> {
                return chosen;
            });
    }
    void TearDown() override
    {
        platform::SetFileDialogPresenter(std::move(previousPresenter));
        forms.reset();
    }

    // The application with the ports the lister names (none: no line, the meter's lines are put
    // into the ring by the test).
    void StartApplication(std::vector<QString> ports = {})
    {
        forms = std::make_unique<TApplicationForms>(folder.path() + QStringLiteral("/zolt-tool"),
                                                    [ports] { return ports; });
        MainForm->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(MainForm));
        boxes.Clear();  // the port scan's report when there is no line
    }
    void Program(const QString& file)
    {
        chosen = file;
        QTest::mouseClick(MainForm->ToolButton2, Qt::LeftButton);
    }
    // The meter's line as it arrives from the port.
    static void FromMeter(const std::string& text)
    {
        std::string line = MeterStandIn::Ack(text);
        PCom->CommReceive(nullptr, line.data(), static_cast<unsigned>(line.size()));
    }
    static bool WaitUntilTaken()
    {
        return QTest::qWaitFor([] { return PCom->Rx.Empty(); }, Bound);
    }
    void ExpectMonitoring()
    {
        EXPECT_FALSE(PCom->Timer->isActive());
        EXPECT_FALSE(ProgressForm->isVisible());
        EXPECT_TRUE(MainForm->TimerMonitor->isActive());
    }

    QTemporaryDir folder;
    std::vector<std::string> wholeFiles;
    std::vector<std::string> lines;  // of the S2 file
    QString damaged;
    QString chosen;
    testing_support::BoxRecorder boxes;
    std::unique_ptr<MeterStandIn> meterOnLine;  // outlives the application that opened its line
    std::unique_ptr<TApplicationForms> forms;
    platform::FileDialogPresenter previousPresenter;
};

}  // namespace

TEST_F(FirmwareButton, ThePanelsTimerRunsTheExchangeWhileMonitoringStandsStill)
{
    ASSERT_NO_FATAL_FAILURE(StartApplication());
    const QString file = QString::fromStdString(wholeFiles[1]);
    Program(file);
    EXPECT_FALSE(MainForm->TimerMonitor->isActive());
    EXPECT_TRUE(PCom->Timer->isActive());
    EXPECT_EQ(MainForm->OpenDialog.InitialDir, file);
    EXPECT_TRUE(ProgressForm->isVisible());
    EXPECT_EQ(ProgressForm->windowTitle(), file);
    EXPECT_EQ(ProgressForm->ProgressBar->geometry(), QRect(16, 24, 602, 16));
    EXPECT_EQ(ProgressForm->size(), QSize(634, 65));
    EXPECT_EQ(ProgressForm->ProgressBar->maximum(), 1531);
    const QPoint offset =
        SettledOuterGeometry(*ProgressForm).center() - SettledOuterGeometry(*MainForm).center();
    EXPECT_LE(offset.manhattanLength(), 2);

    for (int i = 0; i < 5; ++i)
        FromMeter("@READY");
    ASSERT_TRUE(WaitUntilTaken());
    ASSERT_TRUE(QTest::qWaitFor([] { return PCom->Firmware.LineNumber == 5; }, Bound));
    EXPECT_EQ(ProgressForm->ProgressBar->value(), PCom->Firmware.BytesSent);
    EXPECT_TRUE(boxes.Boxes().empty());

    FromMeter("@SUCCESS");
    ASSERT_TRUE(QTest::qWaitFor([] { return !PCom->Timer->isActive(); }, Bound));
    EXPECT_EQ(boxes.Texts(), std::vector<QString>{Done});
    EXPECT_EQ(boxes.Beeps(), 1);
    ExpectMonitoring();
}

TEST_F(FirmwareButton, ADamagedFileOrAFifoIsRefusedAndMonitoringGoesOn)
{
    ASSERT_NO_FATAL_FAILURE(StartApplication());
    const QString fifo = folder.filePath(QStringLiteral("fifo.mot"));
    ASSERT_TRUE(testing_support::MakeNode(fifo, testing_support::Node::Fifo));
    const std::pair<QString, QString> cases[] = {
        {damaged, QStringLiteral("不正文字！\n\rLINE=2")},
        {fifo,
         QStringLiteral("ファイル %1 を読み込めません\n\r通常のファイルではありません（FIFO）")
             .arg(fifo)},
    };
    for (const auto& [file, message] : cases) {
        SCOPED_TRACE(file.toStdString());
        boxes.Clear();
        Program(file);
        EXPECT_EQ(boxes.Texts(), std::vector<QString>{message});
        EXPECT_EQ(boxes.Beeps(), 1);
        ExpectMonitoring();
    }
}

TEST_F(FirmwareButton, ClosingTheProgressWindowHandsTheMetersLinesToTheMonitorLoop)
{
    ASSERT_NO_FATAL_FAILURE(StartApplication());
    Program(QString::fromStdString(wholeFiles[1]));
    ProgressForm->close();
    ExpectMonitoring();
    EXPECT_FALSE(PCom->Firmware.Running());
    EXPECT_TRUE(boxes.Boxes().empty());

    // What the meter still sends is the monitor loop's now: never answered with a file line.
    FromMeter("@READY");
    ASSERT_TRUE(WaitUntilTaken());
    EXPECT_EQ(PCom->Firmware.LineNumber, 0);
}

TEST_F(FirmwareButton, AnExchangeEndedByTheLineTakesNoLineWhileItsMessageIsOpen)
{
    ASSERT_NO_FATAL_FAILURE(StartApplication());
    Program(QString::fromStdString(wholeFiles[1]));
    FromMeter("@READY");
    ASSERT_TRUE(QTest::qWaitFor([] { return PCom->Firmware.LineNumber == 1; }, Bound));
    // The box is modal: the event loop keeps running while it is open (long enough for the panel's
    // and the monitor loop's timers to fire), and the meter sends on.
    bool waitingInTheRing = false;
    auto recorder = platform::SetBoxPresenter([&](const platform::BoxRequest& box) {
        EXPECT_EQ(box.text, QStringLiteral("/dev/ttyUSB0: 入出力エラー"));
        FromMeter("@READY");
        FromMeter("@PROJECT_NAME");
        QTimer pace;
        pace.setInterval(10);
        int ticks = 0;
        QObject::connect(&pace, &QTimer::timeout, [&ticks] { ++ticks; });
        pace.start();
        EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 25; }, Bound));
        waitingInTheRing = !PCom->Rx.Empty() && PCom->Firmware.LineNumber == 1;
        return platform::BoxResult::Abort;
    });
    PCom->EndFirmwareUpdate(QStringLiteral("/dev/ttyUSB0: 入出力エラー"));
    platform::SetBoxPresenter(std::move(recorder));
    EXPECT_TRUE(waitingInTheRing);
    ExpectMonitoring();
}

namespace {

bool IsMonitorRequest(const std::string& request)
{
    return request == "@GET_KIND" || request == "@GET_PORT" || request == "@GET_DATETIME";
}

std::string HexText(std::uint32_t value, int digits)
{
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return text;
}

// The reply's text as the meter reads it: address, count, data, CRC.
std::string BlockReplyText(std::uint32_t address, const std::uint8_t* data, std::size_t size)
{
    std::string reply = HexText(address, 6) + HexText(static_cast<std::uint32_t>(size), 4);
    for (std::size_t i = 0; i < size; ++i)
        reply += HexText(data[i], 2);
    return reply + testing_support::XmodemCrcDigits(reply);
}

}  // namespace

TEST_F(FirmwareButton, AWholeFileIsProgrammedOverTheLineAndMonitoringResumes)
{
    // A meter that is polled and takes firmware: it asks for the next line as soon as it has
    // one, and for blocks of the image when the test says so.
    meterOnLine = std::make_unique<MeterStandIn>();
    MeterStandIn& meter = *meterOnLine;
    meter.SetScript([](const std::string& request) -> std::vector<std::string> {
        if (request == "@GET_KIND")
            return {MeterStandIn::Ack("@GET_KIND=TACHO")};
        if (request == "@GET_PORT")
            return {MeterStandIn::Ack("@GET_PORT=0BB8")};
        if (request == "@GET_DATETIME")
            return {MeterStandIn::Ack("@GET_DATETIME=07451306170936")};
        if (request == "@START_RTSP")
            return {MeterStandIn::Ack("@PROJECT_NAME")};
        if (request == "@PROJECT_ZOLT" || (request.size() > 1 && request[0] == 'S'))
            return {MeterStandIn::Ack("@READY")};
        return {};
    });
    ASSERT_NO_FATAL_FAILURE(StartApplication({meter.PortName()}));
    const auto count = [&meter](auto predicate) {
        const std::vector<std::string> requests = meter.Requests();
        return static_cast<std::size_t>(std::count_if(requests.begin(), requests.end(), predicate));
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return count(IsMonitorRequest) >= 2; }, Bound));

    // A damaged file is refused before the meter hears of it; polling goes on.
    Program(damaged);
    EXPECT_EQ(boxes.Texts(), std::vector<QString>{QStringLiteral("不正文字！\n\rLINE=2")});
    const std::size_t polledAtRefusal = count(IsMonitorRequest);
    ASSERT_TRUE(QTest::qWaitFor([&] { return count(IsMonitorRequest) > polledAtRefusal; }, Bound));
    EXPECT_EQ(count([](const std::string& r) { return !IsMonitorRequest(r); }), 0u);
    boxes.Clear();

    // The whole file goes, line by line.
    const auto isFileLine = [](const std::string& r) { return r.size() > 1 && r[0] == 'S'; };
    Program(QString::fromStdString(wholeFiles[1]));
    ASSERT_TRUE(QTest::qWaitFor([&] { return count(isFileLine) == lines.size(); }, Bound));
    std::vector<std::string> got = meter.Requests();
    // A poll may have gone out just before the start; its reply is no line for the exchange.
    const auto start = std::find(got.begin(), got.end(), "@START_RTSP") - got.begin();
    std::vector<std::string> expected{"@START_RTSP", "@PROJECT_ZOLT"};
    expected.insert(expected.end(), lines.begin(), lines.end());
    EXPECT_EQ(std::vector<std::string>(got.begin() + start, got.end()), expected);

    // Blocks of the image while the meter does not read: rounds of ten requests (replies of 1040
    // bytes each) until the line is full, which requests still in the ring after twenty ticks
    // show. The replies then wait for the meter instead of being lost.
    const std::string bin = folder.filePath("image.bin").toStdString();
    testing_support::SrecCat("'" + wholeFiles[1] + "' -fill 0xFF 0 0x54000 -o '" + bin +
                             "' -binary");
    const std::vector<std::uint8_t> image = testing_support::ReadBytes(bin);
    ASSERT_EQ(image.size(), 0x54000u);
    const auto blockAddress = [](std::size_t i) {
        return static_cast<std::uint32_t>(0x30000 + i % 32 * 0x10);
    };
    meter.SetReading(false);
    const std::size_t beforeBlocks = meter.Requests().size();
    int ticks = 0;
    const QMetaObject::Connection counting =
        QObject::connect(PCom->Timer, &QTimer::timeout, [&ticks] { ++ticks; });
    std::size_t asked = 0;
    for (bool full = false; !full && asked < 200;) {
        std::string requests;
        for (int i = 0; i < 10; ++i, ++asked)
            requests += MeterStandIn::Ack(HexText(blockAddress(asked), 6) + "0200");
        meter.Send(requests);
        ticks = 0;
        ASSERT_TRUE(QTest::qWaitFor([&] { return ticks >= 20; }, Bound));
        full = !PCom->Rx.Empty();
    }
    QObject::disconnect(counting);
    EXPECT_TRUE(PCom->Comm->Sending());
    meter.SetReading(true);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return meter.Requests().size() >= beforeBlocks + asked; }, Bound));
    got = meter.Requests();
    ASSERT_EQ(got.size(), beforeBlocks + asked);
    for (std::size_t i = 0; i < asked; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(got[beforeBlocks + i],
                  BlockReplyText(blockAddress(i), image.data() + blockAddress(i), 0x200));
    }

    meter.Send(MeterStandIn::Ack("@SUCCESS"));
    ASSERT_TRUE(QTest::qWaitFor([] { return !PCom->Timer->isActive(); }, Bound));
    EXPECT_EQ(boxes.Texts(), std::vector<QString>{Done});
    ExpectMonitoring();
    // Nothing polled the meter while it was being programmed; then the loop polls again.
    EXPECT_TRUE(std::none_of(got.begin() + start,
                             got.begin() + static_cast<std::ptrdiff_t>(beforeBlocks + asked),
                             IsMonitorRequest));
    const std::size_t polledWhenProgrammed = count(IsMonitorRequest);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return count(IsMonitorRequest) > polledWhenProgrammed; }, Bound));

    // The adapter is pulled, which is reported; the port cannot be opened again for the next
    // file. The serial layer's error (the system's text) is shown by the default handler;
    // monitoring goes on.
    meter.Vanish();
    ASSERT_TRUE(QTest::qWaitFor([] { return !PCom->Comm->HandleCheck(false); }, Bound));
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    boxes.Clear();
    Program(QString::fromStdString(wholeFiles[1]));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_FALSE(boxes.Boxes()[0].text.isEmpty());
    EXPECT_FALSE(boxes.Boxes()[0].text.startsWith(QStringLiteral("ファイルが見つかりません")));
    ExpectMonitoring();
}

TEST_F(FirmwareButton, APulledDeviceEndsTheExchangeWithOneMessageAndChoosingItAgainResumesPolling)
{
    // The meter's line is listed under a name of its own, as an adapter's device is. It asks for
    // the first file line and then waits.
    const auto meterScript = [](const std::string& request) -> std::vector<std::string> {
        if (IsMonitorRequest(request))
            return {MeterStandIn::Ack(request == "@GET_KIND" ? "@GET_KIND=TACHO" : request)};
        if (request == "@START_RTSP")
            return {MeterStandIn::Ack("@PROJECT_NAME")};
        if (request == "@PROJECT_ZOLT")
            return {MeterStandIn::Ack("@READY")};
        return {};
    };
    auto meter = std::make_unique<MeterStandIn>();
    meter->SetScript(meterScript);
    const QString name = folder.filePath(QStringLiteral("ttyUSB0"));
    ASSERT_TRUE(QFile::link(meter->PortName(), name));
    ASSERT_NO_FATAL_FAILURE(StartApplication({name}));
    Program(QString::fromStdString(wholeFiles[1]));
    ASSERT_TRUE(QTest::qWaitFor([] { return PCom->Firmware.LineNumber == 1; }, Bound));
    ASSERT_TRUE(meter->WaitForRequests(3));  // "@START_RTSP", "@PROJECT_ZOLT", the first line

    meter->Vanish();
    ASSERT_TRUE(QTest::qWaitFor([] { return !PCom->Comm->HandleCheck(false); }, Bound));
    EXPECT_EQ(boxes.Texts(),
              std::vector<QString>{QStringLiteral("通信ポートが切断されました\n\r") + name});
    EXPECT_EQ(boxes.Beeps(), 1);
    EXPECT_FALSE(PCom->Firmware.Running());
    EXPECT_TRUE(PCom->Port->isEnabled());
    ExpectMonitoring();

    // The meter is back under the same name; the user chooses it in the panel.
    meterOnLine = std::make_unique<MeterStandIn>();
    meterOnLine->SetScript(meterScript);
    ASSERT_TRUE(QFile::remove(name));
    ASSERT_TRUE(QFile::link(meterOnLine->PortName(), name));
    MainForm->ShowCommPanel();
    testing_support::ChooseFromList(*PCom->Port, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return meterOnLine->Requests().size() >= 2; }, Bound));
    for (const std::string& request : meterOnLine->Requests())
        EXPECT_TRUE(IsMonitorRequest(request)) << request;
    EXPECT_EQ(boxes.Boxes().size(), 1u);
}
