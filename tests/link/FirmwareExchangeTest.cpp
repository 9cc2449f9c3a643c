// Firmware programming end to end: the panel opens a real pseudo-terminal, the meter stand-in
// leads the exchange from the other end, and the files are real files in a temporary folder.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <memory>
#include <mutex>
#include <QCoreApplication>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTimer>
#include <string>
#include <thread>
#include <vector>

#include "link/PcCom.h"
#include "link/Progress.h"
#include "platform/MessageBox.h"
#include "tests/support/BoxRecorder.h"
#include "tests/support/MeterStandIn.h"
#include "tests/support/SRecordFiles.h"
#include "tests/support/Xmodem.h"

using testing_support::BoxRecorder;
using testing_support::MeterStandIn;
using namespace std::chrono_literals;

namespace {

const std::string kSample = ZOLT_TESTDATA_DIR "/firmware/h8-sample.mot";

// Whole files go one line per 10 ms tick, several times slower in the sanitizer trees and on a
// loaded machine: the bound is far above that, as only a fault ever waits it out.
bool WaitFor(const std::function<bool()>& condition)
{
    const auto deadline = std::chrono::steady_clock::now() + 60s;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

// The file's lines as the meter must receive them: without CR or LF.
std::vector<std::string> LinesOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string WriteFile(const QTemporaryDir& dir, const char* name, const std::string& bytes)
{
    const std::string path = dir.filePath(name).toStdString();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

// A meter that answers as soon as it has a frame: the project name once the start is
// announced, then "@READY" for every line it receives (the last one included). Requests it was
// told to expect get their own answer.
class ProgrammingMeter {
public:
    explicit ProgrammingMeter(MeterStandIn& meter) : meter_(meter)
    {
        meter_.SetScript([this](const std::string& request) -> std::vector<std::string> {
            std::lock_guard lock(mutex_);
            if (request == "@START_RTSP")
                return {MeterStandIn::Ack("@PROJECT_NAME")};
            if (const auto special = answers_.find(request); special != answers_.end())
                return special->second;
            return {MeterStandIn::Ack("@READY")};
        });
    }
    // The meter answers this request with these writes instead.
    void AnswerWith(const std::string& request, std::vector<std::string> writes)
    {
        std::lock_guard lock(mutex_);
        answers_[request] = std::move(writes);
    }

private:
    MeterStandIn& meter_;
    std::mutex mutex_;
    std::map<std::string, std::vector<std::string>> answers_;
};

class FirmwareExchange : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        panel = std::make_unique<TPCom>(nullptr,
                                        [this] { return std::vector<QString>{meter.PortName()}; });
        progress = std::make_unique<TProgressForm>(nullptr);
        PCom = panel.get();
        ProgressForm = progress.get();
        monitorTimer.setInterval(100);
        panel->TimerMonitor = &monitorTimer;
        panel->SetPortOpen(true);
    }
    void TearDown() override
    {
        PCom = nullptr;
        ProgressForm = nullptr;
    }

    // What the meter received, in order.
    std::vector<std::string> Requests() const { return meter.Requests(); }
    bool WaitForRequests(std::size_t count)
    {
        return WaitFor([&] { return meter.Requests().size() >= count; });
    }
    bool WaitForEnd()
    {
        return WaitFor([&] { return !panel->Timer->isActive(); });
    }
    // The exchange has handled every line the meter sent: a project-name question sent last is
    // answered only after everything before it.
    void ExpectNothingMoreSent()
    {
        const std::size_t before = meter.Requests().size();
        meter.Send(MeterStandIn::Ack("@PROJECT_NAME"));
        ASSERT_TRUE(WaitForRequests(before + 1));
        const std::vector<std::string> after = meter.Requests();
        EXPECT_EQ(after.size(), before + 1);
        EXPECT_EQ(after.back(), "@PROJECT_ZOLT");
    }
    void ExpectEnded()
    {
        EXPECT_FALSE(panel->Timer->isActive());
        EXPECT_TRUE(monitorTimer.isActive());
        EXPECT_FALSE(progress->isVisible());
        EXPECT_FALSE(panel->Programming);
    }

    QTemporaryDir dir;
    MeterStandIn meter;
    ProgrammingMeter script{meter};
    BoxRecorder boxes;
    QTimer monitorTimer;
    std::unique_ptr<TPCom> panel;
    std::unique_ptr<TProgressForm> progress;
};

}  // namespace

TEST_F(FirmwareExchange, TheToolchainSampleIsProgrammedLineByLineToSuccess)
{
    const std::vector<std::string> lines = LinesOf(kSample);
    ASSERT_EQ(lines.size(), 182u);
    ASSERT_TRUE(panel->StartFirmwareUpdate(QString::fromStdString(kSample)));
    EXPECT_TRUE(progress->isVisible());
    EXPECT_EQ(progress->windowTitle(), QString::fromStdString(kSample));
    EXPECT_EQ(progress->ProgressBar->maximum(), 7714);
    EXPECT_TRUE(panel->Timer->isActive());

    ASSERT_TRUE(WaitForRequests(2 + lines.size()));
    std::vector<std::string> expected{"@START_RTSP", "@PROJECT_ZOLT"};
    expected.insert(expected.end(), lines.begin(), lines.end());
    EXPECT_EQ(Requests(), expected);
    // The meter's "@READY" after the last line is not answered; the exchange waits.
    ExpectNothingMoreSent();
    EXPECT_TRUE(panel->Timer->isActive());
    EXPECT_EQ(progress->ProgressBar->value(), 7714);
    EXPECT_EQ(panel->LineNumber, 182);
    EXPECT_EQ(panel->BytesSent, 7714);
    EXPECT_TRUE(boxes.Boxes().empty());

    meter.Send(MeterStandIn::Ack("@SUCCESS"));
    ASSERT_TRUE(WaitForEnd());
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, QStringLiteral("プログラミング完了！\n\r"));
    EXPECT_EQ(boxes.Boxes()[0].icon, platform::BoxIcon::Information);
    EXPECT_EQ(boxes.Boxes()[0].buttons, platform::BoxButtons::Ok);
    EXPECT_EQ(boxes.Beeps(), 1);
    ExpectEnded();
}

TEST_F(FirmwareExchange, SrecCatFilesWithS2AndS3RecordsAndCrLfAreProgrammedToo)
{
    const std::string data = dir.filePath("data.bin").toStdString();
    testing_support::WritePattern(data, 2000, 7);
    const std::string s2 = dir.filePath("s2.mot").toStdString();
    const std::string s3 = dir.filePath("s3.mot").toStdString();
    testing_support::SrecCat("'" + data + "' -binary -offset 0x30000 -o '" + s2 +
                             "' -motorola -address-length=3 -crlf");
    // Lines of 254 characters, 256 bytes with CR LF: the longest that fit.
    testing_support::SrecCat("'" + data + "' -binary -offset 0x40000 -o '" + s3 +
                             "' -motorola -address-length=4 -crlf -line-length=254");
    for (const std::string& file : {s2, s3}) {
        SCOPED_TRACE(file);
        meter.ClearReceived();
        boxes.Clear();
        const std::vector<std::string> lines = LinesOf(file);
        ASSERT_TRUE(panel->StartFirmwareUpdate(QString::fromStdString(file)));
        ASSERT_TRUE(WaitForRequests(2 + lines.size()));
        const std::vector<std::string> got = Requests();
        EXPECT_EQ(std::vector<std::string>(got.begin() + 2, got.end()), lines);
        meter.Send(MeterStandIn::Ack("@SUCCESS"));
        ASSERT_TRUE(WaitForEnd());
        EXPECT_EQ(boxes.Texts(), std::vector<QString>{QStringLiteral("プログラミング完了！\n\r")});
    }
}

TEST_F(FirmwareExchange, TheProjectNameIsAnsweredWheneverItIsAsked)
{
    const std::vector<std::string> lines = LinesOf(kSample);
    // After the third line the meter asks again (and goes on once it has the answer).
    script.AnswerWith(lines[2], {MeterStandIn::Ack("@PROJECT_NAME")});
    script.AnswerWith(lines[5], {MeterStandIn::Ack("@VERSION=1.2"), MeterStandIn::Ack("@READY")});
    ASSERT_TRUE(panel->StartFirmwareUpdate(QString::fromStdString(kSample)));
    ASSERT_TRUE(WaitForRequests(3 + lines.size()));
    const std::vector<std::string> got = Requests();
    EXPECT_EQ(got[1], "@PROJECT_ZOLT");
    EXPECT_EQ(got[4], lines[2]);
    EXPECT_EQ(got[5], "@PROJECT_ZOLT");
    EXPECT_EQ(got[6], lines[3]);
    EXPECT_EQ(got.back(), lines.back());
}

TEST_F(FirmwareExchange, ErrFromTheMeterEndsTheExchange)
{
    const std::vector<std::string> lines = LinesOf(kSample);
    script.AnswerWith(lines[9], {MeterStandIn::Ack("@ERR")});
    ASSERT_TRUE(panel->StartFirmwareUpdate(QString::fromStdString(kSample)));
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(Requests().size(), 12u);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, QStringLiteral("エラー\n\r中断しました"));
    EXPECT_EQ(boxes.Boxes()[0].buttons, platform::BoxButtons::Abort);
    EXPECT_EQ(boxes.Beeps(), 1);
    ExpectEnded();
}

TEST_F(FirmwareExchange, LineLengthsUpTo256BytesGoAndLongerOnesAreReportedWithTheirNumber)
{
    const std::string longest(254, 'A');
    const std::string tooLong(256, 'B');  // 257 bytes with its LF
    const std::string path =
        WriteFile(dir, "long.mot", "S1\r\n" + longest + "\r\n" + "S9\n" + tooLong + "\nS8\n");
    ASSERT_TRUE(panel->StartFirmwareUpdate(QString::fromStdString(path)));
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(Requests(),
              (std::vector<std::string>{"@START_RTSP", "@PROJECT_ZOLT", "S1", longest, "S9"}));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, QStringLiteral("不正ライン長！\n\rLINE=4"));
    EXPECT_EQ(boxes.Beeps(), 1);
    EXPECT_EQ(panel->FileBuffer, nullptr);
    ExpectEnded();
}

TEST_F(FirmwareExchange, BadFilesAreReportedAsTheirFirstBadLine)
{
    struct Case {
        const char* name;
        std::string bytes;
        const char* message;
    };
    std::string binary(300, '\0');
    for (std::size_t i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>(i % 9 == 0 ? 0x7F : 0x80 + i % 100);
    const Case cases[] = {
        {"no-lf.mot", "S00600004844521B\nS9030000FC", "不正ライン長！\n\rLINE=2"},
        {"binary.bin", binary, "不正ライン長！\n\rLINE=1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.Clear();
        const std::string path = WriteFile(dir, c.name, c.bytes);
        ASSERT_TRUE(panel->StartFirmwareUpdate(QString::fromStdString(path)));
        ASSERT_TRUE(WaitForEnd());
        EXPECT_EQ(boxes.Texts(), std::vector<QString>{QString::fromUtf8(c.message)});
        ExpectEnded();
    }
}

TEST_F(FirmwareExchange, AnEmptyFileHasNothingToSend)
{
    const std::string path = WriteFile(dir, "empty.mot", "");
    ASSERT_TRUE(panel->StartFirmwareUpdate(QString::fromStdString(path)));
    EXPECT_EQ(progress->ProgressBar->maximum(), 0);
    ASSERT_TRUE(WaitForRequests(2));
    ExpectNothingMoreSent();
    EXPECT_EQ(Requests().size(), 3u);
    EXPECT_TRUE(panel->Timer->isActive());
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(FirmwareExchange, AMissingFileDoesNotStart)
{
    const QString missing = dir.filePath(QStringLiteral("ファーム.mot"));
    EXPECT_FALSE(panel->StartFirmwareUpdate(missing));
    EXPECT_FALSE(panel->StartFirmwareUpdate(dir.path()));  // a folder is no file
    EXPECT_EQ(boxes.Texts(),
              (std::vector<QString>{QStringLiteral("ファイルが見つかりません\n\r") + missing,
                                    QStringLiteral("ファイルが見つかりません\n\r") + dir.path()}));
    EXPECT_EQ(boxes.Beeps(), 2);
    EXPECT_FALSE(panel->Timer->isActive());
    EXPECT_FALSE(progress->isVisible());
    EXPECT_TRUE(meter.Requests().empty());
}

namespace {

// The image as srec_cat sees the file, 0xFF in the gaps.
std::vector<std::uint8_t> SrecCatImage(const QTemporaryDir& dir, const std::string& mot)
{
    const std::string bin = dir.filePath("image.bin").toStdString();
    testing_support::SrecCat("'" + mot + "' -fill 0xFF 0 0x54000 -o '" + bin + "' -binary");
    return testing_support::ReadBytes(bin);
}

std::string HexText(std::uint32_t value, int digits)
{
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return text;
}

// A block reply's text taken apart: address, count, data and CRC, each checked on its own.
void ExpectBlockReply(const std::string& reply, std::uint32_t address,
                      const std::vector<std::uint8_t>& data)
{
    ASSERT_EQ(reply.size(), 6 + 4 + 2 * data.size() + 4) << reply;
    EXPECT_EQ(reply.substr(0, 6), HexText(address, 6));
    EXPECT_EQ(reply.substr(6, 4), HexText(static_cast<std::uint32_t>(data.size()), 4));
    std::string digits;
    for (const std::uint8_t byte : data)
        digits += HexText(byte, 2);
    EXPECT_EQ(reply.substr(10, 2 * data.size()), digits);
    const std::string body = reply.substr(0, reply.size() - 4);
    EXPECT_EQ(reply.substr(reply.size() - 4), testing_support::XmodemCrcDigits(body));
}

}  // namespace

class FirmwareBlocks : public FirmwareExchange {
protected:
    void SetUp() override
    {
        FirmwareExchange::SetUp();
        // This meter asks for blocks of the image (the test sends its requests) instead of
        // lines, and answers nothing but the start.
        meter.SetScript([](const std::string& request) -> std::vector<std::string> {
            if (request == "@START_RTSP")
                return {MeterStandIn::Ack("@PROJECT_NAME")};
            return {};
        });
        ASSERT_TRUE(panel->StartFirmwareUpdate(QString::fromStdString(kSample)));
        ASSERT_TRUE(WaitForRequests(2));
    }
    // The meter asks; answers what the panel sent back.
    std::string Ask(const std::string& request)
    {
        const std::size_t before = meter.Requests().size();
        meter.Send(MeterStandIn::Ack(request));
        if (!WaitForRequests(before + 1))
            return "(nothing)";
        return meter.Requests()[before];
    }
    // The meter asks something that ends the exchange; answers what the panel sent back before
    // the end, which a marker frame sent after it shows (frames arrive in order).
    std::string AskToEnd(const std::string& request)
    {
        const std::size_t before = meter.Requests().size();
        meter.Send(MeterStandIn::Ack(request));
        if (!WaitForEnd())
            return "(still running)";
        // The send thread holds one frame at a time: the last one goes out first.
        if (!WaitFor([&] { return !panel->Comm->Sending(); }))
            return "(stuck sending)";
        panel->SendCommand("MARK");
        if (!WaitFor([&] { return meter.Requests().back() == "MARK"; }))
            return "(no marker)";
        const std::vector<std::string> got = meter.Requests();
        return got.size() == before + 1 ? "(nothing)" : got[before];
    }
};

TEST_F(FirmwareBlocks, RequestsAreAnsweredFromTheFilesImage)
{
    const std::vector<std::uint8_t> image = SrecCatImage(dir, kSample);
    EXPECT_EQ(panel->ImageEnd, 0xB2C);

    ExpectBlockReply(Ask("0001000010"), 0x100,
                     std::vector<std::uint8_t>(image.begin() + 0x100, image.begin() + 0x110));
    EXPECT_EQ(progress->ProgressBar->value(), 0x110);
    // Lower-case digits and whatever follows the ten digits.
    ExpectBlockReply(Ask("000abc0070;x"), 0xABC,
                     std::vector<std::uint8_t>(image.begin() + 0xABC, image.begin() + 0xB2C));
    // The largest block runs past the end of the data into erased bytes.
    ExpectBlockReply(Ask("000A000200"), 0xA00,
                     std::vector<std::uint8_t>(image.begin() + 0xA00, image.begin() + 0xC00));
    // A block of nothing but erased bytes carries no data.
    ExpectBlockReply(Ask("0000F4000C"), 0xF4, {});
    EXPECT_TRUE(panel->Timer->isActive());
    EXPECT_TRUE(boxes.Boxes().empty());

    // At the end of the data the meter is told so, and the exchange is over.
    EXPECT_EQ(AskToEnd("000B2C0010"), "@END");
    EXPECT_TRUE(boxes.Boxes().empty());
    ExpectEnded();
}

TEST_F(FirmwareBlocks, RepliesWaitForALineThatBacksUpInsteadOfBeingLost)
{
    const std::vector<std::uint8_t> image = SrecCatImage(dir, kSample);
    // Thirty requests at once for 512 bytes each: their replies, 1040 bytes each, are more
    // than the line holds while the meter does not read.
    meter.SetReading(false);
    std::string requests;
    for (std::uint32_t i = 0; i < 30; ++i)
        requests += MeterStandIn::Ack(HexText(i * 0x40, 6) + "0200");
    const std::size_t before = meter.Requests().size();
    meter.Send(requests);
    ASSERT_TRUE(WaitFor([&] { return panel->Comm->Sending(); }));
    // Ten more ticks of the exchange while the line is stalled.
    int ticks = 0;
    const QMetaObject::Connection counting =
        QObject::connect(panel->Timer, &QTimer::timeout, [&ticks] { ++ticks; });
    ASSERT_TRUE(WaitFor([&] { return ticks >= 10; }));
    QObject::disconnect(counting);
    meter.SetReading(true);
    ASSERT_TRUE(WaitForRequests(before + 30));
    const std::vector<std::string> replies = meter.Requests();
    ASSERT_EQ(replies.size(), before + 30);
    for (std::uint32_t i = 0; i < 30; ++i) {
        SCOPED_TRACE(i);
        const auto from = image.begin() + i * 0x40;
        ExpectBlockReply(replies[before + i], i * 0x40,
                         std::vector<std::uint8_t>(from, from + 0x200));
    }
}

TEST_F(FirmwareBlocks, AFileWithoutAnImageAnswersEveryRequestWithEnd)
{
    const std::string path = WriteFile(dir, "broken.mot",
                                       "S1050010ABCD72\nS1050012ABCD71\n");  // bad checksum
    ASSERT_TRUE(panel->StartFirmwareUpdate(QString::fromStdString(path)));
    ASSERT_TRUE(WaitForRequests(4));
    EXPECT_EQ(panel->ImageEnd, 0);
    EXPECT_EQ(AskToEnd("0000000010"), "@END");
    ExpectEnded();
}

TEST_F(FirmwareBlocks, MalformedRequestsEndTheExchangeWithTheirMessage)
{
    struct Case {
        const char* request;
        const char* message;
    };
    const Case cases[] = {
        {"00010G0010", "キャラクタエラー\n\r"},
        {"00010", "キャラクタエラー\n\r"},
        {"053FFF0002", "転送アドレスエラー\n\r053FFF"},
        {"0000000201", "転送サイズエラー\n\r0201"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.request);
        if (!panel->Timer->isActive()) {
            const std::size_t before = meter.Requests().size();
            ASSERT_TRUE(panel->StartFirmwareUpdate(QString::fromStdString(kSample)));
            ASSERT_TRUE(WaitForRequests(before + 2));
        }
        boxes.Clear();
        EXPECT_EQ(AskToEnd(c.request), "(nothing)");
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].text, QString::fromUtf8(c.message));
        EXPECT_EQ(boxes.Boxes()[0].buttons, platform::BoxButtons::Abort);
        EXPECT_EQ(boxes.Beeps(), 1);
        ExpectEnded();
    }
}

TEST_F(FirmwareBlocks, ClosingTheProgressWindowHandsTheLineBackToTheMonitorLoop)
{
    progress->close();
    EXPECT_FALSE(panel->Timer->isActive());
    EXPECT_TRUE(monitorTimer.isActive());
    EXPECT_FALSE(progress->isVisible());
    EXPECT_TRUE(boxes.Boxes().empty());

    // What the meter still sends waits for the monitor loop.
    meter.Send(MeterStandIn::Ack("@READY"));
    ASSERT_TRUE(meter.WaitUntilRead());
    char line[1024];
    ASSERT_TRUE(WaitFor([&] { return panel->GetReceivedLine(line) > 0; }));
    EXPECT_EQ(std::string(line), MeterStandIn::Ack("@READY"));
    EXPECT_EQ(meter.Requests().size(), 2u);
}

TEST_F(FirmwareExchange, NoLineIsAnsweredWhileAnEndsMessageIsOpen)
{
    const std::string path = WriteFile(dir, "bad.mot", "S1\nS2\n" + std::string(300, 'C'));
    // The box is modal: the event loop keeps running while it is open, and the meter sends on.
    std::size_t requestsAtBox = 0;
    auto recorder = platform::SetBoxPresenter([&](const platform::BoxRequest&) {
        requestsAtBox = meter.Requests().size();
        meter.Send(MeterStandIn::Ack("@READY") + MeterStandIn::Ack("@PROJECT_NAME"));
        EXPECT_TRUE(WaitFor([&] { return !panel->Rx.Empty(); }));
        QTimer pace;
        pace.setInterval(10);
        int ticks = 0;
        QObject::connect(&pace, &QTimer::timeout, [&ticks] { ++ticks; });
        pace.start();
        EXPECT_TRUE(WaitFor([&] { return ticks >= 10; }));
        return platform::BoxResult::Abort;
    });
    ASSERT_TRUE(panel->StartFirmwareUpdate(QString::fromStdString(path)));
    ASSERT_TRUE(WaitForEnd());
    platform::SetBoxPresenter(std::move(recorder));
    EXPECT_GT(requestsAtBox, 0u);
    EXPECT_EQ(meter.Requests().size(), requestsAtBox);
    // The lines are left for the monitor loop.
    EXPECT_FALSE(panel->Rx.Empty());
    ExpectEnded();
}
