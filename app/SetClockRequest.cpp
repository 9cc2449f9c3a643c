#include "app/SetClockRequest.h"

#include <cstdint>

#include "link/Codecs.h"
#include "platform/LocalTime.h"

void BuildSetDateTimeRequest(char*& writePos)
{
    const platform::LocalTime now = platform::GetLocalTime();
    // Years past 2079 keep only their last two decimal digits in BCD; the byte itself wraps
    // at 256 first, as the meter's field does.
    const auto year = static_cast<std::uint8_t>(now.year - 1980);
    const std::uint8_t fields[] = {
        static_cast<std::uint8_t>(now.second),
        static_cast<std::uint8_t>(now.minute),
        static_cast<std::uint8_t>(now.hour),
        static_cast<std::uint8_t>(now.dayOfWeek),
        static_cast<std::uint8_t>(now.day),
        static_cast<std::uint8_t>(now.month),
        year,
    };
    AppendText(writePos, "@SET_DATETIME(");
    for (const std::uint8_t field : fields)
        AppendHexByte(writePos, ByteToBcd(field));
    AppendText(writePos, ")");
}
