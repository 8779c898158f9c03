// The benchmark program: its checks first (the exports against their peer, shuffled curves
// against sorted ones); no figure is reported unless every one of them passes.
#include <iostream>

#include "fixture.h"

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
    try {
        if (!vx_bench::conferencias_passam(std::cerr)) {
            std::cerr << "no figures reported: the checks above failed\n";
            return 1;
        }
    } catch (const std::exception& e) {
        std::cerr << "cannot run the benchmarks: " << e.what() << "\n";
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
