#pragma once
// The bar graph settings dialog.
// It stands as a plain window with its caption and size until its own controls are built.
#include <QDialog>

class TFBarGraphSetting : public QDialog {
    Q_OBJECT
public:
    explicit TFBarGraphSetting(QWidget* owner = nullptr);
};

extern TFBarGraphSetting* FBarGraphSetting;
