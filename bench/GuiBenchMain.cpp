// Main of the benchmarks that draw or open windows: one application for the whole run
// (offscreen unless told otherwise), with the fonts the program itself maps at start.
#include <QApplication>
#include <benchmark/benchmark.h>

#include "platform/Fonts.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    platform::InstallFontSubstitutes();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
