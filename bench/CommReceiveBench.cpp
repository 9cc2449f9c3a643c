// The receive path of the communication panel: TPCom::CommReceive, which the port's event
// thread runs for every delivery, filling the receive ring. Throughput in bytes per second
// against the line's 11.5 kB/s at 115200 baud, and the allocations it makes (there must be none).
#include <atomic>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>

#include "bench/GuiBenchApplication.h"
#include "link/PcCom.h"
#include "platform/MessageBox.h"

namespace {

std::atomic<long> allocations{0};
TPCom* panel = nullptr;

// Thirty replies as the monitor loop gets them: ACK, keyword, twelve values as hex digits, ETX.
std::string MonitorReplies()
{
    std::string burst;
    for (int i = 0; i < 30; ++i) {
        burst += "\x06@GET_PORT=";
        for (int v = 0; v < 12; ++v)
            burst += "0" + std::to_string(1000 + i * 12 + v);
        burst += "\x03";
    }
    return burst;
}

// Allocations made inside the handler alone, over a whole run.
long handlerAllocations = 0;

void Receive(const char* bytes, std::size_t size)
{
    const long before = allocations.load(std::memory_order_relaxed);
    panel->CommReceive(nullptr, const_cast<char*>(bytes), static_cast<unsigned>(size));
    handlerAllocations += allocations.load(std::memory_order_relaxed) - before;
}

void Deliver(const std::string& bytes)
{
    Receive(bytes.data(), bytes.size());
}

void Report(benchmark::State& state, std::size_t bytesPerIteration)
{
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytesPerIteration));
    state.counters["handler_allocs"] = static_cast<double>(handlerAllocations);
    handlerAllocations = 0;
}

// One delivery of thirty lines; the reader then empties the ring at once (a reader-side
// operation that leaves the ring as a reader would).
void BM_CommReceiveReplies(benchmark::State& state)
{
    const std::string burst = MonitorReplies();
    panel->Rx.Reset();
    for (auto _ : state) {
        Deliver(burst);
        panel->Rx.ClearErrorFlags();
    }
    Report(state, burst.size());
}
BENCHMARK(BM_CommReceiveReplies);

// The same bytes in small deliveries (as a slow line hands them over), each line taken out
// with GetReceivedLine's ring copy.
void BM_CommReceiveSmallDeliveriesAndTake(benchmark::State& state)
{
    const std::string burst = MonitorReplies();
    const auto chunk = static_cast<std::size_t>(state.range(0));
    char line[TReceiveRing::LineSize];
    panel->Rx.Reset();
    for (auto _ : state) {
        for (std::size_t at = 0; at < burst.size(); at += chunk) {
            const std::size_t size = std::min(chunk, burst.size() - at);
            Receive(burst.data() + at, size);
        }
        while (panel->Rx.TakeLine(line) >= 0)
            benchmark::DoNotOptimize(line);
    }
    Report(state, burst.size());
}
BENCHMARK(BM_CommReceiveSmallDeliveriesAndTake)->Arg(1)->Arg(16)->Arg(4096);

// Lines longer than the ring keeps: counted and dropped past byte 1021.
void BM_CommReceiveOverlongLines(benchmark::State& state)
{
    std::string burst;
    for (int i = 0; i < 8; ++i)
        burst += "\x06" + std::string(4000, 'D') + "\x03";
    panel->Rx.Reset();
    for (auto _ : state) {
        Deliver(burst);
        panel->Rx.ClearErrorFlags();
    }
    Report(state, burst.size());
}
BENCHMARK(BM_CommReceiveOverlongLines);

}  // namespace

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* block = std::malloc(size ? size : 1))
        return block;
    throw std::bad_alloc();
}
void operator delete(void* block) noexcept
{
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}

int main(int argc, char** argv)
{
    GuiBenchApplication application(argc, argv);
    // No port is needed to feed the handler: the scan's "no port" box is answered silently.
    platform::SetBoxPresenter(
        [](const platform::BoxRequest&) { return platform::BoxResult::Abort; });
    auto thePanel = std::make_unique<TPCom>(nullptr, [] { return std::vector<QString>{}; });
    panel = thePanel.get();
    return application.Run();
}
