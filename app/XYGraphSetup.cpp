#include "app/XYGraphSetup.h"

#include <QComboBox>
#include <QGroupBox>

#include "indicators/Etcpas.h"
#include "platform/Cp932.h"

TFXYGraphSetting* FXYGraphSetting = nullptr;

namespace {

constexpr TIndicatorSettingDialog::TDesign XYGraphDesign{
    "FXYGraphSetting", "XY-グラフ設定", 273, 350, 40, 373, 359, false};

QGroupBox* NewGroup(QWidget* parent, const char* name, const char* caption, const QRect& geometry)
{
    auto* group = new QGroupBox(QString::fromUtf8(caption), parent);
    group->setObjectName(QString::fromLatin1(name));
    group->setGeometry(geometry);
    return group;
}

QString FixedPointText(std::int32_t value, int decimals)
{
    return platform::FromCp932(IntToStrFP(value, decimals));
}

}  // namespace

TFXYGraphSetting::TFXYGraphSetting(QWidget* owner)
    : TIndicatorSettingFor<TXYGraph>(owner, XYGraphDesign)
{
    CreateBasicSheet();
    CreateOptionSheet();
}

void TFXYGraphSetting::CreateBasicSheet()
{
    NewLabel(TabSheet1, "タイトル", {8, 2, 120, 15});
    EditTitle = NewTextEntry(TabSheet1, "EditTitle", {8, 17, 249, 21},
                             [this](const QString& text) { Indicator->SetTitle(text); });

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
    ComboBoxYIOName = NewChannelComboBox(vertical, "ComboBoxYIOName", channel,
                                         [this](int row) { ComboBoxYIONameChange(row); });
    EditYMaxValue = NewFixedPointEntry(
        vertical, "EditYMaxValue", maximum, [this] { return YChannelRow; },
        [this](std::int32_t v) { Indicator->SetYMaxValue(v); });
    EditYMinValue = NewFixedPointEntry(
        vertical, "EditYMinValue", minimum, [this] { return YChannelRow; },
        [this](std::int32_t v) { Indicator->SetYMinValue(v); });
    UpDownYDivisions =
        NewIntegerEntry(vertical, "EditYDivisions", "UpDownYDivisions", divisions, 1, 100, 1, 10,
                        true, [this](int v) { Indicator->SetYSplit(v); });

    QGroupBox* horizontal = NewGroup(TabSheet1, "GroupBoxX", "水平軸", {4, 142, 257, 96});
    labels(horizontal);
    ComboBoxXIOName = NewChannelComboBox(horizontal, "ComboBoxXIOName", channel,
                                         [this](int row) { ComboBoxXIONameChange(row); });
    EditXMaxValue = NewFixedPointEntry(
        horizontal, "EditXMaxValue", maximum, [this] { return XChannelRow; },
        [this](std::int32_t v) { Indicator->SetXMaxValue(v); });
    EditXMinValue = NewFixedPointEntry(
        horizontal, "EditXMinValue", minimum, [this] { return XChannelRow; },
        [this](std::int32_t v) { Indicator->SetXMinValue(v); });
    UpDownXDivisions =
        NewIntegerEntry(horizontal, "EditXDivisions", "UpDownXDivisions", divisions, 1, 100, 1, 10,
                        true, [this](int v) { Indicator->SetXSplit(v); });
}

void TFXYGraphSetting::CreateOptionSheet()
{
    QGroupBox* colors = NewGroup(TabSheet2, "GroupBoxColor", " 色 ", {4, 4, 257, 168});
    NewColorButton(colors, 0, "ButtonScaleColor", "スケール文字", "PanelScaleColor",
                   {12, 16, 190, 25});
    NewColorButton(colors, 1, "ButtonValueColor", "計測値文字", "PanelValueColor",
                   {12, 46, 190, 25});
    NewColorButton(colors, 2, "ButtonGridColor", "グリッドライン", "PanelGridColor",
                   {12, 76, 190, 25});
    NewColorButton(colors, 3, "ButtonCrossColor", "クロスカーソル", "PanelCrossColor",
                   {12, 106, 190, 25});
    NewColorButton(colors, 4, "ButtonBackColor", "バックグランド", "PanelBackColor",
                   {12, 136, 190, 25});

    QGroupBox* fonts = NewGroup(TabSheet2, "GroupBoxFont", "フォントサイズ", {4, 176, 257, 62});
    NewLabel(fonts, "タイトル", {12, 16, 100, 15});
    UpDownTitleFontSize =
        NewIntegerEntry(fonts, "EditTitleFontSize", "UpDownTitleFontSize", {12, 32, 40, 21}, 8, 40,
                        1, 10, false, [this](int v) { Indicator->SetHeightTitle(v); });
    NewLabel(fonts, "スケール/計測値", {128, 16, 120, 15});
    UpDownValueFontSize =
        NewIntegerEntry(fonts, "EditValueFontSize", "UpDownValueFontSize", {128, 32, 40, 21}, 8, 40,
                        1, 10, false, [this](int v) { Indicator->SetHeightValue(v); });
}

// --- Backup and colours ----------------------------------------------------------------------

void TFXYGraphSetting::BackupProperties()
{
    const TXYGraph& graph = *Indicator;
    Backup = {graph.XMaxValue(),  graph.XMinValue(),  graph.XSplit(),      graph.YMaxValue(),
              graph.YMinValue(),  graph.YSplit(),     graph.HeightTitle(), graph.HeightValue(),
              graph.ColorTitle(), graph.ColorScale(), graph.ColorValue(),  graph.ColorGrid(),
              graph.ColorCross(), graph.ColorBack(),  graph.XIoName(),     graph.YIoName(),
              graph.Title()};
}

void TFXYGraphSetting::RestoreProperties()
{
    TXYGraph& graph = *Indicator;
    graph.SetXMaxValue(Backup.XMaxValue);
    graph.SetXMinValue(Backup.XMinValue);
    graph.SetXSplit(Backup.XSplit);
    graph.SetYMaxValue(Backup.YMaxValue);
    graph.SetYMinValue(Backup.YMinValue);
    graph.SetYSplit(Backup.YSplit);
    graph.SetHeightTitle(Backup.HeightTitle);
    graph.SetHeightValue(Backup.HeightValue);
    graph.SetColorTitle(Backup.ColorTitle);
    graph.SetColorScale(Backup.ColorScale);
    graph.SetColorValue(Backup.ColorValue);
    graph.SetColorGrid(Backup.ColorGrid);
    graph.SetColorCross(Backup.ColorCross);
    graph.SetColorBack(Backup.ColorBack);
    graph.SetXIoName(Backup.XIoName);
    graph.SetYIoName(Backup.YIoName);
    graph.SetTitle(Backup.Title);
}

platform::TColor TFXYGraphSetting::GetColorByIndex(int index) const
{
    switch (index) {
    case 0: return Indicator->ColorScale();
    case 1: return Indicator->ColorValue();
    case 2: return Indicator->ColorGrid();
    case 3: return Indicator->ColorCross();
    case 4: return Indicator->ColorBack();
    case 5: return FixedGrey;
    default: return 0;
    }
}

void TFXYGraphSetting::SetColorByIndex(int tag, platform::TColor color)
{
    switch (tag) {
    case 0: Indicator->SetColorScale(color); break;
    case 1: Indicator->SetColorValue(color); break;
    case 2: Indicator->SetColorGrid(color); break;
    case 3: Indicator->SetColorCross(color); break;
    case 4: Indicator->SetColorBack(color); break;
    default: return;
    }
    PaintColorPanel(tag, color);
}

// --- Opening ---------------------------------------------------------------------------------

void TFXYGraphSetting::LookUpChannels()
{
    XChannelRow = LookUpChannel(ComboBoxXIOName, Indicator->XIoName());
    YChannelRow = LookUpChannel(ComboBoxYIOName, Indicator->YIoName());
}

void TFXYGraphSetting::FillControls()
{
    const int xDecimals = DecimalPointOf(XChannelRow);
    const int yDecimals = DecimalPointOf(YChannelRow);
    EditXMinValue->setText(FixedPointText(Indicator->XMinValue(), xDecimals));
    EditXMaxValue->setText(FixedPointText(Indicator->XMaxValue(), xDecimals));
    EditYMinValue->setText(FixedPointText(Indicator->YMinValue(), yDecimals));
    EditYMaxValue->setText(FixedPointText(Indicator->YMaxValue(), yDecimals));
    UpDownXDivisions->SetPosition(Indicator->XSplit());
    UpDownYDivisions->SetPosition(Indicator->YSplit());
    UpDownTitleFontSize->SetPosition(Indicator->HeightTitle());
    UpDownValueFontSize->SetPosition(Indicator->HeightValue());
    EditTitle->setText(Indicator->Title());
    PaintColorPanel(0, Indicator->ColorScale());
    PaintColorPanel(1, Indicator->ColorValue());
    PaintColorPanel(2, Indicator->ColorGrid());
    PaintColorPanel(3, Indicator->ColorCross());
    PaintColorPanel(4, Indicator->ColorBack());
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
    Indicator->SetXIoName(ChannelTableRow(row).Designator);
    if (row == XChannelRow)
        return;
    XChannelRow = row;
    ApplyChannelTitle();
    // The limits keep their values; only how their entries show them follows the channel.
    const int decimals = DecimalPointOf(row);
    EditXMinValue->setText(FixedPointText(Indicator->XMinValue(), decimals));
    EditXMaxValue->setText(FixedPointText(Indicator->XMaxValue(), decimals));
}

void TFXYGraphSetting::ComboBoxYIONameChange(int row)
{
    Indicator->SetYIoName(ChannelTableRow(row).Designator);
    if (row == YChannelRow)
        return;
    YChannelRow = row;
    ApplyChannelTitle();
    const int decimals = DecimalPointOf(row);
    EditYMinValue->setText(FixedPointText(Indicator->YMinValue(), decimals));
    EditYMaxValue->setText(FixedPointText(Indicator->YMaxValue(), decimals));
}
