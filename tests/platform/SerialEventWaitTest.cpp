// The event wait of the serial line device on a real pseudo-terminal: a cleared mask never
// leaves a wait blocked, whether it comes before the wait or during it. A closing port clears
// the mask to release its event thread, which may be anywhere in its loop at that moment.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <pty.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

#include "platform/SerialDevice.h"

using namespace std::chrono_literals;

namespace {

struct WaitResult {
    bool ok = false;
    std::uint32_t events = 0;
};

class SerialEventWait : public ::testing::Test {
protected:
    void SetUp() override
    {
        char name[256] = {};
        ASSERT_EQ(::openpty(&master_, &slave_, name, nullptr, nullptr), 0);
        termios raw{};
        ASSERT_EQ(::tcgetattr(slave_, &raw), 0);
        ::cfmakeraw(&raw);  // bytes count as received at once, not at the end of a line
        ASSERT_EQ(::tcsetattr(slave_, TCSANOW, &raw), 0);
        ASSERT_TRUE(device_.Open(QString::fromLatin1(name)));
    }
    void TearDown() override
    {
        device_.Close();
        ::close(slave_);
        ::close(master_);
    }
    std::future<WaitResult> StartWait()
    {
        return std::async(std::launch::async, [this] {
            WaitResult result;
            result.ok = device_.WaitEvent(result.events);
            return result;
        });
    }
    // The wait's result, or a failure when it is still blocked after a generous bound; a
    // blocked wait is then released by a mask change, so the test ends either way.
    WaitResult Finish(std::future<WaitResult>& wait)
    {
        if (wait.wait_for(30s) != std::future_status::ready) {
            ADD_FAILURE() << "the event wait is still blocked";
            device_.SetEventMask(platform::EvRxChar);
            device_.SetEventMask(0);
        }
        return wait.get();
    }

    int master_ = -1;
    int slave_ = -1;
    platform::SerialDevice device_;
};

}  // namespace

TEST_F(SerialEventWait, AWaitBegunAfterTheMaskWasClearedEndsAtOnce)
{
    ASSERT_TRUE(device_.SetEventMask(platform::EvRxChar));
    ASSERT_TRUE(device_.SetEventMask(0));
    auto wait = StartWait();
    const WaitResult result = Finish(wait);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.events, 0u);
}

TEST_F(SerialEventWait, ClearingTheMaskReleasesAWaitWithoutEvents)
{
    ASSERT_TRUE(device_.SetEventMask(platform::EvRxChar | platform::EvTxEmpty));
    for (int round = 0; round < 50; ++round) {
        SCOPED_TRACE(round);
        auto wait = StartWait();
        // Sometimes before the wait has begun, sometimes during it: it ends either way.
        if (round % 2)
            std::this_thread::sleep_for(1ms);
        ASSERT_TRUE(device_.SetEventMask(0));
        const WaitResult result = Finish(wait);
        EXPECT_TRUE(result.ok);
        EXPECT_EQ(result.events, 0u);
        ASSERT_TRUE(device_.SetEventMask(platform::EvRxChar | platform::EvTxEmpty));
    }
}

TEST_F(SerialEventWait, ReceivedBytesAreReportedOnce)
{
    ASSERT_TRUE(device_.SetEventMask(platform::EvRxChar));
    ASSERT_EQ(::write(master_, "abc", 3), 3);
    auto first = StartWait();
    const WaitResult result = Finish(first);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.events, platform::EvRxChar);
    // Unread, the same bytes are no new event: the next wait blocks until the mask changes.
    auto second = StartWait();
    EXPECT_EQ(second.wait_for(50ms), std::future_status::timeout);
    ASSERT_TRUE(device_.SetEventMask(0));
    EXPECT_EQ(Finish(second).events, 0u);
}
