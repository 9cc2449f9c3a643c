#pragma once
// The XY graph settings dialog "XY-グラフ設定": one channel list, limits and divisions per axis,
// the title, five colours and two font sizes, all applied live to the graph. A channel pick on
// either axis rebuilds the title as vertical " vs " horizontal and rewrites that axis's limit
// entries with the new channel's decimal point, the values themselves unchanged.
#include <QString>

#include "app/IndicatorSetting.h"
#include "indicators/XYGraph.h"

class QComboBox;

class TFXYGraphSetting : public TIndicatorSettingFor<TXYGraph> {
    Q_OBJECT
public:
    explicit TFXYGraphSetting(QWidget* owner = nullptr);

    // Components of TabSheet1.
    TExitEdit* EditTitle;
    QComboBox* ComboBoxYIOName;
    TExitEdit* EditYMaxValue;
    TExitEdit* EditYMinValue;
    TUpDown* UpDownYDivisions;  // bound to EditYDivisions
    QComboBox* ComboBoxXIOName;
    TExitEdit* EditXMaxValue;
    TExitEdit* EditXMinValue;
    TUpDown* UpDownXDivisions;  // bound to EditXDivisions
    // Components of TabSheet2.
    TUpDown* UpDownTitleFontSize;  // bound to EditTitleFontSize
    TUpDown* UpDownValueFontSize;  // bound to EditValueFontSize

    // Channel-table rows of the two axes' channels; -1 for none.
    int XChannelRow = -1;
    int YChannelRow = -1;

    void ComboBoxXIONameChange(int row);
    void ComboBoxYIONameChange(int row);

    // The title a channel pick gives: the vertical channel's description, " vs ", the
    // horizontal one's. An axis without a channel has no description to offer, so its side is
    // left out together with the " vs " (a new graph then reads as its one chosen channel).
    static QString ChannelTitle(int yRow, int xRow);

private:
    void CreateBasicSheet();
    void CreateOptionSheet();
    // Puts the rebuilt title into the entry and from there on the graph.
    void ApplyChannelTitle();
};

extern TFXYGraphSetting* FXYGraphSetting;
