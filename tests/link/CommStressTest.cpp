// The receive ring and both port threads under load: at least 100,000 lines go through a real
// pseudo-terminal while the reader drains the ring and the writer keeps sending frames. Built
// under ThreadSanitizer, so any unordered access between the threads fails the run.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "link/ReceiveRing.h"
#include "link/UnCom.h"
#include "tests/link/SerialTesting.h"
#include "tests/support/MeterStandIn.h"

using testing_support::MeterStandIn;

namespace {

constexpr std::size_t Lines = 100000;
// The meter keeps at most this many lines ahead of the reader, so the ring (31 waiting lines)
// never overflows however the threads are scheduled.
constexpr std::size_t Window = 30;

std::string LineText(std::size_t i)
{
    // Lengths from 8 to about 90 bytes, so lines straddle deliveries in every way.
    return "@L" + std::to_string(i) + "=" + std::string(i % 83, static_cast<char>('A' + i % 26));
}

}  // namespace

TEST(CommStress, HundredThousandLinesThroughTheRingWhileSending)
{
    MeterStandIn meter;
    TReceiveRing ring;
    TComm comm;
    // The reader and the meter sleep while they wait for each other; only these wake-ups go
    // through a lock, the ring itself is shared without one.
    std::mutex mutex;
    std::condition_variable linesArrived;
    std::condition_variable linesTaken;
    comm.OnCommReceive = [&](TComm*, char* buffer, unsigned size) {
        ring.Receive(buffer, size);
        std::lock_guard lock(mutex);
        linesArrived.notify_one();
    };
    TCommCntrlRec record = testing_support::MeterLine();
    comm.Open(&record, meter.PortName());

    std::atomic<std::size_t> consumed{0};
    meter.StartFlood(
        Lines, [](std::size_t i) { return MeterStandIn::Ack(LineText(i)); },
        [&](std::size_t i) {
            std::unique_lock lock(mutex);
            linesTaken.wait(lock, [&] { return i < consumed.load() + Window; });
        });

    std::size_t sent = 0;
    char line[TReceiveRing::LineSize];
    for (std::size_t i = 0; i < Lines;) {
        const int length = ring.TakeLine(line);
        if (length < 0) {
            std::unique_lock lock(mutex);
            linesArrived.wait_for(lock, std::chrono::milliseconds(100),
                                  [&] { return !ring.Empty(); });
            continue;
        }
        const std::string expected = "\x06" + LineText(i) + "\x03";
        ASSERT_EQ(std::string(line), expected) << "line " << i;
        ++i;
        {
            std::lock_guard lock(mutex);
            consumed.store(i, std::memory_order_release);
        }
        linesTaken.notify_one();
        // The send thread works all along: a frame every 100 lines, dropped when it is busy.
        if (i % 100 == 0 && comm.Write("\x02@GET_PORT\x03", 11))
            ++sent;
    }
    meter.WaitFlood();
    EXPECT_EQ(ring.ErrorFlags(), 0u);
    EXPECT_TRUE(ring.Empty());
    ASSERT_TRUE(meter.WaitForRequests(sent));
    for (const std::string& request : meter.Requests())
        ASSERT_EQ(request, "@GET_PORT");
    comm.Close();
}
