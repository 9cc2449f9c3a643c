// The monitor loop's decisions and decoding, tick by tick, against a scripted link. Polling of a
// real meter, the clock shown and the settings window's commands (and that nothing else is sent
// while it is shown) are seen end to end in MainWindowTest; here the replies a meter rarely
// sends.
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "app/MonitorLoop.h"
#include "indicators/Port.h"
#include "tests/support/BoxRecorder.h"

namespace {

void ZeroAllChannels()
{
    for (int row = 0; !SourceIndexQ7[row].Designator.empty(); ++row)
        *SourceIndexQ7[row].Address = 0;
}

// The loop with a scripted link: lines queued here are taken one per tick; what the loop sends is
// recorded.
class ScriptedLoop : public TMonitorLoop {
public:
    std::deque<std::string> lines;
    std::vector<std::string> sent;
    std::uint8_t context[ContextSize] = {};
    int setValueRounds = 0;

    void Reply(const std::string& text) { lines.push_back("\x06" + text); }
    void Ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            RunMonitorTick();
    }

protected:
    int ReceiveLine(char* buffer) override
    {
        if (lines.empty())
            return 0;
        const std::string line = lines.front() + '\x03';
        lines.pop_front();
        std::memcpy(buffer, line.c_str(), line.size() + 1);
        return static_cast<int>(line.size()) - 2;
    }
    bool LineWaiting() const override { return !lines.empty(); }
    void SendRequest(const char* text) override { sent.emplace_back(text); }
    bool LinkOpen() const override { return true; }
    bool SettingsShown() const override { return false; }
    std::uint8_t* Context() override { return context; }
    void ContextToControls() override {}
    void AppendSetDateTimeRequest(char*& writePos) override { *writePos++ = 'T'; }
    void ShowMeterClock(const std::string&) override {}
    void SetIndicatorValues() override { ++setValueRounds; }
};

class MonitorLoop : public ::testing::Test {
protected:
    void SetUp() override { ZeroAllChannels(); }
    void TearDown() override { ZeroAllChannels(); }

    // Brings the loop to polling with TACHO, SPEED and an unknown channel subscribed.
    void StartPolling()
    {
        loop.Reply("@GET_KIND=TACHO,SPEED,NOSUCH");
        loop.Ticks(2);
        ASSERT_EQ(loop.RequestState, eReqPoll);
    }

    testing_support::BoxRecorder boxes;
    ScriptedLoop loop;
};

TEST_F(MonitorLoop, ChannelListAndValueRepliesReachTheChannelTable)
{
    std::string forty = "@GET_KIND=";
    for (int i = 0; i < 40; ++i)
        forty += "TACHO,";
    // The number of positions subscribed, and the first and last position's channel.
    const std::pair<std::string, std::string> lists[] = {
        // A name too long for the name buffer matches nothing, even when it starts like one.
        {"@GET_KIND=TACHO" + std::string(300, 'A') + ",SPEED", "2 - SPEED"},
        {forty, "32 TACHO TACHO"},  // positions beyond the map's are dropped
    };
    const auto channel = [this](int position) {
        const int row = loop.PortMap[position];
        return row < 0 ? std::string("-") : SourceIndexQ7[row].Designator;
    };
    for (const auto& [reply, subscribed] : lists) {
        loop.Reply(reply);
        loop.Ticks(1);
        EXPECT_EQ(std::to_string(loop.PortCount) + " " + channel(0) + " " +
                      channel(loop.PortCount - 1),
                  subscribed);
    }

    StartPolling();
    const struct {
        const char* reply;
        int tacho, speed;
    } values[] = {
        {"@GET_PORT=0BB8FF", 3000, 255},  // a short reply stops at its end
        {"@GET_PORT=0bb8", 0, 0},         // lower case is no digit here
        {"@GET_PORTX0BB8", 0, 0},         // a reply, but not a value reply
    };
    for (const auto& value : values) {
        SCOPED_TRACE(value.reply);
        const int rounds = loop.setValueRounds;
        const auto sent = loop.sent.size();
        loop.Reply(value.reply);
        loop.Ticks(1);
        EXPECT_EQ(Tacho, value.tacho);
        EXPECT_EQ(Speed, value.speed);
        EXPECT_EQ(loop.setValueRounds, rounds + 1);
        EXPECT_EQ(loop.sent.size(), sent + 1);  // taken as a reply: the next request went out
    }
}

TEST_F(MonitorLoop, ANakOrAnEmptyLineIsNoReplyAndTheTimeOutZeroesTheValuesAndStartsOver)
{
    StartPolling();
    loop.Reply("@GET_PORT=0BB8FF380001");
    loop.Ticks(1);
    loop.lines.push_back("\x15@GET_PORT=0001");
    loop.lines.push_back("\x06");
    const auto sent = loop.sent.size();
    loop.Ticks(19);
    EXPECT_EQ(Tacho, 3000);
    EXPECT_EQ(loop.sent.size(), sent);
    loop.Ticks(1);  // the 20th tick after the request
    EXPECT_EQ(Tacho, 0);
    EXPECT_EQ(Speed, 0);
    EXPECT_EQ(loop.RequestState, eReqIdle);
    EXPECT_EQ(loop.PortCount, 3);  // the map stays
    loop.Ticks(10);
    EXPECT_EQ(loop.sent.back(), "@GET_KIND");
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(MonitorLoop, ABadContextDigitIsReportedAndEndsTheTickWithWhatCameBeforeStored)
{
    std::string digits;
    for (int i = 0; i < 72; ++i)
        digits += char('0' + i / 10 % 10) + std::to_string(i % 10);
    digits[10] = 'a';  // a lower-case digit
    loop.Ticks(1);
    const int tick = loop.MonitorTick;
    const auto sent = loop.sent.size();
    std::memset(loop.context, 0xEE, sizeof loop.context);
    loop.Reply("@GET_SYS=" + digits);
    loop.Ticks(1);
    ASSERT_EQ(boxes.Texts(),
              std::vector<QString>{QStringLiteral("受信データエラー\n\r中断しました")});
    EXPECT_EQ(boxes.Beeps(), 1);
    EXPECT_EQ(loop.MonitorTick, tick);
    EXPECT_EQ(loop.sent.size(), sent);
    EXPECT_EQ(loop.context[4], 0x04);  // stored before the bad digit
    EXPECT_EQ(loop.context[6], 0xEE);  // not after it
}

}  // namespace
