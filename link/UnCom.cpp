#include "link/UnCom.h"

#include <cerrno>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include "platform/Cp932.h"

using platform::LineFunction;

TComm::TComm() : FCommName(QStringLiteral("COM1")), FrCntrl(DefaultCntrl()) {}

TComm::~TComm()
{
    try {
        Close();
    } catch (const ECommError&) {
        // A destructor cannot report; the handle is gone either way.
    }
}

TCommCntrlRec TComm::DefaultCntrl()
{
    TCommCntrlRec record;
    record.nBoudRate = 9600;
    record.mByteSize = eCmmBySz8;
    record.mParity = eCmmPrtyNone;
    record.mStopBits = eCmmStpB1;
    record.mFlowCntrls = {eCmmFlwRtsCts};
    record.nQueueIn = 4096;
    record.nQueueOut = 4096;
    record.nQueXonLim = 1027;
    record.nQueXoffLim = 3072;
    record.Events = {};
    return record;
}

void TComm::RaiseSystemError(int error)
{
    const QString text = platform::SystemErrorText(error);
    if (error == EIO || error == ENXIO || error == ENODEV)
        throw ECommLineLost(text, error);
    throw ECommError(text, error);
}

bool TComm::HandleCheck(bool ASysEr)
{
    if (FPort.IsOpen())
        return true;
    if (ASysEr)
        throw ECommError(FCommName + QStringLiteral(" is not Open."));
    return false;
}

unsigned TComm::EventsToMask(TCommEvents Events) const
{
    return Events.ToBits();
}

void TComm::Open(PCommCntrlRec APRec, const QString& AComName)
{
    if (HandleCheck(false))
        return;
    if (OnCommOpenPre)
        OnCommOpenPre(this);
    if (APRec)
        FrCntrl = *APRec;
    FCommName = AComName;
    // The write time-out below divides by the rate: a record without one opens nothing.
    if (FrCntrl.nBoudRate == 0)
        throw ECommError(QStringLiteral("Invalid BaudRate"));

    if (!FPort.Open(FCommName))
        RaiseSystemError(errno);
    if (!FPort.IsCharacterDevice()) {
        FPort.Close();
        throw ECommError(FCommName + QStringLiteral(" is not Comm device."));
    }

    FEventMask = EventsToMask(FrCntrl.Events);
    const unsigned bitsPerChar = FrCntrl.mByteSize + 8u;  // data bits + 4
    platform::SerialTimeouts timeouts;
    timeouts.readInterval = UINT32_MAX;
    timeouts.readMultiplier = 0;
    timeouts.readConstant = 1000;
    timeouts.writeMultiplier = static_cast<std::uint32_t>(
        (bitsPerChar * 1000ull + FrCntrl.nBoudRate - 1) / FrCntrl.nBoudRate);
    timeouts.writeConstant = 1000;
    using namespace platform;
    const bool ready = FPort.SetEventMask(FEventMask | EvRxChar | EvTxEmpty) &&
                       FPort.SetQueueSizes(FrCntrl.nQueueIn, FrCntrl.nQueueOut) &&
                       FPort.Purge(PurgeTxAbort | PurgeRxAbort | PurgeTxClear | PurgeRxClear) &&
                       FPort.SetTimeouts(timeouts) && SetDcb();
    if (!ready) {
        const int error = errno;
        FPort.Close();
        RaiseSystemError(error);
    }

    // The send thread stands before the event thread runs, which may hand it a transmit-empty
    // at once.
    FSendThread = std::make_unique<TCommSendThread>(this);
    FCommThread = std::make_unique<TCommThread>(this);
}

void TComm::Close()
{
    if (!HandleCheck(false))
        return;
    FCommThread->Terminate();
    FSendThread->Terminate();
    using namespace platform;
    FPort.SetEventMask(0);  // releases the event thread's wait
    // Ends a pending write as aborted, which the send thread takes quietly.
    FPort.Purge(PurgeTxAbort | PurgeRxAbort | PurgeTxClear | PurgeRxClear);
    FSendThread->TerminatePost();
    FCommThread.reset();
    FSendThread.reset();
    if (!FPort.Close())
        RaiseSystemError(errno);
}

bool TComm::Write(const char* Buffer, unsigned Size)
{
    HandleCheck(true);
    return FSendThread->PutBuff(Buffer, Size);
}

bool TComm::Sending() const
{
    return FSendThread && FSendThread->Busy();
}

int TComm::Read(char* Buffer, unsigned Size)
{
    if (!HandleCheck(false))
        return 0;
    FPort.ClearError(nullptr, nullptr);
    unsigned total = 0;
    while (total < Size) {
        unsigned got = 0;
        if (!FPort.Read(Buffer + total, Size - total, got))
            RaiseSystemError(errno);
        // A whole read time-out without a byte: nothing more is coming now.
        if (got == 0)
            break;
        total += got;
    }
    return static_cast<int>(total);
}

void TComm::DoCommReceive()
{
    if (!HandleCheck(false))
        return;
    unsigned waiting = 0;
    if (!FPort.ClearError(&waiting, nullptr))
        RaiseSystemError(errno);
    if (waiting > 0 && OnCommReceive) {
        // One buffer kept for all deliveries: it only grows, so a steady stream allocates once.
        if (FRxBuffer.size() < waiting + 1)
            FRxBuffer.resize(waiting + 1);
        const int got = Read(FRxBuffer.data(), waiting);
        FRxBuffer[static_cast<unsigned>(got)] = '\0';
        OnCommReceive(this, FRxBuffer.data(), static_cast<unsigned>(got));
    }
    FPort.ClearError(nullptr, nullptr);
}

void TComm::DoCommTransmit()
{
    if (!HandleCheck(false))
        return;
    FSendThread->TxDone();
    if (OnCommTransmit)
        OnCommTransmit(this);
}

void TComm::DoCommLost()
{
    if (OnCommLost)
        OnCommLost(this);
}

void TComm::DoCommEvent(unsigned EventMask)
{
    if (!HandleCheck(false))
        return;
    if (OnCommEvent)
        OnCommEvent(this, EventMask & FEventMask);
}

bool TComm::SetDcb()
{
    if (!HandleCheck(false))
        return false;
    platform::SerialState dcb;
    if (!FPort.GetState(dcb))
        return false;
    using platform::DtrControl;
    using platform::RtsControl;
    dcb.baudRate = FrCntrl.nBoudRate;
    dcb.byteSize = static_cast<std::uint8_t>(FrCntrl.mByteSize + 4);
    dcb.parity = FrCntrl.mParity;
    dcb.stopBits = FrCntrl.mStopBits;
    dcb.xonLim = FrCntrl.nQueXonLim;
    dcb.xoffLim = static_cast<std::uint16_t>(FrCntrl.nQueueIn - FrCntrl.nQueXoffLim);
    dcb.xonChar = 0x11;
    dcb.xoffChar = 0x13;

    const TCommFlowCntrls flow = FrCntrl.mFlowCntrls;
    dcb.outxCtsFlow = false;
    dcb.outxDsrFlow = false;
    dcb.outX = false;
    dcb.inX = false;
    if (flow.Contains(eCmmFlwXonXoff)) {
        dcb.outX = true;
        dcb.inX = true;
    }
    if (flow.Contains(eCmmFlwDtrDsr)) {
        dcb.dtrControl = DtrControl::Handshake;
        dcb.outxDsrFlow = true;
    } else {
        dcb.dtrControl = DtrControl::Enable;
    }
    if (flow.Contains(eCmmFlwRtsCts)) {
        dcb.rtsControl = RtsControl::Handshake;
        dcb.outxCtsFlow = true;
    } else if (flow.Contains(eCmmFlwHlfRtsOn)) {
        dcb.rtsControl = RtsControl::Disable;
    } else if (flow.Contains(eCmmFlwHlfRtsOff)) {
        dcb.rtsControl = RtsControl::Enable;
        dcb.outxCtsFlow = true;
    } else {
        dcb.rtsControl = RtsControl::Enable;
    }
    dcb.binary = true;
    dcb.parityCheck = true;
    return FPort.SetState(dcb);
}

void TComm::Changed()
{
    SetDcb();
}

void TComm::SetBaudRate(std::uint32_t Value)
{
    if (Value == 0)
        throw ECommError(QStringLiteral("Invalid BaudRate"));
    if (Value != FrCntrl.nBoudRate) {
        FrCntrl.nBoudRate = Value;
        Changed();
    }
}

void TComm::SetByteSize(TCommByteSize Value)
{
    if (Value != FrCntrl.mByteSize) {
        FrCntrl.mByteSize = Value;
        Changed();
    }
}

void TComm::SetParity(TCommParity Value)
{
    if (Value != FrCntrl.mParity) {
        FrCntrl.mParity = Value;
        Changed();
    }
}

void TComm::SetStopBits(TCommStopBits Value)
{
    if (Value != FrCntrl.mStopBits) {
        FrCntrl.mStopBits = Value;
        Changed();
    }
}

void TComm::SetQueXonLim(std::uint16_t Value)
{
    if (Value != FrCntrl.nQueXonLim) {
        FrCntrl.nQueXonLim = Value;
        Changed();
    }
}

void TComm::SetQueXoffLim(std::uint16_t Value)
{
    if (Value != FrCntrl.nQueXoffLim) {
        FrCntrl.nQueXoffLim = Value;
        Changed();
    }
}

void TComm::SetFlowControls(TCommFlowCntrls Value)
{
    if (Value == FrCntrl.mFlowCntrls)
        return;
    FrCntrl.mFlowCntrls = Value;
    if (Value.Contains(eCmmFlwRtsCts))
        FmDuplex = eCmmDplxFull;
    else if (Value.Contains(eCmmFlwHlfRtsOn))
        FmDuplex = eCmmDplxHlfRtsOn;
    else if (Value.Contains(eCmmFlwHlfRtsOff))
        FmDuplex = eCmmDplxHlfRtsOff;
    else
        FmDuplex = eCmmDplxFull;
    Changed();
}

int TComm::Getch()
{
    char byte = 0;
    return Read(&byte, 1) == 1 ? static_cast<unsigned char>(byte) : -1;
}

bool TComm::Puts(const QString& Str)
{
    // Text goes on the line in the tool's 8-bit code page, as all its protocol text does.
    const std::string bytes = platform::ToCp932(Str);
    return Write(bytes.data(), static_cast<unsigned>(bytes.size()));
}

bool TComm::Putch(char Data)
{
    return Write(&Data, 1);
}

void TComm::SetBreak(bool AOn)
{
    HandleCheck(true);
    if (!FPort.EscapeFunction(AOn ? LineFunction::SetBreak : LineFunction::ClearBreak))
        RaiseSystemError(errno);
}

void TComm::SendBreak(unsigned AMSec)
{
    HandleCheck(true);
    SetBreak(true);
    // The application keeps handling its events meanwhile.
    const QDeadlineTimer deadline(AMSec);
    while (!deadline.hasExpired()) {
        if (QCoreApplication::instance() &&
            QThread::currentThread() == QCoreApplication::instance()->thread())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(std::min<qint64>(5, std::max<qint64>(1, deadline.remainingTime())));
    }
    SetBreak(false);
}

void TComm::SetDtr(bool Dtr)
{
    if (HandleCheck(false) && !FrCntrl.mFlowCntrls.Contains(eCmmFlwDtrDsr))
        FPort.EscapeFunction(Dtr ? LineFunction::SetDtr : LineFunction::ClearDtr);
}

void TComm::SetRts(bool Rts)
{
    if (HandleCheck(false) && !FrCntrl.mFlowCntrls.Contains(eCmmFlwRtsCts))
        FPort.EscapeFunction(Rts ? LineFunction::SetRts : LineFunction::ClearRts);
}

unsigned TComm::GetModemStatus()
{
    std::uint32_t status = 0;
    if (!HandleCheck(false) || !FPort.GetModemStatus(status))
        return 0;
    return status;
}

bool TComm::isDsr()
{
    return (GetModemStatus() & platform::ModemDsr) != 0;
}
bool TComm::isCts()
{
    return (GetModemStatus() & platform::ModemCts) != 0;
}
bool TComm::isRing()
{
    return (GetModemStatus() & platform::ModemRing) != 0;
}
bool TComm::isRlsd()
{
    return (GetModemStatus() & platform::ModemRlsd) != 0;
}

void TComm::RxPurge()
{
    if (HandleCheck(false) && !FPort.Purge(platform::PurgeRxAbort | platform::PurgeRxClear))
        RaiseSystemError(errno);
}

void TComm::TxPurge()
{
    if (HandleCheck(false) && !FPort.Purge(platform::PurgeTxAbort | platform::PurgeTxClear))
        RaiseSystemError(errno);
}
