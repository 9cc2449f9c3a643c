#include "tests/support/SmallFileSystem.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <QFile>
#include <sys/mount.h>
#include <unistd.h>

namespace testing_support {

SmallFileSystem::SmallFileSystem(const QString& folder) : folder_(folder)
{
    const QByteArray path = QFile::encodeName(folder_);
    // Room for the old files a test puts there before filling it up.
    mounted_ = ::mount("tmpfs", path.constData(), "tmpfs", MS_NOSUID | MS_NODEV, "size=256k") == 0;
    if (!mounted_)
        why_ = QStringLiteral("cannot mount a tmpfs on %1: %2")
                   .arg(folder_, QString::fromLocal8Bit(std::strerror(errno)));
}

SmallFileSystem::~SmallFileSystem()
{
    if (mounted_)
        ::umount2(QFile::encodeName(folder_).constData(), MNT_DETACH);
}

void SmallFileSystem::FillUp()
{
    const QByteArray filler = QFile::encodeName(FilePath(QStringLiteral(".filler")));
    const int handle = ::open(filler.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (handle < 0)
        return;
    // Ever smaller pieces until not one byte more fits.
    const char block[4096] = {};
    for (std::size_t piece = sizeof block; piece > 0; piece /= 2) {
        while (::write(handle, block, piece) == ssize_t(piece)) {}
    }
    ::close(handle);
}

}  // namespace testing_support
