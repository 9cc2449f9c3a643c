#include "platform/Fonts.h"

#include <QFont>
#include <QFontMetrics>
#include <QString>
#include <QStringList>

namespace platform {

void InstallFontSubstitutes()
{
    const QStringList proportional{QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")};
    const QStringList fixed{QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic")};
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), proportional);
    QFont::insertSubstitutions(QStringLiteral("MS UI Gothic"), proportional);
    // The fixed-width face, written in full-width letters as Japanese Windows names it.
    QFont::insertSubstitutions(QString::fromUtf8("ＭＳ ゴシック"), fixed);
}

int PixelSizeForCellHeight(QFont font, int cellHeight)
{
    int size = cellHeight;
    for (; size > 1; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).height() <= cellHeight)
            break;
    }
    return size;
}

}  // namespace platform
