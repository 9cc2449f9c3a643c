#include "tests/support/MeterStandIn.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <stdexcept>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace testing_support {
namespace {

constexpr char Stx = 0x02;
constexpr char Etx = 0x03;

void MakeRaw(int fd)
{
    termios settings{};
    if (::tcgetattr(fd, &settings) != 0)
        return;
    ::cfmakeraw(&settings);
    ::cfsetispeed(&settings, B115200);
    ::cfsetospeed(&settings, B115200);
    ::tcsetattr(fd, TCSANOW, &settings);
}

}  // namespace

MeterStandIn::MeterStandIn()
{
    char name[256] = {};
    if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0)
        throw std::runtime_error("openpty failed");
    slavePath_ = name;
    MakeRaw(master_);
    MakeRaw(slave_);
    ::fcntl(master_, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave_, F_SETFD, FD_CLOEXEC);
    stopFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    meter_ = std::thread([this] { Run(); });
}

MeterStandIn::~MeterStandIn()
{
    WaitFlood();
    Vanish();
    if (slave_ >= 0)
        ::close(slave_);
    if (stopFd_ >= 0)
        ::close(stopFd_);
}

void MeterStandIn::SetScript(Script script)
{
    std::lock_guard lock(mutex_);
    script_ = std::move(script);
}

void MeterStandIn::SetReading(bool reading)
{
    {
        std::lock_guard lock(mutex_);
        reading_ = reading;
    }
    const std::uint64_t one = 1;
    [[maybe_unused]] auto written = ::write(stopFd_, &one, sizeof one);  // wake the meter
}

bool MeterStandIn::WaitUntilRead(std::chrono::milliseconds bound)
{
    const auto deadline = std::chrono::steady_clock::now() + bound;
    for (int waiting = 0; ::ioctl(slave_, FIONREAD, &waiting) == 0 && waiting > 0;) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return true;
}

void MeterStandIn::Send(std::string_view bytes)
{
    std::lock_guard lock(writeMutex_);
    while (!bytes.empty() && master_ >= 0) {
        const ssize_t put = ::write(master_, bytes.data(), bytes.size());
        if (put < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN) {
                pollfd out{master_, POLLOUT, 0};
                ::poll(&out, 1, 100);
                continue;
            }
            return;
        }
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
}

void MeterStandIn::StartFlood(std::size_t count, std::function<std::string(std::size_t)> frameOf,
                              std::function<void(std::size_t)> gate)
{
    WaitFlood();
    flood_ = std::thread([this, count, frameOf = std::move(frameOf), gate = std::move(gate)] {
        for (std::size_t i = 0; i < count; ++i) {
            if (gate)
                gate(i);
            Send(frameOf(i));
        }
    });
}

void MeterStandIn::WaitFlood()
{
    if (flood_.joinable())
        flood_.join();
}

std::vector<std::string> MeterStandIn::Requests() const
{
    std::lock_guard lock(mutex_);
    return requests_;
}

std::string MeterStandIn::ReceivedBytes() const
{
    std::lock_guard lock(mutex_);
    return received_;
}

bool MeterStandIn::WaitForRequests(std::size_t count, std::chrono::milliseconds bound) const
{
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, bound, [&] { return requests_.size() >= count; });
}

void MeterStandIn::ClearReceived()
{
    std::lock_guard lock(mutex_);
    received_.clear();
    requests_.clear();
}

termios MeterStandIn::LineSettings() const
{
    termios settings{};
    ::tcgetattr(slave_, &settings);
    return settings;
}

void MeterStandIn::Vanish()
{
    if (meter_.joinable()) {
        const std::uint64_t stop = 1ull << 40;  // far above the wake-ups SetReading counts
        [[maybe_unused]] auto written = ::write(stopFd_, &stop, sizeof stop);
        meter_.join();
    }
    std::lock_guard lock(writeMutex_);
    if (master_ >= 0)
        ::close(master_);
    master_ = -1;
}

void MeterStandIn::TakeBytes(const char* bytes, std::size_t size)
{
    std::vector<std::string> answers;
    {
        std::lock_guard lock(mutex_);
        received_.append(bytes, size);
        for (std::size_t i = 0; i < size; ++i) {
            const char byte = bytes[i];
            if (byte == Stx) {
                inFrame_ = true;
                partial_.clear();
            } else if (byte == Etx && inFrame_) {
                inFrame_ = false;
                requests_.push_back(partial_);
                if (script_) {
                    for (auto& write : script_(partial_))
                        answers.push_back(std::move(write));
                }
            } else if (inFrame_) {
                partial_ += byte;
            }
        }
    }
    changed_.notify_all();
    // One delivery each: the next is written once the code has read the previous one.
    for (std::size_t i = 0; i < answers.size(); ++i) {
        if (i > 0)
            WaitUntilRead();
        Send(answers[i]);
    }
}

void MeterStandIn::Run()
{
    char buffer[4096];
    for (;;) {
        bool reading;
        {
            std::lock_guard lock(mutex_);
            reading = reading_;
        }
        pollfd fds[2] = {{master_, static_cast<short>(reading ? POLLIN : 0), 0},
                         {stopFd_, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[1].revents & POLLIN) {
            std::uint64_t count = 0;
            [[maybe_unused]] auto got = ::read(stopFd_, &count, sizeof count);
            if (count >= (1ull << 40))
                return;
            continue;
        }
        if (fds[0].revents & POLLIN) {
            const ssize_t got = ::read(master_, buffer, sizeof buffer);
            if (got > 0)
                TakeBytes(buffer, static_cast<std::size_t>(got));
        }
    }
}

}  // namespace testing_support
