// The serial port over a real pseudo-terminal, with the meter stand-in at the other end.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <ctime>
#include <mutex>
#include <QFile>
#include <QTemporaryDir>
#include <string>
#include <thread>

#include "link/UnCom.h"
#include "tests/support/BoxRecorder.h"
#include "tests/support/MeterStandIn.h"

using testing_support::BoxRecorder;
using testing_support::MeterStandIn;
using namespace std::chrono_literals;

namespace {

// What the port delivered to its receive handler, delivery by delivery.
class Deliveries {
public:
    void Attach(TComm& comm)
    {
        comm.OnCommReceive = [this](TComm*, char* buffer, unsigned size) {
            std::lock_guard lock(mutex_);
            bytes_.append(buffer, size);
            terminatedByNul_ = terminatedByNul_ && buffer[size] == '\0';
            ++count_;
            changed_.notify_all();
        };
    }
    bool WaitForBytes(std::size_t size)
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, 10s, [&] { return bytes_.size() >= size; });
    }
    std::string Bytes()
    {
        std::lock_guard lock(mutex_);
        return bytes_;
    }
    bool TerminatedByNul()
    {
        std::lock_guard lock(mutex_);
        return terminatedByNul_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::string bytes_;
    bool terminatedByNul_ = true;
    int count_ = 0;
};

TCommCntrlRec MeterLine()
{
    TCommCntrlRec record = TComm::DefaultCntrl();
    record.nBoudRate = 115200;
    record.mFlowCntrls = {};
    record.nQueueIn = 8192;
    record.nQueueOut = 8192;
    return record;
}

double CpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + now.tv_nsec / 1e9;
}

// CPU time the process spends while the wall clock moves on by the given span: a thread
// spinning on the line would use nearly all of it.
double CpuSecondsOver(std::chrono::milliseconds span)
{
    const double before = CpuSeconds();
    std::this_thread::sleep_for(span);
    return CpuSeconds() - before;
}

// Fills the line while the meter does not read, until a write stays pending: the next Write is
// then refused for certain.
void WriteUntilStalled(TComm& comm)
{
    const std::string block(8192, 'x');
    for (int attempt = 0; attempt < 64; ++attempt) {
        if (!comm.Write(block.data(), static_cast<unsigned>(block.size()))) {
            const auto deadline = std::chrono::steady_clock::now() + 1s;
            while (comm.Sending() && std::chrono::steady_clock::now() < deadline)
                std::this_thread::sleep_for(1ms);
            if (comm.Sending())
                return;
        }
    }
    FAIL() << "the line never backed up";
}

QString ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const ECommError& error) {
        return error.Message();
    }
    return QStringLiteral("(nothing raised)");
}

}  // namespace

TEST(CommSettings, NewPortTakesTheDefaults)
{
    TComm comm;
    EXPECT_EQ(comm.Handle(), -1);
    EXPECT_EQ(comm.CommName(), QStringLiteral("COM1"));
    EXPECT_EQ(comm.BaudRate(), 9600u);
    EXPECT_EQ(comm.ByteSize(), eCmmBySz8);
    EXPECT_EQ(comm.Parity(), eCmmPrtyNone);
    EXPECT_EQ(comm.StopBits(), eCmmStpB1);
    EXPECT_EQ(comm.FlowControls(), TCommFlowCntrls{eCmmFlwRtsCts});
    EXPECT_EQ(comm.QueueIn(), 4096u);
    EXPECT_EQ(comm.QueueOut(), 4096u);
    EXPECT_EQ(comm.QueXonLim(), 1027);
    EXPECT_EQ(comm.QueXoffLim(), 3072);
    EXPECT_TRUE(comm.Events().Empty());
    EXPECT_EQ(comm.Duplex(), eCmmDplxFull);
    EXPECT_EQ(comm.EventsToMask({eCmmEvRxChar, eCmmEvTxEmpty, eCmmEvEvent2}), 0x1005u);
}

TEST(CommSettings, FlowSetDecidesTheDuplex)
{
    TComm comm;
    comm.SetFlowControls({eCmmFlwHlfRtsOff});
    EXPECT_EQ(comm.Duplex(), eCmmDplxHlfRtsOff);
    comm.SetFlowControls({eCmmFlwHlfRtsOn, eCmmFlwHlfRtsOff});
    EXPECT_EQ(comm.Duplex(), eCmmDplxHlfRtsOn);
    comm.SetFlowControls({eCmmFlwRtsCts, eCmmFlwHlfRtsOn});
    EXPECT_EQ(comm.Duplex(), eCmmDplxFull);
    comm.SetFlowControls({});
    EXPECT_EQ(comm.Duplex(), eCmmDplxFull);
}

TEST(CommSettings, ZeroBaudRateIsRefused)
{
    TComm comm;
    EXPECT_EQ(ErrorOf([&] { comm.SetBaudRate(0); }), QStringLiteral("Invalid BaudRate"));
    EXPECT_EQ(comm.BaudRate(), 9600u);
    MeterStandIn meter;
    TCommCntrlRec record = MeterLine();
    record.nBoudRate = 0;
    EXPECT_EQ(ErrorOf([&] { comm.Open(&record, meter.PortName()); }),
              QStringLiteral("Invalid BaudRate"));
    EXPECT_FALSE(comm.HandleCheck(false));
}

TEST(CommSettings, OpenPutsTheRecordInForceAndSettersChangeItLive)
{
    MeterStandIn meter;
    TComm comm;
    TCommCntrlRec record = MeterLine();
    comm.Open(&record, meter.PortName());
    termios line = meter.LineSettings();
    EXPECT_EQ(cfgetospeed(&line), B115200);
    EXPECT_EQ(line.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_FALSE(line.c_cflag & (PARENB | CSTOPB | CRTSCTS));
    EXPECT_FALSE(line.c_iflag & (IXON | IXOFF | ICRNL));
    EXPECT_FALSE(line.c_lflag & (ICANON | ECHO | ISIG));
    EXPECT_FALSE(line.c_oflag & OPOST);

    comm.SetBaudRate(57600);
    comm.SetByteSize(eCmmBySz7);
    comm.SetParity(eCmmPrtyMark);
    comm.SetStopBits(eCmmStpB2);
    comm.SetFlowControls({eCmmFlwXonXoff, eCmmFlwRtsCts});
    // A pseudo-terminal keeps eight bits without parity whatever it is asked; the parity kind
    // (mark: odd and stick) still shows.
    line = meter.LineSettings();
    EXPECT_EQ(cfgetospeed(&line), B57600);
    EXPECT_EQ(line.c_cflag & (PARODD | CMSPAR), tcflag_t(PARODD | CMSPAR));
    EXPECT_TRUE(line.c_cflag & CSTOPB);
    EXPECT_TRUE(line.c_cflag & CRTSCTS);
    EXPECT_TRUE(line.c_iflag & IXON);
    EXPECT_TRUE(line.c_iflag & IXOFF);

    comm.SetParity(eCmmPrtySpace);
    line = meter.LineSettings();
    EXPECT_EQ(line.c_cflag & (PARODD | CMSPAR), tcflag_t(CMSPAR));
}

TEST(CommOpen, MissingDeviceGivesTheSystemsText)
{
    TComm comm;
    EXPECT_EQ(ErrorOf([&] { comm.Open(nullptr, QStringLiteral("/dev/zolt-no-such-port")); }),
              QStringLiteral("No such file or directory"));
    EXPECT_EQ(comm.Handle(), -1);
    EXPECT_EQ(comm.CommName(), QStringLiteral("/dev/zolt-no-such-port"));
}

TEST(CommOpen, RegularFileIsNotACommDevice)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("not-a-port"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    TComm comm;
    EXPECT_EQ(ErrorOf([&] { comm.Open(nullptr, path); }),
              path + QStringLiteral(" is not Comm device."));
    EXPECT_EQ(comm.Handle(), -1);
}

TEST(CommOpen, CharacterDeviceThatIsNoLineFailsWithTheSystemsText)
{
    TComm comm;
    EXPECT_EQ(ErrorOf([&] { comm.Open(nullptr, QStringLiteral("/dev/null")); }),
              QStringLiteral("Inappropriate ioctl for device"));
    EXPECT_FALSE(comm.HandleCheck(false));
}

TEST(CommOpen, PortIsSharedWithNobody)
{
    MeterStandIn meter;
    TCommCntrlRec record = MeterLine();
    TComm first;
    first.Open(&record, meter.PortName());
    TComm second;
    EXPECT_EQ(ErrorOf([&] { second.Open(&record, meter.PortName()); }),
              QStringLiteral("Device or resource busy"));
    first.Close();
    second.Open(&record, meter.PortName());
    EXPECT_TRUE(second.HandleCheck(false));
}

TEST(CommOpen, HandleCheckOnAClosedPort)
{
    TComm comm;
    EXPECT_FALSE(comm.HandleCheck(false));
    EXPECT_EQ(ErrorOf([&] { comm.HandleCheck(true); }), QStringLiteral("COM1 is not Open."));
    EXPECT_EQ(ErrorOf([&] { comm.Write("x", 1); }), QStringLiteral("COM1 is not Open."));
    EXPECT_EQ(ErrorOf([&] { comm.SetBreak(true); }), QStringLiteral("COM1 is not Open."));
    EXPECT_EQ(comm.Read(nullptr, 10), 0);
    EXPECT_EQ(comm.GetModemStatus(), 0u);
    EXPECT_FALSE(comm.isCts());
    comm.Close();  // nothing to do
}

TEST(CommTraffic, BytesGoBothWays)
{
    MeterStandIn meter;
    TComm comm;
    Deliveries received;
    received.Attach(comm);
    TCommCntrlRec record = MeterLine();
    comm.Open(&record, meter.PortName());

    const std::string frame = "\x02@GET_KIND\x03";
    EXPECT_TRUE(comm.Write(frame.data(), static_cast<unsigned>(frame.size())));
    ASSERT_TRUE(meter.WaitForRequests(1));
    EXPECT_EQ(meter.Requests().front(), "@GET_KIND");

    const std::string reply = MeterStandIn::Ack("@GET_KIND=TACHO") + std::string("\x00\xA5\xFF", 3);
    meter.Send(reply);
    ASSERT_TRUE(received.WaitForBytes(reply.size()));
    EXPECT_EQ(received.Bytes(), reply);
    EXPECT_TRUE(received.TerminatedByNul());
    comm.Close();
    EXPECT_EQ(comm.Handle(), -1);
}

TEST(CommTraffic, TransmitEmptyReachesItsHandler)
{
    MeterStandIn meter;
    TComm comm;
    std::atomic<int> transmitted{0};
    comm.OnCommTransmit = [&](TComm*) { ++transmitted; };
    TCommCntrlRec record = MeterLine();
    comm.Open(&record, meter.PortName());
    comm.Write("\x02@GET_PORT\x03", 11);
    ASSERT_TRUE(meter.WaitForRequests(1));
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (transmitted == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(1ms);
    EXPECT_GE(transmitted.load(), 1);
}

TEST(CommTraffic, HalfDuplexSendsOneBufferAfterAnother)
{
    // Each send waits for the transmit queue to run empty before RTS switches back; a lost
    // wake-up would leave the second and third frames unsent.
    MeterStandIn meter;
    TComm comm;
    TCommCntrlRec record = MeterLine();
    record.mFlowCntrls = {eCmmFlwHlfRtsOff};
    comm.SetFlowControls({eCmmFlwHlfRtsOff});
    EXPECT_EQ(comm.Duplex(), eCmmDplxHlfRtsOff);
    comm.Open(&record, meter.PortName());
    for (int i = 1; i <= 3; ++i) {
        const std::string frame = "\x02@FRAME" + std::to_string(i) + "\x03";
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (!comm.Write(frame.data(), static_cast<unsigned>(frame.size())) &&
               std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(1ms);
        ASSERT_TRUE(meter.WaitForRequests(i)) << "frame " << i;
    }
    EXPECT_EQ(meter.Requests().back(), "@FRAME3");
}

TEST(CommTraffic, OtherEventsReachTheirHandlerOnlyWhenAskedFor)
{
    MeterStandIn meter;
    TComm comm;
    std::vector<unsigned> events;
    comm.OnCommEvent = [&](TComm*, unsigned mask) { events.push_back(mask); };
    Deliveries received;
    received.Attach(comm);
    TCommCntrlRec record = MeterLine();
    comm.Open(&record, meter.PortName());
    meter.Send(MeterStandIn::Ack("x"));
    comm.Write("\x02@A\x03", 4);
    ASSERT_TRUE(received.WaitForBytes(3));
    ASSERT_TRUE(meter.WaitForRequests(1));
    comm.Close();
    EXPECT_TRUE(events.empty());

    record.Events = {eCmmEvCts};
    comm.Open(&record, meter.PortName());
    comm.DoCommEvent(0x8 | 0x40);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events.front(), 0x8u);
}

TEST(CommWrite, EmptyAndOverlongBuffers)
{
    MeterStandIn meter;
    TComm comm;
    TCommCntrlRec record = MeterLine();
    comm.Open(&record, meter.PortName());
    EXPECT_TRUE(comm.Write("", 0));
    const std::string tooLong(8193, 'x');
    EXPECT_EQ(ErrorOf([&] { comm.Write(tooLong.data(), 8193); }),
              QStringLiteral("送信データが長すぎます."));
    comm.Write("\x02@Z\x03", 4);
    ASSERT_TRUE(meter.WaitForRequests(1));
    EXPECT_EQ(meter.ReceivedBytes(), "\x02@Z\x03");  // nothing of the other two
}

TEST(CommWrite, RefusedWhileTheBufferIsPendingThenTakenAgain)
{
    MeterStandIn meter;
    meter.SetReading(false);
    TComm comm;
    TCommCntrlRec record = MeterLine();
    comm.Open(&record, meter.PortName());
    WriteUntilStalled(comm);
    EXPECT_FALSE(comm.Write("\x02@LOST\x03", 7));
    meter.SetReading(true);
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (comm.Sending() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(1ms);
    EXPECT_TRUE(comm.Write("\x02@NEXT\x03", 7));
    ASSERT_TRUE(meter.WaitForRequests(1));
    EXPECT_EQ(meter.Requests().front(), "@NEXT");
}

TEST(CommWrite, CloseDuringAPendingWriteEndsQuietly)
{
    BoxRecorder boxes;
    MeterStandIn meter;
    meter.SetReading(false);
    TComm comm;
    TCommCntrlRec record = MeterLine();
    comm.Open(&record, meter.PortName());
    WriteUntilStalled(comm);
    EXPECT_NO_THROW(comm.Close());
    EXPECT_FALSE(comm.HandleCheck(false));
    EXPECT_TRUE(boxes.Boxes().empty());
    comm.Open(&record, meter.PortName());  // and the port opens again
    EXPECT_TRUE(comm.HandleCheck(false));
}

TEST(CommLifecycle, VanishedDeviceIsReportedOnceAndNeitherCrashesNorSpins)
{
    BoxRecorder boxes;
    auto meter = std::make_unique<MeterStandIn>();
    TComm comm;
    Deliveries received;
    received.Attach(comm);
    std::atomic<int> lost{0};
    comm.OnCommLost = [&](TComm* sender) {
        EXPECT_EQ(sender, &comm);
        ++lost;
    };
    TCommCntrlRec record = MeterLine();
    comm.Open(&record, meter->PortName());
    meter->Send(MeterStandIn::Ack("before"));
    ASSERT_TRUE(received.WaitForBytes(8));
    EXPECT_EQ(lost, 0);

    meter->Vanish();
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (lost == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(1ms);
    EXPECT_EQ(lost, 1);
    EXPECT_TRUE(comm.HandleCheck(false));  // closing is the owner's business
    EXPECT_LT(CpuSecondsOver(300ms), 0.15);
    comm.Write("\x02@GONE\x03", 7);  // the send thread fails on the dead line and ends
    EXPECT_LT(CpuSecondsOver(300ms), 0.15);
    EXPECT_NO_THROW(comm.Close());
    EXPECT_EQ(lost, 1);
    EXPECT_TRUE(boxes.Boxes().empty());

    meter = std::make_unique<MeterStandIn>();
    Deliveries again;
    again.Attach(comm);
    comm.Open(&record, meter->PortName());
    meter->Send(MeterStandIn::Ack("after"));
    ASSERT_TRUE(again.WaitForBytes(7));
    comm.Write("\x02@BACK\x03", 7);
    ASSERT_TRUE(meter->WaitForRequests(1));
}

TEST(CommLifecycle, UnreadBytesWithoutAHandlerStayQueuedWithoutSpinning)
{
    MeterStandIn meter;
    TComm comm;
    TCommCntrlRec record = MeterLine();
    comm.Open(&record, meter.PortName());
    meter.Send("AB");
    EXPECT_LT(CpuSecondsOver(300ms), 0.15);
    EXPECT_EQ(comm.Getch(), 'A');
    EXPECT_EQ(comm.Getch(), 'B');
}

TEST(CommLines, TextAndLineOperationsOnALineWithoutModemLines)
{
    MeterStandIn meter;
    TComm comm;
    TCommCntrlRec record = MeterLine();
    comm.Open(&record, meter.PortName());
    EXPECT_TRUE(comm.Puts(QStringLiteral("@ｶﾅ日本")));
    EXPECT_TRUE(meter.WaitForBytes(7));
    while (comm.Sending())
        std::this_thread::sleep_for(1ms);
    EXPECT_TRUE(comm.Putch('!'));
    ASSERT_TRUE(meter.WaitForBytes(8));
    EXPECT_EQ(meter.ReceivedBytes(), "@\xB6\xC5\x93\xFA\x96\x7B!");

    // A pseudo-terminal has no modem lines: the status reads 0 and line changes do nothing.
    EXPECT_EQ(comm.GetModemStatus(), 0u);
    EXPECT_FALSE(comm.isDsr() || comm.isCts() || comm.isRing() || comm.isRlsd());
    EXPECT_NO_THROW(comm.SetDtr(false));
    EXPECT_NO_THROW(comm.SetRts(false));
    EXPECT_NO_THROW(comm.RxPurge());
    EXPECT_NO_THROW(comm.TxPurge());
    EXPECT_NO_THROW(comm.SendBreak(5));
}
