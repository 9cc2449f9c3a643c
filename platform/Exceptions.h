#pragma once
// The platform's exceptions and its default error handler. An exception that leaves an event
// handler uncaught is shown by the default handler (a box with its message and an OK button)
// and the operation it interrupted ends there.
#include <exception>
#include <QString>
#include <stdexcept>

namespace platform {

// The platform's general exception; its message is UTF-16 text.
class EPlatformError : public std::runtime_error {
public:
    explicit EPlatformError(const QString& message);
    const QString& Message() const { return message_; }

private:
    QString message_;
};

// Raised by the platform's string-to-integer conversion.
class EConvertError : public EPlatformError {
public:
    using EPlatformError::EPlatformError;
};

// The platform's string-to-integer conversion: optional blanks before an optional sign and
// decimal digits (or "$" / "0x" followed by hexadecimal digits) that fit in 32 bits, nothing
// behind them. Anything else raises EConvertError with "''<text>'' は整数ではありません".
int StrToInt(const QString& text);

// The default error handler: shows the exception's message in an error box with OK.
void ShowException(const std::exception& error);

// Runs an event handler the way the platform's message loop does: an exception that escapes it
// goes to the default error handler instead of unwinding through the toolkit.
template <class Handler>
void Guarded(Handler&& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        ShowException(error);
    }
}

}  // namespace platform
