#include "app/BarGraphSetup.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "indicators/Etcpas.h"
#include "platform/Cp932.h"

TFBarGraphSetting* FBarGraphSetting = nullptr;

namespace {

const TIndicatorSettingDialog::TDesign Design{
    "FBarGraphSetting", "バーグラフ設定", 273, 332, 40, 279, 357, false};

// Two columns of labelled entries, each label above its entry.
constexpr int LeftColumn = 10;
constexpr int RightColumn = 136;
constexpr int ColumnWidth = 118;
constexpr int FirstRow = 10;
constexpr int RowPitch = 38;
constexpr int LabelHeight = 14;
constexpr int EntryHeight = 21;

QRect EntryAt(int column, int row)
{
    return {column, FirstRow + row * RowPitch + LabelHeight, ColumnWidth, EntryHeight};
}

QRect LabelAt(int column, int row)
{
    return {column, FirstRow + row * RowPitch, ColumnWidth, LabelHeight};
}

}  // namespace

TFBarGraphSetting::TFBarGraphSetting(QWidget* owner)
    : TIndicatorSettingFor<TBarGraph>(owner, Design)
{
    CreateBasicSheet();
    CreateOptionSheet();
    FormCreate();
}

void TFBarGraphSetting::CreateBasicSheet()
{
    auto* group = new QGroupBox(TabSheet1);
    group->setGeometry(4, 4, 258, 164);

    NewLabel(group, "チャンネル", LabelAt(LeftColumn, 0));
    ComboBoxIOName = NewChannelComboBox(group, "ComboBoxIOName", EntryAt(LeftColumn, 0),
                                        [this](int row) { ComboBoxIONameChange(row); });
    NewLabel(group, "タイトル", LabelAt(LeftColumn, 1));
    EditTitle = NewTextEntry(group, "EditTitle", EntryAt(LeftColumn, 1),
                             [this](const QString& text) { Indicator->SetTitle(text); });
    NewLabel(group, "最高値", LabelAt(LeftColumn, 2));
    EditMaxValue = NewFixedPointEntry(
        group, "EditMaxValue", EntryAt(LeftColumn, 2), [this] { return ChannelRow; },
        [this](std::int32_t value) { Indicator->SetMaxValue(value); });
    NewLabel(group, "最低値", LabelAt(LeftColumn, 3));
    EditMinValue = NewFixedPointEntry(
        group, "EditMinValue", EntryAt(LeftColumn, 3), [this] { return ChannelRow; },
        [this](std::int32_t value) { Indicator->SetMinValue(value); });

    NewLabel(group, "マーカー1", LabelAt(RightColumn, 0));
    EditMarker1 =
        NewTextEntry(group, "EditMarker1", EntryAt(RightColumn, 0), [this](const QString& text) {
            Indicator->SetMarker1(platform::ToCp932(text));
        });
    NewLabel(group, "マーカー2", LabelAt(RightColumn, 1));
    EditMarker2 =
        NewTextEntry(group, "EditMarker2", EntryAt(RightColumn, 1), [this](const QString& text) {
            Indicator->SetMarker2(platform::ToCp932(text));
        });
    NewLabel(group, "スタイル", LabelAt(RightColumn, 2));
    ComboBoxStyle = NewPickList(group, "ComboBoxStyle", EntryAt(RightColumn, 2),
                                {QStringLiteral("水平"), QStringLiteral("垂直")},
                                [this](int index) { ComboBoxStyleChange(index); });
}

void TFBarGraphSetting::CreateOptionSheet()
{
    auto* colors = new QGroupBox(QStringLiteral(" 色 "), TabSheet2);
    colors->setObjectName(QStringLiteral("GroupBoxColor"));
    colors->setGeometry(4, 4, 258, 164);
    const struct {
        const char* button;
        const char* caption;
        const char* panel;
    } map[] = {
        {"ButtonScaleColor", "スケール文字", "PanelScaleColor"},
        {"ButtonValueColor", "計測値文字", "PanelValueColor"},
        {"ButtonMarkerColor", "マーカーライン", "PanelMarkerColor"},
        {"ButtonBarColor", "バー", "PanelBarColor"},
        {"ButtonBackColor", "バックグランド", "PanelBackColor"},
    };
    for (int tag = 0; tag < 5; ++tag)
        NewColorButton(colors, tag, map[tag].button, map[tag].caption, map[tag].panel,
                       {16, 20 + tag * 29, 120, 24});
    ButtonScaleColor = ColorButtons[0];
    ButtonValueColor = ColorButtons[1];
    ButtonMarkerColor = ColorButtons[2];
    ButtonBarColor = ColorButtons[3];
    ButtonBackColor = ColorButtons[4];

    auto* sizes = new QGroupBox(QStringLiteral("フォントサイズ"), TabSheet2);
    sizes->setObjectName(QStringLiteral("GroupBoxFontSize"));
    sizes->setGeometry(4, 172, 258, 74);
    NewLabel(sizes, "タイトル[pixel]", {16, 20, 140, EntryHeight});
    UpDownTitleFontSize = NewIntegerEntry(sizes, "EditTitleFontSize", "UpDownTitleFontSize",
                                          {160, 20, 48, EntryHeight}, 8, 40, 1, 10, false,
                                          [this](int value) { Indicator->SetHeightTitle(value); });
    EditTitleFontSize = UpDownTitleFontSize->Associate();
    NewLabel(sizes, "スケール/計測値[pixel]", {16, 46, 140, EntryHeight});
    UpDownScaleFontSize = NewIntegerEntry(sizes, "EditScaleFontSize", "UpDownScaleFontSize",
                                          {160, 46, 48, EntryHeight}, 8, 40, 1, 10, false,
                                          [this](int value) { Indicator->SetHeightValue(value); });
    EditScaleFontSize = UpDownScaleFontSize->Associate();
}

void TFBarGraphSetting::FormCreate()
{
    FillChannelComboBox(ComboBoxIOName);
    Indicator = nullptr;
}

void TFBarGraphSetting::BackupProperties()
{
    Backup.MaxValue = Indicator->MaxValue();
    Backup.MinValue = Indicator->MinValue();
    Backup.Vertical = Indicator->Vertical();
    Backup.ColorTitle = Indicator->ColorTitle();
    Backup.ColorScale = Indicator->ColorScale();
    Backup.ColorValue = Indicator->ColorValue();
    Backup.ColorMarker = Indicator->ColorMarker();
    Backup.ColorBar = Indicator->ColorBar();
    Backup.ColorBack = Indicator->ColorBack();
    Backup.Marker1 = Indicator->Marker1();
    Backup.Marker2 = Indicator->Marker2();
    Backup.IoName = Indicator->IoName();
    Backup.Title = Indicator->Title();
    Backup.HeightTitle = Indicator->HeightTitle();
    Backup.HeightValue = Indicator->HeightValue();
}

void TFBarGraphSetting::RestoreProperties()
{
    Indicator->SetMaxValue(Backup.MaxValue);
    Indicator->SetMinValue(Backup.MinValue);
    Indicator->SetVertical(Backup.Vertical);
    Indicator->SetColorTitle(Backup.ColorTitle);
    Indicator->SetColorScale(Backup.ColorScale);
    Indicator->SetColorValue(Backup.ColorValue);
    Indicator->SetColorMarker(Backup.ColorMarker);
    Indicator->SetColorBar(Backup.ColorBar);
    Indicator->SetColorBack(Backup.ColorBack);
    Indicator->SetMarker1(Backup.Marker1);
    Indicator->SetMarker2(Backup.Marker2);
    Indicator->SetIoName(Backup.IoName);
    Indicator->SetTitle(Backup.Title);
    Indicator->SetHeightTitle(Backup.HeightTitle);
    Indicator->SetHeightValue(Backup.HeightValue);
}

platform::TColor TFBarGraphSetting::GetColorByIndex(int index) const
{
    switch (index) {
    case 0: return Indicator->ColorScale();
    case 1: return Indicator->ColorValue();
    case 2: return Indicator->ColorMarker();
    case 3: return Indicator->ColorBar();
    case 4: return Indicator->ColorBack();
    case 5: return FixedGrey;
    default: return 0;
    }
}

void TFBarGraphSetting::SetColorByIndex(int tag, platform::TColor color)
{
    switch (tag) {
    case 0: Indicator->SetColorScale(color); break;
    case 1: Indicator->SetColorValue(color); break;
    case 2: Indicator->SetColorMarker(color); break;
    case 3: Indicator->SetColorBar(color); break;
    case 4: Indicator->SetColorBack(color); break;
    default: return;
    }
    PaintColorPanel(tag, color);
}

void TFBarGraphSetting::LookUpChannels()
{
    ChannelRow = LookUpChannel(ComboBoxIOName, Indicator->IoName());
}

void TFBarGraphSetting::FillControls()
{
    const int decimals = DecimalPointOf(ChannelRow);
    EditMinValue->setText(QString::fromStdString(IntToStrFP(Indicator->MinValue(), decimals)));
    EditMaxValue->setText(QString::fromStdString(IntToStrFP(Indicator->MaxValue(), decimals)));
    UpDownTitleFontSize->SetPosition(Indicator->HeightTitle());
    UpDownScaleFontSize->SetPosition(Indicator->HeightValue());
    ComboBoxStyle->setCurrentIndex(Indicator->Vertical());
    EditMarker1->setText(platform::FromCp932(Indicator->Marker1()));
    EditMarker2->setText(platform::FromCp932(Indicator->Marker2()));
    EditTitle->setText(Indicator->Title());
    for (int tag = 0; tag < 5; ++tag)
        PaintColorPanel(tag, GetColorByIndex(tag));
}

void TFBarGraphSetting::ComboBoxIONameChange(int row)
{
    const TPortInfo& channel = ChannelTableRow(row);
    Indicator->SetIoName(channel.Designator);
    if (row == ChannelRow)
        return;
    EditTitle->setText(platform::FromCp932(channel.Description));
    Indicator->SetTitle(EditTitle->text());
    ChannelRow = row;
    // The texts on screen stay; they now stand for values with the new decimal point.
    std::int32_t value = 0;
    if (ConvertFixedPoint(EditMaxValue, ChannelRow, value))
        Indicator->SetMaxValue(value);
    if (ConvertFixedPoint(EditMinValue, ChannelRow, value))
        Indicator->SetMinValue(value);
}

void TFBarGraphSetting::ComboBoxStyleChange(int index)
{
    Indicator->SetVertical(index);
}
