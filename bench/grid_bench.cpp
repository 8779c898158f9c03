// The comparison chart's grid: 250 rows of both interpolations over the curve, as the chart
// command builds it before writing its data sheet.
#include "Cmp/grade.h"
#include "fixture.h"

namespace vx_bench {
namespace {

void BM_chart_grid(benchmark::State& state) {
    const funcoes::YieldCurve pontos = curva(static_cast<int>(state.range(0))).como_yield_curve();
    if (cmp::monta_grade(pontos).size() != cmp::linhas_maximas) {
        state.SkipWithError("the grid is not 250 rows long");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(cmp::monta_grade(pontos));
}

BENCHMARK(BM_chart_grid)->Unit(benchmark::kMicrosecond)->Apply([](benchmark::internal::Benchmark* b) {
    b->ArgName("n");
    tamanhos(b, {{50, 4, 1000}});
});

}  // namespace
}  // namespace vx_bench
