#include "app/IndicatorSettings.h"

#include "app/AnalogMeterSetup.h"
#include "app/BarGraphSetup.h"
#include "app/NumericListSetup.h"
#include "app/XYGraphSetup.h"
#include "indicators/AnalogMeter.h"
#include "indicators/BarGraph.h"
#include "indicators/NumericList.h"
#include "indicators/XYGraph.h"

// Each kind's dialog is wired in here through its Execute(indicator, x, y):
//   "_AnalogMeter"  FAnalogMeterSetting
//   "_BarGraph"     FBarGraphSetting
//   "_XYGraph"      FXYGraphSetting
//   "_NumericList"  FNumericListSetup
// The indicator is checked against the kind as well: a name is only text.
void ExecuteIndicatorSettings(const std::string& prefix, TIndicator& indicator, int x, int y)
{
    if (prefix == "_AnalogMeter") {
        if (auto* dial = qobject_cast<TAnalogMeter*>(&indicator); dial && FAnalogMeterSetting)
            FAnalogMeterSetting->Execute(dial, x, y);
    } else if (prefix == "_BarGraph") {
        if (auto* bar = qobject_cast<TBarGraph*>(&indicator); bar && FBarGraphSetting)
            FBarGraphSetting->Execute(bar, x, y);
    } else if (prefix == "_XYGraph") {
        if (auto* graph = qobject_cast<TXYGraph*>(&indicator); graph && FXYGraphSetting)
            FXYGraphSetting->Execute(graph, x, y);
    } else if (prefix == "_NumericList") {
        if (auto* list = qobject_cast<TNumericList*>(&indicator); list && FNumericListSetup)
            FNumericListSetup->Execute(list, x, y);
    }
}
