// VX.INTERPOLEX and VX.CSPLINE as Excel calls them: the address of the export, the days as a
// 16-bit integer (type I), the curve range as an array value (type P), the years flat as a
// double (type B), the answer read from the function's static result record. Curves of 4, 50
// and 1000 vertices, sorted or shuffled; days inside the curve or beyond its last vertex.
#include "fixture.h"

namespace vx_bench {
namespace {

struct Caso {
    const Curva& curva;
    Intervalo intervalo;
    const std::vector<std::int16_t>& dias;

    explicit Caso(const benchmark::State& state)
        : curva(vx_bench::curva(static_cast<int>(state.range(0)))),
          intervalo(curva.linhas(state.range(1) != 0)),
          dias(state.range(2) != 0 ? dias_alem(curva) : dias_interiores(curva)) {}
};

// A benchmark of an error path would measure nothing of interest.
bool responde_numero(benchmark::State& state, const XLOPER* resposta) {
    if (resposta->xltype == xltypeNum) return true;
    state.SkipWithError("the export did not answer a number");
    return false;
}

void BM_interpolex(benchmark::State& state) {
    Caso caso(state);
    const auto interpol = exportacoes().interpol;
    // Beyond the curve the extrapolation levels off over a year: both of its branches are met.
    const double anos_flat = state.range(2) != 0 ? 1.0 : 0.0;
    if (!responde_numero(state, interpol(caso.dias[0], caso.intervalo.valor(), anos_flat))) return;
    std::size_t i = 0;
    const std::size_t antes = alocacoes();
    for (auto _ : state) {
        const XLOPER* r = interpol(caso.dias[i++ % dias_pedidos], caso.intervalo.valor(), anos_flat);
        benchmark::DoNotOptimize(r->val.num);
    }
    informa_alocacoes(state, antes);
}

void BM_cspline(benchmark::State& state) {
    Caso caso(state);
    const auto cspline = exportacoes().cspline;
    if (!responde_numero(state, cspline(caso.dias[0], caso.intervalo.valor()))) return;
    std::size_t i = 0;
    const std::size_t antes = alocacoes();
    for (auto _ : state) {
        const XLOPER* r = cspline(caso.dias[i++ % dias_pedidos], caso.intervalo.valor());
        benchmark::DoNotOptimize(r->val.num);
    }
    informa_alocacoes(state, antes);
}

void argumentos(benchmark::internal::Benchmark* b) {
    b->ArgNames({"n", "shuffled", "beyond"});
    tamanhos(b, {{4, 50, 1000}, {0, 1}, {0, 1}});
}

// A shuffled curve must answer exactly what the sorted one does.
std::string embaralhada_responde_igual() {
    const Exportacoes& e = exportacoes();
    for (int n : {4, 50, 1000}) {
        Intervalo ordenada(curva(n).linhas(false)), embaralhada(curva(n).linhas(true));
        for (const auto* dias : {&dias_interiores(curva(n)), &dias_alem(curva(n))})
            for (std::int16_t a : *dias) {
                const double x = e.interpol(a, ordenada.valor(), 1.0)->val.num;
                const double y = e.interpol(a, embaralhada.valor(), 1.0)->val.num;
                const double s = e.cspline(a, ordenada.valor())->val.num;
                const double t = e.cspline(a, embaralhada.valor())->val.num;
                if (x != y || s != t)
                    return "n = " + std::to_string(n) + ", day " + std::to_string(a) +
                           ": the shuffled curve answers otherwise";
            }
    }
    return "";
}

// Once each size has been met, a call takes nothing from the heap: the curve's storage is the
// one the calls before it left.
std::string regime_sem_alocacao() {
    const Exportacoes& e = exportacoes();
    for (bool embaralhada : {false, true})
        for (int n : {1000, 4, 50}) {
            Intervalo intervalo(curva(n).linhas(embaralhada));
            for (const auto* dias : {&dias_interiores(curva(n)), &dias_alem(curva(n))}) {
                e.interpol((*dias)[0], intervalo.valor(), 1.0);
                e.cspline((*dias)[0], intervalo.valor());
                const std::size_t antes = alocacoes();
                for (std::int16_t a : *dias) {
                    e.interpol(a, intervalo.valor(), 1.0);
                    e.cspline(a, intervalo.valor());
                }
                if (alocacoes() != antes)
                    return "n = " + std::to_string(n) + (embaralhada ? ", shuffled" : "") + ": " +
                           std::to_string(alocacoes() - antes) + " heap allocations in steady calls";
            }
        }
    return "";
}

const bool registrada = (registra_conferencia("shuffled curves", embaralhada_responde_igual),
                         registra_conferencia("no heap allocation in steady calls", regime_sem_alocacao), true);

BENCHMARK(BM_interpolex)->Apply(argumentos);
BENCHMARK(BM_cspline)->Apply(argumentos);

}  // namespace
}  // namespace vx_bench
