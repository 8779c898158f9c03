// The host's side of a sheet: reading a CSV file of a given number of rows (four numeric
// columns, as a curve with its interpolations), and ordering the calculation of a chain of
// formulas each waiting for the next row, as deep as the sheet is long.
#include <benchmark/benchmark.h>

#include <string>

#include "xlhost/host.h"

namespace {

std::string numeric_sheet(int rows) {
    std::string text;
    for (int r = 0; r < rows; ++r)
        text += std::to_string(r + 1) + ",0.1375" + std::to_string(r % 97) + ",0.14" + std::to_string(r % 89) + ",Olá\n";
    return text;
}

void BM_load_csv_text(benchmark::State& state) {
    const std::string text = numeric_sheet(static_cast<int>(state.range(0)));
    xlhost::Host host;
    for (auto _ : state) benchmark::DoNotOptimize(host.load_csv_text(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

void BM_calc_chain(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    std::string text;
    for (int r = 1; r < rows; ++r) text += "=A" + std::to_string(r + 1) + "\n";
    text += "7\n";
    xlhost::Host host;
    host.load_csv_text(text);
    for (auto _ : state) host.calc();
}

}  // namespace

BENCHMARK(BM_load_csv_text)->Arg(1000)->Arg(10000)->Arg(65536)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_calc_chain)->Arg(1000)->Arg(10000)->Arg(65536)->Unit(benchmark::kMillisecond);
