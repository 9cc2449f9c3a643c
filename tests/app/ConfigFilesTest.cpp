#include <gtest/gtest.h>

#include <cstring>
#include <QFile>
#include <QTemporaryDir>
#include <unistd.h>

#include "app/ConfigFiles.h"
#include "platform/Cp932.h"
#include "tests/support/FileBytes.h"

using testing_support::ReadAll;
using testing_support::WriteAll;

namespace {

QByteArray Bytes(const TAppConfig& image)
{
    return QByteArray(reinterpret_cast<const char*>(image.data()), AppConfigSize);
}

class ConfigFiles : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QString appDir = folder.path() + QLatin1Char('/');
    QString baseName = appDir + QStringLiteral("ZOLT");
    QString fileName = appDir + QStringLiteral("ZOLT.ZLC");
};

}  // namespace

TEST(ConfigExtension, ReplacesTheLastExtensionOfTheFileNameOrAppendsOne)
{
    EXPECT_EQ(WithConfigExtension(QStringLiteral("/a/b.txt")), QStringLiteral("/a/b.ZLC"));
    EXPECT_EQ(WithConfigExtension(QStringLiteral("/a/b")), QStringLiteral("/a/b.ZLC"));
    EXPECT_EQ(WithConfigExtension(QStringLiteral("/a/b.ZLC")), QStringLiteral("/a/b.ZLC"));
    EXPECT_EQ(WithConfigExtension(QStringLiteral("/a/b.tar.gz")), QStringLiteral("/a/b.tar.ZLC"));
    // A dot in a folder's name is not the file's extension.
    EXPECT_EQ(WithConfigExtension(QStringLiteral("/a.d/b")), QStringLiteral("/a.d/b.ZLC"));
}

TEST_F(ConfigFiles, AFirstRunReadsNothingAndWritesAZeroContextWithTheProgramFolder)
{
    TAppConfig image{};
    TMeterContext context{};
    QString dialogFolder = appDir;
    EXPECT_FALSE(LoadAppConfigImage(baseName, image, context, dialogFolder));
    EXPECT_EQ(dialogFolder, appDir);
    EXPECT_EQ(image, TAppConfig{});

    SaveAppConfigImage(baseName, image, context, dialogFolder);
    const QByteArray bytes = ReadAll(fileName);
    ASSERT_EQ(bytes.size(), 328);
    EXPECT_EQ(bytes.left(72), QByteArray(72, '\0'));
    const QByteArray folderBytes = QFile::encodeName(appDir);
    EXPECT_EQ(bytes.mid(72, folderBytes.size()), folderBytes);
    EXPECT_EQ(bytes[72 + folderBytes.size()], '\0');
}

TEST_F(ConfigFiles, AFileComesBackByteForByteThroughLoadAndSave)
{
    QByteArray original(328, '\0');
    for (int i = 0; i < 72; ++i)
        original[i] = char(i * 5 + 1);
    const std::string folderText = platform::ToCp932(QStringLiteral("/ファーム/fw.mot"));
    std::memcpy(original.data() + 72, folderText.data(), folderText.size());
    // What follows the NUL means nothing, but survives.
    for (int i = 72 + int(folderText.size()) + 1; i < 328; ++i)
        original[i] = char(0xA0 + i % 7);
    WriteAll(fileName, original);

    TAppConfig image{};
    TMeterContext context{};
    QString dialogFolder;
    ASSERT_TRUE(LoadAppConfigImage(baseName, image, context, dialogFolder));
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(context.data()), 72), original.left(72));
    EXPECT_EQ(dialogFolder, QStringLiteral("/ファーム/fw.mot"));

    SaveAppConfigImage(baseName, image, context, dialogFolder);
    EXPECT_EQ(ReadAll(fileName), original);
}

TEST_F(ConfigFiles, AShortFileFillsOnlyTheBytesItHas)
{
    TAppConfig image{};
    image.fill(0x55);
    TMeterContext context{};
    context.fill(0x77);
    QString dialogFolder = QStringLiteral("unchanged");

    WriteAll(fileName, QByteArray(40, '\x11'));
    ASSERT_TRUE(LoadAppConfigImage(baseName, image, context, dialogFolder));
    EXPECT_EQ(Bytes(image), QByteArray(40, '\x11') + QByteArray(288, '\x55'));
    // The image's old bytes 40..71 are the context now, as the file's first 72 bytes would be.
    EXPECT_EQ(context[39], 0x11);
    EXPECT_EQ(context[40], 0x55);
    // No NUL in the whole folder field: all 256 bytes are the folder.
    EXPECT_EQ(dialogFolder.size(), 256);

    TMeterContext fromContextFile{};
    fromContextFile.fill(0x99);
    ASSERT_TRUE(ReadContextFile(fileName, fromContextFile));
    EXPECT_EQ(fromContextFile[39], 0x11);
    EXPECT_EQ(fromContextFile[40], 0x99);
}

TEST_F(ConfigFiles, AMissingFileChangesNothing)
{
    TMeterContext context{};
    context.fill(3);
    EXPECT_FALSE(ReadContextFile(appDir + QStringLiteral("none.ZLC"), context));
    EXPECT_EQ(context[0], 3);
    TAppConfig image{};
    QString dialogFolder = QStringLiteral("kept");
    EXPECT_FALSE(LoadAppConfigImage(appDir + QStringLiteral("none"), image, context, dialogFolder));
    EXPECT_EQ(dialogFolder, QStringLiteral("kept"));
}

TEST_F(ConfigFiles, ContextFilesHoldTheSeventyTwoBytesRaw)
{
    TMeterContext context{};
    for (int i = 0; i < 72; ++i)
        context[i] = std::uint8_t(0xFF - i);
    const QString name = appDir + QStringLiteral("meter.ZLC");
    WriteContextFile(name, context);
    EXPECT_EQ(ReadAll(name), QByteArray(reinterpret_cast<const char*>(context.data()), 72));

    TMeterContext back{};
    ASSERT_TRUE(ReadContextFile(name, back));
    EXPECT_EQ(back, context);
}

TEST_F(ConfigFiles, TheFirmwareFileNameLandsAtByteSeventyTwoFollowedByANul)
{
    TAppConfig image{};
    image.fill(0xEE);
    const QString firmware = appDir + QStringLiteral("新しい/zolt.mot");
    SaveAppConfigImage(baseName, image, TMeterContext{}, firmware);
    const QByteArray bytes = ReadAll(fileName);
    const std::string expected = platform::ToCp932(firmware);
    EXPECT_EQ(bytes.mid(72, int(expected.size())).toStdString(), expected);
    EXPECT_EQ(bytes[72 + int(expected.size())], '\0');
    EXPECT_EQ(bytes[72 + int(expected.size()) + 1], '\xEE');
}

TEST_F(ConfigFiles, AreReplacedByANewFileNeverRewrittenInPlace)
{
    // A second name for the old file: writing in place would change what it shows, a new file
    // renamed over the old name leaves it alone (as a crash before the rename leaves the old
    // file whole).
    WriteAll(fileName, QByteArray(328, 'A'));
    const QString secondName = appDir + QStringLiteral("second name");
    ASSERT_EQ(
        ::link(QFile::encodeName(fileName).constData(), QFile::encodeName(secondName).constData()),
        0);
    TAppConfig image{};
    SaveAppConfigImage(baseName, image, TMeterContext{}, QString());
    WriteContextFile(fileName, TMeterContext{});
    EXPECT_EQ(ReadAll(fileName), QByteArray(72, '\0'));
    EXPECT_EQ(ReadAll(secondName), QByteArray(328, 'A'));
}

TEST(ConfigFolderText, IsCutAfterTheLastWholeCharacterWithinTwoHundredFiftyFiveBytes)
{
    // 127 double-byte characters are 254 bytes; one more ASCII byte fits, a 128th does not.
    const QString kanji(127, QChar(0x6F22));
    EXPECT_EQ(AppConfigFolderBytes(kanji).size(), 254u);
    EXPECT_EQ(AppConfigFolderBytes(kanji + QStringLiteral("a")).size(), 255u);
    EXPECT_EQ(AppConfigFolderBytes(kanji + QChar(0x6F22)).size(), 254u);
    EXPECT_EQ(AppConfigFolderBytes(QStringLiteral("a") + kanji + QChar(0x6F22)).size(), 255u);
    EXPECT_EQ(AppConfigFolderBytes(QString(300, QLatin1Char('x'))).size(), 255u);

    TAppConfig image{};
    image.fill(0xEE);
    StoreAppConfigFolder(image, QStringLiteral("aa") + kanji);
    EXPECT_EQ(image[72 + 254], 0);  // "aa" and 126 characters, then the NUL
    EXPECT_EQ(AppConfigFolder(image), QStringLiteral("aa") + QString(126, QChar(0x6F22)));
}

TEST(ConfigFolderText, ThatTheCodePageCannotHoldFallsBackToTheNearestFolderItCan)
{
    // "é" and "한" have no place in code page 932.
    EXPECT_EQ(AppConfigFolderBytes(QStringLiteral("/home/é/fw.mot")), "/home/");
    EXPECT_EQ(AppConfigFolderBytes(QStringLiteral("/home/a/한/")), "/home/a/");
    EXPECT_EQ(AppConfigFolderBytes(QStringLiteral("é")), "");
    EXPECT_EQ(AppConfigFolderBytes(QStringLiteral("/opt/ゾルト/")),
              platform::ToCp932(QStringLiteral("/opt/ゾルト/")));
}
