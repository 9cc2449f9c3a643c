#pragma once
// The channel table: the twelve channels of the meter, each pointing at its live fixed-point
// value, ended by an all-empty record. A row index (0 to 11) names a channel everywhere.
#include <cstdint>
#include <string>

#include "indicators/PortInfo.h"

constexpr int SourceIndexRows = 13;  // twelve channels and the terminator
extern const TPortInfo SourceIndexQ7[SourceIndexRows];

// The live values, written by the monitor loop and read by the indicators through the table.
extern std::int32_t Throttle;
extern std::int32_t CoolantTemp;
extern std::int32_t LubeOilTemp;
extern std::int32_t LubeOilPres;
extern std::int32_t FuelPres;
extern std::int32_t Tacho;
extern std::int32_t Speed;
extern std::int32_t Steer;
extern std::int32_t Jyro;
extern std::int32_t BreakF;
extern std::int32_t BreakR;
extern std::int32_t Battery;

// A copy of the first record of the table whose Designator equals key byte for byte, or
// EmptyPort (also for an empty key or a null table).
TPortInfo PortByDesignator(TPLUT table, const std::string& key);
// The same by Description; the walk ends at the first record with an empty Description.
TPortInfo PortByDescription(TPLUT table, const std::string& key);
