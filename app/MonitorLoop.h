#pragma once
// The monitor loop: one tick every 100 ms takes the reply line from the link (and any line a
// talkative meter sent behind it), acts on it, counts down the time-out of the request waiting
// for its reply and sends at most one new request. It learns which channels the meter reports,
// keeps the channel table's values live, shows the meter's clock and carries out the settings
// window's read, write and set-clock commands. At most one request is ever waiting, so the meter
// sees at most ten a second.
//
// The state and the decoding live here, free of widgets; the main window supplies the link, the
// settings window's context and visibility, the status bar and the indicators through the
// operations below.
#include <cstdint>
#include <string>
#include <string_view>

#include "app/RequestState.h"

class TMonitorLoop {
public:
    static constexpr int MaxPorts = 32;           // positions of the subscription map
    static constexpr int ReplyTimeoutTicks = 20;  // 2 s at 100 ms
    static constexpr int TicksPerSecond = 10;
    static constexpr int ContextSize = 72;  // the meter's settings record
    static constexpr int LineBufferSize = 1024;
    static constexpr int NameBufferSize = 256;  // one channel name, at most 255 characters
    // Lines one tick takes at most: as many as wait in the link when it is full.
    static constexpr int MaxLinesPerTick = 31;

    TMonitorLoop();
    virtual ~TMonitorLoop() = default;
    TMonitorLoop(const TMonitorLoop&) = delete;
    TMonitorLoop& operator=(const TMonitorLoop&) = delete;

    // One tick of the loop.
    void RunMonitorTick();

    // The link's port has just opened, maybe on another meter than before: nothing learnt of
    // the line before holds, and the next tick asks for the channel list.
    void LinkOpened();
    // The link's port has closed: as after a time-out, the subscribed values go to zero and the
    // indicators show it, and the status bar no longer shows a clock that is not running.
    void LinkClosed();

    // What the next request is; the settings window writes eReqReadContext, eReqWriteContext and
    // eReqSetClock here.
    TRequestState RequestState = eReqIdle;
    // Subscription map: for each position of the meter's channel list the row of the channel
    // table, or -1 for a name the table does not hold; PortCount positions are valid.
    std::int32_t PortMap[MaxPorts];
    std::int32_t PortCount = 0;
    // A request has gone out and neither its reply nor its time-out has ended it.
    bool WaitingReply = false;
    // Ticks left for the waiting request (0 when none waits).
    std::int32_t ReplyTimeout = 0;
    // Tick counter modulo 10; the tick at 0 asks for the clock (or the channel list).
    std::int32_t MonitorTick = 0;

protected:
    // The link: the oldest received line into buffer (at least LineBufferSize bytes); -1 after a
    // receive overflow, 0 when none waits, else the length of the text after the status byte.
    virtual int ReceiveLine(char* buffer) = 0;
    // Whether another line waits in the link.
    virtual bool LineWaiting() const = 0;
    // Frames and sends a NUL-terminated request.
    virtual void SendRequest(const char* text) = 0;
    // Whether the link's port is open; while it is closed the loop sends nothing.
    virtual bool LinkOpen() const = 0;

    // The settings window: whether it is shown, its 72-byte context, and the refresh of its
    // edits from the context.
    virtual bool SettingsShown() const = 0;
    virtual std::uint8_t* Context() = 0;
    virtual void ContextToControls() = 0;
    // Appends the set-clock request at the write position and advances it.
    virtual void AppendSetDateTimeRequest(char*& writePos) = 0;

    // The meter's clock as the status bar's text (8-bit text).
    virtual void ShowMeterClock(const std::string& text) = 0;
    // SetValue on every registered indicator, in registry order.
    virtual void SetIndicatorValues() = 0;

private:
    // False when the tick must end at once (a bad context reply was reported).
    bool ActOnReply(std::string_view text);
    void SubscribeChannels(std::string_view names);
    void StorePortValues(std::string_view digits);
    void ShowClockReply(std::string_view payload);
    bool StoreContextReply(std::string_view digits);
    void ZeroSubscribedValues();
    // Builds the next request at writePos; false when none is due.
    bool BuildRequest(char*& writePos);
};
