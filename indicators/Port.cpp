#include "indicators/Port.h"

std::int32_t Throttle = 0;
std::int32_t CoolantTemp = 0;
std::int32_t LubeOilTemp = 0;
std::int32_t LubeOilPres = 0;
std::int32_t FuelPres = 0;
std::int32_t Tacho = 0;
std::int32_t Speed = 0;
std::int32_t Steer = 0;
std::int32_t Jyro = 0;
std::int32_t BreakF = 0;
std::int32_t BreakR = 0;
std::int32_t Battery = 0;

// Descriptions are code page 932: "\xDF" is the half-width semi-voiced mark used as a degree
// sign (the literals are split so that the escape does not swallow the next letter).
const TPortInfo SourceIndexQ7[SourceIndexRows] = {
    {"THROT", "Throttle[%]", &Throttle, 0, 4},
    {"COOLANT",
     "Coolant temp[\xDF"
     "c]",
     &CoolantTemp, 0, 3},
    {"OILTMP",
     "Oil temp[\xDF"
     "c]",
     &LubeOilTemp, 0, 3},
    {"OILPRS", "Oil press[kPa]", &LubeOilPres, 0, 3},
    {"FUEL", "Fuel press[kPa]", &FuelPres, 0, 3},
    {"TACHO", "Tacho[rpm]", &Tacho, 0, 5},
    {"SPEED", "Speed[km/h]", &Speed, 2, 6},
    {"STEER",
     "Steering[\xDF"
     "]",
     &Steer, 0, 3},
    {"JYRO",
     "Angular velocity[\xDF"
     "/s]",
     &Jyro, 0, 4},
    {"BREAKF", "Break-F press[MPa]", &BreakF, 2, 4},
    {"BREAKR", "Break-R press[MPa]", &BreakR, 2, 4},
    {"BATTERY", "Battery[V]", &Battery, 1, 4},
    {},
};

namespace {

// Walks the table up to the first record whose field is empty.
template <class Field>
TPortInfo FindPort(TPLUT table, const std::string& key, Field field)
{
    if (key.empty() || table == nullptr)
        return EmptyPort;
    for (TPLUT row = table; !(row->*field).empty(); ++row) {
        if (row->*field == key)
            return *row;
    }
    return EmptyPort;
}

}  // namespace

TPortInfo PortByDesignator(TPLUT table, const std::string& key)
{
    return FindPort(table, key, &TPortInfo::Designator);
}

TPortInfo PortByDescription(TPLUT table, const std::string& key)
{
    return FindPort(table, key, &TPortInfo::Description);
}
