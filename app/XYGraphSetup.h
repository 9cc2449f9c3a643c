#pragma once
// The XY graph settings dialog.
// It stands as a plain window with its caption and size until its own controls are built.
#include <QDialog>

class TFXYGraphSetting : public QDialog {
    Q_OBJECT
public:
    explicit TFXYGraphSetting(QWidget* owner = nullptr);
};

extern TFXYGraphSetting* FXYGraphSetting;
