#include <gtest/gtest.h>

#include <string>

#include "app/SetClockRequest.h"
#include "platform/LocalTime.h"

namespace {

// Builds the request with the local clock fixed at the given time.
std::string RequestAt(platform::LocalTime time)
{
    const platform::LocalClock previous = platform::SetLocalClock([time] { return time; });
    char buffer[64];
    char* end = buffer;
    BuildSetDateTimeRequest(end);
    platform::SetLocalClock(previous);
    return std::string(buffer, end);
}

}  // namespace

TEST(SetDateTimeRequest, PacksTheLocalTimeAsBcdFromSecondsToYear)
{
    // Saturday 2016-09-17 13:45:07.
    EXPECT_EQ(RequestAt({2016, 9, 6, 17, 13, 45, 7, 500}), "@SET_DATETIME(07451306170936)");
    EXPECT_EQ(RequestAt({1980, 1, 0, 1, 0, 0, 0, 0}), "@SET_DATETIME(00000000010100)");
    EXPECT_EQ(RequestAt({2079, 12, 0, 31, 23, 59, 59, 999}), "@SET_DATETIME(59592300311299)");
}
