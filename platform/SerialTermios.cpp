// Line settings of SerialDevice through the kernel's termios2 interface, which takes any baud
// rate by value. Kept apart because its header cannot live beside <termios.h>.
#include <asm/termbits.h>
#include <cerrno>
#include <cstring>
#include <sys/ioctl.h>
#include <utility>

#include "platform/SerialDevice.h"

namespace platform {
namespace {

tcflag_t SizeFlag(std::uint8_t byteSize)
{
    switch (byteSize) {
    case 5: return CS5;
    case 6: return CS6;
    case 7: return CS7;
    default: return CS8;
    }
}

std::uint8_t ByteSizeOf(tcflag_t flags)
{
    switch (flags & CSIZE) {
    case CS5: return 5;
    case CS6: return 6;
    case CS7: return 7;
    default: return 8;
    }
}

// The classic code of a standard rate, so that tools reading the line's settings see it; any
// other rate goes by value.
tcflag_t SpeedCode(std::uint32_t rate)
{
    static constexpr std::pair<std::uint32_t, tcflag_t> Rates[] = {
        {50, B50},           {75, B75},           {110, B110},         {134, B134},
        {150, B150},         {200, B200},         {300, B300},         {600, B600},
        {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
        {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
        {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
        {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
        {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
        {3500000, B3500000}, {4000000, B4000000}};
    for (const auto& [value, code] : Rates)
        if (value == rate)
            return code;
    return BOTHER;
}

}  // namespace

bool SerialDevice::ApplyTermios(const SerialState& state)
{
    // What the line cannot do is refused as a whole, as the system's driver would.
    const bool oneAndHalf = state.stopBits == 1;
    if (state.baudRate == 0 || state.byteSize < 5 || state.byteSize > 8 || state.parity > 4 ||
        state.stopBits > 2 || (oneAndHalf && state.byteSize != 5)) {
        errno = EINVAL;
        return false;
    }
    struct termios2 tio {};
    if (::ioctl(fd_, TCGETS2, &tio) != 0)
        return false;

    // Raw, byte-transparent transfer: no line editing, echo, signals or translations.
    tio.c_iflag &= ~(BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY |
                     INPCK | IGNPAR | IUCLC | IMAXBEL);
    tio.c_iflag |= IGNBRK;
    if (state.parityCheck && state.parity != 0)
        tio.c_iflag |= INPCK;
    if (state.outX)
        tio.c_iflag |= IXON;
    if (state.inX)
        tio.c_iflag |= IXOFF;
    tio.c_oflag &= ~OPOST;
    tio.c_lflag &= ~(ECHO | ECHOE | ECHOK | ECHONL | ICANON | ISIG | IEXTEN | ECHOCTL | ECHOKE);

    tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS | CBAUD | CIBAUD);
    tio.c_cflag |= CREAD | CLOCAL | SizeFlag(state.byteSize) | SpeedCode(state.baudRate);
    switch (state.parity) {
    case 1: tio.c_cflag |= PARENB | PARODD; break;
    case 2: tio.c_cflag |= PARENB; break;
    case 3: tio.c_cflag |= PARENB | CMSPAR | PARODD; break;
    case 4: tio.c_cflag |= PARENB | CMSPAR; break;
    default: break;
    }
    if (state.stopBits != 0)
        tio.c_cflag |= CSTOPB;  // with five data bits the UART makes it one and a half
    if (state.outxCtsFlow || state.rtsControl == RtsControl::Handshake)
        tio.c_cflag |= CRTSCTS;
    tio.c_ispeed = state.baudRate;
    tio.c_ospeed = state.baudRate;
    tio.c_cc[VSTART] = static_cast<cc_t>(state.xonChar);
    tio.c_cc[VSTOP] = static_cast<cc_t>(state.xoffChar);
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    // Kept as asked, whatever the terminal makes of it.
    lastRequest_ = {tio.c_cflag,
                    tio.c_iflag,
                    tio.c_oflag,
                    tio.c_lflag,
                    tio.c_ospeed,
                    state.dtrControl != DtrControl::Disable,
                    state.rtsControl == RtsControl::Enable};
    if (::ioctl(fd_, TCSETS2, &tio) != 0)
        return false;

    // Lines held on or off. A line without modem lines (a pseudo-terminal) refuses these; the
    // settings above still hold, so that is not a failure.
    int dtr = TIOCM_DTR;
    if (state.dtrControl == DtrControl::Disable)
        ::ioctl(fd_, TIOCMBIC, &dtr);
    else
        ::ioctl(fd_, TIOCMBIS, &dtr);
    int rts = TIOCM_RTS;
    if (state.rtsControl == RtsControl::Disable)
        ::ioctl(fd_, TIOCMBIC, &rts);
    else if (state.rtsControl == RtsControl::Enable)
        ::ioctl(fd_, TIOCMBIS, &rts);

    cached_ = state;
    baudRate_ = state.baudRate;
    return true;
}

void SerialDevice::SaveTerminalSettings()
{
    struct termios2 tio {};
    static_assert(sizeof tio <= sizeof foundSettings_);
    haveFoundSettings_ = ::ioctl(fd_, TCGETS2, &tio) == 0;
    if (haveFoundSettings_)
        std::memcpy(foundSettings_, &tio, sizeof tio);
}

void SerialDevice::RestoreTerminalSettings()
{
    if (!haveFoundSettings_)
        return;
    struct termios2 tio {};
    std::memcpy(&tio, foundSettings_, sizeof tio);
    ::ioctl(fd_, TCSETS2, &tio);
    haveFoundSettings_ = false;
}

bool SerialDevice::ReadTermios(SerialState& state)
{
    struct termios2 tio {};
    if (::ioctl(fd_, TCGETS2, &tio) != 0)
        return false;
    state = cached_;
    state.baudRate = tio.c_ospeed;
    state.byteSize = ByteSizeOf(tio.c_cflag);
    if (!(tio.c_cflag & PARENB))
        state.parity = 0;
    else if (tio.c_cflag & CMSPAR)
        state.parity = (tio.c_cflag & PARODD) ? 3 : 4;
    else
        state.parity = (tio.c_cflag & PARODD) ? 1 : 2;
    if (!(tio.c_cflag & CSTOPB))
        state.stopBits = 0;
    else
        state.stopBits = state.byteSize == 5 ? 1 : 2;
    state.outxCtsFlow = (tio.c_cflag & CRTSCTS) != 0;
    state.outX = (tio.c_iflag & IXON) != 0;
    state.inX = (tio.c_iflag & IXOFF) != 0;
    state.xonChar = static_cast<char>(tio.c_cc[VSTART]);
    state.xoffChar = static_cast<char>(tio.c_cc[VSTOP]);
    return true;
}

}  // namespace platform
