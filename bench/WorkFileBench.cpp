// Loading and saving a work file of 127 indicators (the four kinds in turn) on the real main
// window, offscreen. Loading creates every indicator from its block, as start-up does; the
// reading loop alone is measured too, over the same text. Files of far more blocks than one load
// makes show that the blocks beyond cost only their reading: the time grows with the file.
#include <benchmark/benchmark.h>
#include <memory>
#include <QFile>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "app/ApplicationForms.h"
#include "app/ExtractBlock.h"
#include "app/IndicatorLifecycle.h"
#include "app/Main.h"
#include "app/WorkFile.h"
#include "app/WorkFileReader.h"
#include "bench/GuiBenchApplication.h"
#include "indicators/Indicator.h"
#include "indicators/ZpMainPanel.h"
#include "platform/MessageBox.h"

namespace {

constexpr int DashboardSize = 127;

class Bench {
public:
    Bench()
    {
        // No boxes on the console during the run.
        platform::SetBoxPresenter(
            [](const platform::BoxRequest&) { return platform::BoxResult::Ok; });
        forms_ = std::make_unique<TApplicationForms>(dir_.path() + QStringLiteral("/zolt-tool"),
                                                     [] { return std::vector<QString>{}; });
        const char* kinds[] = {"_AnalogMeter", "_BarGraph", "_XYGraph", "_NumericList"};
        for (int i = 0; i < DashboardSize; ++i) {
            MouseDownPos = {8 + 40 * (i % 16), 8 + 40 * (i / 16)};
            CreateIndicator(kinds[i % 4], nullptr);
        }
        SaveWorkFile(File());
        QFile file(File());
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        text_.assign(bytes.constData(), std::size_t(bytes.size()));
    }

    QString File() const { return dir_.path() + QStringLiteral("/work.txt"); }
    QString Path(const QString& name) const { return dir_.filePath(name); }
    const std::string& Text() const { return text_; }

    static void ClearDashboard()
    {
        const QObjectList children = MainForm->MainPanel->children();  // a copy: deleting edits it
        for (QObject* child : children) {
            if (auto* indicator = qobject_cast<TIndicator*>(child))
                DeleteIndicator(indicator);
        }
    }

private:
    QTemporaryDir dir_;
    std::unique_ptr<TApplicationForms> forms_;
    std::string text_;
};

// Made in main, after the application object, and gone before it.
Bench* shared = nullptr;

Bench& Shared()
{
    return *shared;
}

void BM_LoadWorkFile127(benchmark::State& state)
{
    Bench& bench = Shared();
    for (auto _ : state) {
        state.PauseTiming();
        Bench::ClearDashboard();
        state.ResumeTiming();
        LoadWorkFile(bench.File());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bench.Text().size()));
}
BENCHMARK(BM_LoadWorkFile127)->Unit(benchmark::kMillisecond);

void BM_SaveWorkFile127(benchmark::State& state)
{
    Bench& bench = Shared();
    for (auto _ : state)
        SaveWorkFile(bench.File());
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bench.Text().size()));
}
BENCHMARK(BM_SaveWorkFile127)->Unit(benchmark::kMillisecond);

// A file of that many minimal blocks, all at one place, as a hostile or broken file may hold.
void BM_LoadWorkFileOfManyBlocks(benchmark::State& state)
{
    Bench& bench = Shared();
    const QString name = bench.Path(QStringLiteral("many.txt"));
    std::string text = "PanelWright Work File Ver.1.0\r\nMainForm{\r\n  MainPanel{\r\n";
    for (std::int64_t i = 0; i < state.range(0); ++i)
        text += "    _BarGraph1{\r\n    }\r\n";
    text += "  }\r\n}\r\n";
    QFile file(name);
    file.open(QIODevice::WriteOnly);
    file.write(text.data(), qint64(text.size()));
    file.close();
    for (auto _ : state) {
        state.PauseTiming();
        Bench::ClearDashboard();
        state.ResumeTiming();
        LoadWorkFile(name);  // keeps the file as many.txt.bak, too
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(text.size()));
    Bench::ClearDashboard();
    LoadWorkFile(bench.File());  // the dashboard and the file the other measurements expect
}
BENCHMARK(BM_LoadWorkFileOfManyBlocks)->Arg(2000)->Arg(45000)->Unit(benchmark::kMillisecond);

// The reading loop and the block cutter without any widget: the file's text, its 127 blocks cut.
class CuttingTarget : public TWorkFileTarget {
public:
    bool OpenControl(const std::string&) override { return true; }
    void CloseControl() override {}
    bool ControlValue(const std::string&, std::int32_t) override { return true; }
    bool CreateIndicator(const std::string&, const char*& pos) override
    {
        ExtractBlock(block_, pos);
        benchmark::DoNotOptimize(block_.data());
        return true;
    }

private:
    std::string block_;
};

void BM_ReadWorkText127(benchmark::State& state)
{
    const std::string& text = Shared().Text();
    CuttingTarget target;
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadWorkText(text.c_str(), target));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(text.size()));
}
BENCHMARK(BM_ReadWorkText127)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    GuiBenchApplication application(argc, argv);
    Bench bench;
    shared = &bench;
    const int result = application.Run();
    shared = nullptr;
    return result;
}
