// The indicator menu: edit, create, delete and copy the indicator the right click selected.
#include <functional>
#include <QAction>
#include <QMenu>
#include <QPoint>
#include <utility>

#include "app/IndicatorKinds.h"
#include "app/IndicatorLifecycle.h"
#include "app/Main.h"
#include "app/WorkFileEncoding.h"
#include "indicators/Indicator.h"
#include "indicators/ZpMainPanel.h"
#include "platform/Exceptions.h"
#include "platform/MessageBox.h"

namespace {

// A copy stands this far right of and below the indicator it copies.
constexpr int CopyOffset = 16;

}  // namespace

void TMainForm::CreateIndicatorMenuItems()
{
    // Each item runs as the platform runs a click handler, with the item as sender: an exception
    // is shown, not thrown on.
    const auto addItem = [this](QMenu* menu, const char* name, const QString& caption,
                                std::function<void(QObject*)> handler) {
        QAction* item = menu->addAction(caption);
        item->setObjectName(QLatin1String(name));
        connect(item, &QAction::triggered, this, [item, handler = std::move(handler)] {
            platform::Guarded([&] { handler(item); });
        });
        return item;
    };

    MenuIndicatorEdit = addItem(PopupMenuIndicator, "MenuIndicatorEdit", QStringLiteral("設定(&E)"),
                                std::bind_front(&TMainForm::MenuIndicatorEditClick, this));
    MenuIndicatorCreate = PopupMenuIndicator->addMenu(QStringLiteral("作成(&N)"));
    MenuIndicatorCreate->setObjectName(QStringLiteral("MenuIndicatorCreate"));
    // One item per kind; a kind without a class makes nothing.
    for (const TIndicatorKind& kind : IndicatorKinds())
        addItem(MenuIndicatorCreate, kind.MenuItem, QString::fromUtf8(kind.Caption),
                [prefix = kind.Prefix](QObject*) { CreateIndicator(prefix, nullptr); });
    MenuIndicatorDelete =
        addItem(PopupMenuIndicator, "MenuIndicatorDelete", QStringLiteral("削除(&D)"),
                std::bind_front(&TMainForm::MenuIndicatorDeleteClick, this));
    N7 = PopupMenuIndicator->addSeparator();
    N7->setObjectName(QStringLiteral("N7"));
    MenuIndicatorCopy =
        addItem(PopupMenuIndicator, "MenuIndicatorCopy", QStringLiteral("コピーして作成"),
                std::bind_front(&TMainForm::MenuIndicatorCopyClick, this));
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
    if (SelectIndicator->GetUnderbarName(prefix, number)) {
        if (const TIndicatorKind* kind = FindIndicatorKind(prefix); kind && kind->Edit)
            kind->Edit(*SelectIndicator, corner.x(), corner.y());
    }
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
        if (const TIndicatorKind* kind = FindIndicatorKind(prefix);
            kind && kind->Holds(*SelectIndicator))
            SelectIndicator->SaveProperty(lines, std::string());
        const std::string text = "{" + EncodeWorkLines(lines) + "}";
        const char* block = text.c_str();
        if (TIndicator* copy = CreateIndicator(prefix, &block)) {
            copy->SetBounds(copy->Left() + CopyOffset, copy->Top() + CopyOffset, copy->Width(),
                            copy->Height());
            MainPanel->UpdateSize();
        }
    }
    SelectIndicator = nullptr;
}
