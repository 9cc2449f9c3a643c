#include "app/IndicatorSettings.h"

// Each kind's dialog is wired in here through its Execute(indicator, x, y):
//   "_AnalogMeter"  FAnalogMeterSetting
//   "_BarGraph"     FBarGraphSetting
//   "_XYGraph"      FXYGraphSetting
//   "_NumericList"  FNumericListSetup
// Until the dialogs can edit an indicator, the edit item opens nothing.
void ExecuteIndicatorSettings(const std::string& /*prefix*/, TIndicator& /*indicator*/,
                              int /*x*/, int /*y*/)
{
}
