#include "platform/LocalTime.h"

#include <chrono>
#include <ctime>
#include <utility>

namespace platform {
namespace {

LocalClock& Clock()
{
    static LocalClock clock;
    return clock;
}

LocalTime SystemLocalTime()
{
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm parts{};
    localtime_r(&seconds, &parts);
    const auto sinceEpoch = now.time_since_epoch();
    LocalTime t;
    t.year = parts.tm_year + 1900;
    t.month = parts.tm_mon + 1;
    t.dayOfWeek = parts.tm_wday;
    t.day = parts.tm_mday;
    t.hour = parts.tm_hour;
    t.minute = parts.tm_min;
    t.second = parts.tm_sec;
    t.milliseconds =
        int(std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count() % 1000);
    return t;
}

}  // namespace

LocalTime GetLocalTime()
{
    return Clock() ? Clock()() : SystemLocalTime();
}

LocalClock SetLocalClock(LocalClock clock)
{
    return std::exchange(Clock(), std::move(clock));
}

}  // namespace platform
