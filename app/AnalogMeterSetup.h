#pragma once
// The dial gauge settings dialog "ダイヤルメーター設定": channel, title, value range, limit
// texts and the scale's divisions, angle and factor on the first tab; eight colours and three
// font sizes on the second. Every change goes to the dial at once; the title at each keystroke,
// the range and the limits when their entry is left.
#include <cstdint>
#include <QString>
#include <string>

#include "app/IndicatorSetting.h"
#include "indicators/AnalogMeter.h"

class QComboBox;

class TFAnalogMeterSetting : public TIndicatorSettingFor<TAnalogMeter> {
    Q_OBJECT
public:
    explicit TFAnalogMeterSetting(QWidget* owner = nullptr);

    // Row of the channel table that holds the dial's channel, or -1.
    int ChannelRow = -1;

    // Components.
    QComboBox* ComboBoxIOName;
    TExitEdit* EditTitle;
    TExitEdit* EditMinValue;
    TExitEdit* EditMaxValue;
    TExitEdit* EditLowerLimit;
    TExitEdit* EditUpperLimit;
    QLineEdit* EditMainScaleDiv;
    TUpDown* UpDownMainScaleDiv;
    QLineEdit* EditSubScaleDiv;
    TUpDown* UpDownSubScaleDiv;
    QLineEdit* EditScaleAngle;
    TUpDown* UpDownScaleAngle;
    QLineEdit* EditMainScaleExp;
    TUpDown* UpDownIndexDivisor;
    QLineEdit* EditTitleFontSize;
    TUpDown* UpDownTitleFontSize;
    QLineEdit* EditScaleFontSize;
    TUpDown* UpDownScaleFontSize;
    QLineEdit* EditValueFontSize;
    TUpDown* UpDownValueFontSize;
    QPushButton* ButtonScaleColor;
    QPushButton* ButtonValueColor;
    QPushButton* ButtonSLineColor;
    QPushButton* ButtonNeedleColor;
    QPushButton* ButtonBackColor;
    QPushButton* ButtonBossColor;
    QPushButton* ButtonUpperLimit;
    QPushButton* ButtonLowerLimit;

    void BackupProperties() override;
    void RestoreProperties() override;
    platform::TColor GetColorByIndex(int index) const override;
    void SetColorByIndex(int tag, platform::TColor color) override;

    void FormCreate();
    void ComboBoxIONameChange(int row);

protected:
    void LookUpChannels() override;
    void FillControls() override;

private:
    void CreateBasicSheet();
    void CreateOptionSheet();

    // The backup, in the order it is written back.
    struct {
        int ScaleAngle = 0;
        int MainScaleDiv = 0;
        int SubScaleDiv = 0;
        int HeightTitle = 0;
        int HeightScale = 0;
        int HeightValue = 0;
        int MinValue = 0;
        int MaxValue = 0;
        int MainScaleExp = 0;
        platform::TColor ColorTitle = 0;
        platform::TColor ColorScale = 0;
        platform::TColor ColorValue = 0;
        platform::TColor ColorSLine = 0;
        platform::TColor ColorNeedle = 0;
        platform::TColor ColorBack = 0;
        platform::TColor ColorBoss = 0;
        platform::TColor ColorUpperLimit = 0;
        platform::TColor ColorLowerLimit = 0;
        std::string IoName;
        QString Title;
        std::string UpperLimit;
        std::string LowerLimit;
    } Backup;
};

// The dial gauge settings dialog, created once at start-up.
extern TFAnalogMeterSetting* FAnalogMeterSetting;
