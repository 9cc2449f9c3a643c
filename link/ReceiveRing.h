#pragma once
// The receive ring: 32 lines of 1024 bytes that the serial event thread fills and the
// user-interface thread empties, without a lock.
//
// Ownership: only the receiving thread writes RxWriteIndex, the write position and the line
// being filled, and only it sets the overflow flag; only the reading thread writes RxReadIndex
// and clears the flag. A line is published by advancing RxWriteIndex (release) after its ETX
// and NUL are stored, and released by advancing RxReadIndex (release) after it was copied out.
#include <atomic>
#include <cstdint>

class TReceiveRing {
public:
    static constexpr unsigned Lines = 32;
    static constexpr unsigned LineSize = 1024;
    // Bytes of a line kept before its ETX, the status byte included.
    static constexpr int KeptBytes = 1021;
    static constexpr std::uint32_t Overflow = 0x1;

    TReceiveRing() { Reset(); }
    TReceiveRing(const TReceiveRing&) = delete;
    TReceiveRing& operator=(const TReceiveRing&) = delete;

    // Empties the ring and clears the flags; only while nothing receives.
    void Reset();

    // Receiving thread: appends the bytes; each ETX ends a line. The ETX of a line that finds
    // 31 lines waiting sets the overflow flag instead; the rest of the delivery, and every
    // byte until the reader clears the flag, is dropped. Allocates nothing.
    void Receive(const char* Buffer, unsigned Size);

    // Reading thread.
    std::uint32_t ErrorFlags() const { return errorFlags_.load(std::memory_order_acquire); }
    // Clears the flags after an overflow was seen, emptying the ring: the waiting lines are
    // lost. Safe because the receiving thread stores nothing while the overflow flag is set.
    void ClearErrorFlags();
    // After an overflow the ring reads as empty until the flag is cleared.
    bool Empty() const
    {
        return (ErrorFlags() & Overflow) != 0 || RxReadIndex.load(std::memory_order_relaxed) ==
                                                     RxWriteIndex.load(std::memory_order_acquire);
    }
    // Copies the oldest line into Buffer (at least LineSize bytes): its first byte, the bytes
    // up to and including its ETX, then a NUL; releases the line and answers the number of
    // bytes between the first byte and the ETX (0 to 1020). -1 when no line waits (or after an
    // overflow, until the flag is cleared).
    int TakeLine(char* Buffer);

    std::atomic<std::uint32_t> RxReadIndex{0};
    std::atomic<std::uint32_t> RxWriteIndex{0};

private:
    std::atomic<std::uint32_t> errorFlags_{0};
    // Receiving thread only.
    int RxLineLength = 0;
    char* RxWritePtr = nullptr;
    char RxRing[Lines][LineSize];
};
