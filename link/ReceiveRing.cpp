#include "link/ReceiveRing.h"

#include "link/FrameBytes.h"

void TReceiveRing::Reset()
{
    errorFlags_.store(0, std::memory_order_relaxed);
    RxReadIndex.store(0, std::memory_order_relaxed);
    RxWriteIndex.store(0, std::memory_order_relaxed);
    RxLineLength = 0;
    RxWritePtr = RxRing[0];
}

void TReceiveRing::Receive(const char* Buffer, unsigned Size)
{
    // After an overflow nobody reads on until the port has been closed: what still comes is
    // dropped rather than written over the lines the reader may be looking at.
    if (errorFlags_.load(std::memory_order_acquire) & Overflow)
        return;
    std::uint32_t writeIndex = RxWriteIndex.load(std::memory_order_relaxed);
    for (unsigned i = 0; i < Size; ++i) {
        const char byte = Buffer[i];
        if (byte == Etx) {
            RxWritePtr[0] = Etx;
            RxWritePtr[1] = '\0';
            const std::uint32_t next = (writeIndex + 1) % Lines;
            // Full is decided before the line is published: checked after it, a reader that
            // takes the new line at once would make an empty ring look full.
            if (next == RxReadIndex.load(std::memory_order_acquire)) {
                // 31 lines wait: the reader reports the overflow and empties the ring.
                errorFlags_.fetch_or(Overflow, std::memory_order_release);
                RxWritePtr = RxRing[writeIndex];
                RxLineLength = 0;
                return;
            }
            writeIndex = next;
            RxWriteIndex.store(writeIndex, std::memory_order_release);
            RxWritePtr = RxRing[writeIndex];
            RxLineLength = 0;
            continue;
        }
        ++RxLineLength;
        if (RxLineLength < KeptBytes + 1)
            *RxWritePtr++ = byte;
    }
}

void TReceiveRing::ClearErrorFlags()
{
    RxReadIndex.store(RxWriteIndex.load(std::memory_order_acquire), std::memory_order_release);
    errorFlags_.store(0, std::memory_order_release);
}

int TReceiveRing::TakeLine(char* Buffer)
{
    if (Empty())
        return -1;
    const std::uint32_t readIndex = RxReadIndex.load(std::memory_order_relaxed);
    const char* line = RxRing[readIndex];
    int length = 0;
    Buffer[0] = line[0];
    if (line[0] == Etx) {
        // An empty frame: nothing but its ETX.
        Buffer[1] = '\0';
    } else {
        // Every line holds an ETX within its first 1022 bytes.
        int i = 1;
        while (line[i] != Etx && i < KeptBytes) {
            Buffer[i] = line[i];
            ++i;
        }
        Buffer[i] = Etx;
        Buffer[i + 1] = '\0';
        length = i - 1;
    }
    RxReadIndex.store((readIndex + 1) % Lines, std::memory_order_release);
    return length;
}
