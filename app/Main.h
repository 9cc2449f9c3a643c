#pragma once
// The main window: tool bar (exit, settings, firmware), the dashboard panel that holds every
// indicator, and the status bar with the meter's clock. It keeps the application's state: the
// monitor loop (TMonitorLoop), the program's folder and the work file's name. Its message hook
// sees every keyboard and mouse message of the application: F2 shows or hides the communication
// panel below the window.
#include <array>
#include <cstdint>
#include <QString>
#include <QWidget>
#include <string>

#include "app/MonitorLoop.h"
#include "platform/FileDialog.h"
#include "platform/MessageHook.h"
#include "platform/RegularFile.h"

class QLabel;
class QAction;
class QMenu;
class QStatusBar;
class QTimer;
class QToolBar;
class QToolButton;
class TZpMainPanel;

class TMainForm : public QWidget, public TMonitorLoop {
    Q_OBJECT
public:
    static constexpr int AppConfigSize = 328;
    static constexpr int MonitorInterval = 100;  // ms

    // programPath: the program's own path, which fixes the program's folder.
    explicit TMainForm(QWidget* owner = nullptr, const QString& programPath = DefaultProgramPath());
    ~TMainForm() override;

    static QString DefaultProgramPath();

    // The program's folder, 8-bit text ending with "/", and the work file in it.
    std::string AppDir;
    std::string WorkFileName;
    // The same folder as UTF-16 text, for file names: a folder whose name code page 932 cannot
    // hold still names the right files.
    QString AppFolder;
    // Whether Shift was down when the last message was taken (read by the indicator menu).
    bool ShiftDown = false;
    // Image of the application configuration file.
    std::array<std::uint8_t, AppConfigSize> AppConfig{};
    // Whether the application configuration file was read at start: only then is it written
    // at close, so that a file never read is never overwritten.
    bool AppConfigRead = false;
    // Whether closing the window may write the work file: not when a file was there that could
    // be neither read nor kept beside as ".bak".
    bool WorkFileMayBeSaved = true;
    // The work file and the application configuration file as last read or written: a save
    // that finds another file there keeps that one beside it first.
    platform::TFileBytes WorkFileAsRead;
    platform::TFileBytes AppConfigAsRead;

    // Components.
    QToolBar* ToolBar;
    QToolButton* ToolButton1;        // "終了"
    QToolButton* ToolButtonSetting;  // "設定"
    QToolButton* ToolButton2;        // "ファームウェア"
    QStatusBar* StatusBar;
    QLabel* StatusText;  // the status bar's one text: the meter's clock
    TZpMainPanel* MainPanel;
    QTimer* TimerMonitor;
    QMenu* PopupMenuIndicator;
    // The indicator menu's items.
    QAction* MenuIndicatorEdit = nullptr;    // "設定(&E)"
    QMenu* MenuIndicatorCreate = nullptr;    // "作成(&N)": one item per indicator kind
    QAction* MenuIndicatorDelete = nullptr;  // "削除(&D)"
    QAction* N7 = nullptr;                   // separator
    QAction* MenuIndicatorCopy = nullptr;    // "コピーして作成"
    platform::TOpenDialog OpenDialog;

    void FormShow();
    void FormClose();
    void FormPaint();
    void FormDestroy() {}
    void MainMessageHook(platform::TMessage& message, bool& handled);
    void ShowCommPanel();
    void PaintAllIndicators();
    void ToolButton1Click();
    // The indicator menu's items, on the indicator the right click selected (SelectIndicator).
    void MenuIndicatorEditClick(QObject* Sender);
    void MenuIndicatorDeleteClick(QObject* Sender);
    void MenuIndicatorCopyClick(QObject* Sender);
    void ToolButtonSettingClick();
    void ToolButton2Click();
    void TimerMonitorTimer();
    // Appends the set-clock request (the PC's local time) and advances writePos.
    void BuildSetDateTimeRequest(char*& writePos);

    // The application configuration file, given its name without extension.
    void LoadAppConfig(const QString& name);
    void SaveAppConfig(const QString& name);

    // The least size the window is ever given: room for the tool bar and the status bar.
    QSize minimumSizeHint() const override;

signals:
    // The window has closed: the application ends.
    void Closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

    // The monitor loop's reach.
    int ReceiveLine(char* buffer) override;
    bool LineWaiting() const override;
    void SendRequest(const char* text) override;
    bool LinkOpen() const override;
    bool SettingsShown() const override;
    std::uint8_t* Context() override;
    void ContextToControls() override;
    void AppendSetDateTimeRequest(char*& writePos) override;
    void ShowMeterClock(const std::string& text) override;
    void SetIndicatorValues() override;

private:
    void CreateToolBar();
    void AlignControls();
    // The indicator menu's items (the menu itself stands from the start).
    void CreateIndicatorMenuItems();

    bool shown_ = false;
    // The dashboard resized the window while an indicator was being dragged: the window goes
    // back onto the work area at the release.
    bool moveOntoWorkAreaOnDrop_ = false;
    // The hook in force before this window installed its own.
    platform::MessageHook savedHook_;
};

// The main window, created first at start-up.
extern TMainForm* MainForm;
