// The serial line device on a real pseudo-terminal: the event wait released by a cleared mask,
// any rate, one holder at a time, the terminal's own settings put back, and the port list.
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <future>
#include <pty.h>
#include <QDir>
#include <QTemporaryDir>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>

#include "platform/SerialDevice.h"
#include "tests/support/FileNodes.h"
#include "tests/support/MeterStandIn.h"

using namespace platform;
using testing_support::MakeNode;
using testing_support::Node;
using namespace std::chrono_literals;

namespace {

class SerialDeviceTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(device.Open(meter.PortName())); }

    testing_support::MeterStandIn meter;
    SerialDevice device;
};

}  // namespace

TEST_F(SerialDeviceTest, AClearedMaskEndsAWaitWhereverTheEventThreadIsInItsLoop)
{
    // A closing port clears the mask to release its event thread, which may be anywhere in its
    // loop: before the wait has begun, during it, or after the mask was cleared.
    for (int round = 0; round < 51; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(device.SetEventMask(round < 50 ? EvRxChar | EvTxEmpty : 0));
        auto wait = std::async(std::launch::async, [this] {
            std::uint32_t events = 1;
            return device.WaitEvent(events) ? events : 99;
        });
        if (round % 2)
            std::this_thread::sleep_for(1ms);
        ASSERT_TRUE(device.SetEventMask(0));
        const bool ended = wait.wait_for(30s) == std::future_status::ready;
        device.SetEventMask(EvRxChar);  // releases a wait still blocked, so the test ends
        device.SetEventMask(0);
        ASSERT_TRUE(ended);
        EXPECT_EQ(wait.get(), 0u);
    }
}

TEST_F(SerialDeviceTest, AnyRateAndOneHolderAtATime)
{
    SerialState state;
    ASSERT_TRUE(device.GetState(state));
    state.baudRate = 250000;
    ASSERT_TRUE(device.SetState(state));
    state = {};
    ASSERT_TRUE(device.GetState(state));
    EXPECT_EQ(state.baudRate, 250000u);

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

// The list is made from a device folder and a tty class folder of the test's own. Opening a
// serial line raises its modem signals, which resets some devices: none may be opened for it.
TEST(SerialPortList, ListedDevicesFirstThenEachFamilyByNumberOnboardPortsOnlyWithAUartNoneOpened)
{
    QTemporaryDir root;
    SerialPortSources sources{{}, root.path(), root.filePath("class")};
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    // Every node is a device but ttyACM0's. Its tty class entry: "" none, "-" one without a device
    // behind it, else one with a device and that UART type.
    const std::pair<const char*, const char*> entries[] = {
        {"ttyUSB10", ""}, {"ttyUSB2", ""}, {"ttyUSBx", ""}, {"ttyACM0", ""}, {"ttyS0", "4"},
        {"ttyS1", "0"},   {"ttyS2", "-"},  {"ttyS3", ""},   {"ttyS10", "1"}};
    const auto dev = [&](const char* name) { return sources.devRoot + '/' + name; };
    for (const auto& [name, uart] : entries) {
        ASSERT_TRUE(MakeNode(dev(name), name[3] == 'A' ? Node::Regular : Node::Device)) << name;
        ASSERT_GE(::inotify_add_watch(watch, dev(name).toUtf8(), IN_OPEN | IN_DONT_FOLLOW), 0);
        const QString tty = sources.ttyClassRoot + '/' + name + '/';
        if (*uart != '\0' && QDir().mkpath(tty + (*uart == '-' ? "" : "device")))
            testing_support::WriteAll(tty + "type", *uart == '-' ? "4" : uart);
    }
    sources.listed =
        dev("ttyS3") + "::/dev/zolt-no-such-port:" + dev("ttyACM0") + ':' + dev("ttyS3");
    EXPECT_EQ(SerialPortCandidates(sources),
              (std::vector<QString>{dev("ttyS3"), dev("ttyUSB2"), dev("ttyUSB10"), dev("ttyS0"),
                                    dev("ttyS10")}));
    EXPECT_EQ(SerialPortCandidates(sources, 2),
              (std::vector<QString>{dev("ttyS3"), dev("ttyUSB2")}));
    char event[4096];
    EXPECT_EQ(::read(watch, event, sizeof event), -1) << "a device was opened";
    ::close(watch);
}
