#pragma once
// A file the tool is about to write over, kept beside it under its name with ".bak" added: a
// work file it could not read whole, and a file that someone else wrote after the tool read it.
#include <cstdint>
#include <QString>
#include <string_view>

#include "platform/RegularFile.h"

QString BackupName(const QString& fileName);

// Replaces the last copy, fileName + ".bak", with the bytes; a copy made anew takes the file's
// own mode and owner. False, after a box naming the copy and why, when it could not be written.
bool KeepBackupCopy(const QString& fileName, std::string_view bytes);

// Before a save writes over fileName, which the tool read as asRead: a file there that is no
// longer that one (another program, or the tool started twice, wrote it since) is kept as the
// copy, and a box says so. False when the save must not go ahead because the copy could not be
// written. A file that can no longer be read (now too large, or no regular file) is neither kept
// nor written over: platform::EPlatformError names it and says why.
bool KeepRewrittenFile(const QString& fileName, const platform::TFileBytes& asRead,
                       std::int64_t maxSize);
