// Main of the benchmarks that need nothing but the application.
#include "bench/GuiBenchApplication.h"

int main(int argc, char** argv)
{
    GuiBenchApplication application(argc, argv);
    return application.Run();
}
