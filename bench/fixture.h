// What every benchmark shares: the curves of 4, 50 and 1000 vertices, the days asked for, a
// count of heap allocations, and the checks that must pass before any figure is reported.
#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "Funcoes/curva.h"
#include "addin.h"

namespace vx_bench {

// A curve as the trader's sheet holds it, sorted by business days: vertices from 1 business day
// to about 10 years, rates from 13.75 % rising towards 15 % with a small wiggle.
struct Curva {
    std::vector<std::uint32_t> dias;
    std::vector<double> taxas;
    std::size_t tamanho() const { return dias.size(); }
    funcoes::YieldCurve como_yield_curve() const;
    // Its rows (rate, business days) as a worksheet holds them, in order or shuffled.
    std::vector<std::pair<double, double>> linhas(bool embaralhadas) const;
};
const Curva& curva(int vertices);

// 64 requested days, cycled through by the benchmarks so that no single path is learnt: strictly
// between the first and the last vertex, or up to 500 business days beyond the last.
constexpr std::size_t dias_pedidos = 64;
const std::vector<std::int16_t>& dias_interiores(const Curva& curva);
const std::vector<std::int16_t>& dias_alem(const Curva& curva);

// Calls of operator new since the program started (the add-in's included: it resolves to the
// program's own operator new).
std::size_t alocacoes();
// Reports the allocations per call made while `state` ran, counted from `antes`.
void informa_alocacoes(benchmark::State& state, std::size_t antes);

// A check that must hold before any figure is reported: it answers "" or what went wrong.
void registra_conferencia(const std::string& nome, std::function<std::string()> conferencia);
// Runs every check; false (after saying why on `erros`) when any fails.
bool conferencias_passam(std::ostream& erros);

// VX_BENCH_SMOKE set: the smallest size of every benchmark only, so that the test suite can run
// each one once in a few seconds.
bool so_fumaca();
// Registers each size in turn, or only the first one in a smoke run.
void tamanhos(benchmark::internal::Benchmark* b, const std::vector<std::vector<std::int64_t>>& produto);

}  // namespace vx_bench
