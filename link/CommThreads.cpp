// The serial port's two threads: the event thread and the send thread.
#include <cerrno>
#include <chrono>
#include <cstring>
#include <sys/resource.h>
#include <unistd.h>

#include "link/UnCom.h"

namespace {

// Moves the calling thread's scheduling priority by steps (negative: more urgent). Raising it
// needs privileges a user may not have; the thread then runs at the normal priority.
void AdjustPriority(int steps)
{
    const auto self = static_cast<id_t>(::gettid());
    errno = 0;
    const int current = ::getpriority(PRIO_PROCESS, self);
    if (errno == 0)
        ::setpriority(PRIO_PROCESS, self, current + steps);
}

}  // namespace

TCommThread::TCommThread(TComm* Owner) : FComm(Owner), thread_([this] { Execute(); }) {}

TCommThread::~TCommThread()
{
    terminated_ = true;
    if (thread_.joinable())
        thread_.join();
}

template <class Call>
void TCommThread::Dispatch(Call&& call)
{
    try {
        call();
    } catch (const ECommLineLost&) {
        throw;  // ends the thread: see Execute
    } catch (const std::exception& error) {
        // A failure caused by the port closing under the handler is no news to anyone.
        if (!terminated_)
            platform::ShowException(error);
    }
}

void TCommThread::Execute()
{
    AdjustPriority(-1);
    try {
        while (!terminated_) {
            std::uint32_t mask = 0;
            if (!FComm->FPort.WaitEvent(mask))
                throw ECommLineLost(platform::SystemErrorText(errno));
            if (mask & platform::EvRxChar)
                Dispatch([this] { FComm->DoCommReceive(); });
            if (mask & platform::EvTxEmpty)
                Dispatch([this] { FComm->DoCommTransmit(); });
            if (mask & ~static_cast<std::uint32_t>(platform::EvRxChar | platform::EvTxEmpty))
                Dispatch([this, mask] { FComm->DoCommEvent(mask); });
        }
    } catch (const ECommLineLost&) {
        // The line went away (adapter pulled, other end closed): the owner hears of it once,
        // unless it is closing the port anyway, and the thread ends instead of spinning on the
        // hang-up. No further events are handled.
        if (!terminated_)
            Dispatch([this] { FComm->DoCommLost(); });
    }
}

TCommSendThread::TCommSendThread(TComm* Owner) : FComm(Owner)
{
    FrBuf.nBufSize = Owner->FrCntrl.nQueueOut;
    FrBuf.pBuffer = std::make_unique<char[]>(FrBuf.nBufSize ? FrBuf.nBufSize : 1);
    thread_ = std::thread([this] { Execute(); });
}

TCommSendThread::~TCommSendThread()
{
    Terminate();
    if (thread_.joinable())
        thread_.join();
    FrBuf.pBuffer.reset();
}

void TCommSendThread::Terminate()
{
    {
        std::lock_guard lock(mutex_);
        terminated_ = true;
    }
    wake_.notify_all();
}

void TCommSendThread::TerminatePost()
{
    Terminate();
    std::unique_lock lock(mutex_);
    const bool ended =
        wake_.wait_for(lock, std::chrono::milliseconds(1000), [this] { return finished_; });
    lock.unlock();
    if (ended) {
        thread_.join();
        FrBuf.pBuffer.reset();
    }
    // Otherwise the destructor waits for the thread before it releases the buffer.
}

bool TCommSendThread::PutBuff(const char* Buffer, unsigned Size)
{
    if (Size == 0)
        return true;
    if (FrBuf.nLen.load(std::memory_order_acquire) != 0)
        return false;
    if (Size > FrBuf.nBufSize)
        throw ECommError(QStringLiteral("送信データが長すぎます."));
    std::memcpy(FrBuf.pBuffer.get(), Buffer, Size);
    {
        std::lock_guard lock(mutex_);
        FrBuf.nLen.store(static_cast<int>(Size), std::memory_order_release);
    }
    wake_.notify_all();
    return true;
}

void TCommSendThread::TxDone()
{
    {
        std::lock_guard lock(mutex_);
        txDone_ = true;
        if (!FbWTxDn)
            return;
    }
    wake_.notify_all();
}

void TCommSendThread::WriteBuffer()
{
    auto& port = FComm->FPort;
    if (FComm->FmDuplex == eCmmDplxHlfRtsOn)
        port.EscapeFunction(platform::LineFunction::SetRts);
    else if (FComm->FmDuplex == eCmmDplxHlfRtsOff)
        port.EscapeFunction(platform::LineFunction::ClearRts);
    {
        std::lock_guard lock(mutex_);
        txDone_ = false;  // only a transmit-empty after this write counts
    }
    unsigned offset = 0;
    int left = FrBuf.nLen.load(std::memory_order_acquire);
    while (!terminated_ && left > 0) {
        unsigned written = 0;
        if (!port.Write(FrBuf.pBuffer.get() + offset, static_cast<unsigned>(left), written)) {
            if (errno == ECANCELED)
                break;  // the purge of Close: not an error
            throw ECommError(platform::SystemErrorText(errno));
        }
        offset += written;
        left -= static_cast<int>(written);
    }
    FrBuf.nLen.store(0, std::memory_order_release);
}

void TCommSendThread::AwaitTransmitEmpty()
{
    const TCommDuplex duplex = FComm->FmDuplex;
    if (duplex == eCmmDplxFull)
        return;
    {
        std::unique_lock lock(mutex_);
        FbWTxDn = true;
        wake_.wait(lock, [this] { return terminated_ || txDone_; });
        FbWTxDn = false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (duplex == eCmmDplxHlfRtsOn)
        FComm->FPort.EscapeFunction(platform::LineFunction::ClearRts);
    else
        FComm->FPort.EscapeFunction(platform::LineFunction::SetRts);
}

void TCommSendThread::Execute()
{
    AdjustPriority(1);
    try {
        while (!terminated_) {
            switch (FnSeq) {
            case 0: {
                std::unique_lock lock(mutex_);
                wake_.wait(lock, [this] {
                    return terminated_ || FrBuf.nLen.load(std::memory_order_acquire) != 0;
                });
                if (!terminated_)
                    FnSeq = 1;
                break;
            }
            case 1:
                WriteBuffer();
                FnSeq = 2;
                break;
            case 2:
                AwaitTransmitEmpty();
                FnSeq = 3;
                break;
            default: FnSeq = 0; break;
            }
        }
    } catch (const ECommError&) {
        // A failed write ends the thread; the buffer stays taken, so later writes are refused.
    }
    {
        std::lock_guard lock(mutex_);
        finished_ = true;
    }
    wake_.notify_all();
}
