#include "bench/GuiBenchApplication.h"

#include <benchmark/benchmark.h>
#include <QApplication>

#include "platform/Fonts.h"

GuiBenchApplication::GuiBenchApplication(int& argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    application_ = std::make_unique<QApplication>(argc, argv);
    platform::InstallFontSubstitutes();
    benchmark::Initialize(&argc, argv);
}

GuiBenchApplication::~GuiBenchApplication() = default;

int GuiBenchApplication::Run()
{
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
