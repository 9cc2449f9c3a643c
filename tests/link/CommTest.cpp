// The serial port over a real pseudo-terminal, with the meter stand-in at the other end.
#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <ctime>
#include <QFile>
#include <QTemporaryDir>
#include <string>

#include "link/PortOpenFailure.h"
#include "link/UnCom.h"
#include "tests/link/SerialTesting.h"
#include "tests/support/BoxRecorder.h"
#include "tests/support/MeterStandIn.h"

using namespace testing_support;
using namespace std::chrono_literals;

namespace {

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

// Fills the line with writes of exactly the send queue while the meter does not read, until one
// stays pending: the next Write is then refused for certain.
void WriteUntilStalled(TComm& comm)
{
    const std::string block(8192, 'x');
    for (int attempt = 0; attempt < 64; ++attempt) {
        if (!comm.Write(block.data(), 8192) && !WaitFor([&] { return !comm.Sending(); }, 1s))
            return;
    }
    FAIL() << "the line never backed up";
}

}  // namespace

TEST(Comm, OnlyAFreeTerminalLineOpensElseTheSystemsTextIsRaised)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("not-a-port"));
    QFile regular(file);
    ASSERT_TRUE(regular.open(QIODevice::WriteOnly));
    TCommCntrlRec record = MeterLine();
    const std::pair<QString, QString> cases[] = {
        {dir.filePath("none"), QStringLiteral("そのようなファイルやディレクトリはありません")},
        {dir.path(), QStringLiteral("ディレクトリです")},
        {file, file + QStringLiteral(" is not Comm device.")},
        {QStringLiteral("/dev/null"), QStringLiteral("デバイスに対する不適切なioctlです")},
    };
    for (const auto& c : cases) {
        TComm comm;
        EXPECT_EQ(ErrorOf([&] { comm.Open(&record, c.first); }), c.second);
        EXPECT_EQ(comm.Handle(), -1);
    }
    EXPECT_EQ(ErrorOf([] { TComm().Write("x", 1); }), QStringLiteral("COM1 is not Open."));
    // Told to the user, a port they may not use names the group that grants serial ports (a busy
    // one is seen where the tool starts).
    const ECommError refused(platform::SystemErrorText(EACCES), EACCES);
    EXPECT_EQ(PortOpenFailureText(QStringLiteral("/dev/ttyS0"), refused),
              QStringLiteral("通信ポート /dev/ttyS0 を開けません\n\rアクセスが拒否されました "
                             "(許可がありません)\n\rシリアルポートは dialout "
                             "グループのユーザーが使えます"));
}

TEST(Comm, AWriteIsRefusedWhileOneIsPendingAndCloseEndsItQuietly)
{
    BoxRecorder boxes;
    MeterStandIn meter;
    meter.SetReading(false);
    TComm comm;
    TCommCntrlRec record = MeterLine();
    comm.Open(&record, meter.PortName());
    EXPECT_EQ(ErrorOf([&] { comm.Write(std::string(8193, 'x').data(), 8193); }),
              QStringLiteral("送信データが長すぎます."));
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
    MeterStandIn meter;
    TComm comm;
    std::atomic<int> lost{0};
    comm.OnCommLost = [&](TComm* sender) { lost += sender == &comm ? 1 : 100; };
    TCommCntrlRec record = MeterLine();
    comm.Open(&record, meter.PortName());
    meter.Vanish();
    EXPECT_TRUE(WaitFor([&] { return lost > 0; }));
    EXPECT_TRUE(comm.HandleCheck(false));  // closing is the owner's business
    char byte = 0;
    EXPECT_THROW(comm.Read(&byte, 1), ECommLineLost);  // not a mere error: no box for it
    EXPECT_LT(CpuSecondsOverAWhile(), 0.15);
    comm.Write("\x02@GONE\x03", 7);  // the send thread fails on the dead line and ends
    EXPECT_LT(CpuSecondsOverAWhile(), 0.15);
    EXPECT_NO_THROW(comm.Close());
    EXPECT_EQ(lost, 1);
    EXPECT_TRUE(boxes.Boxes().empty());
}
