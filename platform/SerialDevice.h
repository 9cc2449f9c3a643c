#pragma once
// A serial line device over termios, with the operations the serial port class expects of the
// system's communications interface: exclusive open, line settings, an event wait that a mask
// change releases, timed reads and writes that a purge aborts, line control and modem status.
//
// Failures are reported the system's way: the call answers false and errno holds the cause
// (ECANCELED for an operation a purge aborted). SystemErrorText (platform/SystemText.h) gives
// the text of a cause.
//
// Threads: one thread may wait for events and read while another writes and a third sets the
// mask or purges; Open, SetState, SetTimeouts and Close belong to the owner's thread (Close only
// after the other threads have left the device).
#include <atomic>
#include <cstdint>
#include <QString>
#include <vector>

#include "platform/SystemText.h"

namespace platform {

// Event bits, as the system numbers them.
enum SerialEventBits : std::uint32_t {
    EvRxChar = 0x0001,
    EvRxFlag = 0x0002,
    EvTxEmpty = 0x0004,
    EvCts = 0x0008,
    EvDsr = 0x0010,
    EvRlsd = 0x0020,
    EvBreak = 0x0040,
    EvErr = 0x0080,
    EvRing = 0x0100,
    EvPerr = 0x0200,
    EvRx80Full = 0x0400,
    EvEvent1 = 0x0800,
    EvEvent2 = 0x1000,
};

// Purge flags, as the system numbers them.
enum SerialPurgeBits : unsigned {
    PurgeTxAbort = 0x1,
    PurgeRxAbort = 0x2,
    PurgeTxClear = 0x4,
    PurgeRxClear = 0x8,
};

// Modem status bits, as the system numbers them.
enum SerialModemBits : std::uint32_t {
    ModemCts = 0x10,
    ModemDsr = 0x20,
    ModemRing = 0x40,
    ModemRlsd = 0x80,
};

enum class DtrControl { Disable, Enable, Handshake };
enum class RtsControl { Disable, Enable, Handshake, Toggle };
enum class LineFunction { SetRts, ClearRts, SetDtr, ClearDtr, SetBreak, ClearBreak };

// The line settings record. Parity codes: 0 none, 1 odd, 2 even, 3 mark, 4 space. Stop-bit
// codes: 0 one, 1 one and a half, 2 two.
struct SerialState {
    std::uint32_t baudRate = 9600;
    std::uint8_t byteSize = 8;
    std::uint8_t parity = 0;
    std::uint8_t stopBits = 0;
    bool binary = true;
    bool parityCheck = false;
    bool outxCtsFlow = false;
    bool outxDsrFlow = false;
    DtrControl dtrControl = DtrControl::Enable;
    RtsControl rtsControl = RtsControl::Enable;
    bool outX = false;
    bool inX = false;
    std::uint16_t xonLim = 0;
    std::uint16_t xoffLim = 0;
    char xonChar = 0x11;
    char xoffChar = 0x13;
};

// What the line was last asked for: the kernel's flags and rate as handed to the terminal, and
// the modem lines held on. A terminal need not keep all of it (a pseudo-terminal stays at eight
// bits without parity whatever it is asked), so reading the settings back cannot tell this.
struct SerialLineRequest {
    std::uint32_t controlFlags = 0;
    std::uint32_t inputFlags = 0;
    std::uint32_t outputFlags = 0;
    std::uint32_t localFlags = 0;
    std::uint32_t baudRate = 0;
    bool dtrOn = false;
    bool rtsOn = false;
};

// Time-outs in milliseconds. A read waits at most readConstant + readMultiplier per byte for
// the whole count; a write at most writeConstant + writeMultiplier per byte. 0 for both parts
// of a side means no time-out on that side.
struct SerialTimeouts {
    std::uint32_t readInterval = 0;
    std::uint32_t readMultiplier = 0;
    std::uint32_t readConstant = 0;
    std::uint32_t writeMultiplier = 0;
    std::uint32_t writeConstant = 0;
};

class SerialDevice {
public:
    SerialDevice();
    ~SerialDevice();
    SerialDevice(const SerialDevice&) = delete;
    SerialDevice& operator=(const SerialDevice&) = delete;

    // Opens an existing device for reading and writing, shared with nobody. The terminal's
    // settings as found are kept, and Close puts them back: a line we held is left as we found
    // it, whatever was set meanwhile.
    bool Open(const QString& path);
    bool IsOpen() const { return fd_ >= 0; }
    int Handle() const { return fd_; }
    bool IsCharacterDevice() const;
    bool Close();

    // Chooses the reported events; any change releases a waiting WaitEvent (with no bits when
    // the new mask is 0).
    bool SetEventMask(std::uint32_t mask);
    // Blocks until an event of the mask occurs and answers its bits. Fails when the device has
    // gone away. While the mask is 0 it ends at once without events.
    bool WaitEvent(std::uint32_t& events);

    bool SetQueueSizes(unsigned inBytes, unsigned outBytes);
    bool SetTimeouts(const SerialTimeouts& timeouts);
    bool GetState(SerialState& state);
    bool SetState(const SerialState& state);
    // What SetState last asked of the terminal since Open.
    const SerialLineRequest& LastLineRequest() const { return lastRequest_; }

    // Aborts pending reads or writes and empties the driver's queues.
    bool Purge(unsigned flags);
    // Clears the error state; answers the bytes waiting in each queue.
    bool ClearError(unsigned* inQueue, unsigned* outQueue);

    // One read or write under the time-outs: transfers what it can and answers the count.
    bool Read(char* buffer, unsigned size, unsigned& transferred);
    bool Write(const char* buffer, unsigned size, unsigned& transferred);

    bool EscapeFunction(LineFunction function);
    bool GetModemStatus(std::uint32_t& status);

private:
    enum class Wait { Ready, Aborted, TimedOut, Failed };
    Wait WaitFor(short events, int abortFd, const std::atomic<unsigned>& generation,
                 unsigned startGeneration, long long deadlineMs);
    bool ApplyTermios(const SerialState& state);
    bool ReadTermios(SerialState& state);
    // The terminal's settings when it was opened, and putting them back (SerialTermios.cpp).
    void SaveTerminalSettings();
    void RestoreTerminalSettings();
    static void Signal(int eventFd);
    static void Drain(int eventFd);

    int fd_ = -1;
    int maskWakeFd_ = -1;  // a mask change or finished write for the event wait
    int rxAbortFd_ = -1;
    int txAbortFd_ = -1;
    std::atomic<std::uint32_t> mask_{0};
    std::atomic<unsigned> maskGeneration_{0};
    std::atomic<unsigned> rxAbortGeneration_{0};
    std::atomic<unsigned> txAbortGeneration_{0};
    std::atomic<bool> txPending_{false};
    // Receive bytes already reported by WaitEvent and not read yet, so that bytes nobody
    // reads are reported once, not on every wait.
    std::atomic<unsigned> rxReported_{0};
    std::atomic<std::uint32_t> lastModemStatus_{0};
    std::atomic<std::uint32_t> baudRate_{9600};
    SerialTimeouts timeouts_;
    unsigned queueIn_ = 4096;
    // Settings termios does not hold, kept as last set.
    SerialState cached_;
    SerialLineRequest lastRequest_;
    // The terminal's own settings as found at Open (a kernel termios2, kept as bytes so that
    // its header stays out of this one), and whether someone held it exclusive already.
    alignas(8) unsigned char foundSettings_[64] = {};
    bool haveFoundSettings_ = false;
    bool foundExclusive_ = false;
};

// Where the port list looks: the colon-separated paths tried first, the device folder and the
// kernel's tty class folder (which tells the onboard ports that have a UART).
struct SerialPortSources {
    QString listed;
    QString devRoot = QStringLiteral("/dev");
    QString ttyClassRoot = QStringLiteral("/sys/class/tty");
};
// The environment variable ZOLT_PORTS and this machine's folders.
SerialPortSources SystemSerialPortSources();

// Serial ports, in a stable order, at most maxCount, found without opening any of them: each
// listed path that is a character device, then ttyUSB*, ttyACM* and the ttyS* that have a UART
// behind them, each family in the order of its numbers.
std::vector<QString> SerialPortCandidates(const SerialPortSources& sources,
                                          std::size_t maxCount = 32);

}  // namespace platform
