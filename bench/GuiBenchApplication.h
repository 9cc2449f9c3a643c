#pragma once
// The application of a benchmark program that draws or opens windows: offscreen unless told
// otherwise, with the fonts the program itself maps at start.
#include <memory>

class QApplication;

class GuiBenchApplication {
public:
    // Also hands the command line to the benchmark library.
    GuiBenchApplication(int& argc, char** argv);
    ~GuiBenchApplication();
    GuiBenchApplication(const GuiBenchApplication&) = delete;
    GuiBenchApplication& operator=(const GuiBenchApplication&) = delete;

    // Runs the benchmarks the command line selects.
    int Run();

private:
    std::unique_ptr<QApplication> application_;
};
