#include "app/SourceList.h"

TFSourceList* FSourceList = nullptr;

TFSourceList::TFSourceList(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("FSourceList"));
    setWindowTitle(QStringLiteral("ソースセレクト"));
    resize(259, 255);
}
