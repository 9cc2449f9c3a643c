#include "app/XYGraphSetup.h"

#include <QGroupBox>

#include "platform/Cp932.h"

TFXYGraphSetting* FXYGraphSetting = nullptr;

namespace {

constexpr TIndicatorSettingDialog::TDesign XYGraphDesign{
    "FXYGraphSetting", "XY-グラフ設定", 273, 350, 40, 373, 359, false};

}  // namespace

TFXYGraphSetting::TFXYGraphSetting(QWidget* owner)
    : TIndicatorSettingFor<TXYGraph>(owner, XYGraphDesign)
{
    CreateBasicSheet();
    CreateOptionSheet();

    // The backup list, in the order Cancel and Esc write it back.
    using G = TXYGraph;
    Properties = {
        FixedPoint(&G::XMaxValue, &G::SetXMaxValue, EditXMaxValue, XChannelRow),
        FixedPoint(&G::XMinValue, &G::SetXMinValue, EditXMinValue, XChannelRow),
        Counter(&G::XSplit, &G::SetXSplit, UpDownXDivisions),
        FixedPoint(&G::YMaxValue, &G::SetYMaxValue, EditYMaxValue, YChannelRow),
        FixedPoint(&G::YMinValue, &G::SetYMinValue, EditYMinValue, YChannelRow),
        Counter(&G::YSplit, &G::SetYSplit, UpDownYDivisions),
        Counter(&G::HeightTitle, &G::SetHeightTitle, UpDownTitleFontSize),
        Counter(&G::HeightValue, &G::SetHeightValue, UpDownValueFontSize),
        Kept(&G::ColorTitle, &G::SetColorTitle),
        Colour(&G::ColorScale, &G::SetColorScale, 0),
        Colour(&G::ColorValue, &G::SetColorValue, 1),
        Colour(&G::ColorGrid, &G::SetColorGrid, 2),
        Colour(&G::ColorCross, &G::SetColorCross, 3),
        Colour(&G::ColorBack, &G::SetColorBack, 4),
        Channel(&G::XIoName, &G::SetXIoName, ComboBoxXIOName, XChannelRow,
                [this](int row) { ComboBoxXIONameChange(row); }),
        Channel(&G::YIoName, &G::SetYIoName, ComboBoxYIOName, YChannelRow,
                [this](int row) { ComboBoxYIONameChange(row); }),
        Text(&G::Title, &G::SetTitle, EditTitle),
    };
    FixedGreySlot = 5;
}

void TFXYGraphSetting::CreateBasicSheet()
{
    NewLabel(TabSheet1, "タイトル", {8, 2, 120, 15});
    EditTitle = NewEntry(TabSheet1, "EditTitle", {8, 17, 249, 21});

    // Both axes have the same rows: the channel, maximum beside minimum, the divisions. Compact
    // enough that the tab's outer height still holds them under a tall title bar.
    auto labels = [this](QWidget* group) {
        NewLabel(group, "チャンネル", {10, 19, 60, 15});
        NewLabel(group, "最高値", {10, 45, 38, 15});
        NewLabel(group, "最低値", {132, 45, 38, 15});
        NewLabel(group, "分割数", {10, 71, 38, 15});
    };
    const QRect channel{72, 16, 175, 21};
    const QRect maximum{50, 42, 72, 21};
    const QRect minimum{172, 42, 75, 21};
    const QRect divisions{50, 68, 40, 21};

    QGroupBox* vertical = NewGroup(TabSheet1, "GroupBoxY", "垂直軸", {4, 42, 257, 96});
    labels(vertical);
    ComboBoxYIOName = NewChannelComboBox(vertical, "ComboBoxYIOName", channel);
    EditYMaxValue = NewEntry(vertical, "EditYMaxValue", maximum);
    EditYMinValue = NewEntry(vertical, "EditYMinValue", minimum);
    UpDownYDivisions = NewIntegerEntry(vertical, "EditYDivisions", "UpDownYDivisions", divisions, 1,
                                       100, 1, 10, true);

    QGroupBox* horizontal = NewGroup(TabSheet1, "GroupBoxX", "水平軸", {4, 142, 257, 96});
    labels(horizontal);
    ComboBoxXIOName = NewChannelComboBox(horizontal, "ComboBoxXIOName", channel);
    EditXMaxValue = NewEntry(horizontal, "EditXMaxValue", maximum);
    EditXMinValue = NewEntry(horizontal, "EditXMinValue", minimum);
    UpDownXDivisions = NewIntegerEntry(horizontal, "EditXDivisions", "UpDownXDivisions", divisions,
                                       1, 100, 1, 10, true);
}

void TFXYGraphSetting::CreateOptionSheet()
{
    QGroupBox* colors = NewGroup(TabSheet2, "GroupBoxColor", " 色 ", {4, 4, 257, 168});
    NewColorButtons(colors,
                    {{"ButtonScaleColor", "スケール文字", "PanelScaleColor"},
                     {"ButtonValueColor", "計測値文字", "PanelValueColor"},
                     {"ButtonGridColor", "グリッドライン", "PanelGridColor"},
                     {"ButtonCrossColor", "クロスカーソル", "PanelCrossColor"},
                     {"ButtonBackColor", "バックグランド", "PanelBackColor"}},
                    {12, 16, 190, 25}, 30);

    QGroupBox* fonts = NewGroup(TabSheet2, "GroupBoxFont", "フォントサイズ", {4, 176, 257, 62});
    NewLabel(fonts, "タイトル", {12, 16, 100, 15});
    UpDownTitleFontSize = NewIntegerEntry(fonts, "EditTitleFontSize", "UpDownTitleFontSize",
                                          {12, 32, 40, 21}, 8, 40, 1, 10, false);
    NewLabel(fonts, "スケール/計測値", {128, 16, 120, 15});
    UpDownValueFontSize = NewIntegerEntry(fonts, "EditValueFontSize", "UpDownValueFontSize",
                                          {128, 32, 40, 21}, 8, 40, 1, 10, false);
}

// --- Channel picks ---------------------------------------------------------------------------

QString TFXYGraphSetting::ChannelTitle(int yRow, int xRow)
{
    auto description = [](int row) {
        return row < 0 ? QString() : platform::FromCp932(ChannelTableRow(row).Description);
    };
    if (yRow < 0)
        return description(xRow);
    if (xRow < 0)
        return description(yRow);
    return description(yRow) + QStringLiteral(" vs ") + description(xRow);
}

void TFXYGraphSetting::ApplyChannelTitle()
{
    EditTitle->setText(ChannelTitle(YChannelRow, XChannelRow));
    Indicator->SetTitle(EditTitle->text());
}

void TFXYGraphSetting::ComboBoxXIONameChange(int row)
{
    if (!TakeChannel(XChannelRow, row))
        return;
    XChannelRow = row;
    ApplyChannelTitle();
    // The limits keep their values; only how their entries show them follows the channel.
    ShowEntries(XChannelRow);
}

void TFXYGraphSetting::ComboBoxYIONameChange(int row)
{
    if (!TakeChannel(YChannelRow, row))
        return;
    YChannelRow = row;
    ApplyChannelTitle();
    ShowEntries(YChannelRow);
}
