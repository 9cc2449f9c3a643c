#include "app/NumericListSetup.h"

TFNumericListSetup* FNumericListSetup = nullptr;

TFNumericListSetup::TFNumericListSetup(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("FNumericListSetup"));
    setWindowTitle(QStringLiteral("数値リスト設定"));
    resize(267, 271);
}
