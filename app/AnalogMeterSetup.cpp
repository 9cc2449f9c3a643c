#include "app/AnalogMeterSetup.h"

#include <QFrame>
#include <QGroupBox>

TFAnalogMeterSetting* FAnalogMeterSetting = nullptr;

namespace {

const TIndicatorSettingDialog::TDesign Design{
    "FAnalogMeterSetting", "ダイヤルメーター設定", 273, 429, 41, 366, 454, false};

// Rows of the first tab: label on the left, entry on the right.
constexpr int FirstRow = 6;
constexpr int RowPitch = 25;
constexpr int LabelX = 8;
constexpr int LabelWidth = 118;
constexpr int EntryX = 128;
constexpr int EntryWidth = 118;
constexpr int NumberWidth = 50;
constexpr int EntryHeight = 21;

QRect LabelRow(int row)
{
    return {LabelX, FirstRow + row * RowPitch, LabelWidth, EntryHeight};
}

QRect EntryRow(int row, int width = EntryWidth)
{
    return {EntryX, FirstRow + row * RowPitch, width, EntryHeight};
}

}  // namespace

TFAnalogMeterSetting::TFAnalogMeterSetting(QWidget* owner)
    : TIndicatorSettingFor<TAnalogMeter>(owner, Design)
{
    CreateBasicSheet();
    CreateOptionSheet();
    FormCreate();

    // The backup list, in the order Cancel and Esc write it back.
    using M = TAnalogMeter;
    Properties = {
        Counter(&M::ScaleAngle, &M::SetScaleAngle, UpDownScaleAngle),
        Counter(&M::MainScaleDiv, &M::SetMainScaleDiv, UpDownMainScaleDiv),
        Counter(&M::SubScaleDiv, &M::SetSubScaleDiv, UpDownSubScaleDiv),
        Counter(&M::HeightTitle, &M::SetHeightTitle, UpDownTitleFontSize),
        Counter(&M::HeightScale, &M::SetHeightScale, UpDownScaleFontSize),
        Counter(&M::HeightValue, &M::SetHeightValue, UpDownValueFontSize),
        FixedPoint(&M::MinValue, &M::SetMinValue, EditMinValue, ChannelRow),
        FixedPoint(&M::MaxValue, &M::SetMaxValue, EditMaxValue, ChannelRow),
        Counter(&M::MainScaleExp, &M::SetMainScaleExp, UpDownIndexDivisor),
        Kept(&M::ColorTitle, &M::SetColorTitle),
        Colour(&M::ColorScale, &M::SetColorScale, 0),
        Colour(&M::ColorValue, &M::SetColorValue, 1),
        Colour(&M::ColorSLine, &M::SetColorSLine, 2),
        Colour(&M::ColorNeedle, &M::SetColorNeedle, 3),
        Colour(&M::ColorBack, &M::SetColorBack, 4),
        Colour(&M::ColorBoss, &M::SetColorBoss, 5),
        Colour(&M::ColorUpperLimit, &M::SetColorULmt, 6),
        Colour(&M::ColorLowerLimit, &M::SetColorLLmt, 7),
        Channel(&M::IoName, &M::SetIoName, ComboBoxIOName, ChannelRow,
                [this](int row) { ComboBoxIONameChange(row); }),
        Text(&M::Title, &M::SetTitle, EditTitle, Live),
        Text(&M::UpperLimit, &M::SetUpperLimit, EditUpperLimit),
        Text(&M::LowerLimit, &M::SetLowerLimit, EditLowerLimit),
    };
    FixedGreySlot = 8;
}

void TFAnalogMeterSetting::CreateBasicSheet()
{
    auto* panel = new QFrame(TabSheet1);
    panel->setObjectName(QStringLiteral("PanelBasic"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    // The rows' own top margin below the last row too, clear of the bevel.
    panel->setGeometry(4, 4, 258, 2 * FirstRow + 9 * RowPitch + EntryHeight);

    NewLabel(panel, "チャンネル", LabelRow(0));
    ComboBoxIOName = NewChannelComboBox(panel, "ComboBoxIOName", EntryRow(0));
    NewLabel(panel, "タイトル", LabelRow(1));
    EditTitle = NewEntry(panel, "EditTitle", EntryRow(1));
    NewLabel(panel, "最小値", LabelRow(2));
    EditMinValue = NewEntry(panel, "EditMinValue", EntryRow(2));
    NewLabel(panel, "最大値", LabelRow(3));
    EditMaxValue = NewEntry(panel, "EditMaxValue", EntryRow(3));
    NewLabel(panel, "リミット下限", LabelRow(4));
    EditLowerLimit = NewEntry(panel, "EditLowerLimit", EntryRow(4));
    NewLabel(panel, "リミット上限", LabelRow(5));
    EditUpperLimit = NewEntry(panel, "EditUpperLimit", EntryRow(5));

    // Read-only: they change only through their up-downs.
    NewLabel(panel, "メインスケール分割数", LabelRow(6));
    UpDownMainScaleDiv = NewIntegerEntry(panel, "EditMainScaleDiv", "UpDownMainScaleDiv",
                                         EntryRow(6, NumberWidth), 1, 20, 1, 10, true);
    EditMainScaleDiv = UpDownMainScaleDiv->Associate();
    NewLabel(panel, "サブスケール分割数", LabelRow(7));
    UpDownSubScaleDiv = NewIntegerEntry(panel, "EditSubScaleDiv", "UpDownSubScaleDiv",
                                        EntryRow(7, NumberWidth), 1, 10, 1, 2, true);
    EditSubScaleDiv = UpDownSubScaleDiv->Associate();
    NewLabel(panel, "スケール角度", LabelRow(8));
    UpDownScaleAngle = NewIntegerEntry(panel, "EditScaleAngle", "UpDownScaleAngle",
                                       EntryRow(8, NumberWidth), 60, 300, 5, 90, true);
    EditScaleAngle = UpDownScaleAngle->Associate();
    NewLabel(panel, "スケールファクター", LabelRow(9));
    UpDownIndexDivisor = NewIntegerEntry(panel, "EditMainScaleExp", "UpDownIndexDivisor",
                                         EntryRow(9, NumberWidth), 0, 5, 1, 0, true);
    EditMainScaleExp = UpDownIndexDivisor->Associate();
}

void TFAnalogMeterSetting::CreateOptionSheet()
{
    QGroupBox* colors = NewGroup(TabSheet2, "GroupBoxColor", " 色 ", {4, 4, 258, 226});
    NewColorButtons(colors,
                    {{"ButtonScaleColor", "スケール文字", "PanelScaleColor"},
                     {"ButtonValueColor", "計測値文字", "PanelValueColor"},
                     {"ButtonSLineColor", "スケールライン", "PanelSLineColor"},
                     {"ButtonNeedleColor", "ニードル", "PanelNeedleColor"},
                     {"ButtonBackColor", "バッググランド", "PanelBackColor"},
                     {"ButtonBossColor", "ニードルボス", "PanelBossColor"},
                     {"ButtonUpperLimit", "リミット上限", "PanelUpperLimitColor"},
                     {"ButtonLowerLimit", "リミット下限", "PanelLowerLimitColor"}},
                    {16, 18, 120, 22}, 26);
    ButtonScaleColor = ColorButtons[0];
    ButtonValueColor = ColorButtons[1];
    ButtonSLineColor = ColorButtons[2];
    ButtonNeedleColor = ColorButtons[3];
    ButtonBackColor = ColorButtons[4];
    ButtonBossColor = ColorButtons[5];
    ButtonUpperLimit = ColorButtons[6];
    ButtonLowerLimit = ColorButtons[7];

    QGroupBox* sizes = NewGroup(TabSheet2, "GroupBoxFontSize", "フォントサイズ", {4, 234, 258, 96});
    const QRect label{16, 18, 130, EntryHeight};
    const QRect entry{150, 18, 48, EntryHeight};
    NewLabel(sizes, "タイトル[pixel]", label);
    UpDownTitleFontSize = NewIntegerEntry(sizes, "EditTitleFontSize", "UpDownTitleFontSize", entry,
                                          8, 40, 1, 10, false);
    EditTitleFontSize = UpDownTitleFontSize->Associate();
    NewLabel(sizes, "スケール文字[%]", label.translated(0, 25));
    UpDownScaleFontSize = NewIntegerEntry(sizes, "EditScaleFontSize", "UpDownScaleFontSize",
                                          entry.translated(0, 25), 10, 50, 1, 10, false);
    EditScaleFontSize = UpDownScaleFontSize->Associate();
    NewLabel(sizes, "計測値[%]", label.translated(0, 50));
    UpDownValueFontSize = NewIntegerEntry(sizes, "EditValueFontSize", "UpDownValueFontSize",
                                          entry.translated(0, 50), 10, 50, 1, 10, false);
    EditValueFontSize = UpDownValueFontSize->Associate();
}

void TFAnalogMeterSetting::FormCreate()
{
    FillChannelComboBox(ComboBoxIOName);
    Indicator = nullptr;
}

void TFAnalogMeterSetting::ComboBoxIONameChange(int row)
{
    FollowChannel(ChannelRow, row, EditTitle);
}
