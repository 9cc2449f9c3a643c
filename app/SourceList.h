#pragma once
// The channel picker.
// It stands as a plain window with its caption and size until its own controls are built.
#include <QDialog>

class TFSourceList : public QDialog {
    Q_OBJECT
public:
    explicit TFSourceList(QWidget* owner = nullptr);
};

extern TFSourceList* FSourceList;
