// Code page 932 text, whole numbers typed by the user, and file dialog filters.
#include <gtest/gtest.h>

#include <QStringDecoder>
#include <QStringEncoder>

#include "platform/Cp932.h"
#include "platform/Exceptions.h"
#include "platform/FileDialog.h"
#include "tests/support/BoxRecorder.h"
#include "tests/support/QStringPrinter.h"

using namespace platform;

TEST(Cp932, EveryByteAndCharacterConvertsAsTheCodePageConverterDoes)
{
    // Printable ASCII takes a short cut; everything else, control bytes included, must come out
    // exactly as the converter makes it.
    QStringDecoder decoder("windows-31j");
    QStringEncoder encoder("windows-31j");
    for (int b = 0; b < 256; ++b) {
        const std::string bytes = std::string("x") + char(b) + "7";
        EXPECT_EQ(FromCp932(bytes), decoder.decode(QByteArrayView(bytes.data(), 3))) << b;
        decoder.resetState();
        // A lead byte takes the next byte, a 0x5C too, into its character.
        EXPECT_EQ(IsCp932LeadByte(static_cast<unsigned char>(b)),
                  FromCp932({char(b), '\x5C'}).size() == 1)
            << b;
    }
    for (char16_t c = 0; c < 0x100; ++c) {
        const QString text = QStringLiteral("x") + QChar(c) + QStringLiteral("7");
        const QByteArray expected = encoder.encode(text);
        encoder.resetState();
        EXPECT_EQ(ToCp932(text), expected.toStdString()) << int(c);
    }
    EXPECT_EQ(ToCp932(QStringLiteral("[ﾟc]")), std::string("[\xDF") + "c]");
    const QString japanese = QStringLiteral("受信バッファオーバーフロー");
    EXPECT_EQ(ToCp932(japanese).size(), std::size_t(2 * japanese.size()));
    EXPECT_EQ(FromCp932(ToCp932(japanese)), japanese);
    // A lead byte whose trail byte is missing does not take the text's end with it.
    EXPECT_TRUE(FromCp932(std::string("A\x82", 2)).startsWith(u'A'));
}

TEST(StrToInt, TakesWholeNumbersOfThirtyTwoBitsAndRefusesTheRestInAnErrorBox)
{
    const std::pair<const char*, int> numbers[] = {{"-1", -1},   {"+42", 42},
                                                   {"  7", 7},   {"2147483647", INT32_MAX},
                                                   {"$FF", 255}, {"-2147483648", INT32_MIN}};
    for (const auto& [text, value] : numbers)
        EXPECT_EQ(StrToInt(QString::fromLatin1(text)), value) << text;

    testing_support::BoxRecorder boxes;
    std::vector<QString> expected;
    for (const char* text : {"", "abc", "12 ", "1.5", "2147483648", "-", "12a"}) {
        const QString wrong = QString::fromLatin1(text);
        Guarded([&] { ADD_FAILURE() << "accepted " << text << " as " << StrToInt(wrong); });
        expected.push_back(QStringLiteral("''%1'' は整数ではありません").arg(wrong));
    }
    EXPECT_EQ(boxes.Texts(), expected);
    EXPECT_EQ(boxes.Boxes().back().icon, BoxIcon::Error);
    EXPECT_EQ(boxes.Boxes().back().buttons, BoxButtons::Ok);
}

TEST(FileDialog, FiltersBecomeQtNameFilters)
{
    const std::pair<const char*, const char*> filters[] = {
        {"MOTファイル(*.mot)|*.mot", "MOTファイル(*.mot) (*.mot)"},
        {"すべてのファイル (*.*)|*.*", "すべてのファイル (*.*) (*)"},
        {"A|*.a;*.b|B|*.c", "A (*.a *.b);;B (*.c)"},
        {"", ""}};
    for (const auto& [ours, qts] : filters)
        EXPECT_EQ(QtNameFilters(QString::fromUtf8(ours)), QString::fromUtf8(qts));
}
