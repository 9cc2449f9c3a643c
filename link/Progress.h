#pragma once
// The progress window of firmware programming: the file's name as caption and a bar of the bytes
// sent. Shown (not modal) while the exchange runs; closing it aborts the exchange.
#include <QWidget>

class QProgressBar;

class TProgressForm : public QWidget {
    Q_OBJECT

public:
    // Owner: the main window, on which the window is centred.
    explicit TProgressForm(QWidget* Owner);

    QProgressBar* ProgressBar;

    // The user closes the window: the exchange stops and the monitor loop takes the line back.
    // The meter is not told and the port stays open.
    void FormClose();

    // Sets the bar's position, held within its range as the platform's bar holds it.
    void SetPosition(int Position);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

// The progress window, created once at start-up.
extern TProgressForm* ProgressForm;
