#include "platform/Exceptions.h"

#include "platform/MessageBox.h"

#include <cstdint>

namespace platform {

EPlatformError::EPlatformError(const QString& message)
    : std::runtime_error(message.toStdString()), message_(message)
{}

int StrToInt(const QString& text)
{
    const auto fail = [&text]() -> int {
        throw EConvertError(QStringLiteral("''%1'' は整数ではありません").arg(text));
    };
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        negative = text[i++] == QLatin1Char('-');
    int base = 10;
    if (i < text.size() && text[i] == QLatin1Char('$')) {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == QLatin1Char('0') &&
               (text[i + 1] == QLatin1Char('x') || text[i + 1] == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    if (i >= text.size())
        return fail();
    long long value = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        int d = -1;
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            d = c.unicode() - '0';
        else if (base == 16 && c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f'))
            d = c.toLower().unicode() - 'a' + 10;
        if (d < 0)
            return fail();
        value = value * base + d;
        if (value > 0xFFFFFFFFLL)
            return fail();
    }
    if (base == 10) {
        const long long signedValue = negative ? -value : value;
        if (signedValue < INT32_MIN || signedValue > INT32_MAX)
            return fail();
        return int(signedValue);
    }
    // Hexadecimal text names the 32-bit pattern.
    const auto pattern = static_cast<unsigned int>(value);
    return negative ? -static_cast<int>(pattern) : static_cast<int>(pattern);
}

void ShowException(const std::exception& error)
{
    const auto* platformError = dynamic_cast<const EPlatformError*>(&error);
    const QString message =
        platformError ? platformError->Message() : QString::fromLocal8Bit(error.what());
    ShowMessageBox(message, QString(), BoxIcon::Error, BoxButtons::Ok);
}

}  // namespace platform
