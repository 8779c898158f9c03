// VX.DURATION as Excel calls it: the curve and the portfolio as array values, the 5 × 1 answer
// read and handed back to xlAutoFree, as Excel does once it has copied it. Portfolios of 10 to
// 65535 payments (the most rows an Excel 97 range holds) against curves of 50 and 1000 vertices,
// the payments in no order or, as a schedule of payments usually comes, in order of days.
#include <algorithm>
#include <random>

#include "fixture.h"

namespace vx_bench {
namespace {

// Held payments of 1,000 to 1,000,000 spread over the curve and a little beyond it.
std::vector<std::pair<double, double>> portfolio(std::int64_t pagamentos, const Curva& curva, bool em_ordem) {
    std::mt19937 gerador(17);
    std::uniform_int_distribution<int> face(1000, 1000000);
    std::uniform_int_distribution<int> dia(1, static_cast<int>(curva.dias.back()) + 100);
    std::vector<std::pair<double, double>> linhas;
    for (std::int64_t i = 0; i < pagamentos; ++i) linhas.emplace_back(face(gerador), dia(gerador));
    if (em_ordem)
        std::stable_sort(linhas.begin(), linhas.end(), [](const auto& x, const auto& y) { return x.second < y.second; });
    return linhas;
}

void duration(benchmark::State& state, bool em_ordem) {
    const Curva& c = curva(static_cast<int>(state.range(0)));
    Intervalo intervalo(c.linhas(false));
    Intervalo carteira(portfolio(state.range(1), c, em_ordem));
    const Exportacoes& e = exportacoes();
    LPXLOPER primeira = e.duration(intervalo.valor(), carteira.valor());
    const bool e_array = primeira->xltype == (xltypeMulti | xlbitDLLFree);
    e.xl_auto_free(primeira);
    if (!e_array) {
        state.SkipWithError("VX.DURATION did not answer its five rows");
        return;
    }
    // The result array comes from malloc, so only allocations beyond it are counted.
    const std::size_t antes = alocacoes();
    for (auto _ : state) {
        LPXLOPER r = e.duration(intervalo.valor(), carteira.valor());
        benchmark::DoNotOptimize(r->val.array.lparray[1].val.num);
        e.xl_auto_free(r);
    }
    informa_alocacoes(state, antes);
}

void BM_duration(benchmark::State& state) { duration(state, false); }
void BM_duration_sorted(benchmark::State& state) { duration(state, true); }

void tamanhos_da_carteira(benchmark::internal::Benchmark* b) {
    b->ArgNames({"n", "m"});
    tamanhos(b, {{50, 1000}, {10, 100, 1000, 10000, 65535}});
}

BENCHMARK(BM_duration)->Unit(benchmark::kMicrosecond)->Apply(tamanhos_da_carteira);
BENCHMARK(BM_duration_sorted)->Unit(benchmark::kMicrosecond)->Apply(tamanhos_da_carteira);

}  // namespace
}  // namespace vx_bench
