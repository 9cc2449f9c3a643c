// The serial port over a real pseudo-terminal, with the meter stand-in at the other end.
#include <gtest/gtest.h>

#include <atomic>
#include <ctime>
#include <mutex>
#include <QFile>
#include <QTemporaryDir>
#include <string>

#include "link/UnCom.h"
#include "tests/link/SerialTesting.h"
#include "tests/support/BoxRecorder.h"
#include "tests/support/MeterStandIn.h"

using namespace testing_support;
using namespace std::chrono_literals;

namespace {

// What the port delivered to its receive handler; each delivery must have a NUL behind it.
struct Deliveries {
    explicit Deliveries(TComm& comm)
    {
        comm.OnCommReceive = [this](TComm*, char* buffer, unsigned size) {
            std::lock_guard lock(mutex);
            bytes.append(buffer, size);
            if (buffer[size] != '\0')
                bytes += "(no NUL)";
        };
    }
    bool WaitForBytes(std::string_view expected)
    {
        return WaitFor([&] {
            std::lock_guard lock(mutex);
            return bytes == expected;
        });
    }
    std::mutex mutex;
    std::string bytes;
};

// CPU time the process spends while the wall clock moves on by 300 ms: a thread spinning on
// the line would use nearly all of it.
double CpuSecondsOverAWhile()
{
    const auto cpu = [] {
        timespec now{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
        return static_cast<double>(now.tv_sec) + now.tv_nsec / 1e9;
    };
    const double before = cpu();
    std::this_thread::sleep_for(300ms);
    return cpu() - before;
}

// Fills the line while the meter does not read, until a write stays pending: the next Write is
// then refused for certain.
void WriteUntilStalled(TComm& comm)
{
    const std::string block(8192, 'x');  // exactly the send queue
    for (int attempt = 0; attempt < 64; ++attempt) {
        if (!comm.Write(block.data(), static_cast<unsigned>(block.size())) &&
            !WaitFor([&] { return !comm.Sending(); }, 1s))
            return;
    }
    FAIL() << "the line never backed up";
}

}  // namespace

TEST(Comm, OpenPutsTheRecordInForceAndSettersChangeItLive)
{
    MeterStandIn meter;
    TComm comm;
    TCommCntrlRec record = MeterLine();
    record.nBoudRate = 0;
    EXPECT_EQ(ErrorOf([&] { comm.Open(&record, meter.PortName()); }),
              QStringLiteral("Invalid BaudRate"));
    EXPECT_EQ(ErrorOf([&] { comm.SetBaudRate(0); }), QStringLiteral("Invalid BaudRate"));

    record = MeterLine();
    comm.Open(&record, meter.PortName());
    termios line = meter.LineSettings();
    EXPECT_EQ(cfgetospeed(&line), B115200);
    EXPECT_EQ(line.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_FALSE(line.c_cflag & (PARENB | CSTOPB | CRTSCTS));
    EXPECT_FALSE(line.c_iflag & (IXON | IXOFF | ICRNL));
    EXPECT_FALSE(line.c_lflag & (ICANON | ECHO | ISIG));
    EXPECT_FALSE(line.c_oflag & OPOST);

    comm.SetBaudRate(57600);
    comm.SetParity(eCmmPrtyMark);
    comm.SetStopBits(eCmmStpB2);
    comm.SetFlowControls({eCmmFlwXonXoff, eCmmFlwRtsCts});
    // A pseudo-terminal keeps eight bits without parity whatever it is asked; the parity kind
    // (mark: odd and stick) still shows.
    line = meter.LineSettings();
    EXPECT_EQ(cfgetospeed(&line), B57600);
    EXPECT_EQ(line.c_cflag & (PARODD | CMSPAR | CSTOPB | CRTSCTS),
              tcflag_t(PARODD | CMSPAR | CSTOPB | CRTSCTS));
    EXPECT_EQ(line.c_iflag & (IXON | IXOFF), tcflag_t(IXON | IXOFF));

    // The flow set decides the duplex.
    const std::pair<TCommFlowCntrls, TCommDuplex> duplexes[] = {
        {{eCmmFlwHlfRtsOff}, eCmmDplxHlfRtsOff},
        {{eCmmFlwHlfRtsOn, eCmmFlwHlfRtsOff}, eCmmDplxHlfRtsOn},
        {{eCmmFlwRtsCts, eCmmFlwHlfRtsOn}, eCmmDplxFull},
        {{}, eCmmDplxFull},
    };
    for (const auto& [flows, duplex] : duplexes) {
        comm.SetFlowControls(flows);
        EXPECT_EQ(comm.Duplex(), duplex);
    }
}

TEST(Comm, OnlyAFreeTerminalLineOpensElseTheSystemsTextIsRaised)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("not-a-port"));
    QFile regular(file);
    ASSERT_TRUE(regular.open(QIODevice::WriteOnly));
    MeterStandIn meter;
    TCommCntrlRec record = MeterLine();
    TComm holder;
    holder.Open(&record, meter.PortName());
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("/dev/zolt-no-such-port"), QStringLiteral("No such file or directory")},
        {file, file + QStringLiteral(" is not Comm device.")},
        {QStringLiteral("/dev/null"), QStringLiteral("Inappropriate ioctl for device")},
        {meter.PortName(), QStringLiteral("Device or resource busy")},  // shared with nobody
    };
    for (const auto& c : cases) {
        TComm comm;
        EXPECT_EQ(ErrorOf([&] { comm.Open(&record, c.first); }), c.second);
        EXPECT_EQ(comm.Handle(), -1);
    }
    holder.Close();
    EXPECT_EQ(ErrorOf([] { TComm().Write("x", 1); }), QStringLiteral("COM1 is not Open."));
    TComm second;
    second.Open(&record, meter.PortName());
    EXPECT_TRUE(second.HandleCheck(false));
}

TEST(Comm, BytesGoBothWaysAndEventsReachTheirHandlers)
{
    MeterStandIn meter;
    TComm comm;
    Deliveries received(comm);
    std::atomic<int> transmitted{0};
    comm.OnCommTransmit = [&](TComm*) { ++transmitted; };
    std::vector<unsigned> events;
    comm.OnCommEvent = [&](TComm*, unsigned mask) { events.push_back(mask); };
    TCommCntrlRec record = MeterLine();
    comm.Open(&record, meter.PortName());

    EXPECT_TRUE(comm.Write("", 0));
    EXPECT_EQ(ErrorOf([&] { comm.Write(std::string(8193, 'x').data(), 8193); }),
              QStringLiteral("送信データが長すぎます."));
    EXPECT_TRUE(comm.Write("\x02@GET_KIND\x03", 11));
    ASSERT_TRUE(meter.WaitForRequests(1));
    EXPECT_EQ(meter.ReceivedBytes(), "\x02@GET_KIND\x03");  // nothing of the other two
    EXPECT_TRUE(WaitFor([&] { return transmitted > 0; }));
    const std::string reply = MeterStandIn::Ack("@GET_KIND=TACHO") + std::string("\x00\xA5\xFF", 3);
    meter.Send(reply);
    EXPECT_TRUE(received.WaitForBytes(reply));
    comm.Close();
    EXPECT_TRUE(events.empty());  // none asked for

    record.Events = {eCmmEvCts};
    comm.Open(&record, meter.PortName());
    comm.DoCommEvent(0x8 | 0x40);
    EXPECT_EQ(events, std::vector<unsigned>{0x8u});
}

TEST(Comm, HalfDuplexSendsOneBufferAfterAnother)
{
    // Each send waits for the transmit queue to run empty before RTS switches back; a lost
    // wake-up would leave the second and third frames unsent.
    MeterStandIn meter;
    TComm comm;
    TCommCntrlRec record = MeterLine();
    record.mFlowCntrls = {eCmmFlwHlfRtsOff};
    comm.Open(&record, meter.PortName());
    for (int i = 1; i <= 3; ++i) {
        const std::string frame = "\x02@FRAME" + std::to_string(i) + "\x03";
        WaitFor([&] { return comm.Write(frame.data(), static_cast<unsigned>(frame.size())); });
        ASSERT_TRUE(meter.WaitForRequests(i)) << "frame " << i;
    }
}

TEST(Comm, AWriteIsRefusedWhileOneIsPendingAndCloseEndsItQuietly)
{
    BoxRecorder boxes;
    MeterStandIn meter;
    meter.SetReading(false);
    TComm comm;
    TCommCntrlRec record = MeterLine();
    comm.Open(&record, meter.PortName());
    WriteUntilStalled(comm);
    EXPECT_FALSE(comm.Write("\x02@LOST\x03", 7));
    meter.SetReading(true);
    ASSERT_TRUE(WaitFor([&] { return !comm.Sending(); }));
    EXPECT_TRUE(comm.Write("\x02@NEXT\x03", 7));
    ASSERT_TRUE(meter.WaitForRequests(1));
    EXPECT_EQ(meter.Requests().front(), "@NEXT");

    meter.SetReading(false);
    WriteUntilStalled(comm);
    EXPECT_NO_THROW(comm.Close());
    EXPECT_TRUE(boxes.Boxes().empty());
    comm.Open(&record, meter.PortName());  // and the port opens again
    EXPECT_TRUE(comm.HandleCheck(false));
}

TEST(Comm, AVanishedDeviceIsReportedOnceAndNeitherCrashesNorSpins)
{
    BoxRecorder boxes;
    auto meter = std::make_unique<MeterStandIn>();
    TComm comm;
    std::atomic<int> lost{0};
    comm.OnCommLost = [&](TComm* sender) { lost += sender == &comm ? 1 : 100; };
    TCommCntrlRec record = MeterLine();
    comm.Open(&record, meter->PortName());
    meter->Vanish();
    EXPECT_TRUE(WaitFor([&] { return lost > 0; }));
    EXPECT_TRUE(comm.HandleCheck(false));  // closing is the owner's business
    EXPECT_LT(CpuSecondsOverAWhile(), 0.15);
    comm.Write("\x02@GONE\x03", 7);  // the send thread fails on the dead line and ends
    EXPECT_LT(CpuSecondsOverAWhile(), 0.15);
    EXPECT_NO_THROW(comm.Close());
    EXPECT_EQ(lost, 1);
    EXPECT_TRUE(boxes.Boxes().empty());

    meter = std::make_unique<MeterStandIn>();
    Deliveries received(comm);
    comm.Open(&record, meter->PortName());
    meter->Send(MeterStandIn::Ack("after"));
    EXPECT_TRUE(received.WaitForBytes(MeterStandIn::Ack("after")));
    comm.Write("\x02@BACK\x03", 7);
    EXPECT_TRUE(meter->WaitForRequests(1));
}

TEST(Comm, UnreadBytesWithoutAHandlerWaitWithoutSpinning)
{
    MeterStandIn meter;
    TComm comm;
    TCommCntrlRec record = MeterLine();
    comm.Open(&record, meter.PortName());
    meter.Send("AB");
    EXPECT_LT(CpuSecondsOverAWhile(), 0.15);
    EXPECT_EQ(comm.Getch(), 'A');
    EXPECT_EQ(comm.Getch(), 'B');
}
