// The indicator menu: edit, create, delete and copy the indicator the right click selected.
#include <QAction>
#include <QMenu>
#include <QPoint>

#include "app/IndicatorLifecycle.h"
#include "app/IndicatorSettings.h"
#include "app/Main.h"
#include "app/WorkFileEncoding.h"
#include "indicators/Indicator.h"
#include "indicators/ZpMainPanel.h"
#include "platform/Exceptions.h"
#include "platform/MessageBox.h"

namespace {

// A copy stands this far right of and below the indicator it copies.
constexpr int kCopyOffset = 16;

}  // namespace

void TMainForm::CreateIndicatorMenuItems()
{
    // Each item runs as the platform runs a click handler: an exception is shown, not thrown on.
    const auto addItem = [this](QMenu* menu, const char* name, const QString& caption,
                                void (TMainForm::*handler)(QObject*)) {
        QAction* item = menu->addAction(caption);
        item->setObjectName(QLatin1String(name));
        connect(item, &QAction::triggered, this, [this, item, handler] {
            platform::Guarded([this, item, handler] { (this->*handler)(item); });
        });
        return item;
    };

    MenuIndicatorEdit = addItem(PopupMenuIndicator, "MenuIndicatorEdit", QStringLiteral("設定(&E)"),
                                &TMainForm::MenuIndicatorEditClick);
    MenuIndicatorCreate = PopupMenuIndicator->addMenu(QStringLiteral("作成(&N)"));
    MenuIndicatorCreate->setObjectName(QStringLiteral("MenuIndicatorCreate"));
    NewDialGauge = addItem(MenuIndicatorCreate, "NewDialGauge", QStringLiteral("ダイアルゲージ"),
                           &TMainForm::NewDialGaugeClick);
    NewBarGraph = addItem(MenuIndicatorCreate, "NewBarGraph", QStringLiteral("バーグラフ"),
                          &TMainForm::NewBarGraphClick);
    NewXYGraph = addItem(MenuIndicatorCreate, "NewXYGraph", QStringLiteral("XY-グラフ"),
                         &TMainForm::NewXYGraphClick);
    NewNumericList = addItem(MenuIndicatorCreate, "NewNumericList", QStringLiteral("数値リスト"),
                             &TMainForm::NewNumericListClick);
    NewRecorder = addItem(MenuIndicatorCreate, "NewRecorder", QStringLiteral("レコーダー"),
                          &TMainForm::NewRecorderClick);
    MenuIndicatorDelete = addItem(PopupMenuIndicator, "MenuIndicatorDelete",
                                  QStringLiteral("削除(&D)"), &TMainForm::MenuIndicatorDeleteClick);
    N7 = PopupMenuIndicator->addSeparator();
    N7->setObjectName(QStringLiteral("N7"));
    MenuIndicatorCopy =
        addItem(PopupMenuIndicator, "MenuIndicatorCopy", QStringLiteral("コピーして作成"),
                &TMainForm::MenuIndicatorCopyClick);
}

void TMainForm::MenuIndicatorEditClick(QObject* /*Sender*/)
{
    // Shift held: the click is not meant as an edit; the selection stays.
    if (ShiftDown || !SelectIndicator)
        return;
    const QPoint corner =
        MainPanel->mapToGlobal(QPoint(SelectIndicator->Left(), SelectIndicator->Top()));
    std::string prefix;
    std::int32_t number = 0;
    if (SelectIndicator->GetUnderbarName(prefix, number))
        ExecuteIndicatorSettings(prefix, *SelectIndicator, corner.x(), corner.y());
    SelectIndicator = nullptr;
}

void TMainForm::MenuIndicatorDeleteClick(QObject* /*Sender*/)
{
    if (!SelectIndicator)
        return;
    platform::MessageBeep();
    const platform::BoxResult answer = platform::ShowMessageBox(
        QStringLiteral("インジケータを削除します。\n\r\n\rよろしいですか？"), QString(),
        platform::BoxIcon::Question, platform::BoxButtons::YesNo);
    if (answer == platform::BoxResult::Yes)
        DeleteIndicator(SelectIndicator);
}

void TMainForm::MenuIndicatorCopyClick(QObject* /*Sender*/)
{
    if (!SelectIndicator)
        return;
    std::string prefix;
    std::int32_t number = 0;
    if (SelectIndicator->GetUnderbarName(prefix, number)) {
        // Every kind's copy carries its properties, the XY graph's too.
        QStringList lines;
        SaveIndicatorProperty(*SelectIndicator, prefix, lines, std::string());
        const std::string text = "{" + EncodeWorkLines(lines) + "}";
        const char* block = text.c_str();
        if (TIndicator* copy = CreateIndicator(prefix, &block)) {
            copy->SetBounds(copy->Left() + kCopyOffset, copy->Top() + kCopyOffset, copy->Width(),
                            copy->Height());
            MainPanel->UpdateSize();
        }
    }
    SelectIndicator = nullptr;
}

void TMainForm::NewDialGaugeClick(QObject* /*Sender*/)
{
    CreateIndicator("_AnalogMeter", nullptr);
}

void TMainForm::NewBarGraphClick(QObject* /*Sender*/)
{
    CreateIndicator("_BarGraph", nullptr);
}

void TMainForm::NewXYGraphClick(QObject* /*Sender*/)
{
    CreateIndicator("_XYGraph", nullptr);
}

void TMainForm::NewNumericListClick(QObject* /*Sender*/)
{
    CreateIndicator("_NumericList", nullptr);
}

void TMainForm::NewRecorderClick(QObject* /*Sender*/)
{
    CreateIndicator("_Recorder", nullptr);  // a kind without a class: nothing is made
}
