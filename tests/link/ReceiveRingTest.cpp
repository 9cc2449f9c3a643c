// The receive ring alone: deliveries in, lines out.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "link/ReceiveRing.h"

namespace {

std::atomic<long> allocations{0};

std::string Take(TReceiveRing& ring, int* length = nullptr)
{
    char buffer[TReceiveRing::LineSize];
    const int n = ring.TakeLine(buffer);
    if (length)
        *length = n;
    return n < 0 ? std::string("(none)") : std::string(buffer);
}

void Deliver(TReceiveRing& ring, const std::string& bytes)
{
    ring.Receive(bytes.data(), static_cast<unsigned>(bytes.size()));
}

}  // namespace

// Counts every allocation of this test program, to show the receive path makes none.
void* operator new(std::size_t size)
{
    ++allocations;
    if (void* block = std::malloc(size ? size : 1))
        return block;
    throw std::bad_alloc();
}
void operator delete(void* block) noexcept
{
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}

TEST(ReceiveRing, EachEtxEndsOneLine)
{
    TReceiveRing ring;
    EXPECT_TRUE(ring.Empty());
    Deliver(ring, "\x06@GET_");
    EXPECT_TRUE(ring.Empty());
    Deliver(ring, "KIND=TACHO\x03\x15@ERR\x03\x06@X");
    int length = 0;
    EXPECT_EQ(Take(ring, &length), "\x06@GET_KIND=TACHO\x03");
    EXPECT_EQ(length, 15);
    EXPECT_EQ(Take(ring, &length), "\x15@ERR\x03");
    EXPECT_EQ(length, 4);
    EXPECT_EQ(Take(ring, &length), "(none)");
    EXPECT_EQ(length, -1);
    Deliver(ring, "\x03");
    EXPECT_EQ(Take(ring), "\x06@X\x03");
}

TEST(ReceiveRing, EveryOtherByteIsStoredAsText)
{
    TReceiveRing ring;
    const std::string odd("\x02\x06\x15\x7F\x80\xA5\xFF\r\n", 9);
    Deliver(ring, odd + "\x03");
    int length = 0;
    EXPECT_EQ(Take(ring, &length), odd + "\x03");
    EXPECT_EQ(length, 8);
}

TEST(ReceiveRing, EmptyFrameGivesAnEmptyLine)
{
    TReceiveRing ring;
    Deliver(ring, "\x03\x06OK\x03");
    int length = -2;
    EXPECT_EQ(Take(ring, &length), "\x03");
    EXPECT_EQ(length, 0);
    EXPECT_EQ(Take(ring), "\x06OK\x03");
}

TEST(ReceiveRing, LongLineKeepsItsFirst1021Bytes)
{
    TReceiveRing ring;
    std::string reply = "\x06";
    for (int i = 0; reply.size() < 1500; ++i)
        reply += static_cast<char>('A' + i % 26);
    Deliver(ring, reply.substr(0, 700));
    Deliver(ring, reply.substr(700) + "\x03\x06next\x03");
    int length = 0;
    const std::string line = Take(ring, &length);
    EXPECT_EQ(length, 1020);
    EXPECT_EQ(line, reply.substr(0, 1021) + "\x03");
    EXPECT_EQ(Take(ring), "\x06next\x03");
}

TEST(ReceiveRing, ThirtyOneLinesWaitAndTheThirtySecondOverflows)
{
    TReceiveRing ring;
    for (int i = 0; i < 31; ++i)
        Deliver(ring, "\x06line" + std::to_string(i) + "\x03");
    EXPECT_EQ(ring.ErrorFlags(), 0u);
    Deliver(ring, "\x06line31\x03\x06dropped\x03");
    EXPECT_EQ(ring.ErrorFlags(), TReceiveRing::Overflow);
    EXPECT_TRUE(ring.Empty());  // the waiting lines are lost
    EXPECT_EQ(Take(ring), "(none)");
    const std::uint32_t writeIndex = ring.RxWriteIndex.load();

    // Until the reader has seen the overflow, nothing more is stored.
    Deliver(ring, std::string(5000, 'x') + "\x03\x06late\x03");
    EXPECT_EQ(ring.RxWriteIndex.load(), writeIndex);
    ring.ClearErrorFlags();
    EXPECT_EQ(ring.ErrorFlags(), 0u);
    EXPECT_TRUE(ring.Empty());
    Deliver(ring, "\x06fresh\x03");
    EXPECT_EQ(Take(ring), "\x06fresh\x03");
    EXPECT_TRUE(ring.Empty());
}

TEST(ReceiveRing, ThirtyOneWaitingLinesFitLapAfterLap)
{
    TReceiveRing ring;
    for (int lap = 0; lap < 100; ++lap) {
        for (int i = 0; i < 31; ++i)
            Deliver(ring, "\x06w\x03");
        for (int i = 0; i < 31; ++i)
            ASSERT_EQ(Take(ring), "\x06w\x03");
        ASSERT_EQ(ring.ErrorFlags(), 0u);
    }
}

TEST(ReceiveRing, RingWrapsAroundIndefinitely)
{
    TReceiveRing ring;
    for (int i = 0; i < 1000; ++i) {
        Deliver(ring, "\x06n" + std::to_string(i) + "\x03");
        ASSERT_EQ(Take(ring), "\x06n" + std::to_string(i) + "\x03");
    }
    EXPECT_EQ(ring.ErrorFlags(), 0u);
}

TEST(ReceiveRing, ReceivingAllocatesNothing)
{
    auto ring = std::make_unique<TReceiveRing>();
    std::string burst;
    for (int i = 0; i < 20; ++i)
        burst += "\x06@GET_PORT=0123ABCD4567\x03";
    burst += std::string(3000, 'y') + "\x03";
    const long before = allocations.load();
    ring->Receive(burst.data(), static_cast<unsigned>(burst.size()));
    EXPECT_EQ(allocations.load(), before);
}
