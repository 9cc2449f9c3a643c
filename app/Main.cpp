#include "app/Main.h"

#include <algorithm>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "app/AppDir.h"
#include "app/DesktopFit.h"
#include "app/NumEntry.h"
#include "app/ProjectOption.h"
#include "app/WorkFile.h"
#include "indicators/Indicator.h"
#include "indicators/ZpMainPanel.h"
#include "link/PcCom.h"
#include "platform/Cp932.h"
#include "platform/Exceptions.h"
#include "platform/SafeFileWrite.h"
#include "platform/WindowFrame.h"
#include "platform/WindowSize.h"

TMainForm* MainForm = nullptr;

namespace {

constexpr int ClientWidth = 839;
constexpr int ClientHeight = 489;
constexpr int DesignedLeft = 823;
constexpr int DesignedTop = 0;
constexpr int ToolBarHeight = 30;
constexpr int StatusBarHeight = 19;
constexpr int ToolButtonWidth = 67;
constexpr int ToolButtonHeight = 21;

QToolButton* AddToolButton(QToolBar* bar, const char* name, const QString& caption,
                           const QString& hint)
{
    auto* button = new QToolButton(bar);
    button->setObjectName(QLatin1String(name));
    button->setText(caption);
    button->setToolTip(hint);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setFixedSize(ToolButtonWidth, ToolButtonHeight);
    bar->addWidget(button);
    return button;
}

void AddToolSeparator(QToolBar* bar, const char* name, int width)
{
    auto* separator = new QWidget(bar);
    separator->setObjectName(QLatin1String(name));
    separator->setFixedWidth(width);
    bar->addWidget(separator);
}

platform::TRect RectOf(const QRect& rect)
{
    return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

QRect WorkArea()
{
    return QGuiApplication::primaryScreen()->availableVirtualGeometry();
}

// Keeps a window whole on the desktop's work area: moved as little as it takes, and shrunk only
// where it is larger than the work area.
void KeepOnWorkArea(QWidget& window)
{
    const QRect outer = platform::OuterGeometry(window);
    const platform::TRect fitted = FitIntoWorkArea(RectOf(outer), RectOf(WorkArea()));
    if (fitted.Width() != outer.width() || fitted.Height() != outer.height()) {
        const QSize client =
            window.size() - (outer.size() - QSize(fitted.Width(), fitted.Height()));
        platform::SetWindowSize(window, client);
    }
    if (fitted.Left != outer.left() || fitted.Top != outer.top())
        platform::MoveOuter(window, {fitted.Left, fitted.Top});
}

// Moves the main window back onto the work area at its size, which its dashboard sets: a window
// larger than the work area keeps its title bar on it.
void BringOntoWorkArea(QWidget& window)
{
    const QRect outer = platform::OuterGeometry(window);
    const platform::TRect moved = MoveOntoWorkArea(RectOf(outer), RectOf(WorkArea()));
    if (moved.Left != outer.left() || moved.Top != outer.top())
        platform::MoveOuter(window, {moved.Left, moved.Top});
}

}  // namespace

QString TMainForm::DefaultProgramPath()
{
    return QCoreApplication::applicationFilePath();
}

TMainForm::TMainForm(QWidget* owner, const QString& programPath) : QWidget(owner)
{
    // The global names the window from the start, as the platform's form creation does: the
    // work file's loader below makes indicators on it.
    MainForm = this;
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("ZOLT Tool"));
    setFont(QFont(QStringLiteral("Tahoma")));

    CreateToolBar();

    MainPanel = new TZpMainPanel(this);
    MainPanel->setObjectName(QStringLiteral("MainPanel"));
    MainPanel->SetBevelOuter(platform::TBevelCut::bvLowered);

    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setFixedHeight(StatusBarHeight);
    StatusBar->setSizeGripEnabled(false);
    QFont statusFont(QStringLiteral("MS UI Gothic"));
    statusFont.setPixelSize(12);
    StatusBar->setFont(statusFont);
    StatusText = new QLabel(StatusBar);
    StatusText->setObjectName(QStringLiteral("StatusText"));
    StatusBar->addWidget(StatusText, 1);

    TimerMonitor = new QTimer(this);
    TimerMonitor->setObjectName(QStringLiteral("TimerMonitor"));
    connect(TimerMonitor, &QTimer::timeout, this, &TMainForm::TimerMonitorTimer);

    PopupMenuIndicator = new QMenu(this);
    PopupMenuIndicator->setObjectName(QStringLiteral("PopupMenuIndicator"));
    CreateIndicatorMenuItems();

    OpenDialog.Filter = QStringLiteral("すべてのファイル (*.*)|*.*");

    // A fixed border: the user cannot resize the window; the work file and the dashboard panel
    // set its size as its fixed size, never below minimumSizeHint().
    setFixedSize(ClientWidth, ClientHeight);
    move(DesignedLeft, DesignedTop);
    AlignControls();

    // The state the rest of the start-up relies on.
    savedHook_ = platform::SetApplicationMessageHook(
        [this](platform::TMessage& message, bool& handled) { MainMessageHook(message, handled); });

    const QString folder = QFileInfo(programPath).absolutePath();
    AppDir = IncludeTrailingDelimiter(platform::ToCp932(folder));
    AppFolder = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    WorkFileName = AppDir + "work.txt";
    OpenDialog.InitialDir = AppFolder;

    // What saves killed before their end left behind in the program's folder.
    platform::RemoveUnfinishedSaves(AppFolder);
    IndicatorCount = 0;
    RequestState = eReqIdle;
    // A work file a kind's reader refuses is reported, and the program starts with what was read.
    platform::Guarded([this] { LoadWorkFile(AppFolder + QStringLiteral("work.txt")); });
    TimerMonitor->stop();
    setWindowTitle(windowTitle() + QStringLiteral(" Ver.1"));
}

TMainForm::~TMainForm()
{
    platform::SetApplicationMessageHook(std::move(savedHook_));
    if (MainForm == this)
        MainForm = nullptr;
}

void TMainForm::CreateToolBar()
{
    ToolBar = new QToolBar(this);
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    ToolBar->setFixedHeight(ToolBarHeight);
    ToolBar->setMovable(false);
    ToolBar->setFloatable(false);
    ToolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);

    ToolButton1 =
        AddToolButton(ToolBar, "ToolButton1", QStringLiteral("終了"), QStringLiteral("終了"));
    AddToolSeparator(ToolBar, "ToolButton3", 8);
    ToolButtonSetting = AddToolButton(ToolBar, "ToolButtonSetting", QStringLiteral("設定"),
                                      QStringLiteral("設定フォームを開く"));
    AddToolSeparator(ToolBar, "ToolButton8", 10);
    ToolButton2 = AddToolButton(ToolBar, "ToolButton2", QStringLiteral("ファームウェア"),
                                QStringLiteral("ファームウェアの更新"));

    connect(ToolButton1, &QToolButton::clicked, this, [this] { ToolButton1Click(); });
    connect(ToolButtonSetting, &QToolButton::clicked, this,
            [this] { platform::Guarded([this] { ToolButtonSettingClick(); }); });
    connect(ToolButton2, &QToolButton::clicked, this,
            [this] { platform::Guarded([this] { ToolButton2Click(); }); });
}

QSize TMainForm::minimumSizeHint() const
{
    // However small a work file or the dashboard asks it to be, the tool bar and the status bar
    // fit.
    return {ToolBar->sizeHint().width(), ToolBarHeight + StatusBarHeight};
}

void TMainForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    AlignControls();
    // The dashboard panel sizes the window to its indicators. A window it pushed past the work
    // area's edge goes back onto it, so that its title bar stays in reach; but not while an
    // indicator is being dragged, which would then fall behind the pointer: once it is dropped.
    if (!isVisible())
        return;
    if (SelectIndicator && SelectIndicator->Dragging())
        moveOntoWorkAreaOnDrop_ = true;
    else
        BringOntoWorkArea(*this);
}

void TMainForm::AlignControls()
{
    // Tool bar along the top, status bar along the bottom, the dashboard panel in between.
    ToolBar->setGeometry(0, 0, width(), ToolBarHeight);
    StatusBar->setGeometry(0, height() - StatusBarHeight, width(), StatusBarHeight);
    MainPanel->setGeometry(0, ToolBarHeight, width(),
                           std::max(0, height() - ToolBarHeight - StatusBarHeight));
}

void TMainForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (shown_ || event->spontaneous())
        return;
    shown_ = true;
    FormShow();
}

void TMainForm::FormShow()
{
    FProjectOption->OpenDialog.InitialDir = AppFolder;
    FProjectOption->SaveDialog.InitialDir = AppFolder;
    // A port that does not open is reported, and start-up goes on: the monitor loop waits for
    // a port opened from the communication panel, and the configuration is read, so that
    // closing the window writes back what was read rather than an empty context.
    platform::Guarded([] { PCom->SetPortOpen(true); });
    TimerMonitor->start(MonitorInterval);
    // A configuration file refused on reading is reported, and never written.
    platform::Guarded([this] {
        LoadAppConfig(AppFolder + QStringLiteral("ZOLT"));
        AppConfigRead = true;
    });
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
    emit Closed();
}

void TMainForm::FormClose()
{
    TimerMonitor->stop();
    platform::Guarded([] { PCom->SetPortOpen(false); });
    // A file that cannot be written is reported; closing goes on.
    if (WorkFileMayBeSaved)
        platform::Guarded([this] { SaveWorkFile(AppFolder + QStringLiteral("work.txt")); });
    if (AppConfigRead)
        platform::Guarded([this] { SaveAppConfig(AppFolder + QStringLiteral("ZOLT")); });
}

void TMainForm::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    FormPaint();
}

void TMainForm::FormPaint()
{
    PaintAllIndicators();
}

void TMainForm::PaintAllIndicators()
{
    for (int i = 0; i < IndicatorCount; ++i)
        IndicatorArry[i]->Paint();
}

void TMainForm::MainMessageHook(platform::TMessage& message, bool& /*handled*/)
{
    ShiftDown = message.ShiftDown();
    if (message.Kind == platform::MessageKind::MouseUp && moveOntoWorkAreaOnDrop_) {
        moveOntoWorkAreaOnDrop_ = false;
        BringOntoWorkArea(*this);
    }
    if (message.Kind == platform::MessageKind::KeyDown && message.Key == Qt::Key_F2 &&
        !(NumEntryForm && NumEntryForm->isVisible())) {
        ShowCommPanel();
        message.Key = 0;
    }
}

void TMainForm::ShowCommPanel()
{
    if (PCom->isVisible()) {
        PCom->hide();
        return;
    }
    // Directly below the main window, left edges aligned; moved up into the work area where
    // there is no room below.
    platform::PlaceNowAndOnceFramed(*PCom, [this] {
        const QRect outer = platform::OuterGeometry(*this);
        platform::MoveOuter(*PCom, {outer.left(), outer.top() + outer.height()});
        KeepOnWorkArea(*PCom);
    });
    PCom->show();
}

void TMainForm::ToolButton1Click()
{
    close();
}

void TMainForm::ToolButtonSettingClick()
{
    FProjectOption->Execute();
}

void TMainForm::ToolButton2Click()
{
    TimerMonitor->stop();
    OpenDialog.Filter = QStringLiteral("MOTファイル(*.mot)|*.mot");
    if (!OpenDialog.Execute()) {
        TimerMonitor->start();
        return;
    }
    OpenDialog.InitialDir = OpenDialog.FileName;
    // On success the exchange switches the monitor timer on again when it ends. A port that
    // cannot be reopened raises its error to the default handler; monitoring goes on all the
    // same rather than stopping for good.
    bool started = false;
    try {
        started = PCom->StartFirmwareUpdate(OpenDialog.FileName);
    } catch (...) {
        TimerMonitor->start();
        throw;
    }
    if (!started)
        TimerMonitor->start();
}

void TMainForm::TimerMonitorTimer()
{
    platform::Guarded([this] { RunMonitorTick(); });
}
