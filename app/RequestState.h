#pragma once
// What the monitor loop asks the meter next. The settings window sets the last three; the loop
// itself moves between idle and polling.
#include <cstdint>

enum TRequestState : std::int32_t {
    // "@GET_KIND" on the tick that starts a second, while the settings window is hidden
    eReqIdle = 0,
    eReqPoll = 1,          // "@GET_PORT", or "@GET_DATETIME" once a second
    eReqReadContext = 2,   // "@GET_SYS"
    eReqWriteContext = 3,  // "@SET_SYS(" with the context
    eReqSetClock = 4,      // "@SET_DATETIME(" with the PC's local time
};
