#include "platform/SafeFileWrite.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/Exceptions.h"
#include "platform/RegularFile.h"

namespace platform {

namespace {

// A temporary file is the file's own name, this tag and six letters or digits: a name no user
// gives a file, so that those a killed save leaves behind can be told apart and removed.
constexpr std::string_view TemporaryTag = ".zolt-save-";
constexpr std::size_t TemporaryLetters = 6;
constexpr std::string_view Letters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

QByteArray TemporaryName(const QByteArray& target)
{
    QByteArray name = target + QByteArray(TemporaryTag.data(), qsizetype(TemporaryTag.size()));
    for (std::size_t i = 0; i < TemporaryLetters; ++i)
        name += Letters[QRandomGenerator::global()->bounded(int(Letters.size()))];
    return name;
}

bool IsTemporaryName(std::string_view name)
{
    const std::size_t at = name.rfind(TemporaryTag);
    if (at == std::string_view::npos || at == 0)
        return false;
    const std::string_view letters = name.substr(at + TemporaryTag.size());
    return letters.size() == TemporaryLetters &&
           std::all_of(letters.begin(), letters.end(),
                       [](char c) { return Letters.find(c) != std::string_view::npos; });
}

// Syncs the folder's own entries: a rename is on the disk only once its folder is.
void SyncFolder(const QByteArray& file)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(QFile::decodeName(file)).absolutePath());
    const int handle = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0)
        return;
    // The new content already stands under the name: a folder that cannot be synced (some file
    // systems refuse) is no reason to report the save as failed.
    ::fsync(handle);
    ::close(handle);
}

}  // namespace

TSafeFileWriter::TSafeFileWriter(const QString& fileName, const QString& modelName)
    : fileName_(fileName), modelName_(modelName)
{}

TSafeFileWriter::~TSafeFileWriter()
{
    Discard();
}

void TSafeFileWriter::Discard()
{
    if (handle_ >= 0)
        ::close(handle_);
    handle_ = -1;
    if (!temporary_.isEmpty())
        ::unlink(temporary_.constData());
    temporary_.clear();
}

bool TSafeFileWriter::Fail(const QString& reason)
{
    if (failure_.isEmpty())
        failure_ = reason;
    Discard();
    return false;
}

bool TSafeFileWriter::Open()
{
    const TWriteTarget target = RegularWriteTarget(fileName_);
    if (target.Path.isEmpty())
        return Fail(target.Reason);
    // The usual reasons (no such folder, no right to write there, a read-only disk) in the
    // user's words.
    const QByteArray folder = QFile::encodeName(QFileInfo(target.Path).absolutePath());
    if (::access(folder.constData(), W_OK | X_OK) != 0)
        return Fail(FileErrorReason(errno));
    target_ = QFile::encodeName(target.Path);
    // Replacing a file, or copying one: private until it takes that file's mode at Commit. A new
    // file gets what the user's file-creation mask gives.
    struct stat model {};
    const bool modelled = Model(model);
    for (int attempt = 0; handle_ < 0; ++attempt) {
        temporary_ = TemporaryName(target_);
        handle_ = ::open(temporary_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                         modelled ? 0600 : 0666);
        if (handle_ < 0 && (errno != EEXIST || attempt == 100)) {
            temporary_.clear();
            return Fail(FileErrorReason(errno));
        }
    }
    return true;
}

bool TSafeFileWriter::Model(struct stat& status) const
{
    if (::stat(target_.constData(), &status) == 0)
        return true;
    return !modelName_.isEmpty() &&
           ::stat(QFile::encodeName(modelName_).constData(), &status) == 0 &&
           S_ISREG(status.st_mode);
}

bool TSafeFileWriter::Write(const void* data, std::size_t size)
{
    if (handle_ < 0)
        return false;
    // Straight to the descriptor: a full disk shows at the write that meets it, with the
    // system's own error number.
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = ::write(handle_, bytes, size);
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
    if (handle_ < 0)
        return false;
    // The file it replaces (or copies) lends it its owner and mode. Only root may hand a file to
    // another user; anyone else keeps at least the group where allowed. The owner comes first:
    // a change of owner clears the set-user and set-group bits.
    if (struct stat model{}; Model(model)) {
        if (::fchown(handle_, model.st_uid, model.st_gid) != 0)
            (void)!::fchown(handle_, uid_t(-1), model.st_gid);
        if (::fchmod(handle_, model.st_mode & 07777) != 0)
            return Fail(FileErrorReason(errno));
    }
    // A file system that allocates late reports a full disk only here.
    if (::fsync(handle_) != 0)
        return Fail(FileErrorReason(errno));
    const int handle = handle_;
    handle_ = -1;
    if (::close(handle) != 0)
        return Fail(FileErrorReason(errno));
    if (::rename(temporary_.constData(), target_.constData()) != 0)
        return Fail(FileErrorReason(errno));
    temporary_.clear();
    SyncFolder(target_);
    return true;
}

QString TSafeFileWriter::FailureMessage() const
{
    return CannotSaveMessage(fileName_, failure_);
}

void ReplaceFileContent(const QString& fileName, std::string_view bytes, const QString& modelName)
{
    TSafeFileWriter writer(fileName, modelName);
    if (!(writer.Open() && writer.Write(bytes) && writer.Commit()))
        throw EPlatformError(writer.FailureMessage());
}

void RemoveUnfinishedSaves(const QString& folder)
{
    DIR* entries = ::opendir(QFile::encodeName(folder).constData());
    if (!entries)
        return;
    const int handle = ::dirfd(entries);
    while (const dirent* entry = ::readdir(entries)) {
        struct stat status {};
        if (IsTemporaryName(entry->d_name) &&
            ::fstatat(handle, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(status.st_mode))
            ::unlinkat(handle, entry->d_name, 0);
    }
    ::closedir(entries);
}

}  // namespace platform
