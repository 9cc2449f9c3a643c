// The serial line device on a real pseudo-terminal: the event wait, timed and aborted reads,
// settings by value, the line going away, and the port list.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <future>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>

#include "platform/SerialDevice.h"
#include "tests/support/MeterStandIn.h"

using namespace platform;
using namespace std::chrono_literals;
using testing_support::MeterStandIn;

namespace {

class SerialDeviceTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(device.Open(meter.PortName())); }
    MeterStandIn meter;
    SerialDevice device;
};

struct WaitResult {
    bool ok;
    std::uint32_t events;
    int error;
};

std::future<WaitResult> WaitInBackground(SerialDevice& device)
{
    return std::async(std::launch::async, [&device] {
        std::uint32_t events = 0;
        const bool ok = device.WaitEvent(events);
        return WaitResult{ok, events, ok ? 0 : errno};
    });
}

}  // namespace

TEST_F(SerialDeviceTest, MaskOfZeroReleasesAWaitAtOnce)
{
    ASSERT_TRUE(device.SetEventMask(EvRxChar));
    auto wait = WaitInBackground(device);
    EXPECT_EQ(wait.wait_for(50ms), std::future_status::timeout);  // nothing happens meanwhile
    ASSERT_TRUE(device.SetEventMask(0));
    ASSERT_EQ(wait.wait_for(10s), std::future_status::ready);
    const WaitResult result = wait.get();
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.events, 0u);
}

TEST_F(SerialDeviceTest, ReceivedBytesAndAnEmptiedTransmitQueueAreReported)
{
    ASSERT_TRUE(device.SetEventMask(EvRxChar | EvTxEmpty));
    auto wait = WaitInBackground(device);
    meter.Send("abc");
    ASSERT_EQ(wait.wait_for(10s), std::future_status::ready);
    EXPECT_EQ(wait.get().events, std::uint32_t(EvRxChar));
    unsigned waiting = 0;
    ASSERT_TRUE(device.ClearError(&waiting, nullptr));
    EXPECT_EQ(waiting, 3u);

    // Bytes nobody reads are reported once, not on every wait.
    wait = WaitInBackground(device);
    EXPECT_EQ(wait.wait_for(50ms), std::future_status::timeout);
    unsigned written = 0;
    ASSERT_TRUE(device.Write("xyz", 3, written));
    EXPECT_EQ(written, 3u);
    ASSERT_EQ(wait.wait_for(10s), std::future_status::ready);
    EXPECT_EQ(wait.get().events, std::uint32_t(EvTxEmpty));
    char buffer[8] = {};
    unsigned got = 0;
    ASSERT_TRUE(device.Read(buffer, 3, got));
    EXPECT_EQ(std::string(buffer, got), "abc");
}

TEST_F(SerialDeviceTest, ReadEndsAtItsTimeOutWithWhatCame)
{
    SerialTimeouts timeouts;
    timeouts.readConstant = 20;
    ASSERT_TRUE(device.SetTimeouts(timeouts));
    meter.Send("ab");
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    unsigned waiting = 0;
    while (device.ClearError(&waiting, nullptr) && waiting < 2 &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(1ms);
    ASSERT_EQ(waiting, 2u);
    char buffer[8] = {};
    unsigned got = 0;
    ASSERT_TRUE(device.Read(buffer, 5, got));
    EXPECT_EQ(std::string(buffer, got), "ab");
}

TEST_F(SerialDeviceTest, PurgeAbortsAPendingRead)
{
    auto read = std::async(std::launch::async, [this] {
        char buffer[4];
        unsigned got = 0;
        const bool ok = device.Read(buffer, 4, got);  // no time-out: waits for four bytes
        return ok ? 0 : errno;
    });
    EXPECT_EQ(read.wait_for(50ms), std::future_status::timeout);
    ASSERT_TRUE(device.Purge(PurgeRxAbort | PurgeRxClear));
    ASSERT_EQ(read.wait_for(10s), std::future_status::ready);
    EXPECT_EQ(read.get(), ECANCELED);
    // A purge with nothing pending does not abort the next read.
    meter.Send("z");
    char byte = 0;
    unsigned got = 0;
    ASSERT_TRUE(device.Read(&byte, 1, got));
    EXPECT_EQ(byte, 'z');
}

TEST_F(SerialDeviceTest, AnyRateByValueAndOnlyWhatALineCanDo)
{
    SerialState state;
    ASSERT_TRUE(device.GetState(state));
    state.baudRate = 250000;
    ASSERT_TRUE(device.SetState(state));
    SerialState read;
    ASSERT_TRUE(device.GetState(read));
    EXPECT_EQ(read.baudRate, 250000u);

    SerialState bad = state;
    bad.byteSize = 4;
    EXPECT_FALSE(device.SetState(bad));
    EXPECT_EQ(errno, EINVAL);
    bad = state;
    bad.stopBits = 1;  // one and a half stop bits go only with five data bits
    EXPECT_FALSE(device.SetState(bad));
    bad.byteSize = 5;
    EXPECT_TRUE(device.SetState(bad));
}

TEST_F(SerialDeviceTest, WaitFailsOnceTheLineIsGone)
{
    ASSERT_TRUE(device.SetEventMask(EvRxChar | EvTxEmpty));
    auto wait = WaitInBackground(device);
    meter.Vanish();
    ASSERT_EQ(wait.wait_for(10s), std::future_status::ready);
    const WaitResult result = wait.get();
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, EIO);
    unsigned written = 0;
    EXPECT_FALSE(device.Write("x", 1, written));
    EXPECT_TRUE(device.Close());
}

// A terminal of someone else's, in its ordinary cooked settings: after we opened it, made it a
// raw 115200 baud line and closed it, it is exactly as it was, and so is its exclusive mode.
TEST(SerialDeviceSettings, ClosingPutsBackWhatTheTerminalHadBeforeWeOpenedIt)
{
    int master = -1;
    int slave = -1;
    char name[256] = {};
    ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
    termios before{};
    ASSERT_EQ(::tcgetattr(slave, &before), 0);
    ASSERT_TRUE(before.c_lflag & ICANON);
    const auto same = [](const termios& a, const termios& b) {
        return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
               a.c_lflag == b.c_lflag && a.c_line == b.c_line &&
               std::equal(a.c_cc, a.c_cc + NCCS, b.c_cc) && cfgetispeed(&a) == cfgetispeed(&b) &&
               cfgetospeed(&a) == cfgetospeed(&b);
    };
    const auto exclusive = [&] {
        int on = 0;
        return ::ioctl(slave, TIOCGEXCL, &on) == 0 && on != 0;
    };
    for (const bool heldExclusive : {false, true}) {
        if (heldExclusive)
            ::ioctl(slave, TIOCEXCL);
        SerialDevice device;
        if (!device.Open(QString::fromLocal8Bit(name))) {
            ASSERT_TRUE(heldExclusive) << SystemErrorText(errno).toStdString();
            break;  // only a privileged user passes someone else's exclusive mode
        }
        SerialState state;
        ASSERT_TRUE(device.GetState(state));
        state.baudRate = 115200;
        ASSERT_TRUE(device.SetState(state));
        termios during{};
        ASSERT_EQ(::tcgetattr(slave, &during), 0);
        EXPECT_FALSE(same(before, during));  // the line really was changed meanwhile
        EXPECT_TRUE(device.Close());
        termios after{};
        ASSERT_EQ(::tcgetattr(slave, &after), 0);
        EXPECT_TRUE(same(before, after)) << heldExclusive;
        EXPECT_EQ(exclusive(), heldExclusive);
    }
    ::close(slave);
    ::close(master);
}

TEST(SerialPortList, EnvironmentPathsComeFirstOnceEachThenTheMachinesPorts)
{
    const char* saved = std::getenv("ZOLT_PORTS");
    const std::string previous = saved ? saved : "";
    setenv("ZOLT_PORTS", "/dev/zolt-a:/dev/zolt-b::/dev/zolt-a", 1);
    const std::vector<QString> all = SerialPortCandidates();
    ASSERT_GE(all.size(), 2u);
    EXPECT_EQ(all[0], QStringLiteral("/dev/zolt-a"));
    EXPECT_EQ(all[1], QStringLiteral("/dev/zolt-b"));
    for (std::size_t i = 2; i < all.size(); ++i)
        EXPECT_TRUE(all[i].startsWith(QStringLiteral("/dev/tty"))) << all[i].toStdString();
    EXPECT_LE(all.size(), 32u);
    EXPECT_EQ(SerialPortCandidates(1), (std::vector<QString>{QStringLiteral("/dev/zolt-a")}));
    if (saved)
        setenv("ZOLT_PORTS", previous.c_str(), 1);
    else
        unsetenv("ZOLT_PORTS");
}

TEST(SerialPortList, SystemErrorTextIsTheSystemsOwn)
{
    EXPECT_EQ(SystemErrorText(ENOENT), QStringLiteral("No such file or directory"));
    EXPECT_EQ(SystemErrorText(EBUSY), QStringLiteral("Device or resource busy"));
}
