#include "link/PortOpenFailure.h"

#include <cerrno>

namespace {

// Debian gives its serial devices to this group; membership is what lets a user open them.
constexpr char SerialPortGroup[] = "dialout";

}  // namespace

QString PortOpenFailureText(const QString& PortName, const ECommError& Error)
{
    QString why;
    switch (Error.SystemError()) {
    case EBUSY: why = QStringLiteral("他のプログラムが使用中です (%1)").arg(Error.Message()); break;
    case EACCES:
    case EPERM:
        why = QStringLiteral("アクセスが拒否されました (%1)\n\r"
                             "シリアルポートは %2 グループのユーザーが使えます")
                  .arg(Error.Message(), QLatin1String(SerialPortGroup));
        break;
    default: why = Error.Message(); break;
    }
    return QStringLiteral("通信ポート %1 を開けません\n\r%2").arg(PortName, why);
}
