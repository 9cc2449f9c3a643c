// The list of serial ports worth trying, in a stable order, made without opening any device:
// opening a serial line raises its modem signals, which resets some of the devices behind them.
#include <algorithm>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

#include "platform/SerialDevice.h"

namespace platform {
namespace {

bool IsCharacterDevice(const QString& path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 && S_ISCHR(info.st_mode);
}

// Devices of one family (ttyUSB0, ttyUSB1, ..., ttyUSB10) in the order of their numbers.
std::vector<QString> Family(const QString& devRoot, const QString& prefix)
{
    const QDir dev(devRoot);
    const QStringList names = dev.entryList({prefix + QLatin1Char('*')},
                                            QDir::System | QDir::Files | QDir::NoDotAndDotDot);
    std::vector<std::pair<long, QString>> numbered;
    for (const QString& name : names) {
        bool ok = false;
        const long number = name.mid(prefix.size()).toLong(&ok);
        if (ok && IsCharacterDevice(dev.filePath(name)))
            numbered.emplace_back(number, dev.filePath(name));
    }
    std::sort(numbered.begin(), numbered.end());
    std::vector<QString> paths;
    for (auto& entry : numbered)
        paths.push_back(std::move(entry.second));
    return paths;
}

// The kernel makes a ttyS device for every possible onboard port, also where no UART is. Its
// entry in the tty class tells the real ones: a device behind it, of a UART type other than
// unknown (0). An entry without a type is not one we can vouch for; its path can still be typed.
bool HasUart(const QString& ttyClassRoot, const QString& devicePath)
{
    const QDir entry(ttyClassRoot + QLatin1Char('/') + QFileInfo(devicePath).fileName());
    QFile type(entry.filePath(QStringLiteral("type")));
    if (!entry.exists(QStringLiteral("device")) || !type.open(QIODevice::ReadOnly))
        return false;
    bool ok = false;
    const int kind = type.readLine().trimmed().toInt(&ok);
    return ok && kind != 0;
}

}  // namespace

SerialPortSources SystemSerialPortSources()
{
    SerialPortSources sources;
    sources.listed = qEnvironmentVariable("ZOLT_PORTS");
    return sources;
}

std::vector<QString> SerialPortCandidates(const SerialPortSources& sources, std::size_t maxCount)
{
    std::vector<QString> paths;
    const auto add = [&](const QString& path) {
        if (paths.size() < maxCount && std::find(paths.begin(), paths.end(), path) == paths.end())
            paths.push_back(path);
    };
    for (const QString& path : sources.listed.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        if (IsCharacterDevice(path))
            add(path);
    }
    for (const QString& path : Family(sources.devRoot, QStringLiteral("ttyUSB")))
        add(path);
    for (const QString& path : Family(sources.devRoot, QStringLiteral("ttyACM")))
        add(path);
    for (const QString& path : Family(sources.devRoot, QStringLiteral("ttyS"))) {
        if (HasUart(sources.ttyClassRoot, path))
            add(path);
    }
    return paths;
}

}  // namespace platform
