// VX.DU and VX.DIAUTIL as Excel calls them (dates and regime as doubles, type B; the answer
// read from the function's static result record) and the calendar's core count alone, over
// spans of 1, 10 and 50 years: the time must not grow with the span, nor any call allocate.
#include "Funcoes/calendario.h"
#include "calendario_datas.h"
#include "fixture.h"

namespace vx_bench {

const std::vector<std::pair<std::int32_t, std::int32_t>>& vaos(int anos) {
    static std::vector<std::pair<std::int32_t, std::int32_t>> feitos[51];
    auto& v = feitos[anos];
    if (v.empty()) {
        for (std::size_t i = 0; i < vaos_pedidos; ++i) {
            // Every 343 days from 2001-01-02: all weekdays and every time of the year are met.
            const auto de = static_cast<std::int32_t>(funcoes::primeira_data + 1 + 343 * i);
            v.emplace_back(de, de + static_cast<std::int32_t>(anos * 365.25));
        }
    }
    return v;
}

namespace {

bool responde_numero(benchmark::State& state, const XLOPER* resposta) {
    if (resposta->xltype == xltypeNum) return true;
    state.SkipWithError("the export did not answer a number");
    return false;
}

void BM_du(benchmark::State& state) {
    const auto& v = vaos(static_cast<int>(state.range(0)));
    const auto du = exportacoes().du;
    if (!responde_numero(state, du(v[0].first, v[0].second, 0))) return;
    std::size_t i = 0;
    const std::size_t antes = alocacoes();
    for (auto _ : state) {
        const auto& [de, ate] = v[i++ % vaos_pedidos];
        benchmark::DoNotOptimize(du(de, ate, 0)->val.num);
    }
    informa_alocacoes(state, antes);
}

void BM_diautil(benchmark::State& state) {
    const auto& v = vaos(static_cast<int>(state.range(0)));
    const auto diautil = exportacoes().diautil;
    const double n = 252.0 * static_cast<double>(state.range(0));
    if (!responde_numero(state, diautil(v[0].first, n, 0))) return;
    std::size_t i = 0;
    const std::size_t antes = alocacoes();
    for (auto _ : state) benchmark::DoNotOptimize(diautil(v[i++ % vaos_pedidos].first, n, 0)->val.num);
    informa_alocacoes(state, antes);
}

// The count itself, without the boundary: what the export's call costs above it.
void BM_dias_uteis_nucleo(benchmark::State& state) {
    const auto& v = vaos(static_cast<int>(state.range(0)));
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& [de, ate] = v[i++ % vaos_pedidos];
        benchmark::DoNotOptimize(funcoes::dias_uteis(de, ate, funcoes::Calendario::atual));
    }
}

void argumentos(benchmark::internal::Benchmark* b) {
    b->ArgName("years");
    tamanhos(b, {{1, 10, 50}});
}

BENCHMARK(BM_du)->Apply(argumentos);
BENCHMARK(BM_diautil)->Apply(argumentos);
BENCHMARK(BM_dias_uteis_nucleo)->Apply(argumentos);

}  // namespace
}  // namespace vx_bench
