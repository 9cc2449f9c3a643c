#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/MeterContext.h"
#include "platform/Exceptions.h"

namespace {

int Word(const TMeterContext& context, int offset)
{
    return context[offset] << 8 | context[offset + 1];
}

}  // namespace

TEST(ContextFields, CoverEveryWordButTheFourHiddenOnes)
{
    std::set<int> offsets;
    for (const TContextField& field : ContextFieldsInConversionOrder)
        offsets.insert(field.Offset);
    std::set<int> expected;
    for (int offset = 0; offset < MeterContextSize; offset += 2)
        if (offset != 0 && offset != 2 && offset != 30 && offset != 70)
            expected.insert(offset);
    EXPECT_EQ(offsets, expected);
}

TEST(ContextWords, AreStoredHighByteFirstAndShownSigned)
{
    TMeterContext context{};
    StoreContextWord(context, 6, QStringLiteral("500"));
    EXPECT_EQ(context[6], 0x01);
    EXPECT_EQ(context[7], 0xF4);
    StoreContextWord(context, 62, QStringLiteral("3000"));
    EXPECT_EQ(Word(context, 62), 0x0BB8);

    StoreContextWord(context, 8, QStringLiteral("-1"));
    EXPECT_EQ(Word(context, 8), 0xFFFF);
    EXPECT_EQ(ContextWordText(context, 8), QStringLiteral("-1"));

    StoreContextWord(context, 10, QStringLiteral("70000"));
    EXPECT_EQ(Word(context, 10), 4464);
    EXPECT_EQ(ContextWordText(context, 10), QStringLiteral("4464"));

    StoreContextWord(context, 12, QStringLiteral("40000"));
    EXPECT_EQ(context[12], 0x9C);
    EXPECT_EQ(context[13], 0x40);
    EXPECT_EQ(ContextWordText(context, 12), QStringLiteral("-25536"));

    StoreContextWord(context, 14, QStringLiteral("-32768"));
    EXPECT_EQ(ContextWordText(context, 14), QStringLiteral("-32768"));
}

TEST(ContextWords, TakeTheTextFormsOfThePlatformsConversion)
{
    // Blanks before the number, a sign, and "$" or "0x" for hexadecimal; nothing after it.
    TMeterContext context{};
    StoreContextWord(context, 4, QStringLiteral("  +12"));
    EXPECT_EQ(Word(context, 4), 12);
    StoreContextWord(context, 4, QStringLiteral("$1F4"));
    EXPECT_EQ(Word(context, 4), 500);
    StoreContextWord(context, 4, QStringLiteral("0xFFFF"));
    EXPECT_EQ(ContextWordText(context, 4), QStringLiteral("-1"));
    for (const char* text : {"12 ", "", "1e3", "+", "99999999999"})
        EXPECT_THROW(StoreContextWord(context, 4, QString::fromLatin1(text)),
                     platform::EConvertError)
            << text;
    EXPECT_EQ(Word(context, 4), 0xFFFF);
}

TEST(ContextWords, ANonNumberRaisesTheConversionErrorAndStoresNothing)
{
    TMeterContext context{};
    context[6] = 0x12;
    context[7] = 0x34;
    try {
        StoreContextWord(context, 6, QStringLiteral("5OO"));
        FAIL() << "accepted 5OO";
    } catch (const platform::EConvertError& error) {
        EXPECT_EQ(error.Message(), QStringLiteral("''5OO'' は整数ではありません"));
    }
    EXPECT_EQ(Word(context, 6), 0x1234);
}

TEST(ContextConversion, TakesTheEditsInOrderAndStopsAtTheFirstBadOne)
{
    TMeterContext context{};
    context.fill(0xAA);
    // EditTachoPulse (offset 8) comes fifth, after EditLapSensitive (12).
    std::vector<std::string> asked;
    try {
        TextsToContext(context, [&](const TContextField& field) {
            asked.push_back(field.EditName);
            return field.Offset == 8 ? QStringLiteral("x") : QString::number(field.Offset);
        });
        FAIL() << "no conversion error";
    } catch (const platform::EConvertError&) {}
    EXPECT_EQ(asked,
              (std::vector<std::string>{"EditNewFileIntval", "EditTireLength", "EditSpeedPulse",
                                        "EditLapSensitive", "EditTachoPulse"}));
    EXPECT_EQ(Word(context, 4), 4);
    EXPECT_EQ(Word(context, 6), 6);
    EXPECT_EQ(Word(context, 10), 10);
    EXPECT_EQ(Word(context, 12), 12);
    EXPECT_EQ(Word(context, 8), 0xAAAA);   // the bad one
    EXPECT_EQ(Word(context, 62), 0xAAAA);  // after it
    EXPECT_EQ(Word(context, 14), 0xAAAA);
}

TEST(ContextConversion, RoundTripsEveryEditedWordAndKeepsTheHiddenOnes)
{
    TMeterContext context{};
    for (int i = 0; i < MeterContextSize; ++i)
        context[i] = std::uint8_t(i * 7 + 3);
    const TMeterContext before = context;
    std::map<std::string, QString> texts;
    ContextToTexts(context, [&](const TContextField& field, const QString& text) {
        texts[field.EditName] = text;
    });
    ASSERT_EQ(texts.size(), 32u);
    context.fill(0);
    for (int hidden : {0, 2, 30, 70}) {
        context[hidden] = before[hidden];
        context[hidden + 1] = before[hidden + 1];
    }
    TextsToContext(context, [&](const TContextField& field) { return texts[field.EditName]; });
    EXPECT_EQ(context, before);
}
