#include "app/KestrelErr.h"

QString KestrelErrMessage(std::int8_t code)
{
    switch (code) {
    case KestrelEnd: return QString();
    case KestrelBadChar: return QStringLiteral("不正文字検出");
    case KestrelBadFormat: return QStringLiteral("不正フォーマット");
    case KestrelCellOverflow: return QStringLiteral("Cellサイズオーバーフロー");
    case KestrelGridZero: return QStringLiteral("グリッドカウントがゼロ");
    case KestrelGridOver: return QStringLiteral("グリッドカウントがオーバー");
    default: return QStringLiteral("不明なエラー");
    }
}
