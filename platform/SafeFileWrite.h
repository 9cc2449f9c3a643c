#pragma once
// Replacing a file so that a crash, a full disk or a failed write never leaves it half written:
// the new content goes to a temporary file in the same folder, is synced to the disk, and only
// then takes the old file's name in one rename, after which the folder is synced too, so that a
// power cut cannot lose the rename. Until that rename the old file stays whole; on any failure
// the temporary file is removed. The new file keeps the old one's mode and owner. Only a regular
// file (or a new name) is replaced: a link to a regular file is followed to it, anything else is
// refused.
#include <cstddef>
#include <QByteArray>
#include <QString>
#include <string_view>
#include <sys/stat.h>

namespace platform {

class TSafeFileWriter {
public:
    // modelName: for a name that holds no file yet, the file whose mode and owner the new one
    // takes (a copy kept beside its original); none: those a new file gets by default.
    explicit TSafeFileWriter(const QString& fileName, const QString& modelName = QString());
    // Without Commit the temporary file is thrown away and the old file is left as it was.
    ~TSafeFileWriter();
    TSafeFileWriter(const TSafeFileWriter&) = delete;
    TSafeFileWriter& operator=(const TSafeFileWriter&) = delete;

    // Creates the temporary file; false when the name may not be written or the folder does not
    // allow it.
    bool Open();
    // False once any step failed; Commit then refuses.
    bool Write(const void* data, std::size_t size);
    bool Write(std::string_view bytes) { return Write(bytes.data(), bytes.size()); }
    // Syncs to the disk and renames over the old file; false when anything failed, the old
    // file then being untouched.
    bool Commit();

    // After a failed step: the box text naming the file and why it could not be saved.
    QString FailureMessage() const;

private:
    bool Fail(const QString& reason);
    void Discard();
    // The status of the file whose owner and mode the new one takes; false when there is none.
    bool Model(struct stat& status) const;

    QString fileName_;
    QString modelName_;
    QByteArray target_;     // the file to replace, encoded
    QByteArray temporary_;  // the temporary file while it exists
    int handle_ = -1;
    QString failure_;
};

// The whole content in one go. When the file cannot be written, platform::EPlatformError is
// raised with the writer's failure message, and the old file stays as it was.
void ReplaceFileContent(const QString& fileName, std::string_view bytes,
                        const QString& modelName = QString());

// Removes what saves killed before their rename left in the folder: regular files named as the
// writer names its temporary files. Nothing else is touched, not even a link of such a name.
void RemoveUnfinishedSaves(const QString& folder);

}  // namespace platform
