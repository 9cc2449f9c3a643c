#include "platform/Cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace platform {

QString FromCp932(const std::string& bytes)
{
    QStringDecoder decoder("windows-31j");
    return decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

std::string ToCp932(const QString& text)
{
    QStringEncoder encoder("windows-31j");
    const QByteArray bytes = encoder.encode(text);
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

}  // namespace platform
