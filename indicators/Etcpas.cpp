#include "indicators/Etcpas.h"

#include "platform/Cp932.h"
#include "platform/Exceptions.h"
#include "platform/MessageBox.h"

#include <QString>

namespace {

using Byte = unsigned char;

// The text up to its first NUL: parsers treat a NUL like the end of the text.
std::size_t TextEnd(std::string_view text)
{
    const std::size_t nul = text.find('\0');
    return nul == std::string_view::npos ? text.size() : nul;
}

Byte ByteAt(std::string_view text, std::size_t i, std::size_t end)
{
    return i < end ? Byte(text[i]) : Byte(0);
}

bool IsBlank(Byte b)
{
    return b >= 0x01 && b <= 0x20;
}
bool IsDigit(Byte b)
{
    return b >= '0' && b <= '9';
}
bool IsLetter(Byte b)
{
    return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
}
bool IsKeyStart(Byte b)
{
    return IsLetter(b) || b == '_';
}
bool IsKeyChar(Byte b)
{
    return IsKeyStart(b) || IsDigit(b);
}
bool IsLeadByte(Byte b)
{
    return b >= 0x80;
}

// The text keeps what follows position i (nothing when i is at or past its end).
void ConsumeTo(std::string& text, std::size_t i, std::size_t end)
{
    if (i >= end)
        text.clear();
    else
        text.erase(0, i);
}

std::int32_t Wrap(std::uint32_t value)
{
    return static_cast<std::int32_t>(value);
}

// value * 10 + digit, wrapping at 32 bits as the original arithmetic does.
std::uint32_t AppendDigit(std::uint32_t value, Byte digit)
{
    return value * 10u + (digit - '0');
}

enum class IntSearch { Digits, Closed, End };

// The integer search shared by both GetIntFromLine.
IntSearch ReadIntFromLine(std::string& text, std::int32_t& value)
{
    value = 0;
    const std::size_t end = TextEnd(text);
    bool negative = false;
    std::size_t i = 0;
    for (;; ++i) {
        const Byte b = ByteAt(text, i, end);
        if (IsDigit(b))
            break;
        if (b == 0 || b == '}') {
            ConsumeTo(text, b == '}' ? i + 1 : end, end);
            return b == '}' ? IntSearch::Closed : IntSearch::End;
        }
        if (b == '-')
            negative = true;
        if (IsLeadByte(b)) {
            ++i;  // the number is read from the byte after it, digit or not
            break;
        }
    }
    std::uint32_t number = 0;
    while (IsDigit(ByteAt(text, i, end)))
        number = AppendDigit(number, Byte(text[i++]));
    ConsumeTo(text, i, end);
    value = Wrap(negative ? 0u - number : number);
    return IntSearch::Digits;
}

}  // namespace

std::string IntToStrFP(std::int32_t value, std::int32_t decimals)
{
    const std::string plain = std::to_string(value);
    if (decimals <= 0)
        return plain;
    std::string result;
    std::string_view digits = plain;
    if (digits.front() == '-') {
        result += '-';
        digits.remove_prefix(1);
    }
    const auto places = static_cast<std::size_t>(decimals);
    if (digits.size() <= places) {
        result += "0.";
        result.append(places - digits.size(), '0');
        result += digits;
    } else {
        result += digits.substr(0, digits.size() - places);
        result += '.';
        result += digits.substr(digits.size() - places);
    }
    return result;
}

bool StrToIntFP(std::int32_t& value, const std::string& text, std::int32_t decimals)
{
    if (text.empty())
        return false;
    const auto fail = [&text] {
        platform::MessageBeep();
        platform::ShowMessageBox(
            QStringLiteral("\"%1\"は整数ではありません。").arg(platform::FromCp932(text)),
            QString(), platform::BoxIcon::Error, platform::BoxButtons::Ok);
        return false;
    };
    const std::size_t end = TextEnd(text);
    std::size_t i = 0;
    while (IsBlank(ByteAt(text, i, end)))
        ++i;
    if (i >= end)
        return fail();

    std::uint32_t number = 0;
    value = 0;
    bool negative = false;
    if (text[i] == '-' || text[i] == '+')
        negative = text[i++] == '-';
    bool fraction = false;
    std::int32_t fractionDigits = 0;
    for (; i < end; ++i) {
        const Byte b = Byte(text[i]);
        if (b == '.') {
            if (fraction) {
                value = Wrap(number);  // the digits so far, unscaled
                return fail();
            }
            fraction = true;
        } else if (IsDigit(b)) {
            if (fraction) {
                if (fractionDigits >= decimals)
                    continue;  // beyond the kept places: truncated
                ++fractionDigits;
            }
            number = AppendDigit(number, b);
        } else {
            break;
        }
    }
    number *= static_cast<std::uint32_t>(Sqrxy(10, decimals - fractionDigits));
    value = Wrap(negative ? 0u - number : number);
    return true;
}

std::int32_t Sqrxy(std::int32_t x, std::int32_t y)
{
    // By squaring: the same wrapped product as y plain multiplications, but a huge exponent
    // from a work file (a dial's scale exponent) cannot stall the caller.
    std::uint32_t result = 1;
    std::uint32_t base = static_cast<std::uint32_t>(x);
    for (std::uint32_t rest = y > 0 ? static_cast<std::uint32_t>(y) : 0; rest != 0; rest >>= 1) {
        if (rest & 1u)
            result *= base;
        base *= base;
    }
    return Wrap(result);
}

std::int32_t StrCompTopPart(std::string_view text, std::string_view key)
{
    if (text.size() < key.size() || text.substr(0, key.size()) != key)
        return 0;
    return static_cast<std::int32_t>(key.size());
}

bool GetKeyFromLine(std::string& key, std::string& text)
{
    key.clear();
    if (text.empty())
        return false;
    const std::size_t end = TextEnd(text);
    std::size_t i = 0;
    for (;; ++i) {
        const Byte b = ByteAt(text, i, end);
        if (IsKeyStart(b))
            break;
        if (b == 0 || b == '}') {
            ConsumeTo(text, b == '}' ? i + 1 : end, end);
            return false;
        }
        if (IsLeadByte(b)) {
            ++i;  // a double-byte character: its second byte starts the key, whatever it is
            break;
        }
    }
    const std::size_t start = i;
    while (IsKeyChar(ByteAt(text, i, end)))
        ++i;
    // The byte before the key's end is a lead byte only when the key came out empty behind one:
    // the key would have begun inside a double-byte character.
    if (IsLeadByte(Byte(text[i - 1])))
        throw platform::EPlatformError(QStringLiteral("キーワードに全角文字が含まれています"));
    key.assign(text, start, i - start);
    const Byte next = ByteAt(text, i, end);
    if (next == '}') {
        ConsumeTo(text, i + 1, end);
        return false;
    }
    ConsumeTo(text, i, end);
    return next != 0;
}

std::int32_t GetIntFromLine(std::string& text)
{
    std::int32_t value = 0;
    ReadIntFromLine(text, value);
    return value;
}

bool GetIntFromLine(std::string& text, std::int32_t& value)
{
    return ReadIntFromLine(text, value) == IntSearch::Digits;
}

namespace {

// The bytes between the quote at open and the one at close; the text keeps what follows close.
std::string TakeQuoted(std::string& text, std::size_t open, std::size_t close, std::size_t end)
{
    std::string result = text.substr(open + 1, close - open - 1);
    ConsumeTo(text, close + 1, end);
    return result;
}

}  // namespace

std::string GetStrFromLine(std::string& text)
{
    const std::string_view view = std::string_view(text).substr(0, TextEnd(text));
    const std::size_t open = view.find('"');
    if (open == std::string_view::npos)
        return {};
    // Texts are written unescaped, one property a line with the text last: the text's own
    // quotes all stand before the line's last one.
    const std::string_view line = view.substr(0, view.find_first_of("\r\n", open));
    const std::size_t close = line.rfind('"');
    if (close == open)
        return {};
    return TakeQuoted(text, open, close, view.size());
}

std::string GetListStrFromLine(std::string& text)
{
    const std::string_view view = std::string_view(text).substr(0, TextEnd(text));
    const std::size_t open = view.find('"');
    if (open == std::string_view::npos)
        return {};
    const std::size_t close = view.find('"', open + 1);
    if (close == std::string_view::npos)
        return {};
    return TakeQuoted(text, open, close, view.size());
}

bool CompNextChar(std::string& text, char c)
{
    const std::size_t end = TextEnd(text);
    std::size_t i = 0;
    while (IsBlank(ByteAt(text, i, end)))
        ++i;
    if (i >= end)
        return false;
    if (text[i] == c) {
        ConsumeTo(text, i + 1, end);
        return true;
    }
    ConsumeTo(text, i, end);
    return false;
}

namespace {

bool IsLineEnd(Byte b)
{
    return b == '\r' || b == '\n';
}

// Past the rest of the line and its line end (CR LF counts as one).
void SkipLine(const char*& p)
{
    while (*p != '\0' && !IsLineEnd(Byte(*p)))
        ++p;
    if (*p == '\r')
        ++p;
    if (*p == '\n')
        ++p;
}

}  // namespace

TCfgLineInfo LineSearch(const char*& p, std::string& key, std::int32_t& value, std::string& text)
{
    key.clear();
    text.clear();
    value = 0;
    while (IsBlank(Byte(*p)))
        ++p;
    if (*p == '\0')
        return cliEndOf;
    if (*p == '{' || *p == '}') {
        const bool left = *p++ == '{';
        return left ? cliLeftBracket : cliRightBracket;
    }
    const char* const keyStart = p;
    while (*p != '\0' && *p != '=' && *p != '{' && *p != '}' && !IsLineEnd(Byte(*p)))
        ++p;
    const char* keyEnd = p;
    while (keyEnd > keyStart && IsBlank(Byte(keyEnd[-1])))
        --keyEnd;
    key.assign(keyStart, keyEnd);
    if (*p != '=') {
        if (*p != '{' && *p != '}')
            SkipLine(p);  // a brace stays for the next call
        return cliNone;
    }
    ++p;
    while (*p != '\0' && IsBlank(Byte(*p)) && !IsLineEnd(Byte(*p)))
        ++p;
    if (*p == '"') {
        const char* const start = ++p;
        while (*p != '"') {
            if (Byte(*p) < 0x20) {  // a control byte, a line end or the end of the text
                SkipLine(p);
                return cliError;
            }
            ++p;
        }
        text.assign(start, p);
        ++p;
        SkipLine(p);
        return cliParameter;
    }
    bool negative = false;
    while (*p != '\0' && !IsLineEnd(Byte(*p)) && !IsDigit(Byte(*p))) {
        if (*p == '-')
            negative = true;
        ++p;
    }
    if (!IsDigit(Byte(*p))) {
        SkipLine(p);
        return cliError;
    }
    std::uint32_t number = 0;
    while (IsDigit(Byte(*p)))
        number = AppendDigit(number, Byte(*p++));
    value = Wrap(negative ? 0u - number : number);
    SkipLine(p);
    return cliParameter;
}

bool DecimalStrToInt(const std::string& text, std::int32_t& value)
{
    const std::size_t end = TextEnd(text);
    std::size_t i = 0;
    while (IsBlank(ByteAt(text, i, end)))
        ++i;
    const std::size_t first = i;
    std::uint32_t number = 0;
    while (IsDigit(ByteAt(text, i, end)))
        number = AppendDigit(number, Byte(text[i++]));
    value = Wrap(number);
    const Byte next = ByteAt(text, i, end);
    return i > first && (next == 0 || IsBlank(next) || next == ',');
}

bool GetLineFromText(std::string& line, std::string& text)
{
    line.clear();
    const std::size_t end = TextEnd(text);
    std::size_t i = 0;
    while (i < end && !IsLineEnd(Byte(text[i])))
        ++i;
    if (i >= end)
        return false;
    std::size_t next = i + 1;
    if (next < end && text[next] == '\n')
        ++next;
    if (next >= end)
        return false;
    line.assign(text, 0, i);
    text.erase(0, next);
    return true;
}
