#pragma once
// The set-clock request: "@SET_DATETIME(", fourteen upper-case digits and ")". The digits are
// seven packed BCD bytes of the PC's local time at the moment the request is built: second,
// minute, hour, day of the week (0 Sunday), day, month, and the year minus 1980 (modulo 256).
// Saturday 2016-09-17 13:45:07 gives "@SET_DATETIME(07451306170936)".

// Appends the request at writePos (no NUL) and advances it past the 29 characters written.
void BuildSetDateTimeRequest(char*& writePos);
