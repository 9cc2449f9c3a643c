#pragma once
// The dial gauge settings dialog "ダイヤルメーター設定": channel, title, value range, limit
// texts and the scale's divisions, angle and factor on the first tab; eight colours and three
// font sizes on the second. Every change goes to the dial at once; the title at each keystroke,
// the range and the limits when their entry is left.
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

    void FormCreate();
    void ComboBoxIONameChange(int row);

private:
    void CreateBasicSheet();
    void CreateOptionSheet();
};

// The dial gauge settings dialog, created once at start-up.
extern TFAnalogMeterSetting* FAnalogMeterSetting;
