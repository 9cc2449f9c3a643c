#include "platform/Cp932.h"

#include <algorithm>
#include <QStringDecoder>
#include <QStringEncoder>

namespace platform {

namespace {

// Printable ASCII is the same in both encodings; the converter (slow to create) is needed only
// for the rest, which includes control bytes the code page maps elsewhere (0x1A, 0x1C, 0x7F).
bool PrintableAscii(char16_t c)
{
    return c >= 0x20 && c <= 0x7E;
}

}  // namespace

QString FromCp932(const std::string& bytes)
{
    const auto printable = [](char b) { return PrintableAscii(static_cast<unsigned char>(b)); };
    if (std::all_of(bytes.begin(), bytes.end(), printable))
        return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
    QStringDecoder decoder("windows-31j");
    return decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

std::string ToCp932(const QString& text)
{
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return PrintableAscii(c.unicode()); }))
        return text.toStdString();
    QStringEncoder encoder("windows-31j");
    const QByteArray bytes = encoder.encode(text);
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

}  // namespace platform
