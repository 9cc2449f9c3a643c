// The settings record's words, the context and configuration files, and the program folder.
#include <gtest/gtest.h>

#include <cstring>
#include <QFile>
#include <QTemporaryDir>
#include <set>

#include "app/AppDir.h"
#include "app/ConfigFiles.h"
#include "platform/Cp932.h"
#include "platform/Exceptions.h"
#include "tests/support/FileBytes.h"

using testing_support::ReadAll;
using testing_support::WriteAll;

namespace {

int Word(const TMeterContext& context, int offset)
{
    return context[offset] << 8 | context[offset + 1];
}

TEST(ContextWords, CoverAllButTheHiddenWordsAndKeepTheTextFormsOfTheConversion)
{
    std::set<int> offsets;
    for (const TContextField& field : ContextFieldsInConversionOrder)
        offsets.insert(field.Offset);
    for (int offset = 0; offset < MeterContextSize; offset += 2) {
        const bool hidden = offset == 0 || offset == 2 || offset == 30 || offset == 70;
        EXPECT_EQ(offsets.count(offset), hidden ? 0u : 1u) << offset;
    }

    // Stored high byte first, shown signed; blanks, a sign, "$" or "0x", nothing after.
    const struct {
        const char* text;
        int word;
        const char* shown;
    } cases[] = {{"500", 0x01F4, "500"},      {"-1", 0xFFFF, "-1"},         {"70000", 4464, "4464"},
                 {"40000", 0x9C40, "-25536"}, {"-32768", 0x8000, "-32768"}, {"  +12", 12, "12"},
                 {"$1F4", 500, "500"},        {"0xFFFF", 0xFFFF, "-1"}};
    for (const auto& c : cases) {
        TMeterContext context{};
        StoreContextWord(context, 6, QString::fromLatin1(c.text));
        EXPECT_EQ(Word(context, 6), c.word) << c.text;
        EXPECT_EQ(ContextWordText(context, 6), QString::fromLatin1(c.shown)) << c.text;
    }
    TMeterContext context{};
    context[6] = 0x12;
    for (const char* text : {"12 ", "", "1e3", "+", "99999999999"})
        EXPECT_THROW(StoreContextWord(context, 6, QString::fromLatin1(text)),
                     platform::EConvertError)
            << text;
    EXPECT_EQ(Word(context, 6), 0x1200);
    try {
        StoreContextWord(context, 6, QStringLiteral("5OO"));
        ADD_FAILURE() << "accepted 5OO";
    } catch (const platform::EConvertError& error) {
        EXPECT_EQ(error.Message(), QStringLiteral("''5OO'' は整数ではありません"));
    }
}

TEST(ContextWords, AreTakenInTheEditsOrderUpToTheFirstBadOne)
{
    TMeterContext context{};
    context.fill(0xAA);
    std::vector<std::string> asked;
    EXPECT_THROW(TextsToContext(context,
                                [&](const TContextField& field) {
                                    asked.push_back(field.EditName);
                                    return field.Offset == 8 ? QStringLiteral("x")
                                                             : QString::number(field.Offset);
                                }),
                 platform::EConvertError);
    EXPECT_EQ(asked,
              (std::vector<std::string>{"EditNewFileIntval", "EditTireLength", "EditSpeedPulse",
                                        "EditLapSensitive", "EditTachoPulse"}));
    EXPECT_EQ(Word(context, 12), 12);
    EXPECT_EQ(Word(context, 8), 0xAAAA);   // the bad one
    EXPECT_EQ(Word(context, 62), 0xAAAA);  // after it
}

class ConfigFiles : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QString appDir = folder.path() + QLatin1Char('/');
    QString baseName = appDir + QStringLiteral("ZOLT");
    QString fileName = appDir + QStringLiteral("ZOLT.ZLC");
};

TEST_F(ConfigFiles, AFirstRunWritesAZeroContextAndTheProgramFolder)
{
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

TEST_F(ConfigFiles, ComeBackByteForByteAndAShortOneFillsOnlyTheBytesItHas)
{
    QByteArray original(328, '\0');
    for (int i = 0; i < 328; ++i)
        original[i] = char(i * 5 + 1);
    const std::string folderText = platform::ToCp932(QStringLiteral("/ファーム/fw.mot"));
    std::memcpy(original.data() + 72, folderText.c_str(), folderText.size() + 1);
    WriteAll(fileName, original);
    TAppConfig image{};
    TMeterContext context{};
    QString dialogFolder;
    ASSERT_TRUE(LoadAppConfigImage(baseName, image, context, dialogFolder));
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(context.data()), 72), original.left(72));
    EXPECT_EQ(dialogFolder, QStringLiteral("/ファーム/fw.mot"));
    SaveAppConfigImage(baseName, image, context, dialogFolder);
    EXPECT_EQ(ReadAll(fileName), original);

    image.fill(0x55);
    context.fill(0x77);
    WriteAll(fileName, QByteArray(40, '\x11'));
    ASSERT_TRUE(LoadAppConfigImage(baseName, image, context, dialogFolder));
    EXPECT_EQ(context[39], 0x11);
    EXPECT_EQ(context[40], 0x55);         // the image's old byte
    EXPECT_EQ(dialogFolder.size(), 256);  // no NUL in the whole field
    TMeterContext fromContextFile{};
    ASSERT_TRUE(ReadContextFile(fileName, fromContextFile));
    EXPECT_EQ(fromContextFile[39], 0x11);
    EXPECT_EQ(fromContextFile[40], 0x00);
    EXPECT_FALSE(ReadContextFile(appDir + QStringLiteral("none.ZLC"), fromContextFile));
}

TEST_F(ConfigFiles, ContextFilesAreTheSeventyTwoBytesRaw)
{
    TMeterContext context{};
    for (int i = 0; i < 72; ++i)
        context[i] = std::uint8_t(0xFF - i);
    WriteContextFile(fileName, context);
    EXPECT_EQ(ReadAll(fileName), QByteArray(reinterpret_cast<const char*>(context.data()), 72));
    TMeterContext back{};
    ASSERT_TRUE(ReadContextFile(fileName, back));
    EXPECT_EQ(back, context);
}

TEST(ConfigNames, ExtensionFolderFieldAndProgramFolder)
{
    const std::pair<const char*, const char*> extensions[] = {{"/a/b.txt", "/a/b.ZLC"},
                                                              {"/a/b", "/a/b.ZLC"},
                                                              {"/a/b.ZLC", "/a/b.ZLC"},
                                                              {"/a.d/b", "/a.d/b.ZLC"},
                                                              {"/a/b.tar.gz", "/a/b.tar.ZLC"}};
    for (const auto& [name, withExtension] : extensions)
        EXPECT_EQ(WithConfigExtension(QString::fromLatin1(name)), QLatin1String(withExtension));

    // Cut after the last whole character within 255 bytes; what the code page cannot hold falls
    // back to the nearest folder it can.
    const QString kanji(127, QChar(0x6F22));  // 254 bytes
    const std::pair<QString, std::size_t> lengths[] = {
        {kanji + QStringLiteral("a"), 255},
        {kanji + QChar(0x6F22), 254},
        {QStringLiteral("a") + kanji + QChar(0x6F22), 255},
        {QString(300, QLatin1Char('x')), 255}};
    for (const auto& [folder, bytes] : lengths)
        EXPECT_EQ(AppConfigFolderBytes(folder).size(), bytes);
    EXPECT_EQ(AppConfigFolderBytes(QStringLiteral("/home/a/한/é")), "/home/a/");
    EXPECT_EQ(AppConfigFolderBytes(QStringLiteral("é")), "");
    TAppConfig image{};
    image.fill(0xEE);
    StoreAppConfigFolder(image, QStringLiteral("aa") + kanji);
    EXPECT_EQ(image[72 + 254], 0);
    EXPECT_EQ(AppConfigFolder(image), QStringLiteral("aa") + QString(126, QChar(0x6F22)));

    // One delimiter at the end; "表" (0x95 0x5C) ends in the backslash's byte but is no delimiter.
    const std::pair<std::string, std::string> folders[] = {{"/opt/zolt", "/opt/zolt/"},
                                                           {"/opt/zolt/", "/opt/zolt/"},
                                                           {"", "/"},
                                                           {"/opt/\x95", "/opt/\x95/"},
                                                           {"/opt/\xB1/", "/opt/\xB1/"}};
    for (const auto& [path, withDelimiter] : folders)
        EXPECT_EQ(IncludeTrailingDelimiter(path), withDelimiter) << path;
    EXPECT_EQ(IncludeTrailingDelimiter("C:\\\x95\x5C", '\\'), "C:\\\x95\x5C\\");
    EXPECT_EQ(IncludeTrailingDelimiter("C:\\\x95\x5C\\", '\\'), "C:\\\x95\x5C\\");
}

}  // namespace
