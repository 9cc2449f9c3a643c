// The set-clock request of the monitor loop, from the PC's local time.
#include "app/Main.h"
#include "app/SetClockRequest.h"

void TMainForm::BuildSetDateTimeRequest(char*& writePos)
{
    ::BuildSetDateTimeRequest(writePos);
}
