#include "app/XYGraphSetup.h"

TFXYGraphSetting* FXYGraphSetting = nullptr;

TFXYGraphSetting::TFXYGraphSetting(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("FXYGraphSetting"));
    setWindowTitle(QStringLiteral("XY-グラフ設定"));
    resize(273, 350);
}
