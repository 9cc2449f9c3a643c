#include "platform/RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/SystemText.h"

namespace platform {

namespace {

QString NotRegularReason(mode_t mode)
{
    const char* kind = "特殊ファイル";
    if (S_ISDIR(mode))
        kind = "フォルダ";
    else if (S_ISCHR(mode) || S_ISBLK(mode))
        kind = "デバイス";
    else if (S_ISFIFO(mode))
        kind = "FIFO";
    else if (S_ISSOCK(mode))
        kind = "ソケット";
    return QStringLiteral("通常のファイルではありません（%1）").arg(QString::fromUtf8(kind));
}

QString TooLargeReason(std::int64_t size, std::int64_t maxSize)
{
    return QStringLiteral("ファイルが大きすぎます（%1 バイト、上限 %2 バイト）")
        .arg(size)
        .arg(maxSize);
}

class Descriptor {
public:
    explicit Descriptor(int handle) : handle_(handle) {}
    ~Descriptor()
    {
        if (handle_ >= 0)
            ::close(handle_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return handle_; }

private:
    int handle_;
};

std::int64_t ModifiedNs(const struct stat& status)
{
    return std::int64_t(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
}

TFileBytes Refused(QString reason)
{
    return {ReadOutcome::Refused, {}, std::move(reason)};
}

}  // namespace

TFileBytes ReadRegularFile(const QString& fileName, std::int64_t maxSize)
{
    const QByteArray path = QFile::encodeName(fileName);
    // The kind is known before anything is opened: opening a device can already act on it.
    struct stat status {};
    if (::stat(path.constData(), &status) != 0)
        return {ReadOutcome::Unopened, {}, FileErrorReason(errno)};
    if (!S_ISREG(status.st_mode))
        return Refused(NotRegularReason(status.st_mode));
    if (status.st_size > maxSize)
        return Refused(TooLargeReason(status.st_size, maxSize));

    // Non-blocking in case the name was swapped for a FIFO since; the check is made again on
    // what was opened.
    const Descriptor file(::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0)
        return {ReadOutcome::Unopened, {}, FileErrorReason(errno)};
    if (::fstat(file.get(), &status) != 0)
        return Refused(FileErrorReason(errno));
    if (!S_ISREG(status.st_mode))
        return Refused(NotRegularReason(status.st_mode));

    // One byte beyond the limit tells a file that grew while it was read.
    TFileBytes result{ReadOutcome::Read, {}, {}, ModifiedNs(status)};
    result.Bytes.resize(std::size_t(std::min<std::int64_t>(status.st_size, maxSize) + 1));
    std::size_t done = 0;
    for (;;) {
        if (done == result.Bytes.size()) {
            if (std::int64_t(done) > maxSize)
                return Refused(TooLargeReason(std::int64_t(done), maxSize));
            result.Bytes.resize(std::min<std::size_t>(done * 2, std::size_t(maxSize) + 1));
        }
        const ssize_t got =
            ::read(file.get(), result.Bytes.data() + done, result.Bytes.size() - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return Refused(FileErrorReason(errno));
        if (got == 0)
            break;
        done += std::size_t(got);
    }
    result.Bytes.resize(done);
    return result;
}

bool SameFileAsRead(const TFileBytes& asRead, const TFileBytes& now)
{
    if (asRead.Outcome != ReadOutcome::Read || now.Outcome != ReadOutcome::Read)
        return asRead.Outcome == ReadOutcome::Unopened && now.Outcome == ReadOutcome::Unopened;
    return asRead.ModifiedNs == now.ModifiedNs && asRead.Bytes == now.Bytes;
}

TWriteTarget RegularWriteTarget(const QString& fileName)
{
    const QByteArray path = QFile::encodeName(fileName);
    struct stat link {};
    if (::lstat(path.constData(), &link) != 0) {
        if (errno == ENOENT)
            return {fileName, {}};
        return {{}, FileErrorReason(errno)};
    }
    if (!S_ISLNK(link.st_mode)) {
        if (!S_ISREG(link.st_mode))
            return {{}, NotRegularReason(link.st_mode)};
        return {fileName, {}};
    }
    struct stat target {};
    if (::stat(path.constData(), &target) != 0) {
        // A link to nothing, or one that cannot be followed (a loop, a folder on the way that may
        // not be entered).
        if (errno == ENOENT)
            return {{}, QStringLiteral("リンク先のファイルがありません")};
        return {{}, FileErrorReason(errno)};
    }
    if (!S_ISREG(target.st_mode))
        return {{}, NotRegularReason(target.st_mode)};
    // The new content is written beside the link's final target and renamed there.
    return {QFileInfo(fileName).canonicalFilePath(), {}};
}

QString FileErrorReason(int error)
{
    switch (error) {
    case ENOSPC: return QStringLiteral("ディスクの空き容量が足りません");
    case EDQUOT: return QStringLiteral("ディスクの使用量の上限を超えました");
    case EACCES:
    case EPERM: return QStringLiteral("アクセスが拒否されました");
    case EROFS: return QStringLiteral("書き込みのできない場所です");
    case ENOENT: return QStringLiteral("ファイルまたはフォルダがありません");
    case EIO: return QStringLiteral("入出力エラーが起きました");
    default: return SystemErrorText(error);
    }
}

QString CannotReadMessage(const QString& fileName, const QString& reason)
{
    return QStringLiteral("ファイル %1 を読み込めません\n\r%2").arg(fileName, reason);
}

QString CannotSaveMessage(const QString& fileName, const QString& reason)
{
    return QStringLiteral("ファイル %1 を作成できません\n\r%2").arg(fileName, reason);
}

}  // namespace platform
