#pragma once
// The twelve channel values as a running vehicle's meter reports them: each channel drifts
// along its own slow wave with some noise, and every value differs from the one before at every
// reply, so that no indicator sees a value repeat from one reply to the next and hardly any value
// text recurs. Deterministic: the same sequence on every run.
#include <array>
#include <cstdint>
#include <string>

class LiveMeterValues {
public:
    static constexpr int Channels = 12;

    // The meter's channel list, in the order the values come ("@GET_KIND=" and the names).
    static const std::string& KindReply();

    // The next reply's values, and the reply that carries them ("@GET_PORT=" and four hex
    // digits per value).
    const std::array<std::int32_t, Channels>& Next();
    std::string NextPortReply();

private:
    std::array<std::int32_t, Channels> values_{};
    std::uint32_t noise_ = 12345;
    std::int64_t reply_ = 0;
};
