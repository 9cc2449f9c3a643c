#pragma once
// The numeric entry dialog: one edit for a number of up to ten characters, OK and Cancel. Enter
// in the edit closes it with 1, Esc with -1. Nothing opens it yet; the main window's message
// hook leaves F2 alone while it is shown.
#include <QDialog>

class QLineEdit;
class QPushButton;

class TNumEntryForm : public QDialog {
    Q_OBJECT
public:
    explicit TNumEntryForm(QWidget* owner = nullptr);

    QLineEdit* EditValue;
    QPushButton* ButtonOk;
    QPushButton* ButtonCancel;

    void FormShow();
    void ButtonOkClick() { done(1); }
    void ButtonCancelClick() { done(-1); }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

extern TNumEntryForm* NumEntryForm;
