#include "platform/SafeFileWrite.h"

#include <QSaveFile>

namespace platform {

TSafeFileWriter::TSafeFileWriter(const QString& fileName)
    : file_(std::make_unique<QSaveFile>(fileName))
{
    // Writing straight into the old file would give up the whole point: refuse instead.
    file_->setDirectWriteFallback(false);
}

TSafeFileWriter::~TSafeFileWriter()
{
    if (file_->isOpen())
        file_->cancelWriting();
}

bool TSafeFileWriter::Open()
{
    failed_ = !file_->open(QIODevice::WriteOnly);
    return !failed_;
}

bool TSafeFileWriter::Write(const void* data, std::size_t size)
{
    if (failed_ || !file_->isOpen())
        return false;
    const auto length = qint64(size);
    if (file_->write(static_cast<const char*>(data), length) != length) {
        failed_ = true;
        file_->cancelWriting();
    }
    return !failed_;
}

bool TSafeFileWriter::Commit()
{
    if (failed_ || !file_->isOpen())
        return false;
    // QSaveFile flushes, syncs the data to the disk and renames over the old name.
    return file_->commit();
}

bool WriteFileReplacing(const QString& fileName, std::string_view bytes)
{
    TSafeFileWriter writer(fileName);
    return writer.Open() && writer.Write(bytes) && writer.Commit();
}

}  // namespace platform
