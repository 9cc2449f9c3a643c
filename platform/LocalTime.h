#pragma once
// The PC's local time, as the platform's GetLocalTime gives it. Tests put a fixed clock in place.
#include <functional>

namespace platform {

struct LocalTime {
    int year = 0;
    int month = 0;      // 1 to 12
    int dayOfWeek = 0;  // 0 Sunday to 6 Saturday
    int day = 0;        // 1 to 31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int milliseconds = 0;
};

LocalTime GetLocalTime();

using LocalClock = std::function<LocalTime()>;
// Replaces the clock (an empty one restores the system's); answers the one it replaced.
LocalClock SetLocalClock(LocalClock clock);

}  // namespace platform
