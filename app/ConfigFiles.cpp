#include "app/ConfigFiles.h"

#include <algorithm>
#include <cstring>

#include "platform/Cp932.h"
#include "platform/Exceptions.h"
#include "platform/RegularFile.h"
#include "platform/SafeFileWrite.h"

namespace {

// Reads up to size bytes into out; false when the file cannot be opened. A short file fills
// only what it has. A name that is no regular file, or a file larger than any of ours, is
// refused with platform::EPlatformError.
bool ReadPrefix(const QString& fileName, std::uint8_t* out, std::size_t size,
                platform::TFileBytes* asRead = nullptr)
{
    const platform::TFileBytes file = platform::ReadRegularFile(fileName, ConfigFileMaxSize);
    if (asRead)
        *asRead = file;
    if (file.Outcome == platform::ReadOutcome::Unopened)
        return false;
    if (file.Outcome == platform::ReadOutcome::Refused)
        throw platform::EPlatformError(platform::CannotReadMessage(fileName, file.Reason));
    std::copy_n(file.Bytes.begin(), std::min(size, file.Bytes.size()), out);
    return true;
}

void WriteBytes(const QString& fileName, const std::uint8_t* bytes, std::size_t size)
{
    platform::ReplaceFileContent(fileName,
                                 std::string_view(reinterpret_cast<const char*>(bytes), size));
}

}  // namespace

QString WithConfigExtension(const QString& fileName)
{
    const qsizetype slash = fileName.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot > slash ? fileName.left(dot) : fileName;
    return stem + QStringLiteral(".ZLC");
}

bool ReadContextFile(const QString& fileName, TMeterContextRef context)
{
    return ReadPrefix(fileName, context.data(), MeterContextSize);
}

void WriteContextFile(const QString& fileName, TMeterContextView context)
{
    WriteBytes(fileName, context.data(), context.size());
}

bool ReadAppConfigFile(const QString& fileName, TAppConfig& image, platform::TFileBytes* asRead)
{
    return ReadPrefix(fileName, image.data(), AppConfigSize, asRead);
}

void WriteAppConfigFile(const QString& fileName, const TAppConfig& image)
{
    WriteBytes(fileName, image.data(), image.size());
}

QString AppConfigFolder(const TAppConfig& image)
{
    const auto* field = reinterpret_cast<const char*>(image.data() + AppConfigFolderOffset);
    const auto* end = std::find(field, field + AppConfigFolderField, '\0');
    return platform::FromCp932(std::string(field, end));
}

std::string AppConfigFolderBytes(const QString& folder)
{
    QString text = folder;
    while (!platform::Cp932Unholdable(text).isEmpty()) {
        // Drop the last name of the path, keeping the separator before it.
        QString trimmed = text;
        if (trimmed.endsWith(QLatin1Char('/')))
            trimmed.chop(1);
        const qsizetype cut = trimmed.lastIndexOf(QLatin1Char('/'));
        text = cut >= 0 ? trimmed.left(cut + 1) : QString();
    }
    std::string bytes = platform::ToCp932(text);
    // Cut after the last whole character that fits (a double-byte character counts whole).
    std::size_t end = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t width =
            platform::IsCp932LeadByte(static_cast<unsigned char>(bytes[i])) ? 2 : 1;
        if (i + width > std::size_t(AppConfigFolderMaxBytes) || i + width > bytes.size())
            break;
        i += width;
        end = i;
    }
    bytes.resize(end);
    return bytes;
}

void StoreAppConfigFolder(TAppConfig& image, const QString& folder)
{
    const std::string bytes = AppConfigFolderBytes(folder);
    std::memcpy(image.data() + AppConfigFolderOffset, bytes.data(), bytes.size());
    image[AppConfigFolderOffset + bytes.size()] = 0;
}

bool LoadAppConfigImage(const QString& fileName, TAppConfig& image, TMeterContextRef context,
                        QString& dialogFolder, platform::TFileBytes* asRead)
{
    if (!ReadAppConfigFile(WithConfigExtension(fileName), image, asRead))
        return false;
    std::copy_n(image.begin(), MeterContextSize, context.begin());
    dialogFolder = AppConfigFolder(image);
    return true;
}

void SaveAppConfigImage(const QString& fileName, TAppConfig& image, TMeterContextView context,
                        const QString& dialogFolder)
{
    std::copy(context.begin(), context.end(), image.begin());
    StoreAppConfigFolder(image, dialogFolder);
    WriteAppConfigFile(WithConfigExtension(fileName), image);
}
