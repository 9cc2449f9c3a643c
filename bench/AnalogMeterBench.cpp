// The dial's moving part against its face: SetValue with a changed value redraws two needle
// lines, one text and a small fill; Paint redraws everything. The first must cost well under a
// tenth of the second.
#include <benchmark/benchmark.h>

#include <memory>

#include "indicators/AnalogMeter.h"
#include "indicators/Port.h"

namespace {

std::unique_ptr<TAnalogMeter> Tachometer()
{
    auto dial = std::make_unique<TAnalogMeter>(nullptr, SourceIndexQ7);
    dial->SetBounds(1, 1, 240, 240);
    dial->SetIoName("TACHO");
    dial->SetUpperLimit("8000");
    dial->SetColorULmt(0x0000FF);
    Tacho = 6500;
    dial->SetValue();
    dial->Paint();
    return dial;
}

void BM_AnalogMeterSetValueChanged(benchmark::State& state)
{
    auto dial = Tachometer();
    std::int32_t value = 0;
    for (auto _ : state) {
        value = (value + 1237) % 10000;  // a new value every time, the needle moving about
        Tacho = value;
        dial->SetValue();
    }
    benchmark::DoNotOptimize(dial->Value());
}
BENCHMARK(BM_AnalogMeterSetValueChanged);

void BM_AnalogMeterSetValueUnchanged(benchmark::State& state)
{
    auto dial = Tachometer();
    for (auto _ : state)
        dial->SetValue();
    benchmark::DoNotOptimize(dial->Value());
}
BENCHMARK(BM_AnalogMeterSetValueUnchanged);

void BM_AnalogMeterPaint240(benchmark::State& state)
{
    auto dial = Tachometer();
    for (auto _ : state)
        dial->Paint();
    benchmark::DoNotOptimize(dial->Surface().constBits());
}
BENCHMARK(BM_AnalogMeterPaint240);

}  // namespace
