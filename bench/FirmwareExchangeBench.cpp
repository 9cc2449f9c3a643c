// Firmware programming speed: a whole exchange over a pseudo-terminal with a meter that answers
// every line at once with "@READY". The panel answers one meter line per 10 ms tick, so the
// exchange runs at up to 100 lines a second; items_per_second is the file lines sent a second.
// Loading a file that covers the whole image (reading, checking every line, filling the image)
// is measured too, since it runs before the first line goes out, and so are the exchange's own
// steps for every line of it, without the line and the timer.
#include <benchmark/benchmark.h>
#include <cstdio>
#include <fstream>
#include <optional>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <string>
#include <vector>

#include "link/FirmwareExchange.h"
#include "link/PcCom.h"
#include "link/Progress.h"
#include "link/SRecordImage.h"
#include "tests/support/MeterStandIn.h"

using testing_support::MeterStandIn;

namespace {

// count S1 records of 16 bytes each, with a header and an end record: count + 2 lines.
std::string SRecordFile(int count, int bytesPerRecord, int addressLength)
{
    std::string file = "S00600004844521B\r\n";
    char line[600];
    for (int r = 0; r < count; ++r) {
        const unsigned address = static_cast<unsigned>(r * bytesPerRecord);
        const int byteCount = addressLength + bytesPerRecord + 1;
        unsigned sum = static_cast<unsigned>(byteCount);
        int at = std::snprintf(line, sizeof line, "S%c%02X", '0' + addressLength - 1, byteCount);
        for (int i = addressLength - 1; i >= 0; --i) {
            const unsigned byte = (address >> (8 * i)) & 0xFF;
            sum += byte;
            at += std::snprintf(line + at, sizeof line - at, "%02X", byte);
        }
        for (int i = 0; i < bytesPerRecord; ++i) {
            const unsigned byte = (address + static_cast<unsigned>(i) * 7) & 0xFF;
            sum += byte;
            at += std::snprintf(line + at, sizeof line - at, "%02X", byte);
        }
        std::snprintf(line + at, sizeof line - at, "%02X\r\n", ~sum & 0xFF);
        file += line;
    }
    return file + "S9030000FC\r\n";
}

void BM_ExchangeWithAnInstantMeter(benchmark::State& state)
{
    const int records = static_cast<int>(state.range(0));
    const std::size_t lines = static_cast<std::size_t>(records) + 2;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.mot"));
    std::ofstream(path.toStdString(), std::ios::binary) << SRecordFile(records, 16, 2);

    MeterStandIn meter;
    meter.SetScript([](const std::string& request) -> std::vector<std::string> {
        return {MeterStandIn::Ack(request == "@START_RTSP" ? "@PROJECT_NAME" : "@READY")};
    });
    TPCom panel(nullptr, [&] { return std::vector<QString>{meter.PortName()}; });
    TProgressForm progress(nullptr);
    PCom = &panel;
    ProgressForm = &progress;
    QTimer monitor;  // the main window's monitor timer, switched on between the runs
    monitor.setInterval(100);
    panel.TimerMonitor = &monitor;
    panel.SetPortOpen(true);

    // The event loop runs the exchange until the meter has "@START_RTSP", "@PROJECT_ZOLT" and
    // every line; the check itself is rare, so that the CPU time is the exchange's.
    QEventLoop loop;
    QTimer check;
    check.setInterval(50);
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (meter.Requests().size() >= lines + 2)
            loop.quit();
    });
    for (auto _ : state) {
        meter.ClearReceived();
        panel.StartFirmwareUpdate(path);
        check.start();
        loop.exec();
        check.stop();
        progress.close();
        monitor.stop();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * lines));
    PCom = nullptr;
    ProgressForm = nullptr;
}
BENCHMARK(BM_ExchangeWithAnInstantMeter)
    ->Arg(300)
    ->Iterations(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// 0x54000 bytes in S2 records of 32 bytes.
std::string WholeImageFile()
{
    return SRecordFile(FirmwareImageSize / 32, 32, 3);
}

void BM_LoadTheWholeImage(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("whole.mot"));
    const std::string file = WholeImageFile();
    std::ofstream(path.toStdString(), std::ios::binary) << file;
    TFirmwareExchange exchange;
    for (auto _ : state) {
        const std::optional<FirmwareReport> refusal = exchange.Load(path);
        if (refusal)
            state.SkipWithError("the file was refused");
        benchmark::DoNotOptimize(exchange.ImageEnd);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_LoadTheWholeImage)->Unit(benchmark::kMillisecond);

void BM_StepsForEveryLineOfTheWholeImage(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("whole.mot"));
    std::ofstream(path.toStdString(), std::ios::binary) << WholeImageFile();
    TFirmwareExchange exchange;
    std::int64_t lines = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (exchange.Load(path))
            state.SkipWithError("the file was refused");
        exchange.Start();
        state.ResumeTiming();
        while (exchange.HandleLine("@READY").command)
            ++lines;
    }
    state.SetItemsProcessed(lines);
}
BENCHMARK(BM_StepsForEveryLineOfTheWholeImage)->Unit(benchmark::kMillisecond);

}  // namespace
