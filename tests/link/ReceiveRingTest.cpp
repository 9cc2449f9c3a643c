// The receive ring alone: deliveries in, lines out.
#include <gtest/gtest.h>

#include <string>

#include "link/ReceiveRing.h"

namespace {

// The next line and its length; "(none)" and -1 when none waits.
std::pair<std::string, int> Take(TReceiveRing& ring)
{
    char buffer[TReceiveRing::LineSize];
    const int n = ring.TakeLine(buffer);
    return {n < 0 ? std::string("(none)") : std::string(buffer), n};
}

void Deliver(TReceiveRing& ring, const std::string& bytes)
{
    ring.Receive(bytes.data(), static_cast<unsigned>(bytes.size()));
}

}  // namespace

TEST(ReceiveRing, EachEtxEndsOneLineOfAnyBytesCutAt1021)
{
    TReceiveRing ring;
    const std::string odd("\x02\x06\x15\x7F\x80\xA5\xFF\r\n", 9);
    std::string longReply = "\x06";
    while (longReply.size() < 1500)
        longReply += static_cast<char>('A' + longReply.size() % 26);
    Deliver(ring, "\x06@GET_");
    EXPECT_TRUE(ring.Empty());
    Deliver(ring, "KIND=TACHO\x03\x03" + odd + "\x03" + longReply.substr(0, 700));
    Deliver(ring, longReply.substr(700) + "\x03\x06@X");

    using Line = std::pair<std::string, int>;
    EXPECT_EQ(Take(ring), Line("\x06@GET_KIND=TACHO\x03", 15));
    EXPECT_EQ(Take(ring), Line("\x03", 0));
    EXPECT_EQ(Take(ring), Line(odd + "\x03", 8));
    EXPECT_EQ(Take(ring), Line(longReply.substr(0, 1021) + "\x03", 1020));
    EXPECT_EQ(Take(ring), Line("(none)", -1));
    Deliver(ring, "\x03");
    EXPECT_EQ(Take(ring).first, "\x06@X\x03");
}

TEST(ReceiveRing, ThirtyOneLinesWaitLapAfterLapAndTheThirtySecondOverflows)
{
    TReceiveRing ring;
    for (int lap = 0; lap < 100; ++lap) {
        for (int i = 0; i < 31; ++i)
            Deliver(ring, "\x06w" + std::to_string(i) + "\x03");
        for (int i = 0; i < 31; ++i)
            ASSERT_EQ(Take(ring).first, "\x06w" + std::to_string(i) + "\x03");
    }

    for (int i = 0; i < 31; ++i)
        Deliver(ring, "\x06line\x03");
    EXPECT_EQ(ring.ErrorFlags(), 0u);
    Deliver(ring, "\x06line31\x03\x06dropped\x03");
    EXPECT_EQ(ring.ErrorFlags(), TReceiveRing::Overflow);
    EXPECT_EQ(Take(ring).second, -1);  // the waiting lines are lost
    // Until the reader has seen the overflow, nothing more is stored.
    const std::uint32_t writeIndex = ring.RxWriteIndex.load();
    Deliver(ring, std::string(5000, 'x') + "\x03\x06late\x03");
    EXPECT_EQ(ring.RxWriteIndex.load(), writeIndex);
    ring.ClearErrorFlags();
    Deliver(ring, "\x06fresh\x03");
    EXPECT_EQ(Take(ring).first, "\x06fresh\x03");
}
