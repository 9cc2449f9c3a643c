// One monitor tick with a full dashboard: take a "@GET_PORT=" reply for the twelve channels,
// store the values, tell the 127 registered indicators to redraw them, send the next request,
// and let the paint cycle bring the changes to the screen. The values move as a meter's do.
//
// The dashboard's indicator kind is the template argument: add a BENCHMARK_TEMPLATE line for a
// kind (and a BindChannel specialisation that gives it a channel) to measure it.
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <QCoreApplication>
#include <QWidget>
#include <string>
#include <vector>

#include "app/MonitorLoop.h"
#include "bench/LiveMeterValues.h"
#include "indicators/AnalogMeter.h"
#include "indicators/BarGraph.h"
#include "indicators/Indicator.h"
#include "indicators/NumericList.h"
#include "indicators/Port.h"
#include "indicators/XYGraph.h"
#include "platform/Cp932.h"

namespace {

constexpr int DashboardSize = 127;
constexpr int WarmUpTicks = 200;

// Gives indicator number index of the dashboard its channel; the base class has none.
template <class Kind>
void BindChannel(Kind& /*indicator*/, int /*index*/)
{}

// Dials on the twelve channels in turn: every reply changes every dial's value.
template <>
void BindChannel<TAnalogMeter>(TAnalogMeter& dial, int index)
{
    dial.SetIoName(SourceIndexQ7[index % 12].Designator);
}

// A numeric list shows three neighbouring channels.
template <>
void BindChannel<TNumericList>(TNumericList& list, int index)
{
    QStringList rows;
    for (int k = 0; k < 3; ++k)
        rows.append(platform::FromCp932(SourceIndexQ7[(index + k) % 12].Description));
    list.SetNumStrList(rows);
}

// Bar graphs on the twelve channels in turn, with a range the replies' values move in.
template <>
void BindChannel<TBarGraph>(TBarGraph& bar, int index)
{
    bar.SetIoName(SourceIndexQ7[index % 12].Designator);
    bar.SetMaxValue(10000);
    bar.SetVertical(index % 2);
}

// An XY graph plots one channel against the next.
template <>
void BindChannel<TXYGraph>(TXYGraph& xy, int index)
{
    xy.SetXIoName(SourceIndexQ7[index % 12].Designator);
    xy.SetYIoName(SourceIndexQ7[(index + 1) % 12].Designator);
    xy.SetXMaxValue(10000);
    xy.SetYMaxValue(1000);
}

// The loop with the link replaced by a meter whose values move as a running vehicle's do:
// every tick stores twelve changed values, and value texts seldom recur.
class LiveLoop : public TMonitorLoop {
public:
    LiveLoop()
    {
        next_ = "\x06" + LiveMeterValues::KindReply();
        RunMonitorTick();
    }

    void Tick()
    {
        next_ = "\x06" + values_.NextPortReply();
        RunMonitorTick();
    }

protected:
    int ReceiveLine(char* buffer) override
    {
        if (next_.empty())
            return 0;
        std::memcpy(buffer, next_.data(), next_.size());
        buffer[next_.size()] = '\x03';
        buffer[next_.size() + 1] = '\0';
        const int length = static_cast<int>(next_.size()) - 1;
        next_.clear();
        return length;
    }
    bool LineWaiting() const override { return false; }
    void SendRequest(const char* text) override { benchmark::DoNotOptimize(text); }
    bool LinkOpen() const override { return true; }
    bool SettingsShown() const override { return false; }
    std::uint8_t* Context() override { return context_; }
    void ContextToControls() override {}
    void AppendSetDateTimeRequest(char*& /*writePos*/) override {}
    void ShowMeterClock(const std::string& /*text*/) override {}
    void SetIndicatorValues() override
    {
        for (int i = 0; i < IndicatorCount; ++i)
            IndicatorArry[i]->SetValue();
    }

private:
    std::string next_;
    LiveMeterValues values_;
    std::uint8_t context_[ContextSize] = {};
};

// Kept out of line: instruction counts under callgrind are collected in here alone
// (--toggle-collect='*OneTick*').
// One tick as in the program: the values drawn on the surfaces, then the paint cycle that brings
// what changed to the (offscreen) screen.
[[gnu::noinline]] void OneTick(LiveLoop& loop)
{
    loop.Tick();
    QCoreApplication::processEvents();
}

// CPU time of the whole process (Qt blits large images on pooled threads); with ZOLT_BENCH_TICKS
// set, exactly that many ticks, so that an instruction count divides by a known number.
void Configure(benchmark::internal::Benchmark* benchmark)
{
    benchmark->MeasureProcessCPUTime();
    if (const char* ticks = std::getenv("ZOLT_BENCH_TICKS"))
        benchmark->Iterations(std::atoll(ticks));
}

// Ticks with the dashboard made by make (which places and binds 127 indicators on panel).
template <class MakeDashboard>
void RunTicks(benchmark::State& state, MakeDashboard make)
{
    // Ten to a row in cells of 200 x 136 pixels, as a dashboard is laid out: side by side,
    // none covering another.
    QWidget panel;
    panel.resize(2000, 1768);
    std::vector<std::unique_ptr<TIndicator>> dashboard;
    for (int i = 0; i < DashboardSize; ++i) {
        MouseDownPos = {(i % 10) * 200, (i / 10) * 136};
        dashboard.push_back(make(&panel, i));
        TIndicator& placed = *dashboard.back();
        placed.SetBounds(placed.Left(), placed.Top(), 192, 128);
    }
    panel.show();
    for (auto& indicator : dashboard)
        indicator->Paint();
    if (IndicatorCount != DashboardSize) {
        state.SkipWithError("the registry does not hold the dashboard");
        return;
    }

    QCoreApplication::processEvents();
    LiveLoop loop;
    // The steady state of a running dashboard: whatever the drawing keeps of earlier values
    // (texts, glyphs) has been made.
    for (int tick = 0; tick < WarmUpTicks; ++tick) {
        loop.Tick();
        QCoreApplication::processEvents();
    }
    for (auto _ : state)
        OneTick(loop);
    state.SetItemsProcessed(state.iterations());
    dashboard.clear();
    MouseDownPos = {0, 0};
}

template <class Kind>
std::unique_ptr<TIndicator> MakeBound(QWidget* panel, int index)
{
    auto indicator = std::make_unique<Kind>(panel, SourceIndexQ7);
    BindChannel(*indicator, index);
    return indicator;
}

template <class Kind>
void BM_MonitorTick(benchmark::State& state)
{
    RunTicks(state, MakeBound<Kind>);
}

BENCHMARK_TEMPLATE(BM_MonitorTick, TIndicator)->Apply(Configure);
BENCHMARK_TEMPLATE(BM_MonitorTick, TAnalogMeter)->Apply(Configure);
BENCHMARK_TEMPLATE(BM_MonitorTick, TNumericList)->Apply(Configure);
BENCHMARK_TEMPLATE(BM_MonitorTick, TBarGraph)->Apply(Configure);
BENCHMARK_TEMPLATE(BM_MonitorTick, TXYGraph)->Apply(Configure);

// A mixed dashboard: dials, bar graphs, XY graphs and numeric lists in turn.
void BM_MonitorTickMixed(benchmark::State& state)
{
    RunTicks(state, [](QWidget* panel, int index) {
        switch (index % 4) {
        case 0: return MakeBound<TAnalogMeter>(panel, index);
        case 1: return MakeBound<TBarGraph>(panel, index);
        case 2: return MakeBound<TXYGraph>(panel, index);
        default: return MakeBound<TNumericList>(panel, index);
        }
    });
}
BENCHMARK(BM_MonitorTickMixed)->Apply(Configure);

}  // namespace
