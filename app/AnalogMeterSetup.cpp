#include "app/AnalogMeterSetup.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "indicators/Etcpas.h"
#include "platform/Cp932.h"

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
}

void TFAnalogMeterSetting::CreateBasicSheet()
{
    auto* panel = new QFrame(TabSheet1);
    panel->setObjectName(QStringLiteral("PanelBasic"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(4, 4, 258, 252);

    NewLabel(panel, "チャンネル", LabelRow(0));
    ComboBoxIOName = NewChannelComboBox(panel, "ComboBoxIOName", EntryRow(0),
                                        [this](int row) { ComboBoxIONameChange(row); });
    NewLabel(panel, "タイトル", LabelRow(1));
    EditTitle = NewTextEntry(
        panel, "EditTitle", EntryRow(1), [this](const QString& text) { Indicator->SetTitle(text); },
        /*live=*/true);
    NewLabel(panel, "最小値", LabelRow(2));
    EditMinValue = NewFixedPointEntry(
        panel, "EditMinValue", EntryRow(2), [this] { return ChannelRow; },
        [this](std::int32_t value) { Indicator->SetMinValue(value); });
    NewLabel(panel, "最大値", LabelRow(3));
    EditMaxValue = NewFixedPointEntry(
        panel, "EditMaxValue", EntryRow(3), [this] { return ChannelRow; },
        [this](std::int32_t value) { Indicator->SetMaxValue(value); });
    NewLabel(panel, "リミット下限", LabelRow(4));
    EditLowerLimit =
        NewTextEntry(panel, "EditLowerLimit", EntryRow(4), [this](const QString& text) {
            Indicator->SetLowerLimit(platform::ToCp932(text));
        });
    NewLabel(panel, "リミット上限", LabelRow(5));
    EditUpperLimit =
        NewTextEntry(panel, "EditUpperLimit", EntryRow(5), [this](const QString& text) {
            Indicator->SetUpperLimit(platform::ToCp932(text));
        });

    // Read-only: they change only through their up-downs.
    NewLabel(panel, "メインスケール分割数", LabelRow(6));
    UpDownMainScaleDiv = NewIntegerEntry(panel, "EditMainScaleDiv", "UpDownMainScaleDiv",
                                         EntryRow(6, NumberWidth), 1, 20, 1, 10, true,
                                         [this](int value) { Indicator->SetMainScaleDiv(value); });
    EditMainScaleDiv = UpDownMainScaleDiv->Associate();
    NewLabel(panel, "サブスケール分割数", LabelRow(7));
    UpDownSubScaleDiv =
        NewIntegerEntry(panel, "EditSubScaleDiv", "UpDownSubScaleDiv", EntryRow(7, NumberWidth), 1,
                        10, 1, 2, true, [this](int value) { Indicator->SetSubScaleDiv(value); });
    EditSubScaleDiv = UpDownSubScaleDiv->Associate();
    NewLabel(panel, "スケール角度", LabelRow(8));
    UpDownScaleAngle =
        NewIntegerEntry(panel, "EditScaleAngle", "UpDownScaleAngle", EntryRow(8, NumberWidth), 60,
                        300, 5, 90, true, [this](int value) { Indicator->SetScaleAngle(value); });
    EditScaleAngle = UpDownScaleAngle->Associate();
    NewLabel(panel, "スケールファクター", LabelRow(9));
    UpDownIndexDivisor =
        NewIntegerEntry(panel, "EditMainScaleExp", "UpDownIndexDivisor", EntryRow(9, NumberWidth),
                        0, 5, 1, 0, true, [this](int value) { Indicator->SetMainScaleExp(value); });
    EditMainScaleExp = UpDownIndexDivisor->Associate();
}

void TFAnalogMeterSetting::CreateOptionSheet()
{
    auto* colors = new QGroupBox(QStringLiteral(" 色 "), TabSheet2);
    colors->setObjectName(QStringLiteral("GroupBoxColor"));
    colors->setGeometry(4, 4, 258, 226);
    const struct {
        const char* button;
        const char* caption;
        const char* panel;
    } map[] = {
        {"ButtonScaleColor", "スケール文字", "PanelScaleColor"},
        {"ButtonValueColor", "計測値文字", "PanelValueColor"},
        {"ButtonSLineColor", "スケールライン", "PanelSLineColor"},
        {"ButtonNeedleColor", "ニードル", "PanelNeedleColor"},
        {"ButtonBackColor", "バッググランド", "PanelBackColor"},
        {"ButtonBossColor", "ニードルボス", "PanelBossColor"},
        {"ButtonUpperLimit", "リミット上限", "PanelUpperLimitColor"},
        {"ButtonLowerLimit", "リミット下限", "PanelLowerLimitColor"},
    };
    for (int tag = 0; tag < 8; ++tag)
        NewColorButton(colors, tag, map[tag].button, map[tag].caption, map[tag].panel,
                       {16, 18 + tag * 26, 120, 22});
    ButtonScaleColor = ColorButtons[0];
    ButtonValueColor = ColorButtons[1];
    ButtonSLineColor = ColorButtons[2];
    ButtonNeedleColor = ColorButtons[3];
    ButtonBackColor = ColorButtons[4];
    ButtonBossColor = ColorButtons[5];
    ButtonUpperLimit = ColorButtons[6];
    ButtonLowerLimit = ColorButtons[7];

    auto* sizes = new QGroupBox(QStringLiteral("フォントサイズ"), TabSheet2);
    sizes->setObjectName(QStringLiteral("GroupBoxFontSize"));
    sizes->setGeometry(4, 234, 258, 96);
    const QRect label{16, 18, 130, EntryHeight};
    const QRect entry{150, 18, 48, EntryHeight};
    NewLabel(sizes, "タイトル[pixel]", label);
    UpDownTitleFontSize =
        NewIntegerEntry(sizes, "EditTitleFontSize", "UpDownTitleFontSize", entry, 8, 40, 1, 10,
                        false, [this](int value) { Indicator->SetHeightTitle(value); });
    EditTitleFontSize = UpDownTitleFontSize->Associate();
    NewLabel(sizes, "スケール文字[%]", label.translated(0, 25));
    UpDownScaleFontSize = NewIntegerEntry(sizes, "EditScaleFontSize", "UpDownScaleFontSize",
                                          entry.translated(0, 25), 10, 50, 1, 10, false,
                                          [this](int value) { Indicator->SetHeightScale(value); });
    EditScaleFontSize = UpDownScaleFontSize->Associate();
    NewLabel(sizes, "計測値[%]", label.translated(0, 50));
    UpDownValueFontSize = NewIntegerEntry(sizes, "EditValueFontSize", "UpDownValueFontSize",
                                          entry.translated(0, 50), 10, 50, 1, 10, false,
                                          [this](int value) { Indicator->SetHeightValue(value); });
    EditValueFontSize = UpDownValueFontSize->Associate();
}

void TFAnalogMeterSetting::FormCreate()
{
    FillChannelComboBox(ComboBoxIOName);
    Indicator = nullptr;
}

void TFAnalogMeterSetting::BackupProperties()
{
    Backup.ScaleAngle = Indicator->ScaleAngle();
    Backup.MainScaleDiv = Indicator->MainScaleDiv();
    Backup.SubScaleDiv = Indicator->SubScaleDiv();
    Backup.HeightTitle = Indicator->HeightTitle();
    Backup.HeightScale = Indicator->HeightScale();
    Backup.HeightValue = Indicator->HeightValue();
    Backup.MinValue = Indicator->MinValue();
    Backup.MaxValue = Indicator->MaxValue();
    Backup.MainScaleExp = Indicator->MainScaleExp();
    Backup.ColorTitle = Indicator->ColorTitle();
    Backup.ColorScale = Indicator->ColorScale();
    Backup.ColorValue = Indicator->ColorValue();
    Backup.ColorSLine = Indicator->ColorSLine();
    Backup.ColorNeedle = Indicator->ColorNeedle();
    Backup.ColorBack = Indicator->ColorBack();
    Backup.ColorBoss = Indicator->ColorBoss();
    Backup.ColorUpperLimit = Indicator->ColorUpperLimit();
    Backup.ColorLowerLimit = Indicator->ColorLowerLimit();
    Backup.IoName = Indicator->IoName();
    Backup.Title = Indicator->Title();
    Backup.UpperLimit = Indicator->UpperLimit();
    Backup.LowerLimit = Indicator->LowerLimit();
}

void TFAnalogMeterSetting::RestoreProperties()
{
    Indicator->SetScaleAngle(Backup.ScaleAngle);
    Indicator->SetMainScaleDiv(Backup.MainScaleDiv);
    Indicator->SetSubScaleDiv(Backup.SubScaleDiv);
    Indicator->SetHeightTitle(Backup.HeightTitle);
    Indicator->SetHeightScale(Backup.HeightScale);
    Indicator->SetHeightValue(Backup.HeightValue);
    Indicator->SetMinValue(Backup.MinValue);
    Indicator->SetMaxValue(Backup.MaxValue);
    Indicator->SetMainScaleExp(Backup.MainScaleExp);
    Indicator->SetColorTitle(Backup.ColorTitle);
    Indicator->SetColorScale(Backup.ColorScale);
    Indicator->SetColorValue(Backup.ColorValue);
    Indicator->SetColorSLine(Backup.ColorSLine);
    Indicator->SetColorNeedle(Backup.ColorNeedle);
    Indicator->SetColorBack(Backup.ColorBack);
    Indicator->SetColorBoss(Backup.ColorBoss);
    Indicator->SetColorULmt(Backup.ColorUpperLimit);
    Indicator->SetColorLLmt(Backup.ColorLowerLimit);
    Indicator->SetIoName(Backup.IoName);
    Indicator->SetTitle(Backup.Title);
    Indicator->SetUpperLimit(Backup.UpperLimit);
    Indicator->SetLowerLimit(Backup.LowerLimit);
}

platform::TColor TFAnalogMeterSetting::GetColorByIndex(int index) const
{
    switch (index) {
    case 0: return Indicator->ColorScale();
    case 1: return Indicator->ColorValue();
    case 2: return Indicator->ColorSLine();
    case 3: return Indicator->ColorNeedle();
    case 4: return Indicator->ColorBack();
    case 5: return Indicator->ColorBoss();
    case 6: return Indicator->ColorUpperLimit();
    case 7: return Indicator->ColorLowerLimit();
    case 8: return FixedGrey;
    default: return 0;
    }
}

void TFAnalogMeterSetting::SetColorByIndex(int tag, platform::TColor color)
{
    switch (tag) {
    case 0: Indicator->SetColorScale(color); break;
    case 1: Indicator->SetColorValue(color); break;
    case 2: Indicator->SetColorSLine(color); break;
    case 3: Indicator->SetColorNeedle(color); break;
    case 4: Indicator->SetColorBack(color); break;
    case 5: Indicator->SetColorBoss(color); break;
    case 6: Indicator->SetColorULmt(color); break;
    case 7: Indicator->SetColorLLmt(color); break;
    default: return;
    }
    PaintColorPanel(tag, color);
}

void TFAnalogMeterSetting::LookUpChannels()
{
    ChannelRow = LookUpChannel(ComboBoxIOName, Indicator->IoName());
}

void TFAnalogMeterSetting::FillControls()
{
    const int decimals = DecimalPointOf(ChannelRow);
    EditMinValue->setText(QString::fromStdString(IntToStrFP(Indicator->MinValue(), decimals)));
    EditMaxValue->setText(QString::fromStdString(IntToStrFP(Indicator->MaxValue(), decimals)));
    UpDownScaleAngle->SetPosition(Indicator->ScaleAngle());
    UpDownIndexDivisor->SetPosition(Indicator->MainScaleExp());
    UpDownMainScaleDiv->SetPosition(Indicator->MainScaleDiv());
    UpDownSubScaleDiv->SetPosition(Indicator->SubScaleDiv());
    UpDownTitleFontSize->SetPosition(Indicator->HeightTitle());
    UpDownScaleFontSize->SetPosition(Indicator->HeightScale());
    UpDownValueFontSize->SetPosition(Indicator->HeightValue());
    EditUpperLimit->setText(platform::FromCp932(Indicator->UpperLimit()));
    EditLowerLimit->setText(platform::FromCp932(Indicator->LowerLimit()));
    EditTitle->setText(Indicator->Title());
    for (int tag = 0; tag < 8; ++tag)
        PaintColorPanel(tag, GetColorByIndex(tag));
}

void TFAnalogMeterSetting::ComboBoxIONameChange(int row)
{
    const TPortInfo& channel = ChannelTableRow(row);
    Indicator->SetIoName(channel.Designator);
    if (row == ChannelRow)
        return;
    // The title entry passes the description on as it changes; the dial gets it once more.
    EditTitle->setText(platform::FromCp932(channel.Description));
    Indicator->SetTitle(EditTitle->text());
    ChannelRow = row;
    // The texts on screen stay; they now stand for values with the new decimal point.
    std::int32_t value = 0;
    if (ConvertFixedPoint(EditMinValue, ChannelRow, value))
        Indicator->SetMinValue(value);
    if (ConvertFixedPoint(EditMaxValue, ChannelRow, value))
        Indicator->SetMaxValue(value);
}
