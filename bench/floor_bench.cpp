// The floor under every curve function: a loop that only reads the 2n records of the curve
// range Excel passes, looking at each record's type and value once, and nothing else.
#include <cstring>

#include "fixture.h"

namespace vx_bench {
namespace {

// Folds every number record's bits together, so the compiler must read them all.
std::uint64_t le_registros(const std::vector<XLOPER>& registros) {
    std::uint64_t dobra = 0;
    for (const XLOPER& r : registros) {
        if (r.xltype != xltypeNum) continue;
        std::uint64_t bits;
        std::memcpy(&bits, &r.val.num, sizeof bits);
        dobra ^= bits;
    }
    return dobra;
}

void BM_floor(benchmark::State& state) {
    const Intervalo intervalo(curva(static_cast<int>(state.range(0))).linhas(false));
    for (auto _ : state) {
        benchmark::DoNotOptimize(intervalo.registros().data());
        benchmark::DoNotOptimize(le_registros(intervalo.registros()));
    }
}

BENCHMARK(BM_floor)->ArgName("n")->Apply([](benchmark::internal::Benchmark* b) {
    tamanhos(b, {{4, 50, 1000}});
});

}  // namespace
}  // namespace vx_bench
