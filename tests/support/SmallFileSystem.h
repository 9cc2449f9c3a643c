#pragma once
// A small file system of its own (tmpfs) mounted on an empty folder while the object lives,
// which a test fills up to see what a save does when the disk is full. Mounting needs root (as
// the tests run here and in CI); where it is impossible, Mounted() is false and Why() says why,
// for the test to skip with that message.
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <QFile>
#include <QString>
#include <sys/mount.h>
#include <unistd.h>

namespace testing_support {

class SmallFileSystem {
public:
    explicit SmallFileSystem(const QString& folder) : path_(QFile::encodeName(folder))
    {
        // Room for the old files a test puts there before filling it up.
        mounted_ = ::mount("tmpfs", path_, "tmpfs", MS_NOSUID | MS_NODEV, "size=256k") == 0;
        if (!mounted_)
            why_ = QStringLiteral("cannot mount a tmpfs on %1: %2")
                       .arg(folder, QString::fromLocal8Bit(std::strerror(errno)));
    }
    ~SmallFileSystem()
    {
        if (mounted_)
            ::umount2(path_.constData(), MNT_DETACH);
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool Mounted() const { return mounted_; }
    const QString& Why() const { return why_; }

    // Takes every free byte with a filler file (".filler", named by no test): after this, no
    // new file can get a single byte. Ever smaller pieces until not one byte more fits.
    void FillUp()
    {
        const int handle =
            ::open(path_ + "/.filler", O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
        const char block[4096] = {};
        for (std::size_t piece = sizeof block; handle >= 0 && piece > 0; piece /= 2)
            while (::write(handle, block, piece) == ssize_t(piece)) {}
        ::close(handle);
    }

private:
    QByteArray path_;
    bool mounted_ = false;
    QString why_;
};

}  // namespace testing_support
