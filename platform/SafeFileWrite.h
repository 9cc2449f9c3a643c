#pragma once
// Replacing a file so that a crash, a full disk or a failed write never leaves it half written:
// the new content goes to a temporary file in the same folder, is synced to the disk, and only
// then takes the old file's name in one rename. Until that rename the old file stays whole; on
// any failure the temporary file is removed. Only a regular file (or a new name) is replaced:
// a link to a regular file is followed to it, anything else is refused.
#include <cstddef>
#include <memory>
#include <QString>
#include <string_view>

class QSaveFile;

namespace platform {

class TSafeFileWriter {
public:
    explicit TSafeFileWriter(const QString& fileName);
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

    QString fileName_;
    std::unique_ptr<QSaveFile> file_;
    QString failure_;
};

// The whole content in one go. When the file cannot be written, platform::EPlatformError is
// raised with the writer's failure message, and the old file stays as it was.
void ReplaceFileContent(const QString& fileName, std::string_view bytes);

}  // namespace platform
