#pragma once
// The bar graph settings dialog "バーグラフ設定": channel, title, value range, marker texts and
// style on the first tab; five colours and two font sizes on the second. Every change goes to
// the bar graph at once; the title, the range and the markers when their entry is left.
#include <cstdint>
#include <QString>
#include <string>

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

    void BackupProperties() override;
    void RestoreProperties() override;
    platform::TColor GetColorByIndex(int index) const override;
    void SetColorByIndex(int tag, platform::TColor color) override;

    void FormCreate();
    void ComboBoxIONameChange(int row);
    void ComboBoxStyleChange(int index);

protected:
    void LookUpChannels() override;
    void FillControls() override;

private:
    void CreateBasicSheet();
    void CreateOptionSheet();

    // The backup, in the order it is written back.
    struct {
        std::int32_t MaxValue = 0;
        std::int32_t MinValue = 0;
        std::int32_t Vertical = 0;
        platform::TColor ColorTitle = 0;
        platform::TColor ColorScale = 0;
        platform::TColor ColorValue = 0;
        platform::TColor ColorMarker = 0;
        platform::TColor ColorBar = 0;
        platform::TColor ColorBack = 0;
        std::string Marker1;
        std::string Marker2;
        std::string IoName;
        QString Title;
        std::int32_t HeightTitle = 0;
        std::int32_t HeightValue = 0;
    } Backup;
};

// The bar graph settings dialog, created once at start-up.
extern TFBarGraphSetting* FBarGraphSetting;
