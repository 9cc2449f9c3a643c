#include "app/ProjectOption.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

#include "app/MonitorLoop.h"
#include "platform/Exceptions.h"
#include "platform/WindowFrame.h"

TFProjectOption* FProjectOption = nullptr;

namespace {

constexpr int ClientWidth = 451;
constexpr int ClientHeight = 358;
constexpr int ToolBarHeight = 25;
constexpr int EditHeight = 21;
constexpr int RowPitch = 26;

QLineEdit* NewEdit(QWidget* parent, const char* name, const QRect& geometry, const char* text)
{
    auto* edit = new QLineEdit(QString::fromUtf8(text), parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edit->setGeometry(geometry);
    return edit;
}

// An edit with its label on the left, as a row of a group box.
QLineEdit* NewLabelledEdit(QWidget* parent, const char* name, const char* label, int x, int row,
                           int labelWidth, const char* text)
{
    const int y = 18 + row * RowPitch;
    auto* caption = new QLabel(QString::fromUtf8(label), parent);
    caption->setGeometry(x, y, labelWidth, EditHeight);
    QLineEdit* edit = NewEdit(parent, name, QRect(x + labelWidth + 4, y, 64, EditHeight), text);
    caption->setBuddy(edit);
    return edit;
}

QGroupBox* NewGroup(QWidget* parent, const char* caption, const QRect& geometry)
{
    auto* group = new QGroupBox(QString::fromUtf8(caption), parent);
    group->setGeometry(geometry);
    return group;
}

}  // namespace

TFProjectOption::TFProjectOption(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("FProjectOption"));
    setWindowTitle(QStringLiteral("設定"));
    QFont tahoma(QStringLiteral("Tahoma"));
    tahoma.setPixelSize(11);
    setFont(tahoma);
    // A fixed dialog border: the window cannot be resized.
    setFixedSize(ClientWidth, ClientHeight);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);

    CreateToolBar();
    PageControl = new QTabWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    PageControl->setGeometry(0, ToolBarHeight, ClientWidth, ClientHeight - ToolBarHeight);
    CreateMeterSheet();
    CreateLoggerSheet();
}

void TFProjectOption::CreateToolBar()
{
    ToolBar = new QToolBar(this);
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    ToolBar->setGeometry(0, 0, ClientWidth, ToolBarHeight);
    ToolBar->setMovable(false);
    ToolBar->setFloatable(false);
    const auto button = [this](const char* name, const char* caption, const char* hint,
                               void (TFProjectOption::*handler)()) {
        auto* tool = new QToolButton(ToolBar);
        tool->setObjectName(QString::fromLatin1(name));
        tool->setText(QString::fromUtf8(caption));
        tool->setToolTip(QString::fromUtf8(hint));
        tool->setToolButtonStyle(Qt::ToolButtonTextOnly);
        tool->setFixedSize(69, 21);
        connect(tool, &QToolButton::clicked, this,
                [this, handler] { platform::Guarded([&] { (this->*handler)(); }); });
        ToolBar->addWidget(tool);
        return tool;
    };
    ToolButtonClose =
        button("ToolButtonClose", "Close", "設定を終了", &TFProjectOption::ToolButtonCloseClick);
    ToolBar->addSeparator();
    ToolButtonOpen = button("ToolButtonOpen", "Open", "設定ファイルを開く",
                            &TFProjectOption::ToolButtonOpenClick);
    ToolButtonSave = button("ToolButtonSave", "Save", "現在の設定をファイルに保存",
                            &TFProjectOption::ToolButtonSaveClick);
    ToolBar->addSeparator();
    ToolButtonRead = button("ToolButtonRead", "Read", "メーターからコンテキストを読み出す",
                            &TFProjectOption::ToolButtonReadClick);
    ToolButtonWrite = button("ToolButtonWrite", "Write", "メーターに現在のコンテキストを書き込む",
                             &TFProjectOption::ToolButtonWriteClick);
    ToolBar->addSeparator();
    ToolButtonDatetime = button("ToolButtonDatetime", "Set Datetime", "デバイスに日付を設定",
                                &TFProjectOption::ToolButtonDatetimeClick);
}

void TFProjectOption::CreateMeterSheet()
{
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    PageControl->addTab(TabSheet1, QStringLiteral("メーター設定"));

    QGroupBox* input = NewGroup(TabSheet1, "入力信号", QRect(8, 6, 213, 152));
    EditTireLength = NewLabelledEdit(input, "EditTireLength", "タイヤ周囲長[mm]", 8, 0, 125, "500");
    EditTachoPulse =
        NewLabelledEdit(input, "EditTachoPulse", "エンジン回転パルス数", 8, 1, 125, "1");
    EditSpeedPulse = NewLabelledEdit(input, "EditSpeedPulse", "スピードパルス数", 8, 2, 125, "1");
    EditLapSensitive =
        NewLabelledEdit(input, "EditLapSensitive", "ラップセンサー感度", 8, 3, 125, "0");
    EditSector = NewLabelledEdit(input, "EditSector", "セクタ数", 8, 4, 125, "0");

    QGroupBox* alarm = NewGroup(TabSheet1, "アラーム", QRect(229, 6, 206, 126));
    EditAlarmTacho =
        NewLabelledEdit(alarm, "EditAlarmTacho", "エンジン回転数[rpm]", 8, 0, 118, "3000");
    EditAlarmCoolant = NewLabelledEdit(alarm, "EditAlarmCoolant", "水温[℃]", 8, 1, 118, "0");
    EditAlarmOilTemp = NewLabelledEdit(alarm, "EditAlarmOilTemp", "油温[℃]", 8, 2, 118, "0");
    EditAlarmOilPres = NewLabelledEdit(alarm, "EditAlarmOilPres", "油圧[kPa]", 8, 3, 118, "0");

    QGroupBox* tailLamp = NewGroup(TabSheet1, "テールランプ", QRect(229, 138, 206, 72));
    EditLightOffTime =
        NewLabelledEdit(tailLamp, "EditLightOffTime", "OFF時間[ms単位]", 8, 0, 118, "0");
    EditLightOnTime =
        NewLabelledEdit(tailLamp, "EditLightOnTime", "ON時間[10ms単位]", 8, 1, 118, "0");

    // Eight plain edits in a row, one per lamp.
    QGroupBox* shiftUp = NewGroup(TabSheet1, "シフトアップLED", QRect(8, 216, 427, 52));
    for (int i = 0; i < int(EditRevLimit.size()); ++i) {
        const QByteArray name = "EditRevLimit" + QByteArray::number(i + 1);
        EditRevLimit[i] =
            NewEdit(shiftUp, name.constData(), QRect(8 + i * 52, 20, 46, EditHeight), "0");
    }
}

void TFProjectOption::CreateLoggerSheet()
{
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    PageControl->addTab(TabSheet2, QStringLiteral("ロガー設定"));

    static const char* const channels[12] = {"TACHO",    "SPEED",    "THROT",   "BREAK-F",
                                             "BREAK-R",  "STEERING", "JYRO",    "RESERVE",
                                             "OIL PRES", "OIL TEMP", "COOLANT", "BATTERY"};
    QGroupBox* intervals = NewGroup(TabSheet2, "ログインターバル[ms]", QRect(8, 6, 427, 184));
    for (int i = 0; i < int(EditIntval.size()); ++i) {
        const QByteArray name = "EditIntval" + QByteArray::number(i);
        EditIntval[i] = NewLabelledEdit(intervals, name.constData(), channels[i], 8 + (i / 6) * 212,
                                        i % 6, 90, "0");
    }

    QGroupBox* other = NewGroup(TabSheet2, "その他", QRect(8, 198, 427, 52));
    EditNewFileIntval = NewLabelledEdit(other, "EditNewFileIntval", "ログファイル新規作成間隔[min]",
                                        8, 0, 190, "0");
}

QLineEdit* TFProjectOption::EditOf(const TContextField& field) const
{
    return findChild<QLineEdit*>(QString::fromLatin1(field.EditName));
}

void TFProjectOption::ContextToControls()
{
    ContextToTexts(Context, [this](const TContextField& field, const QString& text) {
        EditOf(field)->setText(text);
    });
}

void TFProjectOption::ControlsToContext()
{
    TextsToContext(Context, [this](const TContextField& field) { return EditOf(field)->text(); });
}

int TFProjectOption::Execute()
{
    SavedOnMessage =
        platform::SetApplicationMessageHook([this](platform::TMessage& message, bool& handled) {
            DialogMessageHook(message, handled);
        });
    hookInstalled_ = true;
    // Centred on the main window: the window that was active when the settings were asked for.
    if (QWidget* over = parentWidget() ? parentWidget()->window() : QApplication::activeWindow()) {
        platform::PlaceNowAndOnceFramed(*this,
                                        [this, over] { platform::CentreOuterOn(*this, *over); });
    }
    return exec();
}

bool TFProjectOption::OwnsReceiver(const QObject* receiver) const
{
    if (const auto* window = qobject_cast<const QWindow*>(receiver))
        return window == windowHandle();
    if (receiver && receiver->isWidgetType())
        return static_cast<const QWidget*>(receiver)->window() == this;
    return false;
}

void TFProjectOption::DialogMessageHook(platform::TMessage& message, bool& /*handled*/)
{
    // Keys meant for another window (a message box or file dialog opened from here) are theirs.
    if (message.Kind != platform::MessageKind::KeyDown || !OwnsReceiver(message.Receiver))
        return;
    // The key is not swallowed: Enter closes the window from any control, an edit included.
    if (message.Key == Qt::Key_Return || message.Key == Qt::Key_Enter)
        done(1);
    else if (message.Key == Qt::Key_Escape)
        done(-1);
}

void TFProjectOption::FormClose()
{
    if (!hookInstalled_)
        return;
    hookInstalled_ = false;
    platform::SetApplicationMessageHook(SavedOnMessage);
}

void TFProjectOption::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TFProjectOption::reject()
{
    // Closing from the title bar counts as Cancel.
    done(-1);
}

void TFProjectOption::keyPressEvent(QKeyEvent* event)
{
    // Enter and Esc were acted on by the message hook; the dialog's own handling would close the
    // window a second time with another result.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFProjectOption::ToolButtonCloseClick()
{
    done(1);
}

void TFProjectOption::ToolButtonReadClick()
{
    if (Monitor)
        Monitor->RequestState = eReqReadContext;
}

void TFProjectOption::ToolButtonWriteClick()
{
    ControlsToContext();
    if (Monitor)
        Monitor->RequestState = eReqWriteContext;
}

void TFProjectOption::ToolButtonDatetimeClick()
{
    if (Monitor)
        Monitor->RequestState = eReqSetClock;
}
