#pragma once
// The numeric list settings dialog.
// It stands as a plain window with its caption and size until its own controls are built.
#include <QDialog>

class TFNumericListSetup : public QDialog {
    Q_OBJECT
public:
    explicit TFNumericListSetup(QWidget* owner = nullptr);
};

extern TFNumericListSetup* FNumericListSetup;
