// The curve routines on curves of realistic sizes: a DI curve of about 30 vertices (one per
// listed DI1 maturity) and a dense curve of 500 vertices (one per business day for two years).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "Funcoes/curve.h"
#include "Funcoes/spline.h"

using namespace funcoes;

namespace {

// Vertices from 1 business day to about 10 years, rates from 13.75 % rising towards 15 %.
YieldCurve curva(int vertices) {
    YieldCurve c;
    const double passo = 2520.0 / vertices;
    for (int i = 0; i < vertices; ++i) {
        const auto dias = static_cast<std::uint32_t>(1 + i * passo);
        c.push_back({dias, 0.1375 + 0.0125 * i / vertices + 0.001 * (i % 3)});
    }
    return c;
}

// The same curve as a worksheet range: shuffled rows under a header row, as a user's sheet.
Matriz intervalo(int vertices) {
    std::vector<CurvePoint> pontos = curva(vertices);
    std::shuffle(pontos.begin(), pontos.end(), std::mt19937(7));
    Matriz m;
    m.colunas = 2;
    m.linhas = pontos.size() + 1;
    m.celulas = {Celula::outro(), Celula::outro()};
    for (const CurvePoint& p : pontos) {
        m.celulas.push_back(Celula::numero(p.rate));
        m.celulas.push_back(Celula::numero(p.workdays));
    }
    return m;
}

// Requested days spread over the curve and a little beyond it.
std::vector<std::int32_t> dias_pedidos() {
    std::vector<std::int32_t> dias(256);
    std::mt19937 gerador(11);
    std::uniform_int_distribution<std::int32_t> d(1, 2700);
    for (auto& x : dias) x = d(gerador);
    return dias;
}

void BM_interpola_exp(benchmark::State& state) {
    const YieldCurve c = curva(static_cast<int>(state.range(0)));
    const auto dias = dias_pedidos();
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(interpola_exp(dias[i++ % dias.size()], c, 1.0));
}

void BM_interpola_spline(benchmark::State& state) {
    const YieldCurve c = curva(static_cast<int>(state.range(0)));
    const auto dias = dias_pedidos();
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(interpola_spline(dias[i++ % dias.size()], c));
}

void BM_le_curva(benchmark::State& state) {
    const Matriz m = intervalo(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(le_curva(m));
}

// What the comparative chart does: both methods over a 250-row grid.
void BM_grade_do_grafico(benchmark::State& state) {
    const YieldCurve c = curva(static_cast<int>(state.range(0)));
    const double passo = c.back().workdays * 0.004;
    for (auto _ : state)
        for (int i = 0; i < 250; ++i) {
            const auto w = static_cast<std::int32_t>(i * passo) + 1;
            benchmark::DoNotOptimize(interpola_spline(w, c));
            benchmark::DoNotOptimize(interpola_exp(w, c, 0.0));
        }
}

}  // namespace

BENCHMARK(BM_interpola_exp)->Arg(30)->Arg(500);
BENCHMARK(BM_interpola_spline)->Arg(30)->Arg(500);
BENCHMARK(BM_le_curva)->Arg(30)->Arg(500);
BENCHMARK(BM_grade_do_grafico)->Arg(30)->Arg(500);
