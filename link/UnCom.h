#pragma once
// The serial port: opens a line, applies a settings record to it and, while it is open, runs an
// event thread that waits for line events and calls the owner's handlers on that thread, and a
// send thread that writes one buffer at a time. Failures are raised as ECommError.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <QString>
#include <thread>
#include <vector>

#include "platform/Exceptions.h"
#include "platform/SerialDevice.h"

enum TCommByteSize : std::uint8_t { eCmmBySz4, eCmmBySz5, eCmmBySz6, eCmmBySz7, eCmmBySz8 };
enum TCommParity : std::uint8_t {
    eCmmPrtyNone,
    eCmmPrtyOdd,
    eCmmPrtyEven,
    eCmmPrtyMark,
    eCmmPrtySpace
};
enum TCommStopBits : std::uint8_t { eCmmStpB1, eCmmStpB15, eCmmStpB2 };
enum TCommFlowCntrl : std::uint8_t {
    eCmmFlwXonXoff,
    eCmmFlwDtrDsr,
    eCmmFlwRtsCts,
    eCmmFlwHlfRtsOn,
    eCmmFlwHlfRtsOff
};
enum TCommDuplex : std::uint8_t { eCmmDplxFull, eCmmDplxHlfRtsOn, eCmmDplxHlfRtsOff };
// Member i stands for the line event bit 1 << i.
enum TCommEvent : std::uint8_t {
    eCmmEvRxChar,
    eCmmEvRxFlag,
    eCmmEvTxEmpty,
    eCmmEvCts,
    eCmmEvDsr,
    eCmmEvRlsd,
    eCmmEvBreak,
    eCmmEvErr,
    eCmmEvRing,
    eCmmEvPerr,
    eCmmEvRx80full,
    eCmmEvEvent1,
    eCmmEvEvent2
};

// A set of enumeration members kept as bits (bit = ordinal).
template <class Enum, class Bits>
class TCommSet {
public:
    constexpr TCommSet() = default;
    constexpr TCommSet(std::initializer_list<Enum> members)
    {
        for (const Enum member : members)
            bits_ |= Bit(member);
    }
    constexpr bool Contains(Enum member) const { return (bits_ & Bit(member)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr Bits ToBits() const { return bits_; }
    friend constexpr bool operator==(TCommSet, TCommSet) = default;

private:
    static constexpr Bits Bit(Enum member) { return static_cast<Bits>(1u << member); }
    Bits bits_ = 0;
};

using TCommFlowCntrls = TCommSet<TCommFlowCntrl, std::uint8_t>;
using TCommEvents = TCommSet<TCommEvent, std::uint16_t>;

// Line settings. A value-initialised record is all zero; TComm::DefaultCntrl gives the settings
// a new port starts with.
struct TCommCntrlRec {
    std::uint32_t nBoudRate = 0;
    TCommByteSize mByteSize = eCmmBySz4;
    TCommParity mParity = eCmmPrtyNone;
    TCommStopBits mStopBits = eCmmStpB1;
    TCommFlowCntrls mFlowCntrls;
    std::uint32_t nQueueIn = 0;
    std::uint32_t nQueueOut = 0;  // also the most one Write may hand over
    std::uint16_t nQueXonLim = 0;
    std::uint16_t nQueXoffLim = 0;
    TCommEvents Events;
};
using PCommCntrlRec = TCommCntrlRec*;

// Raised by the serial port; its message is the system's text of the failure or one of the
// port's own texts.
class ECommError : public platform::EPlatformError {
public:
    explicit ECommError(const QString& message, int systemError = 0)
        : EPlatformError(message), systemError_(systemError)
    {}
    // The system's error number behind the failure; 0 for the port's own texts.
    int SystemError() const { return systemError_; }

private:
    int systemError_;
};

// The line went away under the port (adapter pulled, other end closed): a hang-up or an I/O
// error. On the event thread it ends the thread and is reported through OnCommLost.
class ECommLineLost : public ECommError {
public:
    using ECommError::ECommError;
};

class TComm;
// Handlers run on the event thread (OnCommOpenPre on the caller's). The buffer of
// TCommRxNotifyEvent holds a NUL after its Size bytes and lives only during the call.
// OnCommLost (a TCommTxNotifyEvent) is called once when the line goes away while open; the
// event thread ends after it, and the port stays open until its owner closes it.
using TCommRxNotifyEvent = std::function<void(TComm* Sender, char* Buffer, unsigned Size)>;
using TCommTxNotifyEvent = std::function<void(TComm* Sender)>;
using TCommNotifyEvent = std::function<void(TComm* Sender, unsigned EventMask)>;
using TCommAuxNotifyEvent = std::function<void(TComm* Sender)>;

// Waits for line events and dispatches them while the port is open.
class TCommThread {
public:
    explicit TCommThread(TComm* Owner);
    ~TCommThread();  // asks the thread to end and waits for it
    TCommThread(const TCommThread&) = delete;
    TCommThread& operator=(const TCommThread&) = delete;

    void Terminate() { terminated_ = true; }

private:
    void Execute();
    template <class Call>
    void Dispatch(Call&& call);

    TComm* FComm;
    std::atomic<bool> terminated_{false};
    std::thread thread_;
};

// The one buffer of the send thread. The writer's thread fills the bytes and then publishes
// nLen; the send thread sets nLen back to 0 once they are written.
struct TCommSendBuf {
    std::unique_ptr<char[]> pBuffer;
    std::atomic<int> nLen{0};
    unsigned nBufSize = 0;
};

// Writes one buffer at a time, switching RTS around it in half duplex.
class TCommSendThread {
public:
    explicit TCommSendThread(TComm* Owner);
    ~TCommSendThread();  // waits for the thread, then releases its buffer
    TCommSendThread(const TCommSendThread&) = delete;
    TCommSendThread& operator=(const TCommSendThread&) = delete;

    // Takes a copy of the bytes; false while the previous buffer is still being written.
    bool PutBuff(const char* Buffer, unsigned Size);
    // The transmit queue ran empty (from the event thread).
    void TxDone();
    void Terminate();
    // Wakes the thread and waits at most 1000 ms for it to end; when it did, releases the
    // buffer at once.
    void TerminatePost();
    bool Busy() const { return FrBuf.nLen.load(std::memory_order_acquire) != 0; }

private:
    void Execute();
    void WriteBuffer();
    void AwaitTransmitEmpty();

    TComm* FComm;
    TCommSendBuf FrBuf;
    std::uint16_t FnSeq = 0;
    bool FbWTxDn = false;  // guarded by mutex_
    bool txDone_ = false;  // guarded by mutex_: a transmit-empty came since the write began
    std::mutex mutex_;
    std::condition_variable wake_;
    std::atomic<bool> terminated_{false};
    bool finished_ = false;  // guarded by mutex_
    std::thread thread_;
};

class TComm {
public:
    TComm();
    virtual ~TComm();
    TComm(const TComm&) = delete;
    TComm& operator=(const TComm&) = delete;

    // The settings a new port takes: 9600 8N1, RTS/CTS flow, 4096-byte queues.
    static TCommCntrlRec DefaultCntrl();

    void Open(PCommCntrlRec APRec, const QString& AComName);
    void Close();
    bool HandleCheck(bool ASysEr);

    virtual bool Write(const char* Buffer, unsigned Size);
    virtual int Read(char* Buffer, unsigned Size);
    virtual void DoCommReceive();
    virtual void DoCommTransmit();
    virtual void DoCommEvent(unsigned EventMask);

    unsigned EventsToMask(TCommEvents Events) const;
    bool SetDcb();

    // Properties.
    int Handle() const { return FPort.Handle(); }
    const QString& CommName() const { return FCommName; }
    TCommDuplex Duplex() const { return FmDuplex.load(); }
    const TCommCntrlRec& Cntrl() const { return FrCntrl; }
    // The line device, and with it the settings the port last asked of the line.
    const platform::SerialDevice& Device() const { return FPort; }
    std::uint32_t BaudRate() const { return FrCntrl.nBoudRate; }
    TCommByteSize ByteSize() const { return FrCntrl.mByteSize; }
    TCommParity Parity() const { return FrCntrl.mParity; }
    TCommStopBits StopBits() const { return FrCntrl.mStopBits; }
    TCommFlowCntrls FlowControls() const { return FrCntrl.mFlowCntrls; }
    std::uint32_t QueueIn() const { return FrCntrl.nQueueIn; }
    std::uint32_t QueueOut() const { return FrCntrl.nQueueOut; }
    std::uint16_t QueXonLim() const { return FrCntrl.nQueXonLim; }
    std::uint16_t QueXoffLim() const { return FrCntrl.nQueXoffLim; }
    TCommEvents Events() const { return FrCntrl.Events; }
    // True while the send thread still holds a buffer (a Write now would be refused).
    bool Sending() const;

    void SetBaudRate(std::uint32_t Value);
    void SetByteSize(TCommByteSize Value);
    void SetParity(TCommParity Value);
    void SetStopBits(TCommStopBits Value);
    void SetQueXonLim(std::uint16_t Value);
    void SetQueXoffLim(std::uint16_t Value);
    void SetFlowControls(TCommFlowCntrls Value);

    int Getch();
    bool Puts(const QString& Str);
    bool Putch(char Data);
    void SetBreak(bool AOn);
    void SendBreak(unsigned AMSec);
    void SetDtr(bool Dtr);
    void SetRts(bool Rts);
    unsigned GetModemStatus();
    bool isDsr();
    bool isCts();
    bool isRing();
    bool isRlsd();
    void RxPurge();
    void TxPurge();

    TCommAuxNotifyEvent OnCommOpenPre;
    TCommRxNotifyEvent OnCommReceive;
    TCommTxNotifyEvent OnCommTransmit;
    TCommNotifyEvent OnCommEvent;
    TCommTxNotifyEvent OnCommLost;

private:
    friend class TCommThread;
    friend class TCommSendThread;
    // Raises ECommError with the system's text of error; ECommLineLost for the errors of a
    // line that went away.
    [[noreturn]] static void RaiseSystemError(int error);
    // The event thread found the line gone (Sender: this).
    void DoCommLost();
    // Applies the settings after a change of one of them.
    void Changed();

    platform::SerialDevice FPort;
    QString FCommName;
    TCommCntrlRec FrCntrl;
    std::atomic<TCommDuplex> FmDuplex{eCmmDplxFull};  // read by the send thread
    unsigned FEventMask = 0;
    std::unique_ptr<TCommThread> FCommThread;
    std::unique_ptr<TCommSendThread> FSendThread;
    std::vector<char> FRxBuffer;  // the event thread's read buffer, kept between deliveries
};
