#include "app/AnalogMeterSetup.h"

TFAnalogMeterSetting* FAnalogMeterSetting = nullptr;

TFAnalogMeterSetting::TFAnalogMeterSetting(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("FAnalogMeterSetting"));
    setWindowTitle(QStringLiteral("ダイヤルメーター設定"));
    resize(273, 429);
}
