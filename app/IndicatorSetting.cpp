#include "app/IndicatorSetting.h"

#include <algorithm>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QWindow>

#include "app/BesidePlacement.h"
#include "app/Main.h"
#include "indicators/Etcpas.h"
#include "indicators/Port.h"
#include "platform/Cp932.h"
#include "platform/Exceptions.h"
#include "platform/WindowFrame.h"

namespace {

constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;

}  // namespace

TIndicatorSettingDialog::TIndicatorSettingDialog(QWidget* owner, const TDesign& design)
    : QDialog(owner), design_(design)
{
    setObjectName(QString::fromLatin1(design.ObjectName));
    setWindowTitle(QString::fromUtf8(design.Caption));
    QFont tahoma(QStringLiteral("Tahoma"));
    tahoma.setPixelSize(11);
    setFont(tahoma);
    if (design.Resizable) {
        resize(design.ClientWidth, design.ClientHeight);
    } else {
        // A fixed dialog border: only the tabs change the height.
        setFixedSize(design.ClientWidth, design.ClientHeight);
        setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    }

    PageControl = new QTabWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    PageControl->addTab(TabSheet1, QStringLiteral("基本"));
    PageControl->addTab(TabSheet2, QStringLiteral("オプション"));
    PageControl->setCurrentWidget(TabSheet1);
    connect(PageControl, &QTabWidget::currentChanged, this, [this] {
        if (isVisible())
            ShowCurrentTab();
    });

    PanelButtons = new QWidget(this);
    PanelButtons->setObjectName(QStringLiteral("PanelButtons"));
    ButtonCansel = new QPushButton(QStringLiteral("キャンセル"), PanelButtons);
    ButtonCansel->setObjectName(QStringLiteral("ButtonCansel"));
    ButtonCansel->setGeometry(104, 8, ButtonWidth, ButtonHeight);
    ButtonOk = new QPushButton(QStringLiteral("了解"), PanelButtons);
    ButtonOk->setObjectName(QStringLiteral("ButtonOk"));
    ButtonOk->setGeometry(192, 8, ButtonWidth, ButtonHeight);
    for (QPushButton* button : {ButtonCansel, ButtonOk}) {
        // Enter belongs to the message hook, never to a default button.
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    connect(ButtonOk, &QPushButton::clicked, this, [this] { ButtonOkClick(); });
    connect(ButtonCansel, &QPushButton::clicked, this, [this] { ButtonCanselClick(); });
    resizeEvent(nullptr);
}

// --- Execute's steps -------------------------------------------------------------------------

void TIndicatorSettingDialog::InstallHook()
{
    SavedOnMessage =
        platform::SetApplicationMessageHook([this](platform::TMessage& message, bool& handled) {
            DialogMessageHook(message, handled);
        });
    hookInstalled_ = true;
}

void TIndicatorSettingDialog::PlaceBeside(int x, int y, int indicatorWidth)
{
    anchor_ = {x, y, indicatorWidth};
    PlaceBesideAnchor();
}

void TIndicatorSettingDialog::PlaceBesideAnchor()
{
    const auto [x, y, indicatorWidth] = *anchor_;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect desktop = screen->virtualGeometry();
    const QRect workArea = screen->availableGeometry();
    const QRect outer = platform::OuterGeometry(*this);
    const platform::TPoint at =
        ::PlaceBeside(x, y, indicatorWidth, {outer.width(), outer.height()},
                      {desktop.x() + desktop.width(), workArea.y() + workArea.height()});
    platform::MoveOuter(*this, {at.X, at.Y});
}

void TIndicatorSettingDialog::FillCustomColors()
{
    ColorDialog.CustomColors.clear();
    for (int slot = 0; slot < platform::CustomColorSlots; ++slot)
        ColorDialog.CustomColors << platform::CustomColorLine(slot, GetColorByIndex(slot));
}

int TIndicatorSettingDialog::ShowModal()
{
    return exec();
}

// --- Keys, buttons, closing ------------------------------------------------------------------

bool TIndicatorSettingDialog::OwnsReceiver(const QObject* receiver) const
{
    const QWidget* widget = nullptr;
    if (const auto* window = qobject_cast<const QWindow*>(receiver)) {
        if (window == windowHandle())
            return true;
        for (QWidget* topLevel : QApplication::topLevelWidgets()) {
            if (topLevel->windowHandle() == window) {
                widget = topLevel;
                break;
            }
        }
    } else if (receiver && receiver->isWidgetType()) {
        widget = static_cast<const QWidget*>(receiver);
    }
    if (!widget)
        return false;
    // A drop-down list is a window of its own, opened by a control of this dialog; a dialog or
    // message box opened from here is not.
    const QWidget* window = widget->window();
    while (window->windowType() == Qt::Popup && window->parentWidget())
        window = window->parentWidget()->window();
    return window == this;
}

void TIndicatorSettingDialog::PickHighlightedRowOfOpenList()
{
    const QWidget* popup = QApplication::activePopupWidget();
    if (!popup)
        return;
    for (QComboBox* box : findChildren<QComboBox*>()) {
        if (box->view()->window() != popup)
            continue;
        const int row = box->view()->currentIndex().row();
        box->hidePopup();
        if (row >= 0) {
            box->setCurrentIndex(row);
            emit box->activated(row);
        }
        return;
    }
}

void TIndicatorSettingDialog::DialogMessageHook(platform::TMessage& message, bool& /*handled*/)
{
    if (message.Kind != platform::MessageKind::KeyDown || !OwnsReceiver(message.Receiver) ||
        !EditedIndicator())
        return;
    if (message.Key == Qt::Key_Return || message.Key == Qt::Key_Enter) {
        // Enter on the Cancel button is that button's click.
        if (focusWidget() == ButtonCansel) {
            ButtonCanselClick();
            return;
        }
        // What the user typed or highlighted last is what OK keeps.
        if (auto* entry = qobject_cast<TExitEdit*>(focusWidget()))
            entry->Exit();
        PickHighlightedRowOfOpenList();
        ButtonOkClick();
    } else if (message.Key == Qt::Key_Escape) {
        RestoreProperties();
        done(-1);
    }
}

void TIndicatorSettingDialog::ButtonOkClick()
{
    done(1);
}

void TIndicatorSettingDialog::ButtonCanselClick()
{
    if (!EditedIndicator())
        return;
    RestoreProperties();
    done(-1);
}

void TIndicatorSettingDialog::ButtonTitleColorClick(QObject* sender)
{
    if (!EditedIndicator() || !ColorDialog.Execute())
        return;
    SetColorByIndex(TagOf(sender), ColorDialog.Color);
}

void TIndicatorSettingDialog::FormClose()
{
    if (!hookInstalled_)
        return;
    hookInstalled_ = false;
    ForgetIndicator();
    anchor_.reset();
    platform::SetApplicationMessageHook(SavedOnMessage);
    if (MainForm)
        MainForm->PaintAllIndicators();
}

void TIndicatorSettingDialog::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TIndicatorSettingDialog::reject()
{
    // The title bar's close box: the changes stay.
    done(mrCancel);
}

void TIndicatorSettingDialog::keyPressEvent(QKeyEvent* event)
{
    // Enter and Esc were acted on by the message hook; the dialog's own handling would close it a
    // second time with another result.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// --- Tabs and size ---------------------------------------------------------------------------

void TIndicatorSettingDialog::SetOuterHeight(int height)
{
    const int client = platform::ClientHeightFor(*this, height);
    if (design_.Resizable)
        resize(width(), client);
    else
        setFixedSize(width(), client);
}

void TIndicatorSettingDialog::TabSheet1Show()
{
    if (design_.Tab1Height > 0)
        SetOuterHeight(design_.Tab1Height);
}

void TIndicatorSettingDialog::TabSheet2Show()
{
    if (design_.Tab2Height > 0)
        SetOuterHeight(design_.Tab2Height);
}

void TIndicatorSettingDialog::ShowCurrentTab()
{
    if (PageControl->currentWidget() == TabSheet2)
        TabSheet2Show();
    else
        TabSheet1Show();
}

void TIndicatorSettingDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Sized by the tab it opens on and placed again with that height, which its first placement
    // lacked; once more when framed, should the window manager's frame differ from the one
    // reckoned with.
    platform::PlaceNowAndOnceFramed(*this, [this] {
        ShowCurrentTab();
        if (anchor_)
            PlaceBesideAnchor();
    });
}

void TIndicatorSettingDialog::resizeEvent(QResizeEvent* /*event*/)
{
    const int strip = design_.StripHeight;
    PageControl->setGeometry(0, 0, width(), height() - strip);
    PanelButtons->setGeometry(0, height() - strip, width(), strip);
}

// --- Channels and conversions ----------------------------------------------------------------

int TIndicatorSettingDialog::DecimalPointOf(int row)
{
    return row < 0 ? 0 : ChannelTableRow(row).DecimalPoint;
}

const TPortInfo& TIndicatorSettingDialog::ChannelTableRow(int row)
{
    return SourceIndexQ7[row];
}

int TIndicatorSettingDialog::TagOf(const QObject* button)
{
    return button ? button->property("Tag").toInt() : -1;
}

void TIndicatorSettingDialog::FillChannelComboBox(QComboBox* box)
{
    box->clear();
    for (int row = 0; !SourceIndexQ7[row].Designator.empty(); ++row)
        box->addItem(platform::FromCp932(SourceIndexQ7[row].Description));
    box->setCurrentIndex(-1);
}

int TIndicatorSettingDialog::LookUpChannel(QComboBox* box, const std::string& name)
{
    box->setCurrentIndex(-1);
    if (name.empty())
        return -1;
    for (int row = 0; !SourceIndexQ7[row].Designator.empty(); ++row) {
        if (SourceIndexQ7[row].Designator == name) {
            box->setCurrentIndex(row);
            return row;
        }
    }
    return -1;
}

bool TIndicatorSettingDialog::ConvertFixedPoint(const QLineEdit* entry, int row,
                                                std::int32_t& value)
{
    return StrToIntFP(value, platform::ToCp932(entry->text()), DecimalPointOf(row));
}

// --- Building blocks -------------------------------------------------------------------------

QLabel* TIndicatorSettingDialog::NewLabel(QWidget* parent, const char* text, const QRect& geometry)
{
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setGeometry(geometry);
    return label;
}

QComboBox* TIndicatorSettingDialog::NewChannelComboBox(QWidget* parent, const char* name,
                                                       const QRect& geometry)
{
    QComboBox* box = NewPickList(parent, name, geometry, {});
    FillChannelComboBox(box);
    // The open list shows every description whole, however narrow the box.
    int widest = 0;
    for (int row = 0; row < box->count(); ++row)
        widest = std::max(widest, box->fontMetrics().horizontalAdvance(box->itemText(row)));
    box->view()->setMinimumWidth(widest + 24);
    return box;
}

QComboBox* TIndicatorSettingDialog::NewPickList(QWidget* parent, const char* name,
                                                const QRect& geometry, const QStringList& items)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(geometry);
    box->addItems(items);
    return box;
}

TExitEdit* TIndicatorSettingDialog::NewEntry(QWidget* parent, const char* name,
                                             const QRect& geometry)
{
    auto* entry = new TExitEdit(parent);
    entry->setObjectName(QString::fromLatin1(name));
    entry->setGeometry(geometry);
    return entry;
}

TUpDown* TIndicatorSettingDialog::NewIntegerEntry(QWidget* parent, const char* editName,
                                                  const char* upDownName, const QRect& editGeometry,
                                                  int min, int max, int increment, int position,
                                                  bool readOnly)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(editName));
    edit->setGeometry(editGeometry);
    edit->setReadOnly(readOnly);
    auto* upDown = new TUpDown(parent, edit, min, max, increment, position);
    upDown->setObjectName(QString::fromLatin1(upDownName));
    return upDown;
}

QPushButton* TIndicatorSettingDialog::NewColorButton(QWidget* parent, int tag,
                                                     const char* buttonName, const char* caption,
                                                     const char* panelName, const QRect& geometry)
{
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromLatin1(buttonName));
    button->setGeometry(geometry);
    button->setProperty("Tag", tag);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, button] { ButtonTitleColorClick(button); });

    auto* panel = new QFrame(parent);
    panel->setObjectName(QString::fromLatin1(panelName));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAutoFillBackground(true);
    panel->setGeometry(geometry.right() + 9, geometry.top(), geometry.height() + 8,
                       geometry.height());
    ColorButtons[tag] = button;
    ColorPanels[tag] = panel;
    return button;
}

void TIndicatorSettingDialog::NewColorButtons(QWidget* parent,
                                              std::initializer_list<TColorButtonDesign> buttons,
                                              const QRect& first, int pitch)
{
    int tag = 0;
    for (const TColorButtonDesign& button : buttons) {
        NewColorButton(parent, tag, button.Button, button.Caption, button.Panel,
                       first.translated(0, tag * pitch));
        ++tag;
    }
}

QGroupBox* TIndicatorSettingDialog::NewGroup(QWidget* parent, const char* name, const char* caption,
                                             const QRect& geometry)
{
    auto* group = new QGroupBox(QString::fromUtf8(caption), parent);
    group->setObjectName(QString::fromLatin1(name));
    group->setGeometry(geometry);
    return group;
}

void TIndicatorSettingDialog::PaintColorPanel(int tag, platform::TColor color)
{
    const auto found = ColorPanels.find(tag);
    if (found == ColorPanels.end())
        return;
    QPalette palette = found->second->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(platform::ToQRgb(color)));
    found->second->setPalette(palette);
}

void TIndicatorSettingDialog::WhileEditing(const std::function<void()>& handler)
{
    if (EditedIndicator())
        platform::Guarded(handler);
}
