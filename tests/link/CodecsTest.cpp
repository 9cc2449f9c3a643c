#include "link/Codecs.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "platform/Exceptions.h"

namespace {

// Runs a writer on a buffer filled with '#' and answers what it wrote; the '#' behind it shows
// that nothing more (no NUL) was written.
template <class Writer>
std::string Written(Writer write)
{
    std::array<char, 64> buffer;
    buffer.fill('#');
    char* out = buffer.data();
    write(out);
    EXPECT_EQ(*out, '#');
    return std::string(buffer.data(), out);
}

}  // namespace

TEST(HexWriters, WriteUpperCasePairsAndAdvanceWithoutANul)
{
    const std::uint8_t bytes[] = {0x00, 0xAB, 0xFF};
    EXPECT_EQ(Written([&](char*& out) { AppendHexBytes(out, bytes, 3); }), "00ABFF");
    EXPECT_EQ(Written([&](char*& out) { AppendHexBytes(out, bytes, 0); }), "");
    EXPECT_EQ(Written([&](char*& out) { AppendHexBytes(out, bytes, -2); }), "");
    EXPECT_EQ(Written([](char*& out) { AppendHexByte(out, 0x5C); }), "5C");
    EXPECT_EQ(Written([](char*& out) { AppendText(out, "@SET_DATETIME("); }), "@SET_DATETIME(");
    EXPECT_EQ(Written([](char*& out) {
                  AppendText(out, "@SET_SYS(");
                  AppendHexByte(out, 0x0A);
                  AppendText(out, ")");
              }),
              "@SET_SYS(0A)");
}

TEST(PutHex, WritesTheLowDigitsOfTheValue)
{
    EXPECT_EQ(Written([](char*& out) { PutHex(out, 0x12345, 3); }), "012345");
    EXPECT_EQ(Written([](char*& out) { PutHex(out, 0x12345, 2); }), "2345");
    EXPECT_EQ(Written([](char*& out) { PutHex(out, 0xabcdef01, 4); }), "ABCDEF01");
    EXPECT_EQ(Written([](char*& out) { PutHex(out, 0xFF, 1); }), "FF");
    EXPECT_EQ(Written([](char*& out) { PutHex(out, 0xFF, 0); }), "");
    EXPECT_EQ(Written([](char*& out) { PutHex(out, 0x1234, 5); }), "0000001234");
}

TEST(ParseHexBytes, KeepsTheCompletePairsBeforeTheFirstBadCharacter)
{
    EXPECT_EQ(ParseHexBytes("01FF", 2), 0x01FFu);
    EXPECT_EQ(ParseHexBytes("0BB8FF38", 2), 0x0BB8u);
    EXPECT_EQ(ParseHexBytes("0G12", 2), 0u);
    EXPECT_EQ(ParseHexBytes("12G4", 2), 0x12u);  // a bad second character drops its pair
    EXPECT_EQ(ParseHexBytes("123", 2), 0x12u);   // the end too
    EXPECT_EQ(ParseHexBytes("00ff", 2), 0u);     // lower case is no digit here
    EXPECT_EQ(ParseHexBytes("AB\xC1"
                            "1",
                            2),
              0xABu);
    EXPECT_EQ(ParseHexBytes("FFFF", 0), 0u);
    EXPECT_EQ(ParseHexBytes("FFFF", -1), 0u);
    EXPECT_EQ(ParseHexBytes("0102030405", 5), 0x02030405u);  // only the last four pairs stay
    EXPECT_EQ(ParseHexBytes(std::string_view("12\0"
                                             "34",
                                             5),
                            2),
              0x12u);
    // The view's end is the end, whatever lies behind it in memory.
    EXPECT_EQ(ParseHexBytes(std::string_view("123456", 3), 3), 0x12u);
}

TEST(DecodeHexBlock, StopsAtTheFirstBadPairWithTheBytesBeforeItStored)
{
    std::array<std::uint8_t, 4> out{0xEE, 0xEE, 0xEE, 0xEE};
    EXPECT_FALSE(DecodeHexBlock(out.data(), "0102", 0));
    EXPECT_EQ(out[0], 0xEE);

    EXPECT_TRUE(DecodeHexBlock(out.data(), "A0B1C2D3trailing", 4));
    EXPECT_EQ(out, (std::array<std::uint8_t, 4>{0xA0, 0xB1, 0xC2, 0xD3}));

    out.fill(0xEE);
    EXPECT_FALSE(DecodeHexBlock(out.data(), "0102x304", 4));  // bad character in pair 3
    EXPECT_EQ(out, (std::array<std::uint8_t, 4>{0x01, 0x02, 0xEE, 0xEE}));

    out.fill(0xEE);
    EXPECT_FALSE(DecodeHexBlock(out.data(), "0102a3", 3));  // lower case is no digit here
    EXPECT_EQ(out[2], 0xEE);

    out.fill(0xEE);
    EXPECT_FALSE(DecodeHexBlock(out.data(), "010203", 4));  // the text ends before pair 4
    EXPECT_EQ(out, (std::array<std::uint8_t, 4>{0x01, 0x02, 0x03, 0xEE}));
}

TEST(DecodeHexBlock, DecodesTheWholeSettingsRecord)
{
    std::array<std::uint8_t, 72> record;
    for (std::size_t i = 0; i < record.size(); ++i)
        record[i] = static_cast<std::uint8_t>(i * 37);
    std::array<char, 145> text{};
    char* out = text.data();
    AppendHexBytes(out, record.data(), 72);
    EXPECT_EQ(out - text.data(), 144);
    std::array<std::uint8_t, 72> back{};
    EXPECT_TRUE(DecodeHexBlock(back.data(), text.data(), 72));
    EXPECT_EQ(back, record);
    EXPECT_FALSE(DecodeHexBlock(back.data(), std::string_view(text.data(), 143), 72));
}

TEST(ParseHex, TakesEitherCaseIntoTheLowBytesOfTheValue)
{
    std::uint32_t value = 0;
    EXPECT_TRUE(ParseHex(value, "00ff", 2));
    EXPECT_EQ(value, 0x00FFu);

    value = 0;
    EXPECT_TRUE(ParseHex(value, "01A2b3", 3));
    EXPECT_EQ(value, 0x01A2B3u);

    value = 0xAABBCCDD;  // bytes above the n-th are the caller's
    EXPECT_TRUE(ParseHex(value, "1234", 2));
    EXPECT_EQ(value, 0xAABB1234u);

    value = 0;
    EXPECT_FALSE(ParseHex(value, "12G4", 2));
    EXPECT_EQ(value, 0x1200u);  // the first pair is already in its place

    value = 0;
    EXPECT_FALSE(ParseHex(value, "123", 2));
    EXPECT_EQ(value, 0x1200u);

    value = 7;
    EXPECT_TRUE(ParseHex(value, "", 0));
    EXPECT_EQ(value, 7u);

    value = 0;  // pairs beyond four bytes have no place: the last four stay
    EXPECT_TRUE(ParseHex(value, "0102030405", 5));
    EXPECT_EQ(value, 0x02030405u);
}

TEST(ByteToBcd, PacksTensAndUnits)
{
    EXPECT_EQ(ByteToBcd(0), 0x00);
    EXPECT_EQ(ByteToBcd(9), 0x09);
    EXPECT_EQ(ByteToBcd(10), 0x10);
    EXPECT_EQ(ByteToBcd(59), 0x59);
    EXPECT_EQ(ByteToBcd(99), 0x99);
    for (int v = 0; v <= 99; ++v)
        EXPECT_EQ(ByteToBcd(std::uint8_t(v)), ((v / 10) << 4) | (v % 10)) << v;
}

namespace {

// A settings word as the settings window reads it from the record: two bytes in memory.
std::uint16_t StoredWord(std::uint8_t first, std::uint8_t second)
{
    const std::uint8_t bytes[2] = {first, second};
    std::uint16_t word;
    std::memcpy(&word, bytes, 2);
    return word;
}

std::array<std::uint8_t, 2> StoredBytes(std::int16_t word)
{
    std::array<std::uint8_t, 2> bytes;
    std::memcpy(bytes.data(), &word, 2);
    return bytes;
}

}  // namespace

TEST(ContextWords, ReadBigEndianAndSigned)
{
    EXPECT_EQ(Swap16(0x1234), 0x3412);
    EXPECT_EQ(ContextWordToText(StoredWord(0x01, 0x2C)), QStringLiteral("300"));
    EXPECT_EQ(ContextWordToText(StoredWord(0xFF, 0xFE)), QStringLiteral("-2"));
    EXPECT_EQ(ContextWordToText(StoredWord(0x80, 0x00)), QStringLiteral("-32768"));
    EXPECT_EQ(ContextWordToText(StoredWord(0x00, 0x00)), QStringLiteral("0"));
}

TEST(ContextWords, StoreTheLowSixteenBitsBigEndian)
{
    using Bytes = std::array<std::uint8_t, 2>;
    EXPECT_EQ(StoredBytes(TextToContextWord(QStringLiteral("300"))), (Bytes{0x01, 0x2C}));
    EXPECT_EQ(StoredBytes(TextToContextWord(QStringLiteral("65535"))), (Bytes{0xFF, 0xFF}));
    EXPECT_EQ(StoredBytes(TextToContextWord(QStringLiteral("-1"))), (Bytes{0xFF, 0xFF}));
    EXPECT_EQ(StoredBytes(TextToContextWord(QStringLiteral("65836"))), (Bytes{0x01, 0x2C}));
    for (const char* text : {"-32768", "-2", "0", "32767"}) {
        const QString t = QString::fromLatin1(text);
        const std::int16_t word = TextToContextWord(t);
        EXPECT_EQ(ContextWordToText(static_cast<std::uint16_t>(word)), t);
    }
}

TEST(ContextWords, ANonNumericTextRaisesTheConversionError)
{
    for (const char* text : {"", "12a", "1.5", " "})
        EXPECT_THROW(TextToContextWord(QString::fromLatin1(text)), platform::EConvertError) << text;
}

TEST(ReadDecimalDigits, ReadsUnvalidatedDigitsAndAdvances)
{
    std::string_view text = "3612x";
    EXPECT_EQ(ReadDecimalDigits(text, 2), 36u);
    EXPECT_EQ(text, "12x");
    EXPECT_EQ(ReadDecimalDigits(text, 0), 0u);
    EXPECT_EQ(ReadDecimalDigits(text, 1), 1u);
    text = "1";  // what the text lacks counts as "0"
    EXPECT_EQ(ReadDecimalDigits(text, 3), 100u);
    EXPECT_EQ(text, "");
}

TEST(FormatDeviceDateTime, LaysTheFieldsOutFromTheFirstDigit)
{
    EXPECT_EQ(FormatDeviceDateTime("@GET_DATETIME=56341202151236"), "2016/12/15-12:34:56");
    EXPECT_EQ(FormatDeviceDateTime("=07451306170936"), "2016/09/17-13:45:07");
    EXPECT_EQ(FormatDeviceDateTime("00000001010100"), "1980/01/01-00:00:00");
    EXPECT_EQ(FormatDeviceDateTime("59595906311299xyz"), "2079/12/31-59:59:59");
}

TEST(FormatDeviceDateTime, AShortOrDigitFreeReplyReadsNothingBeyondItsEnd)
{
    EXPECT_EQ(FormatDeviceDateTime("=5634"), "1980/00/00-00:34:56");
    EXPECT_EQ(FormatDeviceDateTime("@GET_DATETIME="), "1980/00/00-00:00:00");
    EXPECT_EQ(FormatDeviceDateTime(""), "1980/00/00-00:00:00");
    EXPECT_EQ(FormatDeviceDateTime(std::string_view("56341202151236", 4)), "1980/00/00-00:34:56");
}

TEST(NextNameToken, SplitsAListIntoNames)
{
    std::string_view text = "=TACHO,SPEED";
    char name[256] = "unchanged";
    EXPECT_EQ(NextNameToken(text, name), 5);
    EXPECT_STREQ(name, "TACHO");
    EXPECT_EQ(text, ",SPEED");
    EXPECT_EQ(NextNameToken(text, name), 5);
    EXPECT_STREQ(name, "SPEED");
    EXPECT_EQ(NextNameToken(text, name), 0);
    EXPECT_STREQ(name, "SPEED");  // the end leaves name and position alone
    EXPECT_EQ(text, "");
}

TEST(NextNameToken, DigitsBlanksAndHighBytesSeparateLowerCaseZEndsTheList)
{
    std::string_view text = "\x06@GET_KIND=THROT 12\xDF"
                            "Oil_a\x82\xA0[x]^`y\tBREAKzFUEL";
    char name[256];
    std::vector<std::string> names;
    while (NextNameToken(text, name) > 0)
        names.emplace_back(name);
    EXPECT_EQ(names, (std::vector<std::string>{"@GET_KIND", "THROT", "Oil_a", "[x]^`y", "BREAK"}));
    EXPECT_EQ(text, "zFUEL");
    for (const char* ending : {"{A", "|A", "~A",
                               "\x7F"
                               "A"}) {
        std::string_view rest = ending;
        EXPECT_EQ(NextNameToken(rest, name), 0) << ending;
    }
}

TEST(NextNameToken, ALongNameIsCutToTheBufferButPassedOverWhole)
{
    const std::string longName(300, 'A');
    const std::string list = longName + ",FUEL";
    std::string_view text = list;
    char name[256];
    EXPECT_EQ(NextNameToken(text, name), 300);
    EXPECT_EQ(std::strlen(name), 255u);
    EXPECT_EQ(NextNameToken(text, name), 4);
    EXPECT_STREQ(name, "FUEL");
}

TEST(Crc16, MatchesTheXmodemCheckValues)
{
    EXPECT_EQ(Crc16("123456789", 9), 0x31C3);
    EXPECT_EQ(Crc16("abc", 3), 0x9DD6);
    EXPECT_EQ(Crc16("", 0), 0);
    EXPECT_EQ(Crc16(nullptr, 0), 0);
    const std::uint8_t high[] = {0xFF, 0x80, 0x00};
    EXPECT_EQ(Crc16(high, 3), 0xD4FB);  // bytes of 0x80 and above are not sign-extended
}
