#include "app/MeterContext.h"

#include <cstring>

#include "link/Codecs.h"

const std::array<TContextField, ContextFieldCount> ContextFieldsInConversionOrder = {{
    {"EditNewFileIntval", 4}, {"EditTireLength", 6},    {"EditSpeedPulse", 10},
    {"EditLapSensitive", 12}, {"EditTachoPulse", 8},    {"EditAlarmTacho", 62},
    {"EditAlarmCoolant", 64}, {"EditAlarmOilPres", 68}, {"EditAlarmOilTemp", 66},
    {"EditLightOffTime", 34}, {"EditLightOnTime", 36},  {"EditSector", 32},
    {"EditRevLimit1", 14},    {"EditRevLimit2", 16},    {"EditRevLimit3", 18},
    {"EditRevLimit4", 20},    {"EditRevLimit5", 22},    {"EditRevLimit6", 24},
    {"EditRevLimit7", 26},    {"EditRevLimit8", 28},    {"EditIntval0", 38},
    {"EditIntval1", 40},      {"EditIntval2", 42},      {"EditIntval3", 44},
    {"EditIntval4", 46},      {"EditIntval5", 48},      {"EditIntval6", 50},
    {"EditIntval7", 52},      {"EditIntval8", 54},      {"EditIntval9", 56},
    {"EditIntval10", 58},     {"EditIntval11", 60},
}};

QString ContextWordText(TMeterContextView context, int offset)
{
    std::uint16_t stored = 0;
    std::memcpy(&stored, context.data() + offset, sizeof stored);
    return ContextWordToText(stored);
}

void StoreContextWord(TMeterContextRef context, int offset, const QString& text)
{
    const std::int16_t stored = TextToContextWord(text);
    std::memcpy(context.data() + offset, &stored, sizeof stored);
}

void ContextToTexts(TMeterContextView context,
                    const std::function<void(const TContextField&, const QString&)>& show)
{
    for (const TContextField& field : ContextFieldsInConversionOrder)
        show(field, ContextWordText(context, field.Offset));
}

void TextsToContext(TMeterContextRef context,
                    const std::function<QString(const TContextField&)>& textOf)
{
    for (const TContextField& field : ContextFieldsInConversionOrder)
        StoreContextWord(context, field.Offset, textOf(field));
}
