#include "indicators/AnalogMeter.h"

#include "indicators/Etcpas.h"

TAnalogMeter::TAnalogMeter(QWidget* owner, TPLUT plut)
    : TIndicator(owner, plut), FPortInfo(EmptyPort)
{}

void TAnalogMeter::SetValue()
{
    if (FPortInfo.Address == nullptr)
        return;
    const std::int32_t value = *FPortInfo.Address;
    if (value == FValue)
        return;
    Canvas().Background = platform::TextBackground::Opaque;
    FValue = value;
    // Without a layout there is nothing to draw on yet; and a Paint in progress (waiting in a
    // box its limit text raised) shows the new value when it finishes.
    if (!LaidOut_ || Painting_)
        return;
    GraphDraw();
}

bool TAnalogMeter::ConvertLimit(LimitCache& cache, const std::string& text, std::int32_t& value)
{
    const int decimals = FPortInfo.DecimalPoint;
    // Whether a text converts does not depend on the decimals, so a text known bad stays bad.
    const bool known =
        cache.Known && cache.Text == text && (!cache.Converted || cache.Decimals == decimals);
    if (!known) {
        cache.Known = true;  // before the conversion: its box must not be raised twice
        cache.Text = text;
        cache.Decimals = decimals;
        cache.Converted = false;
        std::int32_t converted = 0;
        cache.Converted = StrToIntFP(converted, text, decimals);
        cache.Value = converted;
    }
    value = cache.Value;
    return cache.Converted;
}

void TAnalogMeter::SetScaleAngle(int value)
{
    FScaleAngle = value;
    Invalidate();
}
void TAnalogMeter::SetScaleHeight(int value)
{
    FScaleHeight = value;
    Invalidate();
}
void TAnalogMeter::SetMainScaleDiv(int value)
{
    FMainScaleDiv = value;
    Invalidate();
}
void TAnalogMeter::SetSubScaleDiv(int value)
{
    FSubScaleDiv = value;
    Invalidate();
}
void TAnalogMeter::SetMinValue(int value)
{
    FMinValue = value;
    Invalidate();
}
void TAnalogMeter::SetMaxValue(int value)
{
    FMaxValue = value;
    Invalidate();
}
void TAnalogMeter::SetMainScaleExp(int value)
{
    FMainScaleExp = value;
    Invalidate();
}
void TAnalogMeter::SetHeightTitle(int value)
{
    FHeightTitle = value;
    Invalidate();
}
void TAnalogMeter::SetHeightScale(int value)
{
    FHeightScale = value;
    Invalidate();
}
void TAnalogMeter::SetHeightValue(int value)
{
    FHeightValue = value;
    Invalidate();
}
void TAnalogMeter::SetColorTitle(platform::TColor value)
{
    FColorTitle = value;
    Invalidate();
}
void TAnalogMeter::SetColorScale(platform::TColor value)
{
    FColorScale = value;
    Invalidate();
}
void TAnalogMeter::SetColorValue(platform::TColor value)
{
    FColorValue = value;
    Invalidate();
}
void TAnalogMeter::SetColorSLine(platform::TColor value)
{
    FColorSLine = value;
    Invalidate();
}
void TAnalogMeter::SetColorNeedle(platform::TColor value)
{
    FColorNeedle = value;
    Invalidate();
}
void TAnalogMeter::SetColorBack(platform::TColor value)
{
    FColorBack = value;
    Invalidate();
}
void TAnalogMeter::SetColorBoss(platform::TColor value)
{
    FColorBoss = value;
    Invalidate();
}
void TAnalogMeter::SetColorULmt(platform::TColor value)
{
    FColorUpperLimit = value;
    Invalidate();
}
void TAnalogMeter::SetColorLLmt(platform::TColor value)
{
    FColorLowerLimit = value;
    Invalidate();
}
void TAnalogMeter::SetTitle(const QString& value)
{
    FTitle = value;
    Invalidate();
}

void TAnalogMeter::SetUpperLimit(const std::string& value)
{
    FUpperLimit = value;
    std::int32_t ignored = 0;
    ConvertLimit(UpperCache_, FUpperLimit, ignored);
    Invalidate();
}

void TAnalogMeter::SetLowerLimit(const std::string& value)
{
    FLowerLimit = value;
    std::int32_t ignored = 0;
    ConvertLimit(LowerCache_, FLowerLimit, ignored);
    Invalidate();
}

void TAnalogMeter::SetIoName(const std::string& value)
{
    FIoName = value;
    FPortInfo = GetDesignatorTable(FIoName);
    Invalidate();
}
