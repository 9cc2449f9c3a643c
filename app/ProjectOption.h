#pragma once
// The settings window "設定": the tool's copy of the meter's 72-byte context, 32 of its words in
// edits on two tab sheets, and the tool bar that reads the context from the meter, writes it
// back, sets the meter's clock and opens or saves context files. The requests themselves go out
// through the monitor loop; the buttons only set its request state.
#include <array>
#include <cstdint>
#include <QDialog>

#include "app/MeterContext.h"
#include "platform/FileDialog.h"
#include "platform/MessageHook.h"

class QLineEdit;
class QTabWidget;
class QToolBar;
class QToolButton;
class TMonitorLoop;

class TFProjectOption : public QDialog {
    Q_OBJECT
public:
    static constexpr int ContextSize = MeterContextSize;

    explicit TFProjectOption(QWidget* owner = nullptr);

    // The context: 36 words of 16 bits, high byte first.
    std::uint8_t Context[ContextSize] = {};
    // The loop whose request state the Read, Write and Set Datetime buttons set: the main
    // window's, wired at start-up.
    TMonitorLoop* Monitor = nullptr;

    // Components.
    QToolBar* ToolBar;
    QToolButton* ToolButtonClose;
    QToolButton* ToolButtonOpen;
    QToolButton* ToolButtonSave;
    QToolButton* ToolButtonRead;
    QToolButton* ToolButtonWrite;
    QToolButton* ToolButtonDatetime;
    QTabWidget* PageControl;
    QWidget* TabSheet1;  // "メーター設定"
    QWidget* TabSheet2;  // "ロガー設定"
    QLineEdit* EditNewFileIntval;
    QLineEdit* EditTireLength;
    QLineEdit* EditTachoPulse;
    QLineEdit* EditSpeedPulse;
    QLineEdit* EditLapSensitive;
    std::array<QLineEdit*, 8> EditRevLimit;  // EditRevLimit1 to EditRevLimit8
    QLineEdit* EditSector;
    QLineEdit* EditLightOffTime;
    QLineEdit* EditLightOnTime;
    std::array<QLineEdit*, 12> EditIntval;  // EditIntval0 to EditIntval11
    QLineEdit* EditAlarmTacho;
    QLineEdit* EditAlarmCoolant;
    QLineEdit* EditAlarmOilTemp;
    QLineEdit* EditAlarmOilPres;
    platform::TOpenDialog OpenDialog;
    platform::TSaveDialog SaveDialog;
    // The application's message hook in force before the window was opened.
    platform::MessageHook SavedOnMessage;

    // Shows the window modally with its own message hook; answers the modal result (1 for
    // Close and Enter, -1 for Esc).
    int Execute();
    // The 32 edits from the context.
    void ContextToControls();
    // The 32 edits into the context, in the conversion order; a text that is no integer raises
    // the platform's conversion error with the words before it already stored.
    void ControlsToContext();

    void DialogMessageHook(platform::TMessage& message, bool& handled);
    void FormClose();
    void ToolButtonCloseClick();
    void ToolButtonOpenClick();
    void ToolButtonSaveClick();
    void ToolButtonReadClick();
    void ToolButtonWriteClick();
    void ToolButtonDatetimeClick();

    // The edit that shows a context field.
    QLineEdit* EditOf(const TContextField& field) const;

    void done(int result) override;
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateToolBar();
    void CreateMeterSheet();
    void CreateLoggerSheet();
    bool OwnsReceiver(const QObject* receiver) const;

    bool hookInstalled_ = false;
};

// The settings window, created once at start-up.
extern TFProjectOption* FProjectOption;
