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

QString Cp932Unholdable(const QString& text)
{
    QString missing;
    // Whether a character comes back from its bytes, rather than the converter's error flag,
    // which outlives the character that raised it.
    QStringEncoder encoder("windows-31j");
    QStringDecoder decoder("windows-31j");
    for (qsizetype at = 0; at < text.size();) {
        // A character beyond the basic plane is a surrogate pair, and is named whole.
        const qsizetype length =
            text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate() ? 2
                                                                                                : 1;
        const QString character = text.mid(at, length);
        at += length;
        if (length == 1 && PrintableAscii(character[0].unicode()))
            continue;
        const QByteArray bytes = encoder.encode(character);
        const QString back = decoder.decode(bytes);
        if (back != character && !missing.contains(character))
            missing += character;
    }
    return missing;
}

}  // namespace platform
