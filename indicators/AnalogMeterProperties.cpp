// The dial's property lines: the text form in which the work file and the copy buffer keep it.
#include <array>
#include <string_view>

#include "indicators/AnalogMeter.h"
#include "indicators/Etcpas.h"
#include "indicators/PropertyLines.h"
#include "indicators/PropertyRanges.h"
#include "platform/Cp932.h"

namespace {

// The keys in save order. ColorTitle has no key: it is neither written nor read.
enum class Key {
    Left,
    Top,
    Width,
    Height,
    ScaleAngle,
    ScaleHeight,
    MainScaleDiv,
    SubScaleDiv,
    MinValue,
    MaxValue,
    MainScaleExp,
    HeightTitle,
    HeightScale,
    HeightValue,
    ColorScale,
    ColorValue,
    ColorSLine,
    ColorNeedle,
    ColorBack,
    ColorBoss,
    ColorUpperLimit,
    ColorLowerLimit,
    UpperLimit,
    LowerLimit,
    IoName,
    Title,
    Count
};

constexpr std::array<std::string_view, static_cast<std::size_t>(Key::Count)> AnalogMeterKeyNames = {
    "Left",
    "Top",
    "Width",
    "Height",
    "ScaleAngle",
    "ScaleHeight",
    "MainScaleDiv",
    "SubScaleDiv",
    "MinValue",
    "MaxValue",
    "MainScaleExp",
    "HeightTitle",
    "HeightScale",
    "HeightValue",
    "ColorScale",
    "ColorValue",
    "ColorSLine",
    "ColorNeedle",
    "ColorBack",
    "ColorBoss",
    "ColorUpperLimit",
    "ColorLowerLimit",
    "UpperLimit",
    "LowerLimit",
    "IoName",
    "Title",
};

std::string KeyName(Key key)
{
    return std::string(AnalogMeterKeyNames[static_cast<std::size_t>(key)]);
}

bool FindKey(const std::string& name, Key& key)
{
    for (std::size_t i = 0; i < AnalogMeterKeyNames.size(); ++i) {
        if (AnalogMeterKeyNames[i] == name) {
            key = static_cast<Key>(i);
            return true;
        }
    }
    return false;
}

}  // namespace

void TAnalogMeter::SaveProperty(QStringList& list, const std::string& prefix) const
{
    SaveBoundsProperty(list, prefix);
    const auto number = [&](Key key, std::int32_t value) {
        AddIntPropertyLine(list, prefix, KeyName(key), value);
    };
    number(Key::ScaleAngle, FScaleAngle);
    number(Key::ScaleHeight, FScaleHeight);
    number(Key::MainScaleDiv, FMainScaleDiv);
    number(Key::SubScaleDiv, FSubScaleDiv);
    number(Key::MinValue, FMinValue);
    number(Key::MaxValue, FMaxValue);
    number(Key::MainScaleExp, FMainScaleExp);
    number(Key::HeightTitle, FHeightTitle);
    number(Key::HeightScale, FHeightScale);
    number(Key::HeightValue, FHeightValue);
    number(Key::ColorScale, FColorScale);
    number(Key::ColorValue, FColorValue);
    number(Key::ColorSLine, FColorSLine);
    number(Key::ColorNeedle, FColorNeedle);
    number(Key::ColorBack, FColorBack);
    number(Key::ColorBoss, FColorBoss);
    number(Key::ColorUpperLimit, FColorUpperLimit);
    number(Key::ColorLowerLimit, FColorLowerLimit);
    AddStrPropertyLine(list, prefix, KeyName(Key::UpperLimit), FUpperLimit);
    AddStrPropertyLine(list, prefix, KeyName(Key::LowerLimit), FLowerLimit);
    AddStrPropertyLine(list, prefix, KeyName(Key::IoName), FIoName);
    AddTextPropertyLine(list, prefix, KeyName(Key::Title), FTitle);
}

void TAnalogMeter::LoadProperty(std::string text)
{
    std::string name;
    while (GetKeyFromLine(name, text)) {
        Key key{};
        if (!FindKey(name, key))
            continue;  // a foreign key: its value stays and the next search passes over it
        switch (key) {
        case Key::Left:
        case Key::Top:
        case Key::Width:
        case Key::Height: LoadBoundsProperty(name, text); break;
        case Key::ScaleAngle: SetScaleAngle(GetIntFromLine(text, ScaleAngleRange)); break;
        case Key::ScaleHeight: SetScaleHeight(GetIntFromLine(text)); break;
        case Key::MainScaleDiv: SetMainScaleDiv(GetIntFromLine(text, ScaleDivisionRange)); break;
        case Key::SubScaleDiv: SetSubScaleDiv(GetIntFromLine(text, ScaleDivisionRange)); break;
        case Key::MinValue: SetMinValue(GetIntFromLine(text)); break;
        case Key::MaxValue: SetMaxValue(GetIntFromLine(text)); break;
        case Key::MainScaleExp: SetMainScaleExp(GetIntFromLine(text, ScaleExpRange)); break;
        case Key::HeightTitle: SetHeightTitle(GetIntFromLine(text, FontPixelRange)); break;
        case Key::HeightScale: SetHeightScale(GetIntFromLine(text, FontPercentRange)); break;
        case Key::HeightValue: SetHeightValue(GetIntFromLine(text, FontPercentRange)); break;
        case Key::ColorScale: SetColorScale(GetIntFromLine(text)); break;
        case Key::ColorValue: SetColorValue(GetIntFromLine(text)); break;
        case Key::ColorSLine: SetColorSLine(GetIntFromLine(text)); break;
        case Key::ColorNeedle: SetColorNeedle(GetIntFromLine(text)); break;
        case Key::ColorBack: SetColorBack(GetIntFromLine(text)); break;
        case Key::ColorBoss: SetColorBoss(GetIntFromLine(text)); break;
        case Key::ColorUpperLimit: SetColorULmt(GetIntFromLine(text)); break;
        case Key::ColorLowerLimit: SetColorLLmt(GetIntFromLine(text)); break;
        case Key::UpperLimit: SetUpperLimit(GetStrFromLine(text)); break;
        case Key::LowerLimit: SetLowerLimit(GetStrFromLine(text)); break;
        case Key::IoName: SetIoName(GetStrFromLine(text)); break;
        case Key::Title: SetTitle(platform::FromCp932(GetStrFromLine(text))); break;
        case Key::Count: break;
        }
    }
}
