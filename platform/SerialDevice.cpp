#include "platform/SerialDevice.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <QFile>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace platform {
namespace {

long long NowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// A deadline for a transfer of size bytes; -1 waits without limit.
long long Deadline(std::uint32_t constant, std::uint32_t multiplier, unsigned size)
{
    if (constant == 0 && multiplier == 0)
        return -1;
    return NowMs() + constant + static_cast<long long>(multiplier) * size;
}

// While bytes wait that nobody has read, readiness cannot tell new bytes from old ones: the
// event wait then looks again after this many milliseconds instead of spinning.
constexpr int UnreadRecheckMs = 10;
// Modem lines have no readiness to wait on: they are sampled while their events are asked for.
constexpr int ModemSampleMs = 20;

}  // namespace

SerialDevice::SerialDevice() = default;

SerialDevice::~SerialDevice()
{
    if (IsOpen())
        Close();
}

bool SerialDevice::Open(const QString& path)
{
    if (IsOpen()) {
        errno = EBUSY;
        return false;
    }
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    // Nobody else may use the line while we hold it: the terminal's exclusive mode keeps other
    // users out, the lock keeps out another holder with the rights to pass that mode.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        errno = EBUSY;
        return false;
    }
    int exclusive = 0;
    foundExclusive_ = ::ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive != 0;
    ::ioctl(fd, TIOCEXCL);
    maskWakeFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    rxAbortFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    txAbortFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (maskWakeFd_ < 0 || rxAbortFd_ < 0 || txAbortFd_ < 0) {
        const int error = errno;
        fd_ = fd;
        Close();
        errno = error;
        return false;
    }
    fd_ = fd;
    SaveTerminalSettings();
    mask_ = 0;
    txPending_ = false;
    rxReported_ = 0;
    lastModemStatus_ = 0;
    timeouts_ = {};
    cached_ = {};
    lastRequest_ = {};
    return true;
}

bool SerialDevice::IsCharacterDevice() const
{
    struct stat info {};
    return IsOpen() && ::fstat(fd_, &info) == 0 && S_ISCHR(info.st_mode);
}

bool SerialDevice::Close()
{
    if (!IsOpen())
        return true;
    for (int* wake : {&maskWakeFd_, &rxAbortFd_, &txAbortFd_}) {
        if (*wake >= 0)
            ::close(*wake);
        *wake = -1;
    }
    // A line that went away refuses this; there is nothing left to put back then.
    RestoreTerminalSettings();
    // The exclusive mode belongs to the terminal, not to this descriptor: give it back, or a
    // later open of the same line is refused while someone else still holds it open.
    if (!foundExclusive_)
        ::ioctl(fd_, TIOCNXCL);
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0;
}

void SerialDevice::Signal(int eventFd)
{
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto written = ::write(eventFd, &one, sizeof one);
}

void SerialDevice::Drain(int eventFd)
{
    std::uint64_t count = 0;
    [[maybe_unused]] const auto read = ::read(eventFd, &count, sizeof count);
}

bool SerialDevice::SetEventMask(std::uint32_t mask)
{
    if (!IsOpen()) {
        errno = EBADF;
        return false;
    }
    mask_ = mask;
    ++maskGeneration_;
    Signal(maskWakeFd_);
    return true;
}

bool SerialDevice::WaitEvent(std::uint32_t& events)
{
    events = 0;
    if (!IsOpen()) {
        errno = EBADF;
        return false;
    }
    const unsigned generation = maskGeneration_.load();
    for (;;) {
        const std::uint32_t mask = mask_.load();
        // Nothing can be waited for: the wait ends without events, also when the mask was
        // cleared before it began (a closing port racing its event thread into the wait), which
        // would otherwise block for good.
        if (mask == 0)
            return true;
        std::uint32_t found = 0;
        int timeoutMs = -1;
        bool waitForInput = false;
        int waiting = 0;
        if (::ioctl(fd_, FIONREAD, &waiting) != 0)
            return false;
        const auto available = static_cast<unsigned>(waiting);
        unsigned reported = rxReported_.load();
        if (available > reported) {
            if (mask & EvRxChar)
                found |= EvRxChar;
            if ((mask & EvRx80Full) && available >= queueIn_ / 10 * 8)
                found |= EvRx80Full;
            rxReported_ = available;
        } else if (available < reported) {
            rxReported_ = available;
        }
        if (available == 0)
            waitForInput = (mask & (EvRxChar | EvRx80Full)) != 0;
        else
            timeoutMs = UnreadRecheckMs;

        if ((mask & EvTxEmpty) && txPending_) {
            int outQueue = 0;
            if (::ioctl(fd_, TIOCOUTQ, &outQueue) != 0 || outQueue == 0) {
                txPending_ = false;
                found |= EvTxEmpty;
            } else {
                // Look again when about half of what waits should have gone out.
                const long long bitsPerSecond = baudRate_.load() ? baudRate_.load() : 9600;
                const long long halfMs = outQueue * 10000LL / bitsPerSecond / 2;
                timeoutMs = static_cast<int>(std::clamp(halfMs, 1LL, 100LL));
            }
        }
        constexpr std::uint32_t modemEvents = EvCts | EvDsr | EvRlsd | EvRing;
        if (mask & modemEvents) {
            std::uint32_t status = 0;
            if (GetModemStatus(status)) {
                const std::uint32_t changed = status ^ lastModemStatus_.exchange(status);
                if (changed & ModemCts)
                    found |= mask & EvCts;
                if (changed & ModemDsr)
                    found |= mask & EvDsr;
                if (changed & ModemRlsd)
                    found |= mask & EvRlsd;
                if ((changed & ModemRing) && (status & ModemRing))
                    found |= mask & EvRing;
                if (timeoutMs < 0 || timeoutMs > ModemSampleMs)
                    timeoutMs = ModemSampleMs;
            }
        }
        if (found != 0) {
            events = found;
            return true;
        }

        pollfd fds[2] = {{fd_, static_cast<short>(waitForInput ? POLLIN : 0), 0},
                         {maskWakeFd_, POLLIN, 0}};
        const int ready = ::poll(fds, 2, timeoutMs);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (fds[1].revents & POLLIN) {
            Drain(maskWakeFd_);
            if (maskGeneration_.load() != generation)
                return true;  // released by a mask change: no events
        }
        if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) {
            // The line went away (adapter pulled, other end closed). Bytes it left behind are
            // still reported; after them the wait fails instead of spinning on the hang-up.
            int waiting = 0;
            if (::ioctl(fd_, FIONREAD, &waiting) != 0)
                return false;
            if (waiting <= 0 || static_cast<unsigned>(waiting) <= rxReported_.load() ||
                !(mask & EvRxChar)) {
                errno = EIO;
                return false;
            }
        }
    }
}

bool SerialDevice::SetQueueSizes(unsigned inBytes, unsigned outBytes)
{
    if (!IsOpen()) {
        errno = EBADF;
        return false;
    }
    // The driver's buffers have fixed sizes here; the receive size still sets the 80% mark.
    (void)outBytes;
    queueIn_ = inBytes;
    return true;
}

bool SerialDevice::SetTimeouts(const SerialTimeouts& timeouts)
{
    if (!IsOpen()) {
        errno = EBADF;
        return false;
    }
    timeouts_ = timeouts;
    return true;
}

bool SerialDevice::GetState(SerialState& state)
{
    if (!IsOpen()) {
        errno = EBADF;
        return false;
    }
    return ReadTermios(state);
}

bool SerialDevice::SetState(const SerialState& state)
{
    if (!IsOpen()) {
        errno = EBADF;
        return false;
    }
    return ApplyTermios(state);
}

bool SerialDevice::Purge(unsigned flags)
{
    if (!IsOpen()) {
        errno = EBADF;
        return false;
    }
    if (flags & PurgeTxAbort) {
        ++txAbortGeneration_;
        Signal(txAbortFd_);
    }
    if (flags & PurgeRxAbort) {
        ++rxAbortGeneration_;
        Signal(rxAbortFd_);
    }
    const bool clearTx = flags & PurgeTxClear;
    const bool clearRx = flags & PurgeRxClear;
    if (clearTx || clearRx) {
        const int queue = clearTx && clearRx ? TCIOFLUSH : clearTx ? TCOFLUSH : TCIFLUSH;
        if (::tcflush(fd_, queue) != 0)
            return false;
        if (clearRx)
            rxReported_ = 0;
    }
    return true;
}

bool SerialDevice::ClearError(unsigned* inQueue, unsigned* outQueue)
{
    if (!IsOpen()) {
        errno = EBADF;
        return false;
    }
    int waitingIn = 0;
    if (::ioctl(fd_, FIONREAD, &waitingIn) != 0)
        return false;
    int waitingOut = 0;
    if (::ioctl(fd_, TIOCOUTQ, &waitingOut) != 0)
        waitingOut = 0;
    if (inQueue)
        *inQueue = static_cast<unsigned>(waitingIn);
    if (outQueue)
        *outQueue = static_cast<unsigned>(waitingOut);
    return true;
}

SerialDevice::Wait SerialDevice::WaitFor(short events, int abortFd,
                                         const std::atomic<unsigned>& generation,
                                         unsigned startGeneration, long long deadlineMs)
{
    for (;;) {
        int timeoutMs = -1;
        if (deadlineMs >= 0) {
            const long long left = deadlineMs - NowMs();
            if (left <= 0)
                return Wait::TimedOut;
            timeoutMs = static_cast<int>(left);
        }
        pollfd fds[2] = {{fd_, events, 0}, {abortFd, POLLIN, 0}};
        const int ready = ::poll(fds, 2, timeoutMs);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            return Wait::Failed;
        }
        if (fds[1].revents & POLLIN) {
            Drain(abortFd);
            if (generation.load() != startGeneration)
                return Wait::Aborted;
        }
        if (fds[0].revents)
            return Wait::Ready;
    }
}

bool SerialDevice::Read(char* buffer, unsigned size, unsigned& transferred)
{
    transferred = 0;
    if (!IsOpen()) {
        errno = EBADF;
        return false;
    }
    const unsigned startGeneration = rxAbortGeneration_.load();
    const long long deadline = Deadline(timeouts_.readConstant, timeouts_.readMultiplier, size);
    while (transferred < size) {
        const ssize_t got = ::read(fd_, buffer + transferred, size - transferred);
        if (got > 0) {
            transferred += static_cast<unsigned>(got);
            unsigned reported = rxReported_.load();
            const unsigned taken = static_cast<unsigned>(got);
            while (!rxReported_.compare_exchange_weak(reported,
                                                      reported > taken ? reported - taken : 0)) {}
            continue;
        }
        if (got == 0) {  // a hung-up terminal reads as end of file
            errno = EIO;
            return false;
        }
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN)
            return false;
        switch (WaitFor(POLLIN, rxAbortFd_, rxAbortGeneration_, startGeneration, deadline)) {
        case Wait::Ready: break;
        case Wait::TimedOut: return true;
        case Wait::Aborted: errno = ECANCELED; return false;
        case Wait::Failed: return false;
        }
    }
    return true;
}

bool SerialDevice::Write(const char* buffer, unsigned size, unsigned& transferred)
{
    transferred = 0;
    if (!IsOpen()) {
        errno = EBADF;
        return false;
    }
    const unsigned startGeneration = txAbortGeneration_.load();
    const long long deadline = Deadline(timeouts_.writeConstant, timeouts_.writeMultiplier, size);
    while (transferred < size) {
        if (txAbortGeneration_.load() != startGeneration) {
            errno = ECANCELED;
            return false;
        }
        const ssize_t put = ::write(fd_, buffer + transferred, size - transferred);
        if (put > 0) {
            transferred += static_cast<unsigned>(put);
            txPending_ = true;
            Signal(maskWakeFd_);  // the event wait looks for the queue running empty
            continue;
        }
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 0 && errno != EAGAIN)
            return false;
        switch (WaitFor(POLLOUT, txAbortFd_, txAbortGeneration_, startGeneration, deadline)) {
        case Wait::Ready: break;
        case Wait::TimedOut: return true;
        case Wait::Aborted: errno = ECANCELED; return false;
        case Wait::Failed: return false;
        }
    }
    return true;
}

bool SerialDevice::EscapeFunction(LineFunction function)
{
    if (!IsOpen()) {
        errno = EBADF;
        return false;
    }
    int rts = TIOCM_RTS;
    int dtr = TIOCM_DTR;
    switch (function) {
    case LineFunction::SetRts: return ::ioctl(fd_, TIOCMBIS, &rts) == 0;
    case LineFunction::ClearRts: return ::ioctl(fd_, TIOCMBIC, &rts) == 0;
    case LineFunction::SetDtr: return ::ioctl(fd_, TIOCMBIS, &dtr) == 0;
    case LineFunction::ClearDtr: return ::ioctl(fd_, TIOCMBIC, &dtr) == 0;
    case LineFunction::SetBreak: return ::ioctl(fd_, TIOCSBRK) == 0;
    case LineFunction::ClearBreak: return ::ioctl(fd_, TIOCCBRK) == 0;
    }
    errno = EINVAL;
    return false;
}

bool SerialDevice::GetModemStatus(std::uint32_t& status)
{
    status = 0;
    if (!IsOpen()) {
        errno = EBADF;
        return false;
    }
    int lines = 0;
    if (::ioctl(fd_, TIOCMGET, &lines) != 0)
        return false;
    if (lines & TIOCM_CTS)
        status |= ModemCts;
    if (lines & TIOCM_DSR)
        status |= ModemDsr;
    if (lines & TIOCM_RI)
        status |= ModemRing;
    if (lines & TIOCM_CD)
        status |= ModemRlsd;
    return true;
}

}  // namespace platform
