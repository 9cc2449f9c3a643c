#pragma once
// The dial gauge settings dialog.
// It stands as a plain window with its caption and size until its own controls are built.
#include <QDialog>

class TFAnalogMeterSetting : public QDialog {
    Q_OBJECT
public:
    explicit TFAnalogMeterSetting(QWidget* owner = nullptr);
};

extern TFAnalogMeterSetting* FAnalogMeterSetting;
