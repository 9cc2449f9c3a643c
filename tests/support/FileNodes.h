#pragma once
// File system nodes of every kind, made at test time for the tests that check the tool reads and
// writes regular files only.
#include <cstring>
#include <QFile>
#include <QString>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include "tests/support/FileBytes.h"

namespace testing_support {

enum class Node { Regular, Folder, Fifo, Device, Socket };

// Makes a node of that kind under the name; false when this system does not let the test make
// it. Only root makes a device node: for another user a link to the null device stands in, which
// the tool must refuse alike. A regular file holds "content".
inline bool MakeNode(const QString& name, Node kind)
{
    const QByteArray path = QFile::encodeName(name);
    switch (kind) {
    case Node::Regular: WriteAll(name, "content"); return QFile::exists(name);
    case Node::Folder: return ::mkdir(path.constData(), 0700) == 0;
    case Node::Fifo: return ::mkfifo(path.constData(), 0600) == 0;
    case Node::Device:
        // The null device's numbers: reading it gives nothing, writing it swallows everything.
        return ::mknod(path.constData(), S_IFCHR | 0600, makedev(1, 3)) == 0 ||
               (errno == EPERM && ::symlink("/dev/null", path.constData()) == 0);
    case Node::Socket: {
        const int handle = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.constData(), sizeof address.sun_path - 1);
        const bool bound =
            ::bind(handle, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        ::close(handle);
        return bound;
    }
    }
    return false;
}

// The node's type bits and device numbers (not following a link); 0 when there is none.
inline std::uint64_t NodeIdentity(const QString& name)
{
    struct stat status {};
    if (::lstat(QFile::encodeName(name).constData(), &status) != 0)
        return 0;
    return std::uint64_t(status.st_mode & S_IFMT) << 32 | std::uint64_t(status.st_rdev);
}

}  // namespace testing_support
