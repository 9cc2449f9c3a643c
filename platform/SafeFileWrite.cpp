#include "platform/SafeFileWrite.h"

#include <cerrno>
#include <QFileInfo>
#include <QSaveFile>
#include <unistd.h>

#include "platform/Exceptions.h"
#include "platform/RegularFile.h"

namespace platform {

TSafeFileWriter::TSafeFileWriter(const QString& fileName) : fileName_(fileName) {}

TSafeFileWriter::~TSafeFileWriter() = default;  // QSaveFile removes an uncommitted file

bool TSafeFileWriter::Fail(const QString& reason)
{
    if (failure_.isEmpty())
        failure_ = reason;
    file_.reset();
    return false;
}

bool TSafeFileWriter::Open()
{
    const TWriteTarget target = RegularWriteTarget(fileName_);
    if (target.Path.isEmpty())
        return Fail(target.Reason);
    // The usual reasons (no such folder, no right to write there, a read-only disk) in the
    // user's words; the file device names only what is left.
    const QByteArray folder = QFile::encodeName(QFileInfo(target.Path).absolutePath());
    if (::access(folder.constData(), W_OK | X_OK) != 0)
        return Fail(FileErrorReason(errno));
    file_ = std::make_unique<QSaveFile>(target.Path);
    // Writing straight into the old file would give up the whole point: refuse instead.
    file_->setDirectWriteFallback(false);
    if (!file_->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Fail(file_->errorString());
    return true;
}

bool TSafeFileWriter::Write(const void* data, std::size_t size)
{
    if (!file_)
        return false;
    // Straight to the descriptor, past any buffer: a full disk shows at the write that meets
    // it, with the system's own error number.
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = ::write(file_->handle(), bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return Fail(FileErrorReason(errno));
        bytes += written;
        size -= std::size_t(written);
    }
    return true;
}

bool TSafeFileWriter::Commit()
{
    if (!file_)
        return false;
    // A file system that allocates late reports a full disk only here.
    if (::fsync(file_->handle()) != 0)
        return Fail(FileErrorReason(errno));
    if (!file_->commit())
        return Fail(file_->errorString());
    file_.reset();
    return true;
}

QString TSafeFileWriter::FailureMessage() const
{
    return CannotSaveMessage(fileName_, failure_);
}

void ReplaceFileContent(const QString& fileName, std::string_view bytes)
{
    TSafeFileWriter writer(fileName);
    if (!(writer.Open() && writer.Write(bytes) && writer.Commit()))
        throw EPlatformError(writer.FailureMessage());
}

}  // namespace platform
