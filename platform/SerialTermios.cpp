// Line settings of SerialDevice through the kernel's termios2 interface, which takes any baud
// rate by value. Kept apart because its header cannot live beside <termios.h>.
#include <asm/termbits.h>
#include <cerrno>
#include <sys/ioctl.h>

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

}  // namespace

bool SerialDevice::ApplyTermios(const SerialState& state)
{
    // What the line cannot do is refused as a whole, as the system's driver would.
    const bool oneAndHalf = state.stopBits == 1;
    if (state.baudRate == 0 || state.byteSize < 5 || state.byteSize > 8 || state.parity > 4
        || state.stopBits > 2 || (oneAndHalf && state.byteSize != 5)) {
        errno = EINVAL;
        return false;
    }
    struct termios2 tio {};
    if (::ioctl(fd_, TCGETS2, &tio) != 0)
        return false;

    // Raw, byte-transparent transfer: no line editing, echo, signals or translations.
    tio.c_iflag &= ~(BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY
                     | INPCK | IGNPAR | IUCLC | IMAXBEL);
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
    tio.c_cflag |= CREAD | CLOCAL | SizeFlag(state.byteSize) | BOTHER;
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
