#pragma once
// The bar graph settings dialog "バーグラフ設定": channel, title, value range, marker texts and
// style on the first tab; five colours and two font sizes on the second. Every change goes to
// the bar graph at once; the title, the range and the markers when their entry is left.
#include "app/IndicatorSetting.h"
#include "indicators/BarGraph.h"

class QComboBox;

class TFBarGraphSetting : public TIndicatorSettingFor<TBarGraph> {
    Q_OBJECT
public:
    explicit TFBarGraphSetting(QWidget* owner = nullptr);

    // Row of the channel table that holds the bar graph's channel, or -1.
    int ChannelRow = -1;

    // Components.
    QComboBox* ComboBoxIOName;
    TExitEdit* EditTitle;
    TExitEdit* EditMaxValue;
    TExitEdit* EditMinValue;
    TExitEdit* EditMarker1;
    TExitEdit* EditMarker2;
    QComboBox* ComboBoxStyle;  // "水平", "垂直"
    QLineEdit* EditTitleFontSize;
    TUpDown* UpDownTitleFontSize;
    QLineEdit* EditScaleFontSize;
    TUpDown* UpDownScaleFontSize;
    QPushButton* ButtonScaleColor;
    QPushButton* ButtonValueColor;
    QPushButton* ButtonMarkerColor;
    QPushButton* ButtonBarColor;
    QPushButton* ButtonBackColor;

    void FormCreate();
    void ComboBoxIONameChange(int row);

private:
    void CreateBasicSheet();
    void CreateOptionSheet();
};

// The bar graph settings dialog, created once at start-up.
extern TFBarGraphSetting* FBarGraphSetting;
