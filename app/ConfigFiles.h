#pragma once
// The files that hold the meter's context, both with the extension ".ZLC":
// - context files the user opens and saves: the 72 context bytes, raw;
// - the application configuration file "ZOLT.ZLC" in the program's folder: 328 bytes, the
//   context, then the firmware file dialog's initial folder as code page 932 text ended by a
//   NUL. Its first 72 bytes make it readable as a context file too.
// A file that cannot be opened is silently not read. Reading refuses, with
// platform::EPlatformError, a name that is no regular file (a FIFO, a device, a socket, a
// folder) and a file larger than ConfigFileMaxSize; a failed save raises it too, with the file's
// name and why. Files are replaced through a temporary file, so a failed write never destroys
// the previous one, and only regular files are replaced.
#include <array>
#include <cstdint>
#include <QString>
#include <string>

#include "app/MeterContext.h"
#include "platform/RegularFile.h"

constexpr int AppConfigSize = 328;
constexpr int AppConfigFolderOffset = MeterContextSize;
constexpr int AppConfigFolderField = AppConfigSize - AppConfigFolderOffset;  // 256, NUL included
constexpr int AppConfigFolderMaxBytes = AppConfigFolderField - 1;
using TAppConfig = std::array<std::uint8_t, AppConfigSize>;
// No real configuration file comes near this size: a larger one is not read.
constexpr std::int64_t ConfigFileMaxSize = 1024 * 1024;

// The file name with its extension replaced by ".ZLC", or ".ZLC" appended when it has none.
QString WithConfigExtension(const QString& fileName);

// Reads up to 72 bytes of the file into the context; a shorter file replaces only the bytes it
// has. False when the file cannot be opened (the context then unchanged).
bool ReadContextFile(const QString& fileName, TMeterContextRef context);
// Replaces the file with the 72 context bytes.
void WriteContextFile(const QString& fileName, TMeterContextView context);

// Reads up to 328 bytes into the image; a shorter file fills only the bytes it has, the rest
// keeping what the image held. False when the file cannot be opened. asRead, when given, receives
// the file as it was found (missing included), for the save to tell whether it was rewritten.
bool ReadAppConfigFile(const QString& fileName, TAppConfig& image,
                       platform::TFileBytes* asRead = nullptr);
void WriteAppConfigFile(const QString& fileName, const TAppConfig& image);

// The folder text at byte 72: the bytes up to the first NUL of the field (all 256 without one).
QString AppConfigFolder(const TAppConfig& image);
// Stores the folder at byte 72 as code page 932 text followed by a NUL: see
// AppConfigFolderBytes for what is stored.
void StoreAppConfigFolder(TAppConfig& image, const QString& folder);
// The folder as it is stored, without its NUL: at most 255 bytes, cut after the last whole
// character that fits. A folder text the code page cannot hold would be read back as another
// folder, so the nearest enclosing folder that it can hold is stored instead ("" when none).
std::string AppConfigFolderBytes(const QString& folder);

// What the main window does with the file when it is shown and when it closes, free of widgets.
// Load: reads fileName (extension set to ".ZLC") into the image, then hands its context and
// folder out; false, with nothing changed, when the file cannot be opened.
bool LoadAppConfigImage(const QString& fileName, TAppConfig& image, TMeterContextRef context,
                        QString& dialogFolder, platform::TFileBytes* asRead = nullptr);
// Save: the context and the folder into the image, then the image into fileName (extension set
// to ".ZLC").
void SaveAppConfigImage(const QString& fileName, TAppConfig& image, TMeterContextView context,
                        const QString& dialogFolder);
