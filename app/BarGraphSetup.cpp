#include "app/BarGraphSetup.h"

TFBarGraphSetting* FBarGraphSetting = nullptr;

TFBarGraphSetting::TFBarGraphSetting(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("FBarGraphSetting"));
    setWindowTitle(QStringLiteral("バーグラフ設定"));
    resize(273, 332);
}
