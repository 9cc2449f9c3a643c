#include "bench/LiveMeterValues.h"

#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

// Raw fixed-point units of each channel (the table's decimals): centre, swing, period in
// replies and noise.
struct Motion {
    double centre, swing, period, noise;
};
constexpr std::array<Motion, LiveMeterValues::Channels> Motions = {{
    {500, 480, 97, 12},      // THROT, 0 to 1000
    {88, 12, 601, 2},        // COOLANT, degrees
    {96, 14, 503, 2},        // OILTMP
    {420, 300, 89, 9},       // OILPRS, kPa
    {300, 60, 71, 5},        // FUEL, kPa
    {5200, 4200, 113, 90},   // TACHO, rpm
    {11000, 9000, 401, 40},  // SPEED, 0.01 km/h
    {0, 420, 131, 8},        // STEER, degrees
    {0, 900, 67, 25},        // JYRO, degrees a second
    {450, 420, 59, 9},       // BREAKF, 0.01 MPa
    {380, 360, 61, 9},       // BREAKR
    {136, 8, 211, 2},        // BATTERY, 0.1 V
}};

}  // namespace

const std::string& LiveMeterValues::KindReply()
{
    static const std::string reply = "@GET_KIND=THROT,COOLANT,OILTMP,OILPRS,FUEL,TACHO,SPEED,"
                                     "STEER,JYRO,BREAKF,BREAKR,BATTERY";
    return reply;
}

const std::array<std::int32_t, LiveMeterValues::Channels>& LiveMeterValues::Next()
{
    ++reply_;
    for (int i = 0; i < Channels; ++i) {
        const Motion& m = Motions[std::size_t(i)];
        noise_ = noise_ * 1664525u + 1013904223u;
        const double jitter = (double(noise_ >> 8) / double(1u << 24) * 2 - 1) * m.noise;
        const double wave = std::sin(2 * std::numbers::pi * double(reply_) / m.period + i);
        auto value = std::int32_t(std::lround(m.centre + m.swing * wave + jitter));
        if (value == values_[std::size_t(i)])
            value += (noise_ & 0x100) != 0 ? 1 : -1;
        values_[std::size_t(i)] = value;
    }
    return values_;
}

std::string LiveMeterValues::NextPortReply()
{
    std::string reply = "@GET_PORT=";
    for (const std::int32_t value : Next()) {
        char digits[5];
        std::snprintf(digits, sizeof digits, "%04X", unsigned(std::uint16_t(value)));
        reply += digits;
    }
    return reply;
}
