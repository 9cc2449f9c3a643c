// What a live value costs the bar graph and the XY graph against a whole repaint: SetValue with
// a value that moves as a live channel does, SetValue with an unchanged value, and Paint. The
// monitor tick at full dashboard (127 graphs, every value changed) shows the budget per tick.
#include <benchmark/benchmark.h>
#include <memory>
#include <QWidget>
#include <vector>

#include "indicators/BarGraph.h"
#include "indicators/Port.h"
#include "indicators/XYGraph.h"

namespace {

// A channel value sweeping up and down between 0 and top in steps of step, as a live value
// moves between two replies of the meter.
class Sweep {
public:
    Sweep(std::int32_t top, std::int32_t step) : top_(top), step_(step) {}
    std::int32_t Next()
    {
        value_ += step_;
        if (value_ >= top_ || value_ <= 0)
            step_ = -step_;
        return value_;
    }

private:
    std::int32_t top_, step_, value_ = 0;
};

std::unique_ptr<TBarGraph> MakeBar(QWidget* panel, std::int32_t vertical)
{
    auto bar = std::make_unique<TBarGraph>(panel, SourceIndexQ7);
    bar->SetIoName("TACHO");
    bar->SetMaxValue(12000);
    bar->SetMarker1("9000");
    bar->SetVertical(vertical);
    bar->SetBounds(1, 1, vertical == 1 ? 96 : 240, vertical == 1 ? 240 : 96);
    bar->Paint();
    return bar;
}

std::unique_ptr<TXYGraph> MakeXY(QWidget* panel)
{
    auto xy = std::make_unique<TXYGraph>(panel, SourceIndexQ7);
    xy->SetXIoName("TACHO");
    xy->SetXMaxValue(12000);
    xy->SetYIoName("THROT");
    xy->SetBounds(1, 1, 240, 200);
    xy->Paint();
    return xy;
}

void BM_BarGraphSetValueChanged(benchmark::State& state)
{
    QWidget panel;
    auto bar = MakeBar(&panel, std::int32_t(state.range(0)));
    Sweep tacho(12000, std::int32_t(state.range(1)));
    for (auto _ : state) {
        Tacho = tacho.Next();
        bar->SetValue();
    }
    Tacho = 0;
}
// Arguments: Vertical, step of the value per tick (of a range of 12000).
BENCHMARK(BM_BarGraphSetValueChanged)->Args({0, 60})->Args({0, 600})->Args({1, 60})->Args({1, 600});

void BM_BarGraphSetValueUnchanged(benchmark::State& state)
{
    QWidget panel;
    auto bar = MakeBar(&panel, 0);
    Tacho = 5000;
    bar->SetValue();
    for (auto _ : state)
        bar->SetValue();
    Tacho = 0;
}
BENCHMARK(BM_BarGraphSetValueUnchanged);

void BM_BarGraphPaint(benchmark::State& state)
{
    QWidget panel;
    auto bar = MakeBar(&panel, std::int32_t(state.range(0)));
    Tacho = 6000;
    bar->SetValue();
    for (auto _ : state)
        bar->Paint();
    Tacho = 0;
}
BENCHMARK(BM_BarGraphPaint)->Arg(0)->Arg(1);

void BM_XYGraphSetValueChanged(benchmark::State& state)
{
    QWidget panel;
    auto xy = MakeXY(&panel);
    Sweep tacho(12000, 600), throttle(100, 3);
    for (auto _ : state) {
        Tacho = tacho.Next();
        Throttle = throttle.Next();
        xy->SetValue();
    }
    Tacho = Throttle = 0;
}
BENCHMARK(BM_XYGraphSetValueChanged);

void BM_XYGraphSetValueUnchanged(benchmark::State& state)
{
    QWidget panel;
    auto xy = MakeXY(&panel);
    Tacho = 5000;
    Throttle = 40;
    xy->SetValue();
    for (auto _ : state)
        xy->SetValue();
    Tacho = Throttle = 0;
}
BENCHMARK(BM_XYGraphSetValueUnchanged);

void BM_XYGraphPaint(benchmark::State& state)
{
    QWidget panel;
    auto xy = MakeXY(&panel);
    Tacho = 5000;
    Throttle = 40;
    xy->SetValue();
    for (auto _ : state)
        xy->Paint();
    Tacho = Throttle = 0;
}
BENCHMARK(BM_XYGraphPaint);

// One monitor tick over a full registry of graphs (64 bar graphs, 63 XY graphs), every value
// changed since the last tick. Argument 0: the values sweep back and forth, so their texts recur
// as a live value's do; argument 1: every tick brings value texts never shown before.
void BM_TickOf127Graphs(benchmark::State& state)
{
    QWidget panel;
    std::vector<std::unique_ptr<TIndicator>> graphs;
    for (int i = 0; i < 127; ++i) {
        if (i % 2 == 0)
            graphs.push_back(MakeBar(&panel, i % 4 == 0 ? 0 : 1));
        else
            graphs.push_back(MakeXY(&panel));
    }
    const bool fresh = state.range(0) == 1;
    Sweep tacho(12000, 600), throttle(100, 3);
    std::int32_t next = 0;
    for (auto _ : state) {
        Tacho = fresh ? 100000 + next++ : tacho.Next();
        Throttle = fresh ? 200000 + next : throttle.Next();
        for (auto& graph : graphs)
            graph->SetValue();
    }
    Tacho = Throttle = 0;
}
BENCHMARK(BM_TickOf127Graphs)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
