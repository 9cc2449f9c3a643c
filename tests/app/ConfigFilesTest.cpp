// The settings record's words, the context and configuration files, and the program folder.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "app/AppDir.h"
#include "app/ConfigFiles.h"
#include "platform/Exceptions.h"
#include "tests/support/FileBytes.h"

using testing_support::ReadAll;

namespace {

TEST(ContextWords, AreTheNumbersLow16BitsStoredHighByteFirstAndShownSigned)
{
    // The text forms are StrToInt's (ConversionsTest).
    // clang-format off
    const struct {
        const char* text;
        int word;
        const char* shown;
    } cases[] = {
        {"300", 0x012C, "300"}, {"-2", 0xFFFE, "-2"}, {"-32768", 0x8000, "-32768"},
        {"70000", 4464, "4464"}, {"40000", 0x9C40, "-25536"}, {"0xFFFF", 0xFFFF, "-1"},
        {"", -1, ""}, {"1e3", -1, ""}};
    // clang-format on
    for (const auto& c : cases) {
        TMeterContext context{};
        context[6] = 0x12;
        try {
            StoreContextWord(context, 6, QString::fromLatin1(c.text));
            EXPECT_EQ(ContextWordText(context, 6), QString::fromLatin1(c.shown)) << c.text;
        } catch (const platform::EConvertError& error) {
            EXPECT_EQ(error.Message(), QStringLiteral("''%1'' は整数ではありません").arg(c.text));
        }
        EXPECT_EQ(context[6] << 8 | context[7], c.word < 0 ? 0x1200 : c.word) << c.text;
    }
}

TEST(ConfigFiles, AFirstRunWritesAZeroContextAndTheProgramFolder)
{
    QTemporaryDir folder;
    const QString appDir = folder.path() + QLatin1Char('/');
    const QString baseName = appDir + QStringLiteral("ZOLT");
    const QString fileName = appDir + QStringLiteral("ZOLT.ZLC");
    TAppConfig image{};
    TMeterContext context{};
    QString dialogFolder = appDir;
    EXPECT_FALSE(LoadAppConfigImage(baseName, image, context, dialogFolder));
    EXPECT_EQ(dialogFolder, appDir);
    SaveAppConfigImage(baseName, image, context, dialogFolder);
    const QByteArray folderBytes = QFile::encodeName(appDir);
    EXPECT_EQ(ReadAll(fileName),
              QByteArray(72, '\0') + folderBytes + QByteArray(256 - folderBytes.size(), '\0'));
}

TEST(ConfigNames, ExtensionFolderFieldAndProgramFolder)
{
    const std::pair<const char*, const char*> extensions[] = {
        {"/a/b.txt", "/a/b.ZLC"}, {"/a.d/b", "/a.d/b.ZLC"}, {"/a/b.tar.gz", "/a/b.tar.ZLC"}};
    for (const auto& [name, withExtension] : extensions)
        EXPECT_EQ(WithConfigExtension(QString::fromLatin1(name)), QLatin1String(withExtension));

    // Cut after the last whole character within 255 bytes; what the code page cannot hold falls
    // back to the nearest folder it can.
    const QString kanji(127, QChar(0x6F22));  // 254 bytes
    const std::pair<QString, std::size_t> lengths[] = {{kanji + QStringLiteral("a"), 255},
                                                       {kanji + QChar(0x6F22), 254}};
    for (const auto& [folder, bytes] : lengths)
        EXPECT_EQ(AppConfigFolderBytes(folder).size(), bytes);
    EXPECT_EQ(AppConfigFolderBytes(QStringLiteral("/home/a/한/é")), "/home/a/");

    // One delimiter at the end, also after a byte that leads a double-byte character.
    const std::pair<std::string, std::string> folders[] = {
        {"/opt/zolt", "/opt/zolt/"}, {"/opt/zolt/", "/opt/zolt/"}, {"/opt/\x95", "/opt/\x95/"}};
    for (const auto& [path, withDelimiter] : folders)
        EXPECT_EQ(IncludeTrailingDelimiter(path), withDelimiter) << path;
}

}  // namespace
