// The monitor loop's decisions and decoding, tick by tick, against a scripted link.
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/MonitorLoop.h"
#include "indicators/Port.h"
#include "tests/support/BoxRecorder.h"

namespace {

const std::string Ack = "\x06";
const std::string Nak = "\x15";

// Row indexes of the channel table.
int Row(const char* designator)
{
    for (int row = 0; !SourceIndexQ7[row].Designator.empty(); ++row) {
        if (SourceIndexQ7[row].Designator == designator)
            return row;
    }
    return -1;
}

void ZeroAllChannels()
{
    for (int row = 0; !SourceIndexQ7[row].Designator.empty(); ++row)
        *SourceIndexQ7[row].Address = 0;
}

// The loop with a scripted link: lines queued here are taken one per tick; what the loop sends is
// recorded. A line of nullopt stands for a receive overflow (the link then closes its port).
class ScriptedLoop : public TMonitorLoop {
public:
    std::deque<std::optional<std::string>> lines;
    std::vector<std::string> sent;
    bool linkOpen = true;
    bool settingsShown = false;
    std::uint8_t context[ContextSize] = {};
    int contextRefreshes = 0;
    std::vector<std::string> clocks;
    int setValueRounds = 0;
    std::function<void()> insideOverflowBox;

    void Reply(const std::string& text) { lines.push_back(Ack + text); }
    void Ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            RunMonitorTick();
    }
    std::string LastSent() const { return sent.empty() ? std::string() : sent.back(); }

protected:
    int ReceiveLine(char* buffer) override
    {
        if (lines.empty())
            return 0;
        const auto line = lines.front();
        lines.pop_front();
        if (!line) {
            linkOpen = false;
            if (insideOverflowBox)
                insideOverflowBox();
            return -1;
        }
        std::memcpy(buffer, line->data(), line->size());
        buffer[line->size()] = '\x03';
        buffer[line->size() + 1] = '\0';
        return static_cast<int>(line->size()) - 1;
    }
    void SendRequest(const char* text) override { sent.emplace_back(text); }
    bool LinkOpen() const override { return linkOpen; }
    bool SettingsShown() const override { return settingsShown; }
    std::uint8_t* Context() override { return context; }
    void ContextToControls() override { ++contextRefreshes; }
    void AppendSetDateTimeRequest(char*& writePos) override
    {
        const char text[] = "@SET_DATETIME(07451306170936)";
        std::memcpy(writePos, text, sizeof text - 1);
        writePos += sizeof text - 1;
    }
    void ShowMeterClock(const std::string& text) override { clocks.push_back(text); }
    void SetIndicatorValues() override { ++setValueRounds; }
};

class MonitorLoop : public ::testing::Test {
protected:
    void SetUp() override { ZeroAllChannels(); }
    void TearDown() override { ZeroAllChannels(); }

    // Brings the loop to polling with TACHO, SPEED and an unknown channel subscribed.
    void StartPolling()
    {
        loop.Ticks(1);  // "@GET_KIND"
        loop.Reply("@GET_KIND=TACHO,SPEED,NOSUCH");
        loop.Ticks(1);  // the reply, then "@GET_PORT"
        ASSERT_EQ(loop.RequestState, eReqPoll);
    }

    testing_support::BoxRecorder boxes;
    ScriptedLoop loop;
};

}  // namespace

TEST_F(MonitorLoop, AsksForTheChannelListFirstThenPollsWithTheClockOnceASecond)
{
    loop.Ticks(1);
    EXPECT_EQ(loop.sent, std::vector<std::string>{"@GET_KIND"});
    EXPECT_TRUE(loop.WaitingReply);
    EXPECT_EQ(loop.ReplyTimeout, 20);
    loop.Ticks(3);  // nothing more while the request waits
    EXPECT_EQ(loop.sent.size(), 1u);

    // Any reply moves the loop on to polling, and the next request goes out in the same tick.
    loop.Reply("@HELLO");
    loop.Ticks(1);
    EXPECT_EQ(loop.RequestState, eReqPoll);
    EXPECT_EQ(loop.setValueRounds, 1);
    ASSERT_EQ(loop.sent.size(), 2u);
    EXPECT_EQ(loop.sent[1], "@GET_PORT");  // MonitorTick was 4

    // A meter that answers every request at once: the tick whose counter is 0 asks the clock.
    std::vector<std::string> requests;
    for (int i = 0; i < 20; ++i) {
        loop.Reply("@OK");
        const int tick = loop.MonitorTick;
        loop.Ticks(1);
        requests.push_back(loop.LastSent());
        EXPECT_EQ(loop.LastSent(), tick == 0 ? "@GET_DATETIME" : "@GET_PORT") << "tick " << i;
    }
    EXPECT_EQ(std::count(requests.begin(), requests.end(), "@GET_DATETIME"), 2);
}

TEST_F(MonitorLoop, ASilentMeterIsAskedForItsChannelsOnceEveryTwoSeconds)
{
    std::vector<int> sentAt;
    for (int tick = 0; tick < 61; ++tick) {
        const auto before = loop.sent.size();
        loop.Ticks(1);
        if (loop.sent.size() > before)
            sentAt.push_back(tick);
    }
    EXPECT_EQ(sentAt, (std::vector<int>{0, 20, 40, 60}));
    for (const auto& request : loop.sent)
        EXPECT_EQ(request, "@GET_KIND");
    EXPECT_TRUE(boxes.Boxes().empty());  // time-outs are silent
}

TEST_F(MonitorLoop, ChannelListAndValuesReachTheChannelTable)
{
    StartPolling();
    EXPECT_EQ(loop.PortCount, 3);
    EXPECT_EQ(loop.PortMap[0], Row("TACHO"));
    EXPECT_EQ(loop.PortMap[1], Row("SPEED"));
    EXPECT_EQ(loop.PortMap[2], -1);
    EXPECT_EQ(loop.PortMap[3], -1);

    const int rounds = loop.setValueRounds;
    loop.Reply("@GET_PORT=0BB8FF380001");
    loop.Ticks(1);
    EXPECT_EQ(Tacho, 3000);
    EXPECT_EQ(Speed, -200);
    EXPECT_EQ(loop.setValueRounds, rounds + 1);
    for (const char* other : {"THROT", "COOLANT", "BATTERY"})
        EXPECT_EQ(*SourceIndexQ7[Row(other)].Address, 0) << other;

    // A new list that no longer names SPEED leaves its last value.
    loop.Reply("@GET_KIND=BATTERY");
    loop.Ticks(1);
    loop.Reply("@GET_PORT=0064");
    loop.Ticks(1);
    EXPECT_EQ(loop.PortCount, 1);
    EXPECT_EQ(Battery, 100);
    EXPECT_EQ(Speed, -200);
}

TEST_F(MonitorLoop, ChannelNamesAreLetterRunsAndAtMost32AreSubscribed)
{
    std::string forty = "@GET_KIND=";
    for (int i = 0; i < 40; ++i)
        forty += "TACHO,";
    loop.Reply(forty);
    loop.Ticks(1);
    EXPECT_EQ(loop.PortCount, 32);
    EXPECT_EQ(loop.PortMap[31], Row("TACHO"));

    // A digit separates names; a "z" ends the list.
    loop.Reply("@GET_KIND=TACHO7SPEED");
    loop.Ticks(1);
    EXPECT_EQ(loop.PortCount, 2);
    EXPECT_EQ(loop.PortMap[1], Row("SPEED"));
    loop.Reply("@GET_KIND=TACHOzSPEED,THROT");
    loop.Ticks(1);
    EXPECT_EQ(loop.PortCount, 1);
    EXPECT_EQ(loop.PortMap[0], Row("TACHO"));

    // A name too long for the name buffer matches nothing, even when it starts like a channel.
    loop.Reply("@GET_KIND=TACHO" + std::string(300, 'A') + ",SPEED");
    loop.Ticks(1);
    EXPECT_EQ(loop.PortCount, 2);
    EXPECT_EQ(loop.PortMap[0], -1);
    EXPECT_EQ(loop.PortMap[1], Row("SPEED"));
}

TEST_F(MonitorLoop, AShortValueReplyStopsAtItsEnd)
{
    StartPolling();
    Tacho = 1;
    Speed = 1;
    loop.Reply("@GET_PORT=0BB8FF");  // the second group is one pair, the third is missing
    loop.Ticks(1);
    EXPECT_EQ(Tacho, 3000);
    EXPECT_EQ(Speed, 255);
    loop.Reply("@GET_PORT=");
    loop.Ticks(1);
    EXPECT_EQ(Tacho, 0);
    EXPECT_EQ(Speed, 0);
    loop.Reply("@GET_PORT=0bb8");  // lower case is no digit here
    loop.Ticks(1);
    EXPECT_EQ(Tacho, 0);
}

TEST_F(MonitorLoop, RepliesAreRecognisedByTheirExactKeyword)
{
    StartPolling();
    Tacho = 5;
    loop.Reply("@GET_PORTX0BB8");  // a reply, but not a value reply
    loop.Ticks(1);
    EXPECT_EQ(Tacho, 5);
    EXPECT_EQ(loop.LastSent(), "@GET_PORT");  // taken as a reply: the next request went out

    loop.Reply("@SET_DATETIME");
    loop.Ticks(1);
    loop.Reply("@SET_SYS");
    loop.Ticks(1);
    EXPECT_EQ(boxes.Beeps(), 2);

    // NAK lines and lines without text are no replies.
    const auto sent = loop.sent.size();
    loop.lines.push_back(Nak + "@GET_PORT=0001");
    loop.lines.push_back(Ack);
    loop.Ticks(2);
    EXPECT_EQ(loop.sent.size(), sent);
    EXPECT_EQ(loop.ReplyTimeout, 18);
}

TEST_F(MonitorLoop, ANakRunsIntoTheTimeOutWhichZeroesTheValuesAndStartsOver)
{
    StartPolling();
    loop.Reply("@GET_PORT=0BB8FF380001");
    loop.Ticks(1);
    loop.lines.push_back(Nak);
    const int rounds = loop.setValueRounds;
    loop.Ticks(19);
    EXPECT_EQ(Tacho, 3000);
    EXPECT_EQ(loop.setValueRounds, rounds);
    loop.Ticks(1);  // the 20th tick after the request
    EXPECT_EQ(Tacho, 0);
    EXPECT_EQ(Speed, 0);
    EXPECT_EQ(loop.setValueRounds, rounds + 1);
    EXPECT_EQ(loop.RequestState, eReqIdle);
    EXPECT_EQ(loop.PortCount, 3);  // the map stays
    while (loop.MonitorTick != 0)
        loop.Ticks(1);
    loop.Ticks(1);
    EXPECT_EQ(loop.LastSent(), "@GET_KIND");
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(MonitorLoop, TheClockReplyShowsInTheStatusBar)
{
    loop.Reply("@GET_DATETIME=07451306170936");
    loop.Ticks(1);
    EXPECT_EQ(loop.clocks, std::vector<std::string>{"2016/09/17-13:45:07"});
    // A clock reply without fourteen characters from its first digit leaves the clock shown.
    loop.Reply("@GET_DATETIME=");
    loop.Reply("@GET_DATETIME=ABC");
    loop.Reply("@GET_DATETIME=0745130617093");
    loop.Ticks(3);
    EXPECT_EQ(loop.clocks.size(), 1u);
    EXPECT_EQ(loop.RequestState, eReqPoll);  // they count as replies all the same
}

TEST_F(MonitorLoop, ContextRepliesFillTheContextOrReportABadDigit)
{
    std::string digits;
    for (int i = 0; i < 72; ++i)
        digits += i < 10 ? "0" + std::to_string(i) : std::to_string(i);
    loop.Reply("@GET_SYS=" + digits + "ZZ");  // what follows the 144th digit is ignored
    loop.Ticks(1);
    EXPECT_EQ(loop.context[0], 0x00);
    EXPECT_EQ(loop.context[71], 0x71);
    EXPECT_EQ(loop.contextRefreshes, 1);

    // A lower-case digit: beep, the error box, and the tick ends before anything else moves.
    loop.Ticks(3);
    const auto state = loop.RequestState;
    const int tick = loop.MonitorTick;
    const int timeout = loop.ReplyTimeout;
    const auto sent = loop.sent.size();
    std::string bad = digits;
    bad[10] = 'a';
    loop.Reply("@GET_SYS=" + bad);
    loop.Ticks(1);
    ASSERT_EQ(boxes.Texts(),
              std::vector<QString>{QStringLiteral("受信データエラー\n\r中断しました")});
    EXPECT_EQ(boxes.Boxes()[0].buttons, platform::BoxButtons::Abort);
    EXPECT_EQ(boxes.Beeps(), 1);
    EXPECT_EQ(loop.contextRefreshes, 1);
    EXPECT_EQ(loop.MonitorTick, tick);
    EXPECT_EQ(loop.RequestState, state);
    EXPECT_EQ(loop.ReplyTimeout, timeout);
    EXPECT_EQ(loop.sent.size(), sent);
    // The bytes before the bad digit are stored, the ones after keep their older values.
    EXPECT_EQ(loop.context[4], 0x04);
    EXPECT_EQ(loop.context[6], 0x06);
}

TEST_F(MonitorLoop, WhileTheSettingsWindowIsShownOnlyItsCommandsAreSent)
{
    StartPolling();
    loop.settingsShown = true;
    loop.Reply("@GET_PORT=0001");  // the request that was waiting is answered
    loop.Ticks(1);
    EXPECT_EQ(loop.RequestState, eReqIdle);
    const auto sent = loop.sent.size();
    loop.Ticks(30);
    EXPECT_EQ(loop.sent.size(), sent);

    // Read: "@GET_SYS" exactly once; its reply brings the loop back to idle.
    loop.RequestState = eReqReadContext;
    loop.Ticks(1);
    EXPECT_EQ(loop.LastSent(), "@GET_SYS");
    loop.Ticks(5);
    loop.Reply("@GET_SYS=" + std::string(144, '1'));
    loop.Ticks(5);
    EXPECT_EQ(loop.sent.size(), sent + 1);
    EXPECT_EQ(loop.RequestState, eReqIdle);
    EXPECT_EQ(loop.context[0], 0x11);

    // Write: "@SET_SYS(" and exactly 144 digits of the context.
    loop.context[0] = 0xAB;
    loop.RequestState = eReqWriteContext;
    loop.Ticks(1);
    EXPECT_EQ(loop.LastSent(), "@SET_SYS(AB" + std::string(142, '1'));
    loop.Reply("@SET_SYS");
    loop.Ticks(1);

    // Set clock: the set-clock request as built for the loop.
    loop.RequestState = eReqSetClock;
    loop.Ticks(1);
    EXPECT_EQ(loop.LastSent(), "@SET_DATETIME(07451306170936)");
    // Without reply it ends silently after 2 s, and nothing else is sent.
    loop.Ticks(40);
    EXPECT_EQ(loop.sent.size(), sent + 3);
    EXPECT_EQ(loop.RequestState, eReqIdle);

    // Hidden again: "@GET_KIND" on the next tick whose counter is 0.
    loop.settingsShown = false;
    while (loop.MonitorTick != 0)
        loop.Ticks(1);
    EXPECT_EQ(loop.sent.size(), sent + 3);
    loop.Ticks(1);
    EXPECT_EQ(loop.LastSent(), "@GET_KIND");
}

TEST_F(MonitorLoop, ACommandWhileARequestWaitsIsReplacedByItsReply)
{
    StartPolling();
    ASSERT_EQ(loop.LastSent(), "@GET_PORT");
    loop.RequestState = eReqReadContext;  // Read pressed while "@GET_PORT" waits
    loop.Reply("@GET_PORT=0001");
    loop.Ticks(1);
    EXPECT_EQ(loop.RequestState, eReqPoll);
    EXPECT_EQ(std::count(loop.sent.begin(), loop.sent.end(), "@GET_SYS"), 0);
}

TEST_F(MonitorLoop, RepliesAreNotMatchedToRequests)
{
    // A context reply that comes after its request timed out still fills the context and, with
    // the settings window hidden, moves the loop to polling.
    loop.RequestState = eReqReadContext;
    loop.MonitorTick = 5;
    loop.Ticks(1);
    EXPECT_EQ(loop.LastSent(), "@GET_SYS");
    loop.Ticks(20);
    EXPECT_FALSE(loop.WaitingReply);
    EXPECT_EQ(loop.RequestState, eReqIdle);
    loop.Reply("@GET_SYS=" + std::string(144, 'F'));
    loop.Ticks(1);
    EXPECT_EQ(loop.context[35], 0xFF);
    EXPECT_EQ(loop.contextRefreshes, 1);
    EXPECT_EQ(loop.RequestState, eReqPoll);
}

TEST_F(MonitorLoop, AClosedPortAfterAnOverflowGetsNoRequests)
{
    StartPolling();
    loop.Reply("@GET_PORT=0BB8FF380001");
    loop.Ticks(1);
    loop.lines.push_back(std::nullopt);  // the overflow: reported by the link, port closed
    const auto sent = loop.sent.size();
    loop.Ticks(60);
    EXPECT_EQ(loop.sent.size(), sent);  // nothing sent to the closed port
    EXPECT_EQ(Tacho, 0);                // the waiting request timed out
    EXPECT_EQ(loop.RequestState, eReqIdle);
    EXPECT_FALSE(loop.WaitingReply);

    // Opened again: the channel list is asked for on the next second.
    loop.linkOpen = true;
    while (loop.MonitorTick != 0)
        loop.Ticks(1);
    loop.Ticks(1);
    EXPECT_EQ(loop.LastSent(), "@GET_KIND");
}

TEST_F(MonitorLoop, ATickNestedInABoxOfTheOuterTickRunsInFull)
{
    StartPolling();
    // The outer tick meets a bad context reply; while its box is open the timer runs another
    // tick, which takes a value reply. Afterwards the outer tick touches nothing.
    std::string bad(144, '0');
    bad[0] = 'x';
    loop.Reply("@GET_SYS=" + bad);
    loop.Reply("@GET_PORT=0BB8");
    auto previous = platform::SetBoxPresenter([&](const platform::BoxRequest&) {
        loop.Ticks(1);
        return platform::BoxResult::Abort;
    });
    const int tick = loop.MonitorTick;
    loop.Ticks(1);
    platform::SetBoxPresenter(std::move(previous));
    EXPECT_EQ(Tacho, 3000);
    EXPECT_EQ(loop.MonitorTick, (tick + 1) % 10);  // advanced by the nested tick only
    EXPECT_EQ(loop.RequestState, eReqPoll);
    EXPECT_TRUE(loop.WaitingReply);
    EXPECT_EQ(loop.ReplyTimeout, 20);

    // Inside the overflow box: the nested tick runs, then the outer one goes on as a tick
    // without reply.
    loop.lines.clear();
    loop.lines.push_back(std::nullopt);
    loop.Reply("@GET_PORT=0001");
    loop.insideOverflowBox = [&] { loop.Ticks(1); };
    const int before = loop.MonitorTick;
    loop.Ticks(1);
    EXPECT_EQ(Tacho, 1);
    EXPECT_EQ(loop.MonitorTick, (before + 2) % 10);
    EXPECT_FALSE(loop.WaitingReply);  // the nested tick took the reply; the port is closed now
}
