#pragma once
// Replacing a file so that a crash, a full disk or a failed write never leaves it half written:
// the new content goes to a temporary file in the same folder, is flushed to the disk, and only
// then takes the old file's name in one rename. Until that rename the old file stays whole.
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

    // Creates the temporary file; false when the folder does not allow it.
    bool Open();
    // False once any write failed; Commit then refuses.
    bool Write(const void* data, std::size_t size);
    bool Write(std::string_view bytes) { return Write(bytes.data(), bytes.size()); }
    // Flushes to the disk and renames over the old file; false when anything failed, the old
    // file then being untouched.
    bool Commit();

private:
    std::unique_ptr<QSaveFile> file_;
    bool failed_ = false;
};

// The whole content in one go: true when the file now holds exactly these bytes.
bool WriteFileReplacing(const QString& fileName, std::string_view bytes);

}  // namespace platform
