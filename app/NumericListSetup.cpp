#include "app/NumericListSetup.h"

#include <algorithm>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>

#include "app/SourceList.h"
#include "indicators/Port.h"
#include "platform/Cp932.h"

TFNumericListSetup* FNumericListSetup = nullptr;

namespace {

constexpr int DesignWidth = 267;
constexpr int DesignHeight = 271;
constexpr QSize ListBoxDesignSize{160, 183};

// Resizable, and its tabs leave the height as it is.
constexpr TIndicatorSettingDialog::TDesign NumericListDesign{
    "FNumericListSetup", "数値リスト設定", DesignWidth, DesignHeight, 41, 0, 0, true};

}  // namespace

TFNumericListSetup::TFNumericListSetup(QWidget* owner)
    : TIndicatorSettingFor<TNumericList>(owner, NumericListDesign)
{
    PanelButtons->setObjectName(QStringLiteral("Panel2"));
    ButtonCansel->move(83, 8);
    ButtonOk->move(171, 8);
    CreateBasicSheet();
    CreateOptionSheet();

    // The backup list, in the order Cancel and Esc write it back; the rows are edited on the
    // list box and need none.
    using N = TNumericList;
    Properties = {
        Counter(&N::HeightTitle, &N::SetHeightTitle, UpDownTitleFontSize),
        Counter(&N::HeightList, &N::SetHeightList, UpDownListFontSize),
        Colour(&N::ColorList, &N::SetColorList, 0),
        Colour(&N::ColorBack, &N::SetColorBack, 1),
        Kept(&N::Title, &N::SetTitle),
    };
    FixedGreySlot = 8;
}

void TFNumericListSetup::CreateBasicSheet()
{
    ListBox = new QListWidget(TabSheet1);
    ListBox->setObjectName(QStringLiteral("ListBox"));
    ListBox->setGeometry(QRect(QPoint(8, 8), ListBoxDesignSize));
    ListBox->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox->setUniformItemSizes(true);

    auto button = [this](const char* name, const char* caption, const QRect& geometry,
                         void (TFNumericListSetup::*click)()) {
        auto* made = new QPushButton(QString::fromUtf8(caption), TabSheet1);
        made->setObjectName(QString::fromLatin1(name));
        made->setGeometry(geometry);
        // Enter closes the dialog; it must not also click the button that has the focus.
        made->setAutoDefault(false);
        connect(made, &QPushButton::clicked, this, [this, click] {
            if (Indicator)
                (this->*click)();
        });
        return made;
    };
    ButtonAdd = button("ButtonAdd", "追加", {179, 8, 75, 25}, &TFNumericListSetup::ButtonAddClick);
    ButtonDel = button("ButtonDel", "削除", {179, 40, 75, 25}, &TFNumericListSetup::ButtonDelClick);
    ButtonUp = button("ButtonUp", "↑", {179, 80, 25, 25}, &TFNumericListSetup::ButtonUpClick);
    ButtonDown = button("ButtonDown", "↓", {227, 80, 25, 25}, &TFNumericListSetup::ButtonDownClick);
}

void TFNumericListSetup::CreateOptionSheet()
{
    QGroupBox* colors = NewGroup(TabSheet2, "GroupBoxOption", " 色 ", {6, 4, 252, 85});
    NewColorButtons(colors,
                    {{"ButtonScaleColor", "リスト文字", "PanelListColor"},
                     {"ButtonBackColor", "バッググランド", "PanelBackColor"}},
                    {16, 16, 190, 25}, 32);
    for (const auto& [tag, panel] : ColorPanels)
        panel->setGeometry(216, tag == 0 ? 16 : 48, 25, 25);

    QGroupBox* fonts = NewGroup(TabSheet2, "GroupBox2", "フォントサイズ", {6, 96, 252, 65});
    NewLabel(fonts, "タイトル[pixel]", {16, 20, 110, 15});
    UpDownTitleFontSize = NewIntegerEntry(fonts, "EditTitleFontSize", "UpDownTitleFontSize",
                                          {16, 36, 30, 21}, 8, 40, 1, 16, false);
    NewLabel(fonts, "リスト文字[pixel]", {136, 20, 110, 15});
    UpDownListFontSize = NewIntegerEntry(fonts, "EditListFontSize", "UpDownListFontSize",
                                         {136, 36, 30, 21}, 10, 50, 1, 16, false);
}

// --- Opening ---------------------------------------------------------------------------------

int TFNumericListSetup::Execute(TNumericList* indicator, int x, int y)
{
    Indicator = indicator;
    BackupProperties();
    ListBox->clear();
    for (std::int32_t row = 0; row < indicator->NumRectCount; ++row)
        ListBox->addItem(platform::FromCp932(indicator->NumRectArray[row].PortInfo.Description));
    InstallHook();
    PlaceBeside(x, y, indicator->width());
    FillCustomColors();
    FillControls();
    return ShowModal();
}

// --- The row list ----------------------------------------------------------------------------

int TFNumericListSetup::ItemIndex() const
{
    // The list keeps a current line without a selection too (it takes line 0 with the focus);
    // only a selected one counts.
    const QListWidgetItem* item = ListBox->currentItem();
    return item && item->isSelected() ? ListBox->currentRow() : -1;
}

void TFNumericListSetup::SetItemIndex(int index)
{
    if (index < 0) {
        ListBox->clearSelection();
        ListBox->setCurrentRow(-1);
    } else {
        ListBox->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    }
}

void TFNumericListSetup::ButtonAddClick()
{
    if (!FSourceList)
        return;
    FSourceList->Execute(SourceIndexQ7, this);
    // Only the picker's selection tells whether a channel was chosen.
    if (FSourceList->ItemIndex() < 0)
        return;
    const QString picked = FSourceList->SelectedText();
    for (int line = 0; line < ListBox->count(); ++line) {
        if (ListBox->item(line)->text() == picked)
            return;  // a channel is listed once
    }
    // Appending leaves the selection where it was.
    const int selected = ItemIndex();
    ListBox->addItem(picked);
    SetItemIndex(selected);
}

void TFNumericListSetup::ButtonDelClick()
{
    const int index = ItemIndex();
    if (index < 0)
        return;
    delete ListBox->takeItem(index);
    // The line that moved up into the place, else the new last line, else none.
    SetItemIndex(std::min(index, ListBox->count() - 1));
}

void TFNumericListSetup::MoveLine(int from, int to)
{
    QListWidgetItem* line = ListBox->takeItem(from);
    ListBox->insertItem(to, line);
    SetItemIndex(to);
}

void TFNumericListSetup::ButtonUpClick()
{
    const int index = ItemIndex();
    if (index >= 1)
        MoveLine(index, index - 1);
}

void TFNumericListSetup::ButtonDownClick()
{
    const int index = ItemIndex();
    if (index >= 0 && index < ListBox->count() - 1)
        MoveLine(index, index + 1);
}

void TFNumericListSetup::ButtonOkClick()
{
    if (Indicator)
        Indicator->SetNumStrList(ListBox);
    done(1);
}

void TFNumericListSetup::resizeEvent(QResizeEvent* event)
{
    TIndicatorSettingFor<TNumericList>::resizeEvent(event);
    if (ListBox)
        ListBox->resize(ListBoxDesignSize + QSize(width() - DesignWidth, height() - DesignHeight));
}
