// The numeric list's moving part against its face: SetValue redraws only the value boxes whose
// channel changed; Paint draws the whole list.
#include <benchmark/benchmark.h>
#include <QWidget>

#include "indicators/NumericList.h"
#include "indicators/Port.h"
#include "platform/Cp932.h"

namespace {

// A list of all twelve channels, painted once.
struct TwelveRowList {
    TwelveRowList()
    {
        QStringList descriptions;
        for (int row = 0; !SourceIndexQ7[row].Designator.empty(); ++row)
            descriptions.append(platform::FromCp932(SourceIndexQ7[row].Description));
        list.setParent(&panel);
        list.SetNumStrList(descriptions);
        list.Paint();
    }
    QWidget panel;
    TNumericList list{&panel, SourceIndexQ7};
};

void SetAll(std::int32_t value)
{
    for (int row = 0; !SourceIndexQ7[row].Designator.empty(); ++row)
        *SourceIndexQ7[row].Address = value;
}

void BM_NumericListSetValueAllChanged(benchmark::State& state)
{
    TwelveRowList fixture;
    // Values within every channel's digits, so that none runs over its description; hardly any
    // text recurs before the canvas has forgotten it.
    std::int32_t value = 0;
    for (auto _ : state) {
        SetAll(value = (value + 37) % 1000);
        fixture.list.SetValue();
    }
    SetAll(0);
}
BENCHMARK(BM_NumericListSetValueAllChanged);

// Two sets of values in turn, as a meter at rest sends: every row changes, every text recurs.
void BM_NumericListSetValueAllChangedRecurring(benchmark::State& state)
{
    TwelveRowList fixture;
    std::int32_t value = 0;
    for (auto _ : state) {
        SetAll(value = value == 421 ? 422 : 421);
        fixture.list.SetValue();
    }
    SetAll(0);
}
BENCHMARK(BM_NumericListSetValueAllChangedRecurring);

void BM_NumericListSetValueOneChanged(benchmark::State& state)
{
    TwelveRowList fixture;
    for (auto _ : state) {
        Tacho = (Tacho + 37) % 9000;
        fixture.list.SetValue();
    }
    SetAll(0);
}
BENCHMARK(BM_NumericListSetValueOneChanged);

void BM_NumericListSetValueUnchanged(benchmark::State& state)
{
    TwelveRowList fixture;
    for (auto _ : state)
        fixture.list.SetValue();
}
BENCHMARK(BM_NumericListSetValueUnchanged);

void BM_NumericListPaint(benchmark::State& state)
{
    TwelveRowList fixture;
    for (auto _ : state)
        fixture.list.Paint();
}
BENCHMARK(BM_NumericListPaint);

}  // namespace
