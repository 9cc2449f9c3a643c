// The serial line device on a real pseudo-terminal: the event wait, timed and aborted reads,
// settings by value, one holder at a time, the line going away, and the port list.
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <future>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>

#include "platform/SerialDevice.h"
#include "tests/support/MeterStandIn.h"

using namespace platform;
using namespace std::chrono_literals;

namespace {

class SerialDeviceTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(device.Open(meter.PortName())); }

    // A wait in the background: the events it ends with, or minus the error number.
    std::future<long long> StartWait()
    {
        return std::async(std::launch::async, [this] {
            std::uint32_t events = 0;
            return device.WaitEvent(events) ? (long long)events : -(long long)errno;
        });
    }
    // The wait's result, or -ETIMEDOUT when it is still blocked after a generous bound; a
    // blocked wait is then released by a mask change, so the test ends either way.
    long long Finish(std::future<long long>& wait)
    {
        if (wait.wait_for(30s) == std::future_status::ready)
            return wait.get();
        device.SetEventMask(EvRxChar);
        device.SetEventMask(0);
        wait.get();
        return -ETIMEDOUT;
    }

    testing_support::MeterStandIn meter;
    SerialDevice device;
};

}  // namespace

TEST_F(SerialDeviceTest, AWaitEndsOnceForReceivedBytesForAnEmptiedQueueForAClearedMaskAndAGoneLine)
{
    ASSERT_TRUE(device.SetEventMask(EvRxChar | EvTxEmpty));
    auto wait = StartWait();
    meter.Send("abc");
    EXPECT_EQ(Finish(wait), EvRxChar);
    // Bytes nobody reads are reported once, not on every wait.
    wait = StartWait();
    EXPECT_EQ(wait.wait_for(50ms), std::future_status::timeout);
    unsigned done = 0;
    ASSERT_TRUE(device.Write("xyz", 3, done));
    EXPECT_EQ(done, 3u);
    EXPECT_EQ(Finish(wait), EvTxEmpty);
    char buffer[8] = {};
    ASSERT_TRUE(device.Read(buffer, 3, done));
    EXPECT_EQ(std::string(buffer, done), "abc");

    // A closing port clears the mask to release its event thread, which may be anywhere in its
    // loop: before the wait has begun, during it, or after the mask was cleared.
    for (int round = 0; round < 51; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(round < 50 || device.SetEventMask(0));
        wait = StartWait();
        if (round % 2)
            std::this_thread::sleep_for(1ms);
        ASSERT_TRUE(device.SetEventMask(0));
        ASSERT_EQ(Finish(wait), 0);  // a blocked wait fails once, not in every round
        ASSERT_TRUE(device.SetEventMask(EvRxChar | EvTxEmpty));
    }

    wait = StartWait();
    meter.Vanish();
    EXPECT_EQ(Finish(wait), -EIO);
    EXPECT_FALSE(device.Write("x", 1, done));
    EXPECT_TRUE(device.Close());
}

TEST_F(SerialDeviceTest, ReadEndsWhenAPurgeAbortsItOrAtItsTimeOutWithWhatCame)
{
    auto read = std::async(std::launch::async, [this] {
        char buffer[4];
        unsigned got = 0;
        return device.Read(buffer, 4, got) ? 0 : errno;  // no time-out: waits for four bytes
    });
    EXPECT_EQ(read.wait_for(50ms), std::future_status::timeout);
    ASSERT_TRUE(device.Purge(PurgeRxAbort | PurgeRxClear));
    ASSERT_EQ(read.wait_for(10s), std::future_status::ready);
    EXPECT_EQ(read.get(), ECANCELED);

    // The purge, with nothing pending any more, does not abort the next read.
    SerialTimeouts timeouts;
    timeouts.readConstant = 20;
    ASSERT_TRUE(device.SetTimeouts(timeouts));
    meter.Send("ab");
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    unsigned got = 0;
    while (device.ClearError(&got, nullptr) && got < 2 &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(1ms);
    char buffer[8] = {};
    ASSERT_TRUE(device.Read(buffer, 5, got));
    EXPECT_EQ(std::string(buffer, got), "ab");
}

TEST_F(SerialDeviceTest, AnyRateOnlyWhatALineCanDoAndOneHolderAtATime)
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

    // Also for a user with the rights to pass the terminal's exclusive mode.
    SerialDevice second;
    EXPECT_FALSE(second.Open(meter.PortName()));
    EXPECT_EQ(errno, EBUSY);
}

// A terminal of someone else's, in its ordinary cooked settings: after we opened it, made it a
// raw 115200 baud line and closed it, it is exactly as it was, and so is its exclusive mode.
TEST(SerialDeviceSettings, ClosingPutsBackWhatTheTerminalHadBeforeWeOpenedIt)
{
    int master = -1;
    int slave = -1;
    char name[256] = {};
    ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
    const auto settings = [slave] {
        termios now{};  // all of it, padding too, is compared
        EXPECT_EQ(::tcgetattr(slave, &now), 0);
        int exclusive = 0;
        ::ioctl(slave, TIOCGEXCL, &exclusive);
        return std::pair(std::string(reinterpret_cast<const char*>(&now), sizeof now), exclusive);
    };
    for (const bool heldExclusive : {false, true}) {
        if (heldExclusive)
            ::ioctl(slave, TIOCEXCL);
        const auto before = settings();
        SerialDevice device;
        if (!device.Open(QString::fromLocal8Bit(name))) {
            ASSERT_TRUE(heldExclusive) << SystemErrorText(errno).toStdString();
            break;  // only a privileged user passes someone else's exclusive mode
        }
        SerialState state;
        ASSERT_TRUE(device.GetState(state));
        state.baudRate = 115200;
        ASSERT_TRUE(device.SetState(state));
        EXPECT_NE(settings(), before);  // the line really was changed meanwhile
        EXPECT_TRUE(device.Close());
        EXPECT_EQ(settings(), before) << heldExclusive;
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
