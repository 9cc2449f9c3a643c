#include "app/IndicatorKinds.h"

#include <array>
#include <QMetaObject>
#include <type_traits>

#include "app/AnalogMeterSetup.h"
#include "app/BarGraphSetup.h"
#include "app/NumericListSetup.h"
#include "app/XYGraphSetup.h"
#include "indicators/Indicator.h"
#include "indicators/Port.h"

std::int32_t AnalogMeterCount = 0;
std::int32_t BarGraphCount = 0;
std::int32_t XYGraphCount = 0;
std::int32_t RecorderCount = 0;
std::int32_t NumericListCount = 0;

namespace {

// A kind with its class and its settings dialog, given by the dialog's global (created at
// start-up with the other windows): the dialog's class names the indicator class it edits.
template <auto& Dialog>
constexpr TIndicatorKind KindEditedBy(const char* prefix, std::int32_t* counter,
                                      const char* menuItem, const char* caption)
{
    using TDialog = std::remove_pointer_t<std::remove_reference_t<decltype(Dialog)>>;
    using TClass = typename TDialog::TIndicatorClass;
    return {prefix,
            counter,
            menuItem,
            caption,
            &TClass::staticMetaObject,
            [](QWidget* parent) -> TIndicator* {
                return new TClass(parent, SourceIndexQ7);  // owned by its parent
            },
            [](TIndicator& indicator, int x, int y) {
                if (auto* edited = qobject_cast<TClass*>(&indicator); edited && Dialog)
                    Dialog->Execute(edited, x, y);
            }};
}

// In the create submenu's order. A row's menu item is its kind's create handler
// (NewDialGaugeClick, NewBarGraphClick, NewXYGraphClick, NewNumericListClick, NewRecorderClick):
// it calls CreateIndicator with the row's prefix; the recorder's creates nothing.
const auto Kinds = std::to_array<TIndicatorKind>({
    KindEditedBy<FAnalogMeterSetting>("_AnalogMeter", &AnalogMeterCount, "NewDialGauge",
                                      "ダイアルゲージ"),
    KindEditedBy<FBarGraphSetting>("_BarGraph", &BarGraphCount, "NewBarGraph", "バーグラフ"),
    KindEditedBy<FXYGraphSetting>("_XYGraph", &XYGraphCount, "NewXYGraph", "XY-グラフ"),
    KindEditedBy<FNumericListSetup>("_NumericList", &NumericListCount, "NewNumericList",
                                    "数値リスト"),
    {"_Recorder", &RecorderCount, "NewRecorder", "レコーダー", nullptr, nullptr, nullptr},
});

}  // namespace

bool TIndicatorKind::Holds(const TIndicator& indicator) const
{
    return Class && Class->cast(&indicator) != nullptr;
}

std::span<const TIndicatorKind> IndicatorKinds()
{
    return Kinds;
}

const TIndicatorKind* FindIndicatorKind(const std::string& prefix)
{
    for (const TIndicatorKind& kind : Kinds) {
        if (prefix == kind.Prefix)
            return &kind;
    }
    return nullptr;
}
