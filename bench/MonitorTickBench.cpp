// One monitor tick with a full dashboard: take a "@GET_PORT=" reply for the twelve channels,
// store the values, tell the 127 registered indicators to redraw them, send the next request.
//
// The dashboard's indicator kind is the template argument: add a BENCHMARK_TEMPLATE line for a
// kind (and a BindChannel specialisation that gives it a channel) to measure it.
#include <benchmark/benchmark.h>
#include <cstring>
#include <memory>
#include <QWidget>
#include <string>
#include <vector>

#include "app/MonitorLoop.h"
#include "indicators/AnalogMeter.h"
#include "indicators/BarGraph.h"
#include "indicators/Indicator.h"
#include "indicators/NumericList.h"
#include "indicators/Port.h"
#include "indicators/XYGraph.h"
#include "platform/Cp932.h"

namespace {

constexpr int DashboardSize = 127;

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

// The loop with the link replaced by two alternating value replies, so that every tick stores
// changed values.
class ReplayLoop : public TMonitorLoop {
public:
    ReplayLoop()
    {
        const std::string list =
            "\x06@GET_KIND=THROT,COOLANT,OILTMP,OILPRS,FUEL,TACHO,SPEED,STEER,JYRO,BREAKF,"
            "BREAKR,BATTERY";
        next_ = &list;
        RunMonitorTick();
        values_[0] = "\x06@GET_PORT=0001002A0050012C00C80BB8FF380010FFF6001200140078";
        values_[1] = "\x06@GET_PORT=0002002B0051012D00C91770FF370011FFF5001300150079";
    }

    void Tick()
    {
        next_ = &values_[turn_];
        turn_ ^= 1;
        RunMonitorTick();
    }

protected:
    int ReceiveLine(char* buffer) override
    {
        if (!next_)
            return 0;
        std::memcpy(buffer, next_->data(), next_->size());
        buffer[next_->size()] = '\x03';
        buffer[next_->size() + 1] = '\0';
        const int length = static_cast<int>(next_->size()) - 1;
        next_ = nullptr;
        return length;
    }
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
    const std::string* next_ = nullptr;
    std::string values_[2];
    int turn_ = 0;
    std::uint8_t context_[ContextSize] = {};
};

// Ticks with the dashboard made by make (which places and binds 127 indicators on panel).
template <class MakeDashboard>
void RunTicks(benchmark::State& state, MakeDashboard make)
{
    QWidget panel;
    panel.resize(1600, 1200);
    std::vector<std::unique_ptr<TIndicator>> dashboard;
    for (int i = 0; i < DashboardSize; ++i) {
        MouseDownPos = {(i % 16) * 96, (i / 16) * 128};
        dashboard.push_back(make(&panel, i));
    }
    panel.show();
    for (auto& indicator : dashboard)
        indicator->Paint();
    if (IndicatorCount != DashboardSize) {
        state.SkipWithError("the registry does not hold the dashboard");
        return;
    }

    ReplayLoop loop;
    for (auto _ : state)
        loop.Tick();
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

BENCHMARK_TEMPLATE(BM_MonitorTick, TIndicator);
BENCHMARK_TEMPLATE(BM_MonitorTick, TAnalogMeter);
BENCHMARK_TEMPLATE(BM_MonitorTick, TNumericList);
BENCHMARK_TEMPLATE(BM_MonitorTick, TBarGraph);
BENCHMARK_TEMPLATE(BM_MonitorTick, TXYGraph);

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
BENCHMARK(BM_MonitorTickMixed);

}  // namespace
