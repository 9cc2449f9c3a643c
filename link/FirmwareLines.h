#pragma once
// Cutting the programming file into the lines the meter asks for, and recognising the meter's
// keywords. The file is held whole in memory; nothing here reads past its end.

// Copies the bytes from Ptr up to and including the first LF into Dest and moves Ptr past the LF;
// answers the number of bytes copied. When no LF comes within Max bytes, or before End (the end
// of the file's bytes), answers -1 and leaves Ptr alone, so an over-long line and a last line
// without LF are both bad lines. Max <= 0 gives -1.
int ReadFileLine(char* Dest, const char*& Ptr, const char* End, int Max);

// True when Text begins with all the bytes of Keyword (both NUL-terminated).
bool StartsWith(const char* Text, const char* Keyword);
