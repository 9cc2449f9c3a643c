#include "app/MonitorLoop.h"

#include <algorithm>
#include <array>
#include <QString>
#include <span>

#include "indicators/Etcpas.h"
#include "indicators/Port.h"
#include "link/Codecs.h"
#include "link/FrameBytes.h"
#include "platform/MessageBox.h"

namespace {

constexpr std::string_view KeyGetKind = "@GET_KIND";
constexpr std::string_view KeyGetPort = "@GET_PORT=";
constexpr std::string_view KeySetDateTime = "@SET_DATETIME";
constexpr std::string_view KeyGetDateTime = "@GET_DATETIME";
constexpr std::string_view KeySetSys = "@SET_SYS";
constexpr std::string_view KeyGetSys = "@GET_SYS=";

constexpr int DigitsPerValue = 4;
constexpr int ClockDigits = 14;

// The row of the channel table whose Designator is name, or -1.
std::int32_t RowOfDesignator(std::string_view name)
{
    for (std::int32_t row = 0; !SourceIndexQ7[row].Designator.empty(); ++row) {
        if (SourceIndexQ7[row].Designator == name)
            return row;
    }
    return -1;
}

void StoreValue(std::int32_t row, std::int32_t value)
{
    if (std::int32_t* address = SourceIndexQ7[row].Address)
        *address = value;
}

}  // namespace

TMonitorLoop::TMonitorLoop()
{
    std::fill(std::begin(PortMap), std::end(PortMap), -1);
}

void TMonitorLoop::RunMonitorTick()
{
    // Working storage of this tick only: a tick nested in a message box of this one has its own.
    char line[LineBufferSize];
    // The line the tick is waiting for, then every line behind it: a meter that sends more than
    // it is asked (a second reply, a late one) would otherwise leave the link one line fuller at
    // every such reply, until it overflows. Each is a reply like any other and is acted on.
    for (int taken = 0; taken < MaxLinesPerTick && (taken == 0 || LineWaiting()); ++taken) {
        const int length = ReceiveLine(line);
        if (length < 1 || line[0] != Ack)
            continue;
        if (!ActOnReply(std::string_view(line + 1, static_cast<std::size_t>(length))))
            return;
        RequestState = SettingsShown() ? eReqIdle : eReqPoll;
        SetIndicatorValues();
        ReplyTimeout = 0;
        WaitingReply = false;
    }
    if (ReplyTimeout > 0 && --ReplyTimeout == 0) {
        // The meter did not answer in time: forget the request and what it reported.
        RequestState = eReqIdle;
        ZeroSubscribedValues();
        SetIndicatorValues();
        WaitingReply = false;
    }

    if (!WaitingReply) {
        char* writePos = line;
        if (BuildRequest(writePos)) {
            *writePos = '\0';
            SendRequest(line);
            WaitingReply = true;
            ReplyTimeout = ReplyTimeoutTicks;
        }
    }

    if (++MonitorTick == TicksPerSecond)
        MonitorTick = 0;
}

void TMonitorLoop::LinkOpened()
{
    RequestState = eReqIdle;
    WaitingReply = false;
    ReplyTimeout = 0;
    MonitorTick = 0;
    PortCount = 0;
}

void TMonitorLoop::LinkClosed()
{
    RequestState = eReqIdle;
    WaitingReply = false;
    ReplyTimeout = 0;
    ZeroSubscribedValues();
    SetIndicatorValues();
    ShowMeterClock(std::string());
}

bool TMonitorLoop::ActOnReply(std::string_view text)
{
    if (const int k = StrCompTopPart(text, KeyGetKind))
        SubscribeChannels(text.substr(k));
    else if (const int k = StrCompTopPart(text, KeyGetPort))
        StorePortValues(text.substr(k));
    else if (StrCompTopPart(text, KeySetDateTime))
        platform::MessageBeep();
    else if (const int k = StrCompTopPart(text, KeyGetDateTime))
        ShowClockReply(text.substr(k));
    else if (StrCompTopPart(text, KeySetSys))
        platform::MessageBeep();
    else if (const int k = StrCompTopPart(text, KeyGetSys))
        return StoreContextReply(text.substr(k));
    return true;
}

void TMonitorLoop::SubscribeChannels(std::string_view names)
{
    PortCount = 0;
    std::array<char, NameBufferSize> name{};
    while (PortCount < MaxPorts) {
        const int length = NextNameToken(names, std::span<char>(name));
        if (length == 0)
            break;
        // A name too long for the buffer matches no row.
        PortMap[PortCount] =
            length < NameBufferSize ? RowOfDesignator(std::string_view(name.data(), length)) : -1;
        ++PortCount;
    }
}

void TMonitorLoop::StorePortValues(std::string_view digits)
{
    for (int i = 0; i < PortCount; ++i) {
        if (PortMap[i] < 0)
            continue;
        const std::size_t offset = std::min<std::size_t>(digits.size(), DigitsPerValue * i);
        const auto raw = static_cast<std::uint16_t>(ParseHexBytes(digits.substr(offset), 2));
        StoreValue(PortMap[i], static_cast<std::int16_t>(raw));
    }
}

void TMonitorLoop::ShowClockReply(std::string_view payload)
{
    // A clock reply without its fourteen digits leaves the last clock shown rather than showing
    // a made-up time.
    const std::size_t first = payload.find_first_of("0123456789");
    if (first == std::string_view::npos || payload.size() - first < ClockDigits)
        return;
    ShowMeterClock(FormatDeviceDateTime(payload));
}

bool TMonitorLoop::StoreContextReply(std::string_view digits)
{
    if (DecodeHexBlock(Context(), digits, ContextSize)) {
        ContextToControls();
        return true;
    }
    platform::MessageBeep();
    platform::ShowMessageBox(QStringLiteral("受信データエラー\n\r中断しました"), QString(),
                             platform::BoxIcon::Error, platform::BoxButtons::Abort);
    return false;
}

void TMonitorLoop::ZeroSubscribedValues()
{
    for (int i = 0; i < PortCount; ++i) {
        if (PortMap[i] >= 0)
            StoreValue(PortMap[i], 0);
    }
}

bool TMonitorLoop::BuildRequest(char*& writePos)
{
    // A closed port (after a receive overflow, a failed opening, or none at all) gets no
    // requests: sending would fail on every tick. Polling starts over with the channel list
    // once the port is open again.
    if (!LinkOpen())
        return false;
    if (!SettingsShown() && RequestState == eReqIdle && MonitorTick == 0) {
        AppendText(writePos, KeyGetKind);
        return true;
    }
    switch (RequestState) {
    case eReqPoll:
        AppendText(writePos, MonitorTick != 0 ? std::string_view("@GET_PORT")
                                              : std::string_view("@GET_DATETIME"));
        return true;
    case eReqReadContext: AppendText(writePos, "@GET_SYS"); return true;
    case eReqWriteContext:
        AppendText(writePos, "@SET_SYS(");
        AppendHexBytes(writePos, Context(), ContextSize);
        return true;
    case eReqSetClock: AppendSetDateTimeRequest(writePos); return true;
    case eReqIdle: return false;
    }
    return false;
}
