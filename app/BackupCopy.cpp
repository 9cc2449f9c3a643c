#include "app/BackupCopy.h"

#include "platform/Exceptions.h"
#include "platform/MessageBox.h"
#include "platform/SafeFileWrite.h"

QString BackupName(const QString& fileName)
{
    return fileName + QStringLiteral(".bak");
}

bool KeepBackupCopy(const QString& fileName, std::string_view bytes)
{
    try {
        platform::ReplaceFileContent(BackupName(fileName), bytes, fileName);
        return true;
    } catch (const platform::EPlatformError& error) {
        platform::ShowException(error);
        return false;
    }
}

bool KeepRewrittenFile(const QString& fileName, const platform::TFileBytes& asRead,
                       std::int64_t maxSize)
{
    const platform::TFileBytes now = platform::ReadRegularFile(fileName, maxSize);
    if (now.Outcome == platform::ReadOutcome::Refused)
        throw platform::EPlatformError(platform::CannotSaveMessage(fileName, now.Reason));
    // A file that went away holds nothing to keep.
    if (now.Outcome == platform::ReadOutcome::Unopened || platform::SameFileAsRead(asRead, now))
        return true;
    if (!KeepBackupCopy(fileName, now.Bytes))
        return false;
    platform::ShowMessageBox(
        QStringLiteral("ファイル %1 は、起動時に読み込んだ後で書き換えられていました。\n\r"
                       "書き換えられた内容を %2 に残し、%1 には現在の内容を保存します。")
            .arg(fileName, BackupName(fileName)),
        QString(), platform::BoxIcon::Information, platform::BoxButtons::Ok);
    return true;
}
