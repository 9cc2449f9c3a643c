#include "app/BarGraphSetup.h"

#include <QGroupBox>

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

    // The backup list, in the order Cancel and Esc write it back.
    using B = TBarGraph;
    Properties = {
        FixedPoint(&B::MaxValue, &B::SetMaxValue, EditMaxValue, ChannelRow),
        FixedPoint(&B::MinValue, &B::SetMinValue, EditMinValue, ChannelRow),
        // ComboBoxStyleChange: a pick sets the style at once.
        Choice(&B::Vertical, &B::SetVertical, ComboBoxStyle),
        Kept(&B::ColorTitle, &B::SetColorTitle),
        Colour(&B::ColorScale, &B::SetColorScale, 0),
        Colour(&B::ColorValue, &B::SetColorValue, 1),
        Colour(&B::ColorMarker, &B::SetColorMarker, 2),
        Colour(&B::ColorBar, &B::SetColorBar, 3),
        Colour(&B::ColorBack, &B::SetColorBack, 4),
        Text(&B::Marker1, &B::SetMarker1, EditMarker1),
        Text(&B::Marker2, &B::SetMarker2, EditMarker2),
        Channel(&B::IoName, &B::SetIoName, ComboBoxIOName, ChannelRow,
                [this](int row) { ComboBoxIONameChange(row); }),
        Text(&B::Title, &B::SetTitle, EditTitle),
        Counter(&B::HeightTitle, &B::SetHeightTitle, UpDownTitleFontSize),
        Counter(&B::HeightValue, &B::SetHeightValue, UpDownScaleFontSize),
    };
    FixedGreySlot = 5;
}

void TFBarGraphSetting::CreateBasicSheet()
{
    auto* group = new QGroupBox(TabSheet1);
    group->setGeometry(4, 4, 258, 164);

    NewLabel(group, "チャンネル", LabelAt(LeftColumn, 0));
    ComboBoxIOName = NewChannelComboBox(group, "ComboBoxIOName", EntryAt(LeftColumn, 0));
    NewLabel(group, "タイトル", LabelAt(LeftColumn, 1));
    EditTitle = NewEntry(group, "EditTitle", EntryAt(LeftColumn, 1));
    NewLabel(group, "最高値", LabelAt(LeftColumn, 2));
    EditMaxValue = NewEntry(group, "EditMaxValue", EntryAt(LeftColumn, 2));
    NewLabel(group, "最低値", LabelAt(LeftColumn, 3));
    EditMinValue = NewEntry(group, "EditMinValue", EntryAt(LeftColumn, 3));

    NewLabel(group, "マーカー1", LabelAt(RightColumn, 0));
    EditMarker1 = NewEntry(group, "EditMarker1", EntryAt(RightColumn, 0));
    NewLabel(group, "マーカー2", LabelAt(RightColumn, 1));
    EditMarker2 = NewEntry(group, "EditMarker2", EntryAt(RightColumn, 1));
    NewLabel(group, "スタイル", LabelAt(RightColumn, 2));
    ComboBoxStyle = NewPickList(group, "ComboBoxStyle", EntryAt(RightColumn, 2),
                                {QStringLiteral("水平"), QStringLiteral("垂直")});
}

void TFBarGraphSetting::CreateOptionSheet()
{
    QGroupBox* colors = NewGroup(TabSheet2, "GroupBoxColor", " 色 ", {4, 4, 258, 164});
    NewColorButtons(colors,
                    {{"ButtonScaleColor", "スケール文字", "PanelScaleColor"},
                     {"ButtonValueColor", "計測値文字", "PanelValueColor"},
                     {"ButtonMarkerColor", "マーカーライン", "PanelMarkerColor"},
                     {"ButtonBarColor", "バー", "PanelBarColor"},
                     {"ButtonBackColor", "バックグランド", "PanelBackColor"}},
                    {16, 20, 120, 24}, 29);
    ButtonScaleColor = ColorButtons[0];
    ButtonValueColor = ColorButtons[1];
    ButtonMarkerColor = ColorButtons[2];
    ButtonBarColor = ColorButtons[3];
    ButtonBackColor = ColorButtons[4];

    QGroupBox* sizes = NewGroup(TabSheet2, "GroupBoxFontSize", "フォントサイズ", {4, 172, 258, 74});
    NewLabel(sizes, "タイトル[pixel]", {16, 20, 140, EntryHeight});
    UpDownTitleFontSize = NewIntegerEntry(sizes, "EditTitleFontSize", "UpDownTitleFontSize",
                                          {160, 20, 48, EntryHeight}, 8, 40, 1, 10, false);
    EditTitleFontSize = UpDownTitleFontSize->Associate();
    NewLabel(sizes, "スケール/計測値[pixel]", {16, 46, 140, EntryHeight});
    UpDownScaleFontSize = NewIntegerEntry(sizes, "EditScaleFontSize", "UpDownScaleFontSize",
                                          {160, 46, 48, EntryHeight}, 8, 40, 1, 10, false);
    EditScaleFontSize = UpDownScaleFontSize->Associate();
}

void TFBarGraphSetting::FormCreate()
{
    FillChannelComboBox(ComboBoxIOName);
    Indicator = nullptr;
}

void TFBarGraphSetting::ComboBoxIONameChange(int row)
{
    FollowChannel(ChannelRow, row, EditTitle);
}
