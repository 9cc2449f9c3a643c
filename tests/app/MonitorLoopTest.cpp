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
    void TickToNextSecond()
    {
        while (MonitorTick != 0)
            RunMonitorTick();
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
        loop.Ticks(1);
        loop.Reply("@GET_KIND=TACHO,SPEED,NOSUCH");
        loop.Ticks(1);
        ASSERT_EQ(loop.RequestState, eReqPoll);
    }

    testing_support::BoxRecorder boxes;
    ScriptedLoop loop;
};

TEST_F(MonitorLoop, AsksForTheChannelsEveryTwoSecondsUntilAnswerThenPollsWithTheClockEachSecond)
{
    std::vector<int> sentAt;
    for (int tick = 0; tick < 61; ++tick) {
        const auto before = loop.sent.size();
        loop.Ticks(1);
        if (loop.sent.size() > before)
            sentAt.push_back(tick);
    }
    EXPECT_EQ(sentAt, (std::vector<int>{0, 20, 40, 60}));
    EXPECT_EQ(loop.sent, std::vector<std::string>(4, "@GET_KIND"));

    // Any reply moves the loop on to polling, the next request going out in the same tick.
    loop.Reply("@HELLO");
    loop.Ticks(1);
    EXPECT_EQ(loop.RequestState, eReqPoll);
    std::string requests;
    for (int i = 0; i < 20; ++i) {
        loop.Reply("@OK");
        const int tick = loop.MonitorTick;
        loop.Ticks(1);
        EXPECT_EQ(loop.LastSent(), tick == 0 ? "@GET_DATETIME" : "@GET_PORT") << i;
        requests += loop.LastSent()[5];
    }
    EXPECT_EQ(std::count(requests.begin(), requests.end(), 'D'), 2);
    EXPECT_TRUE(boxes.Boxes().empty());  // time-outs are silent
}

TEST_F(MonitorLoop, ChannelListAndValueRepliesReachTheChannelTable)
{
    const struct {
        std::string reply;
        int count;
        int first, last;  // rows of the first and last subscribed channel
    } lists[] = {
        {"@GET_KIND=TACHO7SPEED", 2, Row("TACHO"), Row("SPEED")},        // a digit separates
        {"@GET_KIND=TACHOzSPEED,THROT", 1, Row("TACHO"), Row("TACHO")},  // "z" ends the list
        // A name too long for the name buffer matches nothing, even when it starts like one.
        {"@GET_KIND=TACHO" + std::string(300, 'A') + ",SPEED", 2, -1, Row("SPEED")},
    };
    for (const auto& list : lists) {
        SCOPED_TRACE(list.reply);
        loop.Reply(list.reply);
        loop.Ticks(1);
        EXPECT_EQ(loop.PortCount, list.count);
        EXPECT_EQ(loop.PortMap[0], list.first);
        EXPECT_EQ(loop.PortMap[list.count - 1], list.last);
    }
    std::string forty = "@GET_KIND=";
    for (int i = 0; i < 40; ++i)
        forty += "TACHO,";
    loop.Reply(forty);
    loop.Ticks(1);
    EXPECT_EQ(loop.PortCount, 32);
    EXPECT_EQ(loop.PortMap[31], Row("TACHO"));

    StartPolling();
    EXPECT_EQ(loop.PortMap[2], -1);
    const struct {
        const char* reply;
        int tacho, speed;
    } values[] = {
        {"@GET_PORT=0BB8FF380001", 3000, -200},  // signed words
        {"@GET_PORT=0BB8FF", 3000, 255},         // a short reply stops at its end
        {"@GET_PORT=", 0, 0},
        {"@GET_PORT=0bb8", 0, 0},  // lower case is no digit here
        {"@GET_PORTX0BB8", 0, 0},  // a reply, but not a value reply
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
    EXPECT_EQ(Throttle, 0);

    // A new list that no longer names SPEED leaves its last value.
    loop.Reply("@GET_PORT=0001FFFF");
    loop.Reply("@GET_KIND=BATTERY");
    loop.Reply("@GET_PORT=0064");
    loop.Ticks(3);
    EXPECT_EQ(Battery, 100);
    EXPECT_EQ(Speed, -1);
}

TEST_F(MonitorLoop, ANakOrAnEmptyLineIsNoReplyAndTheTimeOutZeroesTheValuesAndStartsOver)
{
    StartPolling();
    loop.Reply("@GET_PORT=0BB8FF380001");
    loop.Ticks(1);
    loop.lines.push_back(Nak + "@GET_PORT=0001");
    loop.lines.push_back(Ack);
    const int rounds = loop.setValueRounds;
    const auto sent = loop.sent.size();
    loop.Ticks(19);
    EXPECT_EQ(Tacho, 3000);
    EXPECT_EQ(loop.sent.size(), sent);
    loop.Ticks(1);  // the 20th tick after the request
    EXPECT_EQ(Tacho, 0);
    EXPECT_EQ(Speed, 0);
    EXPECT_EQ(loop.setValueRounds, rounds + 1);
    EXPECT_EQ(loop.RequestState, eReqIdle);
    EXPECT_EQ(loop.PortCount, 3);  // the map stays
    loop.TickToNextSecond();
    EXPECT_EQ(loop.LastSent(), "@GET_KIND");
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(MonitorLoop, ClockRepliesAreShownOnlyWithFourteenDigitsAndAcknowledgementsBeep)
{
    for (const char* reply : {"@GET_DATETIME=07451306170936", "@GET_DATETIME=", "@GET_DATETIME=ABC",
                              "@GET_DATETIME=0745130617093", "@SET_DATETIME", "@SET_SYS"})
        loop.Reply(reply);
    loop.Ticks(6);
    EXPECT_EQ(loop.clocks, std::vector<std::string>{"2016/09/17-13:45:07"});
    EXPECT_EQ(loop.RequestState, eReqPoll);  // they count as replies all the same
    EXPECT_EQ(boxes.Beeps(), 2);
}

TEST_F(MonitorLoop, ContextRepliesFillTheContextOrReportABadDigitAndEndTheTick)
{
    std::string digits;
    for (int i = 0; i < 72; ++i)
        digits += char('0' + i / 10 % 10) + std::to_string(i % 10);
    loop.Reply("@GET_SYS=" + digits + "ZZ");  // what follows the 144th digit is ignored
    loop.Ticks(1);
    EXPECT_EQ(loop.context[0], 0x00);
    EXPECT_EQ(loop.context[71], 0x71);
    EXPECT_EQ(loop.contextRefreshes, 1);

    loop.Ticks(3);
    const auto state = loop.RequestState;
    const int tick = loop.MonitorTick;
    const int timeout = loop.ReplyTimeout;
    const auto sent = loop.sent.size();
    std::memset(loop.context, 0xEE, sizeof loop.context);
    std::string bad = digits;
    bad[10] = 'a';  // a lower-case digit
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
    EXPECT_EQ(loop.context[4], 0x04);  // stored before the bad digit
    EXPECT_EQ(loop.context[6], 0xEE);  // not after it
}

TEST_F(MonitorLoop, WhileTheSettingsWindowIsShownOnlyItsCommandsAreSent)
{
    StartPolling();
    loop.settingsShown = true;
    loop.RequestState = eReqReadContext;  // Read pressed while "@GET_PORT" waits: replaced
    loop.Reply("@GET_PORT=0001");
    loop.Ticks(1);
    EXPECT_EQ(loop.RequestState, eReqIdle);
    const auto sent = loop.sent.size();
    loop.Ticks(30);
    EXPECT_EQ(loop.sent.size(), sent);

    loop.RequestState = eReqReadContext;
    loop.Ticks(6);
    loop.Reply("@GET_SYS=" + std::string(144, '1'));
    loop.Ticks(5);
    loop.context[0] = 0xAB;
    loop.RequestState = eReqWriteContext;
    loop.Ticks(1);
    loop.Reply("@SET_SYS");
    loop.Ticks(1);
    loop.RequestState = eReqSetClock;
    loop.Ticks(41);  // without reply it ends silently after 2 s
    EXPECT_EQ(std::vector<std::string>(loop.sent.begin() + sent, loop.sent.end()),
              (std::vector<std::string>{"@GET_SYS", "@SET_SYS(AB" + std::string(142, '1'),
                                        "@SET_DATETIME(07451306170936)"}));
    EXPECT_EQ(loop.RequestState, eReqIdle);

    // A context reply after its request timed out still counts; hidden, the loop polls again.
    loop.settingsShown = false;
    loop.Reply("@GET_SYS=" + std::string(144, 'F'));
    loop.Ticks(1);
    EXPECT_EQ(loop.context[35], 0xFF);
    EXPECT_EQ(loop.RequestState, eReqPoll);
}

TEST_F(MonitorLoop, AClosedPortGetsNoRequestsAndTicksNestedInBoxesRunInFull)
{
    StartPolling();
    loop.Reply("@GET_PORT=0BB8FF380001");
    loop.Ticks(1);
    loop.lines.push_back(std::nullopt);  // the overflow: reported by the link, port closed
    auto sent = loop.sent.size();
    loop.Ticks(60);
    EXPECT_EQ(loop.sent.size(), sent);
    EXPECT_EQ(Tacho, 0);  // the waiting request timed out
    EXPECT_EQ(loop.RequestState, eReqIdle);
    loop.linkOpen = true;  // opened again: the channel list on the next second
    loop.TickToNextSecond();
    EXPECT_EQ(loop.LastSent(), "@GET_KIND");

    // The outer tick meets a bad context reply; while its box is open the timer runs another
    // tick, which takes a value reply. Afterwards the outer tick touches nothing.
    loop.Reply("@GET_SYS=x" + std::string(143, '0'));
    loop.Reply("@GET_PORT=0BB8");
    auto previous = platform::SetBoxPresenter([&](const platform::BoxRequest&) {
        loop.Ticks(1);
        return platform::BoxResult::Abort;
    });
    const int tick = loop.MonitorTick;
    loop.Ticks(1);
    platform::SetBoxPresenter(std::move(previous));
    EXPECT_EQ(Tacho, 3000);
    EXPECT_EQ(loop.MonitorTick, (tick + 1) % 10);
    EXPECT_EQ(loop.RequestState, eReqPoll);
    EXPECT_TRUE(loop.WaitingReply);
    EXPECT_EQ(loop.ReplyTimeout, 20);

    // Inside the overflow box: the nested tick runs, then the outer one goes on as a tick
    // without reply.
    loop.Reply("@GET_PORT=0001");
    loop.lines.push_front(std::nullopt);
    loop.insideOverflowBox = [&] { loop.Ticks(1); };
    const int before = loop.MonitorTick;
    loop.Ticks(1);
    EXPECT_EQ(Tacho, 1);
    EXPECT_EQ(loop.MonitorTick, (before + 2) % 10);
    EXPECT_FALSE(loop.WaitingReply);  // the nested tick took the reply; the port is closed now
}

}  // namespace
