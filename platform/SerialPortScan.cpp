// The list of serial ports worth trying, in a stable order.
#include <algorithm>
#include <fcntl.h>
#include <linux/serial.h>
#include <QDir>
#include <QFile>
#include <sys/ioctl.h>
#include <unistd.h>

#include "platform/SerialDevice.h"

namespace platform {
namespace {

// Devices of one family (ttyUSB0, ttyUSB1, ..., ttyUSB10) in the order of their numbers.
std::vector<QString> Family(const QString& prefix)
{
    const QDir dev(QStringLiteral("/dev"));
    const QStringList names = dev.entryList({prefix + QLatin1Char('*')},
                                            QDir::System | QDir::Files | QDir::NoDotAndDotDot);
    std::vector<std::pair<long, QString>> numbered;
    for (const QString& name : names) {
        bool ok = false;
        const long number = name.mid(prefix.size()).toLong(&ok);
        if (ok)
            numbered.emplace_back(number, dev.filePath(name));
    }
    std::sort(numbered.begin(), numbered.end());
    std::vector<QString> paths;
    for (auto& entry : numbered)
        paths.push_back(std::move(entry.second));
    return paths;
}

// The kernel makes a /dev/ttyS node for every possible onboard port; only those with a UART
// behind them are ports.
bool HasUart(const QString& path)
{
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    serial_struct info{};
    const bool real = ::ioctl(fd, TIOCGSERIAL, &info) == 0 && info.type != PORT_UNKNOWN;
    ::close(fd);
    return real;
}

}  // namespace

std::vector<QString> SerialPortCandidates(std::size_t maxCount)
{
    std::vector<QString> paths;
    const auto add = [&](const QString& path) {
        if (!path.isEmpty() && paths.size() < maxCount &&
            std::find(paths.begin(), paths.end(), path) == paths.end())
            paths.push_back(path);
    };
    const QString listed = qEnvironmentVariable("ZOLT_PORTS");
    for (const QString& path : listed.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        add(path);
    for (const QString& path : Family(QStringLiteral("ttyUSB")))
        add(path);
    for (const QString& path : Family(QStringLiteral("ttyACM")))
        add(path);
    for (const QString& path : Family(QStringLiteral("ttyS")))
        if (paths.size() < maxCount && HasUart(path))
            add(path);
    return paths;
}

}  // namespace platform
